// The engine's string functions for a test that runs no engine: the stand-in's exports,
// which work without an initialised engine, fill the program's function table.
#pragma once

#include <string>

#include "engine/capi/CefObject.h"
#include "engine/capi/cef_capi.h"

namespace quirel::test {

// Loads plugin\cef\libcef.dll beside the test program once; fails the test if it cannot.
void LoadEngineStrings();

// A request as the engine hands it to on_before_browse: only its address is read.
class TestRequest {
 public:
  explicit TestRequest(std::wstring url);
  cef_request_t* get() { return request_.get(); }

 private:
  CefRef<cef_request_t> request_;
};

}  // namespace quirel::test
