// The process-wide automation server: reads the switches, registers or unregisters the
// server on request, publishes the class objects while the program runs, counts the live
// automation objects, ends a COM-started program with its last object and asks before the
// user closes the program while objects are alive. Lives on the main thread.
#pragma once

#include <windows.h>
#include <oaidl.h>

#include <atomic>
#include <functional>
#include <string>
#include <vector>

#include "automation/ComPtr.h"
#include "automation/ServerSwitches.h"

namespace quirel {

class TAutoObjectFactory;

// The close prompt's text.
extern const wchar_t kActiveServerWarning[];

class TComServer {
 public:
  // Reads the switches from arguments and hooks the start-up step and the close prompt into
  // the UI application object, when there is one. The type library comes from
  // typeLibFile, by default the executable's own file.
  explicit TComServer(const std::vector<std::wstring>& arguments, std::wstring typeLibFile = {});
  ~TComServer();  // revokes and frees the factories
  TComServer(const TComServer&) = delete;
  TComServer& operator=(const TComServer&) = delete;

  TStartMode StartMode() const { return FStartMode; }
  bool PerUser() const { return FPerUser; }
  long ObjectCount() const { return FObjectCount.load(); }
  bool StartSuspended() const { return FStartSuspended; }
  bool UIInteractive() const { return FUIInteractive; }
  void SetUIInteractive(bool value) { FUIInteractive = value; }

  // Raised by the last release; may clear shutdown to keep a COM-started program running.
  std::function<void(bool& shutdown)> OnLastRelease;
  // Ends the program after a registration; unset, the process exits with code 0.
  std::function<void()> OnHalt;

  // Loaded on first use, without registering it.
  ITypeLib* TypeLib();
  std::wstring ServerName();            // the type library's name
  std::wstring ServerFileName() const;  // the executable's long path

  void AddFactory(TAutoObjectFactory* factory);
  // One live object more (created) or less (destroyed).
  void CountObject(bool created);

  // The start-up step, behind the UI layer's COM initialisation: registers or unregisters and
  // ends the program, or publishes the class objects.
  void Initialize();
  // Registers (true) or unregisters (false) the type library and every factory.
  void UpdateRegistry(bool doRegister);
  // The close prompt: false when the user wants the program to keep running.
  bool CanTerminate();

 private:
  class TLibrary {
   public:
    explicit TLibrary(const wchar_t* name);
    ~TLibrary();
    TLibrary(const TLibrary&) = delete;
    TLibrary& operator=(const TLibrary&) = delete;
    // The export of that name as F, or null.
    template <typename F>
    F Function(const char* name) const {
      return reinterpret_cast<F>(reinterpret_cast<void (*)()>(Address(name)));
    }

   private:
    FARPROC Address(const char* name) const;
    HMODULE FHandle;
  };

  void RegisterTypeLibrary();
  void UnregisterTypeLibrary();
  void LastReleased();

  TLibrary FOleAut;  // first in, last out: the factories go before it
  TStartMode FStartMode = smStandalone;
  bool FPerUser = false;
  std::atomic<long> FObjectCount{0};
  bool FStartSuspended = false;
  bool FUIInteractive = true;
  DWORD FMainThreadId;
  std::wstring FTypeLibFile;
  TComPtr<ITypeLib> FTypeLib;
  std::vector<TComPtr<TAutoObjectFactory>> FFactories;
};

// The one server object; null before it is created and after it is freed.
extern TComServer* ComServer;

}  // namespace quirel
