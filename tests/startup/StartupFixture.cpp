#include "StartupFixture.h"

#include <filesystem>
#include <stdexcept>

namespace quirel::test {

std::wstring BuildBinFolder() {
  wchar_t path[MAX_PATH];
  const DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring folder(path, n);
  return folder.substr(0, folder.rfind(L'\\') + 1);
}

void CopyTree(const std::wstring& from, const std::wstring& to) {
  namespace fs = std::filesystem;
  auto withoutSeparator = [](std::wstring path) {
    while (!path.empty() && (path.back() == L'\\' || path.back() == L'/')) path.pop_back();
    return fs::path(path);
  };
  fs::create_directories(withoutSeparator(to));
  fs::copy(withoutSeparator(from), withoutSeparator(to), fs::copy_options::recursive);
}

ProgramCopy::ProgramCopy(bool withEngine) {
  const std::wstring bin = BuildBinFolder();
  if (!CopyFileW((bin + L"Quirel.exe").c_str(), Exe().c_str(), FALSE))
    throw std::runtime_error("Quirel.exe missing beside the test");
  if (withEngine) CopyTree(bin + L"plugin\\cef\\", EngineFolder());
}

ChildProcess ProgramCopy::Start(const std::vector<std::wstring>& args, int showCommand) const {
  return ChildProcess(
      Exe(), args,
      {L"QUIREL_STANDIN_TRACE=" + TraceFile(), L"QUIREL_STANDIN_WATCH_MUTEX=App-Quirel"}, Folder(),
      showCommand);
}

std::vector<standin_test::Json> ReadTrace(const std::wstring& path) {
  std::vector<standin_test::Json> lines;
  const std::string text = Exists(path) ? ReadBytes(path) : std::string();
  size_t start = 0;
  for (size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1)
    if (end > start)
      if (auto json = standin_test::ParseJson(text.substr(start, end - start)))
        lines.push_back(*json);
  return lines;
}

bool InstanceMutexExists() {
  HANDLE mutex = OpenMutexW(SYNCHRONIZE, FALSE, L"App-Quirel");
  if (!mutex) return false;
  CloseHandle(mutex);
  return true;
}

}  // namespace quirel::test
