#include "standin/script/MessageJson.h"

#include <windows.h>

#include <cstdlib>

namespace quirel::standin::message_json {
namespace {

class Parser {
 public:
  explicit Parser(std::string_view text) : text_(text) {}

  std::optional<Value> Document() {
    std::optional<Value> value = Any(0);
    Space();
    if (!value || at_ != text_.size()) return std::nullopt;
    return value;
  }

 private:
  static constexpr int kMaxDepth = 32;

  void Space() {
    while (at_ < text_.size() && (text_[at_] == ' ' || text_[at_] == '\t' || text_[at_] == '\n' ||
                                  text_[at_] == '\r'))
      ++at_;
  }
  bool Take(char c) {
    Space();
    if (at_ < text_.size() && text_[at_] == c) {
      ++at_;
      return true;
    }
    return false;
  }
  bool Word(std::string_view word) {
    if (text_.substr(at_, word.size()) != word) return false;
    at_ += word.size();
    return true;
  }

  std::optional<Value> Any(int depth) {
    if (depth > kMaxDepth) return std::nullopt;
    Space();
    if (at_ >= text_.size()) return std::nullopt;
    Value value;
    const char c = text_[at_];
    if (c == '{') {
      ++at_;
      value.type = Value::Type::kObject;
      if (Take('}')) return value;
      do {
        Space();
        std::optional<std::string> key = String();
        if (!key || !Take(':')) return std::nullopt;
        std::optional<Value> member = Any(depth + 1);
        if (!member) return std::nullopt;
        value.members.emplace_back(std::move(*key), std::move(*member));
      } while (Take(','));
      if (!Take('}')) return std::nullopt;
    } else if (c == '[') {
      ++at_;
      value.type = Value::Type::kArray;
      if (Take(']')) return value;
      do {
        std::optional<Value> item = Any(depth + 1);
        if (!item) return std::nullopt;
        value.items.push_back(std::move(*item));
      } while (Take(','));
      if (!Take(']')) return std::nullopt;
    } else if (c == '"') {
      std::optional<std::string> text = String();
      if (!text) return std::nullopt;
      value.type = Value::Type::kString;
      value.string = std::move(*text);
    } else if (Word("true") || Word("false")) {
      value.type = Value::Type::kBool;
      value.boolean = c == 't';
    } else if (Word("null")) {
    } else {
      const std::string number(text_.substr(at_, 64));
      char* end = nullptr;
      value.number = std::strtod(number.c_str(), &end);
      if (end == number.c_str()) return std::nullopt;
      value.type = Value::Type::kNumber;
      at_ += static_cast<size_t>(end - number.c_str());
    }
    return value;
  }

  static void AppendUtf8(std::string& out, unsigned code) {
    if (code < 0x80) {
      out += static_cast<char>(code);
    } else if (code < 0x800) {
      out += static_cast<char>(0xC0 | (code >> 6));
      out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
      out += static_cast<char>(0xE0 | (code >> 12));
      out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
      out += static_cast<char>(0xF0 | (code >> 18));
      out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
      out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (code & 0x3F));
    }
  }

  std::optional<unsigned> Hex4() {
    if (at_ + 4 > text_.size()) return std::nullopt;
    unsigned code = 0;
    for (int i = 0; i < 4; ++i) {
      const char h = text_[at_++];
      code <<= 4;
      if (h >= '0' && h <= '9') code |= static_cast<unsigned>(h - '0');
      else if (h >= 'a' && h <= 'f') code |= static_cast<unsigned>(h - 'a' + 10);
      else if (h >= 'A' && h <= 'F') code |= static_cast<unsigned>(h - 'A' + 10);
      else return std::nullopt;
    }
    return code;
  }

  std::optional<std::string> String() {
    if (at_ >= text_.size() || text_[at_] != '"') return std::nullopt;
    ++at_;
    std::string out;
    while (at_ < text_.size()) {
      const char c = text_[at_++];
      if (c == '"') return out;
      if (c != '\\') {
        out += c;
        continue;
      }
      if (at_ >= text_.size()) return std::nullopt;
      const char e = text_[at_++];
      switch (e) {
        case '"': out += '"'; break;
        case '\\': out += '\\'; break;
        case '/': out += '/'; break;
        case 'b': out += '\b'; break;
        case 'f': out += '\f'; break;
        case 'n': out += '\n'; break;
        case 'r': out += '\r'; break;
        case 't': out += '\t'; break;
        case 'u': {
          std::optional<unsigned> code = Hex4();
          if (!code) return std::nullopt;
          if (*code >= 0xD800 && *code < 0xDC00 && text_.substr(at_, 2) == "\\u") {
            const size_t back = at_;
            at_ += 2;
            const std::optional<unsigned> low = Hex4();
            if (low && *low >= 0xDC00 && *low < 0xE000) {
              *code = 0x10000 + ((*code - 0xD800) << 10) + (*low - 0xDC00);
            } else {
              at_ = back;
            }
          }
          // A lone surrogate cannot be UTF-8: it stands as U+FFFD.
          if (*code >= 0xD800 && *code < 0xE000) *code = 0xFFFD;
          AppendUtf8(out, *code);
          break;
        }
        default: return std::nullopt;
      }
    }
    return std::nullopt;
  }

  std::string_view text_;
  size_t at_ = 0;
};

}  // namespace

const Value* Value::Find(std::string_view key) const {
  if (type != Type::kObject) return nullptr;
  for (const auto& [name, value] : members)
    if (name == key) return &value;
  return nullptr;
}

std::optional<Value> Parse(std::string_view text) { return Parser(text).Document(); }

std::string Quote(std::string_view utf8) {
  std::string out = "\"";
  for (const char c : utf8) {
    switch (c) {
      case '"': out += "\\\""; break;
      case '\\': out += "\\\\"; break;
      case '\n': out += "\\n"; break;
      case '\r': out += "\\r"; break;
      case '\t': out += "\\t"; break;
      default:
        if (static_cast<unsigned char>(c) < 0x20) {
          static constexpr char kHex[] = "0123456789abcdef";
          out += "\\u00";
          out += kHex[(c >> 4) & 0xF];
          out += kHex[c & 0xF];
        } else {
          out += c;
        }
    }
  }
  return out + "\"";
}

std::string ToUtf8(std::wstring_view text) {
  if (text.empty()) return {};
  const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                       nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), size,
                      nullptr, nullptr);
  return out;
}

std::wstring FromUtf8(std::string_view text) {
  if (text.empty()) return {};
  const int size =
      MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring out(static_cast<size_t>(size), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), size);
  return out;
}

}  // namespace quirel::standin::message_json
