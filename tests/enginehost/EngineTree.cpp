#include "EngineTree.h"

#include <windows.h>

#include <filesystem>
#include <stdexcept>
#include <system_error>

#include "engine/CefApplicationCore.h"

namespace quirel::test {

const std::vector<std::wstring> kDllFolderFiles = {
    L"libcef.dll",    L"chrome_elf.dll",          L"d3dcompiler_47.dll",         L"libEGL.dll",
    L"libGLESv2.dll", L"swiftshader\\libEGL.dll", L"swiftshader\\libGLESv2.dll", L"icudtl.dat"};

const std::vector<std::wstring> kResourceFiles = {L"snapshot_blob.bin", L"v8_context_snapshot.bin",
                                                  L"cef.pak", L"cef_100_percent.pak",
                                                  L"cef_200_percent.pak"};

const std::vector<std::wstring> kAllLocales = {
    L"am",    L"ar",    L"bg", L"bn",     L"ca", L"cs", L"da",    L"de",   L"el",
    L"en-GB", L"en-US", L"es", L"es-419", L"et", L"fa", L"fi",    L"fil",  L"fr",
    L"gu",    L"he",    L"hi", L"hr",     L"hu", L"id", L"it",    L"ja",   L"kn",
    L"ko",    L"lt",    L"lv", L"ml",     L"mr", L"ms", L"nb",    L"nl",   L"pl",
    L"pt-BR", L"pt-PT", L"ro", L"ru",     L"sk", L"sl", L"sr",    L"sv",   L"sw",
    L"ta",    L"te",    L"th", L"tr",     L"uk", L"vi", L"zh-CN", L"zh-TW"};

std::wstring FixturePath(const std::wstring& name) { return ExecutableFolder() + name; }

EngineTree::EngineTree(const std::wstring& libCefFixture) {
  if (!CreateDirectoryW((path() + L"swiftshader").c_str(), nullptr) ||
      !CreateDirectoryW(locales().c_str(), nullptr))
    throw std::runtime_error("cannot create engine folders");
  for (const std::wstring& name : kDllFolderFiles)
    if (name != L"libcef.dll") WriteBytes(path() + name, "");
  for (const std::wstring& name : kResourceFiles) WriteBytes(path() + name, "");
  WriteBytes(path() + L"cef_extensions.pak", "");
  WriteBytes(path() + L"devtools_resources.pak", "");
  for (const std::wstring& name : kAllLocales) WriteBytes(locales() + L"\\" + name + L".pak", "");
  WriteBytes(path() + L"libcef.dll", ReadBytes(FixturePath(libCefFixture)));
}

void EngineTree::Remove(const std::wstring& name) const {
  if (!DeleteFileW((path() + name).c_str())) throw std::runtime_error("cannot remove test file");
}

std::wstring CurrentDirectoryPath() {
  wchar_t buffer[MAX_PATH + 1] = {};
  const DWORD length = GetCurrentDirectoryW(MAX_PATH + 1, buffer);
  return std::wstring(buffer, length <= MAX_PATH ? length : 0);
}

CurrentDirectory::CurrentDirectory(const std::wstring& folder) : saved_(CurrentDirectoryPath()) {
  if (!SetCurrentDirectoryW(folder.c_str()))
    throw std::runtime_error("cannot change the current directory");
}

CurrentDirectory::~CurrentDirectory() { SetCurrentDirectoryW(saved_.c_str()); }

std::wstring JoinLines(const std::vector<std::wstring>& lines) {
  std::wstring text;
  for (size_t i = 0; i < lines.size(); ++i) {
    if (i > 0) text += L"\r\n";
    text += lines[i];
  }
  return text;
}

std::vector<std::wstring> Prefixed(const std::wstring& prefix,
                                   const std::vector<std::wstring>& names,
                                   const std::wstring& suffix) {
  std::vector<std::wstring> result;
  for (const std::wstring& name : names) result.push_back(prefix + name + suffix);
  return result;
}

}  // namespace quirel::test
