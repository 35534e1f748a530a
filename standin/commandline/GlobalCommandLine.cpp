#include "standin/commandline/GlobalCommandLine.h"

#include <windows.h>

#include <mutex>

namespace quirel::standin {
namespace {

struct Global {
  std::mutex mutex;
  std::shared_ptr<CommandLine> line;
};

Global& TheGlobal() {
  static Global global;
  return global;
}

}  // namespace

std::shared_ptr<CommandLine> StartGlobalCommandLine() {
  Global& global = TheGlobal();
  std::lock_guard lock(global.mutex);
  if (!global.line) {
    global.line = std::make_shared<CommandLine>();
    global.line->ParseFromString(GetCommandLineW());
  }
  return global.line;
}

std::shared_ptr<CommandLine> GlobalCommandLine() {
  Global& global = TheGlobal();
  std::lock_guard lock(global.mutex);
  return global.line;
}

}  // namespace quirel::standin
