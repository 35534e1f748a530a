#include "standin/renderer/RendererProcess.h"

#include <atomic>

#include "standin/core/LoopRegistry.h"
#include "standin/core/Provides.h"
#include "standin/core/Thread.h"
#include "standin/core/ThreadRole.h"
#include "standin/core/Trace.h"
#include "standin/ipc/Channel.h"
#include "standin/process/AppCalls.h"
#include "standin/renderer/Extensions.h"
#include "standin/script/RendererMessages.h"
#include "standin/script/RendererPages.h"

namespace quirel::standin {
namespace {

void WebKitInitialized(const CefRef<cef_render_process_handler_t>& handler) {
  if (!Provides(handler.get(), &cef_render_process_handler_t::on_web_kit_initialized)) return;
  {
    ExtensionRegistrationWindow window;
    trace::Callback("render_process_handler.on_web_kit_initialized");
    handler->on_web_kit_initialized(handler.get());
  }
  JsonArray names;
  for (const Extension& extension : RegisteredExtensions()) names.Text(extension.name);
  trace::Event("renderer.extensions").Array("names", names);
}

// Runs the renderer loop until the browser process says "end" or goes away:
// each page it sends is shown on this thread, and what the pages do goes back.
// Returns why it ended.
const wchar_t* Serve(Channel channel, const std::shared_ptr<MessageLoop>& loop,
                     const CefRef<cef_render_process_handler_t>& handler) {
  if (!channel.Send(kReadyMessage)) return L"browser process gone";
  std::atomic<const wchar_t*> reason{L"browser process gone"};
  script::RendererPages pages(
      handler, [&channel](const RendererMessage& message) { channel.Send(Encode(message)); },
      loop);
  Thread reader([&] {
    while (const auto message = channel.Receive()) {
      if (*message == kEndMessage) {
        reason = L"told to end";
        break;
      }
      if (std::optional<PageMessage> page = ParsePage(*message)) {
        loop->Post([&pages, page = std::move(*page)] { pages.Load(page); });
      } else {
        trace::Event("renderer.unknown_message").Text("message", std::wstring(message->begin(), message->end()));
      }
    }
    loop->Post([&loop] { loop->Quit(); });
  });
  loop->Run();
  return reason;
}

}  // namespace

int RunRendererProcess(CefRef<cef_app_t> app, const std::shared_ptr<CommandLine>& command_line) {
  SetCurrentThreadRole(ThreadRole::kRenderer);
  OnBeforeCommandLineProcessing(app.get(), L"renderer", command_line);
  OnRegisterCustomSchemes(app.get());
  CefRef<cef_resource_bundle_handler_t> bundle_handler = GetResourceBundleHandler(app.get());
  CefRef<cef_render_process_handler_t> handler = GetRenderProcessHandler(app.get());

  auto loop = std::make_shared<MessageLoop>();
  RegisterLoop(TID_RENDERER, loop);
  WebKitInitialized(handler);

  const std::wstring channel_name = command_line->SwitchValue(kChannelSwitch);
  const wchar_t* reason = L"started directly";
  if (!channel_name.empty()) {
    trace::Event("renderer.serving").Text("channel", channel_name);
    auto channel = Channel::Connect(channel_name);
    reason = channel ? Serve(std::move(*channel), loop, handler) : L"browser process gone";
  }
  trace::Event("renderer.ended").Text("reason", reason);

  UnregisterLoop(TID_RENDERER);
  loop->Stop();
  ClearExtensions();
  handler.Reset();
  bundle_handler.Reset();
  app.Reset();
  return 0;
}

}  // namespace quirel::standin
