// The browser end of a sub-process the engine starts: the executable runs
// with the given arguments plus the channel switch, and answers on the pipe.
#pragma once

#include <windows.h>

#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "standin/core/UniqueHandle.h"

namespace quirel::standin {

class Subprocess {
  struct Token {  // only Start makes sub-processes
    explicit Token() = default;
  };

 public:
  // `arguments` follow the quoted executable on the child's command line.
  // Empty when the process cannot be started.
  static std::unique_ptr<Subprocess> Start(const std::wstring& executable,
                                           const std::wstring& arguments);
  explicit Subprocess(Token) {}
  Subprocess(const Subprocess&) = delete;
  Subprocess& operator=(const Subprocess&) = delete;
  // Tells the sub-process to end and waits for it.
  ~Subprocess();

  // True once the sub-process said "ready"; false if it ended or the time ran out.
  bool WaitUntilReady(DWORD timeout_ms);
  void End();

  // One message to the sub-process (after it said "ready"); false when the
  // pipe broke or the time ran out. One thread may send while another receives.
  bool Send(std::string_view message, DWORD timeout_ms = 10000);
  // The sub-process's next message; empty when the time ran out (nothing is
  // lost: a later call goes on) or the pipe broke (PipeBroken).
  std::optional<std::string> Receive(DWORD timeout_ms);
  bool PipeBroken() const { return broken_; }
  // The exit code, once the process has ended within the time.
  std::optional<DWORD> WaitForExit(DWORD timeout_ms);

  DWORD process_id() const { return process_id_; }

 private:
  // Waits for an overlapped operation on the pipe, giving up when the
  // sub-process ends or the time runs out.
  bool Finish(OVERLAPPED& overlapped, BOOL started, DWORD timeout_ms, DWORD* transferred);
  bool Connect(DWORD timeout_ms);
  // Appends what arrives within the time to buffer_; false when the pipe broke.
  bool ReadSome(DWORD timeout_ms);
  std::optional<std::string> TakeFrame();

  std::wstring channel_name_;
  UniqueHandle pipe_;
  UniqueHandle io_event_;
  UniqueHandle read_event_;
  UniqueHandle write_event_;
  std::string buffer_;  // bytes received, not yet taken as frames
  UniqueHandle process_;
  DWORD process_id_ = 0;
  bool connected_ = false;
  bool ended_ = false;
  bool broken_ = false;
};

}  // namespace quirel::standin
