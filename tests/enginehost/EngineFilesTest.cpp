// The free checks of the engine's files: folder contents, versions, PE machine types.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <functional>

#include "EngineTree.h"
#include "engine/EngineFiles.h"

namespace quirel {
namespace {

using test::EngineTree;
using test::Prefixed;

constexpr wchar_t kNoSuchFolder[] = L"C:\\no\\such\\engine";

// What CheckDLLs, CheckResources (devtools and extensions required) and CheckLocales (full
// list) add for a folder: the three checks as the engine host runs them.
struct FolderChecks {
  std::wstring dlls, resources, locales;
  bool Run(std::wstring& missing) const {
    bool ok = CheckDLLs(dlls, missing);
    ok &= CheckResources(resources, missing, true, true);
    ok &= CheckLocales(locales, missing, L"");
    return ok;
  }
};

std::vector<std::wstring> AllResources() {
  std::vector<std::wstring> names = test::kResourceFiles;
  names.push_back(L"cef_extensions.pak");
  names.push_back(L"devtools_resources.pak");
  return names;
}

std::wstring Lines(const std::vector<std::wstring>& entries) {
  std::wstring text;
  for (const std::wstring& entry : entries) text += entry + L"\r\n";
  return text;
}

TEST(EngineFolders, ACompleteFolderPasses) {
  EngineTree tree;
  std::wstring missing;
  EXPECT_TRUE((FolderChecks{tree.folder(), tree.folder(), tree.locales()}.Run(missing)));
  EXPECT_EQ(missing, L"");
  // A trailing backslash on the folders changes nothing.
  EXPECT_TRUE((FolderChecks{tree.path(), tree.path(), tree.locales() + L"\\"}.Run(missing)));
  EXPECT_EQ(missing, L"");
}

TEST(EngineFolders, EachMissingFileIsListedByItsFullPath) {
  const std::wstring files[] = {L"libcef.dll",         L"swiftshader\\libGLESv2.dll",
                                L"icudtl.dat",         L"snapshot_blob.bin",
                                L"cef_extensions.pak", L"devtools_resources.pak",
                                L"locales\\it.pak",    L"locales\\zh-TW.pak"};
  for (const std::wstring& file : files) {
    SCOPED_TRACE(file);
    EngineTree tree;
    tree.Remove(file);
    std::wstring missing;
    EXPECT_FALSE((FolderChecks{tree.folder(), tree.folder(), tree.locales()}.Run(missing)));
    EXPECT_EQ(missing, tree / file + L"\r\n");
  }
}

TEST(EngineFolders, AFolderThatDoesNotExistReportsEveryEntry) {
  const std::wstring relative = L"no-such-engine";
  struct Case {
    const wchar_t* name;
    std::function<bool(std::wstring&)> check;
    std::vector<std::wstring> entries;
  };
  const Case cases[] = {
      {L"dlls", [](std::wstring& m) { return CheckDLLs(kNoSuchFolder, m); },
       Prefixed(std::wstring(kNoSuchFolder) + L"\\", test::kDllFolderFiles)},
      {L"dlls, relative folder", [&](std::wstring& m) { return CheckDLLs(relative, m); },
       Prefixed(ExecutableFolder() + relative + L"\\", test::kDllFolderFiles)},
      {L"resources", [](std::wstring& m) { return CheckResources(kNoSuchFolder, m, true, true); },
       Prefixed(std::wstring(kNoSuchFolder) + L"\\", AllResources())},
      {L"locales", [](std::wstring& m) { return CheckLocales(kNoSuchFolder, m, L""); },
       Prefixed(std::wstring(kNoSuchFolder) + L"\\", test::kAllLocales, L".pak")},
      // The locales folder is taken as it is, not resolved against the executable's folder.
      {L"locales, relative folder", [&](std::wstring& m) { return CheckLocales(relative, m, L""); },
       Prefixed(relative + L"\\", test::kAllLocales, L".pak")},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::wstring missing = L" \tearlier.exe\r\n";
    EXPECT_FALSE(c.check(missing));
    EXPECT_EQ(missing, L"earlier.exe\r\n" + Lines(c.entries));
  }
}

TEST(EngineFolders, EmptyFoldersLookUpBareNamesInTheCurrentDirectory) {
  test::ScratchDir empty;
  const test::CurrentDirectory current(empty.path());
  std::wstring missing;
  EXPECT_FALSE((FolderChecks{L"", L"", L""}.Run(missing)));
  // The DLL and resource names are looked up one by one; "locales\" itself is missing.
  EXPECT_EQ(missing, Lines(test::kDllFolderFiles) + Lines(AllResources()) +
                         Lines(Prefixed(L"locales\\", test::kAllLocales, L".pak")));

  EngineTree tree;
  const test::CurrentDirectory inTree(tree.path());
  missing.clear();
  EXPECT_TRUE((FolderChecks{L"", L"", L""}.Run(missing)));
  EXPECT_EQ(missing, L"");
}

TEST(EngineFolders, RequiredLocalesComeFromTheCommaList) {
  struct Case {
    std::wstring list;
    std::vector<std::wstring> names;
  };
  const Case cases[] = {
      {L"", test::kAllLocales},
      {L"it", {L"it"}},
      {L"it,en-US", {L"it", L"en-US"}},
      {L" it , ,en-US,", {L"it", L"en-US"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.list);
    std::wstring missing;
    EXPECT_FALSE(CheckLocales(kNoSuchFolder, missing, c.list));
    EXPECT_EQ(missing,
              L"\r\n" + Lines(Prefixed(std::wstring(kNoSuchFolder) + L"\\", c.names, L".pak")));
  }
  EXPECT_EQ(test::kAllLocales.size(), 53u);

  EngineTree tree;
  tree.Remove(L"locales\\de.pak");
  std::wstring missing;
  EXPECT_TRUE(CheckLocales(tree.locales(), missing, L"it,en-US"));
  EXPECT_FALSE(CheckLocales(tree.locales(), missing, L"it,de"));
  EXPECT_EQ(missing, tree / L"locales\\de.pak\r\n");
}

TEST(EngineFolders, ResourceListFollowsTheTwoConditions) {
  struct Case {
    bool devTools, extensions;
    std::vector<std::wstring> extra;
  };
  const Case cases[] = {
      {false, false, {}},
      {true, false, {L"devtools_resources.pak"}},
      {false, true, {L"cef_extensions.pak"}},
      {true, true, {L"cef_extensions.pak", L"devtools_resources.pak"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.devTools << c.extensions);
    std::vector<std::wstring> names = test::kResourceFiles;
    names.insert(names.end(), c.extra.begin(), c.extra.end());
    std::wstring missing;
    EXPECT_FALSE(CheckResources(kNoSuchFolder, missing, c.devTools, c.extensions));
    EXPECT_EQ(missing, L"\r\n" + Lines(Prefixed(std::wstring(kNoSuchFolder) + L"\\", names)));
  }
  EngineTree tree;
  tree.Remove(L"devtools_resources.pak");
  tree.Remove(L"cef_extensions.pak");
  std::wstring missing;
  EXPECT_TRUE(CheckResources(tree.folder(), missing, false, false));
  EXPECT_EQ(missing, L"");
}

TEST(CheckFilesExist, AppendsEachMissingFileAndSkipsEmptyEntries) {
  EngineTree tree;
  std::wstring missing = L"before\r\n";
  EXPECT_TRUE(CheckFilesExist({tree / L"cef.pak", L""}, missing));
  EXPECT_EQ(missing, L"before\r\n");
  // A folder does not count as a file.
  EXPECT_FALSE(CheckFilesExist({tree / L"cef.pak", tree / L"gone.pak", L"", tree / L"locales",
                                tree / L"icudtl.dat", tree / L"gone.dat"},
                               missing));
  EXPECT_EQ(missing, L"before\r\n" + tree / L"gone.pak\r\n" + tree / L"locales\r\n" +
                         tree / L"gone.dat\r\n");
}

TEST(CheckSubprocessPath, OnlyAGivenFileThatIsMissingFails) {
  EngineTree tree;
  std::wstring missing = L"  a\r\n";
  EXPECT_TRUE(CheckSubprocessPath(L"", missing));
  EXPECT_TRUE(CheckSubprocessPath(tree / L"cef.pak", missing));
  EXPECT_EQ(missing, L"  a\r\n");
  EXPECT_FALSE(CheckSubprocessPath(tree / L"helper.exe", missing));
  EXPECT_EQ(missing, L"a\r\nhelper.exe\r\n");
  EXPECT_FALSE(CheckSubprocessPath(tree.locales(), missing));  // a folder
  EXPECT_EQ(missing, L"a\r\nhelper.exe\r\nlocales\r\n");
}

TEST(LibraryVersion, ReadFromTheFixedFileVersion) {
  struct Case {
    std::wstring file;
    uint64_t number;
    const wchar_t* text;  // null: no version
    bool matches;
  };
  const Case cases[] = {
      {test::FixturePath(L"enginehost_87_1_6_0.dll"), 0x0057000100060000ull, L"87.1.6.0", true},
      {test::FixturePath(L"enginehost_87_1_6_1.dll"), 0x0057000100060001ull, L"87.1.6.1", false},
      {test::FixturePath(L"enginehost_other.dll"), 0x0057000100060000ull, L"87.1.6.0", true},
      {test::FixturePath(L"enginehost_65535_258_3_40000.dll"), 0xFFFF010200039C40ull,
       L"65535.258.3.40000", false},
      {test::FixturePath(L"enginehost_noversion.dll"), 0, nullptr, false},
      {test::FixturePath(L"no-such-library.dll"), 0, nullptr, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file);
    EXPECT_EQ(GetExtendedFileVersion(c.file), c.number);
    TFileVersionInfo version;
    ASSERT_EQ(GetDLLVersion(c.file, version), c.text != nullptr);
    if (c.text) {
      EXPECT_EQ(VersionToString(version), c.text);
    }
    EXPECT_EQ(MatchesLibraryVersion(c.file, 87, 1, 6, 0), c.matches);
  }
}

TEST(LibraryVersion, EveryNumberMustBeEqual) {
  const std::wstring file = test::FixturePath(L"enginehost_87_1_6_1.dll");
  EXPECT_TRUE(MatchesLibraryVersion(file, 87, 1, 6, 1));
  EXPECT_FALSE(MatchesLibraryVersion(file, 86, 1, 6, 1));
  EXPECT_FALSE(MatchesLibraryVersion(file, 87, 2, 6, 1));
  EXPECT_FALSE(MatchesLibraryVersion(file, 87, 1, 5, 1));
  EXPECT_FALSE(MatchesLibraryVersion(file, 87, 1, 6, 0));
  EXPECT_FALSE(MatchesLibraryVersion(file, 87, 1, 6, 2));
}

TEST(LibraryVersion, ShownAsFourNumbers) {
  EXPECT_EQ(VersionToString({87, 1, 6, 0}), L"87.1.6.0");
  EXPECT_EQ(VersionToString({65535, 0, 40000, 7}), L"65535.0.40000.7");
}

// The fixture of this build's machine, with one change.
std::string PatchedLibrary(const std::function<void(std::string&, uint32_t peOffset)>& patch) {
  std::string bytes = test::ReadBytes(test::FixturePath(L"enginehost_87_1_6_0.dll"));
  uint32_t peOffset;
  std::memcpy(&peOffset, bytes.data() + 60, sizeof peOffset);
  patch(bytes, peOffset);
  return bytes;
}

TEST(GetDLLHeaderMachine, ReadsTheMachineOfAValidHeaderOnly) {
  const std::string own = test::ReadBytes(test::FixturePath(L"enginehost_87_1_6_0.dll"));
  const uint16_t otherMachine = kOwnMachine == 0x8664 ? 0x014C : 0x8664;
  struct Case {
    const wchar_t* name;
    std::string bytes;
    bool ok;
    uint16_t machine;
  };
  const Case cases[] = {
      {L"this build's machine", own, true, kOwnMachine},
      {L"the other machine", test::ReadBytes(test::FixturePath(L"enginehost_other.dll")), true,
       otherMachine},
      {L"arm64", PatchedLibrary([](std::string& b, uint32_t pe) {
         b[pe + 4] = 0x64;
         b[pe + 5] = char(0xAA);
       }),
       true, 0xAA64},
      {L"empty", "", false, 0},
      {L"shorter than the DOS header", own.substr(0, 63), false, 0},
      {L"no MZ", PatchedLibrary([](std::string& b, uint32_t) { b[0] = 'X'; }), false, 0},
      {L"PE offset 0", PatchedLibrary([](std::string& b, uint32_t) { b.replace(60, 4, 4, '\0'); }),
       false, 0},
      {L"PE offset past the end",
       PatchedLibrary([](std::string& b, uint32_t) { b.replace(60, 4, "\xff\xff\xff\x0f", 4); }),
       false, 0},
      {L"bad signature", PatchedLibrary([](std::string& b, uint32_t pe) { b[pe + 2] = 'X'; }),
       false, 0},
      {L"PE header cut short",
       PatchedLibrary([](std::string& b, uint32_t pe) { b.resize(pe + 247); }), false, 0},
  };
  test::ScratchDir dir;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    test::WriteBytes(dir / L"library.dll", c.bytes);
    uint16_t machine = 0;
    ASSERT_EQ(GetDLLHeaderMachine(dir / L"library.dll", machine), c.ok);
    if (c.ok) {
      EXPECT_EQ(machine, c.machine);
    }
  }
  uint16_t machine = 0;
  EXPECT_FALSE(GetDLLHeaderMachine(dir / L"no-such.dll", machine));
  EXPECT_FALSE(GetDLLHeaderMachine(dir.path(), machine));
}

TEST(GetDLLHeaderMachine, SharesTheFileWithReadersOnly) {
  test::ScratchDir dir;
  const std::wstring file = dir / L"library.dll";
  test::WriteBytes(file, test::ReadBytes(test::FixturePath(L"enginehost_87_1_6_0.dll")));
  struct Case {
    DWORD access, share;
    bool readable;
  };
  const Case cases[] = {
      {GENERIC_READ, FILE_SHARE_READ, true},
      {GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.access);
    HANDLE other = CreateFileW(file.c_str(), c.access, c.share, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(other, INVALID_HANDLE_VALUE);
    uint16_t machine = 0;
    EXPECT_EQ(GetDLLHeaderMachine(file, machine), c.readable);
    CloseHandle(other);
  }
}

}  // namespace
}  // namespace quirel
