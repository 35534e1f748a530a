// The component with the stand-in engine loaded into this program: a browser made inside a
// host control, kept at its size, navigated, given developer tools, and closed the way the
// windows close it (delayed, then the host control destroyed).
#include <gtest/gtest.h>

#include <atomic>
#include <climits>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <mutex>
#include <string>

#include "MessagePump.h"
#include "engine/CEFWindowParent.h"
#include "engine/CefApplicationCore.h"
#include "engine/Chromium.h"
#include "engine/capi/CefEntryPoints.h"
#include "ui/kit/Form.h"

namespace quirel {
namespace {

using test::Pump;
using test::PumpUntil;

bool LoadStandinEngine() {
  HMODULE module = LoadLibraryExW((ExecutableFolder() + L"plugin\\cef\\libcef.dll").c_str(),
                                  nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
  if (!module) return false;
  for (const TCefEntryPointInfo& entry : kCefEntryPoints) {
    FARPROC proc = GetProcAddress(module, entry.name);
    if (!proc) return false;
    entry.store(g_cef, proc);
  }
  return true;
}

class EngineEnvironment : public testing::Environment {
 public:
  void SetUp() override {
    ASSERT_TRUE(LoadStandinEngine());
    cef_main_args_t args{GetModuleHandleW(nullptr)};
    cef_settings_t settings{};
    settings.size = sizeof settings;
    settings.multi_threaded_message_loop = 1;
    settings.no_sandbox = 1;
    ASSERT_EQ(g_cef.cef_initialize(&args, &settings, nullptr, nullptr), 1);
  }
  void TearDown() override { g_cef.cef_shutdown(); }
};

const auto* const kEnvironment = testing::AddGlobalTestEnvironment(new EngineEnvironment);

std::wstring WritePage(const std::wstring& name, const std::string& html) {
  wchar_t folder[MAX_PATH];
  GetTempPathW(MAX_PATH, folder);
  const std::wstring path = std::wstring(folder) + name;
  std::ofstream(std::filesystem::path(path), std::ios::binary) << html;
  std::wstring url = L"file:///" + path;
  for (wchar_t& c : url)
    if (c == L'\\') c = L'/';
  return url;
}

RECT ClientOf(HWND window) {
  RECT r{};
  GetClientRect(window, &r);
  return r;
}

SIZE SizeOf(HWND window) {
  RECT r{};
  GetWindowRect(window, &r);
  return SIZE{r.right - r.left, r.bottom - r.top};
}

// What the engine's UI thread reported, read by the test's thread.
struct Reports {
  std::mutex lock;
  std::wstring title;
  int loadEnds = 0;
  int lastStatus = -1;
  std::atomic<bool> created{false};
  std::atomic<bool> closing{false};
  std::atomic<bool> beforeClose{false};
  std::atomic<DWORD> eventThread{0};

  std::wstring Title() {
    std::lock_guard guard(lock);
    return title;
  }
};

TEST(StandinEngine, BrowserLifeInsideTheHostControl) {
  TCefApplicationCore app;
  app.Internal_OnContextInitialized();
  const std::wstring one = WritePage(L"quirel-chromium-one.html",
                                     "<html><head><title>One</title></head><body>one</body></html>");
  const std::wstring two = WritePage(L"quirel-chromium-two.html",
                                     "<html><head><title>Two</title></head><body>two</body></html>");

  kit::TForm form(L"Quirel engine test");
  form.SetDesignClientSize(600, 400);
  TCEFWindowParent* host = kit::Make<TCEFWindowParent>(form);
  host->SetAlign(kit::TAlign::alClient);
  TCEFWindowParent* devTools = kit::Make<TCEFWindowParent>(form, L"DevTools");
  devTools->SetAlign(kit::TAlign::alRight);
  devTools->SetWidth(150);
  host->CreateHandle();
  devTools->CreateHandle();
  form.Show();
  Pump(50);

  Reports reports;
  TChromium chromium(&form);
  chromium.SetDefaultUrl(one);
  chromium.Options().BackgroundColor = 0xFFFFFFFF;
  chromium.OnAfterCreated = [&](TChromiumCore&, cef_browser_t*) {
    reports.eventThread = GetCurrentThreadId();
    reports.created = true;
  };
  chromium.OnTitleChange = [&](TChromiumCore&, cef_browser_t*, const std::wstring& title) {
    std::lock_guard guard(reports.lock);
    reports.title = title;
  };
  chromium.OnLoadEnd = [&](TChromiumCore&, cef_browser_t*, cef_frame_t*, int status) {
    std::lock_guard guard(reports.lock);
    ++reports.loadEnds;
    reports.lastStatus = status;
  };
  chromium.OnClose = [&](TChromiumCore&, cef_browser_t*, TCefCloseBrowserAction& action) {
    action = cbaDelay;
    reports.closing = true;
  };
  chromium.OnBeforeClose = [&](TChromiumCore&, cef_browser_t*) { reports.beforeClose = true; };

  // The engine's UI thread may still be starting: the windows retry, and so does this.
  ASSERT_TRUE(PumpUntil([&] { return chromium.CreateBrowser(host); }, 30000));
  ASSERT_TRUE(PumpUntil([&] { return reports.created.load(); })) << "no OnAfterCreated";
  EXPECT_TRUE(chromium.Initialized());
  EXPECT_NE(chromium.BrowserId(), 0);
  EXPECT_NE(reports.eventThread.load(), GetCurrentThreadId());
  EXPECT_TRUE(PumpUntil([&] { return reports.Title() == L"One"; }, 20000)) << reports.Title();

  // The browser's window is the host's child and follows its size.
  ASSERT_TRUE(PumpUntil([&] { return host->ChildWindowHandle() != nullptr; }, 10000));
  HWND browserWindow = host->ChildWindowHandle();
  SetWindowPos(form.Handle(), nullptr, 0, 0, 700, 520, SWP_NOMOVE | SWP_NOZORDER);
  const RECT client = ClientOf(host->Handle());
  EXPECT_TRUE(PumpUntil(
      [&] {
        const SIZE size = SizeOf(browserWindow);
        return size.cx == client.right && size.cy == client.bottom;
      },
      5000));

  chromium.LoadURL(two);
  EXPECT_TRUE(PumpUntil([&] { return reports.Title() == L"Two"; }, 20000)) << reports.Title();
  chromium.GoBack();
  EXPECT_TRUE(PumpUntil([&] { return reports.Title() == L"One"; }, 20000)) << reports.Title();
  {
    std::lock_guard guard(reports.lock);
    EXPECT_GE(reports.loadEnds, 3);
    EXPECT_EQ(reports.lastStatus, 200);
  }

  // Developer tools in their pane, then detached and closed.
  chromium.ShowDevTools(POINT{INT_MIN, INT_MIN}, devTools);
  EXPECT_TRUE(PumpUntil([&] { return devTools->ChildWindowHandle() != nullptr; }, 20000));
  chromium.CloseDevTools(devTools);
  EXPECT_EQ(devTools->ChildWindowHandle(), nullptr);

  // Closing as the windows do: delayed, then the host control destroyed.
  chromium.CloseBrowser(false);
  ASSERT_TRUE(PumpUntil([&] { return reports.closing.load(); }, 20000)) << "no OnClose";
  EXPECT_FALSE(chromium.Initialized());
  form.FreeControl(host);
  ASSERT_TRUE(PumpUntil([&] { return reports.beforeClose.load(); }, 20000)) << "no OnBeforeClose";
  EXPECT_EQ(chromium.BrowserId(), 0);
  CefRef<cef_client_t> client2;
  EXPECT_TRUE(chromium.CreateClientHandler(client2, false));
}

}  // namespace
}  // namespace quirel
