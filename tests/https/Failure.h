// What a call raised, for comparing messages in tables.
#pragma once

#include <string>

#include "common/Errors.h"

namespace quirel::update::test {

inline constexpr const wchar_t* kNoFailure = L"<no failure>";

// The message of the Failure (a quirel::Exception type) the call raised; kNoFailure when it
// raised nothing, and the message marked "<other> " when it raised another quirel::Exception.
template <class Failure = Exception, class Call>
std::wstring FailureOf(Call&& call) {
  try {
    try {
      call();
    } catch (const Failure& e) {
      return e.Message();
    }
  } catch (const Exception& e) {
    return L"<other> " + e.Message();
  }
  return kNoFailure;
}

}  // namespace quirel::update::test
