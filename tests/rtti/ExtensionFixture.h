// An extension over a root value, with the fake engine installed and a page's global object,
// checking on the way out that every script value was released.
#pragma once

#include <gtest/gtest.h>

#include "FakeV8.h"
#include "SampleClasses.h"
#include "bridge/CefRTTIExtension.h"

class ExtensionTest : public ::testing::Test {
 protected:
  void SetUp() override { sample::Calls().clear(); }
  void TearDown() override {
    handler_.Reset();
    global_.Reset();
    EXPECT_EQ(fakev8::LiveValues(), 0) << "script values leaked";
  }

  void Start(const quirel::TValue& root, bool sync = false) {
    handler_ = CefNew<quirel::TCefRTTIExtension>(root, sync);
    global_ = fakev8::Object();
  }
  quirel::TCefRTTIExtension& Extension() { return *quirel::TCefRTTIExtension::FromSelf(handler_.get()); }
  cef_v8handler_t* Handler() { return handler_.get(); }

  // What the page reads as the global property and what assigning it does.
  fakev8::Value ReadGlobal() { return fakev8::Execute(handler_.get(), L"$g", global_, {}).value; }
  fakev8::CallResult AssignGlobal(const fakev8::Value& v) {
    return fakev8::Execute(handler_.get(), L"$s", global_, {v});
  }

  fakev8::Installation fake_;
  fakev8::Value global_;

 private:
  CefRef<cef_v8handler_t> handler_;
};
