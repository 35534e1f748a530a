// TBridge as pages see it: the class wrapper `bridge` stands for, with the identity store
// behind SetData/GetData (the registry of the test's Wine prefix) and the root's answers.
#include <windows.h>

#include "ExtensionFixture.h"
#include "bridge/Bridge.h"
#include "bridge/BridgeRtti.h"
#include "common/Globals.h"
#include "common/HomePage.h"

namespace {

using namespace fakev8;

class BridgeWrapperTest : public ExtensionTest {
 protected:
  void SetUp() override {
    ExtensionTest::SetUp();
    RegDeleteTreeW(HKEY_CURRENT_USER, quirel::TBridge::kStoreKey);
    Start(quirel::BridgeClassValue());
    bridge_ = ReadGlobal();
  }
  void TearDown() override {
    bridge_.Reset();
    RegDeleteTreeW(HKEY_CURRENT_USER, quirel::TBridge::kStoreKey);
    ExtensionTest::TearDown();
  }
  CallResult Call(const wchar_t* name, const std::vector<Value>& args = {}) {
    return CallMethod(bridge_, name, args);
  }
  std::wstring Text(const wchar_t* name, const std::vector<Value>& args = {}) {
    const CallResult r = Call(name, args);
    EXPECT_FALSE(r.exception) << name;
    EXPECT_TRUE(IsString(r.value)) << name;
    return StringOf(r.value);
  }
  Value bridge_;
};

bool StoreExists() {
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, quirel::TBridge::kStoreKey, 0, KEY_READ, &key) != ERROR_SUCCESS)
    return false;
  RegCloseKey(key);
  return true;
}

TEST_F(BridgeWrapperTest, TheClassWrapperHasTheBridgeFunctionsThenTheRootsInOrder) {
  EXPECT_EQ(Keys(bridge_),
            (std::vector<std::wstring>{L"Init", L"SetData", L"GetData", L"InitInstance", L"ClassName",
                                       L"ClassNameIs", L"ClassParent", L"ClassInfo", L"InstanceSize",
                                       L"InheritsFrom", L"MethodAddress", L"MethodName",
                                       L"QualifiedClassName", L"GetInterfaceEntry", L"GetInterfaceTable",
                                       L"UnitName", L"UnitScope", L"NewInstance"}));
  const Value again = ReadGlobal();
  EXPECT_NE(again.get(), bridge_.get());
  EXPECT_EQ(Keys(again), Keys(bridge_));
}

TEST_F(BridgeWrapperTest, StoresAndReadsEntriesThroughTheRegistry) {
  EXPECT_EQ(Text(L"SetData", {String(L"a"), String(L"b")}), L"ok");
  EXPECT_EQ(Text(L"GetData", {String(L"A")}), L"b");
  EXPECT_EQ(quirel::TBridge::GetData(L"a"), L"b");
  EXPECT_EQ(Text(L"GetData", {String(L"missing")}), L"");
  EXPECT_EQ(Text(L"SetData", {String(L""), String(L"b")}), L"");
}

TEST_F(BridgeWrapperTest, CallsThatDoNotFitWriteNothing) {
  for (const std::vector<Value>& args : {std::vector<Value>{String(L"k")},
                                         std::vector<Value>{String(L"k"), Int(5)},
                                         std::vector<Value>{Int(1), String(L"v")},
                                         std::vector<Value>{String(L"k"), String(L"v"), String(L"w")}}) {
    const CallResult r = Call(L"SetData", args);
    EXPECT_TRUE(IsUndefined(r.value));
    EXPECT_FALSE(r.exception);
  }
  EXPECT_FALSE(StoreExists());
  EXPECT_TRUE(IsUndefined(Call(L"GetData", {}).value));
  EXPECT_TRUE(IsUndefined(Call(L"GetData", {Null()}).value));
}

TEST_F(BridgeWrapperTest, ARegistryErrorReachesThePageAsAnException) {
  ASSERT_EQ(quirel::TBridge::SetData(L"x", L"y"), L"ok");
  HKEY key = nullptr;
  ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, quirel::TBridge::kStoreKey, 0, KEY_SET_VALUE, &key),
            ERROR_SUCCESS);
  const DWORD number = 7;
  RegSetValueExW(key, L"num", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number), sizeof number);
  RegCloseKey(key);
  const CallResult r = Call(L"GetData", {String(L"num")});
  ASSERT_TRUE(r.exception);
  EXPECT_EQ(*r.exception, L"Invalid data type for 'num'");
  EXPECT_EQ(Text(L"GetData", {String(L"x")}), L"y") << "the next call works as before";
}

TEST_F(BridgeWrapperTest, TheRootClassMethodsAnswerForTBridge) {
  EXPECT_EQ(Text(L"ClassName"), L"TBridge");
  EXPECT_EQ(Text(L"QualifiedClassName"), L"Bridge.TBridge");
  EXPECT_EQ(Text(L"UnitName"), L"Bridge");
  EXPECT_EQ(Text(L"UnitScope"), L"Bridge");
  const Value size = Call(L"InstanceSize").value;
  ASSERT_TRUE(IsInt(size));
  EXPECT_EQ(IntOf(size), 8);
  for (const wchar_t* name : {L"TBridge", L"tbridge", L"TBRIDGE"}) {
    const Value is = Call(L"ClassNameIs", {String(name)}).value;
    ASSERT_TRUE(IsBool(is));
    EXPECT_TRUE(BoolOf(is)) << name;
  }
  EXPECT_FALSE(BoolOf(Call(L"ClassNameIs", {String(L"TObject")}).value));
  const Value guid = Object();
  Put(guid, L"D1", Int(1));
  Put(guid, L"D2", Int(2));
  Put(guid, L"D3", Int(3));
  Put(guid, L"D4", Array({}));
  const std::pair<const wchar_t*, std::vector<Value>> undefinedCalls[] = {
      {L"ClassInfo", {}},          {L"InitInstance", {Int(0)}},      {L"InheritsFrom", {bridge_}},
      {L"MethodAddress", {String(L"SetData")}}, {L"MethodName", {Int(1)}}, {L"GetInterfaceEntry", {guid}},
      {L"GetInterfaceTable", {}},  {L"ClassName", {Int(1)}}};
  for (const auto& [name, args] : undefinedCalls) {
    const CallResult r = Call(name, args);
    EXPECT_TRUE(IsUndefined(r.value)) << name;
    EXPECT_FALSE(r.exception) << name;
  }
}

TEST_F(BridgeWrapperTest, ClassParentIsTheRootWithoutTheStore) {
  const Value parent = Call(L"ClassParent").value;
  ASSERT_TRUE(IsObject(parent));
  const std::vector<std::wstring> keys = Keys(parent);
  EXPECT_EQ(std::count(keys.begin(), keys.end(), L"SetData"), 0);
  EXPECT_EQ(std::count(keys.begin(), keys.end(), L"GetData"), 0);
  EXPECT_EQ(keys.size(), 15u);
  EXPECT_EQ(StringOf(CallMethod(parent, L"ClassName", {}).value), L"TObject");
  const Value top = CallMethod(parent, L"ClassParent", {}).value;
  ASSERT_TRUE(IsObject(top));
  EXPECT_TRUE(Keys(top).empty()) << "the root has no parent";
  EXPECT_TRUE(IsUndefined(CallMethod(parent, L"SetData", {String(L"a"), String(L"b")}).value));
}

TEST_F(BridgeWrapperTest, NewInstanceGivesAnObjectTypedAsTheRoot) {
  const Value instance = Call(L"NewInstance").value;
  ASSERT_TRUE(IsObject(instance));
  const std::vector<std::wstring> keys = Keys(instance);
  for (const wchar_t* name : {L"Create", L"Free", L"Destroy", L"ToString", L"ClassName", L"FreeInstance"})
    EXPECT_EQ(std::count(keys.begin(), keys.end(), name), 1) << name;
  EXPECT_EQ(std::count(keys.begin(), keys.end(), L"SetData"), 0);
  EXPECT_EQ(StringOf(CallMethod(instance, L"ClassName", {}).value), L"TObject");
  EXPECT_EQ(StringOf(CallMethod(instance, L"ToString", {}).value), L"TBridge");
  EXPECT_TRUE(BoolOf(CallMethod(instance, L"Equals", {instance}).value));
  EXPECT_FALSE(BoolOf(CallMethod(instance, L"Equals", {Call(L"NewInstance").value}).value));
  EXPECT_TRUE(IsUndefined(CallMethod(instance, L"Create", {}).value));
  EXPECT_EQ(StringOf(CallMethod(CallMethod(instance, L"ClassType", {}).value, L"ClassName", {}).value),
            L"TBridge");
}

TEST_F(BridgeWrapperTest, InitSetsTheApplicationFolder) {
  quirel::AppPath = L"";
  const CallResult r = Call(L"Init");
  EXPECT_TRUE(IsUndefined(r.value));
  EXPECT_FALSE(r.exception);
  wchar_t exe[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, exe, MAX_PATH);
  std::wstring folder(exe);
  folder.resize(folder.rfind(L'\\') + 1);
  EXPECT_EQ(quirel::AppPath, folder);
}

}  // namespace

TEST_F(BridgeWrapperTest, PagesOfOtherSitesCannotReachTheStore) {
  ASSERT_EQ(quirel::TBridge::SetData(L"user", L"mario"), L"ok");
  const std::wstring home = quirel::HomePageUrl();
  struct Case {
    std::wstring url;
    bool allowed;
  } cases[] = {
      {home, true},
      {home + L"pratiche.html?id=3#top", true},
      {L"https://evil.example/Quirel/", false},
      {L"http://" + home.substr(8), false},  // the same host without TLS is another origin
      {L"file:///C:/Quirel/index.html", false},
      {L"about:blank", false},
      {L"", false},  // no page runs the script
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "page " << std::string(c.url.begin(), c.url.end()));
    fakev8::SetPageUrl(c.url);
    const CallResult read = Call(L"GetData", {String(L"user")});
    const CallResult write = Call(L"SetData", {String(L"user"), String(L"luigi")});
    EXPECT_FALSE(read.exception);
    EXPECT_FALSE(write.exception);
    if (c.allowed) {
      EXPECT_EQ(StringOf(read.value), L"mario");
      EXPECT_EQ(StringOf(write.value), L"ok");
      ASSERT_EQ(quirel::TBridge::SetData(L"user", L"mario"), L"ok");
    } else {
      EXPECT_TRUE(IsUndefined(read.value));
      EXPECT_TRUE(IsUndefined(write.value));
      EXPECT_EQ(quirel::TBridge::GetData(L"user"), L"mario") << "nothing written";
    }
    // The rest of the class answers every page.
    EXPECT_EQ(Text(L"ClassName"), L"TBridge");
  }
}
