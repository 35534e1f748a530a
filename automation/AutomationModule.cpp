#include "automation/AutomationModule.h"

#include <memory>

#include "automation/ComServer.h"
#include "automation/QuirelApplication.h"
#include "automation/ServerSwitches.h"

namespace quirel {
namespace {

std::unique_ptr<TComServer>& Server() {
  static std::unique_ptr<TComServer> server;
  return server;
}

}  // namespace

void InitializeAutomation(std::function<void()> halt) {
  auto server = std::make_unique<TComServer>(ProcessArguments());
  server->OnHalt = std::move(halt);
  CreateQuirelApplicationFactory(*server);
  Server() = std::move(server);
}

void FinalizeAutomation() { Server().reset(); }

}  // namespace quirel
