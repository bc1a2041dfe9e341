// Loading the library on the simulated machine, and the caller's session.

#include <gtest/gtest.h>

#include "inst2k_fixture.h"
#include "install/inst2k_session.h"
#include "sys/win_errors.h"
#include "text/error.h"

namespace prn::testing {
namespace {

using LibraryLoading = Inst2kTest;

TEST_F(LibraryLoading, AMissingOrRefusedLibraryAnswersTheLoadError) {
  EXPECT_EQ(machine.deviceLibraries.Load(u"C:\\Work\\nothere.dll").error, winerr::ModNotFound);
  machine.deviceLibraries.FailLoad(kLibrary, 193);
  auto load = Load();
  EXPECT_FALSE(load.library);
  EXPECT_EQ(load.error, 193u);
}

TEST_F(LibraryLoading, AnotherDllLoadsWithoutExportsAndExportsCanBeTakenAway) {
  WriteFile(machine.files, u"C:\\Work\\other.dll", "MZ");
  auto other = machine.deviceLibraries.Load(u"C:\\Work\\other.dll");
  ASSERT_TRUE(other.library);
  EXPECT_FALSE(other.library->Exports().FuncInst2K);

  machine.deviceLibraries.RemoveExport(kLibrary, "LastInstallErrorCode");
  machine.deviceLibraries.UseOlderEntryName(kLibrary);
  auto load = Load();
  EXPECT_FALSE(load.library->Exports().LastInstallErrorCode);
  EXPECT_FALSE(load.library->Exports().FuncInst2K);
  EXPECT_TRUE(load.library->Exports().Inst2K);
  EXPECT_TRUE(load.library->Exports().FuncFindExistDevice);
}

TEST_F(LibraryLoading, ModuleStateIsSharedWhileLoadsOverlapAndStartsAfreshAfterTheLast) {
  machine.devices.updateScenario = {sim::DriverUpdateOutcome::Fail, winerr::AccessDenied};
  AddUsbPrinter();
  {
    auto first = Load();
    first.library->Exports().FuncInst2K(ToUtf8(kInf).c_str(), "QuillonQX17A3F", "LPT1:", 0);
    auto second = Load();
    EXPECT_EQ(machine.deviceLibraries.ActiveLoads(kLibrary), 2);
    EXPECT_EQ(second.library->Exports().LastInstallErrorCode(), winerr::AccessDenied);
  }
  EXPECT_EQ(machine.deviceLibraries.ActiveLoads(kLibrary), 0);
  EXPECT_EQ(Load().library->Exports().LastInstallErrorCode(), 0u);
  EXPECT_EQ(machine.deviceLibraries.TotalLoads(kLibrary), 3);
}

class Inst2kSessionTest : public Inst2kTest {
 protected:
  install::Inst2kSession Session() { return install::Inst2kSession(machine.deviceLibraries, machine.lastError, kLibrary); }
};

TEST_F(Inst2kSessionTest, ReadsTheInstallErrorCodeInTheSameLoadAndUnloadsAtTheEnd) {
  AddUsbPrinter();
  machine.devices.updateScenario.outcome = sim::DriverUpdateOutcome::UserDeclines;
  {
    auto session = Session();
    auto outcome = session.Install(ToUtf8(kInf), "QuillonQX17A3F", "USB001", 0);
    ASSERT_TRUE(outcome);
    EXPECT_EQ(outcome->result, 2);
    EXPECT_EQ(outcome->lastInstallErrorCode, winerr::NoCatalogForOemInf);
    EXPECT_EQ(machine.deviceLibraries.ActiveLoads(kLibrary), 1);
  }
  EXPECT_EQ(machine.deviceLibraries.ActiveLoads(kLibrary), 0);
}

TEST_F(Inst2kSessionTest, SwitchesTheFailureBoxesOff) {
  auto earlier = Load();
  earlier.library->Exports().ShowErrorCode(1);
  machine.devices.openFailure = winerr::AccessDenied;
  auto session = Session();
  auto found = session.FindExistDevice("QuillonQX17A3F");
  ASSERT_TRUE(found);
  EXPECT_FALSE(found->found);
  EXPECT_TRUE(machine.deviceInstall.MessageBoxes().empty());
}

TEST_F(Inst2kSessionTest, FindsTheDeviceWithItsIds) {
  AddUsbPrinter();
  auto found = Session().FindExistDevice("QuillonQX17A3F");
  ASSERT_TRUE(found);
  EXPECT_TRUE(found->found);
  EXPECT_EQ(found->hardwareId, "USBPRINT\\QuillonQX17A3F");
  EXPECT_EQ(found->instanceId, kUsbInstance);
}

TEST_F(Inst2kSessionTest, MissingExportsGiveNothing) {
  machine.deviceLibraries.RemoveExport(kLibrary, "LastInstallErrorCode");
  machine.deviceLibraries.RemoveExport(kLibrary, "RefreshHW");
  machine.deviceLibraries.RemoveExport(kLibrary, "ShowErrorCode");
  auto session = Session();
  EXPECT_FALSE(session.RefreshHW());
  EXPECT_FALSE(session.ShowErrorCode(0));
  auto outcome = session.Install(ToUtf8(kInf), "QuillonQX17A3F", "USB001", 0);
  ASSERT_TRUE(outcome);
  EXPECT_FALSE(outcome->lastInstallErrorCode);
}

TEST_F(Inst2kSessionTest, ProbeAndRegistrationStartFromAClearedLastError) {
  AddUsbPrinter();
  auto session = Session();
  machine.lastError.Set(1234);
  EXPECT_EQ(session.IsInlineDeviceExist(0, "QuillonQX17A3F", ToUtf8(kInf), 4), 0u);
  EXPECT_EQ(machine.lastError.Get(), 0u);

  auto registered = session.RegistryInf(ToUtf8(kInf), std::string("C:\\Package\\"));
  ASSERT_TRUE(registered);
  EXPECT_TRUE(registered->succeeded);
  EXPECT_EQ(registered->oemInfName, "C:\\Windows\\INF\\oem0.inf");
  auto missing = session.RegistryInf("C:\\Package\\missing.inf", std::nullopt);
  EXPECT_FALSE(missing->succeeded);
  EXPECT_EQ(missing->lastError, winerr::FileNotFound);
}

TEST_F(Inst2kSessionTest, AnUnloadableLibraryIsReportedOrRaised) {
  install::Inst2kSession session(machine.deviceLibraries, machine.lastError, u"C:\\Work\\gone.dll");
  EXPECT_FALSE(session.Loaded());
  EXPECT_EQ(session.LoadError(), winerr::ModNotFound);
  EXPECT_FALSE(session.Install("a.inf", "id", "LPT1:", 0));
  try {
    install::Inst2kSession::Require(machine.deviceLibraries, machine.lastError, u"C:\\Work\\gone.dll");
    FAIL() << "no error raised";
  } catch (const Error& error) {
    EXPECT_EQ(error.Text(), u"DllNotFound :\r\nC:\\Work\\gone.dll");
  }
}

}  // namespace
}  // namespace prn::testing
