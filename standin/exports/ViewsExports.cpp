// The views framework: not offered by the stand-in (see Unsupported.h).
#include "standin/core/Trace.h"
#include "standin/exports/Exports.h"
#include "standin/exports/Unsupported.h"

using namespace quirel::standin;

extern "C" {

cef_browser_view_t* cef_browser_view_create(cef_client_t* client, const cef_string_t* url,
                                            const cef_browser_settings_t*,
                                            cef_dictionary_value_t* extra_info,
                                            cef_request_context_t* request_context,
                                            cef_browser_view_delegate_t* delegate) {
  ReleaseArguments(client, extra_info, request_context, delegate);
  trace::Call("cef_browser_view_create").Text("url", url);
  return nullptr;
}

cef_browser_view_t* cef_browser_view_get_for_browser(cef_browser_t* browser) {
  ReleaseArguments(browser);
  trace::Call("cef_browser_view_get_for_browser");
  return nullptr;
}

cef_display_t* cef_display_get_primary() {
  trace::Call("cef_display_get_primary");
  return nullptr;
}

cef_display_t* cef_display_get_nearest_point(const cef_point_t*, int input_pixel_coords) {
  trace::Call("cef_display_get_nearest_point").Int("input_pixel_coords", input_pixel_coords);
  return nullptr;
}

cef_display_t* cef_display_get_matching_bounds(const cef_rect_t*, int input_pixel_coords) {
  trace::Call("cef_display_get_matching_bounds").Int("input_pixel_coords", input_pixel_coords);
  return nullptr;
}

size_t cef_display_get_count() {
  trace::Call("cef_display_get_count");
  return 0;
}

void cef_display_get_alls(size_t* displaysCount, cef_display_t**) {
  trace::Call("cef_display_get_alls");
  if (displaysCount) *displaysCount = 0;
}

cef_label_button_t* cef_label_button_create(cef_button_delegate_t* delegate,
                                            const cef_string_t* text) {
  ReleaseArguments(delegate);
  trace::Call("cef_label_button_create").Text("text", text);
  return nullptr;
}

cef_menu_button_t* cef_menu_button_create(cef_menu_button_delegate_t* delegate,
                                          const cef_string_t* text) {
  ReleaseArguments(delegate);
  trace::Call("cef_menu_button_create").Text("text", text);
  return nullptr;
}

cef_panel_t* cef_panel_create(cef_panel_delegate_t* delegate) {
  ReleaseArguments(delegate);
  trace::Call("cef_panel_create");
  return nullptr;
}

cef_scroll_view_t* cef_scroll_view_create(cef_view_delegate_t* delegate) {
  ReleaseArguments(delegate);
  trace::Call("cef_scroll_view_create");
  return nullptr;
}

cef_textfield_t* cef_textfield_create(cef_textfield_delegate_t* delegate) {
  ReleaseArguments(delegate);
  trace::Call("cef_textfield_create");
  return nullptr;
}

cef_window_t* cef_window_create_top_level(cef_window_delegate_t* delegate) {
  ReleaseArguments(delegate);
  trace::Call("cef_window_create_top_level");
  return nullptr;
}

}  // extern "C"
