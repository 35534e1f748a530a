#include "standin/process/ProcessType.h"

#include <windows.h>

#include "standin/commandline/CommandLine.h"

namespace quirel::standin {

const std::wstring& CurrentProcessType() {
  static const std::wstring type = [] {
    CommandLine line;
    line.ParseFromString(GetCommandLineW());
    return line.SwitchValue(L"type");
  }();
  return type;
}

}  // namespace quirel::standin
