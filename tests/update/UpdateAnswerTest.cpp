// The update service's answer: line splitting, the decision and the installer names allowed.
#include <gtest/gtest.h>

#include "update/TaskDialog.h"
#include "update/UpdateAnswer.h"

namespace quirel::update {
namespace {

TEST(SplitLines, EveryLineEndAndALastLineWithoutOne) {
  const struct {
    std::wstring text;
    std::vector<std::wstring> lines;
  } cases[] = {
      {L"", {}},
      {L"SI", {L"SI"}},
      {L"SI\r\n2.2.0.0\r\nSetup.exe\r\n", {L"SI", L"2.2.0.0", L"Setup.exe"}},
      {L"SI\n2.2.0.0\nSetup.exe", {L"SI", L"2.2.0.0", L"Setup.exe"}},
      {L"SI\r2.2.0.0\rSetup.exe", {L"SI", L"2.2.0.0", L"Setup.exe"}},
      {L"a\n\rb", {L"a", L"", L"b"}},    // LF then a lone CR: two ends
      {L"a\r\n\r\n", {L"a", L""}},       // an empty line, then nothing
      {L"\n", {L""}},
  };
  for (const auto& c : cases) EXPECT_EQ(SplitLines(c.text), c.lines) << testing::PrintToString(c.text);
}

TEST(ParseUpdateAnswer, OnlyAnExactSiIsANewVersion) {
  const struct {
    std::wstring text;
    bool newVersion;
    std::wstring fileName;
    int missing;
  } cases[] = {
      {L"SI\r\n2.2.0.0\r\nSetup.exe", true, L"Setup.exe", 0},
      {L"SI\n2.2.0.0\nSetup.exe\nextra\nlines", true, L"Setup.exe", 0},
      {L"SI\r2.2.0.0\rSetup.exe\r", true, L"Setup.exe", 0},
      {L"NO\r\n2.2.0.0\r\nSetup.exe", false, L"", 0},
      {L"si\r\n2.2.0.0\r\nSetup.exe", false, L"", 0},
      {L"Si\r\n2.2.0.0\r\nSetup.exe", false, L"", 0},
      {L"SI \r\n2.2.0.0\r\nSetup.exe", false, L"", 0},
      {L" SI\r\n2.2.0.0\r\nSetup.exe", false, L"", 0},
      {L"", false, L"", 0},
      {L"SI", true, L"", 1},
      {L"SI\r\n", true, L"", 1},
      {L"SI\r\n2.2.0.0", true, L"", 2},
  };
  for (const auto& c : cases) {
    const TUpdateAnswer answer = ParseUpdateAnswer(c.text);
    EXPECT_EQ(answer.NewVersion(), c.newVersion) << testing::PrintToString(c.text);
    EXPECT_EQ(answer.FileName, c.fileName) << testing::PrintToString(c.text);
    EXPECT_EQ(answer.MissingLine, c.missing) << testing::PrintToString(c.text);
  }
  EXPECT_EQ(ParseUpdateAnswer(L"SI\n2.2.0.0\nSetup.exe").VersionText, L"2.2.0.0");
}

TEST(IsPlainFileName, OnlyNamesThatStayInTheFolder) {
  const struct {
    std::wstring name;
    bool plain;
  } cases[] = {
      {L"Setup.exe", true},
      {L"Setup_2.2.exe", true},
      {L"Quirel Setup 2.2.exe", true},
      {L"a..b.exe", true},
      {L"COM10.exe", true},
      {L"CONSOLE.exe", true},
      {L"", false},
      {L".", false},
      {L"..", false},
      {L"..\\Setup.exe", false},
      {L"../Setup.exe", false},
      {L"sub/Setup.exe", false},
      {L"C:Setup.exe", false},
      {L"C:\\Windows\\evil.exe", false},
      {L"\\\\server\\share\\x.exe", false},
      {L"Setup.exe:stream", false},
      {L"Setup?.exe", false},
      {L"Set*up.exe", false},
      {L"Set|up.exe", false},
      {L"Set\"up.exe", false},
      {L"Set<up>.exe", false},
      {L"Set\tup.exe", false},
      {L"Setup.exe.", false},
      {L"Setup.exe ", false},
      {L"CON", false},
      {L"con.exe", false},
      {L"NUL.txt", false},
      {L"Aux", false},
      {L"COM1.exe", false},
      {L"lpt9", false},
      {L"CONIN$", false},
  };
  for (const auto& c : cases) EXPECT_EQ(IsPlainFileName(c.name), c.plain) << testing::PrintToString(c.name);
}

TEST(TaskDialogFlags, FromTheOptionsAndProperties) {
  TAdvTaskDialog dialog;
  EXPECT_EQ(dialog.Flags(), 0u);
  dialog.Options = {TTaskDialogOption::doHyperlinks, TTaskDialogOption::doCommandLinks};
  // Command links need a custom button to show as one.
  EXPECT_EQ(dialog.Flags(), 0x0001u);
  dialog.CustomButtons = {L"a", L"b"};
  EXPECT_EQ(dialog.Flags(), 0x0011u);
  dialog.AutoClose = true;
  dialog.DialogPosition = TTaskDialogPosition::dpOwnerFormCenter;
  EXPECT_EQ(dialog.Flags(), 0x1811u);
  dialog.Options.insert(TTaskDialogOption::doAllowDialogCancel);
  EXPECT_EQ(dialog.Flags(), 0x1819u);
}

}  // namespace
}  // namespace quirel::update
