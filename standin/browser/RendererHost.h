// A browser's renderer sub-process, seen from the browser process. It starts
// on a thread of its own (never the UI thread: a process start and its
// "ready" take a while), sends the browser's pages in order from there, and a
// reader thread hands every message of the renderer to the browser. Whatever
// blocks (start, sends, the end handshake) happens on those two threads.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "standin/script/RendererMessages.h"

namespace quirel::standin {

class RendererHost {
 public:
  struct Callbacks {
    // Reader thread: a message of the renderer; for kDone, `page` is the page
    // it finished (as numbered by SendPage).
    std::function<void(const RendererMessage& message, long long page)> message;
    // Sender or reader thread: the page was handed to the renderer (true),
    // or no renderer will show it (false: none started, or it went away
    // before the page was done).
    std::function<void(long long page, bool sent)> page_sent;
  };

  // Starts `executable` with `arguments` (the channel switch is added).
  RendererHost(int browser, std::wstring executable, std::wstring arguments, Callbacks callbacks);
  RendererHost(const RendererHost&) = delete;
  RendererHost& operator=(const RendererHost&) = delete;
  // Ends the renderer, without waiting (EndAllRenderers waits).
  ~RendererHost();

  // Any thread. Queues the page and gives its number (1, 2, ...).
  long long SendPage(PageMessage page);
  // Any thread, without waiting: the renderer is told to end (or stopped
  // while it starts); its threads finish on their own.
  void End();

  struct State;

 private:
  std::shared_ptr<State> state_;
};

// Ends every renderer still running and waits for them (cef_shutdown).
void EndAllRenderers();

}  // namespace quirel::standin
