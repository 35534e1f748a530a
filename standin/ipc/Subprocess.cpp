#include "standin/ipc/Subprocess.h"

#include <atomic>
#include <string>

#include "standin/ipc/Channel.h"

namespace quirel::standin {
namespace {

std::wstring NewChannelName() {
  static std::atomic<unsigned> counter{0};
  return L"\\\\.\\pipe\\quirel-standin-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
         std::to_wstring(GetTickCount64()) + L"-" + std::to_wstring(++counter);
}

// How long an ending sub-process gets before it is given up on.
constexpr DWORD kEndTimeoutMs = 10000;

}  // namespace

std::unique_ptr<Subprocess> Subprocess::Start(const std::wstring& executable,
                                              const std::wstring& arguments) {
  auto child = std::make_unique<Subprocess>(Token{});
  child->channel_name_ = NewChannelName();
  child->pipe_ = UniqueHandle(
      CreateNamedPipeW(child->channel_name_.c_str(),
                       PIPE_ACCESS_DUPLEX | FILE_FLAG_OVERLAPPED | FILE_FLAG_FIRST_PIPE_INSTANCE,
                       PIPE_TYPE_BYTE | PIPE_READMODE_BYTE | PIPE_WAIT | PIPE_REJECT_REMOTE_CLIENTS,
                       1, 4096, 4096, 0, nullptr));
  child->io_event_ = UniqueHandle(CreateEventW(nullptr, TRUE, FALSE, nullptr));
  child->read_event_ = UniqueHandle(CreateEventW(nullptr, TRUE, FALSE, nullptr));
  child->write_event_ = UniqueHandle(CreateEventW(nullptr, TRUE, FALSE, nullptr));
  if (!child->pipe_ || !child->io_event_ || !child->read_event_ || !child->write_event_)
    return nullptr;

  std::wstring command_line = L"\"" + executable + L"\" " + arguments + L" --" + kChannelSwitch +
                              L"=" + child->channel_name_;
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  if (!CreateProcessW(executable.c_str(), command_line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      nullptr, &startup, &info))
    return nullptr;
  CloseHandle(info.hThread);
  child->process_ = UniqueHandle(info.hProcess);
  child->process_id_ = info.dwProcessId;
  return child;
}

Subprocess::~Subprocess() {
  End();
  if (!WaitForExit(kEndTimeoutMs)) TerminateProcess(process_.get(), 1);
}

bool Subprocess::Finish(OVERLAPPED& overlapped, BOOL started, DWORD timeout_ms,
                        DWORD* transferred) {
  if (!started && GetLastError() != ERROR_IO_PENDING) return false;
  const HANDLE waits[] = {io_event_.get(), process_.get()};
  if (WaitForMultipleObjects(2, waits, FALSE, timeout_ms) != WAIT_OBJECT_0) {
    CancelIoEx(pipe_.get(), &overlapped);
    DWORD ignored = 0;
    GetOverlappedResult(pipe_.get(), &overlapped, &ignored, TRUE);
    return false;
  }
  return GetOverlappedResult(pipe_.get(), &overlapped, transferred, FALSE) != FALSE;
}

bool Subprocess::Connect(DWORD timeout_ms) {
  if (connected_) return true;
  OVERLAPPED overlapped{};
  overlapped.hEvent = io_event_.get();
  ResetEvent(io_event_.get());
  const BOOL started = ConnectNamedPipe(pipe_.get(), &overlapped);
  DWORD ignored = 0;
  connected_ = (!started && GetLastError() == ERROR_PIPE_CONNECTED) ||
               Finish(overlapped, started, timeout_ms, &ignored);
  return connected_;
}

bool Subprocess::ReadSome(DWORD timeout_ms) {
  char chunk[4096];
  OVERLAPPED overlapped{};
  overlapped.hEvent = read_event_.get();
  ResetEvent(read_event_.get());
  DWORD read = 0;
  if (!ReadFile(pipe_.get(), chunk, sizeof chunk, nullptr, &overlapped) &&
      GetLastError() != ERROR_IO_PENDING) {
    broken_ = true;
    return false;
  }
  // A pipe whose sub-process ended completes the read with an error, after
  // what it had written.
  if (WaitForSingleObject(read_event_.get(), timeout_ms) != WAIT_OBJECT_0)
    CancelIoEx(pipe_.get(), &overlapped);
  if (GetOverlappedResult(pipe_.get(), &overlapped, &read, TRUE)) {
    buffer_.append(chunk, read);
    return true;
  }
  if (GetLastError() == ERROR_OPERATION_ABORTED) {
    buffer_.append(chunk, read);
    return true;
  }
  broken_ = true;
  return false;
}

std::optional<std::string> Subprocess::TakeFrame() {
  if (buffer_.size() < 4) return std::nullopt;
  const size_t length = FrameLength(reinterpret_cast<const unsigned char*>(buffer_.data()));
  if (buffer_.size() < 4 + length) return std::nullopt;
  std::string message = buffer_.substr(4, length);
  buffer_.erase(0, 4 + length);
  return message;
}

std::optional<std::string> Subprocess::Receive(DWORD timeout_ms) {
  const ULONGLONG deadline = GetTickCount64() + timeout_ms;
  if (!Connect(timeout_ms)) return std::nullopt;
  for (;;) {
    if (std::optional<std::string> message = TakeFrame()) return message;
    const ULONGLONG now = GetTickCount64();
    if (broken_ || now >= deadline) return std::nullopt;
    if (!ReadSome(static_cast<DWORD>(deadline - now))) return std::nullopt;
  }
}

bool Subprocess::WaitUntilReady(DWORD timeout_ms) {
  const std::optional<std::string> message = Receive(timeout_ms);
  return message && *message == kReadyMessage;
}

bool Subprocess::Send(std::string_view message, DWORD timeout_ms) {
  if (!connected_ || broken_) return false;
  const std::string frame = EncodeFrame(message);
  OVERLAPPED overlapped{};
  overlapped.hEvent = write_event_.get();
  ResetEvent(write_event_.get());
  DWORD written = 0;
  if (!WriteFile(pipe_.get(), frame.data(), static_cast<DWORD>(frame.size()), nullptr,
                 &overlapped) &&
      GetLastError() != ERROR_IO_PENDING)
    return false;
  if (WaitForSingleObject(write_event_.get(), timeout_ms) != WAIT_OBJECT_0)
    CancelIoEx(pipe_.get(), &overlapped);
  return GetOverlappedResult(pipe_.get(), &overlapped, &written, TRUE) && written == frame.size();
}

void Subprocess::End() {
  if (ended_) return;
  ended_ = true;
  if (!connected_) return;  // it never came: closing the pipe is all we can say
  const std::string frame = EncodeFrame(kEndMessage);
  OVERLAPPED overlapped{};
  overlapped.hEvent = io_event_.get();
  ResetEvent(io_event_.get());
  DWORD written = 0;
  const BOOL started =
      WriteFile(pipe_.get(), frame.data(), static_cast<DWORD>(frame.size()), &written, &overlapped);
  Finish(overlapped, started, kEndTimeoutMs, &written);
}

std::optional<DWORD> Subprocess::WaitForExit(DWORD timeout_ms) {
  if (WaitForSingleObject(process_.get(), timeout_ms) != WAIT_OBJECT_0) return std::nullopt;
  DWORD code = 0;
  GetExitCodeProcess(process_.get(), &code);
  return code;
}

}  // namespace quirel::standin
