// The automation module: at initialisation the server object (which reads the switches and
// hooks into the UI layer's start-up and termination) and the class factory of
// TQuirelApplication; at finalisation the server goes, revoking the class object.
#pragma once

#include <functional>

namespace quirel {

// halt ends the program after a registration as its normal end does (module finalisation,
// exit code 0).
void InitializeAutomation(std::function<void()> halt);
void FinalizeAutomation();

}  // namespace quirel
