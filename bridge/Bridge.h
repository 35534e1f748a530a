// The identity store pages reach as `bridge`: small text entries in the user's registry under
// HKEY_CURRENT_USER\Software\Quirel\identity. Creating the object installs the program's fixed
// date, time and number formats for the whole process.
#pragma once

#include <string>

#include "common/Errors.h"

namespace quirel {

// A registry call that failed after the store key was open, or an entry of another type.
class ERegistryException : public Exception {
 public:
  using Exception::Exception;
};

class TBridge {
 public:
  static constexpr wchar_t kStoreKey[] = L"Software\\Quirel\\identity";

  TBridge();   // Create
  ~TBridge();  // Destroy

  static void Init();
  // "ok" when written; "" for an empty key or a store key that cannot be opened or created.
  static std::wstring SetData(const std::wstring& chiave, const std::wstring& valore);
  // The entry's text up to its first NUL; "" for an empty key, a missing store or entry.
  static std::wstring GetData(const std::wstring& chiave);
};

// The formats TBridge's constructor installs.
void SetProgramFormatSettings();

// Module initialisation and finalisation: one TBridge for the life of the process.
void InitializeBridge();
void FinalizeBridge();

}  // namespace quirel
