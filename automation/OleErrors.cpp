#include "automation/OleErrors.h"

#include <cstdio>

namespace quirel {
namespace {

std::wstring OleErrorMessage(HRESULT hr) {
  std::wstring text = SysErrorMessage(static_cast<uint32_t>(hr));
  if (text.empty()) {
    wchar_t code[32];
    swprintf(code, 32, L"OLE error %08X", static_cast<unsigned>(hr));
    text = code;
  }
  return text;
}

}  // namespace

EOleSysError::EOleSysError(HRESULT errorCode)
    : EOleError(OleErrorMessage(errorCode)), FErrorCode(errorCode) {}

void OleCheck(HRESULT hr) {
  if (FAILED(hr)) throw EOleSysError(hr);
}

}  // namespace quirel
