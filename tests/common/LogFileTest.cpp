// AddLog against real files in a scratch folder.
#include <gtest/gtest.h>

#include <regex>
#include <utility>

#include "TestFiles.h"
#include "common/Encoding.h"
#include "common/Errors.h"
#include "common/Globals.h"
#include "common/Log.h"
#include "common/LogText.h"

namespace quirel {
namespace {

using test::ReadBytes;
using test::WriteBytes;

SYSTEMTIME Noon(WORD ms = 7) {
  SYSTEMTIME t{};
  t.wYear = 2022;
  t.wMonth = 9;
  t.wDay = 14;
  t.wHour = 12;
  t.wMinute = 0;
  t.wSecond = 0;
  t.wMilliseconds = ms;
  return t;
}

const std::string kStamp = "2022-09-14 12.00.00.07 --> ";

class LogFile : public ::testing::Test {
 protected:
  test::ScratchDir dir;
  std::wstring log = dir / L"QuirelLog.txt";
};

TEST_F(LogFile, EmptyTextCreatesNoFile) {
  AddLogToFile(log, L"", Noon());
  EXPECT_FALSE(test::Exists(log));
}

TEST_F(LogFile, EmptyTextLeavesAnExistingFileAlone) {
  WriteBytes(log, "\xEF\xBB\xBFkeep");  // no final break: a rewrite would add one
  AddLogToFile(log, L"", Noon());
  EXPECT_EQ(ReadBytes(log), "\xEF\xBB\xBFkeep");
}

TEST_F(LogFile, MissingFileGetsExactlyOneLine) {
  AddLogToFile(log, L"Errore: qualcosa", Noon());
  EXPECT_EQ(ReadBytes(log), kStamp + "Errore: qualcosa\r\n");
}

TEST_F(LogFile, LinesAccumulate) {
  AddLogToFile(log, L"one", Noon());
  AddLogToFile(log, L"two", Noon(123));
  EXPECT_EQ(ReadBytes(log), kStamp + "one\r\n2022-09-14 12.00.00.123 --> two\r\n");
}

TEST_F(LogFile, ExistingLineBreaksAreRewrittenAsCrLf) {
  WriteBytes(log, "a\nb\rc");
  AddLogToFile(log, L"d", Noon());
  EXPECT_EQ(ReadBytes(log), "a\r\nb\r\nc\r\n" + kStamp + "d\r\n");
}

TEST_F(LogFile, TextWithBreaksBecomesSeveralLinesReadBackSeparately) {
  // The text's own break is written as it is; only the stamped entry ends with CR LF.
  AddLogToFile(log, L"first\nsecond", Noon());
  EXPECT_EQ(ReadBytes(log), kStamp + "first\nsecond\r\n");
  AddLogToFile(log, L"third", Noon());
  EXPECT_EQ(ReadBytes(log), kStamp + "first\r\nsecond\r\n" + kStamp + "third\r\n");
}

std::string LogOfLength(std::size_t total) {
  std::string text;
  for (std::size_t i = 0; i < total / 1024; ++i) text += std::string(1022, 'x') + "\r\n";
  return text;
}

TEST_F(LogFile, TextOfExactlyTheLimitKeepsItsContent) {
  const std::string old = LogOfLength(1024000);
  ASSERT_EQ(old.size(), 1024000u);
  WriteBytes(log, old);
  AddLogToFile(log, L"new", Noon());
  EXPECT_EQ(ReadBytes(log), old + kStamp + "new\r\n");
}

TEST_F(LogFile, OneUnitOverTheLimitRestartsWithTheNewLineOnly) {
  const std::string old = LogOfLength(1024000 - 1024) + std::string(1023, 'x') + "\r\n";
  ASSERT_EQ(old.size(), 1024001u);
  WriteBytes(log, old);
  AddLogToFile(log, L"new", Noon());
  EXPECT_EQ(ReadBytes(log), kStamp + "new\r\n");
}

TEST_F(LogFile, GrowsPastTheLimitThenRestarts) {
  // 1023999 units: the next line takes the text past the limit, the call after restarts it.
  const std::string old = LogOfLength(1024000 - 1024) + std::string(1021, 'x') + "\r\n";
  ASSERT_EQ(old.size(), 1023999u);
  WriteBytes(log, old);
  AddLogToFile(log, L"over", Noon());
  EXPECT_EQ(ReadBytes(log), old + kStamp + "over\r\n");
  AddLogToFile(log, L"again", Noon());
  EXPECT_EQ(ReadBytes(log), kStamp + "again\r\n");
}

TEST_F(LogFile, TheLimitCountsUtf16CodeUnitsNotBytes) {
  // 1000 lines of 1022 "è" (two bytes each in UTF-8): 1024000 code units, about 2 MB on disk.
  std::string line;
  for (int i = 0; i < 1022; ++i) line += "\xC3\xA8";
  std::string old = "\xEF\xBB\xBF";
  for (int i = 0; i < 1000; ++i) old += line + "\r\n";
  WriteBytes(log, old);
  AddLogToFile(log, L"new", Noon());
  EXPECT_EQ(ReadBytes(log), old + kStamp + "new\r\n");
}

TEST_F(LogFile, MarkedEncodingsAreKeptWithTheirMark) {
  for (TextEncoding e : {TextEncoding::Utf8, TextEncoding::Utf16LE, TextEncoding::Utf16BE}) {
    SCOPED_TRACE(static_cast<int>(e));
    WriteBytes(log, EncodeText(L"gi\u00E0\r\n", e));
    AddLogToFile(log, L"perch\u00E9 \u20AC", Noon());
    EXPECT_EQ(ReadBytes(log), EncodeText(L"gi\u00E0\r\n" + AnsiToWide(kStamp) + L"perch\u00E9 \u20AC\r\n", e));
  }
  // the usual one, byte for byte
  WriteBytes(log, "\xEF\xBB\xBF" "gi\xC3\xA0\r\n");
  AddLogToFile(log, L"\u20AC", Noon());
  EXPECT_EQ(ReadBytes(log), "\xEF\xBB\xBF" "gi\xC3\xA0\r\n" + kStamp + "\xE2\x82\xAC\r\n");
}

TEST_F(LogFile, RestartKeepsTheEncodingFound) {
  std::wstring big;
  for (int i = 0; i < 1001; ++i) big += std::wstring(1022, L'x') + L"\r\n";
  WriteBytes(log, EncodeText(big, TextEncoding::Utf8));
  AddLogToFile(log, L"new", Noon());
  EXPECT_EQ(ReadBytes(log), "\xEF\xBB\xBF" + kStamp + "new\r\n");
}

TEST_F(LogFile, FileWithoutMarkIsRewrittenInTheAnsiCodePage) {
  const std::wstring accented = L"citt\u00E0";
  const std::string ansi = WideToAnsi(accented);
  WriteBytes(log, ansi + "\r\n");
  AddLogToFile(log, accented, Noon());
  EXPECT_EQ(ReadBytes(log), ansi + "\r\n" + kStamp + ansi + "\r\n");
}

TEST_F(LogFile, AnsiIsTheSystemCodePage) {
  if (GetACP() != 1252) GTEST_SKIP() << "code page " << GetACP();
  WriteBytes(log, "citt\xE0\r\n");
  AddLogToFile(log, L"\u00E8", Noon());
  EXPECT_EQ(ReadBytes(log), "citt\xE0\r\n" + kStamp + "\xE8\r\n");
}

TEST_F(LogFile, NewFileIsInTheAnsiCodePageWithoutMark) {
  AddLogToFile(log, L"citt\u00E0", Noon());
  EXPECT_EQ(ReadBytes(log), kStamp + WideToAnsi(L"citt\u00E0") + "\r\n");
}

TEST_F(LogFile, FileHeldByAWriterCannotBeOpenedAndStaysUnchanged) {
  WriteBytes(log, "old\r\n");
  HANDLE writer = CreateFileW(log.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(writer, INVALID_HANDLE_VALUE);
  try {
    AddLogToFile(log, L"x", Noon());
    ADD_FAILURE() << "no error raised";
  } catch (const EFOpenError& e) {
    EXPECT_EQ(e.ErrorCode(), static_cast<uint32_t>(ERROR_SHARING_VIOLATION));
    EXPECT_EQ(e.Message().rfind(L"Cannot open file \"" + log + L"\". ", 0), 0u) << e.what();
    EXPECT_NE(e.Message(), L"Cannot open file \"" + log + L"\". ") << "system message missing";
  }
  CloseHandle(writer);
  EXPECT_EQ(ReadBytes(log), "old\r\n");
}

TEST_F(LogFile, FileThatCannotBeReplacedKeepsItsContent) {
  WriteBytes(log, "old\r\n");
  // A reader that shares only reading: the log can be read, not replaced.
  HANDLE reader = CreateFileW(log.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(reader, INVALID_HANDLE_VALUE);
  EXPECT_THROW(AddLogToFile(log, L"x", Noon()), EFCreateError);
  CloseHandle(reader);
  EXPECT_EQ(ReadBytes(log), "old\r\n");
}

TEST_F(LogFile, FolderThatDoesNotExistRaisesACreateError) {
  const std::wstring missing = dir / L"no such folder\\QuirelLog.txt";
  try {
    AddLogToFile(missing, L"x", Noon());
    ADD_FAILURE() << "no error raised";
  } catch (const EFCreateError& e) {
    EXPECT_EQ(e.Message().rfind(L"Cannot create file \"" + missing + L"\". ", 0), 0u) << e.what();
  }
}

TEST_F(LogFile, SymbolicLinkToALogIsFollowed) {
  const std::wstring target = dir / L"real.txt";
  WriteBytes(target, "old\r\n");
  // Wine answers success without making the link: skip unless the link is really there.
  if (!CreateSymbolicLinkW(log.c_str(), target.c_str(), 0) || !test::Exists(log))
    GTEST_SKIP() << "symbolic links unavailable here";
  AddLogToFile(log, L"x", Noon());
  EXPECT_EQ(ReadBytes(log), "old\r\n" + kStamp + "x\r\n");
}

TEST_F(LogFile, AddLogWritesBesideAppPathWithTheLocalTime) {
  const std::wstring saved = std::exchange(AppPath, dir.path());
  SYSTEMTIME before;
  GetLocalTime(&before);
  AddLog(L"hello");
  AddLog(L"");
  AppPath = saved;

  const std::string text = ReadBytes(dir / LogFileName);
  std::smatch m;
  ASSERT_TRUE(std::regex_match(text, m, std::regex(R"((\d{4})-(\d\d)-(\d\d) \d\d\.\d\d\.\d\d\.\d{2,3} --> hello\r\n)")))
      << text;
  EXPECT_EQ(std::stoi(m[1]), before.wYear);
}

}  // namespace
}  // namespace quirel
