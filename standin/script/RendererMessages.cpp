#include "standin/script/RendererMessages.h"

#include <array>
#include <utility>

#include "standin/script/MessageJson.h"

namespace quirel::standin {
namespace {

using message_json::FromUtf8;
using message_json::Quote;
using message_json::ToUtf8;
using message_json::Value;

constexpr std::array<std::pair<RendererMessage::Type, std::string_view>, 6> kTypeNames{{
    {RendererMessage::Type::kTitle, "title"},
    {RendererMessage::Type::kOpen, "open"},
    {RendererMessage::Type::kClose, "close"},
    {RendererMessage::Type::kNavigate, "navigate"},
    {RendererMessage::Type::kLog, "log"},
    {RendererMessage::Type::kDone, "done"},
}};

struct FeatureField {
  std::string_view name;
  int cef_popup_features_t::*field;
};
constexpr std::array<FeatureField, 12> kFeatureFields{{
    {"x", &cef_popup_features_t::x},
    {"xSet", &cef_popup_features_t::xSet},
    {"y", &cef_popup_features_t::y},
    {"ySet", &cef_popup_features_t::ySet},
    {"width", &cef_popup_features_t::width},
    {"widthSet", &cef_popup_features_t::widthSet},
    {"height", &cef_popup_features_t::height},
    {"heightSet", &cef_popup_features_t::heightSet},
    {"menuBarVisible", &cef_popup_features_t::menuBarVisible},
    {"statusBarVisible", &cef_popup_features_t::statusBarVisible},
    {"toolBarVisible", &cef_popup_features_t::toolBarVisible},
    {"scrollbarsVisible", &cef_popup_features_t::scrollbarsVisible},
}};

std::string Text(std::wstring_view text) { return Quote(ToUtf8(text)); }

std::optional<std::wstring> TextOf(const Value& object, std::string_view key) {
  const Value* value = object.Find(key);
  if (!value || value->type != Value::Type::kString) return std::nullopt;
  return FromUtf8(value->string);
}

std::optional<int> IntOf(const Value& object, std::string_view key) {
  const Value* value = object.Find(key);
  if (!value || value->type != Value::Type::kNumber) return std::nullopt;
  return static_cast<int>(value->number);
}

}  // namespace

std::string EncodePage(const PageMessage& page) {
  std::string out = "{\"type\":\"page\",\"browser\":";
  out += std::to_string(page.browser);
  out += ",\"url\":";
  out += Text(page.url);
  out += ",\"title\":";
  out += Text(page.title);
  out += ",\"scripts\":[";
  for (size_t i = 0; i < page.scripts.size(); ++i) {
    if (i) out += ',';
    out += Text(page.scripts[i]);
  }
  out += "]}";
  return out;
}

std::optional<PageMessage> ParsePage(std::string_view text) {
  const std::optional<Value> json = message_json::Parse(text);
  if (!json || TextOf(*json, "type") != L"page") return std::nullopt;
  PageMessage page;
  const std::optional<int> browser = IntOf(*json, "browser");
  const std::optional<std::wstring> url = TextOf(*json, "url");
  if (!browser || !url) return std::nullopt;
  page.browser = *browser;
  page.url = *url;
  page.title = TextOf(*json, "title").value_or(L"");
  if (const Value* scripts = json->Find("scripts")) {
    if (scripts->type != Value::Type::kArray) return std::nullopt;
    for (const Value& script : scripts->items) {
      if (script.type != Value::Type::kString) return std::nullopt;
      page.scripts.push_back(FromUtf8(script.string));
    }
  }
  return page;
}

std::string Encode(const RendererMessage& message) {
  std::string_view type;
  for (const auto& [t, name] : kTypeNames)
    if (t == message.type) type = name;
  std::string out = "{\"type\":\"";
  out += type;
  out += "\",\"browser\":";
  out += std::to_string(message.browser);
  switch (message.type) {
    case RendererMessage::Type::kTitle:
      out += ",\"title\":";
      out += Text(message.title);
      break;
    case RendererMessage::Type::kOpen: {
      out += ",\"url\":";
      out += Text(message.url);
      out += ",\"name\":";
      out += Text(message.name);
      out += ",\"disposition\":";
      out += std::to_string(message.disposition);
      out += ",\"features\":{";
      bool first = true;
      for (const FeatureField& f : kFeatureFields) {
        if (!first) out += ',';
        first = false;
        out += '"';
        out += f.name;
        out += "\":";
        out += std::to_string(message.features.*f.field);
      }
      out += '}';
      break;
    }
    case RendererMessage::Type::kNavigate:
      out += ",\"url\":";
      out += Text(message.url);
      break;
    case RendererMessage::Type::kLog:
      out += ",\"level\":";
      out += Text(message.level);
      out += ",\"text\":";
      out += Text(message.text);
      break;
    case RendererMessage::Type::kClose:
    case RendererMessage::Type::kDone:
      break;
  }
  out += '}';
  return out;
}

std::optional<RendererMessage> ParseRendererMessage(std::string_view text) {
  const std::optional<Value> json = message_json::Parse(text);
  if (!json) return std::nullopt;
  const Value* type = json->Find("type");
  const std::optional<int> browser = IntOf(*json, "browser");
  if (!type || type->type != Value::Type::kString || !browser) return std::nullopt;
  RendererMessage message;
  bool known = false;
  for (const auto& [t, name] : kTypeNames) {
    if (name == type->string) {
      message.type = t;
      known = true;
    }
  }
  if (!known) return std::nullopt;
  message.browser = *browser;
  switch (message.type) {
    case RendererMessage::Type::kTitle:
      if (auto title = TextOf(*json, "title")) message.title = *title;
      else return std::nullopt;
      break;
    case RendererMessage::Type::kOpen: {
      auto url = TextOf(*json, "url");
      auto disposition = IntOf(*json, "disposition");
      const Value* features = json->Find("features");
      if (!url || !disposition || !features) return std::nullopt;
      message.url = *url;
      message.name = TextOf(*json, "name").value_or(L"");
      message.disposition = static_cast<cef_window_open_disposition_t>(*disposition);
      for (const FeatureField& f : kFeatureFields)
        message.features.*f.field = IntOf(*features, f.name).value_or(0);
      break;
    }
    case RendererMessage::Type::kNavigate:
      if (auto url = TextOf(*json, "url")) message.url = *url;
      else return std::nullopt;
      break;
    case RendererMessage::Type::kLog: {
      auto level = TextOf(*json, "level");
      auto log_text = TextOf(*json, "text");
      if (!level || !log_text) return std::nullopt;
      message.level = *level;
      message.text = *log_text;
      break;
    }
    case RendererMessage::Type::kClose:
    case RendererMessage::Type::kDone:
      break;
  }
  return message;
}

}  // namespace quirel::standin
