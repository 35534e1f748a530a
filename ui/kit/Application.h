// The UI layer's process-wide application object: a hidden top-level window (the owner of
// application-wide message boxes), the forms, the main form and the message loop.
// Lives on the main thread.
#pragma once

#include <windows.h>

#include <exception>
#include <functional>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include "ui/kit/Form.h"

namespace quirel::kit {

class TApplication {
 public:
  TApplication();
  ~TApplication();
  TApplication(const TApplication&) = delete;
  TApplication& operator=(const TApplication&) = delete;

  // The hidden application window; 0 once destroyed (engine sub-processes destroy it).
  HWND Handle() const { return handle_; }
  void DestroyHandle();

  // Steps other modules hook into start-up; Initialize runs them in the order added. The
  // first step is always the application's own COM initialisation of the main thread, so
  // every added step runs behind it.
  void AddInitProc(std::function<void()> proc) { initProcs_.push_back(std::move(proc)); }
  void Initialize();

  // The CoInitializeEx model of the COM step, when a module asks for one; unset, the step
  // uses CoInitialize. COM stays initialised until the application object goes.
  std::optional<DWORD> ComInitFlags;

  bool ShowMainForm = true;
  // The main form, not the hidden window, carries the taskbar button.
  bool MainFormOnTaskBar = false;

  // Creates a form owned by the application; the first one becomes the main form.
  template <typename TFormClass, typename... Args>
  TFormClass* CreateForm(Args&&... args) {
    auto form = std::make_unique<TFormClass>(std::forward<Args>(args)...);
    TFormClass* raw = form.get();
    AdoptForm(std::move(form));
    return raw;
  }
  TForm* MainForm() const { return mainForm_; }
  // The form whose window is active, if any.
  TForm* ActiveForm() const;

  // Runs the message loop until Terminate; shows the main form first per the process's
  // show command (maximised, minimised without activation, or normal).
  void Run();
  // Asked by Terminate, in the order added; any one answering false keeps the program running.
  void AddTerminateQuery(std::function<bool()> query) {
    terminateQueries_.push_back(std::move(query));
  }
  // Asks the termination queries (once they all agreed, they are not asked again); a main
  // form whose close takes a while asks before it starts.
  bool QueryTerminate();
  // Ends the message loop unless a termination query refuses; returns whether it will end.
  // After a refusal the program goes on as before: a hidden main form is shown again.
  bool Terminate();
  bool Terminated() const { return terminated_; }
  // Frees a form later, from the message loop (a form may ask for this from its own handler).
  void Release(TForm* form);
  // Destroys every form the application owns, newest first.
  void DestroyForms();

  // The show command the process was started with, as Run applies it to the main form.
  static int StartupShowCommand();

  // An exception that reached a window procedure: shown to the user, the loop goes on.
  void HandleException(const std::exception& e);

 private:
  static LRESULT CALLBACK WndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  void InitializeCom();
  void AdoptForm(std::unique_ptr<TForm> form);
  void FreeForm(TForm* form);

  HWND handle_ = nullptr;
  std::vector<std::function<void()>> initProcs_;
  std::vector<std::function<bool()>> terminateQueries_;
  bool comInitialized_ = false;
  std::vector<std::unique_ptr<TForm>> forms_;
  TForm* mainForm_ = nullptr;
  bool terminated_ = false;
  bool terminateAgreed_ = false;
};

// The one application object of the process; null before CreateApplication and after
// DestroyApplication.
extern TApplication* Application;
void CreateApplication();
void DestroyApplication();

}  // namespace quirel::kit
