// The component downloading from the in-process server: files, results, events and what the
// real progress window showed meanwhile.
#include <algorithm>

#include "HttpFixture.h"
#include "WebCopyHarness.h"
#include "WindowProbe.h"
#include "common/Errors.h"
#include "update/webcopy/InOutError.h"

namespace quirel::webcopy::test {
namespace {

using quirel::test::Exists;
using quirel::test::ReadBytes;
using quirel::test::WriteBytes;
using Lines = std::vector<std::wstring>;

const std::wstring kTitle = L"Aggiornamento Quirel in corso ... : ";

struct Seen {
  std::wstring SizeLine, Title;
  int Bar = -1;
  bool Marquee = false;
};

TEST_F(TransferTest, DownloadsWhatArrivesAndShowsItAfterEachBlock) {
  const std::string tenK = PatternBody(10000);
  const struct Case {
    const char* name;
    TransferReply reply;
    std::string file;
    bool marquee;
    const wchar_t *sizeLine, *percent;
  } cases[] = {
      {"length", Reply(tenK), tenK, false, L"Avanzamento: 10,00 Kb di 10,00 Kb", L"100% completato"},
      {"no length", Reply(tenK).WithoutLength(), tenK, true, L"Avanzamento: 10,00 Kb", L"0% completato"},
      {"chunked", Reply(tenK).WithChunks(3000, 5), tenK, true,
       L"Avanzamento: 10,00 Kb", L"0% completato"},
      {"999 bytes", Reply(PatternBody(999)), PatternBody(999), false, L"Avanzamento: 999 bytes di 999 bytes",
       L"100% completato"},
      {"1000 bytes", Reply(PatternBody(1000)), PatternBody(1000), false, L"Avanzamento: 1,00 Kb di 1,00 Kb",
       L"100% completato"},
      {"1000000 bytes", Reply(PatternBody(1000000)), PatternBody(1000000), false,
       L"Avanzamento: 1,00 Mb di 1,00 Mb", L"100% completato"},
  };
  int n = 0;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string path = "/case" + std::to_string(n++) + "/file.bin";
    server_.Route(path, c.reply);
    copy_.Items.Clear();
    AddItem(path, L"case" + std::to_wstring(n) + L".bin");
    log_ = {};
    log_.Attach(copy_);
    Seen last;
    log_.OnBlock = [&](TWebCopy& sender, const Block&) {
      last = {ControlText(sender, idSizeLbl), WindowText(sender.ProgressForm()->Handle()), BarPosition(sender),
              BarIsMarquee(sender)};
    };

    copy_.Execute();

    EXPECT_EQ(log_.Lines, (Lines{L"BeforeDialogShow", L"FileStart 0", L"Progress", L"FileDone 0", L"CopyDone"}));
    EXPECT_TRUE(copy_.Items[0].Success());
    EXPECT_FALSE(copy_.Items[0].Cancelled());
    EXPECT_EQ(ReadBytes(dir_ / (L"case" + std::to_wstring(n) + L".bin")), c.file);
    ASSERT_FALSE(log_.Blocks.empty());
    int64_t before = 0;
    for (const Block& b : log_.Blocks) {
      EXPECT_EQ(b.FileIdx, 1);
      EXPECT_LE(b.Size - before, 4096);
      EXPECT_GE(b.Size, before);
      before = b.Size;
    }
    EXPECT_EQ(log_.Blocks.back().Size, static_cast<int64_t>(c.file.size()));
    EXPECT_GE(log_.Blocks.size(), (c.file.size() + 4095) / 4096);
    EXPECT_EQ(last.SizeLine, c.sizeLine);
    EXPECT_EQ(last.Title, kTitle + c.percent);
    EXPECT_EQ(last.Marquee, c.marquee);
    if (!c.marquee) {
      EXPECT_EQ(last.Bar, std::stoi(c.percent));
    }
    EXPECT_EQ(copy_.ProgressForm(), nullptr);
  }
}

TEST_F(TransferTest, HalfOfThreeMegabytesInTheRealWindow) {
  server_.Route("/dl/Setup_2.2.exe", Reply(PatternBody(3000000)));
  TWebCopyItem& item = AddItem("/dl/Setup_2.2.exe", L"Setup_2.2.exe");
  bool seen = false;
  Seen half;
  std::wstring fileLine, rateLine, rateStr;
  log_.OnBlock = [&](TWebCopy& sender, const Block& b) {
    if (seen || b.Size < 1500000) return;
    seen = true;
    LetTheWindowCatchUp();
    half = {ControlText(sender, idSizeLbl), WindowText(sender.ProgressForm()->Handle()), BarPosition(sender),
            BarIsMarquee(sender)};
    fileLine = ControlText(sender, idFileLbl);
    rateLine = ControlText(sender, idRateLbl);
    rateStr = sender.RateStr();
  };

  copy_.Execute();

  ASSERT_TRUE(seen);
  EXPECT_EQ(half.SizeLine, L"Avanzamento: 1,50 Mb di 3,00 Mb");
  EXPECT_EQ(half.Bar, 50);
  EXPECT_FALSE(half.Marquee);
  EXPECT_EQ(half.Title, kTitle + L"50% completato");
  EXPECT_EQ(fileLine, L"File: Setup_2.2.exe da " + server_.Host());
  EXPECT_EQ(rateLine, L"Velocità di trasferimento: " + rateStr);
  EXPECT_NE(rateStr.find(L"/sec"), std::wstring::npos);
  EXPECT_TRUE(item.Success());
  EXPECT_EQ(ReadBytes(dir_ / L"Setup_2.2.exe"), PatternBody(3000000));
}

TEST_F(TransferTest, ErrorStatusIsReportedAndNoFileIsWritten) {
  copy_.ShowDialog = false;
  server_.Route("/s500", Reply("broken").WithStatus(500));
  server_.Route("/s401", Reply("who?").WithStatus(401));
  server_.Route("/moved", Reply("").WithStatus(302).WithHeader("Location: /gone"));
  const struct {
    const char* path;
    int status;
    TWebCopyAuthentication auth;
  } cases[] = {{"/missing", 404, waNever}, {"/s500", 500, waNever}, {"/s401", 401, waNever},
               // no login window to ask: the refusal is reported like any other
               {"/s401", 401, waAuto},
               // the status after the redirects the system followed
               {"/moved", 404, waNever}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.path);
    copy_.Items.Clear();
    AddItem(c.path, L"never.bin").Authenticate = c.auth;
    log_ = {};
    log_.Attach(copy_);
    std::wstring titleAtError;
    bool windowAtDone = true;
    copy_.OnErrorInfo = [&, previous = copy_.OnErrorInfo](TWebCopy& sender, int code, const std::wstring& info) {
      titleAtError = WindowText(sender.ProgressForm()->Handle());
      previous(sender, code, info);
    };
    log_.OnDone = [&](TWebCopy& sender) { windowAtDone = sender.ProgressForm() != nullptr; };

    copy_.Execute();

    const std::wstring status = std::to_wstring(c.status);
    EXPECT_EQ(log_.Lines, (Lines{L"FileStart 0", L"Error " + status,
                                 L"ErrorInfo " + status + L" Returned http error code " + status, L"FileDone 0",
                                 L"CopyDone"}));
    EXPECT_FALSE(copy_.Items[0].Success());
    EXPECT_FALSE(Exists(dir_ / L"never.bin"));
    EXPECT_EQ(titleAtError, L"Aggiornamento Quirel in corso ... ...");
    EXPECT_FALSE(windowAtDone) << "the window closes before OnCopyDone";
  }
}

TEST_F(TransferTest, TargetThatCannotBeCreated) {
  copy_.ShowDialog = false;
  server_.Route("/dl/", Reply(PatternBody(5000)));
  server_.Route("/dl/x.bin", Reply(PatternBody(5000)));
  WriteBytes(dir_ / L"afile", "a file where a folder should be");
  const struct {
    const char* path;
    std::wstring targetDir, targetFilename, reported;
  } cases[] = {
      // a URL ending in "/": the target is the folder itself
      {"/dl/", dir_.path(), L"", dir_.path()},
      {"/dl/x.bin", dir_ / L"afile\\sub\\", L"x.bin", dir_ / L"afile\\sub\\x.bin"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.path);
    copy_.Items.Clear();
    TWebCopyItem& item = AddItem(c.path, c.targetFilename);
    item.TargetDir = c.targetDir;
    log_ = {};
    log_.Attach(copy_);

    copy_.Execute();

    EXPECT_EQ(log_.Lines, (Lines{L"FileStart 0", L"Error 3",
                                 L"ErrorInfo 3 Cannot create file " + c.reported, L"FileDone 0", L"CopyDone"}));
    EXPECT_FALSE(copy_.Items[0].Success());
  }
}

TEST_F(TransferTest, CancelAfterSomeBlocksDeletesTheFileAndSkipsTheRest) {
  // Still arriving when the cancel comes.
  server_.Route("/big", Reply(PatternBody(400000)).WithPace(16384, 20));
  server_.Route("/next", Reply(PatternBody(100)));
  const struct {
    const char* how;
    bool button;
  } cases[] = {{"the Annulla button", true}, {"CancelCopy", false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.how);
    copy_.Items.Clear();
    AddItem("/big", L"big.bin");
    AddItem("/next", L"next.bin");
    log_ = {};
    log_.Attach(copy_);
    size_t blocksAtCancel = 0;
    copy_.OnCopyCancel = [&, previous = copy_.OnCopyCancel](TWebCopy& sender) {
      blocksAtCancel = log_.Blocks.size();
      previous(sender);
    };
    log_.OnBlock = [&](TWebCopy& sender, const Block&) {
      if (log_.Blocks.size() != 3) return;
      if (c.button) {
        // As a click does: handled when the component next lets messages run.
        HWND button = FindButton(sender, L"Annulla");
        ASSERT_NE(button, nullptr);
        PostMessageW(button, BM_CLICK, 0, 0);
      } else {
        sender.CancelCopy();
      }
    };

    copy_.Execute();

    if (c.button) {
      // Blocks that had already arrived are reported before the click is handled, none after.
      EXPECT_GE(blocksAtCancel, 3u);
      EXPECT_EQ(log_.Blocks.size(), blocksAtCancel) << "stops at the block boundary after the click";
      EXPECT_LT(log_.Blocks.back().Size, 400000);
    } else {
      EXPECT_EQ(log_.Blocks.size(), 3u) << "stops at the block boundary";
    }
    Lines expected{L"BeforeDialogShow", L"FileStart 0", L"Progress"};
    if (c.button) expected.push_back(L"CopyCancel");
    expected.push_back(L"CopyDone");
    EXPECT_EQ(log_.Lines, expected);
    EXPECT_FALSE(copy_.Items[0].Success());
    EXPECT_TRUE(copy_.Items[0].Cancelled());
    EXPECT_FALSE(copy_.Items[1].Success());
    EXPECT_FALSE(copy_.Items[1].Cancelled());
    EXPECT_FALSE(Exists(dir_ / L"big.bin"));
    EXPECT_FALSE(Exists(dir_ / L"next.bin"));
    EXPECT_EQ(copy_.ProgressForm(), nullptr);
  }
}

TEST_F(TransferTest, MissingTargetFolderIsCreatedWithItsParents) {
  copy_.ShowDialog = false;
  server_.Route("/f.bin", Reply(PatternBody(7000)));
  AddItem("/f.bin", L"f.bin").TargetDir = dir_ / L"a\\b\\c\\";
  copy_.Execute();
  EXPECT_TRUE(copy_.Items[0].Success());
  EXPECT_EQ(ReadBytes(dir_ / L"a\\b\\c\\f.bin"), PatternBody(7000));

  // A folder without its trailing backslash is joined with one.
  copy_.Items[0].TargetDir = dir_ / L"d\\e";
  copy_.Execute();
  EXPECT_EQ(ReadBytes(dir_ / L"d\\e\\f.bin"), PatternBody(7000));
}

TEST_F(TransferTest, NameFromTheFinalUrl) {
  copy_.ShowDialog = false;
  const std::string body = PatternBody(3000);
  server_.Route("/download?id=7", Reply("").WithStatus(302).WithHeader("Location: /files/final%20name.bin"));
  server_.Route("/files/final%20name.bin", Reply(body));
  server_.Route("/files/direct%20name.bin", Reply(body));
  const struct {
    const char* path;
    std::wstring targetFilename;
    bool decode;
    std::wstring written;
  } cases[] = {
      {"/download?id=7", L"", false, L"final%20name.bin"},
      {"/download?id=7", L"", true, L"final name.bin"},
      {"/download?id=7", L"chosen.bin", true, L"chosen.bin"},
      {"/files/direct%20name.bin", L"", false, L"direct%20name.bin"},
      {"/files/direct%20name.bin", L"", true, L"direct name.bin"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.written);
    ScratchDir folder;
    copy_.Items.Clear();
    AddItem(c.path, c.targetFilename).TargetDir = folder.path();
    copy_.AutoURLDecode = c.decode;
    copy_.Execute();
    EXPECT_TRUE(copy_.Items[0].Success());
    EXPECT_EQ(ReadBytes(folder / c.written), body);
  }
}

TEST_F(TransferTest, EmptyListShowsAndClosesTheWindowOnly) {
  bool windowAtShow = false, windowAtDone = true;
  copy_.OnBeforeDialogShow = [&](TWebCopy& sender, TWebCopyProgressForm& dialog) {
    log_.Lines.push_back(L"BeforeDialogShow");
    windowAtShow = sender.ProgressForm() == &dialog && !IsWindowVisible(dialog.Handle());
  };
  log_.OnDone = [&](TWebCopy& sender) { windowAtDone = sender.ProgressForm() != nullptr; };
  copy_.Execute();
  EXPECT_EQ(log_.Lines, (Lines{L"BeforeDialogShow", L"CopyDone"}));
  EXPECT_TRUE(windowAtShow) << "built, shown right after the event";
  EXPECT_FALSE(windowAtDone);
  EXPECT_TRUE(server_.Requests().empty());
}

TEST_F(TransferTest, KeyboardAndCloseRequestsDuringTheTransfer) {
  server_.Route("/slow", Reply(PatternBody(60000)).WithPace(4096, 10));
  const struct {
    const char* name;
    bool closeButton;
    bool windowAfter;
  } cases[] = {{"no close button: refused", false, true},
               // the very same requests close a window that has its close button
               {"with close button", true, false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    copy_.Items.Clear();
    AddItem("/slow", L"slow.bin");
    copy_.DlgShowCloseBtn = c.closeButton;
    log_ = {};
    log_.Attach(copy_);
    bool windowLater = false, visibleLater = false;
    // Later: at the end of the transfer, while the component has let messages run since.
    copy_.OnFileDone = [&, previous = copy_.OnFileDone](TWebCopy& sender, int i) {
      windowLater = sender.ProgressForm() != nullptr;
      visibleLater = windowLater && IsWindowVisible(sender.ProgressForm()->Handle());
      previous(sender, i);
    };
    log_.OnBlock = [&](TWebCopy& sender, const Block&) {
      if (log_.Blocks.size() == 2) {
        HWND form = sender.ProgressForm()->Handle();
        HWND button = sender.ProgressForm()->Control(idCancelBtn);
        SetFocus(button);
        PostMessageW(button, WM_KEYDOWN, VK_ESCAPE, 1);
        PostMessageW(button, WM_CHAR, 27, 1);
        PostMessageW(form, WM_KEYDOWN, VK_ESCAPE, 1);
        PostMessageW(form, WM_SYSKEYDOWN, VK_F4, 1 | (1 << 29));  // Alt+F4
        PostMessageW(form, WM_SYSCOMMAND, SC_CLOSE, 0);
        PostMessageW(form, WM_CLOSE, 0, 0);
      }
    };

    copy_.Execute();

    EXPECT_EQ(windowLater, c.windowAfter);
    EXPECT_EQ(visibleLater, c.windowAfter);
    EXPECT_TRUE(copy_.Items[0].Success()) << "closing is not cancelling";
    EXPECT_FALSE(log_.Has(L"CopyCancel"));
    EXPECT_EQ(ReadBytes(dir_ / L"slow.bin"), PatternBody(60000));
  }
}

TEST_F(TransferTest, EventOrderOverSeveralItems) {
  server_.Route("/a.bin", Reply(PatternBody(9000)));
  AddItem("/a.bin");
  AddItem("/b.bin").Active = false;
  AddItem("/missing.bin");
  AddItem("/c.bin").URL = L"http://127.0.0.1:" + std::to_wstring(quirel::test::ClosedPort()) + L"/c.bin";
  std::wstring fileLineOfThird;
  copy_.OnError = [&, previous = copy_.OnError](TWebCopy& sender, int code) {
    fileLineOfThird = ControlText(sender, idFileLbl);
    previous(sender, code);
  };

  copy_.Execute();

  EXPECT_EQ(log_.Lines, (Lines{L"BeforeDialogShow", L"FileStart 0", L"Progress", L"FileDone 0", L"FileStart 2",
                               L"Error 404", L"ErrorInfo 404 Returned http error code 404", L"FileDone 2",
                               L"FileStart 3", L"URLNotFound " + copy_.Items[3].URL, L"FileDone 3", L"CopyDone"}));
  for (const Block& b : log_.Blocks) EXPECT_EQ(b.FileIdx, 1);
  EXPECT_EQ(fileLineOfThird, L"File: 2 di 3 : missing.bin da " + server_.Host());
  EXPECT_TRUE(copy_.Items[0].Success());
  EXPECT_FALSE(copy_.Items[1].Success());
  EXPECT_FALSE(copy_.Items[2].Success());
  EXPECT_FALSE(copy_.Items[3].Success());
  EXPECT_EQ(copy_.Items.CountSuccess(), 1);
  EXPECT_EQ(ReadBytes(dir_ / L"a.bin"), PatternBody(9000));
  EXPECT_EQ(server_.Requests().size(), 2u) << "nothing for the inactive item";
}

TEST_F(TransferTest, ExistingTarget) {
  copy_.ShowDialog = false;
  server_.Route("/same.bin", Reply(PatternBody(2000)));
  const struct {
    const char* name;
    bool allow, unique;
    std::wstring written;
  } cases[] = {{"refused", false, false, L""},
               {"overwritten", true, false, L"same.bin"},
               {"unique name", true, true, L"same(1).bin"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ScratchDir folder;
    WriteBytes(folder / L"same.bin", "old");
    copy_.Items.Clear();
    AddItem("/same.bin").TargetDir = folder.path();
    copy_.CreateUniqueFilenames = c.unique;
    std::wstring asked;
    copy_.OnCopyOverWrite = [&](TWebCopy&, const std::wstring& file, bool& allow) {
      asked = file;
      allow = c.allow;
    };
    copy_.Execute();
    EXPECT_EQ(asked, folder / L"same.bin");
    EXPECT_EQ(copy_.Items[0].Success(), c.allow);
    EXPECT_EQ(ReadBytes(folder / L"same.bin"), c.written == L"same.bin" ? PatternBody(2000) : "old");
    if (c.unique) {
      EXPECT_EQ(ReadBytes(folder / L"same(1).bin"), PatternBody(2000));
      copy_.Execute();
      EXPECT_EQ(ReadBytes(folder / L"same(2).bin"), PatternBody(2000));
    } else {
      EXPECT_FALSE(Exists(folder / L"same(1).bin"));
    }
  }
}

TEST_F(TransferTest, RequestHeadersAgentAndCredentials) {
  copy_.ShowDialog = false;
  server_.Route("/auth.bin", Reply(PatternBody(100)));
  copy_.Agent = L"QuirelTest/1.0";
  TWebCopyItem& item = AddItem("/auth.bin");
  item.Authenticate = waAlways;
  item.HTTPUserID = L"user";
  item.HTTPPassword = L"pass";
  copy_.Execute();
  ASSERT_EQ(server_.Requests().size(), 1u);
  const std::string head = server_.Requests()[0];
  EXPECT_EQ(quirel::test::HeaderValue(head, "Authorization"), "Basic dXNlcjpwYXNz");
  EXPECT_EQ(quirel::test::HeaderValue(head, "User-Agent"), "QuirelTest/1.0");
  EXPECT_EQ(quirel::test::HeaderValue(head, "Proxy-Authorization"), "");
  EXPECT_TRUE(item.Success());

  // No login window: with missing credentials nothing is asked for at all.
  item.HTTPPassword.clear();
  log_ = {};
  log_.Attach(copy_);
  copy_.Execute();
  EXPECT_EQ(server_.Requests().size(), 1u);
  EXPECT_FALSE(item.Success());
  EXPECT_EQ(log_.Lines, (Lines{L"FileStart 0", L"FileDone 0", L"CopyDone"}));

  // Without authentication no header either.
  item.Authenticate = waNever;
  item.HTTPUserID.clear();
  copy_.Execute();
  ASSERT_EQ(server_.Requests().size(), 2u);
  EXPECT_EQ(quirel::test::HeaderValue(server_.Requests()[1], "Authorization"), "");
}

TEST_F(TransferTest, ThroughAProxyWithItsCredentials) {
  copy_.ShowDialog = false;
  // Wine writes the default port into the target, Windows does not.
  server_.Route("http://quirel.invalid/p/file.bin", Reply(PatternBody(5000)));
  server_.Route("http://quirel.invalid:80/p/file.bin", Reply(PatternBody(5000)));
  copy_.Proxy = server_.Host();
  copy_.ProxyUserID = L"pu";
  copy_.ProxyPassword = L"pp";
  TWebCopyItem& item = AddItem("/unused");
  item.URL = L"http://quirel.invalid/p/file.bin";
  copy_.Execute();
  ASSERT_EQ(server_.Requests().size(), 1u);
  const std::string head = server_.Requests()[0];
  const std::string requestLine = head.substr(0, head.find("\r\n"));
  EXPECT_TRUE(requestLine == "GET http://quirel.invalid/p/file.bin HTTP/1.1" ||
              requestLine == "GET http://quirel.invalid:80/p/file.bin HTTP/1.1")
      << requestLine;
  EXPECT_EQ(quirel::test::HeaderValue(head, "Proxy-Authorization"), "Basic cHU6cHA=");
  EXPECT_TRUE(item.Success());
  EXPECT_EQ(ReadBytes(dir_ / L"file.bin"), PatternBody(5000));
}

TEST(InternetTimeoutMs, SecondsIntoMillisecondsOnlyWhenPositive) {
  EXPECT_EQ(InternetTimeoutMs(0), std::nullopt);
  EXPECT_EQ(InternetTimeoutMs(-5), std::nullopt);
  EXPECT_EQ(InternetTimeoutMs(1), 1000u);
  EXPECT_EQ(InternetTimeoutMs(900), 900000u);
  EXPECT_EQ(InternetTimeoutMs(5000000), 0xFFFFFFFFu) << "no wrap-around into a short time-out";
}

BOOL CALLBACK FindProgressWindow(HWND window, LPARAM found) {
  if (IsWindowVisible(window) && WindowText(window).starts_with(L"Aggiornamento Quirel"))
    *reinterpret_cast<bool*>(found) = true;
  return TRUE;
}

bool ProgressWindowsOfThisThread() {
  bool found = false;
  EnumThreadWindows(GetCurrentThreadId(), &FindProgressWindow, reinterpret_cast<LPARAM>(&found));
  return found;
}

TEST_F(TransferTest, WriteErrorLeavesExecuteAfterClosingTheWindow) {
  if (!quirel::test::RunningUnderWine()) GTEST_SKIP() << "needs Wine's view of /dev/full";
  server_.Route("/full", Reply(PatternBody(20000)));
  TWebCopyItem& item = AddItem("/full", L"full");
  item.TargetDir = L"Z:\\dev\\";
  bool windowDuring = false;
  copy_.OnFileStart = [&](TWebCopy& sender, int) { windowDuring = ProgressWindowsOfThisThread() && sender.ProgressForm(); };
  try {
    copy_.Execute();
    ADD_FAILURE() << "no error";
  } catch (const EInOutError& e) {
    EXPECT_EQ(e.Message(), L"Disk full");
    EXPECT_EQ(e.ErrorCode(), 112u);
  }
  EXPECT_TRUE(windowDuring);
  EXPECT_EQ(copy_.ProgressForm(), nullptr);
  EXPECT_FALSE(ProgressWindowsOfThisThread());
  EXPECT_FALSE(log_.Has(L"FileDone 0"));
  EXPECT_FALSE(log_.Has(L"CopyDone"));

  // The component is usable again.
  item.TargetDir = dir_.path();
  copy_.Execute();
  EXPECT_TRUE(item.Success());
}

TEST_F(TransferTest, RefusesWhatItCannotDo) {
  server_.Route("/ok.bin", Reply(PatternBody(100)));
  TWebCopyItem& item = AddItem("/ok.bin");
  item.CopyNewerOnly = true;
  EXPECT_THROW(copy_.Execute(), Exception);
  EXPECT_TRUE(log_.Lines.empty()) << "refused before any window";
  EXPECT_TRUE(server_.Requests().empty());

  item.CopyNewerOnly = false;
  bool nestedRefused = false;
  copy_.OnFileStart = [&](TWebCopy& sender, int) {
    try {
      sender.Execute();
    } catch (const Exception&) {
      nestedRefused = true;
    }
  };
  copy_.Execute();
  EXPECT_TRUE(nestedRefused);
  EXPECT_TRUE(item.Success());
  EXPECT_EQ(server_.Requests().size(), 1u);
}

TEST_F(TransferTest, OtherKindsAreNotTransferred) {
  copy_.ShowDialog = false;
  const struct {
    TWebCopyProtocol protocol;
    std::wstring title;
  } cases[] = {{wpFtp, L"Aggiornamento Quirel in corso ... ..."},
               {wpMultiFtp, L"Aggiornamento Quirel in corso ... ..."},
               {wpFile, L"Copia ..."},
               {wpHttpUpload, L"Caricamento ..."},
               {wpFtpUpload, L"Caricamento ..."},
               {wpMultiFtpUpload, L"Caricamento ..."},
               {wpFtpList, L"Aggiornamento Quirel ..."},
               {wpFtpDelete, L"Aggiornamento Quirel ..."},
               {wpFtpTest, L"Aggiornamento Quirel ..."}};
  for (const auto& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.protocol));
    copy_.Items.Clear();
    AddItem("/anything.bin").Protocol = c.protocol;
    log_ = {};
    log_.Attach(copy_);
    std::wstring title;
    copy_.OnFileDone = [&](TWebCopy& sender, int) { title = WindowText(sender.ProgressForm()->Handle()); };
    copy_.Execute();
    EXPECT_EQ(title, c.title);
    EXPECT_FALSE(copy_.Items[0].Success());
    EXPECT_TRUE(server_.Requests().empty());
    EXPECT_FALSE(Exists(dir_ / L"anything.bin"));
  }
}

TEST_F(TransferTest, ResultsOfAnEarlierRunDoNotSurvive) {
  copy_.ShowDialog = false;
  server_.Route("/r.bin", Reply(PatternBody(100)));
  TWebCopyItem& item = AddItem("/r.bin");
  copy_.Execute();
  ASSERT_TRUE(item.Success());
  server_.Route("/r.bin", Reply("").WithStatus(404));
  copy_.Execute();
  EXPECT_FALSE(item.Success());
}

TEST_F(TransferTest, OpenButtonsKeepTheWindowUntilTheUserCloses) {
  // A command file that leaves a mark beside itself when started.
  server_.Route("/run.cmd", Reply("@echo opened> \"%~dp0opened.txt\"\r\n"));
  server_.Route("/slow.bin", Reply(PatternBody(40000)).WithPace(4096, 20));
  copy_.ShowOpenFile = true;
  copy_.ShowOpenFolder = true;

  // Cancelled: the buttons stay disabled, Chiudi closes the window.
  AddItem("/slow.bin");
  log_.OnBlock = [&](TWebCopy& sender, const Block&) {
    if (log_.Blocks.size() == 2) PostMessageW(FindButton(sender, L"Annulla"), BM_CLICK, 0, 0);
  };
  copy_.Execute();
  ASSERT_NE(copy_.ProgressForm(), nullptr);
  EXPECT_TRUE(log_.Has(L"CopyDone"));
  EXPECT_FALSE(IsWindowEnabled(copy_.ProgressForm()->Control(idBtnShowFile)));
  EXPECT_FALSE(IsWindowEnabled(copy_.ProgressForm()->Control(idBtnShowFolder)));
  HWND close = FindButton(copy_, L"Chiudi");
  ASSERT_NE(close, nullptr);
  SendMessageW(close, BM_CLICK, 0, 0);
  EXPECT_EQ(copy_.ProgressForm(), nullptr);
  EXPECT_EQ(std::count(log_.Lines.begin(), log_.Lines.end(), L"CopyCancel"), 1) << "closing is not cancelling";

  // Transferred: Installa starts the file and closes the window.
  copy_.Items.Clear();
  AddItem("/run.cmd");
  log_ = {};
  log_.Attach(copy_);
  copy_.Execute();
  ASSERT_NE(copy_.ProgressForm(), nullptr);
  EXPECT_TRUE(IsWindowVisible(copy_.ProgressForm()->Handle()));
  EXPECT_TRUE(IsWindowEnabled(copy_.ProgressForm()->Control(idBtnShowFile)));
  EXPECT_TRUE(IsWindowEnabled(copy_.ProgressForm()->Control(idBtnShowFolder)));
  EXPECT_EQ(ControlText(copy_, idBtnShowFile), L"Installa");
  EXPECT_EQ(ControlText(copy_, idBtnShowFolder), L"Apri cartella");
  HWND install = FindButton(copy_, L"Installa");
  ASSERT_NE(install, nullptr);
  SendMessageW(install, BM_CLICK, 0, 0);
  EXPECT_EQ(copy_.ProgressForm(), nullptr);
  for (int i = 0; i < 600 && !Exists(dir_ / L"opened.txt"); ++i) Sleep(100);
  EXPECT_TRUE(Exists(dir_ / L"opened.txt"));
}

}  // namespace
}  // namespace quirel::webcopy::test
