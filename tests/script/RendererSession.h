// Plays the browser process for a renderer: starts script_renderer_host.exe
// as `--type=renderer` on a channel, sends it pages and reads back what the
// pages did.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "Trace.h"
#include "standin/ipc/Subprocess.h"
#include "standin/script/RendererMessages.h"

namespace script_test {

using quirel::standin::RendererMessage;

class RendererSession {
 public:
  // Fails the test (fatally for the caller's ASSERT_TRUE(ready())) when the
  // renderer does not start.
  // `executable`: a program of the run folder that runs renderers, or a full path.
  explicit RendererSession(const std::wstring& executable = L"script_renderer_host.exe");
  RendererSession(const RendererSession&) = delete;
  RendererSession& operator=(const RendererSession&) = delete;
  ~RendererSession();

  bool ready() const { return ready_; }
  DWORD pid() const { return child_ ? child_->process_id() : 0; }

  // Shows a page in `browser` and returns the messages up to its "done".
  std::vector<RendererMessage> Show(int browser, const std::wstring& url,
                                    const std::vector<std::wstring>& scripts,
                                    const std::wstring& title = L"");
  // Messages arriving within `timeout_ms`, until `count` have come.
  std::vector<RendererMessage> Collect(size_t count, DWORD timeout_ms);

  // Ends the renderer; its exit code.
  std::optional<DWORD> End();
  bool alive();

  std::vector<standin_test::Json> Trace() const;

 private:
  standin_test::TraceFile trace_;
  std::unique_ptr<quirel::standin::Subprocess> child_;
  bool ready_ = false;
};

// "level:text" of the log messages, in order.
std::vector<std::wstring> Logs(const std::vector<RendererMessage>& messages);
std::vector<RendererMessage> OfType(const std::vector<RendererMessage>& messages,
                                    RendererMessage::Type type);
std::string Narrow(const std::wstring& text);

}  // namespace script_test
