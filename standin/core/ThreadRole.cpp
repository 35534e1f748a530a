#include "standin/core/ThreadRole.h"

#include <atomic>
#include <optional>

namespace quirel::standin {
namespace {

std::atomic<DWORD> g_main_thread{0};
thread_local std::optional<ThreadRole> t_role;

}  // namespace

void SetMainThread(DWORD thread_id) { g_main_thread.store(thread_id); }

DWORD MainThread() { return g_main_thread.load(); }

void SetCurrentThreadRole(ThreadRole role) { t_role = role; }

ThreadRole CurrentThreadRole() {
  if (t_role) return *t_role;
  return GetCurrentThreadId() == g_main_thread.load() ? ThreadRole::kMain : ThreadRole::kOther;
}

const char* ThreadRoleName(ThreadRole role) {
  switch (role) {
    case ThreadRole::kMain:
      return "main";
    case ThreadRole::kUi:
      return "ui";
    case ThreadRole::kRenderer:
      return "renderer";
    case ThreadRole::kOther:
      break;
  }
  return "other";
}

}  // namespace quirel::standin
