// The engine folders the build lays out: beside the build's Quirel.exe, and
// the ones quirel_engine_folder made for these tests (complete, with files
// left out, without a folder, and with each libcef.dll variant).
#include <gtest/gtest.h>

#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "EngineFiles.h"

namespace standin_test {
namespace {

// What a complete engine folder holds, spelt out here rather than taken
// from the build, so the two are checked against each other.
std::vector<std::wstring> ExpectedFiles() {
  std::vector<std::wstring> files = {L"libcef.dll",
                                     L"chrome_elf.dll",
                                     L"d3dcompiler_47.dll",
                                     L"libEGL.dll",
                                     L"libGLESv2.dll",
                                     L"swiftshader\\libEGL.dll",
                                     L"swiftshader\\libGLESv2.dll",
                                     L"icudtl.dat",
                                     L"snapshot_blob.bin",
                                     L"v8_context_snapshot.bin",
                                     L"cef.pak",
                                     L"cef_100_percent.pak",
                                     L"cef_200_percent.pak",
                                     L"cef_extensions.pak",
                                     L"devtools_resources.pak"};
  std::wstringstream locales(
      L"am,ar,bg,bn,ca,cs,da,de,el,en-GB,en-US,es,es-419,et,fa,fi,fil,fr,gu,he,hi,hr,hu,id,it,ja,"
      L"kn,ko,lt,lv,ml,mr,ms,nb,nl,pl,pt-BR,pt-PT,ro,ru,sk,sl,sr,sv,sw,ta,te,th,tr,uk,vi,zh-CN,"
      L"zh-TW");
  for (std::wstring locale; std::getline(locales, locale, L',');)
    files.push_back(L"locales\\" + locale + L".pak");
  return files;
}

// Every file under `folder`, relative to it.
std::set<std::wstring> FilesIn(const std::wstring& folder, const std::wstring& prefix = L"") {
  std::set<std::wstring> files;
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW((folder + prefix + L"*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return files;
  do {
    const std::wstring name = found.cFileName;
    if (name == L"." || name == L"..") continue;
    if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
      files.merge(FilesIn(folder, prefix + name + L"\\"));
    } else {
      files.insert(prefix + name);
    }
  } while (FindNextFileW(search, &found));
  FindClose(search);
  return files;
}

bool Exists(const std::wstring& path) {
  return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::wstring Folder(const std::wstring& name) {
  return FromRunFolder(std::wstring(L"" STANDIN_FOLDERS) + L"/" + name) + L"\\";
}

std::wstring LibcefOf(const std::wstring& folder_name) {
  return Folder(folder_name) + L"plugin\\cef\\libcef.dll";
}

TEST(StandinEngineFolder, RunFolderHasTheCompleteSet) {
  const std::vector<std::wstring> expected = ExpectedFiles();
  ASSERT_EQ(expected.size(), 68u);
  EXPECT_EQ(FilesIn(EngineFolder()), std::set<std::wstring>(expected.begin(), expected.end()));
}

TEST(StandinEngineFolder, LaidOutFolders) {
  const std::vector<std::wstring> all = ExpectedFiles();
  const struct {
    const wchar_t* folder;
    std::set<std::wstring> omitted;
  } cases[] = {
      {L"complete", {}},
      {L"omit", {L"locales\\it.pak", L"swiftshader\\libEGL.dll", L"cef_extensions.pak"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.folder);
    std::set<std::wstring> expected;
    for (const std::wstring& file : all) {
      if (!c.omitted.contains(file)) expected.insert(file);
    }
    EXPECT_EQ(FilesIn(Folder(c.folder) + L"plugin\\cef\\"), expected);
  }
  EXPECT_TRUE(Exists(Folder(L"none")));
  EXPECT_FALSE(Exists(Folder(L"none") + L"plugin"));
}

TEST(StandinEngineFolder, VariantsCarryWhatTheChecksNeed) {
  const Version expected_version{87, 1, 6, 0};
  EXPECT_EQ(FileVersion(LibcefOf(L"version-87.1.6.1")), (Version{87, 1, 6, 1}));
  EXPECT_EQ(ProductVersion(LibcefOf(L"version-87.1.6.1")), (Version{87, 1, 6, 1}));
  EXPECT_EQ(FileVersion(LibcefOf(L"no-version")), std::nullopt);
  EXPECT_EQ(FileVersion(LibcefOf(L"other-machine")), expected_version);
  EXPECT_EQ(Machine(LibcefOf(L"other-machine")), ThisMachine() == IMAGE_FILE_MACHINE_AMD64
                                                     ? IMAGE_FILE_MACHINE_I386
                                                     : IMAGE_FILE_MACHINE_AMD64);
  EXPECT_EQ(FileVersion(LibcefOf(L"missing-export")), expected_version);
  EXPECT_EQ(FileVersion(LibcefOf(L"load-failure")), expected_version);
  for (const wchar_t* variant :
       {L"version-87.1.6.1", L"no-version", L"missing-export", L"load-failure"}) {
    EXPECT_EQ(Machine(LibcefOf(variant)), ThisMachine()) << variant;
  }
  // Apart from libcef.dll each variant's folder is complete.
  const std::vector<std::wstring> all = ExpectedFiles();
  EXPECT_EQ(FilesIn(Folder(L"load-failure") + L"plugin\\cef\\"),
            std::set<std::wstring>(all.begin(), all.end()));
}

TEST(StandinEngineFolder, VariantsLoadAsTheyMust) {
  // Loadable, one export short.
  HMODULE missing =
      LoadLibraryExW(LibcefOf(L"missing-export").c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
  ASSERT_NE(missing, nullptr) << GetLastError();
  EXPECT_EQ(GetProcAddress(missing, "cef_zip_reader_create"), nullptr);
  EXPECT_NE(GetProcAddress(missing, "cef_xml_reader_create"), nullptr);
  EXPECT_NE(GetProcAddress(missing, "cef_initialize"), nullptr);
  FreeLibrary(missing);

  for (const wchar_t* variant : {L"load-failure", L"other-machine"}) {
    SCOPED_TRACE(testing::Message() << variant);
    SetLastError(0);
    EXPECT_EQ(LoadLibraryExW(LibcefOf(variant).c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH),
              nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_BAD_EXE_FORMAT));
  }
}

}  // namespace
}  // namespace standin_test
