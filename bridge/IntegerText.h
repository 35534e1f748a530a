// The 64-bit integer written in a text: optional sign and decimal digits, or hexadecimal
// digits after "$". Anything else, the empty text included, raises EConvertError.
#pragma once

#include <cstdint>
#include <string>

#include "common/Errors.h"

namespace quirel {

class EConvertError : public Exception {
 public:
  using Exception::Exception;
};

int64_t StrToInt64(const std::wstring& text);

}  // namespace quirel
