// The messages between a browser process and its renderer, as JSON text in
// the channel's frames (see standin/ipc/Channel.h for the list). Both ends
// encode and parse them here.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/capi/cef_types.h"

namespace quirel::standin {

// browser -> renderer: load a page in the given browser.
struct PageMessage {
  int browser = 0;
  std::wstring url;
  std::wstring title;                 // the page's <title>, document.title's start
  std::vector<std::wstring> scripts;  // inline <script> texts, in page order
};

std::string EncodePage(const PageMessage& page);
// Empty when the text is not a page message.
std::optional<PageMessage> ParsePage(std::string_view text);

// renderer -> browser.
struct RendererMessage {
  enum class Type { kTitle, kOpen, kClose, kNavigate, kLog, kDone };
  Type type = Type::kDone;
  int browser = 0;
  std::wstring title;  // kTitle
  std::wstring url;    // kOpen, kNavigate
  std::wstring name;   // kOpen: the window name
  cef_window_open_disposition_t disposition = WOD_NEW_FOREGROUND_TAB;  // kOpen
  cef_popup_features_t features{};                                      // kOpen
  std::wstring level;  // kLog: "log", "info", "warn", "error"
  std::wstring text;   // kLog
};

std::string Encode(const RendererMessage& message);
// Empty when the text is not one of the renderer's messages.
std::optional<RendererMessage> ParseRendererMessage(std::string_view text);

}  // namespace quirel::standin
