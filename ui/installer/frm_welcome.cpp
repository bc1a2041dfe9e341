#include "ui/installer/frm_welcome.h"

namespace prn::ui {

namespace {
constexpr int kPictures = 5;
constexpr uint32_t kHurriedInterval = 50;
}  // namespace

TfrmWelcome::TfrmWelcome(const config::TLangOptions& lang, const config::TStrInstaller& texts)
    : texts_(texts),
      title_(lang.GetOptionString(u"OEMCOmpany", u"MainTitle." + ToDecimal(texts.CompanyIndex), u"")),
      loading_(texts.Loading) {}

bool TfrmWelcome::OnTimer() {
  if (!running_) return false;
  if (m_iTimes == kPictures) {
    m_iTimes = 0;
    running_ = false;
    return true;
  }
  if (m_iTimes >= 1) shownPictures_ = m_iTimes + 1;
  loading_ = texts_.Loading + u" " + ustring(m_iTimes + 1, u'.');
  timerInterval_ = m_iInteve;
  ++m_iTimes;
  return false;
}

void TfrmWelcome::PictureDoubleClick() {
  m_iInteve = kHurriedInterval;
  timerInterval_ = kHurriedInterval;
}

}  // namespace prn::ui
