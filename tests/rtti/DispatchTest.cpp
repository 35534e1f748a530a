// The extension as pages meet it: reads of the global property, wrappers and their members,
// argument and result conversion, and the calls that must come back as undefined.
#include <windows.h>

#include "ExtensionFixture.h"
#include "bridge/IntegerText.h"
#include "bridge/RttiClassTypes.h"
#include "bridge/ScriptDates.h"

namespace {

using namespace fakev8;
using quirel::TValue;

const std::vector<std::wstring> kRootClassMethods = {
    L"InitInstance", L"ClassName",    L"ClassNameIs",       L"ClassParent",       L"ClassInfo",
    L"InstanceSize", L"InheritsFrom", L"MethodAddress",     L"MethodName",        L"QualifiedClassName",
    L"GetInterfaceEntry", L"GetInterfaceTable", L"UnitName", L"UnitScope",         L"NewInstance"};

std::vector<std::wstring> Concat(std::vector<std::wstring> a, const std::vector<std::wstring>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

TEST_F(ExtensionTest, EveryReadOfTheGlobalBuildsANewClassWrapperOfClassMethodsOnly) {
  Start(quirel::MakeClassRef(sample::SampleClass()->ClassRefType, sample::SampleClass()));
  const Value first = ReadGlobal();
  const Value second = ReadGlobal();
  ASSERT_TRUE(IsObject(first));
  ASSERT_TRUE(IsObject(second));
  EXPECT_NE(first.get(), second.get());
  const std::vector<std::wstring> expected =
      Concat({L"TakeByte", L"Concat", L"NextInt64", L"When", L"VariantDate", L"Describe", L"MakePoint",
              L"PointText", L"Fail", L"Accept"},
             kRootClassMethods);
  EXPECT_EQ(Keys(first), expected);
  EXPECT_EQ(Keys(second), expected);
  for (const std::wstring& key : expected) {
    const Value f = Get(first, key);
    ASSERT_TRUE(IsFunction(f)) << key;
    EXPECT_EQ(FunctionName(f), key);
  }
  EXPECT_EQ(StringOf(CallMethod(first, L"ClassName", {}).value), L"TSample");
  EXPECT_EQ(StringOf(CallMethod(first, L"UnitScope", {}).value), L"Samples");
  EXPECT_EQ(StringOf(CallMethod(first, L"QualifiedClassName", {}).value), L"Samples.Units.TSample");
}

TEST_F(ExtensionTest, AssigningAClassReferenceRootChangesNothing) {
  Start(quirel::MakeClassRef(sample::SampleClass()->ClassRefType, sample::SampleClass()));
  const Value other = ReadGlobal();
  for (const Value& v : {Int(1), String(L"TOther"), Object(), Null(), Value(other)}) {
    const CallResult r = AssignGlobal(v);
    EXPECT_TRUE(r.handled);
    EXPECT_FALSE(r.exception);
  }
  EXPECT_EQ(Extension().Value().AsClass(), sample::SampleClass());
  EXPECT_EQ(StringOf(CallMethod(ReadGlobal(), L"ClassName", {}).value), L"TSample");
}

TEST_F(ExtensionTest, AnObjectRootTakesAnotherObjectOfItsType) {
  auto first = std::make_shared<sample::TSampleObject>();
  auto second = std::make_shared<sample::TSampleObject>();
  second->Count = 42;
  Start(sample::SampleObjectValue(first));
  {
    quirel::TCefRTTIExtension& ext = Extension();
    Value wrapper;
    ASSERT_TRUE(ext.SetValue(sample::ChildObjectValue(second), wrapper));
    EXPECT_TRUE(AssignGlobal(wrapper).handled);
    EXPECT_EQ(ext.Value().AsObject().Instance.get(), second.get());
    EXPECT_TRUE(AssignGlobal(Int(3)).handled);
    EXPECT_EQ(ext.Value().AsObject().Instance.get(), second.get()) << "a failed conversion keeps the root";
  }
  EXPECT_EQ(IntOf(Get(ReadGlobal(), L"Count")), 42);
}

struct CallCase {
  const wchar_t* method;
  std::function<std::vector<Value>()> args;
  const wchar_t* call;  // what the member saw, or null when it must not run
};

TEST_F(ExtensionTest, CallsWhoseArgumentsDoNotFitYieldUndefinedWithoutRunningTheMember) {
  Start(quirel::MakeClassRef(sample::SampleClass()->ClassRefType, sample::SampleClass()));
  const Value wrapper = ReadGlobal();
  const CallCase cases[] = {
      {L"TakeByte", [] { return std::vector<Value>{Int(300)}; }, nullptr},
      {L"TakeByte", [] { return std::vector<Value>{Int(-1)}; }, nullptr},
      {L"TakeByte", [] { return std::vector<Value>{Double(2.5)}; }, nullptr},
      {L"TakeByte", [] { return std::vector<Value>{String(L"7")}; }, nullptr},
      {L"TakeByte", [] { return std::vector<Value>{}; }, nullptr},
      {L"TakeByte", [] { return std::vector<Value>{Int(1), Int(2)}; }, nullptr},
      {L"Concat", [] { return std::vector<Value>{Int(1), String(L"b")}; }, nullptr},
      {L"Concat", [] { return std::vector<Value>{String(L"a")}; }, nullptr},
      {L"Concat", [] { return std::vector<Value>{String(L"a"), String(L"b"), String(L"c")}; }, nullptr},
      {L"TakeByte", [] { return std::vector<Value>{Int(255)}; }, L"TakeByte 255"},
      {L"TakeByte", [] { return std::vector<Value>{Bool(true)}; }, L"TakeByte 1"},
      {L"Concat", [] { return std::vector<Value>{String(L"a"), String(L"b")}; }, L"Concat"},
  };
  for (const CallCase& c : cases) {
    sample::Calls().clear();
    const CallResult r = CallMethod(wrapper, c.method, c.args());
    EXPECT_FALSE(r.exception) << c.method;
    if (!c.call) {
      EXPECT_TRUE(IsUndefined(r.value)) << c.method;
      EXPECT_TRUE(sample::Calls().empty()) << c.method << " ran";
    } else {
      EXPECT_EQ(sample::Calls(), std::vector<std::wstring>{c.call});
      EXPECT_FALSE(IsUndefined(r.value)) << c.method;
    }
  }
  EXPECT_EQ(IntOf(CallMethod(wrapper, L"TakeByte", {Int(255)}).value), 510);
  EXPECT_EQ(StringOf(CallMethod(wrapper, L"Concat", {String(L"a"), String(L"b")}).value), L"ab");
}

TEST_F(ExtensionTest, SixtyFourBitIntegersComeFromTextAndGoBackAsDoubles) {
  Start(quirel::MakeClassRef(sample::SampleClass()->ClassRefType, sample::SampleClass()));
  const Value wrapper = ReadGlobal();
  CallResult r = CallMethod(wrapper, L"NextInt64", {String(L"4294967296")});
  EXPECT_EQ(sample::Calls(), std::vector<std::wstring>{L"NextInt64 4294967296"});
  ASSERT_TRUE(IsDouble(r.value));
  EXPECT_FALSE(IsInt(r.value));
  EXPECT_EQ(DoubleOf(r.value), 4294967297.0);
  EXPECT_EQ(DoubleOf(CallMethod(wrapper, L"NextInt64", {String(L"-$10")}).value), -15.0);

  // Text that is no integer is a conversion error the page sees as an exception.
  sample::Calls().clear();
  for (const Value& bad : {String(L"12x"), String(L""), Int(5)}) {
    r = CallMethod(wrapper, L"NextInt64", {bad});
    ASSERT_TRUE(r.exception);
    EXPECT_NE(r.exception->find(L"is not a valid integer value"), std::wstring::npos) << *r.exception;
  }
  EXPECT_TRUE(sample::Calls().empty());
}

TEST_F(ExtensionTest, DateTimeResultsAreDatesAndVariantDatesAreNot) {
  Start(quirel::MakeClassRef(sample::SampleClass()->ClassRefType, sample::SampleClass()));
  const Value wrapper = ReadGlobal();
  const Value date = CallMethod(wrapper, L"When", {}).value;
  ASSERT_TRUE(IsDate(date));
  SYSTEMTIME local{2024, 2, 4, 29, 13, 45, 30, 250}, utc{};
  ASSERT_TRUE(TzSpecificLocalTimeToSystemTime(nullptr, &local, &utc));
  const cef_time_t t = DateOf(date);
  EXPECT_EQ(std::vector<int>({t.year, t.month, t.day_of_month, t.hour, t.minute, t.second, t.millisecond}),
            std::vector<int>({utc.wYear, utc.wMonth, utc.wDay, utc.wHour, utc.wMinute, utc.wSecond,
                              utc.wMilliseconds}));

  const CallResult r = CallMethod(wrapper, L"VariantDate", {});
  EXPECT_TRUE(IsUndefined(r.value));
  EXPECT_FALSE(r.exception);
  EXPECT_EQ(sample::Calls(), std::vector<std::wstring>{L"VariantDate"}) << "the member has run";
}

TEST_F(ExtensionTest, ScriptValuesBecomeVariants) {
  Start(quirel::MakeClassRef(sample::SampleClass()->ClassRefType, sample::SampleClass()));
  const Value wrapper = ReadGlobal();
  const auto describe = [&](const Value& v) { return CallMethod(wrapper, L"Describe", {v}).value; };
  EXPECT_EQ(StringOf(describe(Array({Int(1), String(L"a"), Array({Bool(true)}), Null()}))),
            L"array[1,0..3](int:1;string:a;array[1,0..0](bool:true);null)");
  EXPECT_EQ(StringOf(describe(Array({}))), L"array[1,0..-1]()");
  EXPECT_EQ(StringOf(describe(Undefined())), L"empty");
  EXPECT_EQ(StringOf(describe(Double(2.5))), L"double:2.500000");
  EXPECT_EQ(StringOf(describe(UInt(3000000000u))), L"double:3000000000.000000");
  EXPECT_EQ(StringOf(describe(Int(-7))), L"int:-7");
  for (const Value& v : {Object(), Date(cef_time_t{2020, 1, 3, 2, 0, 0, 0, 0}), Get(wrapper, L"Describe"),
                         Array({Object()})})
    EXPECT_TRUE(IsUndefined(describe(v)));
}

TEST_F(ExtensionTest, RecordsTravelAsPlainObjects) {
  Start(quirel::MakeClassRef(sample::SampleClass()->ClassRefType, sample::SampleClass()));
  const Value wrapper = ReadGlobal();
  const Value point = CallMethod(wrapper, L"MakePoint", {Int(3), Int(-4)}).value;
  ASSERT_TRUE(IsObject(point));
  EXPECT_EQ(Keys(point), (std::vector<std::wstring>{L"X", L"Y", L"Name"}));
  EXPECT_EQ(IntOf(Get(point, L"X")), 3);
  EXPECT_EQ(IntOf(Get(point, L"Y")), -4);
  EXPECT_EQ(StringOf(Get(point, L"Name")), L"punto");
  // A record wrapper is data, not a receiver of methods.
  EXPECT_TRUE(IsUndefined(Execute(Handler(), L"Concat", point, {String(L"a"), String(L"b")}).value));

  EXPECT_EQ(StringOf(CallMethod(wrapper, L"PointText", {point}).value), L"3,-4,punto");
  const Value literal = Object();
  Put(literal, L"Name", String(L"n"));
  Put(literal, L"Y", Int(2));
  Put(literal, L"X", Int(1));
  EXPECT_EQ(StringOf(CallMethod(wrapper, L"PointText", {literal}).value), L"1,2,n");
  Put(literal, L"Y", Int(70000));  // beyond the SmallInt field
  EXPECT_TRUE(IsUndefined(CallMethod(wrapper, L"PointText", {literal}).value));
  const Value missing = Object();
  Put(missing, L"X", Int(1));
  EXPECT_TRUE(IsUndefined(CallMethod(wrapper, L"PointText", {missing}).value));
  EXPECT_TRUE(IsUndefined(CallMethod(wrapper, L"PointText", {Int(1)}).value));
}

TEST_F(ExtensionTest, AnObjectWrapperShowsEveryPublicMemberAndInvokesOnlyMethods) {
  auto object = std::make_shared<sample::TSampleObject>();
  object->Tag = 10;
  Start(sample::SampleObjectValue(object));
  const Value wrapper = ReadGlobal();
  const std::vector<std::wstring> keys = Keys(wrapper);
  const std::vector<std::wstring> expected = {
      L"TakeByte", L"Concat", L"NextInt64", L"When", L"VariantDate", L"Describe", L"MakePoint",
      L"PointText", L"Fail", L"Accept", L"Create", L"Destroy", L"Increment", L"Total",
      // the root's, class and instance methods alike
      L"InitInstance", L"ClassName", L"ClassNameIs", L"ClassParent", L"ClassInfo", L"InstanceSize",
      L"InheritsFrom", L"MethodAddress", L"MethodName", L"QualifiedClassName", L"GetInterfaceEntry",
      L"GetInterfaceTable", L"UnitName", L"UnitScope", L"NewInstance", L"Free", L"DisposeOf",
      L"CleanupInstance", L"ClassType", L"FieldAddress", L"GetInterface", L"Equals", L"GetHashCode",
      L"ToString", L"SafeCallException", L"AfterConstruction", L"BeforeDestruction", L"Dispatch",
      L"DefaultHandler", L"FreeInstance",
      // accessors: properties, then fields
      L"Count", L"Label", L"Tag"};
  EXPECT_EQ(keys, expected);
  EXPECT_TRUE(HasAccessor(wrapper, L"Count", false));
  EXPECT_TRUE(HasAccessor(wrapper, L"Count", true));
  EXPECT_TRUE(HasAccessor(wrapper, L"Label", false));
  EXPECT_FALSE(HasAccessor(wrapper, L"Label", true));
  EXPECT_TRUE(HasAccessor(wrapper, L"Tag", true));

  for (const wchar_t* never : {L"Create", L"Destroy"})
    EXPECT_TRUE(IsUndefined(CallMethod(wrapper, never, {}).value)) << never;
  EXPECT_TRUE(sample::Calls().empty()) << "constructors and destructors are never invoked";

  EXPECT_TRUE(IsUndefined(CallMethod(wrapper, L"Increment", {}).value));
  EXPECT_EQ(object->Count, 1);
  EXPECT_EQ(IntOf(CallMethod(wrapper, L"Total", {Int(5)}).value), 16);
  EXPECT_EQ(IntOf(Get(wrapper, L"Count")), 1);
  Put(wrapper, L"Count", Int(7));
  EXPECT_EQ(object->Count, 7);
  Put(wrapper, L"Count", String(L"8"));
  EXPECT_EQ(object->Count, 7) << "a value that does not convert is not written";
  EXPECT_EQ(StringOf(Get(wrapper, L"Label")), L"etichetta");
  Put(wrapper, L"Tag", Int(-3));
  EXPECT_EQ(object->Tag, -3);
  EXPECT_EQ(IntOf(Get(wrapper, L"Tag")), -3);
  // Members that are not there, or not public, are not reachable by their accessor names.
  for (const wchar_t* name : {L"$pgInner", L"$pgMissing", L"$vgCount", L"$psLabel", L"Secret", L"Hidden"})
    EXPECT_FALSE(Execute(Handler(), name, wrapper, {Int(1)}).handled) << name;

  EXPECT_EQ(StringOf(CallMethod(wrapper, L"ClassName", {}).value), L"TSample");
  EXPECT_EQ(StringOf(CallMethod(wrapper, L"ToString", {}).value), L"TSample");
  EXPECT_TRUE(BoolOf(CallMethod(wrapper, L"Equals", {ReadGlobal()}).value));
  const Value type = CallMethod(wrapper, L"ClassType", {}).value;
  EXPECT_EQ(StringOf(CallMethod(type, L"ClassName", {}).value), L"TSample");
}

TEST_F(ExtensionTest, AFreedObjectsWrappersFindNothing) {
  auto object = std::make_shared<sample::TSampleObject>();
  std::weak_ptr<sample::TSampleObject> watch = object;
  Start(sample::SampleObjectValue(object));
  object.reset();
  const Value kept = ReadGlobal();
  EXPECT_TRUE(IsUndefined(CallMethod(kept, L"Free", {}).value));
  EXPECT_FALSE(watch.expired()) << "the root still holds it";
  EXPECT_TRUE(IsUndefined(CallMethod(kept, L"Increment", {}).value));
  EXPECT_FALSE(Execute(Handler(), L"$pgCount", kept, {}).handled);
  EXPECT_EQ(watch.lock()->Count, 0);
  // A new read gets a new handle for the same object.
  CallMethod(ReadGlobal(), L"Increment", {});
  EXPECT_EQ(watch.lock()->Count, 1);
}

TEST_F(ExtensionTest, ObjectsGoWhenOnlyThePageHeldThem) {
  Start(quirel::MakeClassRef(sample::SampleClass()->ClassRefType, sample::SampleClass()));
  auto object = std::make_shared<sample::TSampleObject>();
  std::weak_ptr<sample::TSampleObject> watch = object;
  Value wrapper;
  ASSERT_TRUE(Extension().SetValue(sample::SampleObjectValue(object), wrapper));
  object.reset();
  EXPECT_FALSE(watch.expired()) << "the wrapper's entry keeps it while the page may call it";
  CallMethod(wrapper, L"FreeInstance", {});
  EXPECT_TRUE(watch.expired());
  EXPECT_TRUE(IsUndefined(CallMethod(wrapper, L"Total", {Int(1)}).value));
}

TEST_F(ExtensionTest, WrapperDataThatIsNotOursFindsNothing) {
  Start(quirel::MakeClassRef(sample::SampleClass()->ClassRefType, sample::SampleClass()));
  const Value wrapper = ReadGlobal();
  const auto forged = [](std::vector<int32_t> data) {
    Value object = Object();
    EXPECT_TRUE(quirel::script::SetWrapperData(object.get(), data));
    return object;
  };
  auto typeHandle = Extension().Context().TypeHandle(sample::SampleClass()->Type);
  for (const Value& receiver : {forged({}), forged({123456}), forged({123456, 1}), forged({typeHandle}),
                                forged({typeHandle, 987654}), forged({typeHandle, typeHandle})}) {
    const CallResult r = Execute(Handler(), L"ClassName", receiver, {});
    EXPECT_FALSE(r.handled);
    EXPECT_TRUE(IsUndefined(r.value));
  }
  EXPECT_FALSE(Execute(Handler(), L"ClassName", Value(), {}).handled) << "no receiver";
  EXPECT_FALSE(Execute(Handler(), L"ClassName", global_, {}).handled) << "the global object";
  EXPECT_EQ(StringOf(Execute(Handler(), L"ClassName", wrapper, {}).value), L"TSample");
}

TEST_F(ExtensionTest, AFunctionCalledOnAnotherReceiverFindsItsMethodThereOrNothing) {
  Start(quirel::MakeClassRef(sample::SampleClass()->ClassRefType, sample::SampleClass()));
  const Value wrapper = ReadGlobal();
  const Value concat = Get(wrapper, L"Concat");
  Value other;
  ASSERT_TRUE(Extension().SetValue(sample::OtherObjectValue(), other));
  EXPECT_FALSE(Call(concat, other, {String(L"a"), String(L"b")}).handled);
  EXPECT_TRUE(sample::Calls().empty());
  // ClassName exists on both: the receiver's own class answers.
  EXPECT_EQ(StringOf(Call(Get(wrapper, L"ClassName"), other, {}).value), L"TOther");
}

TEST_F(ExtensionTest, ClassParametersTakeObjectsOfTheClassOrItsDescendants) {
  Start(quirel::MakeClassRef(sample::SampleClass()->ClassRefType, sample::SampleClass()));
  const Value wrapper = ReadGlobal();
  auto child = std::make_shared<sample::TSampleObject>();
  child->Count = 5;
  Value childWrapper, otherWrapper;
  ASSERT_TRUE(Extension().SetValue(sample::ChildObjectValue(child), childWrapper));
  ASSERT_TRUE(Extension().SetValue(sample::OtherObjectValue(), otherWrapper));
  const Value fresh = CallMethod(wrapper, L"NewInstance", {}).value;  // typed as the root class
  EXPECT_EQ(StringOf(CallMethod(wrapper, L"Accept", {childWrapper}).value), L"TChild:5");
  for (const Value& v : {otherWrapper, wrapper, fresh, Object(), Int(1)})
    EXPECT_TRUE(IsUndefined(CallMethod(wrapper, L"Accept", {v}).value));
}

TEST_F(ExtensionTest, TheFirstMemberOfANameInClassOrderWins) {
  Start(quirel::MakeClassRef(sample::ChildClass()->ClassRefType, sample::ChildClass()));
  const Value wrapper = ReadGlobal();
  EXPECT_EQ(Keys(wrapper).front(), L"concat");
  EXPECT_EQ(StringOf(CallMethod(wrapper, L"Concat", {String(L"x")}).value), L"child x");
  EXPECT_TRUE(IsUndefined(CallMethod(wrapper, L"Concat", {String(L"x"), String(L"y")}).value));
  EXPECT_EQ(StringOf(CallMethod(CallMethod(wrapper, L"ClassParent", {}).value, L"ClassName", {}).value),
            L"TSample");
}

TEST_F(ExtensionTest, ANativeErrorBecomesAPageException) {
  Start(quirel::MakeClassRef(sample::SampleClass()->ClassRefType, sample::SampleClass()));
  const CallResult r = CallMethod(ReadGlobal(), L"Fail", {});
  EXPECT_TRUE(r.handled);
  ASSERT_TRUE(r.exception);
  EXPECT_EQ(*r.exception, L"Failed to set data for 'x'");
}

TEST_F(ExtensionTest, AnInterfaceWrapperCarriesItsMethodsButDispatchFindsNone) {
  static const quirel::TRttiInterface intf{L"ISample",
                                           {quirel::rtti::Method(L"Ping", quirel::TMethodKind::mkFunction, {},
                                                                 nullptr, nullptr)}};
  static const quirel::TTypeInfo type = [] {
    quirel::TTypeInfo t;
    t.Kind = quirel::TTypeKind::tkInterface;
    t.Name = L"ISample";
    t.InterfaceData = &intf;
    return t;
  }();
  Start(TValue(&type, quirel::TInterfaceRef{nullptr, std::make_shared<int>(1)}));
  const Value wrapper = ReadGlobal();
  EXPECT_EQ(Keys(wrapper), std::vector<std::wstring>{L"Ping"});
  EXPECT_FALSE(CallMethod(wrapper, L"Ping", {}).handled);
}

TEST_F(ExtensionTest, MembersHandedToTheMainThreadFailWhenNoneServesIt) {
  // No synchronize window in this test: the hand-over is refused and the call is rejected.
  Start(quirel::MakeClassRef(sample::SampleClass()->ClassRefType, sample::SampleClass()), true);
  const CallResult r = CallMethod(ReadGlobal(), L"TakeByte", {Int(1)});
  EXPECT_TRUE(IsUndefined(r.value));
  EXPECT_TRUE(sample::Calls().empty());
}

}  // namespace
