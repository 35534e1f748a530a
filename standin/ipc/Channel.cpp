#include "standin/ipc/Channel.h"

#include <windows.h>

namespace quirel::standin {
namespace {

bool ReadAll(HANDLE pipe, void* buffer, DWORD size) {
  auto* bytes = static_cast<unsigned char*>(buffer);
  while (size > 0) {
    DWORD read = 0;
    if (!ReadFile(pipe, bytes, size, &read, nullptr) || read == 0) return false;
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
                                OPEN_EXISTING, 0, nullptr));
  if (!pipe) return std::nullopt;
  return Channel(std::move(pipe));
}

bool Channel::Send(std::string_view message) {
  const std::string frame = EncodeFrame(message);
  DWORD written = 0;
  return WriteFile(pipe_.get(), frame.data(), static_cast<DWORD>(frame.size()), &written,
                   nullptr) &&
         written == frame.size();
}

std::optional<std::string> Channel::Receive() {
  unsigned char header[4];
  if (!ReadAll(pipe_.get(), header, sizeof header)) return std::nullopt;
  std::string message(FrameLength(header), '\0');
  if (!message.empty() && !ReadAll(pipe_.get(), message.data(), static_cast<DWORD>(message.size())))
    return std::nullopt;
  return message;
}

}  // namespace quirel::standin
