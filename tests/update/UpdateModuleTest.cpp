// The update module in this process, against an update service over TLS 1.2 (the fixture
// beside the test), a probe site and a download server on 127.0.0.1: what each answer makes
// of the check, the prompt a user answers, the download and the hand-off to the installer.
#include <gtest/gtest.h>

#include <windows.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <thread>

#include "ChildProcess.h"
#include "DialogDriver.h"
#include "HttpFixture.h"
#include "TestFiles.h"
#include "TlsFixture.h"
#include "WindowProbe.h"
#include "common/Encoding.h"
#include "common/Globals.h"
#include "ui/kit/Application.h"
#include "update/UpdateModule.h"

namespace quirel::update {
namespace {

using namespace std::chrono_literals;
using quirel::test::HttpFixture;
using quirel::test::ScratchDir;

const std::wstring kPromptTitle = L"Aggiornamento Programma";
const std::wstring kUpdateNow = L"Aggiorna subito (consigliata)";
const std::wstring kLater = L"Rimanda ad un secondo momento";
const std::wstring kPrefix = L"Errore TdmUpdateApp.AggiornaEseguibile: ";

std::wstring RunFolder() { return ExtractFilePath(ExecutableFullPath()); }

std::string Reply(const std::string& body, const std::string& head = "HTTP/1.1 200 OK") {
  return head + "\r\nContent-Type: text/plain\r\nContent-Length: " + std::to_string(body.size()) +
         "\r\n\r\n" + body;
}

// The update service answers `response` (raw bytes) to every query.
void ServiceAnswers(const std::string& response, const std::wstring& options = L"") {
  std::wstring target = update::test::RawTarget(response, options);
  target += options.empty() ? L"?" : L"&";
  UpdateCheckUrl = update::test::FixtureUrl("tls12", target, L"localhost");
}

struct CheckRun {
  bool ended = false;
  int prompts = 0;
  bool quitPosted = false;
};

class UpdateModuleTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    // The probe and the download go through the system's HTTPS client, which checks the
    // certificate: make the fixture's a trusted root of the prefix.
    const char* cert = std::getenv("QUIREL_TLS_FIXTURE_CERT");
    ASSERT_NE(cert, nullptr) << "run beside the TLS fixture (with-tls-fixture.sh)";
    quirel::test::ChildProcess trust(RunFolder() + L"TrustCertificate.exe", {Utf8ToWide(cert)});
    ASSERT_TRUE(trust.WaitForExit(60000));
    ASSERT_EQ(trust.ExitCode(), 0u);
  }

  void SetUp() override {
    kit::CreateApplication();
    owner_ = kit::Application->CreateForm<kit::TForm>(L"Quirel");
    owner_->Show();
    probe_ = std::make_unique<HttpFixture>(200, "ok");
    ConnectivityProbeUrl = probe_->Url(L"/");
    AppPath = scratch_.path();
    LogFileName = L"QuirelLog.txt";
    AppFullVersion = L"2.1.0.0";
    NewExeUrl.clear();
    dmUpdate = std::make_shared<TdmUpdate>(*owner_);
    dmUpdate->DirUpdateApp = scratch_ / L"Roaming\\Quirel\\";
    dmUpdate->idHttp.ReadTimeout = 5s;
    dmUpdate->idHttp.ConnectTimeout = 5s;
  }

  void TearDown() override {
    dmUpdate.reset();
    kit::DestroyApplication();
  }

  std::wstring Log() const {
    const std::wstring path = scratch_ / L"QuirelLog.txt";
    return quirel::test::Exists(path) ? Utf8ToWide(quirel::test::ReadBytes(path)) : L"";
  }

  // Starts a check and pumps messages until its worker has let the module go; `choose` is
  // the prompt's button a user clicks whenever the prompt shows.
  CheckRun RunCheck(bool silent, const std::wstring& choose = kLater, DWORD timeoutMs = 60000) {
    CheckRun run;
    std::weak_ptr<TdmUpdate> module = dmUpdate;
    std::atomic<bool> stop{false};
    std::atomic<int> prompts{0};
    std::thread user([&] {
      HWND answered = nullptr;
      while (!stop) {
        HWND prompt = quirel::test::FindOwnWindow(kPromptTitle);
        if (prompt && prompt != answered) {
          if (HWND button = quirel::test::FindButton(prompt, choose)) {
            // Lets a person look at (or photograph) the prompt before it is answered.
            if (const char* hold = std::getenv("QUIREL_TEST_HOLD_MS")) Sleep(std::atoi(hold));
            answered = prompt;
            ++prompts;
            PostMessageW(button, BM_CLICK, 0, 0);
          }
        }
        Sleep(50);
      }
    });
    dmUpdate->VerificaAggiornamenti(silent);
    const ULONGLONG end = GetTickCount64() + timeoutMs;
    for (;;) {
      MSG msg;
      while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
          run.quitPosted = true;
          continue;
        }
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
      }
      // The worker holds its own reference until it has ended.
      const auto held = module.lock();
      if (!held || held.use_count() <= 2) {
        run.ended = true;
        break;
      }
      if (GetTickCount64() > end) break;
      Sleep(20);
    }
    stop = true;
    user.join();
    run.prompts = prompts;
    return run;
  }

  ScratchDir scratch_;
  kit::TForm* owner_ = nullptr;
  std::unique_ptr<HttpFixture> probe_;
};

TEST_F(UpdateModuleTest, TheAnswerDecidesWhetherANewVersionIsOffered) {
  const struct {
    std::string body;
    bool newVersion;
    std::wstring file;
  } cases[] = {
      {"SI\r\n2.2.0.0\r\nSetup.exe\r\n", true, L"Setup.exe"},
      {"SI\n2.2.0.0\nSetup.exe", true, L"Setup.exe"},
      {"SI\r2.2.0.0\rSetup.exe", true, L"Setup.exe"},
      {"NO\r\n2.2.0.0\r\nSetup.exe", false, L""},
      {"si\r\n2.2.0.0\r\nSetup.exe", false, L""},
      {"Si\r\n2.2.0.0\r\nSetup.exe", false, L""},
      {"SI \r\n2.2.0.0\r\nSetup.exe", false, L""},
      {"", false, L""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.body);
    ServiceAnswers(Reply(c.body));
    const CheckRun run = RunCheck(true);
    ASSERT_TRUE(run.ended);
    EXPECT_EQ(dmUpdate->ExeNewVer(), c.newVersion);
    EXPECT_EQ(NewExeUrl, c.newVersion ? UpdateDownloadUrl + c.file : L"");
    EXPECT_EQ(run.prompts, c.newVersion ? 1 : 0);
  }
  EXPECT_EQ(Log(), L"") << "none of these answers is an error";
}

TEST_F(UpdateModuleTest, MissingLinesAndErrorStatusesAreLogged) {
  const struct {
    std::string response;
    bool newVersion;
    std::wstring logged;
  } cases[] = {
      {Reply("SI"), true, L"List index out of bounds (1)"},
      {Reply("SI\r\n2.2.0.0\r\n"), true, L"List index out of bounds (2)"},
      {"HTTP/1.1 302 Found\r\nLocation: /echo\r\nContent-Length: 0\r\n\r\n", false,
       L"HTTP/1.1 302 Found"},
      {Reply("SI\r\n2.2.0.0\r\nSetup.exe", "HTTP/1.1 404 Not Found"), false,
       L"HTTP/1.1 404 Not Found"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.response);
    const std::wstring before = Log();
    ServiceAnswers(c.response);
    ASSERT_TRUE(RunCheck(true).ended);
    EXPECT_EQ(dmUpdate->ExeNewVer(), c.newVersion);
    const std::wstring added = Log().substr(before.size());
    EXPECT_NE(added.find(L" --> " + kPrefix + c.logged + L"\r\n"), std::wstring::npos)
        << testing::PrintToString(added);
  }
  // "SI" alone is a new version whose installer is the download folder itself.
  ServiceAnswers(Reply("SI"));
  ASSERT_TRUE(RunCheck(true).ended);
  EXPECT_EQ(NewExeUrl, UpdateDownloadUrl);
}

TEST_F(UpdateModuleTest, AnInstallerNameWithPathPartsIsNeitherOfferedNorDownloaded) {
  for (const std::string name : {"..\\..\\evil.exe", "sub/Setup.exe", "C:evil.exe", "CON.exe"}) {
    SCOPED_TRACE(name);
    const std::wstring before = Log();
    ServiceAnswers(Reply("SI\r\n2.2.0.0\r\n" + name));
    const CheckRun run = RunCheck(true, kUpdateNow);
    ASSERT_TRUE(run.ended);
    EXPECT_EQ(run.prompts, 0);
    EXPECT_NE(Log().substr(before.size()).find(kPrefix + L"invalid installer file name"),
              std::wstring::npos);
  }
}

TEST_F(UpdateModuleTest, WithoutConnectionOnlyANonSilentCheckSaysSoAndTheEarlierResultStays) {
  ServiceAnswers(Reply("SI\r\n2.2.0.0\r\nSetup.exe"));
  ASSERT_TRUE(RunCheck(true).ended);
  ASSERT_TRUE(dmUpdate->ExeNewVer());
  const std::wstring offered = NewExeUrl;

  ConnectivityProbeUrl = L"http://127.0.0.1:" + std::to_wstring(quirel::test::ClosedPort()) + L"/";
  EXPECT_TRUE(RunCheck(true).ended);
  EXPECT_TRUE(dmUpdate->ExeNewVer());
  EXPECT_EQ(NewExeUrl, offered);

  quirel::test::MessageBoxInfo box;
  std::thread user([&box] {
    if (HWND dialog = quirel::test::WaitForDialog(GetCurrentProcessId(), 60000)) {
      box = quirel::test::ReadMessageBox(dialog);
      quirel::test::PressButton(dialog, IDOK);
    }
  });
  const CheckRun run = RunCheck(false);
  user.join();
  EXPECT_TRUE(run.ended);
  EXPECT_EQ(box.Caption, L"Quirel");
  EXPECT_EQ(box.Text, L"Non connesso a Internet, impossibile verificare aggiornamenti.");
  EXPECT_EQ(box.Owner, owner_->Handle());
  EXPECT_TRUE(dmUpdate->ExeNewVer());
  EXPECT_EQ(NewExeUrl, offered);
  EXPECT_EQ(Log(), L"");
}

TEST_F(UpdateModuleTest, AServiceThatStopsAnsweringTimesOutAndTheNextCheckRuns) {
  dmUpdate->idHttp.ReadTimeout = 1s;
  // The head comes at once (the probe is content with it), the body never in time.
  const std::string head = "HTTP/1.1 200 OK\r\nContent-Length: 20\r\n\r\n";
  ServiceAnswers(head + "SI\r\n2.2.0.0\r\nSetup.exe", L"split=" + std::to_wstring(head.size()) +
                                                           L"&delay=8000");
  const ULONGLONG start = GetTickCount64();
  ASSERT_TRUE(RunCheck(true).ended);
  EXPECT_LT(GetTickCount64() - start, 7000u);
  EXPECT_FALSE(dmUpdate->ExeNewVer());
  EXPECT_NE(Log().find(kPrefix), std::wstring::npos);

  ServiceAnswers(Reply("SI\r\n2.2.0.0\r\nSetup.exe"));
  ASSERT_TRUE(RunCheck(true).ended);
  EXPECT_TRUE(dmUpdate->ExeNewVer());
}

TEST_F(UpdateModuleTest, ReleasingTheModuleDuringACheckIsSafeAndOffersNothing) {
  const std::string response = Reply("SI\r\n2.2.0.0\r\nSetup.exe");
  ServiceAnswers(response, L"split=" + std::to_wstring(response.size() - 5) + L"&delay=1500");
  std::weak_ptr<TdmUpdate> module = dmUpdate;
  std::atomic<bool> stop{false};
  std::atomic<bool> prompted{false};
  std::thread user([&] {
    while (!stop) {
      if (HWND prompt = quirel::test::FindOwnWindow(kPromptTitle)) {
        prompted = true;
        if (HWND later = quirel::test::FindButton(prompt, kLater)) PostMessageW(later, BM_CLICK, 0, 0);
      }
      Sleep(50);
    }
  });
  dmUpdate->VerificaAggiornamenti(true);
  dmUpdate.reset();  // the main window closing
  const ULONGLONG end = GetTickCount64() + 30000;
  while (!module.expired() && GetTickCount64() < end) {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    Sleep(20);
  }
  stop = true;
  user.join();
  EXPECT_TRUE(module.expired());
  EXPECT_FALSE(prompted);
}

class UpdateDownloadTest : public UpdateModuleTest {
 protected:
  void SetUp() override {
    UpdateModuleTest::SetUp();
    installer_ = quirel::test::ReadBytes(RunFolder() + L"DemoInstaller.exe");
    record_ = scratch_ / L"installer-started.txt";
    SetEnvironmentVariableW(L"QUIREL_INSTALLER_RECORD", record_.c_str());
    ServiceAnswers(Reply("SI\r\n2.2.0.0\r\nSetup_2.2.exe"));
  }
  void TearDown() override {
    SetEnvironmentVariableW(L"QUIREL_INSTALLER_RECORD", nullptr);
    UpdateModuleTest::TearDown();
  }
  void DownloadFrom(const HttpFixture& server) { UpdateDownloadUrl = server.Url(L"/download/"); }

  bool InstallerStarted(DWORD timeoutMs) const {
    const ULONGLONG end = GetTickCount64() + timeoutMs;
    while (GetTickCount64() < end) {
      if (quirel::test::Exists(record_)) return true;
      Sleep(100);
    }
    return false;
  }

  std::string installer_;
  std::wstring record_;
};

TEST_F(UpdateDownloadTest, AcceptingDownloadsTheInstallerEndsTheLoopAndStartsIt) {
  HttpFixture server(200, installer_, "application/octet-stream");
  DownloadFrom(server);
  const CheckRun run = RunCheck(true, kUpdateNow);
  ASSERT_TRUE(run.ended);
  EXPECT_EQ(run.prompts, 1);
  EXPECT_EQ(server.RequestLines(),
            std::vector<std::string>{"GET /download/Setup_2.2.exe HTTP/1.1"});
  const std::wstring target = scratch_ / L"Roaming\\Quirel\\Setup_2.2.exe";
  EXPECT_EQ(dmUpdate->FileName(), target);
  EXPECT_EQ(quirel::test::ReadBytes(target), installer_);
  EXPECT_TRUE(run.quitPosted) << "the message loop was not asked to end";
  EXPECT_TRUE(IsWindowEnabled(owner_->Handle()));
  EXPECT_TRUE(InstallerStarted(30000));
  EXPECT_EQ(Log(), L"");
}

TEST_F(UpdateDownloadTest, LaterDownloadsNothing) {
  HttpFixture server(200, installer_, "application/octet-stream");
  DownloadFrom(server);
  const CheckRun run = RunCheck(true, kLater);
  ASSERT_TRUE(run.ended);
  EXPECT_EQ(run.prompts, 1);
  EXPECT_TRUE(server.RequestLines().empty());
  EXPECT_FALSE(run.quitPosted);
  EXPECT_TRUE(dmUpdate->ExeNewVer()) << "the next check asks again";
}

TEST_F(UpdateDownloadTest, AFailedDownloadIsLoggedAndTheProgramGoesOn) {
  HttpFixture server(404, "missing");
  DownloadFrom(server);
  const CheckRun run = RunCheck(true, kUpdateNow);
  ASSERT_TRUE(run.ended);
  EXPECT_EQ(run.prompts, 1);
  EXPECT_FALSE(run.quitPosted);
  EXPECT_TRUE(IsWindowEnabled(owner_->Handle()));
  EXPECT_NE(Log().find(L" --> Returned http error code 404\r\n"), std::wstring::npos) << Log();
  EXPECT_FALSE(InstallerStarted(2000));
}

}  // namespace
}  // namespace quirel::update
