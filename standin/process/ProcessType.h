// This process's type: the value of --type= on its command line, parsed as
// the engine parses it. Empty in the browser process.
#pragma once

#include <string>

namespace quirel::standin {

const std::wstring& CurrentProcessType();

}  // namespace quirel::standin
