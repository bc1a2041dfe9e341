// prnsetup-tool.exe check under Wine: the console build decodes the pictures
// with the system's imaging component, chosen by each file's name, so a
// cut-off PNG and a JPEG named .png fail as they fail in the windows.

#include <windows.h>

#include <gtest/gtest.h>

#include "sys/win32/files.h"
#include "sys/win32/handle.h"
#include "sys/win32/text.h"
#include "text/winpath.h"
#include "wine/wine_test_support.h"

namespace prn::testing {
namespace {

struct ToolRun {
  DWORD exitCode = 0;
  std::string output;
};

// Runs prnsetup-tool.exe of this build with `arguments`, its output into a file.
ToolRun RunTool(const ustring& arguments, const ustring& outputFile) {
  SECURITY_ATTRIBUTES inherit{sizeof(inherit), nullptr, TRUE};
  win32::FileHandle output(CreateFileW(win32::W(outputFile), GENERIC_WRITE, FILE_SHARE_READ, &inherit, CREATE_ALWAYS,
                                       FILE_ATTRIBUTE_NORMAL, nullptr));
  EXPECT_TRUE(output);
  const ustring exe = JoinPath(BinFolder(), u"prnsetup-tool.exe");
  ustring commandLine = u"\"" + exe + u"\" " + arguments;
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdOutput = output.Get();
  startup.hStdError = output.Get();
  PROCESS_INFORMATION info{};
  ToolRun run;
  if (!CreateProcessW(win32::W(exe), win32::W(commandLine), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup,
                      &info)) {
    ADD_FAILURE() << "prnsetup-tool.exe did not start";
    return run;
  }
  win32::KernelHandle process(info.hProcess), thread(info.hThread);
  EXPECT_EQ(WaitForSingleObject(process.Get(), 60000), WAIT_OBJECT_0);
  GetExitCodeProcess(process.Get(), &run.exitCode);
  output.Reset();
  win32::Win32FileSystem().ReadFile(outputFile, run.output);
  return run;
}

TEST(ToolCheck, DecodesThePackagesPicturesWithTheSystemDecoderByTheirNames) {
  win32::Win32FileSystem files;
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  const ustring root = JoinPath(win32::U(temp), u"prn-tool-check");
  const ustring package = JoinPath(root, u"package");
  files.DeleteTree(root);
  ASSERT_EQ(files.CreateDirectories(package), 0u);
  ASSERT_EQ(files.CopyTree(SourcePath("examples/package"), package), 0u);
  const ustring output = JoinPath(root, u"output.txt");

  ToolRun clean = RunTool(u"check \"" + package + u"\"", output);
  EXPECT_EQ(clean.exitCode, 0u) << clean.output;
  EXPECT_NE(clean.output.find("0 errors, 0 warnings"), std::string::npos) << clean.output;

  std::string background, logo;
  ASSERT_EQ(files.ReadFile(JoinPath(package, u"Resource\\Background.EN.png"), background), 0u);
  ASSERT_EQ(files.ReadFile(JoinPath(package, u"QX1Logo.jpg"), logo), 0u);
  ASSERT_EQ(files.WriteFile(JoinPath(package, u"Resource\\Background.EN.png"), background.substr(0, 3000)), 0u);
  ASSERT_EQ(files.WriteFile(JoinPath(package, u"Resource\\Printer.png"), logo), 0u);

  ToolRun broken = RunTool(u"check --lang EN \"" + package + u"\"", output);
  EXPECT_EQ(broken.exitCode, 1u) << broken.output;
  EXPECT_NE(broken.output.find("error   Resource\\Background.EN.png: does not decode as PNG"), std::string::npos)
      << broken.output;
  EXPECT_NE(broken.output.find("error   Resource\\Printer.png: is a JPEG file with a PNG name"), std::string::npos)
      << broken.output;
  files.DeleteTree(root);
}

}  // namespace
}  // namespace prn::testing
