#include "engine/ClientHandler.h"

namespace quirel {

TCustomClientHandler::TCustomClientHandler(IChromiumEvents* events)
    : TChromiumEventsReference(events) {
  using T = TCustomClientHandler;
  Bind<&T::GetAudioHandler>(cef()->get_audio_handler);
  Bind<&T::GetContextMenuHandler>(cef()->get_context_menu_handler);
  Bind<&T::GetDialogHandler>(cef()->get_dialog_handler);
  Bind<&T::GetDisplayHandler>(cef()->get_display_handler);
  Bind<&T::GetDownloadHandler>(cef()->get_download_handler);
  Bind<&T::GetDragHandler>(cef()->get_drag_handler);
  Bind<&T::GetFindHandler>(cef()->get_find_handler);
  Bind<&T::GetFocusHandler>(cef()->get_focus_handler);
  Bind<&T::GetJsdialogHandler>(cef()->get_jsdialog_handler);
  Bind<&T::GetKeyboardHandler>(cef()->get_keyboard_handler);
  Bind<&T::GetLifeSpanHandler>(cef()->get_life_span_handler);
  Bind<&T::GetLoadHandler>(cef()->get_load_handler);
  Bind<&T::GetRenderHandler>(cef()->get_render_handler);
  Bind<&T::GetRequestHandler>(cef()->get_request_handler);
  Bind<&T::OnProcessMessageReceived>(cef()->on_process_message_received);
  if (!events) return;
  FLifeSpanHandler = CefNew<TCustomLifeSpanHandler>(events);
  FRequestHandler = CefNew<TCustomRequestHandler>(events);
  if (events->MustCreateLoadHandler()) FLoadHandler = CefNew<TCustomLoadHandler>(events);
  if (events->MustCreateDisplayHandler()) FDisplayHandler = CefNew<TCustomDisplayHandler>(events);
  if (events->MustCreateContextMenuHandler())
    FContextMenuHandler = CefNew<TCustomContextMenuHandler>(events);
  if (events->MustCreateDownloadHandler())
    FDownloadHandler = CefNew<TCustomDownloadHandler>(events);
}

namespace {

template <typename Handler, typename T>
void Detach(CefRef<T>& handler) {
  if (handler) Handler::FromSelf(handler.get())->RemoveReference();
  handler.Reset();
}

}  // namespace

void TCustomClientHandler::RemoveReferences() {
  std::lock_guard lock(FLock);
  Detach<TCustomLifeSpanHandler>(FLifeSpanHandler);
  Detach<TCustomRequestHandler>(FRequestHandler);
  Detach<TCustomLoadHandler>(FLoadHandler);
  Detach<TCustomDisplayHandler>(FDisplayHandler);
  Detach<TCustomContextMenuHandler>(FContextMenuHandler);
  Detach<TCustomDownloadHandler>(FDownloadHandler);
  RemoveReference();
}

template <typename T>
T* TCustomClientHandler::Hand(const CefRef<T>& handler) {
  std::lock_guard lock(FLock);
  return handler.Share();
}

cef_context_menu_handler_t* TCustomClientHandler::GetContextMenuHandler() {
  return Hand(FContextMenuHandler);
}
cef_display_handler_t* TCustomClientHandler::GetDisplayHandler() { return Hand(FDisplayHandler); }
cef_download_handler_t* TCustomClientHandler::GetDownloadHandler() {
  return Hand(FDownloadHandler);
}
cef_life_span_handler_t* TCustomClientHandler::GetLifeSpanHandler() {
  return Hand(FLifeSpanHandler);
}
cef_load_handler_t* TCustomClientHandler::GetLoadHandler() { return Hand(FLoadHandler); }
cef_request_handler_t* TCustomClientHandler::GetRequestHandler() { return Hand(FRequestHandler); }

int TCustomClientHandler::OnProcessMessageReceived(cef_browser_t* browser, cef_frame_t* frame,
                                                   cef_process_id_t, cef_process_message_t* message) {
  auto heldBrowser = CefAdopt(browser);
  auto heldFrame = CefAdopt(frame);
  auto heldMessage = CefAdopt(message);
  return 0;
}

}  // namespace quirel
