#include "bridge/Bridge.h"

#include <windows.h>

#include <memory>
#include <vector>

#include "common/FormatSettings.h"
#include "common/Globals.h"

namespace quirel {
namespace {

class RegistryKey {
 public:
  RegistryKey() = default;
  ~RegistryKey() {
    if (key_) RegCloseKey(key_);
  }
  RegistryKey(const RegistryKey&) = delete;
  RegistryKey& operator=(const RegistryKey&) = delete;
  HKEY* out() { return &key_; }
  HKEY get() const { return key_; }

 private:
  HKEY key_ = nullptr;
};

std::unique_ptr<TBridge>& ModuleBridge() {
  static std::unique_ptr<TBridge> bridge;
  return bridge;
}

}  // namespace

void SetProgramFormatSettings() {
  TFormatSettings& settings = FormatSettings();
  settings.DateSeparator = L'/';
  settings.TimeSeparator = L':';
  settings.ShortDateFormat = L"dd/mm/yyyy";
  settings.LongDateFormat = L"dd/mm/yyyy hh:nn";
  settings.ShortTimeFormat = L"hh:nn";
  settings.LongTimeFormat = L"hh:nn:ss";
  settings.ThousandSeparator = L'.';
  settings.DecimalSeparator = L',';
  settings.CurrencyDecimals = 2;
  settings.CurrencyString = L"\u20AC";
}

TBridge::TBridge() { SetProgramFormatSettings(); }

TBridge::~TBridge() = default;

void TBridge::Init() { AppPath = ExtractFilePath(ExecutableFullPath()); }

std::wstring TBridge::SetData(const std::wstring& chiave, const std::wstring& valore) {
  if (chiave.empty()) return L"";
  RegistryKey key;
  if (RegCreateKeyExW(HKEY_CURRENT_USER, kStoreKey, 0, nullptr, REG_OPTION_NON_VOLATILE,
                      KEY_ALL_ACCESS, nullptr, key.out(), nullptr) != ERROR_SUCCESS)
    return L"";
  const DWORD bytes = static_cast<DWORD>((valore.size() + 1) * sizeof(wchar_t));
  if (RegSetValueExW(key.get(), chiave.c_str(), 0, REG_SZ,
                     reinterpret_cast<const BYTE*>(valore.c_str()), bytes) != ERROR_SUCCESS)
    throw ERegistryException(L"Failed to set data for '" + chiave + L"'");
  return L"ok";
}

std::wstring TBridge::GetData(const std::wstring& chiave) {
  if (chiave.empty()) return L"";
  RegistryKey key;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, kStoreKey, 0, KEY_ALL_ACCESS, key.out()) != ERROR_SUCCESS)
    return L"";
  DWORD type = 0, size = 0;
  if (RegQueryValueExW(key.get(), chiave.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
      size == 0)
    return L"";
  if (type != REG_SZ && type != REG_EXPAND_SZ)
    throw ERegistryException(L"Invalid data type for '" + chiave + L"'");
  // Room for a terminator the stored data may lack.
  std::vector<wchar_t> data(size / sizeof(wchar_t) + 2, L'\0');
  DWORD read = size;
  if (RegQueryValueExW(key.get(), chiave.c_str(), nullptr, &type,
                       reinterpret_cast<BYTE*>(data.data()), &read) != ERROR_SUCCESS)
    return L"";
  return std::wstring(data.data());
}

void InitializeBridge() { ModuleBridge() = std::make_unique<TBridge>(); }

void FinalizeBridge() { ModuleBridge().reset(); }

}  // namespace quirel
