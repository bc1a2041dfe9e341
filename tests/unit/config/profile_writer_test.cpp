// Writing keys of profile files as WritePrivateProfileStringW does.

#include <gtest/gtest.h>

#include "config/profile_store.h"
#include "sim/machine.h"
#include "testing/test_files.h"

namespace prn::config {
namespace {

TEST(ProfileWriter, ReplacesTheKeyInItsSectionAndKeepsEverythingElse) {
  EXPECT_EQ(SetProfileString(u"; result\r\n[Other]\r\nRet=1\r\n[data]\r\n  flag = 4\r\nRET=7\n\n[Last]\r\nx=y",
                             u"Data", u"Ret", u"3758096907"),
            u"; result\r\n[Other]\r\nRet=1\r\n[data]\r\n  flag = 4\r\nRET=3758096907\r\n\r\n[Last]\r\nx=y\r\n");
}

TEST(ProfileWriter, AddsAMissingKeyAfterTheSectionsLastEntry) {
  EXPECT_EQ(SetProfileString(u"[Data]\r\nFlag=4\r\n\r\n[Next]\r\n", u"Data", u"Ret", u"0"),
            u"[Data]\r\nFlag=4\r\nRet=0\r\n\r\n[Next]\r\n");
  EXPECT_EQ(SetProfileString(u"[Data]\r\n", u"Data", u"Ret", u"0"), u"[Data]\r\nRet=0\r\n");
}

TEST(ProfileWriter, AddsAMissingSectionAtTheEnd) {
  EXPECT_EQ(SetProfileString(u"", u"Data", u"Flag", u"4"), u"[Data]\r\nFlag=4\r\n");
  EXPECT_EQ(SetProfileString(u"[Other]\r\na=b", u"Data", u"Flag", u"4"), u"[Other]\r\na=b\r\n[Data]\r\nFlag=4\r\n");
}

TEST(ProfileStore, WritesAndReadsBackKeepingAUnicodeFilesEncoding) {
  sim::Machine machine;
  FileProfileStore store(machine.files, machine.codePage);
  const ustring ansiFile = u"C:\\Temp\\tmp1.tmp";
  const ustring unicodeFile = u"C:\\Temp\\tmp2.tmp";
  testing::WriteFile(machine.files, ansiFile, "");
  testing::WriteUtf16File(machine.files, unicodeFile, u"[Data]\r\nFlag=2\r\n");

  EXPECT_EQ(store.ReadInteger(ansiFile, u"Data", u"Flag", 4), 4);
  EXPECT_EQ(store.WriteString(ansiFile, u"Data", u"Flag", u"4"), 0u);
  EXPECT_EQ(store.WriteString(unicodeFile, u"Data", u"Ret", u"259"), 0u);
  EXPECT_EQ(store.WriteString(u"C:\\Temp\\new.ini", u"Data", u"Ret", u"1"), 0u);

  std::string bytes;
  machine.files.ReadFile(ansiFile, bytes);
  EXPECT_EQ(bytes, "[Data]\r\nFlag=4\r\n");
  machine.files.ReadFile(unicodeFile, bytes);
  EXPECT_EQ(bytes, testing::Utf16LeWithBom(u"[Data]\r\nFlag=2\r\nRet=259\r\n"));
  EXPECT_EQ(store.ReadInteger(unicodeFile, u"data", u"ret", 1067), 259);
  EXPECT_EQ(store.ReadInteger(u"C:\\Temp\\new.ini", u"Data", u"Ret", 1067), 1);
  EXPECT_EQ(store.ReadString(u"C:\\Temp\\none.ini", u"Data", u"Ret", u"1067"), u"1067");
  EXPECT_NE(store.WriteString(u"C:\\NoFolder\\x.ini", u"Data", u"Ret", u"1"), 0u);
}

TEST(ProfileStore, IntegersAreLeadingDecimalNumbers) {
  sim::Machine machine;
  FileProfileStore store(machine.files, machine.codePage);
  testing::WriteFile(machine.files, u"C:\\t.ini", "[Data]\r\nA= 12abc\r\nB=\r\nC=x\r\nD=-3\r\n");
  EXPECT_EQ(store.ReadInteger(u"C:\\t.ini", u"Data", u"A", 4), 12);
  EXPECT_EQ(store.ReadInteger(u"C:\\t.ini", u"Data", u"B", 4), 4);
  EXPECT_EQ(store.ReadInteger(u"C:\\t.ini", u"Data", u"C", 4), 0);
  EXPECT_EQ(store.ReadInteger(u"C:\\t.ini", u"Data", u"D", 4), -3);
}

}  // namespace
}  // namespace prn::config
