#include "ui/installer/frm_welcome.h"

#include "installer_fixture.h"

namespace prn::ui {
namespace {

class TfrmWelcomeTest : public InstallerFixture {
 protected:
  TfrmWelcomeTest() {
    Load(u"Index=50", u"[OEMCOmpany]\nName.5 = Quillon\nMainTitle.5 = Welcome\nMainTitle.5.Quillon = Welcome to Quillon\n"
                      u"[DialogText]\nLoading = Loading\n");
  }

  // Runs the timer to its end; answers the milliseconds until the window closed.
  uint32_t RunToClose(TfrmWelcome& welcome, uint32_t elapsed = 0) {
    for (int ticks = 0; ticks < 20; ++ticks) {
      elapsed += welcome.TimerInterval();
      if (welcome.OnTimer()) return elapsed;
    }
    ADD_FAILURE() << "the welcome window never closed";
    return elapsed;
  }
};

TEST_F(TfrmWelcomeTest, FivePicturesWithGrowingDotsThenClosesAfter4700Ms) {
  TfrmWelcome welcome(values.langOptions, values.strInstaller);
  EXPECT_EQ(welcome.Title(), u"Welcome to Quillon");  // brand-specific key first
  EXPECT_EQ(welcome.ShownPictures(), 1);
  EXPECT_EQ(welcome.TimerInterval(), 200u);

  EXPECT_FALSE(welcome.OnTimer());
  EXPECT_EQ(welcome.LoadingText(), u"Loading .");
  EXPECT_EQ(welcome.ShownPictures(), 1);
  EXPECT_EQ(welcome.TimerInterval(), 900u);
  for (int i = 0; i < 4; ++i) EXPECT_FALSE(welcome.OnTimer());
  EXPECT_EQ(welcome.ShownPictures(), 5);
  EXPECT_EQ(welcome.LoadingText(), u"Loading .....");

  EXPECT_TRUE(welcome.OnTimer());
  EXPECT_FALSE(welcome.TimerRunning());
  EXPECT_FALSE(welcome.OnTimer());  // a late tick after the stop closes nothing twice

  TfrmWelcome timed(values.langOptions, values.strInstaller);
  EXPECT_EQ(RunToClose(timed), 4700u);
}

TEST_F(TfrmWelcomeTest, DoubleClickHurriesTheRest) {
  TfrmWelcome welcome(values.langOptions, values.strInstaller);
  uint32_t elapsed = welcome.TimerInterval();
  welcome.OnTimer();
  elapsed += welcome.TimerInterval();
  welcome.OnTimer();  // two pictures shown, 1100 ms
  welcome.PictureDoubleClick();
  EXPECT_EQ(welcome.TimerInterval(), 50u);
  // Three more pictures and the close, 50 ms apart.
  EXPECT_EQ(RunToClose(welcome, elapsed), 1100u + 4 * 50u);
}

}  // namespace
}  // namespace prn::ui
