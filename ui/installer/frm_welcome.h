#pragma once
// The welcome window (TfrmWelcome): five pictures shown one after the other
// with a growing "Loading" text, closing itself after about 4.7 seconds;
// a double-click on the first picture hurries it to its end.

#include <cstdint>

#include "config/lang_options.h"

namespace prn::ui {

class TfrmWelcome {
 public:
  // FormCreate: the brand's welcome title and the first picture.
  TfrmWelcome(const config::TLangOptions& lang, const config::TStrInstaller& texts);

  const ustring& Title() const { return title_; }
  const ustring& LoadingText() const { return loading_; }
  // img1 … imgN are shown.
  int ShownPictures() const { return shownPictures_; }
  // The delay before the next tmrShowTimer tick; the first one comes after 200 ms.
  uint32_t TimerInterval() const { return timerInterval_; }
  bool TimerRunning() const { return running_; }

  // tmrShowTimer; true when the window is to close (the timer has stopped).
  bool OnTimer();
  // img1DblClick.
  void PictureDoubleClick();

 private:
  const config::TStrInstaller& texts_;
  ustring title_;
  ustring loading_;
  int m_iTimes = 0;
  uint32_t m_iInteve = 900;
  uint32_t timerInterval_ = 200;
  int shownPictures_ = 1;
  bool running_ = true;
};

}  // namespace prn::ui
