// Both conversion tables of the extension, row by row.
#include <windows.h>

#include <cmath>

#include "ExtensionFixture.h"
#include "bridge/RttiStdTypes.h"
#include "bridge/ScriptDates.h"

namespace {

using namespace fakev8;
using namespace quirel;

class ConversionTest : public ExtensionTest {
 protected:
  void SetUp() override {
    ExtensionTest::SetUp();
    Start(TValue());
  }
  bool ToNative(const TTypeInfo* type, const Value& v, TValue& out) {
    return Extension().ToNativeValue(type, v.get(), out);
  }
  Value ToScript(const TValue& v) {
    Value out;
    return Extension().SetValue(v, out) ? out : Value();
  }
};

const TTypeInfo* SetOfByte() {
  static const TTypeInfo t = [] {
    TTypeInfo s;
    s.Kind = TTypeKind::tkSet;
    s.Name = L"TByteSet";
    s.OrdType = TOrdType::otUByte;
    return s;
  }();
  return &t;
}

const TTypeInfo* Colour() {
  static const TTypeInfo t = [] {
    TTypeInfo e;
    e.Kind = TTypeKind::tkEnumeration;
    e.Name = L"TColour";
    e.OrdType = TOrdType::otUByte;
    e.MinValue = 0;
    e.MaxValue = 2;
    return e;
  }();
  return &t;
}

struct OrdinalCase {
  const TTypeInfo* (*type)();
  std::function<Value()> value;
  bool converts;
  int64_t native;
};

TEST_F(ConversionTest, OrdinalsAcceptIntegersAndBooleansWithinTheirRange) {
  const OrdinalCase cases[] = {
      {rtti::Byte, [] { return Int(255); }, true, 255},
      {rtti::Byte, [] { return Int(256); }, false, 0},
      {rtti::Byte, [] { return Int(300); }, false, 0},
      {rtti::Byte, [] { return Int(-1); }, false, 0},
      {rtti::ShortInt, [] { return Int(-128); }, true, -128},
      {rtti::ShortInt, [] { return Int(-129); }, false, 0},
      {rtti::SmallInt, [] { return Int(-32768); }, true, -32768},
      {rtti::Word, [] { return Int(65535); }, true, 65535},
      {rtti::Word, [] { return Int(65536); }, false, 0},
      {rtti::Integer, [] { return Int(INT32_MIN); }, true, INT32_MIN},
      {rtti::Integer, [] { return Double(2.5); }, false, 0},
      {rtti::Integer, [] { return Double(3000000000.0); }, false, 0},
      {rtti::Integer, [] { return String(L"1"); }, false, 0},
      {rtti::Integer, [] { return Undefined(); }, false, 0},
      {rtti::Integer, [] { return Bool(true); }, true, 1},
      {rtti::Cardinal, [] { return UInt(4000000000u); }, true, 4000000000LL},
      {rtti::Cardinal, [] { return Int(0); }, true, 0},
      {rtti::Cardinal, [] { return Int(-1); }, false, 0},
      {rtti::Boolean, [] { return Bool(true); }, true, 1},
      {rtti::Boolean, [] { return Bool(false); }, true, 0},
      {rtti::Boolean, [] { return Int(1); }, true, 1},
      {rtti::Boolean, [] { return Int(2); }, false, 0},
      {Colour, [] { return Int(2); }, true, 2},
      {Colour, [] { return Int(3); }, false, 0},
      {SetOfByte, [] { return Int(5); }, true, 5},
      {SetOfByte, [] { return Int(0x105); }, true, 5},
      {SetOfByte, [] { return Bool(true); }, false, 0},
  };
  for (const OrdinalCase& c : cases) {
    TValue out = MakeOrdinal(rtti::Integer(), 99);
    const bool converted = ToNative(c.type(), c.value(), out);
    EXPECT_EQ(converted, c.converts) << c.type()->Name << " " << c.native;
    if (converted) {
      EXPECT_EQ(out.Type(), c.type());
      EXPECT_EQ(out.AsInt64(), c.native) << c.type()->Name;
    } else {
      EXPECT_EQ(out.AsInt64(), 99) << "a failed conversion leaves the target";
    }
  }
}

TEST_F(ConversionTest, FloatsTakeNumbersInTheirOwnFormat) {
  TValue out;
  ASSERT_TRUE(ToNative(rtti::Single(), Double(1.5), out));
  EXPECT_TRUE(std::holds_alternative<float>(out.Data()));
  EXPECT_EQ(out.AsDouble(), 1.5);
  ASSERT_TRUE(ToNative(rtti::Extended(), Int(3), out));
  EXPECT_TRUE(std::holds_alternative<long double>(out.Data()));
  const std::pair<double, int64_t> comps[] = {{2.5, 2}, {3.5, 4}, {-2.5, -2}, {2.4, 2}, {-7.0, -7}};
  for (const auto& [number, expected] : comps) {
    ASSERT_TRUE(ToNative(rtti::Comp(), Double(number), out)) << number;
    EXPECT_EQ(out.AsInt64(), expected) << number;
  }
  const std::pair<double, int64_t> currencies[] = {{1.5, 15000}, {-0.125, -1250}, {0.0001220703125, 1}};
  for (const auto& [number, expected] : currencies) {
    ASSERT_TRUE(ToNative(rtti::Currency(), Double(number), out)) << number;
    EXPECT_EQ(std::get<CY>(out.Data()).int64, expected) << number;
  }
  EXPECT_FALSE(ToNative(rtti::Comp(), Double(1e300), out));
  EXPECT_FALSE(ToNative(rtti::Double(), String(L"1.5"), out));
  EXPECT_FALSE(ToNative(rtti::Double(), Bool(true), out));
}

TEST_F(ConversionTest, DatesBecomeLocalDateTimesInTheTargetsFormat) {
  const cef_time_t utc{2023, 7, 6, 14, 9, 30, 15, 500};
  const double expected = LocalDateTimeFromCefTime(utc);
  TValue out;
  ASSERT_TRUE(ToNative(rtti::DateTime(), Date(utc), out));
  EXPECT_DOUBLE_EQ(out.AsDouble(), expected);
  ASSERT_TRUE(ToNative(rtti::Single(), Date(utc), out));
  EXPECT_TRUE(std::holds_alternative<float>(out.Data())) << "never wider than the target";
  // Independently of our arithmetic: the local time the system gives for the instant.
  SYSTEMTIME system{2023, 7, 5, 14, 9, 30, 15, 500}, local{};
  ASSERT_TRUE(SystemTimeToTzSpecificLocalTime(nullptr, &system, &local));
  local.wMilliseconds = 0;
  double whole = 0;
  ASSERT_TRUE(SystemTimeToVariantTime(&local, &whole));
  EXPECT_NEAR(expected, whole + 0.5 / 86400.0, 1e-9);
}

TEST_F(ConversionTest, StringsTakeOnlyStrings) {
  TValue out;
  ASSERT_TRUE(ToNative(rtti::String(), String(L"\u00E8 d'oro"), out));
  EXPECT_EQ(out.AsString(), L"\u00E8 d'oro");
  ASSERT_TRUE(ToNative(rtti::WideString(), String(L""), out));
  EXPECT_EQ(out.AsString(), L"");
  ASSERT_TRUE(ToNative(rtti::AnsiString(), String(L"abc"), out));
  EXPECT_EQ(out.AsAnsiString(), "abc");
  for (const TTypeInfo* type : {rtti::String(), rtti::WideString(), rtti::AnsiString()})
    for (const Value& v : {Int(1), Bool(false), Null(), Undefined(), Object()})
      EXPECT_FALSE(ToNative(type, v, out)) << type->Name;
  for (const TTypeInfo* type : {rtti::Char(), rtti::AnsiChar(), rtti::ShortString(), rtti::Pointer(),
                                rtti::Untyped()})
    EXPECT_FALSE(ToNative(type, String(L"a"), out)) << type->Name;
}

TEST_F(ConversionTest, TheEnginesOwnValuesPassUnchanged) {
  const Value object = Object();
  TValue out;
  ASSERT_TRUE(ToNative(rtti::ScriptValue(), object, out));
  EXPECT_EQ(out.AsInterface().ScriptValue.get(), object.get());
  EXPECT_EQ(ToScript(out).get(), object.get());
}

TEST_F(ConversionTest, NativeValuesBecomeScriptValuesByKind) {
  Value v = ToScript(MakeOrdinal(rtti::Integer(), -5));
  EXPECT_TRUE(IsInt(v));
  EXPECT_EQ(IntOf(v), -5);
  v = ToScript(MakeOrdinal(rtti::Cardinal(), 4000000000LL));
  EXPECT_TRUE(IsUInt(v));
  EXPECT_EQ(DoubleOf(v), 4000000000.0);
  v = ToScript(MakeOrdinal(rtti::Boolean(), 1));
  EXPECT_TRUE(IsBool(v) && BoolOf(v));
  v = ToScript(MakeOrdinal(Colour(), 2));
  EXPECT_TRUE(IsInt(v) && IntOf(v) == 2);
  v = ToScript(TValue(rtti::Int64(), int64_t{1} << 40));
  EXPECT_TRUE(IsDouble(v) && !IsInt(v) && DoubleOf(v) == 1099511627776.0);
  v = ToScript(TValue(rtti::Currency(), CY{.int64 = 12345}));
  EXPECT_EQ(DoubleOf(v), 1.2345);
  v = ToScript(TValue(rtti::Comp(), int64_t{-9}));
  EXPECT_EQ(DoubleOf(v), -9.0);
  v = ToScript(TValue(rtti::AnsiString(), std::string("abc")));
  EXPECT_EQ(StringOf(v), L"abc");
  v = ToScript(TValue(rtti::Char(), std::wstring(L"x")));
  EXPECT_EQ(StringOf(v), L"x");
  for (const TValue& none : {MakeOrdinal(SetOfByte(), 3), TValue(rtti::Pointer(), std::monostate{}),
                             TValue(rtti::ShortString(), std::wstring(L"s")), TValue()})
    EXPECT_FALSE(ToScript(none)) << (none.Type() ? none.Type()->Name : L"(none)");
}

TEST_F(ConversionTest, VariantsBecomeScriptValuesByTheirType) {
  const auto variant = [](VARTYPE vt, auto fill) {
    TOleVariant v;
    v.put()->vt = vt;
    fill(*v.put());
    return TValue(rtti::Variant(), v);
  };
  EXPECT_TRUE(IsUndefined(ToScript(TValue(rtti::Variant(), TOleVariant()))));
  EXPECT_TRUE(IsNull(ToScript(TValue(rtti::Variant(), TOleVariant::Null()))));
  EXPECT_EQ(IntOf(ToScript(variant(VT_I2, [](VARIANT& x) { x.iVal = -3; }))), -3);
  EXPECT_EQ(IntOf(ToScript(variant(VT_I1, [](VARIANT& x) { x.cVal = -4; }))), -4);
  EXPECT_EQ(IntOf(ToScript(variant(VT_I4, [](VARIANT& x) { x.lVal = 70000; }))), 70000);
  EXPECT_EQ(DoubleOf(ToScript(variant(VT_R4, [](VARIANT& x) { x.fltVal = 0.5f; }))), 0.5);
  EXPECT_EQ(DoubleOf(ToScript(variant(VT_CY, [](VARIANT& x) { x.cyVal.int64 = 25000; }))), 2.5);
  EXPECT_EQ(DoubleOf(ToScript(variant(VT_I8, [](VARIANT& x) { x.llVal = 1LL << 40; }))), 1099511627776.0);
  EXPECT_EQ(DoubleOf(ToScript(variant(VT_UI8, [](VARIANT& x) { x.ullVal = 1ULL << 63; }))), 9223372036854775808.0);
  EXPECT_EQ(StringOf(ToScript(TValue(rtti::Variant(), TOleVariant::FromString(L"testo")))), L"testo");
  EXPECT_TRUE(BoolOf(ToScript(TValue(rtti::Variant(), TOleVariant::FromBool(true)))));
  const Value byte = ToScript(variant(VT_UI1, [](VARIANT& x) { x.bVal = 200; }));
  EXPECT_TRUE(IsUInt(byte) && DoubleOf(byte) == 200);
  EXPECT_EQ(DoubleOf(ToScript(variant(VT_UI4, [](VARIANT& x) { x.ulVal = 4000000000u; }))), 4000000000.0);
  EXPECT_FALSE(ToScript(variant(VT_DATE, [](VARIANT& x) { x.date = 45000; })));
  EXPECT_FALSE(ToScript(variant(VT_ERROR, [](VARIANT& x) { x.scode = E_FAIL; })));
  EXPECT_FALSE(ToScript(variant(VT_UNKNOWN, [](VARIANT& x) { x.punkVal = nullptr; })));
  SAFEARRAY* array = SafeArrayCreateVector(VT_VARIANT, 0, 1);
  EXPECT_FALSE(ToScript(TValue(rtti::Variant(), TOleVariant::FromArray(array, VT_VARIANT))));
}

}  // namespace
