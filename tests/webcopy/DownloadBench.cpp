// webcopy_bench <url> [rounds]: the installer download's speed. Downloads the URL in turns
// with a plain WinINet loop (4096-byte reads written to a file) and with TWebCopy::Execute
// configured and shown as the update module does, and prints both throughputs and their
// ratio (medians of the rounds). Not a test: scripts/bench-download serves the file and runs it.
#include <windows.h>
#include <wininet.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <string>
#include <vector>

#include "ui/kit/Application.h"
#include "ui/kit/Form.h"
#include "update/webcopy/WebCopy.h"
#include "update/webcopy/WinHandles.h"

namespace {

using namespace quirel;
using namespace quirel::webcopy;

struct Run {
  double Seconds = 0;
  int64_t Bytes = 0;
};

std::wstring BenchFolder() {
  std::array<wchar_t, MAX_PATH + 1> temp{};
  GetTempPathW(static_cast<DWORD>(temp.size()), temp.data());
  std::wstring folder = std::wstring(temp.data()) + L"quirel-bench\\";
  CreateDirectoryW(folder.c_str(), nullptr);
  return folder;
}

double Seconds(uint64_t fromCounter, uint64_t toCounter) {
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  return static_cast<double>(toCounter - fromCounter) / static_cast<double>(frequency.QuadPart);
}

uint64_t Counter() {
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  return static_cast<uint64_t>(now.QuadPart);
}

int64_t FileSize(const std::wstring& path) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) return -1;
  return (static_cast<int64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

// What the component does for each block, without a window, events or a thread.
Run PlainLoop(const std::wstring& url, const std::wstring& target) {
  const uint64_t start = Counter();
  TInternetHandle internet(
      InternetOpenW(L"WebCopy", INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, INTERNET_FLAG_NO_CACHE_WRITE));
  DWORD ms = 900 * 1000;
  for (DWORD option : {INTERNET_OPTION_CONNECT_TIMEOUT, INTERNET_OPTION_SEND_TIMEOUT, INTERNET_OPTION_RECEIVE_TIMEOUT})
    InternetSetOptionW(internet.get(), option, &ms, sizeof ms);
  TInternetHandle request(InternetOpenUrlW(internet.get(), url.c_str(), nullptr, 0,
                                           INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE, 0));
  TFileHandle file(
      CreateFileW(target.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  Run run;
  if (!request || !file.Valid()) return run;
  std::array<char, 4096> buffer;
  DWORD read = 0;
  while (InternetReadFile(request.get(), buffer.data(), static_cast<DWORD>(buffer.size()), &read) && read > 0) {
    DWORD written = 0;
    if (!WriteFile(file.Get(), buffer.data(), read, &written, nullptr) || written != read) return run;
    run.Bytes += read;
  }
  run.Seconds = Seconds(start, Counter());
  return run;
}

// The update module's configuration of the component and its window over a disabled main window.
void Configure(TWebCopy& copy, const std::wstring& url, const std::wstring& folder) {
  copy.Agent = L"WebCopy";
  copy.DlgCancel = L"Annulla";
  copy.DlgCompleted = L"completato";
  copy.DlgFileLabel = L"File:";
  copy.DlgFromServerLabel = L"da";
  copy.DlgProgressLabel = L"Avanzamento:";
  copy.DlgFileOfLabel = L"di";
  copy.DlgRateLabel = L"Velocit\u00E0 di trasferimento:";
  copy.ShowCompletion = true;
  copy.DlgCaption = L"Aggiornamento Quirel";
  copy.DlgDwnload = copy.DlgCaption + L" in corso ...";
  copy.ShowDialogOnTop = true;
  copy.Timeout = 900;
  copy.StallTimeout = 30;
  copy.Items.Clear();
  TWebCopyItem& item = copy.Items.Add();
  item.URL = url;
  item.TargetDir = folder;
  item.TargetFilename = L"webcopy.bin";
}

struct CopyRun {
  Run Transfer;        // from the item's start to its end, the window shown throughout
  double Execute = 0;  // the whole call, with building and closing the window
  bool Success = false;
};

CopyRun WebCopyRun(const std::wstring& url, const std::wstring& folder) {
  TWebCopy copy;
  Configure(copy, url, folder);
  uint64_t fileStart = 0, fileDone = 0;
  CopyRun run;
  copy.OnFileStart = [&](TWebCopy&, int) { fileStart = Counter(); };
  copy.OnCopyProgress = [&](TWebCopy&, int, int64_t size, int64_t) { run.Transfer.Bytes = size; };
  copy.OnFileDone = [&](TWebCopy&, int) { fileDone = Counter(); };
  copy.OnErrorInfo = [](TWebCopy&, int, const std::wstring& info) { std::fwprintf(stderr, L"  %ls\n", info.c_str()); };
  const uint64_t start = Counter();
  copy.Execute();
  run.Execute = Seconds(start, Counter());
  run.Transfer.Seconds = Seconds(fileStart, fileDone);
  run.Success = copy.Items[0].Success();
  return run;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

double MBps(const Run& run) { return run.Seconds > 0 ? static_cast<double>(run.Bytes) / 1e6 / run.Seconds : 0; }

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 2) {
    std::fwprintf(stderr, L"usage: webcopy_bench <url> [rounds]\n");
    return 2;
  }
  const std::wstring url = argv[1];
  const int rounds = argc > 2 ? std::max(1, _wtoi(argv[2])) : 3;
  const std::wstring folder = BenchFolder();

  kit::CreateApplication();
  kit::TForm* main = kit::Application->CreateForm<kit::TForm>(L"Quirel");
  main->Show();
  EnableWindow(main->Handle(), FALSE);

  std::vector<double> plain, webcopy, execute;
  int64_t size = -1;
  bool ok = true;
  for (int round = 1; round <= rounds; ++round) {
    const Run p = PlainLoop(url, folder + L"plain.bin");
    const CopyRun w = WebCopyRun(url, folder);
    const int64_t written = FileSize(folder + L"webcopy.bin");
    std::wprintf(L"round %d: plain loop %.1f MB/s (%lld bytes), TWebCopy %.1f MB/s (%lld bytes; whole Execute %.2f s)\n",
                 round, MBps(p), static_cast<long long>(p.Bytes), MBps(w.Transfer),
                 static_cast<long long>(written), w.Execute);
    ok = ok && p.Bytes > 0 && w.Success && written == p.Bytes && (size < 0 || size == p.Bytes);
    size = p.Bytes;
    plain.push_back(MBps(p));
    webcopy.push_back(MBps(w.Transfer));
    execute.push_back(w.Execute);
  }
  DeleteFileW((folder + L"plain.bin").c_str());
  DeleteFileW((folder + L"webcopy.bin").c_str());
  RemoveDirectoryW(folder.c_str());
  kit::DestroyApplication();

  const double p = Median(plain), w = Median(webcopy);
  std::wprintf(L"\n%lld bytes, median of %d rounds:\n", static_cast<long long>(size), rounds);
  std::wprintf(L"  plain WinINet loop (4096-byte reads, written to a file): %7.1f MB/s\n", p);
  std::wprintf(L"  TWebCopy::Execute (progress window shown):               %7.1f MB/s\n", w);
  std::wprintf(L"  ratio TWebCopy / plain loop:                             %7.2f\n", p > 0 ? w / p : 0);
  std::wprintf(L"  (the transfer is timed from OnFileStart to OnFileDone; the whole Execute took %.2f s,\n"
               L"   building and closing the window included)\n",
               Median(execute));
  if (!ok) std::wprintf(L"FAILED: a download did not complete or the sizes differ\n");
  std::fflush(stdout);
  return ok ? 0 : 1;
}
