// The metadata model's lookups, the handle table, integer texts and date-time arithmetic.
#include <gtest/gtest.h>

#include <windows.h>

#include "SampleClasses.h"
#include "bridge/BridgeRtti.h"
#include "bridge/IntegerText.h"
#include "bridge/RttiContext.h"
#include "bridge/RttiRoot.h"
#include "bridge/ScriptDates.h"

namespace {

using namespace quirel;

TEST(MetadataTest, MemberListsRunFromTheClassUpToTheRoot) {
  const std::vector<const TRttiMethod*> methods = ClassMethods(BridgeClass());
  ASSERT_GE(methods.size(), 5u);
  EXPECT_EQ(methods[0]->Name, L"Create");
  EXPECT_EQ(methods[4]->Name, L"GetData");
  EXPECT_EQ(methods.size(), 5 + rtti::RootClass()->Methods.size());
  EXPECT_EQ(FindMethod(BridgeClass(), L"getdata"), methods[4]);
  EXPECT_EQ(FindMethod(BridgeClass(), L"create"), methods[0]) << "TBridge's own Create hides the root's";
  const TRttiMethod* address = FindMethod(BridgeClass(), L"MethodAddress");
  ASSERT_TRUE(address);
  EXPECT_EQ(address->Parameters.at(0).Type->Kind, TTypeKind::tkString) << "the short-string one first";
  EXPECT_FALSE(FindMethod(BridgeClass(), L"Missing"));
  EXPECT_EQ(FindProperty(sample::ChildClass(), L"count")->Name, L"Count");
  EXPECT_EQ(FindField(sample::ChildClass(), L"TAG")->Name, L"Tag");
  EXPECT_TRUE(sample::ChildClass()->InheritsFrom(rtti::RootClass()));
  EXPECT_FALSE(sample::SampleClass()->InheritsFrom(sample::ChildClass()));
}

TEST(MetadataTest, TheRootListsItsPublicMethods) {
  std::vector<std::wstring> classMethods, others;
  for (const TRttiMethod& m : rtti::RootClass()->Methods) {
    EXPECT_TRUE(IsExposed(m.Visibility));
    const bool isClass = m.Kind == TMethodKind::mkClassFunction || m.Kind == TMethodKind::mkClassProcedure;
    (isClass ? classMethods : others).push_back(m.Name);
  }
  EXPECT_EQ(classMethods,
            (std::vector<std::wstring>{L"InitInstance", L"ClassName", L"ClassNameIs", L"ClassParent",
                                       L"ClassInfo", L"InstanceSize", L"InheritsFrom", L"MethodAddress",
                                       L"MethodAddress", L"MethodName", L"QualifiedClassName",
                                       L"GetInterfaceEntry", L"GetInterfaceTable", L"UnitName",
                                       L"UnitScope", L"NewInstance"}));
  EXPECT_EQ(others, (std::vector<std::wstring>{L"Create", L"Free", L"DisposeOf", L"CleanupInstance",
                                               L"ClassType", L"FieldAddress", L"FieldAddress",
                                               L"GetInterface", L"Equals", L"GetHashCode", L"ToString",
                                               L"SafeCallException", L"AfterConstruction",
                                               L"BeforeDestruction", L"Dispatch", L"DefaultHandler",
                                               L"FreeInstance", L"Destroy"}));
}

TEST(MetadataTest, HandlesAreStableWhileTheirEntryLivesAndNeverReused) {
  TRttiContext ctx;
  const int32_t type = ctx.TypeHandle(BridgeClass()->Type);
  EXPECT_EQ(ctx.TypeHandle(BridgeClass()->Type), type);
  EXPECT_EQ(ctx.FindType(type), BridgeClass()->Type);
  const int32_t cls = ctx.ClassHandle(BridgeClass());
  EXPECT_NE(cls, type);
  EXPECT_FALSE(ctx.FindType(cls)) << "a class handle is no type handle";
  EXPECT_FALSE(ctx.FindType(0));

  TObjectRef object{std::make_shared<int>(1), BridgeClass()};
  const int32_t first = ctx.ObjectHandle(object);
  EXPECT_EQ(ctx.ObjectHandle(object), first);
  ASSERT_TRUE(ctx.Find(first));
  EXPECT_EQ(ctx.Find(first)->Object.Instance, object.Instance);
  ctx.Forget(first);
  EXPECT_FALSE(ctx.Find(first));
  const int32_t second = ctx.ObjectHandle(object);
  EXPECT_NE(second, first);
  ctx.ForgetObject(object.Instance.get());
  EXPECT_FALSE(ctx.Find(second));
  ctx.Forget(type);
  EXPECT_EQ(ctx.FindType(type), BridgeClass()->Type) << "types are never forgotten";
}

TEST(MetadataTest, IntegerTexts) {
  const std::pair<const wchar_t*, int64_t> good[] = {
      {L"0", 0}, {L"42", 42}, {L"-42", -42}, {L"+7", 7}, {L"4294967296", 4294967296LL},
      {L"9223372036854775807", INT64_MAX}, {L"-9223372036854775808", INT64_MIN}, {L"$ff", 255},
      {L"$FFFFFFFFFFFFFFFF", -1}, {L"-$10", -16}, {L"007", 7}};
  for (const auto& [text, value] : good) EXPECT_EQ(StrToInt64(text), value) << text;
  for (const wchar_t* bad : {L"", L"-", L"$", L"1.5", L"12a", L" 1", L"1 ", L"9223372036854775808",
                             L"$10000000000000000", L"0x10", L"1e3"})
    EXPECT_THROW(StrToInt64(bad), EConvertError) << bad;
}

TEST(MetadataTest, DateTimesRoundTripThroughTheEnginesInstants) {
  for (double dateTime : {sample::SampleDateTime(), 0.0, 36526.5, -1.25, 2.0 + 1.0 / 86400000.0 * 999}) {
    const cef_time_t utc = CefTimeFromLocalDateTime(dateTime);
    EXPECT_NEAR(LocalDateTimeFromCefTime(utc), dateTime, 1e-9) << dateTime;
  }
  // Day and time of day taken apart before the epoch: -1.25 is 29 December 1899, 06:00.
  SYSTEMTIME local{1899, 12, 5, 29, 6, 0, 0, 0}, utc{};
  ASSERT_TRUE(TzSpecificLocalTimeToSystemTime(nullptr, &local, &utc));
  const cef_time_t t = CefTimeFromLocalDateTime(-1.25);
  EXPECT_EQ(std::vector<int>({t.year, t.month, t.day_of_month, t.hour, t.minute}),
            std::vector<int>({utc.wYear, utc.wMonth, utc.wDay, utc.wHour, utc.wMinute}));
  EXPECT_EQ(t.day_of_week, utc.wDayOfWeek);
}

}  // namespace
