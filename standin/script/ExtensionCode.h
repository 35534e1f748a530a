// The engine's extension syntax: an extension's text may declare
// `native function NAME();`, a function that calls the extension's handler
// with that name. Scripts cannot say that, so the text is rewritten to take
// the function from a maker the renderer gives every context.
#pragma once

#include <string>

namespace quirel::standin::script {

// The global name of the maker: (extension number, name) -> function. Not
// enumerable, not writable.
inline constexpr char kNativeFunctionMaker[] = "__quirelNativeFunction";

std::wstring RewriteNativeDeclarations(const std::wstring& code, int extension);

}  // namespace quirel::standin::script
