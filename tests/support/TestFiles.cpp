#include "TestFiles.h"

#include <windows.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace quirel::test {

ScratchDir::ScratchDir() {
  static std::atomic<unsigned> counter{0};
  wchar_t temp[MAX_PATH + 1] = {};
  GetTempPathW(MAX_PATH + 1, temp);
  // Wine reuses process ids, and a killed run leaves its folders behind: skip taken names.
  for (int attempt = 0; attempt < 1000; ++attempt) {
    path_ = std::wstring(temp) + L"quirel-common-" + std::to_wstring(GetCurrentProcessId()) +
            L"-" + std::to_wstring(counter++) + L"\\";
    if (CreateDirectoryW(path_.c_str(), nullptr)) return;
    if (GetLastError() != ERROR_ALREADY_EXISTS) break;
  }
  throw std::runtime_error("cannot create scratch folder");
}

ScratchDir::~ScratchDir() {
  std::error_code ignored;
  std::filesystem::remove_all(std::filesystem::path(path_), ignored);
}

bool Exists(const std::wstring& path) {
  return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string ReadBytes(const std::wstring& path) {
  std::ifstream in(std::filesystem::path(path), std::ios::binary);
  if (!in) throw std::runtime_error("cannot read test file");
  return std::string(std::istreambuf_iterator<char>(in), {});
}

void WriteBytes(const std::wstring& path, const std::string& bytes) {
  std::ofstream out(std::filesystem::path(path), std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out) throw std::runtime_error("cannot write test file");
}

}  // namespace quirel::test
