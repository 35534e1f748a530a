// The real program's automatic update against a demo service that misbehaves as a broken or
// hostile network would: what the user sees (windows that answer, the prompt, the progress
// window), the log, the download folder and how the program ends.
#include <gtest/gtest.h>

#include <windows.h>
#include <shlobj.h>
#include <wininet.h>

#include <chrono>
#include <cstdlib>
#include <regex>

#include "DialogDriver.h"
#include "ProgramDriver.h"
#include "WindowProbe.h"

namespace quirel::test {
namespace {

using Clock = std::chrono::steady_clock;

const std::wstring kPromptTitle = L"Aggiornamento Programma";
const std::wstring kUpdateNow = L"Aggiorna subito (consigliata)";
const std::wstring kProgressTitle = L"Aggiornamento Quirel";
const std::wstring kInstaller = L"QuirelSetup-2.2.0.0.exe";
const std::string kCheckError = "Errore TdmUpdateApp.AggiornaEseguibile: ";

struct InternetHandle {
  HINTERNET h;
  ~InternetHandle() {
    if (h) InternetCloseHandle(h);
  }
};

// The body of a GET on the demo service's plain port; empty when it cannot be had.
std::string Fetch(const std::wstring& path) {
  InternetHandle session{InternetOpenW(L"UpdateFaultTest", INTERNET_OPEN_TYPE_DIRECT, nullptr,
                                       nullptr, 0)};
  if (!session.h) return {};
  const std::wstring url = L"http://localhost:47080" + path;
  InternetHandle request{InternetOpenUrlW(session.h, url.c_str(), nullptr, 0,
                                          INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE, 0)};
  if (!request.h) return {};
  std::string body;
  char buffer[4096];
  DWORD read = 0;
  while (InternetReadFile(request.h, buffer, sizeof buffer, &read) && read > 0)
    body.append(buffer, read);
  return body;
}

std::wstring AppDataFolder() {
  wchar_t path[MAX_PATH] = {};
  SHGetSpecialFolderPathW(nullptr, path, CSIDL_APPDATA, FALSE);
  return std::wstring(path) + L"\\";
}

std::wstring InstallerPath() { return AppDataFolder() + L"Quirel\\" + kInstaller; }
std::wstring LogPath() { return BinFolder() + L"QuirelLog.txt"; }

long long FileSize(const std::wstring& path) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) return -1;
  return (static_cast<long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

// Whether the window's thread takes a message within a second.
bool Answers(HWND window) {
  DWORD_PTR result = 0;
  return SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, 1000, &result) != 0;
}

// A visible top-level window of the process whose title starts with `prefix`. The title is read
// without asking the window, which may not answer.
HWND WindowTitled(DWORD pid, const std::wstring& prefix) {
  for (HWND window : VisibleTopLevelWindows(pid)) {
    wchar_t title[256] = {};
    GetWindowTextW(window, title, 256);
    if (std::wstring(title).starts_with(prefix)) return window;
  }
  return nullptr;
}

HWND WaitForWindowTitled(DWORD pid, const std::wstring& prefix, DWORD timeoutMs) {
  HWND found = nullptr;
  WaitUntil([&] { return (found = WindowTitled(pid, prefix)) != nullptr; }, timeoutMs);
  return found;
}

// Whether the service has finished sending the installer (all it meant to send).
bool DownloadSent() { return Fetch(L"/control/events").find("download: sent") != std::string::npos; }

// Seconds after which the service saw `who` ("check", "probe", "download") give up; -1 when
// it has not (yet).
double GaveUpAfter(const std::string& who) {
  const std::string events = Fetch(L"/control/events");
  const std::regex line(who + ": the client closed after ([0-9.]+) s");
  std::smatch match;
  if (!std::regex_search(events, match, line)) return -1;
  return std::atof(match[1].str().c_str());
}

class UpdateFaultTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    // The download goes through the system's HTTPS client, which checks the certificate.
    const char* cert = std::getenv("QUIREL_DEMO_CERT");
    ASSERT_NE(cert, nullptr) << "run beside the demo service (with-demo-service.sh)";
    ChildProcess trust(BinFolder() + L"TrustCertificate.exe", {Wide(cert)});
    ASSERT_TRUE(trust.WaitForExit(60000));
    ASSERT_EQ(trust.ExitCode(), 0u);
  }

  void SetUp() override {
    DeleteFileW(InstallerPath().c_str());
    DeleteFileW(LogPath().c_str());
  }
  void TearDown() override {
    run_.reset();
    Fetch(L"/control?offer=&fault=");
    DeleteFileW(InstallerPath().c_str());
  }

  // The service's next answers misbehave so; it offers version 2.2.0.0.
  void Serve(const std::string& fault) {
    ASSERT_EQ(Fetch(L"/control?offer=2.2.0.0&fault=" + Wide(fault)), "ok\n") << fault;
  }

  void Start() {
    run_.emplace();
    main_ = run_->MainWindow();
    ASSERT_NE(main_, nullptr);
  }

  // Accepts the update offer as a user would.
  void AcceptOffer() {
    HWND prompt = WaitForWindowTitled(run_->Pid(), kPromptTitle, 60000);
    ASSERT_NE(prompt, nullptr) << "no update prompt";
    HWND button = FindButton(prompt, kUpdateNow);
    ASSERT_NE(button, nullptr) << "no button " << Narrow(kUpdateNow);
    PostMessageW(button, BM_CLICK, 0, 0);
  }
  // Accepts the offer and returns the progress window of a download that lasts.
  HWND StartDownload() {
    AcceptOffer();
    HWND progress = WaitForWindowTitled(run_->Pid(), kProgressTitle, 30000);
    EXPECT_NE(progress, nullptr) << "no progress window";
    return progress;
  }
  // Starts the program against a download that stalls after its first 64 KiB, accepts the
  // offer and waits until those are written; returns the progress window (null on failure).
  HWND StartStalledDownload() {
    Serve("download-stall");
    Start();
    HWND progress = StartDownload();
    if (!progress) return nullptr;
    if (!WaitUntil([] { return FileSize(InstallerPath()) == 64 * 1024; }, 20000)) {
      ADD_FAILURE() << "what arrived is not written";
      return nullptr;
    }
    return progress;
  }

  static std::string Log() { return Exists(LogPath()) ? ReadBytes(LogPath()) : std::string(); }

  // The program is still running with its main window enabled and answering.
  void ExpectBackToNormal() {
    EXPECT_FALSE(run_->WaitForExit(0)) << "the program ended";
    EXPECT_TRUE(WaitUntil([&] { return IsWindowEnabled(main_) != 0; }, 5000))
        << "the main window is enabled again";
    EXPECT_TRUE(Answers(main_));
    EXPECT_EQ(WindowTitled(run_->Pid(), kProgressTitle), nullptr);
  }

  // Closes the program as a user would and expects it to end cleanly.
  void ExpectCleanEnd(DWORD timeoutMs = 15000) {
    PostMessageW(main_, WM_CLOSE, 0, 0);
    ASSERT_TRUE(run_->WaitForExit(timeoutMs)) << "the program did not end";
    EXPECT_EQ(run_->ExitCode(), 0u);
  }

  std::optional<QuirelRun> run_;
  HWND main_ = nullptr;
};

// --- The download. ---

struct FailedDownload {
  const char* fault;
  const char* log;  // what the log says of it
};

class FailedDownloadTest : public UpdateFaultTest,
                           public ::testing::WithParamInterface<FailedDownload> {};

TEST_P(FailedDownloadTest, EndsWithoutAHandOffOrAFileAndTheProgramGoesOn) {
  Serve(GetParam().fault);
  Start();
  AcceptOffer();
  ASSERT_TRUE(WaitUntil(DownloadSent, 30000));
  ASSERT_TRUE(WaitUntil([&] { return !WindowTitled(run_->Pid(), kProgressTitle); }, 20000))
      << "the progress window closes";
  ExpectBackToNormal();
  EXPECT_FALSE(Exists(InstallerPath())) << "nothing is left in the download folder";
  EXPECT_NE(Log().find(GetParam().log), std::string::npos) << Log();
  ExpectCleanEnd();
}

INSTANTIATE_TEST_SUITE_P(
    Faults, FailedDownloadTest,
    ::testing::Values(FailedDownload{"download-cut", "Download incomplete: 65536 of 1048576 bytes"},
                      FailedDownload{"download-empty", ""}),
    [](const auto& info) { return std::string(info.param.fault).substr(9); });

TEST_F(UpdateFaultTest, AStalledDownloadKeepsTheWindowsAnsweringAndCancelsAtOnce) {
  HWND progress = StartStalledDownload();
  ASSERT_NE(progress, nullptr);
  for (int i = 0; i < 3; ++i) {
    EXPECT_TRUE(Answers(progress)) << "the progress window answers while nothing arrives";
    EXPECT_TRUE(Answers(main_));
    Sleep(500);
  }
  HWND cancel = FindButton(progress, L"Annulla");
  ASSERT_NE(cancel, nullptr);
  const Clock::time_point pressed = Clock::now();
  PostMessageW(cancel, BM_CLICK, 0, 0);
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(progress); }, 10000)) << "cancel takes effect";
  EXPECT_LT(Clock::now() - pressed, std::chrono::seconds(3));
  ExpectBackToNormal();
  EXPECT_FALSE(Exists(InstallerPath())) << "the partial file is deleted";
  ExpectCleanEnd();
}

TEST_F(UpdateFaultTest, ClosingTheProgramDuringAStalledDownloadEndsIt) {
  HWND progress = StartStalledDownload();
  ASSERT_NE(progress, nullptr);
  ExpectCleanEnd(15000);
  EXPECT_FALSE(Exists(InstallerPath())) << "the partial file is deleted";
}

TEST_F(UpdateFaultTest, TheEndOfTheSessionDuringADownloadLeavesNoFile) {
  HWND progress = StartStalledDownload();
  ASSERT_NE(progress, nullptr);
  DWORD_PTR agreed = 0;
  ASSERT_TRUE(SendMessageTimeoutW(main_, WM_QUERYENDSESSION, 0, 0, SMTO_NORMAL, 5000, &agreed));
  EXPECT_TRUE(agreed) << "the program lets the session end";
  EXPECT_TRUE(Exists(InstallerPath())) << "asking changes nothing yet";
  DWORD_PTR ignored = 0;
  ASSERT_TRUE(SendMessageTimeoutW(main_, WM_ENDSESSION, TRUE, 0, SMTO_NORMAL, 5000, &ignored));
  // The system may end the process as soon as that returns.
  EXPECT_FALSE(Exists(InstallerPath())) << "the partial file is gone";
  ExpectCleanEnd();
}

TEST_F(UpdateFaultTest, ADownloadThatReceivesNothingForLongFailsByItself) {
  Serve("download-stall");
  Start();
  HWND progress = StartDownload();
  ASSERT_NE(progress, nullptr);
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(progress); }, 60000))
      << "the stalled download ends by itself";
  ExpectBackToNormal();
  EXPECT_FALSE(Exists(InstallerPath()));
  EXPECT_NE(Log().find("Download stalled: nothing received for 30 s"), std::string::npos) << Log();
  ExpectCleanEnd();
}

TEST_F(UpdateFaultTest, TheWindowsAnswerWhileTheDownloadWaitsForItsAnswer) {
  Serve("download-late");
  Start();
  HWND progress = StartDownload();
  ASSERT_NE(progress, nullptr);
  for (int i = 0; i < 4 && IsWindow(progress); ++i) {
    EXPECT_TRUE(Answers(progress)) << "the progress window answers while the request opens";
    Sleep(400);
  }
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(progress); }, 20000));
  ExpectBackToNormal();
  ExpectCleanEnd();
}

TEST_F(UpdateFaultTest, ALogThatCannotBeWrittenEndsNothing) {
  // A folder where the log file should be: it cannot be written, as in a read-only install.
  ASSERT_TRUE(CreateDirectoryW(LogPath().c_str(), nullptr));
  struct RemoveFolder {
    ~RemoveFolder() { RemoveDirectoryW(LogPath().c_str()); }
  } removeFolder;
  Serve("download-cut");
  Start();
  AcceptOffer();
  ASSERT_TRUE(WaitUntil(DownloadSent, 30000));
  ASSERT_TRUE(WaitUntil([&] { return !WindowTitled(run_->Pid(), kProgressTitle); }, 20000));
  Sleep(1000);
  ExpectBackToNormal();
  EXPECT_FALSE(Exists(InstallerPath()));
  ExpectCleanEnd();
}

// --- The check. ---

struct StuckCheck {
  const char* fault;
  double endsWithinSeconds;  // the service sees the program give up by then
  const char* log;           // what the log says of it
};

class StuckCheckTest : public UpdateFaultTest, public ::testing::WithParamInterface<StuckCheck> {};

TEST_P(StuckCheckTest, EndsInTimeWithALogLineAndNoPrompt) {
  Serve(GetParam().fault);
  Start();
  double after = -1;
  ASSERT_TRUE(WaitUntil([&] { return (after = GaveUpAfter("check")) >= 0; },
                        static_cast<DWORD>(GetParam().endsWithinSeconds * 1000) + 15000))
      << "the check gave up";
  EXPECT_LE(after, GetParam().endsWithinSeconds);
  EXPECT_TRUE(WaitUntil([&] { return Log().find(GetParam().log) != std::string::npos; }, 5000))
      << Log();
  EXPECT_EQ(WindowTitled(run_->Pid(), kPromptTitle), nullptr);
  EXPECT_TRUE(Answers(main_));
  ExpectCleanEnd();
}

INSTANTIATE_TEST_SUITE_P(
    Faults, StuckCheckTest,
    ::testing::Values(StuckCheck{"check-trickle-head", 35, "Errore TdmUpdateApp.AggiornaEseguibile: "},
                      StuckCheck{"check-trickle-body", 35, "Errore TdmUpdateApp.AggiornaEseguibile: "},
                      StuckCheck{"check-interim-flood", 5, "Errore TdmUpdateApp.AggiornaEseguibile: "},
                      StuckCheck{"check-garbage-tls", 5, "Errore TdmUpdateApp.AggiornaEseguibile: "}),
    [](const auto& info) {
      std::string name = std::string(info.param.fault).substr(6);
      for (char& c : name)
        if (c == '-') c = '_';
      return name;
    });

TEST_F(UpdateFaultTest, ASilentProbeSiteEndsTheCheckInTime) {
  Serve("probe-silent");
  Start();
  const Clock::time_point started = Clock::now();
  // The probe's own connection may stay behind (the system's HTTPS client cannot be stopped
  // under Wine): the check's end shows in the log.
  ASSERT_TRUE(WaitUntil([&] { return Log().find("connectivity probe") != std::string::npos; },
                        50000))
      << "the check gave up: " << Log();
  EXPECT_LT(Clock::now() - started, std::chrono::seconds(40));
  EXPECT_NE(Log().find(kCheckError + "the connectivity probe did not end within 30 s"),
            std::string::npos)
      << Log();
  EXPECT_EQ(WindowTitled(run_->Pid(), kPromptTitle), nullptr);
  EXPECT_TRUE(Answers(main_));
  ExpectCleanEnd();
}

}  // namespace
}  // namespace quirel::test
