#include "app/Modules.h"

#include <windows.h>

#include "automation/AutomationModule.h"
#include "bridge/Bridge.h"
#include "bridge/BridgeRtti.h"
#include "bridge/CefRTTIExtension.h"
#include "ui/kit/Application.h"

namespace quirel {
namespace {

// The list whose modules HaltProgram finalises.
TModuleList* RunningModules = nullptr;

}  // namespace

TModuleList::~TModuleList() {
  FinalizeAll();
  if (RunningModules == this) RunningModules = nullptr;
}

void TModuleList::InitializeAll() {
  if (!RunningModules) RunningModules = this;
  try {
    for (; FInitialized < FModules.size(); ++FInitialized)
      if (FModules[FInitialized].Initialize) FModules[FInitialized].Initialize();
  } catch (...) {
    FinalizeAll();
    throw;
  }
}

void TModuleList::FinalizeAll() {
  while (FInitialized > 0) {
    const TModule& module = FModules[--FInitialized];
    if (module.Finalize) module.Finalize();
  }
}

std::vector<TModule> ProgramModules() {
  return {
      // The UI layer first: every later module may own windows.
      {L"UI", [] { kit::CreateApplication(); }, [] { kit::DestroyApplication(); }},
      // The program's fixed formats, in every process; `bridge` in every page.
      {L"Bridge",
       [] {
         InitializeBridge();
         AddWebKitRegistration(
             [] { TCefRTTIExtension::Register(L"bridge", BridgeClassValue(), false); });
       },
       [] { FinalizeBridge(); }},
      {L"Automation", [] { InitializeAutomation([] { HaltProgram(0); }); },
       [] { FinalizeAutomation(); }},
  };
}

void HaltProgram(unsigned exitCode) {
  if (RunningModules) RunningModules->FinalizeAll();
  ExitProcess(exitCode);
}

}  // namespace quirel

namespace quirel {
namespace {

std::vector<std::function<void()>>& WebKitRegistrations() {
  static std::vector<std::function<void()>> registrations;
  return registrations;
}

}  // namespace

void AddWebKitRegistration(std::function<void()> registration) {
  WebKitRegistrations().push_back(std::move(registration));
}

void RunWebKitRegistrations() {
  for (const auto& registration : WebKitRegistrations()) registration();
}

}  // namespace quirel
