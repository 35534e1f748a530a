#include "standin/browser/Worker.h"

#include <windows.h>

#include <memory>

namespace quirel::standin {
namespace {

DWORD WINAPI RunWork(void* parameter) {
  const std::unique_ptr<std::function<void()>> work(static_cast<std::function<void()>*>(parameter));
  (*work)();
  return 0;
}

}  // namespace

bool RunOnWorker(std::function<void()> work) {
  auto owned = std::make_unique<std::function<void()>>(std::move(work));
  if (!QueueUserWorkItem(&RunWork, owned.get(), WT_EXECUTELONGFUNCTION)) return false;
  owned.release();  // RunWork owns it now
  return true;
}

}  // namespace quirel::standin
