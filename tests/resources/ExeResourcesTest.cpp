// Checks the resources a Windows user and the loader see in a built Quirel.exe:
// machine type, version information, manifest and icon. The program under test is
// named by QUIREL_EXE (default: Quirel.exe in the working directory).
#include <windows.h>

#include <gtest/gtest.h>

#include "common/Globals.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

namespace {

std::wstring Env(const wchar_t* name, const wchar_t* fallback) {
  const wchar_t* v = _wgetenv(name);
  return v && *v ? v : fallback;
}

std::wstring ExeUnderTest() { return Env(L"QUIREL_EXE", L"Quirel.exe"); }

std::vector<char> ReadFile(const std::wstring& path) {
  std::ifstream in(std::filesystem::path(path), std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

template <typename T>
T At(const std::vector<char>& bytes, size_t offset) {
  T value{};
  if (offset + sizeof(T) <= bytes.size()) memcpy(&value, bytes.data() + offset, sizeof(T));
  return value;
}

struct ModuleDeleter {
  void operator()(HMODULE m) const { FreeLibrary(m); }
};
using ModulePtr = std::unique_ptr<std::remove_pointer_t<HMODULE>, ModuleDeleter>;

ModulePtr LoadAsData(const std::wstring& path) {
  return ModulePtr(LoadLibraryExW(path.c_str(), nullptr,
                                  LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE));
}

std::string Manifest(const std::wstring& path) {
  ModulePtr module = LoadAsData(path);
  if (!module) return {};
  HRSRC res = FindResourceW(module.get(), MAKEINTRESOURCEW(1), RT_MANIFEST);
  if (!res) return {};
  HGLOBAL data = LoadResource(module.get(), res);
  const char* text = static_cast<const char*>(LockResource(data));
  return text ? std::string(text, SizeofResource(module.get(), res)) : std::string();
}

class VersionInfo {
 public:
  explicit VersionInfo(const std::wstring& path) {
    DWORD handle = 0;
    DWORD size = GetFileVersionInfoSizeW(path.c_str(), &handle);
    if (size == 0) return;
    data_.resize(size);
    if (!GetFileVersionInfoW(path.c_str(), 0, size, data_.data())) data_.clear();
  }
  const VS_FIXEDFILEINFO* Fixed() const {
    void* p = nullptr;
    UINT len = 0;
    if (data_.empty() || !VerQueryValueW(data_.data(), L"\\", &p, &len) ||
        len < sizeof(VS_FIXEDFILEINFO))
      return nullptr;
    return static_cast<const VS_FIXEDFILEINFO*>(p);
  }
  std::wstring String(const std::wstring& name) const {
    struct Translation {
      WORD language, codePage;
    };
    void* p = nullptr;
    UINT len = 0;
    if (data_.empty() || !VerQueryValueW(data_.data(), L"\\VarFileInfo\\Translation", &p, &len) ||
        len < sizeof(Translation))
      return {};
    auto* t = static_cast<const Translation*>(p);
    wchar_t block[64];
    swprintf(block, 64, L"\\StringFileInfo\\%04x%04x\\", t->language, t->codePage);
    if (!VerQueryValueW(data_.data(), (block + name).c_str(), &p, &len) || len == 0) return {};
    return static_cast<const wchar_t*>(p);
  }

 private:
  std::vector<BYTE> data_;
};

TEST(ExeResources, PeHeaderHasTheExpectedMachineAndFormat) {
  const std::vector<char> bytes = ReadFile(ExeUnderTest());
  ASSERT_GE(bytes.size(), 512u) << "cannot read the program";
  ASSERT_EQ(At<WORD>(bytes, 0), IMAGE_DOS_SIGNATURE);
  const auto pe = At<LONG>(bytes, 60);
  ASSERT_EQ(At<DWORD>(bytes, pe), IMAGE_NT_SIGNATURE);
  const auto machine = At<WORD>(bytes, pe + 4);
  const auto magic = At<WORD>(bytes, pe + 24);
  const auto subsystem = At<WORD>(bytes, pe + 24 + 68);
  const std::wstring expected =
      Env(L"QUIREL_EXPECTED_MACHINE", sizeof(void*) == 8 ? L"0x8664" : L"0x014C");
  EXPECT_EQ(machine, std::wcstoul(expected.c_str(), nullptr, 16));
  EXPECT_EQ(magic, machine == IMAGE_FILE_MACHINE_I386 ? IMAGE_NT_OPTIONAL_HDR32_MAGIC
                                                      : IMAGE_NT_OPTIONAL_HDR64_MAGIC);
  EXPECT_EQ(subsystem, IMAGE_SUBSYSTEM_WINDOWS_GUI);
}

// The DLL names of the import table, read from the file's own headers.
std::vector<std::string> ImportedDlls(const std::vector<char>& bytes) {
  std::vector<std::string> dlls;
  const auto pe = At<LONG>(bytes, 60);
  const auto sections = At<WORD>(bytes, pe + 6);
  const auto optionalSize = At<WORD>(bytes, pe + 20);
  const size_t optional = pe + 24;
  const bool pe32plus = At<WORD>(bytes, optional) == IMAGE_NT_OPTIONAL_HDR64_MAGIC;
  const size_t directories = optional + (pe32plus ? 112 : 96);
  const auto importRva = At<DWORD>(bytes, directories + 8 * IMAGE_DIRECTORY_ENTRY_IMPORT);
  const size_t sectionTable = optional + optionalSize;
  auto fileOffset = [&](DWORD rva) -> size_t {
    for (WORD i = 0; i < sections; ++i) {
      const size_t h = sectionTable + i * sizeof(IMAGE_SECTION_HEADER);
      const auto va = At<DWORD>(bytes, h + 12), rawSize = At<DWORD>(bytes, h + 16),
                 raw = At<DWORD>(bytes, h + 20);
      if (rva >= va && rva < va + rawSize) return raw + (rva - va);
    }
    return 0;
  };
  for (size_t d = fileOffset(importRva); d && d + 20 <= bytes.size(); d += 20) {
    const auto nameRva = At<DWORD>(bytes, d + 12);
    if (nameRva == 0) break;
    const size_t name = fileOffset(nameRva);
    if (name == 0 || name >= bytes.size()) break;
    dlls.emplace_back(bytes.data() + name);
  }
  return dlls;
}

TEST(ExeResources, ImportsOnlySystemLibraries) {
  // A program that needs libstdc++/libgcc/winpthread DLLs would not start on a clean Windows.
  const std::vector<std::string> dlls = ImportedDlls(ReadFile(ExeUnderTest()));
  ASSERT_FALSE(dlls.empty());
  bool kernel32 = false;
  for (std::string dll : dlls) {
    for (char& c : dll) c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
    kernel32 = kernel32 || dll == "kernel32.dll";
    for (const char* runtime : {"libstdc++", "libgcc", "libwinpthread"})
      EXPECT_EQ(dll.find(runtime), std::string::npos) << dll;
  }
  EXPECT_TRUE(kernel32) << "import table not found";
}

TEST(ExeResources, VersionNumbers) {
  VersionInfo info(ExeUnderTest());
  const VS_FIXEDFILEINFO* fixed = info.Fixed();
  ASSERT_NE(fixed, nullptr);
  EXPECT_EQ(fixed->dwFileVersionMS, MAKELONG(1, 2));
  EXPECT_EQ(fixed->dwFileVersionLS, 0u);
  EXPECT_EQ(fixed->dwProductVersionMS, MAKELONG(0, 1));
  EXPECT_EQ(fixed->dwProductVersionLS, 0u);
  EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_APP));
}

TEST(ExeResources, GetExeVersionReadsTheFileVersion) {
  int32_t major = 0, minor = 0, release = 0, build = 0;
  quirel::GetExeVersion(ExeUnderTest(), major, minor, release, build);
  EXPECT_EQ((std::vector<int32_t>{major, minor, release, build}),
            (std::vector<int32_t>{2, 1, 0, 0}));
}

TEST(ExeResources, VersionStringsShownInProperties) {
  VersionInfo info(ExeUnderTest());
  struct Case {
    const wchar_t* name;
    const wchar_t* value;
  };
  for (const Case& c :
       {Case{L"FileDescription", L"Quirel"}, Case{L"ProductName", L"Quirel"},
        Case{L"FileVersion", L"2.1.0.0"}, Case{L"ProductVersion", L"1.0.0.0"},
        Case{L"OriginalFilename", L"Quirel.exe"}, Case{L"InternalName", L"Quirel"},
        Case{L"CompanyName", L"Quirel"}, Case{L"LegalCopyright", L"Copyright \u00A9 Quirel"}})
    EXPECT_EQ(info.String(c.name), c.value) << std::string(c.name, c.name + wcslen(c.name));
}

TEST(ExeResources, ManifestDeclaresDpiControlsLevelAndSystems) {
  const std::string manifest = Manifest(ExeUnderTest());
  ASSERT_FALSE(manifest.empty()) << "no RT_MANIFEST resource 1";
  for (const char* piece : {">true/pm</dpiAware>", ">PerMonitor</dpiAwareness>",
                            "name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\"",
                            "requestedExecutionLevel level=\"asInvoker\"",
                            "{e2011457-1546-43c5-a5fe-008deee3d3f0}",   // Vista
                            "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}",   // 7
                            "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}",   // 8
                            "{1f676c76-80e1-4239-95bb-83d0f6d0da78}",   // 8.1
                            "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"})  // 10
    EXPECT_NE(manifest.find(piece), std::string::npos) << piece;
}

TEST(ExeResources, CarriesAnApplicationIconInTheUsualSizes) {
  ModulePtr module = LoadAsData(ExeUnderTest());
  ASSERT_TRUE(module);
  for (int size : {16, 32, 48, 256}) {
    HANDLE icon = LoadImageW(module.get(), L"MAINICON", IMAGE_ICON, size, size, 0);
    ASSERT_NE(icon, nullptr) << size;
    ICONINFO ii{};
    ASSERT_TRUE(GetIconInfo(static_cast<HICON>(icon), &ii));
    BITMAP bm{};
    GetObjectW(ii.hbmColor, sizeof bm, &bm);
    EXPECT_EQ(bm.bmWidth, size);
    DeleteObject(ii.hbmColor);
    DeleteObject(ii.hbmMask);
    DestroyIcon(static_cast<HICON>(icon));
  }
}

}  // namespace
