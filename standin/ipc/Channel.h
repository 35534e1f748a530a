// The pipe between the browser process and a sub-process it started. Messages
// are frames: a 4-byte little-endian length, then that many bytes of UTF-8.
//   sub-process -> browser: "ready" once it has started (renderer: after
//                           on_web_kit_initialized)
//   browser -> sub-process: "end" to make it finish
// A sub-process also finishes when the pipe breaks: the browser process is gone.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "standin/core/UniqueHandle.h"

namespace quirel::standin {

// The switch that hands a sub-process the pipe's name.
inline constexpr wchar_t kChannelSwitch[] = L"standin-channel";

inline constexpr std::string_view kReadyMessage = "ready";
inline constexpr std::string_view kEndMessage = "end";

// The sub-process end: blocking reads and writes.
class Channel {
 public:
  // Empty when there is no such pipe (the browser process is gone).
  static std::optional<Channel> Connect(const std::wstring& name);

  bool Send(std::string_view message);
  // Empty when the pipe broke.
  std::optional<std::string> Receive();

 private:
  explicit Channel(UniqueHandle pipe) : pipe_(std::move(pipe)) {}
  UniqueHandle pipe_;
};

// Frame encoding, shared with the browser end.
std::string EncodeFrame(std::string_view message);
// Bytes a frame needs after its 4-byte header.
size_t FrameLength(const unsigned char header[4]);

}  // namespace quirel::standin
