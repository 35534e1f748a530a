// A server object and the factory of TQuirelApplication inside the test process, over the
// type library this test program carries as its resource (as Quirel.exe does).
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "automation/ComServer.h"
#include "automation/QuirelApplication.h"

namespace quirel::test {

class InProcessServer : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
    StartServer({});
  }
  void TearDown() override {
    FFactory.Reset();
    FServer.reset();
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    }
    CoUninitialize();
  }
  void StartServer(const std::vector<std::wstring>& arguments) {
    FFactory.Reset();
    FServer.reset();
    FServer = std::make_unique<TComServer>(arguments);
    FFactory = CreateQuirelApplicationFactory(*FServer);
  }
  TComPtr<IQuirelApplication> NewObject() {
    TComPtr<IQuirelApplication> object;
    EXPECT_EQ(FFactory->CreateInstance(nullptr, IID_IQuirelApplication, object.PutVoid()), S_OK);
    return object;
  }
  // True when WM_QUIT waits in this thread's queue (it is taken out).
  static bool QuitPosted() {
    MSG msg;
    return PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) != 0;
  }

  std::unique_ptr<TComServer> FServer;
  TComPtr<TAutoObjectFactory> FFactory;
};

}  // namespace quirel::test
