#include "Json.h"

#include <cstdlib>

namespace standin_test {
namespace {

class Parser {
 public:
  explicit Parser(std::string_view text) : text_(text) {}

  std::optional<Json> Document() {
    Json value;
    if (!Value(value)) return std::nullopt;
    Space();
    if (pos_ != text_.size()) return std::nullopt;
    return value;
  }

 private:
  void Space() {
    while (pos_ < text_.size() && (text_[pos_] == ' ' || text_[pos_] == '\t' ||
                                   text_[pos_] == '\n' || text_[pos_] == '\r'))
      ++pos_;
  }
  bool Take(char c) {
    Space();
    if (pos_ < text_.size() && text_[pos_] == c) {
      ++pos_;
      return true;
    }
    return false;
  }
  bool Word(std::string_view word) {
    if (text_.substr(pos_, word.size()) != word) return false;
    pos_ += word.size();
    return true;
  }

  bool Value(Json& out) {
    Space();
    if (pos_ >= text_.size()) return false;
    const char c = text_[pos_];
    if (c == '{') return Object(out);
    if (c == '[') return Array(out);
    if (c == '"') {
      out.type = Json::Type::kString;
      return String(out.string);
    }
    if (Word("true")) return out.type = Json::Type::kBool, out.boolean = true, true;
    if (Word("false")) return out.type = Json::Type::kBool, out.boolean = false, true;
    if (Word("null")) return out.type = Json::Type::kNull, true;
    return Number(out);
  }

  bool Number(Json& out) {
    const std::string rest(text_.substr(pos_));
    char* end = nullptr;
    out.number = std::strtod(rest.c_str(), &end);
    if (end == rest.c_str()) return false;
    pos_ += static_cast<size_t>(end - rest.c_str());
    out.type = Json::Type::kNumber;
    return true;
  }

  static void AppendUtf8(unsigned c, std::string& out) {
    if (c < 0x80) {
      out += static_cast<char>(c);
    } else if (c < 0x800) {
      out += static_cast<char>(0xC0 | (c >> 6));
      out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
      out += static_cast<char>(0xE0 | (c >> 12));
      out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
      out += static_cast<char>(0xF0 | (c >> 18));
      out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
      out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (c & 0x3F));
    }
  }

  bool Hex4(unsigned& value) {
    if (pos_ + 4 > text_.size()) return false;
    value = static_cast<unsigned>(
        std::strtoul(std::string(text_.substr(pos_, 4)).c_str(), nullptr, 16));
    pos_ += 4;
    return true;
  }

  bool String(std::string& out) {
    ++pos_;  // the opening quote
    while (pos_ < text_.size()) {
      const char c = text_[pos_++];
      if (c == '"') return true;
      if (static_cast<unsigned char>(c) < 0x20) return false;
      if (c != '\\') {
        out += c;
        continue;
      }
      if (pos_ >= text_.size()) return false;
      const char e = text_[pos_++];
      switch (e) {
        case '"':
          out += '"';
          break;
        case '\\':
          out += '\\';
          break;
        case '/':
          out += '/';
          break;
        case 'n':
          out += '\n';
          break;
        case 'r':
          out += '\r';
          break;
        case 't':
          out += '\t';
          break;
        case 'b':
          out += '\b';
          break;
        case 'f':
          out += '\f';
          break;
        case 'u': {
          unsigned c16;
          if (!Hex4(c16)) return false;
          // A lone surrogate keeps its escape: it has no UTF-8 form.
          if (c16 >= 0xD800 && c16 <= 0xDFFF) {
            out += "\\u" + std::string(text_.substr(pos_ - 4, 4));
          } else {
            AppendUtf8(c16, out);
          }
          break;
        }
        default:
          return false;
      }
    }
    return false;
  }

  bool Array(Json& out) {
    ++pos_;
    out.type = Json::Type::kArray;
    if (Take(']')) return true;
    do {
      Json item;
      if (!Value(item)) return false;
      out.array.push_back(std::move(item));
    } while (Take(','));
    return Take(']');
  }

  bool Object(Json& out) {
    ++pos_;
    out.type = Json::Type::kObject;
    if (Take('}')) return true;
    do {
      Space();
      std::string key;
      if (pos_ >= text_.size() || text_[pos_] != '"' || !String(key) || !Take(':')) return false;
      Json value;
      if (!Value(value)) return false;
      out.members.emplace_back(std::move(key), std::move(value));
    } while (Take(','));
    return Take('}');
  }

  std::string_view text_;
  size_t pos_ = 0;
};

}  // namespace

bool Json::Has(std::string_view key) const {
  for (const auto& [name, value] : members) {
    if (name == key) return true;
  }
  return false;
}

const Json& Json::operator[](std::string_view key) const {
  static const Json null;
  for (const auto& [name, value] : members) {
    if (name == key) return value;
  }
  return null;
}

std::optional<Json> ParseJson(std::string_view text) { return Parser(text).Document(); }

}  // namespace standin_test
