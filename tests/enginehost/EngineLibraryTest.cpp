// VerifyEngineFiles and LoadEngineLibrary as start-up runs them, against fixture libraries.
// This program never loads a real engine, so "libcef.dll" by bare name is always a fixture.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <functional>

#include "RecordingApp.h"
#include "common/Errors.h"
#include "engine/EngineFiles.h"
#include "engine/capi/CefEntryPoints.h"

namespace quirel {
namespace {

using test::EngineTree;
using test::RecordingApp;


const std::wstring kNote = kSupportedBinariesNote;
const std::wstring kMissingHead = L"CEF binaries missing !\r\n\r\nThe missing files are :\r\n";
const std::wstring kUnsupported = L"Unsupported CEF version !\r\n\r\n" + kNote;
const std::wstring kOnce = L"GlobalCEFApp can only be initialized once per process.";

// The system's own text for an error code, as the load error quotes it.
std::wstring SystemText(DWORD code) {
  wchar_t* buffer = nullptr;
  const DWORD length = FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, code, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
  std::wstring text(buffer ? buffer : L"", buffer ? length : 0);
  LocalFree(buffer);
  while (!text.empty() && (text.back() <= L' ' || text.back() == L'.')) text.pop_back();
  return text;
}

std::string ArmLibrary() {
  std::string bytes = test::ReadBytes(test::FixturePath(L"enginehost_87_1_6_0.dll"));
  uint32_t peOffset;
  std::memcpy(&peOffset, bytes.data() + 60, sizeof peOffset);
  bytes[peOffset + 4] = 0x64;
  bytes[peOffset + 5] = char(0xAA);
  return bytes;
}

TEST(VerifyEngineFiles, ACompleteFolderOfThisMachinePasses) {
  EngineTree tree;
  RecordingApp app;
  app.UseFolders(tree);
  EXPECT_TRUE(app.VerifyEngineFiles());
  EXPECT_TRUE(app.messages.empty());
  EXPECT_EQ(app.Status(), asLoading);
  EXPECT_EQ(app.MissingLibFiles(), L"");
}

TEST(VerifyEngineFiles, NothingIsCheckedWhenCheckCEFFilesIsOff) {
  test::ScratchDir empty;
  const test::CurrentDirectory current(empty.path());
  RecordingApp app;
  app.CheckCEFFiles = false;
  EXPECT_TRUE(app.VerifyEngineFiles());
  EXPECT_TRUE(app.messages.empty());
  EXPECT_EQ(app.Status(), asLoading);
  EXPECT_EQ(app.MissingLibFiles(), L"");
}

TEST(VerifyEngineFiles, OptionalResourcesFollowTheProperties) {
  EngineTree tree;
  tree.Remove(L"cef_extensions.pak");
  tree.Remove(L"devtools_resources.pak");
  RecordingApp app;
  app.UseFolders(tree);
  app.CheckDevToolsResources = false;
  app.DisableExtensions = true;
  EXPECT_TRUE(app.VerifyEngineFiles());
  EXPECT_TRUE(app.messages.empty());
}

TEST(VerifyEngineFiles, EachFailureHasItsMessageAndStatus) {
  struct Case {
    const wchar_t* name;
    std::function<void(const EngineTree&, RecordingApp&)> setup;
    std::function<std::wstring(const EngineTree&)> message;
    TCefAplicationStatus status;
  };
  const Case cases[] = {
      {L"one locale missing",
       [](const EngineTree& t, RecordingApp&) { t.Remove(L"locales\\it.pak"); },
       [](const EngineTree& t) { return kMissingHead + t / L"locales\\it.pak"; },
       asErrorMissingFiles},
      {L"every check runs",
       [](const EngineTree& t, RecordingApp& app) {
         app.SetBrowserSubprocessPath(t / L"helper.exe");
         t.Remove(L"libcef.dll");
         t.Remove(L"cef.pak");
         t.Remove(L"locales\\zh-TW.pak");
       },
       [](const EngineTree& t) {
         return kMissingHead + L"helper.exe\r\n" + t / L"libcef.dll\r\n" + t / L"cef.pak\r\n" +
                t / L"locales\\zh-TW.pak";
       },
       asErrorMissingFiles},
      {L"extensions required",
       [](const EngineTree& t, RecordingApp& app) {
         app.CheckDevToolsResources = false;
         t.Remove(L"cef_extensions.pak");
         t.Remove(L"devtools_resources.pak");
       },
       [](const EngineTree& t) { return kMissingHead + t / L"cef_extensions.pak"; },
       asErrorMissingFiles},
      {L"version 87.1.6.1",
       [](const EngineTree& t, RecordingApp&) {
         test::WriteBytes(t / L"libcef.dll",
                          test::ReadBytes(test::FixturePath(L"enginehost_87_1_6_1.dll")));
       },
       [](const EngineTree&) {
         return kUnsupported +
                L"\r\n\r\nExpected libcef.dll version : 87.1.6.0\r\n"
                L"Found libcef.dll version : 87.1.6.1";
       },
       asErrorDLLVersion},
      {L"no version resource",
       [](const EngineTree& t, RecordingApp&) {
         test::WriteBytes(t / L"libcef.dll",
                          test::ReadBytes(test::FixturePath(L"enginehost_noversion.dll")));
       },
       [](const EngineTree&) { return kUnsupported; }, asErrorDLLVersion},
      {L"the other machine type",
       [](const EngineTree& t, RecordingApp&) {
         test::WriteBytes(t / L"libcef.dll",
                          test::ReadBytes(test::FixturePath(L"enginehost_other.dll")));
       },
       [](const EngineTree&) -> std::wstring {
         return std::wstring(L"Wrong CEF binaries !\r\n\r\n") +
                (kOwnMachine == 0x8664
                     ? L"Use the 32 bit CEF binaries with 32 bits applications only."
                     : L"Use the 64 bit CEF binaries with 64 bits applications only.");
       },
       asErrorDLLVersion},
      {L"an unknown machine type",
       [](const EngineTree& t, RecordingApp&) {
         test::WriteBytes(t / L"libcef.dll", ArmLibrary());
       },
       [](const EngineTree&) { return L"Unknown CEF binaries !\r\n\r\n" + kNote; },
       asErrorDLLVersion},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EngineTree tree;
    RecordingApp app;
    app.UseFolders(tree);
    c.setup(tree, app);
    EXPECT_FALSE(app.VerifyEngineFiles());
    EXPECT_EQ(app.messages, std::vector<std::wstring>{c.message(tree)});
    EXPECT_EQ(app.Status(), c.status);
  }
}

TEST(VerifyEngineFiles, WithoutEngineFoldersEveryFileIsMissingByBareName) {
  test::ScratchDir empty;
  const test::CurrentDirectory current(empty.path());
  RecordingApp app;  // no folders set, as when plugin\cef is missing
  EXPECT_FALSE(app.VerifyEngineFiles());
  std::vector<std::wstring> files = test::kDllFolderFiles;
  files.insert(files.end(), test::kResourceFiles.begin(), test::kResourceFiles.end());
  files.push_back(L"cef_extensions.pak");
  files.push_back(L"devtools_resources.pak");
  for (const std::wstring& locale : test::kAllLocales)
    files.push_back(L"locales\\" + locale + L".pak");
  EXPECT_EQ(app.messages, std::vector<std::wstring>{kMissingHead + test::JoinLines(files)});
  EXPECT_EQ(app.Status(), asErrorMissingFiles);
}

TEST(VerifyEngineFiles, SetCurrentDirChecksFromTheExecutableFolderAndRestores) {
  EngineTree tree;  // complete, looked up by bare names from the current directory
  const test::CurrentDirectory current(tree.path());
  const std::wstring before = test::CurrentDirectoryPath();
  {
    RecordingApp app;
    EXPECT_TRUE(app.VerifyEngineFiles());
    EXPECT_TRUE(app.messages.empty());
    EXPECT_EQ(test::CurrentDirectoryPath(), before);
  }
  {
    RecordingApp app;
    app.SetCurrentDir = true;
    EXPECT_FALSE(app.VerifyEngineFiles());
    EXPECT_EQ(app.Status(), asErrorMissingFiles);
    EXPECT_EQ(test::CurrentDirectoryPath(), before);
  }
  {
    // Restored when the report raises, too.
    TCefApplicationCore app;
    app.ShowMessageDlg = false;
    app.MissingBinariesException = true;
    app.SetCurrentDir = true;
    EXPECT_THROW(app.VerifyEngineFiles(), Exception);
    EXPECT_EQ(app.Status(), asErrorMissingFiles);
    EXPECT_EQ(test::CurrentDirectoryPath(), before);
  }
}

TEST(LoadEngineLibrary, EachFailureHasItsMessageAndLeavesNothingLoaded) {
  struct Case {
    const wchar_t* name;
    const char* bytes;       // written as libcef.dll; null: no file
    const wchar_t* fixture;  // copied as libcef.dll instead
    std::wstring message;
    TCefAplicationStatus status;
  };
  const std::wstring loadError = L"Error loading libcef.dll\r\n\r\nError code : 0x";
  const Case cases[] = {
      {L"not a library", "not a library", nullptr,
       loadError + L"000000C1\r\n" + SystemText(ERROR_BAD_EXE_FORMAT), asErrorLoadingLibrary},
      {L"no file", nullptr, nullptr, loadError + L"0000007E\r\n" + SystemText(ERROR_MOD_NOT_FOUND),
       asErrorLoadingLibrary},
      {L"the other machine type", nullptr, L"enginehost_other.dll",
       loadError + L"000000C1\r\n" + SystemText(ERROR_BAD_EXE_FORMAT), asErrorLoadingLibrary},
      {L"no engine exports", nullptr, L"enginehost_87_1_6_0.dll", kUnsupported, asErrorDLLVersion},
  };
  EXPECT_FALSE(SystemText(ERROR_BAD_EXE_FORMAT).empty());
  EXPECT_FALSE(SystemText(ERROR_MOD_NOT_FOUND).empty());
  const TCefEntryPoints before = g_cef;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    test::ScratchDir dir;
    if (c.bytes) test::WriteBytes(dir / L"libcef.dll", c.bytes);
    if (c.fixture)
      test::WriteBytes(dir / L"libcef.dll", test::ReadBytes(test::FixturePath(c.fixture)));
    RecordingApp app;
    app.EnableHighDPISupport = true;
    app.SetFrameworkDirPath(dir.path());
    EXPECT_FALSE(app.LoadEngineLibrary());
    EXPECT_EQ(app.messages, std::vector<std::wstring>{c.message});
    EXPECT_EQ(app.Status(), c.status);
    EXPECT_FALSE(app.LibLoaded());
    EXPECT_EQ(app.LibHandle(), nullptr);
    EXPECT_EQ(GetModuleHandleW((dir / L"libcef.dll").c_str()), nullptr);
    EXPECT_EQ(std::memcmp(&g_cef, &before, sizeof before), 0) << "entry points touched";
  }
}

TEST(LoadEngineLibrary, RunsOnlyFromTheInitialState) {
  test::ScratchDir dir;
  {
    RecordingApp app;  // after a failed load
    app.SetFrameworkDirPath(dir.path());
    EXPECT_FALSE(app.LoadEngineLibrary());
    EXPECT_FALSE(app.LoadEngineLibrary());
    ASSERT_EQ(app.messages.size(), 2u);
    EXPECT_EQ(app.messages[1], kOnce);
    EXPECT_EQ(app.Status(), asErrorLoadingLibrary);
  }
  {
    RecordingApp app;  // after a failed file check
    app.SetFrameworkDirPath(dir.path());
    EXPECT_FALSE(app.VerifyEngineFiles());
    EXPECT_FALSE(app.LoadEngineLibrary());
    ASSERT_EQ(app.messages.size(), 2u);
    EXPECT_EQ(app.messages[1], kOnce);
    EXPECT_EQ(app.Status(), asErrorLoadingLibrary);
  }
}

TEST(LoadEngineLibrary, SetCurrentDirLoadsFromTheExecutableFolderAndRestores) {
  EngineTree tree;  // its libcef.dll lacks the engine's exports
  const test::CurrentDirectory current(tree.path());
  const std::wstring before = test::CurrentDirectoryPath();
  {
    RecordingApp app;  // bare name, found in the current directory
    EXPECT_FALSE(app.LoadEngineLibrary());
    EXPECT_EQ(app.messages, std::vector<std::wstring>{kUnsupported});
    EXPECT_EQ(test::CurrentDirectoryPath(), before);
  }
  {
    RecordingApp app;
    app.SetCurrentDir = true;
    EXPECT_FALSE(app.LoadEngineLibrary());
    ASSERT_EQ(app.messages.size(), 1u);
    EXPECT_EQ(
        app.messages[0].rfind(L"Error loading libcef.dll\r\n\r\nError code : 0x0000007E\r\n", 0),
        0u);
    EXPECT_EQ(test::CurrentDirectoryPath(), before);
  }
  {
    TCefApplicationCore app;
    app.ShowMessageDlg = false;
    app.MissingBinariesException = true;
    app.SetCurrentDir = true;
    EXPECT_THROW(app.LoadEngineLibrary(), Exception);
    EXPECT_EQ(app.Status(), asErrorLoadingLibrary);
    EXPECT_EQ(test::CurrentDirectoryPath(), before);
  }
}

}  // namespace
}  // namespace quirel
