// The automation server's command-line switches: how the program was started, as COM or
// an installer asks for it.
#pragma once

#include <string>
#include <vector>

namespace quirel {

enum TStartMode { smStandalone, smAutomation, smRegServer, smUnregServer };

struct TServerSwitches {
  TStartMode StartMode = smStandalone;
  // Registration goes to the current user instead of the machine.
  bool PerUser = false;
};

// A switch is an argument "-word" or "/word" in any letter case. The rows are tried in
// order (AUTOMATION or EMBEDDING, REGSERVER, UNREGSERVER, REGSERVERPERUSER,
// UNREGSERVERPERUSER) and the first row matched by any argument wins.
TServerSwitches ParseServerSwitches(const std::vector<std::wstring>& arguments);

// The process's arguments, without the program's own name.
std::vector<std::wstring> ProcessArguments();

}  // namespace quirel
