// The start-up error messages of the engine checks and of loading libcef.dll.
#include <gtest/gtest.h>

#include "engine/EngineFiles.h"

namespace quirel {
namespace {

const std::wstring kNote = kSupportedBinariesNote;

TEST(StartupMessages, MissingFilesListTheTrimmedFiles) {
  EXPECT_EQ(MissingFilesMessage(L""), L"CEF binaries missing !");
  EXPECT_EQ(MissingFilesMessage(L"\r\n \r\n"), L"CEF binaries missing !");
  EXPECT_EQ(MissingFilesMessage(L"\r\nC:\\e\\libcef.dll\r\nlocales\\it.pak\r\n"),
            L"CEF binaries missing !\r\n\r\nThe missing files are :\r\n"
            L"C:\\e\\libcef.dll\r\nlocales\\it.pak");
}

TEST(StartupMessages, UnsupportedVersionShowsBothVersionsWhenKnown) {
  EXPECT_EQ(UnsupportedVersionMessage(L"87.1.6.0", std::nullopt),
            L"Unsupported CEF version !\r\n\r\n" + kNote);
  EXPECT_EQ(UnsupportedVersionMessage(L"87.1.6.0", TFileVersionInfo{87, 1, 6, 1}),
            L"Unsupported CEF version !\r\n\r\n" + kNote +
                L"\r\n\r\nExpected libcef.dll version : 87.1.6.0\r\n"
                L"Found libcef.dll version : 87.1.6.1");
}

TEST(StartupMessages, SupportedBinariesNoteIsOneSentenceWithoutAddress) {
  EXPECT_FALSE(kNote.empty());
  EXPECT_EQ(kNote.back(), L'.');
  EXPECT_EQ(kNote.find(L'.'), kNote.size() - 1);
  EXPECT_EQ(kNote.find(L"http"), std::wstring::npos);
  EXPECT_EQ(kNote.find(L"www"), std::wstring::npos);
}

TEST(StartupMessages, MachineTypeIsJudgedAgainstTheOwnBuild) {
  const std::wstring wrong = L"Wrong CEF binaries !\r\n\r\n";
  const std::wstring unknown = L"Unknown CEF binaries !\r\n\r\n" + kNote;
  struct Case {
    uint16_t machine, own;
    std::optional<std::wstring> message;
  };
  const Case cases[] = {
      {0x014C, 0x014C, std::nullopt},
      {0x8664, 0x8664, std::nullopt},
      {0x8664, 0x014C, wrong + L"Use the 64 bit CEF binaries with 64 bits applications only."},
      {0x014C, 0x8664, wrong + L"Use the 32 bit CEF binaries with 32 bits applications only."},
      {0xAA64, 0x014C, unknown},
      {0xAA64, 0x8664, unknown},
      {0x0000, 0x8664, unknown},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << std::hex << c.machine << " in " << c.own);
    EXPECT_EQ(MachineTypeMessage(c.machine, c.own), c.message);
  }
  EXPECT_EQ(kOwnMachine, sizeof(void*) == 8 ? 0x8664 : 0x014C);
}

TEST(StartupMessages, LoadErrorShowsTheCodeInHexAndTheTrimmedSystemText) {
  struct Case {
    uint32_t code;
    std::wstring systemText, message;
  };
  const std::wstring head = L"Error loading libcef.dll\r\n\r\nError code : 0x";
  const Case cases[] = {
      {193, L"Bad EXE format for %1.\r\n", head + L"000000C1\r\nBad EXE format for %1"},
      {126, L"Module not found. . \r\n\r\n", head + L"0000007E\r\nModule not found"},
      {0xC0000135, L"", head + L"C0000135\r\n"},
      {0xabcdef, L"x", head + L"00ABCDEF\r\nx"},
  };
  for (const Case& c : cases) EXPECT_EQ(LoadErrorMessage(c.code, c.systemText), c.message);
}

}  // namespace
}  // namespace quirel
