// Registering the extension: its script text and when the engine is asked at all.
#include <gtest/gtest.h>

#include "FakeV8.h"
#include "bridge/BridgeRtti.h"
#include "bridge/CefRTTIExtension.h"

namespace {

using quirel::TCefRTTIExtension;

TEST(RegisterTest, TheScriptTextDefinesTheGlobalAccessor) {
  EXPECT_EQ(TCefRTTIExtension::ScriptText(L"bridge"),
            L"this.__defineSetter__('bridge', function(v){native function $s();$s(v)});"
            L"this.__defineGetter__('bridge', function(){native function $g();return $g()});");
}

TEST(RegisterTest, RegistersTheTextWithANewHandlerForTheRoot) {
  fakev8::Installation fake;
  ASSERT_TRUE(TCefRTTIExtension::Register(L"bridge", quirel::BridgeClassValue(), false, true));
  ASSERT_EQ(fakev8::Registrations().size(), 1u);
  const fakev8::Registration& r = fakev8::Registrations()[0];
  EXPECT_EQ(r.name, L"bridge");
  EXPECT_EQ(r.code, TCefRTTIExtension::ScriptText(L"bridge"));
  ASSERT_TRUE(r.handler);
  const fakev8::Value global = fakev8::Object();
  const fakev8::Value bridge = fakev8::Execute(r.handler.get(), L"$g", global, {}).value;
  EXPECT_EQ(fakev8::StringOf(fakev8::CallMethod(bridge, L"ClassName", {}).value), L"TBridge");
}

TEST(RegisterTest, NothingIsRegisteredOutsideARendererOrWithoutAName) {
  fakev8::Installation fake;
  EXPECT_FALSE(TCefRTTIExtension::Register(L"bridge", quirel::BridgeClassValue(), false, false));
  EXPECT_FALSE(TCefRTTIExtension::Register(L"", quirel::BridgeClassValue(), false, true));
  // No engine application in this process: not a renderer with a loaded engine.
  EXPECT_FALSE(TCefRTTIExtension::Register(L"bridge", quirel::BridgeClassValue(), false));
  EXPECT_TRUE(fakev8::Registrations().empty());
  EXPECT_EQ(fakev8::LiveValues(), 0);
}

}  // namespace
