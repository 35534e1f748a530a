#include "engine/EngineFiles.h"

#include <windows.h>

#include <cstring>
#include <iterator>

#include "common/Globals.h"

namespace quirel {

namespace {

constexpr wchar_t kLineBreak[] = L"\r\n";

constexpr const wchar_t* kDllFolderFiles[] = {
    L"libcef.dll",    L"chrome_elf.dll",          L"d3dcompiler_47.dll",         L"libEGL.dll",
    L"libGLESv2.dll", L"swiftshader\\libEGL.dll", L"swiftshader\\libGLESv2.dll", L"icudtl.dat"};

constexpr const wchar_t* kResourceFiles[] = {L"snapshot_blob.bin", L"v8_context_snapshot.bin",
                                             L"cef.pak", L"cef_100_percent.pak",
                                             L"cef_200_percent.pak"};

constexpr wchar_t kAllLocales[] =
    L"am,ar,bg,bn,ca,cs,da,de,el,en-GB,en-US,es,es-419,et,fa,fi,fil,fr,gu,he,hi,hr,hu,id,it,ja,"
    L"kn,ko,lt,lv,ml,mr,ms,nb,nl,pl,pt-BR,pt-PT,ro,ru,sk,sl,sr,sv,sw,ta,te,th,tr,uk,vi,zh-CN,"
    L"zh-TW";

bool FileExists(const std::wstring& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool DirectoryExists(const std::wstring& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

struct FolderPrefix {
  std::wstring prefix;
  bool exists;
};

// An empty folder means the current directory, which is taken to exist.
FolderPrefix ResolvedFolderPrefix(const std::wstring& folder) {
  if (folder.empty()) return {L"", true};
  const std::wstring prefix = IncludeTrailingBackslash(ResolveEnginePath(folder, false));
  return {prefix, DirectoryExists(prefix)};
}

std::vector<std::wstring> Prefixed(const std::wstring& prefix,
                                   const std::vector<std::wstring>& names) {
  std::vector<std::wstring> files;
  files.reserve(names.size());
  for (const std::wstring& name : names) files.push_back(prefix + name);
  return files;
}

bool CheckFolderFiles(const FolderPrefix& folder, const std::vector<std::wstring>& names,
                      std::wstring& missing) {
  const std::vector<std::wstring> files = Prefixed(folder.prefix, names);
  if (folder.exists) return CheckFilesExist(files, missing);
  missing = Trim(missing) + kLineBreak;
  for (const std::wstring& file : files) missing += file + kLineBreak;
  return false;
}

// Names between commas, without surrounding blanks; empty names are dropped.
std::vector<std::wstring> SplitCommaList(const std::wstring& list) {
  std::vector<std::wstring> names;
  size_t start = 0;
  while (start <= list.size()) {
    size_t comma = list.find(L',', start);
    if (comma == std::wstring::npos) comma = list.size();
    const std::wstring name = Trim(list.substr(start, comma - start));
    if (!name.empty()) names.push_back(name);
    start = comma + 1;
  }
  return names;
}

class FileHandle {
 public:
  explicit FileHandle(HANDLE handle) : handle_(handle) {}
  ~FileHandle() {
    if (valid()) CloseHandle(handle_);
  }
  FileHandle(const FileHandle&) = delete;
  FileHandle& operator=(const FileHandle&) = delete;
  bool valid() const { return handle_ != INVALID_HANDLE_VALUE; }
  HANDLE get() const { return handle_; }

 private:
  HANDLE handle_;
};

bool ReadExactly(HANDLE file, void* buffer, DWORD size) {
  DWORD read = 0;
  return ReadFile(file, buffer, size, &read, nullptr) && read == size;
}

uint16_t ReadUInt16(const unsigned char* bytes) {
  uint16_t value;
  std::memcpy(&value, bytes, sizeof value);
  return value;
}

uint32_t ReadUInt32(const unsigned char* bytes) {
  uint32_t value;
  std::memcpy(&value, bytes, sizeof value);
  return value;
}

}  // namespace

std::wstring Trim(const std::wstring& text) {
  // White space and control characters, as the missing-files text is trimmed.
  auto blank = [](wchar_t c) { return c <= L' '; };
  size_t first = 0;
  size_t last = text.size();
  while (first < last && blank(text[first])) ++first;
  while (last > first && blank(text[last - 1])) --last;
  return text.substr(first, last - first);
}

bool CheckSubprocessPath(const std::wstring& path, std::wstring& missing) {
  if (path.empty() || FileExists(path)) return true;
  // Ended with a line break like every other entry, so that later entries start a line.
  missing = Trim(missing) + kLineBreak + ExtractFileName(path) + kLineBreak;
  return false;
}

bool CheckDLLs(const std::wstring& folder, std::wstring& missing) {
  return CheckFolderFiles(ResolvedFolderPrefix(folder),
                          {std::begin(kDllFolderFiles), std::end(kDllFolderFiles)}, missing);
}

bool CheckResources(const std::wstring& folder, std::wstring& missing, bool devToolsRequired,
                    bool extensionsRequired) {
  std::vector<std::wstring> names(std::begin(kResourceFiles), std::end(kResourceFiles));
  if (extensionsRequired) names.push_back(L"cef_extensions.pak");
  if (devToolsRequired) names.push_back(L"devtools_resources.pak");
  return CheckFolderFiles(ResolvedFolderPrefix(folder), names, missing);
}

bool CheckLocales(const std::wstring& folder, std::wstring& missing,
                  const std::wstring& requiredList) {
  const std::wstring prefix = folder.empty() ? L"locales\\" : IncludeTrailingBackslash(folder);
  std::vector<std::wstring> names =
      SplitCommaList(requiredList.empty() ? kAllLocales : requiredList);
  for (std::wstring& name : names) name += L".pak";
  return CheckFolderFiles({prefix, DirectoryExists(prefix)}, names, missing);
}

bool CheckFilesExist(const std::vector<std::wstring>& files, std::wstring& missing) {
  bool allFound = true;
  for (const std::wstring& file : files) {
    if (file.empty() || FileExists(file)) continue;
    missing += file + kLineBreak;
    allFound = false;
  }
  return allFound;
}

uint64_t GetExtendedFileVersion(const std::wstring& file) {
  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeW(file.c_str(), &ignored);
  if (size == 0) return 0;
  std::vector<unsigned char> data(size);
  if (!GetFileVersionInfoW(file.c_str(), 0, size, data.data())) return 0;
  void* fixed = nullptr;
  UINT length = 0;
  if (!VerQueryValueW(data.data(), L"\\", &fixed, &length) || !fixed ||
      length < sizeof(VS_FIXEDFILEINFO))
    return 0;
  const auto* info = static_cast<const VS_FIXEDFILEINFO*>(fixed);
  return (static_cast<uint64_t>(info->dwFileVersionMS) << 32) | info->dwFileVersionLS;
}

bool GetDLLVersion(const std::wstring& file, TFileVersionInfo& version) {
  if (!FileExists(file)) return false;
  const uint64_t number = GetExtendedFileVersion(file);
  if (number == 0) return false;
  version.MajorVer = static_cast<uint16_t>(number >> 48);
  version.MinorVer = static_cast<uint16_t>(number >> 32);
  version.Release = static_cast<uint16_t>(number >> 16);
  version.Build = static_cast<uint16_t>(number);
  return true;
}

bool MatchesLibraryVersion(const std::wstring& file, uint16_t major, uint16_t minor,
                           uint16_t release, uint16_t build) {
  TFileVersionInfo version;
  return GetDLLVersion(file, version) && version.MajorVer == major && version.MinorVer == minor &&
         version.Release == release && version.Build == build;
}

bool GetDLLHeaderMachine(const std::wstring& file, uint16_t& machine) {
  constexpr DWORD kDosHeaderSize = 64;
  constexpr size_t kPeHeaderOffsetField = 60;
  constexpr DWORD kPeHeaderSize = 248;  // signature, file header and the 32-bit optional header
  constexpr uint32_t kPeSignature = 0x00004550;  // "PE\0\0"

  if (!FileExists(file)) return false;
  const FileHandle handle(CreateFileW(file.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!handle.valid()) return false;
  unsigned char dosHeader[kDosHeaderSize];
  if (!ReadExactly(handle.get(), dosHeader, kDosHeaderSize)) return false;
  if (ReadUInt16(dosHeader) != 0x5A4D) return false;  // "MZ"
  const uint32_t peOffset = ReadUInt32(dosHeader + kPeHeaderOffsetField);
  if (peOffset == 0) return false;
  LARGE_INTEGER position;
  position.QuadPart = peOffset;
  if (!SetFilePointerEx(handle.get(), position, nullptr, FILE_BEGIN)) return false;
  unsigned char peHeader[kPeHeaderSize];
  if (!ReadExactly(handle.get(), peHeader, kPeHeaderSize)) return false;
  if (ReadUInt32(peHeader) != kPeSignature) return false;
  machine = ReadUInt16(peHeader + 4);
  return true;
}

std::wstring VersionToString(const TFileVersionInfo& version) {
  return std::to_wstring(version.MajorVer) + L"." + std::to_wstring(version.MinorVer) + L"." +
         std::to_wstring(version.Release) + L"." + std::to_wstring(version.Build);
}

}  // namespace quirel
