// Module initialisation and finalisation: the program's modules start in a fixed order before
// the entry routine runs and end in the reverse order after it.
#pragma once

#include <functional>
#include <vector>

namespace quirel {

struct TModule {
  const wchar_t* Name;
  std::function<void()> Initialize;
  std::function<void()> Finalize;
};

class TModuleList {
 public:
  explicit TModuleList(std::vector<TModule> modules) : FModules(std::move(modules)) {}
  ~TModuleList();
  TModuleList(const TModuleList&) = delete;
  TModuleList& operator=(const TModuleList&) = delete;

  // Initialises in list order; when one fails, the ones already started are finalised.
  void InitializeAll();
  // Finalises the initialised modules in reverse order; runs once.
  void FinalizeAll();

 private:
  std::vector<TModule> FModules;
  size_t FInitialized = 0;
};

// The program's modules, in initialisation order.
std::vector<TModule> ProgramModules();

// Ends the program at once as its normal end does: the initialised modules of the running
// list are finalised in reverse order, then the process exits with exitCode.
[[noreturn]] void HaltProgram(unsigned exitCode);

// Registrations run in each renderer process once its script engine is ready (the page
// bridge adds its JavaScript extension here).
void AddWebKitRegistration(std::function<void()> registration);
void RunWebKitRegistrations();

}  // namespace quirel
