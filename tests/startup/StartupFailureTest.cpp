// Start-up failures of the browser process, seen as a user sees them: exactly one message box
// with the engine host's message, no single-instance mutex, no other window, exit code 0.
#include <gtest/gtest.h>

#include <functional>

#include "StartupFixture.h"

namespace quirel::test {
namespace {

constexpr wchar_t kNote[] =
    L"Use only the CEF binaries named in the documentation of this program.";

std::wstring Lines(std::initializer_list<std::wstring> lines) {
  std::wstring text;
  for (const std::wstring& line : lines) text += (text.empty() ? L"" : L"\r\n") + line;
  return text;
}

// The system's text for an error, as the program trims it.
std::wstring SystemText(DWORD code) {
  wchar_t* buffer = nullptr;
  FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, code, 0, reinterpret_cast<LPWSTR>(&buffer), 0, nullptr);
  std::wstring text = buffer ? buffer : L"";
  LocalFree(buffer);
  while (!text.empty() && (text.back() <= L' ' || text.back() == L'.')) text.pop_back();
  return text;
}

struct FailureCase {
  const char* name;
  std::function<void(ProgramCopy&)> breakIt;
  std::function<std::wstring(const ProgramCopy&)> message;
};

// The stand-in engine's broken libcef.dll builds, one folder each.
std::wstring Variant(const std::wstring& name) {
  const wchar_t* dir = _wgetenv(L"QUIREL_STANDIN_VARIANTS_DIR");
  return std::wstring(dir ? dir : L"") + L"\\" + name + L"\\libcef.dll";
}

void ReplaceLibCef(ProgramCopy& copy, const std::wstring& variant) {
  ASSERT_TRUE(
      CopyFileW(Variant(variant).c_str(), (copy.EngineFolder() + L"libcef.dll").c_str(), FALSE))
      << "variant " << std::string(variant.begin(), variant.end());
}

std::wstring AllMissingByBareName() {
  std::wstring list =
      L"libcef.dll\r\nchrome_elf.dll\r\nd3dcompiler_47.dll\r\nlibEGL.dll\r\n"
      L"libGLESv2.dll\r\nswiftshader\\libEGL.dll\r\nswiftshader\\libGLESv2.dll\r\n"
      L"icudtl.dat\r\nsnapshot_blob.bin\r\nv8_context_snapshot.bin\r\ncef.pak\r\n"
      L"cef_100_percent.pak\r\ncef_200_percent.pak\r\ncef_extensions.pak\r\n"
      L"devtools_resources.pak";
  for (const wchar_t* locale :
       {L"am",    L"ar",    L"bg", L"bn",     L"ca", L"cs", L"da",    L"de",   L"el",
        L"en-GB", L"en-US", L"es", L"es-419", L"et", L"fa", L"fi",    L"fil",  L"fr",
        L"gu",    L"he",    L"hi", L"hr",     L"hu", L"id", L"it",    L"ja",   L"kn",
        L"ko",    L"lt",    L"lv", L"ml",     L"mr", L"ms", L"nb",    L"nl",   L"pl",
        L"pt-BR", L"pt-PT", L"ro", L"ru",     L"sk", L"sl", L"sr",    L"sv",   L"sw",
        L"ta",    L"te",    L"th", L"tr",     L"uk", L"vi", L"zh-CN", L"zh-TW"})
    list += std::wstring(L"\r\nlocales\\") + locale + L".pak";
  return list;
}

const FailureCase kCases[] = {
    {"engine folder missing", [](ProgramCopy&) {},
     [](const ProgramCopy&) {
       return L"CEF binaries missing !\r\n\r\nThe missing files are :\r\n" + AllMissingByBareName();
     }},
    {"one locale missing",
     [](ProgramCopy& copy) {
       ASSERT_TRUE(DeleteFileW((copy.EngineFolder() + L"locales\\it.pak").c_str()));
     },
     [](const ProgramCopy& copy) {
       return L"CEF binaries missing !\r\n\r\nThe missing files are :\r\n" + copy.EngineFolder() +
              L"locales\\it.pak";
     }},
    {"newer library", [](ProgramCopy& copy) { ReplaceLibCef(copy, L"version-87.1.6.1"); },
     [](const ProgramCopy&) {
       return Lines({L"Unsupported CEF version !", L"", kNote, L"",
                     L"Expected libcef.dll version : 87.1.6.0",
                     L"Found libcef.dll version : 87.1.6.1"});
     }},
    {"library without version", [](ProgramCopy& copy) { ReplaceLibCef(copy, L"no-version"); },
     [](const ProgramCopy&) {
       return Lines({L"Unsupported CEF version !", L"", kNote});
     }},
    {"library of the other machine",
     [](ProgramCopy& copy) { ReplaceLibCef(copy, L"other-machine"); },
     [](const ProgramCopy&) {
       return Lines({L"Wrong CEF binaries !", L"",
                     sizeof(void*) == 8
                         ? L"Use the 32 bit CEF binaries with 32 bits applications only."
                         : L"Use the 64 bit CEF binaries with 64 bits applications only."});
     }},
    {"library the loader rejects", [](ProgramCopy& copy) { ReplaceLibCef(copy, L"load-failure"); },
     [](const ProgramCopy&) {
       return L"Error loading libcef.dll\r\n\r\nError code : 0x000000C1\r\n" +
              SystemText(ERROR_BAD_EXE_FORMAT);
     }},
    {"missing export", [](ProgramCopy& copy) { ReplaceLibCef(copy, L"missing-export"); },
     [](const ProgramCopy&) {
       return Lines({L"Unsupported CEF version !", L"", kNote});
     }},
};

void PrintTo(const FailureCase& c, std::ostream* os) { *os << c.name; }

class StartupFailure : public ::testing::TestWithParam<FailureCase> {};

TEST_P(StartupFailure, ShowsItsMessageOnlyAndEnds) {
  const FailureCase& c = GetParam();
  ProgramCopy copy(std::string(c.name) != "engine folder missing");
  c.breakIt(copy);
  if (HasFatalFailure()) return;
  ChildProcess program = copy.Start();

  HWND box = WaitForDialog(program.Id(), 30000);
  ASSERT_NE(box, nullptr) << "no message box";
  const MessageBoxInfo info = ReadMessageBox(box);
  EXPECT_EQ(info.Caption, L"Error");
  EXPECT_EQ(info.Text, c.message(copy));
  if (!RunningUnderWine()) {
    EXPECT_EQ(info.Icon, IDI_ERROR);
    EXPECT_TRUE(info.Topmost);
  }
  EXPECT_EQ(VisibleTopLevelWindows(program.Id()).size(), 1u) << "a window besides the message";
  EXPECT_FALSE(InstanceMutexExists());

  ASSERT_TRUE(PressButton(box));
  ASSERT_TRUE(program.WaitForExit(30000));
  EXPECT_EQ(program.ExitCode(), 0u);
}

INSTANTIATE_TEST_SUITE_P(Cases, StartupFailure, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<FailureCase>& info) {
                           std::string name = info.param.name;
                           for (char& ch : name)
                             if (!isalnum(static_cast<unsigned char>(ch))) ch = '_';
                           return name;
                         });

}  // namespace
}  // namespace quirel::test
