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
  if (!child->pipe_ || !child->io_event_) return nullptr;

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

bool Subprocess::ReadExactly(void* buffer, DWORD size, DWORD timeout_ms) {
  auto* bytes = static_cast<char*>(buffer);
  while (size > 0) {
    OVERLAPPED overlapped{};
    overlapped.hEvent = io_event_.get();
    ResetEvent(io_event_.get());
    DWORD read = 0;
    const BOOL started = ReadFile(pipe_.get(), bytes, size, &read, &overlapped);
    if (!Finish(overlapped, started, timeout_ms, &read) || read == 0) return false;
    bytes += read;
    size -= read;
  }
  return true;
}

bool Subprocess::WaitUntilReady(DWORD timeout_ms) {
  if (!Connect(timeout_ms)) return false;
  unsigned char header[4];
  if (!ReadExactly(header, sizeof header, timeout_ms)) return false;
  std::string message(FrameLength(header), '\0');
  if (!message.empty() &&
      !ReadExactly(message.data(), static_cast<DWORD>(message.size()), timeout_ms))
    return false;
  return message == kReadyMessage;
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
