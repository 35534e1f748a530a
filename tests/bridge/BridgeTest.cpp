// The identity store in the registry of the test's prefix, and the formats the bridge installs.
#include <gtest/gtest.h>

#include <windows.h>

#include "bridge/Bridge.h"
#include "common/FormatSettings.h"
#include "ui/kit/Application.h"

namespace quirel {
namespace {

bool StoreExists() {
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, TBridge::kStoreKey, 0, KEY_READ, &key) != ERROR_SUCCESS)
    return false;
  RegCloseKey(key);
  return true;
}

void RemoveStore() { RegDeleteTreeW(HKEY_CURRENT_USER, TBridge::kStoreKey); }

void WriteRaw(const wchar_t* name, DWORD type, const void* data, DWORD size) {
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, TBridge::kStoreKey, 0, nullptr, 0, KEY_ALL_ACCESS,
                            nullptr, &key, nullptr),
            ERROR_SUCCESS);
  RegSetValueExW(key, name, 0, type, static_cast<const BYTE*>(data), size);
  RegCloseKey(key);
}

struct RawValue {
  DWORD type = 0;
  std::wstring data;  // every stored code unit, terminators included
};

RawValue ReadRaw(const wchar_t* name) {
  RawValue value;
  wchar_t buffer[256] = {};
  DWORD size = sizeof buffer;
  if (RegGetValueW(HKEY_CURRENT_USER, TBridge::kStoreKey, name, RRF_RT_ANY | RRF_NOEXPAND,
                   &value.type, buffer, &size) == ERROR_SUCCESS)
    value.data.assign(buffer, size / sizeof(wchar_t));
  return value;
}

class BridgeStoreTest : public ::testing::Test {
 protected:
  void SetUp() override { RemoveStore(); }
  void TearDown() override { RemoveStore(); }
};

TEST_F(BridgeStoreTest, WritesAndReadsEntriesWhateverTheCaseOfTheKey) {
  EXPECT_EQ(TBridge::SetData(L"a", L"b"), L"ok");
  EXPECT_EQ(TBridge::GetData(L"a"), L"b");
  EXPECT_EQ(TBridge::GetData(L"A"), L"b");
  const RawValue raw = ReadRaw(L"a");
  EXPECT_EQ(raw.type, static_cast<DWORD>(REG_SZ));
  EXPECT_EQ(raw.data, std::wstring(L"b\0", 2)) << "the text and one NUL";
  EXPECT_EQ(TBridge::SetData(L"a", L"\u00E8 nuovo"), L"ok");
  EXPECT_EQ(TBridge::GetData(L"a"), L"\u00E8 nuovo") << "the last write wins";
}

TEST_F(BridgeStoreTest, AnEmptyKeyOrAMissingStoreTouchesNothing) {
  EXPECT_EQ(TBridge::SetData(L"", L"b"), L"");
  EXPECT_FALSE(StoreExists());
  EXPECT_EQ(TBridge::GetData(L"a"), L"");
  EXPECT_FALSE(StoreExists()) << "reading must not create the store";
  EXPECT_EQ(TBridge::GetData(L""), L"");
  ASSERT_EQ(TBridge::SetData(L"x", L"y"), L"ok");
  EXPECT_EQ(TBridge::GetData(L"missing"), L"");
}

TEST_F(BridgeStoreTest, EmptyValuesAndValuesWithANul) {
  EXPECT_EQ(TBridge::SetData(L"empty", L""), L"ok");
  EXPECT_EQ(ReadRaw(L"empty").data, std::wstring(L"\0", 1));
  EXPECT_EQ(TBridge::GetData(L"empty"), L"");

  const std::wstring withNul(L"prima\0dopo", 10);
  EXPECT_EQ(TBridge::SetData(L"nul", withNul), L"ok");
  EXPECT_EQ(ReadRaw(L"nul").data, withNul + L'\0') << "stored whole";
  EXPECT_EQ(TBridge::GetData(L"nul"), L"prima");
}

TEST_F(BridgeStoreTest, OtherTypesOfEntries) {
  const wchar_t expand[] = L"%PATH%";
  WriteRaw(L"expand", REG_EXPAND_SZ, expand, sizeof expand);
  EXPECT_EQ(TBridge::GetData(L"expand"), L"%PATH%") << "not expanded";

  const wchar_t unterminated[] = {L'a', L'b'};
  WriteRaw(L"bare", REG_SZ, unterminated, sizeof unterminated);
  EXPECT_EQ(TBridge::GetData(L"bare"), L"ab");

  WriteRaw(L"zero", REG_SZ, L"", 0);
  EXPECT_EQ(TBridge::GetData(L"zero"), L"");

  const DWORD number = 7;
  WriteRaw(L"number", REG_DWORD, &number, sizeof number);
  try {
    TBridge::GetData(L"number");
    ADD_FAILURE() << "a number entry read as text";
  } catch (const ERegistryException& e) {
    EXPECT_EQ(ExceptionMessage(e), L"Invalid data type for 'number'");
  }
}

TEST(BridgeFormats, CreatingTheBridgeInstallsTheProgramsFormats) {
  FormatSettings() = UserLocaleFormatSettings();
  InitializeBridge();
  const TFormatSettings& settings = FormatSettings();
  EXPECT_EQ(settings.DateSeparator, L'/');
  EXPECT_EQ(settings.TimeSeparator, L':');
  EXPECT_EQ(settings.ShortDateFormat, L"dd/mm/yyyy");
  EXPECT_EQ(settings.LongDateFormat, L"dd/mm/yyyy hh:nn");
  EXPECT_EQ(settings.ShortTimeFormat, L"hh:nn");
  EXPECT_EQ(settings.LongTimeFormat, L"hh:nn:ss");
  EXPECT_EQ(settings.ThousandSeparator, L'.');
  EXPECT_EQ(settings.DecimalSeparator, L',');
  EXPECT_EQ(settings.CurrencyDecimals, 2);
  EXPECT_EQ(settings.CurrencyString, L"\u20AC");
  EXPECT_EQ(FormatNumber(1000.5, 2, true), L"1.000,50");
  FinalizeBridge();
  EXPECT_EQ(FormatNumber(1000.5, 2, true), L"1.000,50") << "the formats stay";
}

TEST(BridgeFormats, TheUserRegionalSettingsComeBackWhenWindowsAnnouncesAChange) {
  kit::CreateApplication();
  HWND window = kit::Application->Handle();
  SetProgramFormatSettings();
  SendMessageW(window, WM_SETTINGCHANGE, 0, reinterpret_cast<LPARAM>(L"Environment"));
  EXPECT_EQ(FormatSettings().ShortDateFormat, L"dd/mm/yyyy") << "not a regional change";
  SendMessageW(window, WM_SETTINGCHANGE, 0, reinterpret_cast<LPARAM>(L"intl"));
  EXPECT_EQ(FormatSettings(), UserLocaleFormatSettings());

  SetProgramFormatSettings();
  SendMessageW(window, RegisterWindowMessageW(L"TaskbarCreated"), 0, 0);
  EXPECT_EQ(FormatSettings(), UserLocaleFormatSettings());
  kit::DestroyApplication();
}

}  // namespace
}  // namespace quirel
