// The real Quirel.exe with the stand-in engine, driven from outside as a user would: its
// windows are found and clicked, and what it asked of the engine is read from the engine's
// trace (standin/README.md).
#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "ChildProcess.h"
#include "Json.h"
#include "TestFiles.h"

namespace quirel::test {

using standin_test::Json;

// A link where the stand-in drew it: the browser's window and the link's box in it.
struct DrawnLink {
  HWND Window = nullptr;
  RECT Box{};
  POINT Center() const { return {(Box.left + Box.right) / 2, (Box.top + Box.bottom) / 2}; }
};

class QuirelRun {
 public:
  // Starts the test build's Quirel.exe; extraEnv entries are "NAME=value".
  explicit QuirelRun(std::vector<std::wstring> extraEnv = {});
  QuirelRun(const QuirelRun&) = delete;
  QuirelRun& operator=(const QuirelRun&) = delete;

  DWORD Pid() const { return process_->Id(); }
  const ScratchDir& Dir() const { return dir_; }
  // The visible main window (waits for it once).
  HWND MainWindow();
  bool WaitForExit(DWORD timeoutMs) { return process_->WaitForExit(timeoutMs); }
  DWORD ExitCode() const { return process_->ExitCode(); }

  // The browser process's trace lines so far.
  std::vector<Json> Trace() const;
  // Waits until `done` holds for the trace; true when it did within timeoutMs.
  bool WaitForTrace(const std::function<bool(const std::vector<Json>&)>& done,
                    DWORD timeoutMs = 30000) const;
  // Waits for a page whose address ends with urlSuffix to be on view in some browser, and
  // returns that browser's identifier, or 0.
  long long WaitForLoad(const std::string& urlSuffix, DWORD timeoutMs = 30000) const;
  // The newest drawing of a link whose text contains `text`, in the browser with that
  // identifier (0: any), waiting for it to be drawn.
  std::optional<DrawnLink> WaitForLink(const std::string& text, long long browser = 0,
                                       DWORD timeoutMs = 30000) const;

 private:
  ScratchDir dir_;
  // After dir_: the program is ended (by ChildProcess) before its folder is removed.
  std::optional<ChildProcess> process_;
  HWND main_ = nullptr;
};

// The engine's count at cef_shutdown (`shutdown.leftover`): success when nothing of the
// program's is still referenced and every engine object it was handed was released, but the
// global request context, which the engine keeps for the process's life. Fails without a
// shutdown in the trace (only a normal close reaches it).
bool NothingLeftAtShutdown(const std::vector<Json>& trace, std::string& what);

// Trace lines with that name (and kind, when given).
std::vector<Json> Lines(const std::vector<Json>& trace, const std::string& name);
int IndexWhere(const std::vector<Json>& trace, const std::function<bool(const Json&)>& test,
               int from = 0);
std::wstring Wide(const std::string& utf8);
std::string Narrow(const std::wstring& text);

// Mouse clicks as the system delivers them to a window (client coordinates); keys are the
// MK_ flags the message carries (MK_CONTROL, MK_SHIFT).
enum class Button { Left, Right, Middle };
void Click(HWND window, POINT client, WPARAM keys = 0, Button button = Button::Left);
// The deepest visible child of `window` at that client point (the window itself if none).
HWND VisibleWindowAt(HWND window, POINT client);
// A point of `from`'s client area in `to`'s client coordinates.
POINT MapPoint(HWND from, HWND to, POINT point);
// Clicks what a user would hit at that point of a top-level window's client area.
void ClickAt(HWND topLevel, POINT client, WPARAM keys = 0, Button button = Button::Left);

// The folder of the test program and the program (the build's bin folder), with a backslash.
std::wstring BinFolder();
// Waits until `test` holds; true when it did within timeoutMs.
bool WaitUntil(const std::function<bool()>& test, DWORD timeoutMs);
// Visible top-level windows of the process other than `except`.
std::vector<HWND> OtherVisibleWindows(DWORD pid, HWND except);
// The stand-in's browser windows inside `window`.
std::vector<HWND> BrowserWindowsIn(HWND window);
SIZE ClientSize(HWND window);
// The client size once it has stopped changing for `stableMs`: without a window manager a
// window shown maximised is first laid out at the screen's size, then at its normal size.
SIZE SettledClientSize(HWND window, DWORD stableMs = 1000, DWORD timeoutMs = 10000);
// With QUIREL_WINDOWS_SCREENSHOTS naming a folder, saves the screen there as <name>.bmp.
void Screenshot(const std::wstring& name);

}  // namespace quirel::test
