// A failed write to a downloaded file.
#pragma once

#include <cstdint>

#include "common/Errors.h"

namespace quirel::webcopy {

// "I/O error <code>", or the usual text for a few common codes (112: "Disk full").
class EInOutError : public Exception {
 public:
  explicit EInOutError(uint32_t errorCode);
  uint32_t ErrorCode() const noexcept { return errorCode_; }

 private:
  uint32_t errorCode_;
};

}  // namespace quirel::webcopy
