#include "standin/browser/RendererHost.h"

#include <windows.h>

#include <condition_variable>
#include <deque>
#include <mutex>
#include <vector>

#include "standin/core/NoDestructor.h"
#include "standin/core/Thread.h"
#include "standin/core/Trace.h"
#include "standin/core/UniqueHandle.h"
#include "standin/core/Utf.h"
#include "standin/ipc/Subprocess.h"

namespace quirel::standin {

// A fresh Wine prefix can take long to start a process.
constexpr DWORD kReadyTimeoutMs = 60000;
// How often the reader looks whether it is to stop.
constexpr DWORD kReceiveSliceMs = 200;

struct RendererHost::State {
  int browser = 0;
  std::wstring executable;
  std::wstring arguments;
  Callbacks callbacks;

  std::mutex mutex;
  std::condition_variable wake;
  std::deque<std::pair<long long, std::string>> outgoing;  // page number, encoded page
  std::deque<long long> awaiting_done;                     // sent, in order
  long long next_page = 0;
  DWORD process_id = 0;
  bool ready = false;
  bool end = false;   // the browser let go of its renderer
  bool gone = false;  // no renderer (any more): pages fail at once
  bool finished = false;

  void Run();
  void Read(Subprocess& child);
  void End();
  // Pages that will not be shown, taken under the lock, reported outside it.
  void Fail(std::vector<long long> pages);
  std::vector<long long> TakeUnfinished();
};

namespace {

struct Running {
  std::shared_ptr<RendererHost::State> state;
  std::unique_ptr<Thread> thread;
};

struct Registry {
  std::mutex mutex;
  std::vector<Running> running;
};

Registry& TheRegistry() {
  static NoDestructor<Registry> registry;
  return registry.get();
}

bool Finished(RendererHost::State& state) {
  std::lock_guard lock(state.mutex);
  return state.finished;
}

void Terminate(DWORD process_id) {
  const UniqueHandle process(OpenProcess(PROCESS_TERMINATE, FALSE, process_id));
  if (process) TerminateProcess(process.get(), 1);
}

}  // namespace

std::vector<long long> RendererHost::State::TakeUnfinished() {
  std::vector<long long> pages(awaiting_done.begin(), awaiting_done.end());
  for (const auto& [page, text] : outgoing) pages.push_back(page);
  awaiting_done.clear();
  outgoing.clear();
  return pages;
}

void RendererHost::State::Fail(std::vector<long long> pages) {
  for (const long long page : pages) callbacks.page_sent(page, false);
}

void RendererHost::State::Run() {
  std::unique_ptr<Subprocess> child = Subprocess::Start(executable, arguments);
  if (child) {
    bool ending = false;
    {
      std::lock_guard lock(mutex);
      process_id = child->process_id();
      ending = end;
    }
    if (ending) Terminate(child->process_id());  // let go of before it was up
    trace::Event("renderer.started")
        .Int("browser", browser)
        .Int("pid", child->process_id())
        .Text("executable", executable)
        .Text("arguments", arguments);
  } else {
    const DWORD error = GetLastError();
    trace::Event("renderer.unavailable")
        .Int("browser", browser)
        .Text("reason", L"cannot start")
        .Text("executable", executable)
        .Int("error", static_cast<long long>(error));
  }
  const bool ready = child && child->WaitUntilReady(kReadyTimeoutMs);
  if (child && !ready)
    trace::Event("renderer.unavailable")
        .Int("browser", browser)
        .Text("reason", L"not ready")
        .Int("pid", child->process_id());
  std::vector<long long> failed;
  {
    std::lock_guard lock(mutex);
    this->ready = ready;
    if (!ready) {
      gone = true;
      failed = TakeUnfinished();
    }
  }
  Fail(std::move(failed));
  if (ready) trace::Event("renderer.ready").Int("browser", browser).Int("pid", child->process_id());
  if (!ready) {
    child.reset();
    std::lock_guard lock(mutex);
    finished = true;
    return;
  }

  {
    Thread reader([this, &child] { Read(*child); });
    for (;;) {
      std::pair<long long, std::string> next;
      {
        std::unique_lock lock(mutex);
        wake.wait(lock, [this] { return end || gone || !outgoing.empty(); });
        if (end || gone) break;
        next = std::move(outgoing.front());
        outgoing.pop_front();
        // Before the send: its "done" may arrive before Send returns.
        awaiting_done.push_back(next.first);
      }
      const bool sent = child->Send(next.second);
      if (sent) {
        callbacks.page_sent(next.first, true);
        continue;
      }
      trace::Event("renderer.send_failed").Int("browser", browser).Int("page", next.first);
      {
        std::lock_guard lock(mutex);
        std::erase(awaiting_done, next.first);
      }
      callbacks.page_sent(next.first, false);
    }
    child->End();
    {
      std::lock_guard lock(mutex);
      end = true;  // the reader stops too
    }
  }  // the reader is joined here
  const std::optional<DWORD> code = child->WaitForExit(10000);
  trace::Event("renderer.stopped")
      .Int("browser", browser)
      .Int("pid", child->process_id())
      .Int("exit_code", code ? static_cast<long long>(*code) : -1)
      .Bool("terminated", !code);
  child.reset();  // terminates it if it did not end
  std::vector<long long> unfinished;
  {
    std::lock_guard lock(mutex);
    gone = true;
    unfinished = TakeUnfinished();
  }
  Fail(std::move(unfinished));
  std::lock_guard lock(mutex);
  finished = true;
}

void RendererHost::State::Read(Subprocess& child) {
  for (;;) {
    {
      std::lock_guard lock(mutex);
      if (end) return;
    }
    const std::optional<std::string> text = child.Receive(kReceiveSliceMs);
    if (!text) {
      if (!child.PipeBroken()) continue;
      trace::Event("renderer.gone").Int("browser", browser).Int("pid", child.process_id());
      std::vector<long long> unfinished;
      {
        std::lock_guard lock(mutex);
        gone = true;
        unfinished = TakeUnfinished();
      }
      wake.notify_all();
      Fail(std::move(unfinished));
      return;
    }
    const std::optional<RendererMessage> message = ParseRendererMessage(*text);
    trace::Event("renderer.message")
        .Int("browser", browser)
        .Text("message", ToUtf16(*text))
        .Bool("understood", message.has_value());
    if (!message) continue;
    long long page = 0;
    if (message->type == RendererMessage::Type::kDone) {
      std::lock_guard lock(mutex);
      if (!awaiting_done.empty()) {
        page = awaiting_done.front();
        awaiting_done.pop_front();
      }
    }
    callbacks.message(*message, page);
  }
}

RendererHost::RendererHost(int browser, std::wstring executable, std::wstring arguments,
                           Callbacks callbacks)
    : state_(std::make_shared<State>()) {
  state_->browser = browser;
  state_->executable = std::move(executable);
  state_->arguments = std::move(arguments);
  state_->callbacks = std::move(callbacks);
  Registry& registry = TheRegistry();
  std::lock_guard lock(registry.mutex);
  // Renderers that ended are joined at once (their threads are done).
  std::erase_if(registry.running, [](const Running& r) { return Finished(*r.state); });
  auto thread = std::make_unique<Thread>([state = state_] { state->Run(); });
  registry.running.push_back({state_, std::move(thread)});
}

RendererHost::~RendererHost() { End(); }

long long RendererHost::SendPage(PageMessage page) {
  const std::string text = EncodePage(page);
  long long number = 0;
  bool gone = false;
  {
    std::lock_guard lock(state_->mutex);
    number = ++state_->next_page;
    gone = state_->gone || state_->end;
    if (!gone) state_->outgoing.emplace_back(number, text);
  }
  if (gone) {
    state_->callbacks.page_sent(number, false);
  } else {
    state_->wake.notify_all();
  }
  return number;
}

void RendererHost::End() { state_->End(); }

void RendererHost::State::End() {
  DWORD starting = 0;
  {
    std::lock_guard lock(mutex);
    if (end) return;
    end = true;
    if (!ready && !finished) starting = process_id;
  }
  wake.notify_all();
  // One still starting would hold its thread until it is ready.
  if (starting) Terminate(starting);
}

void EndAllRenderers() {
  std::vector<Running> running;
  {
    Registry& registry = TheRegistry();
    std::lock_guard lock(registry.mutex);
    running = std::move(registry.running);
    registry.running.clear();
  }
  for (Running& r : running) r.state->End();
  running.clear();  // joins each
}

}  // namespace quirel::standin
