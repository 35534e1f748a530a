#include "standin/script/ExtensionCode.h"

#include <regex>

namespace quirel::standin::script {

std::wstring RewriteNativeDeclarations(const std::wstring& code, int extension) {
  static const std::wregex declaration(
      LR"(\bnative\s+function\s+([A-Za-z_$][A-Za-z0-9_$]*)\s*\(\s*\)\s*;?)");
  const std::wstring maker(kNativeFunctionMaker, kNativeFunctionMaker + sizeof kNativeFunctionMaker - 1);
  return std::regex_replace(code, declaration,
                            L"var $1 = " + maker + L"(" + std::to_wstring(extension) + L", '$1');");
}

}  // namespace quirel::standin::script
