#include "standin/ipc/Channel.h"

#include <windows.h>

namespace quirel::standin {
namespace {

// The pipe is opened for overlapped I/O so that a read waiting on one thread
// does not hold up a write on another (synchronous I/O on one handle is
// serialised); each call waits for its own operation.
// `server` (the browser process, when known) ending gives up the operation:
// a pipe whose server was killed does not always break under Wine.
bool Transfer(HANDLE pipe, HANDLE server, void* buffer, DWORD size, bool write, DWORD* done) {
  UniqueHandle event(CreateEventW(nullptr, TRUE, FALSE, nullptr));
  if (!event) return false;
  OVERLAPPED overlapped{};
  overlapped.hEvent = event.get();
  const BOOL started = write ? WriteFile(pipe, buffer, size, nullptr, &overlapped)
                             : ReadFile(pipe, buffer, size, nullptr, &overlapped);
  if (!started && GetLastError() != ERROR_IO_PENDING) return false;
  if (server) {
    const HANDLE waits[] = {event.get(), server};
    if (WaitForMultipleObjects(2, waits, FALSE, INFINITE) != WAIT_OBJECT_0) {
      CancelIoEx(pipe, &overlapped);
      DWORD ignored = 0;
      GetOverlappedResult(pipe, &overlapped, &ignored, TRUE);
      return false;
    }
  }
  return GetOverlappedResult(pipe, &overlapped, done, TRUE) != FALSE;
}

bool ReadAll(HANDLE pipe, HANDLE server, void* buffer, DWORD size) {
  auto* bytes = static_cast<unsigned char*>(buffer);
  while (size > 0) {
    DWORD read = 0;
    if (!Transfer(pipe, server, bytes, size, false, &read) || read == 0) return false;
    bytes += read;
    size -= read;
  }
  return true;
}

}  // namespace

std::string EncodeFrame(std::string_view message) {
  const auto length = static_cast<unsigned>(message.size());
  std::string frame;
  for (int shift = 0; shift < 32; shift += 8) frame += static_cast<char>((length >> shift) & 0xFF);
  frame += message;
  return frame;
}

size_t FrameLength(const unsigned char header[4]) {
  return static_cast<size_t>(header[0]) | static_cast<size_t>(header[1]) << 8 |
         static_cast<size_t>(header[2]) << 16 | static_cast<size_t>(header[3]) << 24;
}

std::optional<Channel> Channel::Connect(const std::wstring& name) {
  UniqueHandle pipe(CreateFileW(name.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                OPEN_EXISTING, FILE_FLAG_OVERLAPPED, nullptr));
  if (!pipe) return std::nullopt;
  Channel channel(std::move(pipe));
  ULONG server = 0;
  if (GetNamedPipeServerProcessId(channel.pipe_.get(), &server))
    channel.server_ = UniqueHandle(OpenProcess(SYNCHRONIZE, FALSE, server));
  return channel;
}

bool Channel::Send(std::string_view message) {
  std::string frame = EncodeFrame(message);
  std::lock_guard lock(*send_mutex_);  // frames stay whole
  DWORD written = 0;
  return Transfer(pipe_.get(), server_.get(), frame.data(), static_cast<DWORD>(frame.size()), true, &written) &&
         written == frame.size();
}

std::optional<std::string> Channel::Receive() {
  unsigned char header[4];
  if (!ReadAll(pipe_.get(), server_.get(), header, sizeof header)) return std::nullopt;
  std::string message(FrameLength(header), '\0');
  if (!message.empty() && !ReadAll(pipe_.get(), server_.get(), message.data(), static_cast<DWORD>(message.size())))
    return std::nullopt;
  return message;
}

}  // namespace quirel::standin
