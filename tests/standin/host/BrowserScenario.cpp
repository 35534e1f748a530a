#include <windows.h>

#include "HostApp.h"
#include "HostObjects.h"
#include "Report.h"
#include "Scenarios.h"
#include "engine/capi/CefString.h"

namespace standin_host {
namespace {

constexpr DWORD kWaitMs = 20000;

struct Settings {
  cef_settings_t record{};
  Settings(int multi_threaded) {
    record.size = sizeof record;
    record.no_sandbox = 1;
    record.multi_threaded_message_loop = multi_threaded;
    record.remote_debugging_port = 9222;
    record.log_severity = LOGSEVERITY_ERROR;
    record.background_color = 0xFF336699;
    CefStringSet(record.cache_path, L"C:\\Quirel cache");
    CefStringSet(record.locale, L"it");
    CefStringSet(record.user_agent, L"Quirel/2.1 \u00e8 \U0001F600");
    CefStringSet(record.accept_language_list, L"it-IT,it");
  }
  Settings(const Settings&) = delete;
  ~Settings() {
    CefStringClear(record.cache_path);
    CefStringClear(record.locale);
    CefStringClear(record.user_agent);
    CefStringClear(record.accept_language_list);
  }
};

// Posts `run` to the UI thread and waits until it ran there.
bool RunOnUi(std::function<void()> run, long long delay_ms = 0) {
  HANDLE done = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  CefRef<cef_task_t> task = CefNew<Task>([&run, done] {
    run();
    SetEvent(done);
  });
  const int posted = delay_ms ? g_cef.cef_post_delayed_task(TID_UI, task.Share(), delay_ms)
                              : g_cef.cef_post_task(TID_UI, task.Share());
  const bool ran = posted && WaitForSingleObject(done, kWaitMs) == WAIT_OBJECT_0;
  CloseHandle(done);
  return ran;
}

void CheckTasks() {
  DWORD task_thread = 0;
  int on_ui = -1;
  Report("task_ran", RunOnUi([&] {
           task_thread = GetCurrentThreadId();
           on_ui = g_cef.cef_currently_on(TID_UI);
         }));
  Report("task_thread_is_context_thread", task_thread == Seen().context_thread);
  Report("task_currently_on_ui", on_ui);

  const ULONGLONG posted_at = GetTickCount64();
  ULONGLONG ran_at = 0;
  Report("delayed_task_ran", RunOnUi([&] { ran_at = GetTickCount64(); }, 200));
  Report("delayed_task_waited", ran_at - posted_at >= 190);

  CefRef<cef_task_runner_t> runner = CefAdopt(g_cef.cef_task_runner_get_for_thread(TID_UI));
  Report("runner", static_cast<bool>(runner));
  Report("runner_on_main_belongs", runner->belongs_to_current_thread(runner.get()));
  Report("runner_belongs_to_ui", runner->belongs_to_thread(runner.get(), TID_UI));
  Report("no_runner_on_main",
         CefAdopt(g_cef.cef_task_runner_get_for_current_thread()).get() == nullptr);
  HANDLE done = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  int same = -1, belongs = -1;
  CefRef<cef_task_t> task = CefNew<Task>([&] {
    CefRef<cef_task_runner_t> current = CefAdopt(g_cef.cef_task_runner_get_for_current_thread());
    same = current && current->is_same(current.get(), runner.Share());
    belongs = runner->belongs_to_current_thread(runner.get());
    SetEvent(done);
  });
  Report("runner_post_task", runner->post_task(runner.get(), task.Share()));
  WaitForSingleObject(done, kWaitMs);
  CloseHandle(done);
  Report("runner_is_same_on_ui", same);
  Report("runner_on_ui_belongs", belongs);
}

void CheckGlobalCommandLine() {
  CefRef<cef_command_line_t> global = CefAdopt(g_cef.cef_command_line_get_global());
  Report("global_read_only", global->is_read_only(global.get()));
  global->append_switch(global.get(), CefStringArg(L"--ignored"));
  Report("global_command_line", CommandLineString(global.get()));
  const CefRef<cef_command_line_t>& lent = Seen().lent_command_line;
  Report("lent_valid_after", lent->is_valid(lent.get()));
  Report("lent_string_after", CommandLineString(lent.get()));
}

}  // namespace

int RunBrowser(CefRef<cef_app_t> app) {
  cef_main_args_t args{GetModuleHandleW(nullptr)};
  Settings settings(1);
  Report("global_before_initialize",
         CefAdopt(g_cef.cef_command_line_get_global()).get() != nullptr);
  Report("initialize", g_cef.cef_initialize(&args, &settings.record, app.Share(), nullptr));
  Report("main_currently_on_ui", g_cef.cef_currently_on(TID_UI));
  Report("context_initialized",
         WaitForSingleObject(Seen().context_initialized, kWaitMs) == WAIT_OBJECT_0);
  Report("context_thread_is_main", Seen().context_thread == Seen().main_thread);
  Report("schemes_applied", WaitForSingleObject(Seen().schemes_applied, kWaitMs) == WAIT_OBJECT_0);
  Report("schemes_applied_on_context_thread",
         Seen().schemes_applied_thread == Seen().context_thread);

  CheckTasks();
  CheckGlobalCommandLine();
  Report("second_initialize", g_cef.cef_initialize(&args, &settings.record, app.Share(), nullptr));

  // The engine's UI thread must be gone when cef_shutdown returns.
  HANDLE ui = OpenThread(SYNCHRONIZE, FALSE, Seen().context_thread);
  // A delayed task still pending at shutdown is released without running.
  bool late_ran = false;
  CefRef<cef_task_t> late = CefNew<Task>([&] { late_ran = true; });
  g_cef.cef_post_delayed_task(TID_UI, late.Share(), 60000);
  late.Reset();
  g_cef.cef_shutdown();
  Report("ui_thread_ended", WaitForSingleObject(ui, 0) == WAIT_OBJECT_0);
  CloseHandle(ui);
  Report("late_task_ran", late_ran);
  CefRef<cef_task_t> after = CefNew<Task>([] {});
  Report("post_after_shutdown", g_cef.cef_post_task(TID_UI, after.Share()));
  Report("cookie_manager_after_shutdown",
         CefAdopt(g_cef.cef_cookie_manager_get_global_manager(nullptr)).get() != nullptr);
  after.Reset();
  Seen().lent_command_line.Reset();
  return 0;
}

int RunBrowserSingleThreaded(CefRef<cef_app_t> app) {
  cef_main_args_t args{GetModuleHandleW(nullptr)};
  Settings settings(0);
  Report("initialize", g_cef.cef_initialize(&args, &settings.record, app.Share(), nullptr));
  Report("context_initialized_before_loop",
         WaitForSingleObject(Seen().context_initialized, 0) == WAIT_OBJECT_0);
  DWORD task_thread = 0;
  CefRef<cef_task_t> task = CefNew<Task>([&] {
    task_thread = GetCurrentThreadId();
    g_cef.cef_quit_message_loop();
  });
  Report("post_task", g_cef.cef_post_task(TID_UI, task.Share()));
  Report("main_currently_on_ui", g_cef.cef_currently_on(TID_UI));
  g_cef.cef_run_message_loop();
  Report("run_message_loop_returned", 1);
  Report("context_thread_is_main", Seen().context_thread == Seen().main_thread);
  Report("task_thread_is_main", task_thread == Seen().main_thread);
  task.Reset();
  g_cef.cef_shutdown();
  Seen().lent_command_line.Reset();
  return 0;
}

int RunExitWithoutShutdown(CefRef<cef_app_t> app) {
  cef_main_args_t args{GetModuleHandleW(nullptr)};
  Settings settings(1);
  Report("initialize", g_cef.cef_initialize(&args, &settings.record, app.Share(), nullptr));
  Report("context_initialized",
         WaitForSingleObject(Seen().context_initialized, kWaitMs) == WAIT_OBJECT_0);
  // Still queued when the process ends.
  g_cef.cef_post_delayed_task(TID_UI, CefNew<Task>([] {}).Detach(), 60000);
  return 0;
}

}  // namespace standin_host
