#include "EngineFiles.h"

#include <filesystem>
#include <fstream>
#include <vector>

#include "Host.h"
#include "engine/capi/CefEntryPoints.h"

namespace standin_test {
namespace {

std::optional<VS_FIXEDFILEINFO> FixedInfo(const std::wstring& path) {
  DWORD unused = 0;
  const DWORD size = GetFileVersionInfoSizeW(path.c_str(), &unused);
  if (size == 0) return std::nullopt;
  std::vector<unsigned char> data(size);
  VS_FIXEDFILEINFO* info = nullptr;
  UINT length = 0;
  if (!GetFileVersionInfoW(path.c_str(), 0, size, data.data()) ||
      !VerQueryValueW(data.data(), L"\\", reinterpret_cast<void**>(&info), &length) ||
      length < sizeof *info)
    return std::nullopt;
  return *info;
}

Version Split(DWORD most, DWORD least) {
  return {HIWORD(most), LOWORD(most), HIWORD(least), LOWORD(least)};
}

}  // namespace

std::wstring EngineFolder() { return RunFolder() + L"plugin\\cef\\"; }

std::wstring FromRunFolder(const std::wstring& relative) {
  const std::wstring joined = RunFolder() + relative;
  wchar_t full[MAX_PATH];
  const DWORD length = GetFullPathNameW(joined.c_str(), MAX_PATH, full, nullptr);
  return std::wstring(full, length);
}

std::optional<Version> FileVersion(const std::wstring& path) {
  const auto info = FixedInfo(path);
  if (!info) return std::nullopt;
  return Split(info->dwFileVersionMS, info->dwFileVersionLS);
}

std::optional<Version> ProductVersion(const std::wstring& path) {
  const auto info = FixedInfo(path);
  if (!info) return std::nullopt;
  return Split(info->dwProductVersionMS, info->dwProductVersionLS);
}

std::optional<unsigned> Machine(const std::wstring& path) {
  std::ifstream in(std::filesystem::path(path), std::ios::binary);
  IMAGE_DOS_HEADER dos{};
  if (!in.read(reinterpret_cast<char*>(&dos), sizeof dos) || dos.e_magic != IMAGE_DOS_SIGNATURE)
    return std::nullopt;
  DWORD signature = 0;
  IMAGE_FILE_HEADER file{};
  in.seekg(dos.e_lfanew);
  if (!in.read(reinterpret_cast<char*>(&signature), sizeof signature) ||
      signature != IMAGE_NT_SIGNATURE || !in.read(reinterpret_cast<char*>(&file), sizeof file))
    return std::nullopt;
  return file.Machine;
}

unsigned ThisMachine() {
  return sizeof(void*) == 8 ? IMAGE_FILE_MACHINE_AMD64 : IMAGE_FILE_MACHINE_I386;
}

bool LoadEngineHere() {
  static const bool loaded = [] {
    HMODULE module = LoadLibraryExW((EngineFolder() + L"libcef.dll").c_str(), nullptr,
                                    LOAD_WITH_ALTERED_SEARCH_PATH);
    if (!module) return false;
    for (const TCefEntryPointInfo& entry : kCefEntryPoints) {
      FARPROC proc = GetProcAddress(module, entry.name);
      if (!proc) return false;
      entry.store(g_cef, proc);
    }
    return true;
  }();
  return loaded;
}

}  // namespace standin_test
