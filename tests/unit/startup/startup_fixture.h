#pragma once
// A simulated machine with a driver package in C:\Package, the executable's
// resources, and a window toolkit that records what start-up creates.

#include <functional>
#include <vector>

#include <gtest/gtest.h>

#include "ui/form_host.h"
#include "app/startup.h"
#include "sim/machine.h"
#include "testing/test_files.h"

namespace prn::testing {

class RecordingFormHost : public ui::FormHost {
 public:
  void Initialize() override { initialized = true; }
  void CreateForm(ui::FormKind kind) override { created.push_back(kind); }
  void RunMessageLoop(const std::function<void()>& shown) override {
    loopRan = true;
    shown();
    if (whileRunning) whileRunning();
  }

  bool initialized = false;
  bool loopRan = false;
  std::vector<ui::FormKind> created;
  std::function<void()> whileRunning;  // runs while the "main window" is open
};

class StartupTest : public ::testing::Test {
 protected:
  static constexpr char16_t kPackage[] = u"C:\\Package";
  // The user's temporary folder, where %TEMP% leads.
  static constexpr char16_t kUserTemp[] = u"C:\\Users\\User\\AppData\\Local\\Temp";
  // The work folder named by the first unpredictable number of the simulated system.
  static constexpr char16_t kFirstWorkDir[] = u"C:\\Windows\\Temp\\PrnSetup-5EED00000000A1B2";

  StartupTest();

  // Setup.Ini in the package folder, with one valid entry unless told otherwise.
  void WriteSetupIni(ustring_view text);
  static ustring ValidEntry(ustring_view viewModeLine = u"ViewMode = 10", ustring_view section = u"QX1");
  // Runs start-up with these parameters and a fresh shell.
  int Run(const StringList& parameters);

  std::string LanguageResource(ustring_view suffix) const;

  sim::Machine machine;
  RecordingFormHost forms;
  std::unique_ptr<app::Startup> startup;
};

}  // namespace prn::testing
