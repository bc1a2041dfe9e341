#include "ui/installer/form_main_v2.h"

#include <map>
#include <set>

#include "installer_fixture.h"
#include "testing/test_files.h"
#include "ui/installer/picture_names.h"

namespace prn::ui {
namespace {

// Picture controls that remember what they show; files named in `damaged` do not decode.
class RecordingFormMainV2View : public FormMainV2View {
 public:
  bool ShowPicture(SkinPicture control, const ustring& file) override {
    if (damaged.count(file)) return false;
    shown[control] = file;
    return true;
  }
  void HidePicture(SkinPicture control) override { hidden.insert(control); }

  std::set<ustring> damaged;
  std::map<SkinPicture, ustring> shown;
  std::set<SkinPicture> hidden;
};

constexpr char16_t kTexts[] = u"[DialogText]\nErrorTitle = Oops\n";

class TFormMainV2Test : public InstallerFixture {
 protected:
  TFormMainV2Test() {
    values.g_strResourceDir = u"C:\\Work\\Resource\\";
    for (const char16_t* name : {u"min1.png", u"Close1.png", u"Close2.png", u"Button01.SC.png", u"Button11.SC.png",
                                 u"Button12.SC.png", u"Button101.SC.png", u"Button102.SC.png", u"Button21.SC.png",
                                 u"Button41.SC.png"}) {
      testing::WriteFile(machine.files, values.g_strResourceDir + name, "png");
    }
    testing::WriteFile(machine.files, u"C:\\Package\\Resource\\Back.png", "png");
    testing::WriteFile(machine.files, u"C:\\Package\\Resource\\Printer.png", "png");
    testing::WriteFile(machine.files, u"C:\\Package\\Docs\\Guide.txt", "guide");
    values.g_wSystemLangId = 0x0804;  // the buttons follow the system language
  }

  TFormMainV2& Create(ustring_view entry0Keys) {
    Load(entry0Keys, kTexts);
    model.emplace(values, machine.Platform(), view);
    model->FormCreate(9);
    return *model;
  }

  ustring Resource(const char16_t* name) const { return values.g_strResourceDir + name; }

  RecordingFormMainV2View view;
  std::optional<TFormMainV2> model;
};

// The Resource pictures of a package whose links 2 and 3 are set.
constexpr char16_t kSkin[] =
    u"BGImage.EN=Resource\\Back.png\nPrinterImage.EN=Resource\\Printer.png\n"
    u"Button2Link.EN=Docs\\Guide.txt\nButton3Link.EN=\nButton4Link.EN=https://q.example\n";

TEST(SkinNamesTest, ButtonPictureNamesAndDragStrip) {
  EXPECT_EQ(ButtonPictureName(1, false, u"EN"), u"Button11.EN.png");
  EXPECT_EQ(ButtonPictureName(0, true, u"SC"), u"Button02.SC.png");
  EXPECT_EQ(ButtonPictureName(10, false, u"TC"), u"Button101.TC.png");
  EXPECT_EQ(ButtonPictureName(5, true, u"EN"), u"Button52.EN.png");
  EXPECT_TRUE(DragHitTest(0));
  EXPECT_TRUE(DragHitTest(94));
  EXPECT_FALSE(DragHitTest(95));
}

TEST_F(TFormMainV2Test, CreationShowsEveryPictureAndHidesButtonsWithoutLink) {
  Create(ustring(kSkin) + u"PrinterManager=0");
  EXPECT_TRUE(machine.dialogs.Boxes().empty());
  EXPECT_FALSE(model->ShowsManagerButton());
  EXPECT_EQ(view.shown[SkinPicture::Background], u"C:\\Package\\Resource\\Back.png");
  EXPECT_EQ(view.shown[SkinPicture::Close], Resource(u"Close1.png"));
  EXPECT_EQ(view.shown[SkinPicture::Image1], Resource(u"Button11.SC.png"));
  EXPECT_EQ(view.shown[SkinPicture::Image2], Resource(u"Button21.SC.png"));
  EXPECT_EQ(view.hidden, (std::set<SkinPicture>{SkinPicture::Image3, SkinPicture::Image5}));
  EXPECT_EQ(view.shown[SkinPicture::Image4], Resource(u"Button41.SC.png"));
  EXPECT_EQ(model->TabOrder(), (std::vector<SkinPicture>{SkinPicture::Image1, SkinPicture::Image2, SkinPicture::Image4,
                                                         SkinPicture::Minimise, SkinPicture::Close}));
}

TEST_F(TFormMainV2Test, MissingPictureIsNamedAndStopsCreation) {
  Create(u"BGImage.EN=Resource\\Back.png\nPrinterImage.EN=Resource\\Gone.png\nButton2Link.EN=Docs\\Guide.txt\n");
  ASSERT_EQ(machine.dialogs.Boxes().size(), 1u);
  EXPECT_EQ(machine.dialogs.Boxes()[0].text,
            u"The picture \"C:\\Package\\Resource\\Gone.png\" cannot be shown: the file does not exist.");
  EXPECT_EQ(machine.dialogs.Boxes()[0].caption, u"Oops");
  EXPECT_EQ(view.shown.count(SkinPicture::Close), 0u);
  EXPECT_TRUE(view.hidden.empty());

  Create(u"PrinterImage.EN=Resource\\Printer.png\n");  // no background named
  EXPECT_EQ(machine.dialogs.Boxes().back().text, u"The settings file names no picture in \"BGImage.SC\".");
}

TEST_F(TFormMainV2Test, HoverSwapsPicturesAndNamesEachFailureEveryTime) {
  Create(kSkin);
  size_t boxesAfterCreate = machine.dialogs.Boxes().size();

  model->Hover(SkinPicture::Image1, true, 9);
  EXPECT_EQ(view.shown[SkinPicture::Image1], Resource(u"Button12.SC.png"));
  EXPECT_EQ(view.shown[SkinPicture::Image10], Resource(u"Button102.SC.png"));
  model->Hover(SkinPicture::Close, true, 9);
  EXPECT_EQ(view.shown[SkinPicture::Close], Resource(u"Close2.png"));

  view.damaged.insert(Resource(u"Close1.png"));
  model->Hover(SkinPicture::Close, false, 9);
  model->Hover(SkinPicture::Image2, true, 9);  // Button22.SC.png is not there
  model->Hover(SkinPicture::Image2, true, 9);
  const auto& boxes = machine.dialogs.Boxes();
  ASSERT_EQ(boxes.size(), boxesAfterCreate + 3);
  EXPECT_NE(boxes[boxesAfterCreate].text.find(u"Close1.png\" cannot be shown: the file is damaged"), ustring::npos);
  EXPECT_NE(boxes.back().text.find(u"Button22.SC.png\" cannot be shown: the file does not exist"), ustring::npos);
  EXPECT_EQ(view.shown[SkinPicture::Close], Resource(u"Close2.png"));  // the previous picture stays
  EXPECT_EQ(view.shown[SkinPicture::Image2], Resource(u"Button21.SC.png"));
}

// The check runs on a thread of its own; the window hears the outcome on its
// UI thread and takes no click meanwhile.
TEST_F(TFormMainV2Test, InstallAsksEvenInQuietModeAndDecidesOnTheUiThread) {
  Create(ustring(kSkin) + u"QuiteMode=1");
  machine.dialogs.ScriptAnswers({sys::mb::IdNo, sys::mb::IdYes});
  std::vector<BeginInstallResult> decided;
  for (int click = 0; click < 2; ++click) {
    model->BeginInstall(9, [&](BeginInstallResult result) { decided.push_back(result); });
    EXPECT_TRUE(model->Checking());
    model->BeginInstall(9, [&](BeginInstallResult) { ADD_FAILURE() << "a second check while one runs"; });
    while (model->Checking()) {
      if (machine.uiThread.WaitForTask(std::chrono::seconds(10))) machine.uiThread.RunPending();
    }
  }
  EXPECT_EQ(decided, (std::vector{BeginInstallResult::Declined, BeginInstallResult::ShowProgressWindow}));
  ASSERT_EQ(machine.dialogs.Boxes().size(), 2u);
  EXPECT_EQ(machine.dialogs.Boxes()[1].flags, sys::mb::YesNo | sys::mb::IconQuestion);
}

TEST(PictureNamesTest, OnlyPictureExtensionsAreDecoded) {
  EXPECT_TRUE(HasPictureExtension(u"C:\\R\\a.PNG"));
  EXPECT_TRUE(HasPictureExtension(u"b.jpeg"));
  EXPECT_TRUE(HasPictureExtension(u"logo.Ico"));
  EXPECT_FALSE(HasPictureExtension(u"C:\\R.png\\readme"));
  EXPECT_FALSE(HasPictureExtension(u"c.txt"));
  // Metafiles are pictures too, played rather than decoded.
  EXPECT_TRUE(HasPictureExtension(u"logo.WMF") && IsMetafileName(u"logo.WMF"));
  EXPECT_TRUE(IsEnhancedMetafileName(u"logo.emf") && !IsEnhancedMetafileName(u"logo.wmf"));
  EXPECT_FALSE(IsMetafileName(u"C:\\emf\\logo.png"));
}

}  // namespace
}  // namespace prn::ui
