// The pipe between the browser process and a sub-process it started. Messages
// are frames: a 4-byte little-endian length, then that many bytes of UTF-8.
//   sub-process -> browser: "ready" once it has started (renderer: after
//                           on_web_kit_initialized)
//   browser -> sub-process: "end" to make it finish
// A sub-process also finishes when the pipe breaks or the browser process ends.
//
// Between a browser process and its renderer the other frames are JSON
// objects (encoded and parsed by standin/script/RendererMessages.h), each for
// one browser (`browser`: the browser's identifier):
//   browser -> renderer
//     {"type":"page","browser":1,"url":"https://...","title":"...","scripts":["...",...]}
//         show this page: a fresh script context, the extensions' code, then
//         the inline scripts in order; it replaces the browser's last page.
//         "title" (optional) is the page's <title>, where document.title starts.
//   renderer -> browser
//     {"type":"title","browser":1,"title":"..."}       document.title was set
//     {"type":"open","browser":1,"url":"...","name":"...","disposition":5,
//      "features":{"x":0,"xSet":0,"y":0,"ySet":0,"width":0,"widthSet":0,"height":0,
//                  "heightSet":0,"menuBarVisible":1,"statusBarVisible":1,
//                  "toolBarVisible":1,"scrollbarsVisible":1}}
//         window.open: disposition WOD_NEW_POPUP (5) with window features,
//         WOD_NEW_FOREGROUND_TAB (3) without; features as cef_popup_features_t
//     {"type":"close","browser":1}                      window.close()
//     {"type":"navigate","browser":1,"url":"..."}       location.href (or location) set
//     {"type":"log","browser":1,"level":"log|info|warn|error","text":"..."}
//         console output; a script error comes as level "error"
//     {"type":"done","browser":1}                       the page's scripts have run
#pragma once

#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>

#include "standin/core/UniqueHandle.h"

namespace quirel::standin {

// The switch that hands a sub-process the pipe's name.
inline constexpr wchar_t kChannelSwitch[] = L"standin-channel";

inline constexpr std::string_view kReadyMessage = "ready";
inline constexpr std::string_view kEndMessage = "end";

// The sub-process end: blocking reads and writes; one thread may read while
// others write.
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
  UniqueHandle server_;  // the browser process, waited on with every transfer
  std::unique_ptr<std::mutex> send_mutex_ = std::make_unique<std::mutex>();
};

// Frame encoding, shared with the browser end.
std::string EncodeFrame(std::string_view message);
// Bytes a frame needs after its 4-byte header.
size_t FrameLength(const unsigned char header[4]);

}  // namespace quirel::standin
