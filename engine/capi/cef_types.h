// Scalar types, strings, time and the plain records of the engine's C ABI
// (Chromium Embedded Framework 87.1.x, Windows). Layouts must match the engine
// byte for byte; the build checks every member against engine/capi/abi/.
#pragma once

#include <windows.h>

#include <cstddef>

#include "engine/capi/cef_enums.h"

// Interface callbacks use the Windows callback convention (matters on i686);
// exported functions and the string destructors are plain C functions.
#define CEF_CALLBACK __stdcall
#define CEF_CDECL __cdecl

static_assert(sizeof(wchar_t) == 2, "the engine's strings are UTF-16");

typedef wchar_t char16;
typedef int int32;
typedef unsigned int uint32;
typedef long long int64;
typedef unsigned long long uint64;
typedef unsigned short uint16;
typedef uint32 cef_color_t;  // ARGB

typedef HWND cef_window_handle_t;
typedef HCURSOR cef_cursor_handle_t;
typedef MSG* cef_event_handle_t;
typedef DWORD cef_platform_thread_id_t;
typedef DWORD cef_platform_thread_handle_t;

// Strings. A null dtor means the buffer is borrowed; otherwise whoever filled
// the string supplied the function that frees it.
typedef struct _cef_string_wide_t {
  wchar_t* str;
  size_t length;
  void(CEF_CDECL* dtor)(wchar_t* str);
} cef_string_wide_t;

typedef struct _cef_string_utf8_t {
  char* str;
  size_t length;
  void(CEF_CDECL* dtor)(char* str);
} cef_string_utf8_t;

typedef struct _cef_string_utf16_t {
  char16* str;
  size_t length;
  void(CEF_CDECL* dtor)(char16* str);
} cef_string_utf16_t;

typedef cef_string_utf16_t cef_string_t;

// Strings the library allocates and the receiver frees with the matching
// cef_string_userfree_*_free export.
typedef cef_string_wide_t* cef_string_userfree_wide_t;
typedef cef_string_utf8_t* cef_string_userfree_utf8_t;
typedef cef_string_utf16_t* cef_string_userfree_utf16_t;
typedef cef_string_userfree_utf16_t cef_string_userfree_t;

// Opaque string containers, used only through the cef_string_list_*,
// cef_string_map_* and cef_string_multimap_* exports.
typedef void* cef_string_list_t;
typedef void* cef_string_map_t;
typedef void* cef_string_multimap_t;

// Calendar time, field by field.
typedef struct _cef_time_t {
  int year;
  int month;
  int day_of_week;
  int day_of_month;
  int hour;
  int minute;
  int second;
  int millisecond;
} cef_time_t;

// Windows-specific records.
typedef struct _cef_main_args_t {
  HINSTANCE instance;
} cef_main_args_t;

typedef struct _cef_window_info_t {
  DWORD ex_style;
  cef_string_t window_name;
  DWORD style;
  int x;
  int y;
  int width;
  int height;
  cef_window_handle_t parent_window;
  HMENU menu;
  int windowless_rendering_enabled;
  int shared_texture_enabled;
  int external_begin_frame_enabled;
  cef_window_handle_t window;
} cef_window_info_t;

// Settings and other plain records. The records whose first member is `size`
// carry sizeof of the whole record, set by whoever fills them.
typedef struct _cef_settings_t {
  size_t size;
  int no_sandbox;
  cef_string_t browser_subprocess_path;
  cef_string_t framework_dir_path;
  cef_string_t main_bundle_path;
  int chrome_runtime;
  int multi_threaded_message_loop;
  int external_message_pump;
  int windowless_rendering_enabled;
  int command_line_args_disabled;
  cef_string_t cache_path;
  cef_string_t root_cache_path;
  cef_string_t user_data_path;
  int persist_session_cookies;
  int persist_user_preferences;
  cef_string_t user_agent;
  cef_string_t product_version;
  cef_string_t locale;
  cef_string_t log_file;
  cef_log_severity_t log_severity;
  cef_string_t javascript_flags;
  cef_string_t resources_dir_path;
  cef_string_t locales_dir_path;
  int pack_loading_disabled;
  int remote_debugging_port;
  int uncaught_exception_stack_size;
  int ignore_certificate_errors;
  cef_color_t background_color;
  cef_string_t accept_language_list;
  cef_string_t application_client_id_for_file_scanning;
} cef_settings_t;

typedef struct _cef_request_context_settings_t {
  size_t size;
  cef_string_t cache_path;
  int persist_session_cookies;
  int persist_user_preferences;
  int ignore_certificate_errors;
  cef_string_t accept_language_list;
} cef_request_context_settings_t;

typedef struct _cef_browser_settings_t {
  size_t size;
  int windowless_frame_rate;
  cef_string_t standard_font_family;
  cef_string_t fixed_font_family;
  cef_string_t serif_font_family;
  cef_string_t sans_serif_font_family;
  cef_string_t cursive_font_family;
  cef_string_t fantasy_font_family;
  int default_font_size;
  int default_fixed_font_size;
  int minimum_font_size;
  int minimum_logical_font_size;
  cef_string_t default_encoding;
  cef_state_t remote_fonts;
  cef_state_t javascript;
  cef_state_t javascript_close_windows;
  cef_state_t javascript_access_clipboard;
  cef_state_t javascript_dom_paste;
  cef_state_t plugins;
  cef_state_t universal_access_from_file_urls;
  cef_state_t file_access_from_file_urls;
  cef_state_t web_security;
  cef_state_t image_loading;
  cef_state_t image_shrink_standalone_to_fit;
  cef_state_t text_area_resize;
  cef_state_t tab_to_links;
  cef_state_t local_storage;
  cef_state_t databases;
  cef_state_t application_cache;
  cef_state_t webgl;
  cef_color_t background_color;
  cef_string_t accept_language_list;
} cef_browser_settings_t;

typedef struct _cef_urlparts_t {
  cef_string_t url_spec;  // the whole URL
  cef_string_t scheme;
  cef_string_t username;
  cef_string_t password;
  cef_string_t host;
  cef_string_t port;
  cef_string_t origin;
  cef_string_t path;
  cef_string_t query;
  cef_string_t fragment;
} cef_urlparts_t;

typedef struct _cef_cookie_t {
  cef_string_t name;
  cef_string_t value;
  cef_string_t domain;
  cef_string_t path;
  int secure;
  int httponly;
  cef_time_t creation;
  cef_time_t last_access;
  int has_expires;
  cef_time_t expires;
  cef_cookie_same_site_t same_site;
  cef_cookie_priority_t priority;
} cef_cookie_t;

typedef struct _cef_point_t {
  int x;
  int y;
} cef_point_t;

typedef struct _cef_rect_t {
  int x;
  int y;
  int width;
  int height;
} cef_rect_t;

typedef struct _cef_size_t {
  int width;
  int height;
} cef_size_t;

typedef struct _cef_range_t {
  int from;
  int to;
} cef_range_t;

typedef struct _cef_insets_t {
  int top;
  int left;
  int bottom;
  int right;
} cef_insets_t;

typedef struct _cef_draggable_region_t {
  cef_rect_t bounds;
  int draggable;
} cef_draggable_region_t;

typedef struct _cef_screen_info_t {
  float device_scale_factor;
  int depth;
  int depth_per_component;
  int is_monochrome;
  cef_rect_t rect;
  cef_rect_t available_rect;
} cef_screen_info_t;

typedef struct _cef_mouse_event_t {
  int x;
  int y;
  uint32 modifiers;
} cef_mouse_event_t;

typedef struct _cef_touch_event_t {
  int id;
  float x;
  float y;
  float radius_x;
  float radius_y;
  float rotation_angle;
  float pressure;
  cef_touch_event_type_t type;
  uint32 modifiers;
  cef_pointer_type_t pointer_type;
} cef_touch_event_t;

typedef struct _cef_key_event_t {
  cef_key_event_type_t type;
  uint32 modifiers;
  int windows_key_code;
  int native_key_code;
  int is_system_key;
  char16 character;
  char16 unmodified_character;
  int focus_on_editable_field;
} cef_key_event_t;

typedef struct _cef_popup_features_t {
  int x;
  int xSet;
  int y;
  int ySet;
  int width;
  int widthSet;
  int height;
  int heightSet;
  int menuBarVisible;
  int statusBarVisible;
  int toolBarVisible;
  int scrollbarsVisible;
} cef_popup_features_t;

typedef struct _cef_cursor_info_t {
  cef_point_t hotspot;
  float image_scale_factor;
  void* buffer;
  cef_size_t size;
} cef_cursor_info_t;

typedef struct _cef_pdf_print_settings_t {
  cef_string_t header_footer_title;
  cef_string_t header_footer_url;
  int page_width;
  int page_height;
  int scale_factor;
  int margin_top;
  int margin_right;
  int margin_bottom;
  int margin_left;
  cef_pdf_print_margin_type_t margin_type;
  int header_footer_enabled;
  int selection_only;
  int landscape;
  int backgrounds_enabled;
} cef_pdf_print_settings_t;

typedef struct _cef_box_layout_settings_t {
  int horizontal;
  int inside_border_horizontal_spacing;
  int inside_border_vertical_spacing;
  cef_insets_t inside_border_insets;
  int between_child_spacing;
  cef_main_axis_alignment_t main_axis_alignment;
  cef_cross_axis_alignment_t cross_axis_alignment;
  int minimum_cross_axis_size;
  int default_flex;
} cef_box_layout_settings_t;

typedef struct _cef_composition_underline_t {
  cef_range_t range;
  cef_color_t color;
  cef_color_t background_color;
  int thick;
  cef_composition_underline_style_t style;
} cef_composition_underline_t;

typedef struct _cef_audio_parameters_t {
  cef_channel_layout_t channel_layout;
  int sample_rate;
  int frames_per_buffer;
} cef_audio_parameters_t;

typedef struct _cef_media_sink_device_info_t {
  cef_string_t ip_address;
  int port;
  cef_string_t model_name;
} cef_media_sink_device_info_t;

// The sizes the 32-bit program is built around.
#if defined(__i386__) || defined(_M_IX86)
static_assert(sizeof(cef_settings_t) == 240);
static_assert(sizeof(cef_window_info_t) == 60);
static_assert(sizeof(cef_popup_features_t) == 48);
#endif
