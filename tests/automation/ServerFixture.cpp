#include "ServerFixture.h"

#include <tlhelp32.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

#include "WindowProbe.h"

namespace quirel::test {

const wchar_t kClsid[] = L"{7345FE56-3D5C-49E0-ABFE-AEF8BA1C99A7}";
const wchar_t kLibId[] = L"{163DB8E0-C442-4AA0-BCCB-86AE295A0472}";
const wchar_t kIid[] = L"{E86584C3-3B8A-45D9-A83A-69D3D266F649}";
const wchar_t kProgId[] = L"QuirelCloud.QuirelApplication";

namespace {

std::wstring ModuleFolder() {
  wchar_t path[MAX_PATH];
  const DWORD n = GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring file(path, n);
  return file.substr(0, file.rfind(L'\\') + 1);
}

std::wstring TempFolder() {
  wchar_t temp[MAX_PATH + 1] = {};
  GetTempPathW(MAX_PATH + 1, temp);
  return temp;
}

std::wstring UniqueName(const wchar_t* stem) {
  static unsigned counter = 0;
  return std::wstring(stem) + L"-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
         std::to_wstring(counter++);
}

}  // namespace

std::wstring RunFolder() { return ModuleFolder(); }
std::wstring QuirelExe() { return RunFolder() + L"Quirel.exe"; }

bool EngineFolderPresent(const std::wstring& folder) {
  return GetFileAttributesW((folder + L"plugin\\cef\\libcef.dll").c_str()) !=
         INVALID_FILE_ATTRIBUTES;
}

ProgramFolder::ProgramFolder(const std::wstring& name)
    : FFolder(TempFolder() + UniqueName(L"quirel-automation") + L"\\" + name + L"\\") {
  namespace fs = std::filesystem;
  fs::create_directories(FFolder);
  fs::copy_file(QuirelExe(), Exe());
  fs::copy(RunFolder() + L"plugin", FFolder + L"plugin", fs::copy_options::recursive);
}

ProgramFolder::~ProgramFolder() {
  std::error_code ignored;
  std::filesystem::remove_all(std::filesystem::path(FFolder).parent_path().parent_path(), ignored);
}

RunResult RunProgram(const std::wstring& exe, const std::vector<std::wstring>& args,
                     DWORD timeoutMs) {
  RunResult result;
  ChildProcess program(exe, args);
  const ULONGLONG end = GetTickCount64() + timeoutMs;
  while (!(result.Ended = program.WaitForExit(50)) && GetTickCount64() < end)
    for (HWND window : VisibleTopLevelWindows(program.Id()))
      result.WindowsSeen.push_back(ClassName(window));
  result.ExitCode = program.ExitCode();
  return result;
}

std::vector<ProcessEntry> QuirelProcesses() {
  std::vector<ProcessEntry> found;
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return found;
  PROCESSENTRY32W entry{};
  entry.dwSize = sizeof entry;
  for (BOOL more = Process32FirstW(snapshot, &entry); more; more = Process32NextW(snapshot, &entry))
    if (_wcsicmp(entry.szExeFile, L"Quirel.exe") == 0)
      found.push_back({entry.th32ProcessID, entry.th32ParentProcessID, entry.szExeFile});
  CloseHandle(snapshot);
  return found;
}

std::vector<ProcessEntry> QuirelMainProcesses() {
  const std::vector<ProcessEntry> all = QuirelProcesses();
  std::vector<ProcessEntry> main;
  for (const ProcessEntry& p : all) {
    bool subProcess = false;
    for (const ProcessEntry& q : all) subProcess = subProcess || q.Id == p.ParentId;
    if (!subProcess) main.push_back(p);
  }
  return main;
}

void EndQuirelProcesses() {
  for (const ProcessEntry& p : QuirelMainProcesses()) {
    HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, p.Id);
    if (!process) continue;
    EndThroughWindows(p.Id, process, 15000);
    CloseHandle(process);
  }
  for (const ProcessEntry& p : QuirelProcesses()) {
    HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, p.Id);
    if (!process) continue;
    TerminateProcess(process, 99);
    WaitForSingleObject(process, 5000);
    CloseHandle(process);
  }
}

RunningInstance::RunningInstance(const std::wstring& exe, const std::vector<std::wstring>& args)
    : FProcess(exe, args), FMainWindow(WaitForMainWindow(FProcess.Id())) {}

std::optional<std::wstring> DefaultValue(HKEY root, const std::wstring& key, const wchar_t* name) {
  wchar_t text[2048] = {};
  DWORD bytes = sizeof text - sizeof(wchar_t);
  if (RegGetValueW(root, key.c_str(), name, RRF_RT_REG_SZ, nullptr, text, &bytes) != ERROR_SUCCESS)
    return std::nullopt;
  return std::wstring(text);
}

bool KeyExists(HKEY root, const std::wstring& key) {
  HKEY opened = nullptr;
  if (RegOpenKeyExW(root, key.c_str(), 0, KEY_READ, &opened) != ERROR_SUCCESS) return false;
  RegCloseKey(opened);
  return true;
}

void DeleteTree(HKEY root, const std::wstring& key) { RegDeleteTreeW(root, key.c_str()); }

namespace {

void SnapshotInto(HKEY key, const std::wstring& path, std::map<std::wstring, std::wstring>& out) {
  for (DWORD i = 0;; ++i) {
    wchar_t name[512];
    DWORD nameLength = 512;
    BYTE data[4096];
    DWORD dataLength = sizeof data;
    DWORD type = 0;
    if (RegEnumValueW(key, i, name, &nameLength, nullptr, &type, data, &dataLength) !=
        ERROR_SUCCESS)
      break;
    out[path + L"\\" + name] =
        std::to_wstring(type) + L":" +
        std::wstring(reinterpret_cast<wchar_t*>(data), dataLength / sizeof(wchar_t));
  }
  for (DWORD i = 0;; ++i) {
    wchar_t name[512];
    DWORD nameLength = 512;
    if (RegEnumKeyExW(key, i, name, &nameLength, nullptr, nullptr, nullptr, nullptr) !=
        ERROR_SUCCESS)
      break;
    HKEY sub = nullptr;
    if (RegOpenKeyExW(key, name, 0, KEY_READ, &sub) != ERROR_SUCCESS) continue;
    out[path + L"\\" + name + L"\\"] = L"";
    SnapshotInto(sub, path + L"\\" + name, out);
    RegCloseKey(sub);
  }
}

}  // namespace

std::map<std::wstring, std::wstring> Snapshot(HKEY root, const std::wstring& key) {
  std::map<std::wstring, std::wstring> out;
  HKEY opened = nullptr;
  if (RegOpenKeyExW(root, key.c_str(), 0, KEY_READ, &opened) != ERROR_SUCCESS) return out;
  SnapshotInto(opened, L"", out);
  RegCloseKey(opened);
  return out;
}

std::vector<std::pair<std::wstring, std::wstring>> ExpectedEntries(
    const std::wstring& localServer) {
  const std::wstring classKey = std::wstring(L"CLSID\\") + kClsid;
  return {
      {classKey, L"QuirelApplication Object"}, {classKey + L"\\LocalServer32", localServer},
      {kProgId, L"QuirelApplication Object"},  {std::wstring(kProgId) + L"\\Clsid", kClsid},
      {classKey + L"\\ProgID", kProgId},       {classKey + L"\\Version", L"1.0"},
      {classKey + L"\\TypeLib", kLibId},
  };
}

void RemoveRegistration() {
  for (HKEY root : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER}) {
    const std::wstring classes = L"Software\\Classes\\";
    DeleteTree(root, classes + L"CLSID\\" + kClsid);
    DeleteTree(root, classes + kProgId);
    DeleteTree(root, classes + L"TypeLib\\" + kLibId);
    DeleteTree(root, classes + L"Interface\\" + kIid);
    DeleteTree(root, classes + L"Wow6432Node\\Interface\\" + kIid);
  }
}

ComClient::ComClient()
    : FReportFile(TempFolder() + UniqueName(L"quirel-client") + L".txt"),
      FReadyName(UniqueName(L"QuirelClientReady")),
      FReleaseName(UniqueName(L"QuirelClientRelease")) {
  FReady = CreateEventW(nullptr, TRUE, FALSE, FReadyName.c_str());
  FRelease = CreateEventW(nullptr, TRUE, FALSE, FReleaseName.c_str());
  FProcess.emplace(RunFolder() + L"automation_com_client.exe",
                   std::vector<std::wstring>{FReportFile, FReadyName, FReleaseName});
}

ComClient::~ComClient() {
  Release();
  FProcess->WaitForExit(20000);
  FProcess.reset();
  CloseHandle(FReady);
  CloseHandle(FRelease);
  DeleteFileW(FReportFile.c_str());
}

bool ComClient::WaitUntilHolding(DWORD timeoutMs) {
  HANDLE handles[] = {FReady, FProcess->Handle()};
  return WaitForMultipleObjects(2, handles, FALSE, timeoutMs) == WAIT_OBJECT_0 &&
         FProcess->ExitCode() == STILL_ACTIVE;
}

void ComClient::Release() { SetEvent(FRelease); }

std::map<std::wstring, std::wstring> ComClient::Report() const {
  std::ifstream in(FReportFile.c_str(), std::ios::binary);
  const std::string utf8((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  std::wstring text(utf8.size(), L'\0');
  text.resize(MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()),
                                  text.data(), static_cast<int>(text.size())));
  std::map<std::wstring, std::wstring> report;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find(L'\n', start);
    if (end == std::wstring::npos) end = text.size();
    const std::wstring line = text.substr(start, end - start);
    const size_t eq = line.find(L'=');
    if (eq != std::wstring::npos) report[line.substr(0, eq)] = line.substr(eq + 1);
    start = end + 1;
  }
  return report;
}

}  // namespace quirel::test
