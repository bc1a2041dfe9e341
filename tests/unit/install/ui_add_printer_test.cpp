#include <gtest/gtest.h>

#include "install/install_context.h"
#include "install/ui_add_printer.h"
#include "package_fixture.h"
#include "sys/win_errors.h"
#include "testing/test_files.h"
#include "trace/trace.h"

namespace prn::install {
namespace {

using testing::kModel;
using testing::kInf;

constexpr char16_t kCommandText[] =
    u"rundll32 printui.dll,PrintUIEntry /if /b \"Quillon QX1\" /f \"C:\\Package\\Driver\\QX1.INF\" "
    u"/r \"LPT1:\" /m \"Quillon QX1\" /q";
constexpr char16_t kCommandRun[] =
    u"\"C:\\Windows\\system32\\rundll32.exe\" printui.dll,PrintUIEntry /if /b \"Quillon QX1\" "
    u"/f \"C:\\Package\\Driver\\QX1.INF\" /r \"LPT1:\" /m \"Quillon QX1\" /q";

class UIAddPrinterTest : public testing::PackageTest {
 protected:
  uint32_t Add(const ustring& name = kModel, const ustring& inf = kInf, const ustring& port = u"LPT1:") {
    return UIAddPrinter(machine.Platform(), name, inf, port, newPrinter);
  }
  // The printui command is replaced by one whose effect the test chooses.
  void ScriptCommand(std::function<void()> effect) {
    sim::ScriptedCommand command;
    command.run.atEnd = std::move(effect);
    machine.processes.Script(kCommandRun, command);
  }

  ustring newPrinter = u"unset";
  trace::Capture trace;
};

TEST_F(UIAddPrinterTest, BuildsTheDocumentedCommandLine) {
  EXPECT_EQ(PrintUiAddPrinterCommand(u"rundll32", kModel, kInf, u"LPT1:"), kCommandText);
}

TEST_F(UIAddPrinterTest, GainingExactlyOnePrinterInstallsDriverAndQueue) {
  machine.lastError.Set(winerr::AccessDenied);
  EXPECT_EQ(Add(), 0u);
  EXPECT_EQ(newPrinter, kModel);
  EXPECT_EQ(machine.lastError.Get(), 0u);

  auto printer = machine.spooler.FindPrinter(kModel);
  ASSERT_TRUE(printer);
  EXPECT_EQ(printer->pPortName, u"LPT1:");
  EXPECT_EQ(printer->pDriverName, kModel);
  auto driver = machine.spooler.FindDriver(kModel);
  ASSERT_TRUE(driver);
  EXPECT_EQ(Read(driver->pDataFile), testing::GpdText("1.0.3"));  // the INF's data file, installed

  // Traced as the system printer UI's command; run from the system folder.
  EXPECT_TRUE(trace.Contains(u"命令行參數：" + ustring(kCommandText)));
  EXPECT_TRUE(trace.Contains(u"RunCMD_pipe函數成功調用返回。"));
  EXPECT_TRUE(trace.Contains(u"成功安装打印機驅動程序及打印機：Quillon QX1 <1>"));
  ASSERT_EQ(machine.processes.Started().size(), 1u);
  EXPECT_EQ(machine.processes.Started()[0].commandLine, kCommandRun);
  EXPECT_TRUE(machine.processes.Started()[0].captured);
}

TEST_F(UIAddPrinterTest, NewNameLongerThanTheModelIsFoundWithoutRegardToCase) {
  machine.spooler.PutDriver(kModel);
  machine.spooler.PutPrinter(u"QUILLON QX1", kModel, u"LPT2:");
  machine.spooler.PutPrinter(u"Other Printer", kModel, u"LPT3:");
  ScriptCommand([&] { machine.spooler.PutPrinter(u"quillon qx1 (Copy 1)", kModel, u"LPT1:"); });
  EXPECT_EQ(Add(), 0u);
  EXPECT_EQ(newPrinter, u"quillon qx1 (Copy 1)");
}

TEST_F(UIAddPrinterTest, TwoNewPrintersAtOnceFail) {
  machine.spooler.PutDriver(kModel);
  ScriptCommand([&] {
    machine.spooler.PutPrinter(u"Quillon QX1", kModel, u"LPT1:");
    machine.spooler.PutPrinter(u"Quillon QX1 (USB)", kModel, u"USB001");
  });
  EXPECT_EQ(Add(), UIAddPrinterFailed);
  EXPECT_EQ(newPrinter, u"unset");
}

TEST_F(UIAddPrinterTest, GrowingByANameThatWasThereBeforeIsNotIdentified) {
  machine.spooler.PutDriver(kModel);
  machine.spooler.PutPrinter(u"Quillon QX1", kModel, u"LPT2:");
  ScriptCommand([&] { machine.spooler.PutPrinter(u"QUILLON qx1", kModel, u"LPT1:"); });
  EXPECT_EQ(Add(), UIAddPrinterNoNewPrinter);
  EXPECT_EQ(newPrinter, u"unset");
  EXPECT_TRUE(trace.Contains(u"安装打印機驅動程序及打印機失敗，原因未知！"));
}

TEST_F(UIAddPrinterTest, PrinterOfThatNameAlreadyThereMeansNoGrowth) {
  machine.spooler.PutDriver(kModel);
  machine.spooler.PutPrinter(kModel, kModel, u"LPT2:");
  EXPECT_EQ(Add(), UIAddPrinterFailed);
  EXPECT_EQ(machine.spooler.FindPrinter(kModel)->pPortName, u"LPT2:");
}

TEST_F(UIAddPrinterTest, ModelTheInfDoesNotListOrMissingPortCreateNothing) {
  EXPECT_EQ(Add(u"Quillon QX9"), UIAddPrinterFailed);
  EXPECT_EQ(Add(kModel, kInf, u"USB009"), UIAddPrinterFailed);
  EXPECT_FALSE(machine.spooler.FindPrinter(u"Quillon QX9"));
  EXPECT_FALSE(machine.spooler.FindPrinter(kModel));
  EXPECT_FALSE(machine.spooler.FindDriver(kModel));
}

TEST_F(UIAddPrinterTest, DoubleQuoteInAnArgumentIsRefusedWithoutRunningAnything) {
  EXPECT_EQ(Add(u"Quillon QX1\" /r \"COM1:"), UIAddPrinterFailed);
  EXPECT_EQ(Add(kModel, u"C:\\Package\\Driver\\QX1.INF\" /z \"x"), UIAddPrinterFailed);
  EXPECT_EQ(Add(kModel, kInf, u"LPT1:\" /b \"Evil"), UIAddPrinterFailed);
  EXPECT_EQ(Add(kModel, kInf, u"C:\\out\\"), UIAddPrinterFailed);  // would escape the closing quote
  EXPECT_TRUE(machine.processes.Started().empty());
  EXPECT_TRUE(trace.Contains(u"打印機名稱、Inf路徑或端口含有雙引號或以反斜杠結尾，拒絕執行命令行。"));
  EXPECT_EQ(newPrinter, u"unset");
}

TEST_F(UIAddPrinterTest, CommandThatCannotStartFails) {
  sim::ScriptedCommand cannotStart;
  cannotStart.startError = winerr::FileNotFound;
  machine.processes.Script(kCommandRun, cannotStart);
  EXPECT_EQ(Add(), UIAddPrinterFailed);
  EXPECT_TRUE(trace.Contains(u"RunCMD 創建調用進程失敗，函數退出！"));
  EXPECT_FALSE(trace.Contains(u"RunCMD_pipe函數成功調用返回。"));
}

}  // namespace
}  // namespace prn::install
