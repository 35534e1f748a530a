#include "common/Globals.h"

#include <shlobj.h>

#include <gtest/gtest.h>

#include "TestFiles.h"

namespace quirel {
namespace {

TEST(GlobalStrings, InitialValues) {
  EXPECT_EQ(LogFileName, L"QuirelLog.txt");
  EXPECT_EQ(AppVersion, L"");
  EXPECT_EQ(AppFullVersion, L"");
  EXPECT_EQ(NewExeUrl, L"");
  EXPECT_EQ(LocalAppDataPath, L"");
}

TEST(GlobalStrings, UpdateAddressesShareOneHttpsHost) {
  const std::wstring check = L"/Quirel/update/update-exe.php?";
  const std::wstring download = L"/Quirel/update/download/";
  ASSERT_EQ(UpdateCheckUrl.rfind(L"https://", 0), 0u) << UpdateCheckUrl;
  ASSERT_EQ(UpdateDownloadUrl.rfind(L"https://", 0), 0u) << UpdateDownloadUrl;
  ASSERT_GT(UpdateCheckUrl.size(), check.size());
  ASSERT_GT(UpdateDownloadUrl.size(), download.size());
  EXPECT_EQ(UpdateCheckUrl.substr(UpdateCheckUrl.size() - check.size()), check);
  EXPECT_EQ(UpdateDownloadUrl.substr(UpdateDownloadUrl.size() - download.size()), download);
  const std::wstring host = UpdateCheckUrl.substr(8, UpdateCheckUrl.size() - check.size() - 8);
  EXPECT_FALSE(host.empty());
  EXPECT_EQ(host.find(L'/'), std::wstring::npos);
  EXPECT_EQ(UpdateDownloadUrl, L"https://" + host + download);
}

TEST(GlobalStrings, ProbeSiteIsPlainHttp) {
  EXPECT_EQ(ConnectivityProbeUrl.rfind(L"http://", 0), 0u) << ConnectivityProbeUrl;
}

TEST(Paths, FolderAndNameParts) {
  struct Case {
    const wchar_t *path, *folder, *name;
  } cases[] = {
      {L"C:\\Program Files\\Quirel\\Quirel.exe", L"C:\\Program Files\\Quirel\\", L"Quirel.exe"},
      {L"C:Quirel.exe", L"C:", L"Quirel.exe"},
      {L"Quirel.exe", L"", L"Quirel.exe"},
      {L"C:\\dir\\", L"C:\\dir\\", L""},
      {L"\\\\server\\share\\a.b.exe", L"\\\\server\\share\\", L"a.b.exe"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ExtractFilePath(c.path), c.folder) << c.path;
    EXPECT_EQ(ExtractFileName(c.path), c.name) << c.path;
  }
}

TEST(Paths, ExecutableFullPathIsThisProgram) {
  const std::wstring path = ExecutableFullPath();
  EXPECT_TRUE(test::Exists(path)) << path.size();
  EXPECT_EQ(ExtractFileName(path), L"common_tests.exe");
  EXPECT_EQ(ExtractFilePath(path).back(), L'\\');
}

TEST(ApplicationTitle, NameUpToTheFirstDotRestLowerCase) {
  struct Case {
    const wchar_t *file, *title;
  } cases[] = {
      {L"Quirel.exe", L"Quirel"}, {L"QUIREL.EXE", L"Quirel"},   {L"quirel.exe", L"quirel"},
      {L"My.App.exe", L"My"},     {L"\u00C9LAN.exe", L"\u00C9lan"}, {L"Quirel", L"Quirel"},
      {L".exe", L""},             {L"", L""},
  };
  for (const Case& c : cases) EXPECT_EQ(ApplicationTitle(c.file), c.title) << c.file;
}

TEST(Versions, DisplayAndFullTexts) {
  EXPECT_EQ(FormatDisplayVersion(2, 1), L"1.1");
  EXPECT_EQ(FormatFullVersion(2, 1, 0, 0), L"2.1.0.0");
  // a file without version information
  EXPECT_EQ(FormatDisplayVersion(-1, 0), L"-2.0");
  EXPECT_EQ(FormatFullVersion(-1, 0, 0, 0), L"-1.0.0.0");
  EXPECT_EQ(FormatFullVersion(65535, 258, 3, 40000), L"65535.258.3.40000");
}

struct Version {
  int32_t major = 99, minor = 99, release = 99, build = 99;
};

Version Read(const std::wstring& file) {
  Version v;
  GetExeVersion(file, v.major, v.minor, v.release, v.build);
  return v;
}

TEST(GetExeVersion, OwnExecutable) {
  const Version v = Read(ExecutableFullPath());
  EXPECT_EQ(v.major, 2);
  EXPECT_EQ(v.minor, 1);
  EXPECT_EQ(v.release, 0);
  EXPECT_EQ(v.build, 0);
}

TEST(GetExeVersion, FourDistinctWordsAllUnsigned) {
  const Version v = Read(ExtractFilePath(ExecutableFullPath()) + L"version_probe.dll");
  EXPECT_EQ(v.major, 65535);
  EXPECT_EQ(v.minor, 258);
  EXPECT_EQ(v.release, 3);
  EXPECT_EQ(v.build, 40000);
}

TEST(GetExeVersion, FilesWithoutVersionInformation) {
  test::ScratchDir dir;
  test::WriteBytes(dir / L"plain.exe", "MZ not really a program");
  for (const std::wstring& file : {dir / L"plain.exe", dir / L"missing.exe", dir.path()}) {
    const Version v = Read(file);
    EXPECT_EQ(v.major, -1) << file;
    EXPECT_EQ(v.minor, 0) << file;
    EXPECT_EQ(v.release, 0) << file;
    EXPECT_EQ(v.build, 0) << file;
  }
}

TEST(Folders, AppDataFolderEndsInExactlyOneBackslash) {
  const std::wstring folder = GetAppDataFolder();
  ASSERT_GE(folder.size(), 2u);
  EXPECT_EQ(folder.back(), L'\\');
  EXPECT_NE(folder[folder.size() - 2], L'\\');
  wchar_t expected[MAX_PATH] = {};
  ASSERT_TRUE(SHGetSpecialFolderPathW(nullptr, expected, CSIDL_APPDATA, FALSE));
  EXPECT_EQ(folder, std::wstring(expected) + L"\\");
}

TEST(Folders, SpecialFolderHasNoTrailingBackslash) {
  const std::wstring local = GetSpecialFolder(CSIDL_LOCAL_APPDATA);
  ASSERT_FALSE(local.empty());
  EXPECT_NE(local.back(), L'\\');
  wchar_t expected[MAX_PATH] = {};
  ASSERT_EQ(SHGetFolderPathW(nullptr, CSIDL_LOCAL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, expected), S_OK);
  EXPECT_EQ(local, expected);
  EXPECT_EQ(GetSpecialFolder(28), local);  // the number the program passes
  EXPECT_NE(GetSpecialFolder(CSIDL_APPDATA), local);
}

}  // namespace
}  // namespace quirel
