// Client handlers and the callbacks they receive: interface structs of the engine's C ABI.
#pragma once

#include "engine/capi/cef_forward.h"

// Life span handler

typedef struct _cef_life_span_handler_t {
  cef_base_ref_counted_t base;
  int(CEF_CALLBACK* on_before_popup)(cef_life_span_handler_t* self, cef_browser_t* browser,
                                     cef_frame_t* frame, const cef_string_t* target_url,
                                     const cef_string_t* target_frame_name,
                                     cef_window_open_disposition_t target_disposition,
                                     int user_gesture, const cef_popup_features_t* popupFeatures,
                                     cef_window_info_t* windowInfo, cef_client_t** client,
                                     cef_browser_settings_t* settings,
                                     cef_dictionary_value_t** extra_info,
                                     int* no_javascript_access);
  void(CEF_CALLBACK* on_after_created)(cef_life_span_handler_t* self, cef_browser_t* browser);
  int(CEF_CALLBACK* do_close)(cef_life_span_handler_t* self, cef_browser_t* browser);
  void(CEF_CALLBACK* on_before_close)(cef_life_span_handler_t* self, cef_browser_t* browser);
} cef_life_span_handler_t;

// Load handler

typedef struct _cef_load_handler_t {
  cef_base_ref_counted_t base;
  void(CEF_CALLBACK* on_loading_state_change)(cef_load_handler_t* self, cef_browser_t* browser,
                                              int isLoading, int canGoBack, int canGoForward);
  void(CEF_CALLBACK* on_load_start)(cef_load_handler_t* self, cef_browser_t* browser,
                                    cef_frame_t* frame, cef_transition_type_t transition_type);
  void(CEF_CALLBACK* on_load_end)(cef_load_handler_t* self, cef_browser_t* browser,
                                  cef_frame_t* frame, int httpStatusCode);
  void(CEF_CALLBACK* on_load_error)(cef_load_handler_t* self, cef_browser_t* browser,
                                    cef_frame_t* frame, cef_errorcode_t errorCode,
                                    const cef_string_t* errorText, const cef_string_t* failedUrl);
} cef_load_handler_t;

// Display handler

typedef struct _cef_display_handler_t {
  cef_base_ref_counted_t base;
  void(CEF_CALLBACK* on_address_change)(cef_display_handler_t* self, cef_browser_t* browser,
                                        cef_frame_t* frame, const cef_string_t* url);
  void(CEF_CALLBACK* on_title_change)(cef_display_handler_t* self, cef_browser_t* browser,
                                      const cef_string_t* title);
  void(CEF_CALLBACK* on_favicon_urlchange)(cef_display_handler_t* self, cef_browser_t* browser,
                                           cef_string_list_t icon_urls);
  void(CEF_CALLBACK* on_fullscreen_mode_change)(cef_display_handler_t* self, cef_browser_t* browser,
                                                int fullscreen);
  int(CEF_CALLBACK* on_tooltip)(cef_display_handler_t* self, cef_browser_t* browser,
                                cef_string_t* text);
  void(CEF_CALLBACK* on_status_message)(cef_display_handler_t* self, cef_browser_t* browser,
                                        const cef_string_t* value);
  int(CEF_CALLBACK* on_console_message)(cef_display_handler_t* self, cef_browser_t* browser,
                                        cef_log_severity_t level, const cef_string_t* message,
                                        const cef_string_t* source, int line);
  int(CEF_CALLBACK* on_auto_resize)(cef_display_handler_t* self, cef_browser_t* browser,
                                    const cef_size_t* new_size);
  void(CEF_CALLBACK* on_loading_progress_change)(cef_display_handler_t* self,
                                                 cef_browser_t* browser, double progress);
  int(CEF_CALLBACK* on_cursor_change)(cef_display_handler_t* self, cef_browser_t* browser,
                                      cef_cursor_handle_t cursor, cef_cursor_type_t type,
                                      const cef_cursor_info_t* custom_cursor_info);
} cef_display_handler_t;

// Request handler

typedef struct _cef_select_client_certificate_callback_t {
  cef_base_ref_counted_t base;
  void(CEF_CALLBACK* select)(cef_select_client_certificate_callback_t* self,
                             cef_x509certificate_t* cert);
} cef_select_client_certificate_callback_t;

typedef struct _cef_request_handler_t {
  cef_base_ref_counted_t base;
  int(CEF_CALLBACK* on_before_browse)(cef_request_handler_t* self, cef_browser_t* browser,
                                      cef_frame_t* frame, cef_request_t* request, int user_gesture,
                                      int is_redirect);
  int(CEF_CALLBACK* on_open_urlfrom_tab)(cef_request_handler_t* self, cef_browser_t* browser,
                                         cef_frame_t* frame, const cef_string_t* target_url,
                                         cef_window_open_disposition_t target_disposition,
                                         int user_gesture);
  cef_resource_request_handler_t*(CEF_CALLBACK* get_resource_request_handler)(
      cef_request_handler_t* self, cef_browser_t* browser, cef_frame_t* frame,
      cef_request_t* request, int is_navigation, int is_download,
      const cef_string_t* request_initiator, int* disable_default_handling);
  int(CEF_CALLBACK* get_auth_credentials)(cef_request_handler_t* self, cef_browser_t* browser,
                                          const cef_string_t* origin_url, int isProxy,
                                          const cef_string_t* host, int port,
                                          const cef_string_t* realm, const cef_string_t* scheme,
                                          cef_auth_callback_t* callback);
  int(CEF_CALLBACK* on_quota_request)(cef_request_handler_t* self, cef_browser_t* browser,
                                      const cef_string_t* origin_url, int64 new_size,
                                      cef_request_callback_t* callback);
  int(CEF_CALLBACK* on_certificate_error)(cef_request_handler_t* self, cef_browser_t* browser,
                                          cef_errorcode_t cert_error,
                                          const cef_string_t* request_url, cef_sslinfo_t* ssl_info,
                                          cef_request_callback_t* callback);
  int(CEF_CALLBACK* on_select_client_certificate)(
      cef_request_handler_t* self, cef_browser_t* browser, int isProxy, const cef_string_t* host,
      int port, size_t certificatesCount, cef_x509certificate_t* const* certificates,
      cef_select_client_certificate_callback_t* callback);
  void(CEF_CALLBACK* on_plugin_crashed)(cef_request_handler_t* self, cef_browser_t* browser,
                                        const cef_string_t* plugin_path);
  void(CEF_CALLBACK* on_render_view_ready)(cef_request_handler_t* self, cef_browser_t* browser);
  void(CEF_CALLBACK* on_render_process_terminated)(cef_request_handler_t* self,
                                                   cef_browser_t* browser,
                                                   cef_termination_status_t status);
  void(CEF_CALLBACK* on_document_available_in_main_frame)(cef_request_handler_t* self,
                                                          cef_browser_t* browser);
} cef_request_handler_t;

// Context menu handler

typedef struct _cef_run_context_menu_callback_t {
  cef_base_ref_counted_t base;
  void(CEF_CALLBACK* cont)(cef_run_context_menu_callback_t* self, int command_id,
                           cef_event_flags_t event_flags);
  void(CEF_CALLBACK* cancel)(cef_run_context_menu_callback_t* self);
} cef_run_context_menu_callback_t;

typedef struct _cef_context_menu_handler_t {
  cef_base_ref_counted_t base;
  void(CEF_CALLBACK* on_before_context_menu)(cef_context_menu_handler_t* self,
                                             cef_browser_t* browser, cef_frame_t* frame,
                                             cef_context_menu_params_t* params,
                                             cef_menu_model_t* model);
  int(CEF_CALLBACK* run_context_menu)(cef_context_menu_handler_t* self, cef_browser_t* browser,
                                      cef_frame_t* frame, cef_context_menu_params_t* params,
                                      cef_menu_model_t* model,
                                      cef_run_context_menu_callback_t* callback);
  int(CEF_CALLBACK* on_context_menu_command)(cef_context_menu_handler_t* self,
                                             cef_browser_t* browser, cef_frame_t* frame,
                                             cef_context_menu_params_t* params, int command_id,
                                             cef_event_flags_t event_flags);
  void(CEF_CALLBACK* on_context_menu_dismissed)(cef_context_menu_handler_t* self,
                                                cef_browser_t* browser, cef_frame_t* frame);
} cef_context_menu_handler_t;

typedef struct _cef_context_menu_params_t {
  cef_base_ref_counted_t base;
  int(CEF_CALLBACK* get_xcoord)(cef_context_menu_params_t* self);
  int(CEF_CALLBACK* get_ycoord)(cef_context_menu_params_t* self);
  cef_context_menu_type_flags_t(CEF_CALLBACK* get_type_flags)(cef_context_menu_params_t* self);
  cef_string_userfree_t(CEF_CALLBACK* get_link_url)(cef_context_menu_params_t* self);
  cef_string_userfree_t(CEF_CALLBACK* get_unfiltered_link_url)(cef_context_menu_params_t* self);
  cef_string_userfree_t(CEF_CALLBACK* get_source_url)(cef_context_menu_params_t* self);
  int(CEF_CALLBACK* has_image_contents)(cef_context_menu_params_t* self);
  cef_string_userfree_t(CEF_CALLBACK* get_title_text)(cef_context_menu_params_t* self);
  cef_string_userfree_t(CEF_CALLBACK* get_page_url)(cef_context_menu_params_t* self);
  cef_string_userfree_t(CEF_CALLBACK* get_frame_url)(cef_context_menu_params_t* self);
  cef_string_userfree_t(CEF_CALLBACK* get_frame_charset)(cef_context_menu_params_t* self);
  cef_context_menu_media_type_t(CEF_CALLBACK* get_media_type)(cef_context_menu_params_t* self);
  cef_context_menu_media_state_flags_t(CEF_CALLBACK* get_media_state_flags)(
      cef_context_menu_params_t* self);
  cef_string_userfree_t(CEF_CALLBACK* get_selection_text)(cef_context_menu_params_t* self);
  cef_string_userfree_t(CEF_CALLBACK* get_misspelled_word)(cef_context_menu_params_t* self);
  int(CEF_CALLBACK* get_dictionary_suggestions)(cef_context_menu_params_t* self,
                                                cef_string_list_t suggestions);
  int(CEF_CALLBACK* is_editable)(cef_context_menu_params_t* self);
  int(CEF_CALLBACK* is_spell_check_enabled)(cef_context_menu_params_t* self);
  cef_context_menu_edit_state_flags_t(CEF_CALLBACK* get_edit_state_flags)(
      cef_context_menu_params_t* self);
  int(CEF_CALLBACK* is_custom_menu)(cef_context_menu_params_t* self);
  int(CEF_CALLBACK* is_pepper_menu)(cef_context_menu_params_t* self);
} cef_context_menu_params_t;

// Download handler

typedef struct _cef_before_download_callback_t {
  cef_base_ref_counted_t base;
  void(CEF_CALLBACK* cont)(cef_before_download_callback_t* self, const cef_string_t* download_path,
                           int show_dialog);
} cef_before_download_callback_t;

typedef struct _cef_download_item_callback_t {
  cef_base_ref_counted_t base;
  void(CEF_CALLBACK* cancel)(cef_download_item_callback_t* self);
  void(CEF_CALLBACK* pause)(cef_download_item_callback_t* self);
  void(CEF_CALLBACK* resume)(cef_download_item_callback_t* self);
} cef_download_item_callback_t;

typedef struct _cef_download_handler_t {
  cef_base_ref_counted_t base;
  void(CEF_CALLBACK* on_before_download)(cef_download_handler_t* self, cef_browser_t* browser,
                                         cef_download_item_t* download_item,
                                         const cef_string_t* suggested_name,
                                         cef_before_download_callback_t* callback);
  void(CEF_CALLBACK* on_download_updated)(cef_download_handler_t* self, cef_browser_t* browser,
                                          cef_download_item_t* download_item,
                                          cef_download_item_callback_t* callback);
} cef_download_handler_t;

// Dialog handler

typedef struct _cef_file_dialog_callback_t {
  cef_base_ref_counted_t base;
  void(CEF_CALLBACK* cont)(cef_file_dialog_callback_t* self, int selected_accept_filter,
                           cef_string_list_t file_paths);
  void(CEF_CALLBACK* cancel)(cef_file_dialog_callback_t* self);
} cef_file_dialog_callback_t;

typedef struct _cef_dialog_handler_t {
  cef_base_ref_counted_t base;
  int(CEF_CALLBACK* on_file_dialog)(cef_dialog_handler_t* self, cef_browser_t* browser,
                                    cef_file_dialog_mode_t mode, const cef_string_t* title,
                                    const cef_string_t* default_file_path,
                                    cef_string_list_t accept_filters, int selected_accept_filter,
                                    cef_file_dialog_callback_t* callback);
} cef_dialog_handler_t;

// JavaScript dialog handler

typedef struct _cef_jsdialog_callback_t {
  cef_base_ref_counted_t base;
  void(CEF_CALLBACK* cont)(cef_jsdialog_callback_t* self, int success,
                           const cef_string_t* user_input);
} cef_jsdialog_callback_t;

typedef struct _cef_jsdialog_handler_t {
  cef_base_ref_counted_t base;
  int(CEF_CALLBACK* on_jsdialog)(cef_jsdialog_handler_t* self, cef_browser_t* browser,
                                 const cef_string_t* origin_url, cef_jsdialog_type_t dialog_type,
                                 const cef_string_t* message_text,
                                 const cef_string_t* default_prompt_text,
                                 cef_jsdialog_callback_t* callback, int* suppress_message);
  int(CEF_CALLBACK* on_before_unload_dialog)(cef_jsdialog_handler_t* self, cef_browser_t* browser,
                                             const cef_string_t* message_text, int is_reload,
                                             cef_jsdialog_callback_t* callback);
  void(CEF_CALLBACK* on_reset_dialog_state)(cef_jsdialog_handler_t* self, cef_browser_t* browser);
  void(CEF_CALLBACK* on_dialog_closed)(cef_jsdialog_handler_t* self, cef_browser_t* browser);
} cef_jsdialog_handler_t;

// Keyboard handler

typedef struct _cef_keyboard_handler_t {
  cef_base_ref_counted_t base;
  int(CEF_CALLBACK* on_pre_key_event)(cef_keyboard_handler_t* self, cef_browser_t* browser,
                                      const cef_key_event_t* event, cef_event_handle_t os_event,
                                      int* is_keyboard_shortcut);
  int(CEF_CALLBACK* on_key_event)(cef_keyboard_handler_t* self, cef_browser_t* browser,
                                  const cef_key_event_t* event, cef_event_handle_t os_event);
} cef_keyboard_handler_t;

// Focus handler

typedef struct _cef_focus_handler_t {
  cef_base_ref_counted_t base;
  void(CEF_CALLBACK* on_take_focus)(cef_focus_handler_t* self, cef_browser_t* browser, int next);
  int(CEF_CALLBACK* on_set_focus)(cef_focus_handler_t* self, cef_browser_t* browser,
                                  cef_focus_source_t source);
  void(CEF_CALLBACK* on_got_focus)(cef_focus_handler_t* self, cef_browser_t* browser);
} cef_focus_handler_t;

// Drag handler

typedef struct _cef_drag_handler_t {
  cef_base_ref_counted_t base;
  int(CEF_CALLBACK* on_drag_enter)(cef_drag_handler_t* self, cef_browser_t* browser,
                                   cef_drag_data_t* dragData, cef_drag_operations_mask_t mask);
  void(CEF_CALLBACK* on_draggable_regions_changed)(cef_drag_handler_t* self, cef_browser_t* browser,
                                                   cef_frame_t* frame, size_t regionsCount,
                                                   const cef_draggable_region_t* regions);
} cef_drag_handler_t;

// Find handler

typedef struct _cef_find_handler_t {
  cef_base_ref_counted_t base;
  void(CEF_CALLBACK* on_find_result)(cef_find_handler_t* self, cef_browser_t* browser,
                                     int identifier, int count, const cef_rect_t* selectionRect,
                                     int activeMatchOrdinal, int finalUpdate);
} cef_find_handler_t;

// Render handler

typedef struct _cef_render_handler_t {
  cef_base_ref_counted_t base;
  cef_accessibility_handler_t*(CEF_CALLBACK* get_accessibility_handler)(cef_render_handler_t* self);
  int(CEF_CALLBACK* get_root_screen_rect)(cef_render_handler_t* self, cef_browser_t* browser,
                                          cef_rect_t* rect);
  void(CEF_CALLBACK* get_view_rect)(cef_render_handler_t* self, cef_browser_t* browser,
                                    cef_rect_t* rect);
  int(CEF_CALLBACK* get_screen_point)(cef_render_handler_t* self, cef_browser_t* browser, int viewX,
                                      int viewY, int* screenX, int* screenY);
  int(CEF_CALLBACK* get_screen_info)(cef_render_handler_t* self, cef_browser_t* browser,
                                     cef_screen_info_t* screen_info);
  void(CEF_CALLBACK* on_popup_show)(cef_render_handler_t* self, cef_browser_t* browser, int show);
  void(CEF_CALLBACK* on_popup_size)(cef_render_handler_t* self, cef_browser_t* browser,
                                    const cef_rect_t* rect);
  void(CEF_CALLBACK* on_paint)(cef_render_handler_t* self, cef_browser_t* browser,
                               cef_paint_element_type_t type, size_t dirtyRectsCount,
                               const cef_rect_t* dirtyRects, const void* buffer, int width,
                               int height);
  void(CEF_CALLBACK* on_accelerated_paint)(cef_render_handler_t* self, cef_browser_t* browser,
                                           cef_paint_element_type_t type, size_t dirtyRectsCount,
                                           const cef_rect_t* dirtyRects, void* shared_handle);
  int(CEF_CALLBACK* start_dragging)(cef_render_handler_t* self, cef_browser_t* browser,
                                    cef_drag_data_t* drag_data,
                                    cef_drag_operations_mask_t allowed_ops, int x, int y);
  void(CEF_CALLBACK* update_drag_cursor)(cef_render_handler_t* self, cef_browser_t* browser,
                                         cef_drag_operations_mask_t operation);
  void(CEF_CALLBACK* on_scroll_offset_changed)(cef_render_handler_t* self, cef_browser_t* browser,
                                               double x, double y);
  void(CEF_CALLBACK* on_ime_composition_range_changed)(cef_render_handler_t* self,
                                                       cef_browser_t* browser,
                                                       const cef_range_t* selected_range,
                                                       size_t character_boundsCount,
                                                       const cef_rect_t* character_bounds);
  void(CEF_CALLBACK* on_text_selection_changed)(cef_render_handler_t* self, cef_browser_t* browser,
                                                const cef_string_t* selected_text,
                                                const cef_range_t* selected_range);
  void(CEF_CALLBACK* on_virtual_keyboard_requested)(cef_render_handler_t* self,
                                                    cef_browser_t* browser,
                                                    cef_text_input_mode_t input_mode);
} cef_render_handler_t;

// Print handler

typedef struct _cef_print_dialog_callback_t {
  cef_base_ref_counted_t base;
  void(CEF_CALLBACK* cont)(cef_print_dialog_callback_t* self, cef_print_settings_t* settings);
  void(CEF_CALLBACK* cancel)(cef_print_dialog_callback_t* self);
} cef_print_dialog_callback_t;

typedef struct _cef_print_job_callback_t {
  cef_base_ref_counted_t base;
  void(CEF_CALLBACK* cont)(cef_print_job_callback_t* self);
} cef_print_job_callback_t;

typedef struct _cef_print_handler_t {
  cef_base_ref_counted_t base;
  void(CEF_CALLBACK* on_print_start)(cef_print_handler_t* self, cef_browser_t* browser);
  void(CEF_CALLBACK* on_print_settings)(cef_print_handler_t* self, cef_browser_t* browser,
                                        cef_print_settings_t* settings, int get_defaults);
  int(CEF_CALLBACK* on_print_dialog)(cef_print_handler_t* self, cef_browser_t* browser,
                                     int has_selection, cef_print_dialog_callback_t* callback);
  int(CEF_CALLBACK* on_print_job)(cef_print_handler_t* self, cef_browser_t* browser,
                                  const cef_string_t* document_name,
                                  const cef_string_t* pdf_file_path,
                                  cef_print_job_callback_t* callback);
  void(CEF_CALLBACK* on_print_reset)(cef_print_handler_t* self, cef_browser_t* browser);
  cef_size_t(CEF_CALLBACK* get_pdf_paper_size)(cef_print_handler_t* self,
                                               int device_units_per_inch);
} cef_print_handler_t;

// Audio handler

typedef struct _cef_audio_handler_t {
  cef_base_ref_counted_t base;
  int(CEF_CALLBACK* get_audio_parameters)(cef_audio_handler_t* self, cef_browser_t* browser,
                                          cef_audio_parameters_t* params);
  void(CEF_CALLBACK* on_audio_stream_started)(cef_audio_handler_t* self, cef_browser_t* browser,
                                              const cef_audio_parameters_t* params, int channels);
  void(CEF_CALLBACK* on_audio_stream_packet)(cef_audio_handler_t* self, cef_browser_t* browser,
                                             const float** data, int frames, int64 pts);
  void(CEF_CALLBACK* on_audio_stream_stopped)(cef_audio_handler_t* self, cef_browser_t* browser);
  void(CEF_CALLBACK* on_audio_stream_error)(cef_audio_handler_t* self, cef_browser_t* browser,
                                            const cef_string_t* message);
} cef_audio_handler_t;

// Accessibility handler

typedef struct _cef_accessibility_handler_t {
  cef_base_ref_counted_t base;
  void(CEF_CALLBACK* on_accessibility_tree_change)(cef_accessibility_handler_t* self,
                                                   cef_value_t* value);
  void(CEF_CALLBACK* on_accessibility_location_change)(cef_accessibility_handler_t* self,
                                                       cef_value_t* value);
} cef_accessibility_handler_t;

// Extension handler

typedef struct _cef_get_extension_resource_callback_t {
  cef_base_ref_counted_t base;
  void(CEF_CALLBACK* cont)(cef_get_extension_resource_callback_t* self,
                           cef_stream_reader_t* stream);
  void(CEF_CALLBACK* cancel)(cef_get_extension_resource_callback_t* self);
} cef_get_extension_resource_callback_t;

typedef struct _cef_extension_handler_t {
  cef_base_ref_counted_t base;
  void(CEF_CALLBACK* on_extension_load_failed)(cef_extension_handler_t* self,
                                               cef_errorcode_t result);
  void(CEF_CALLBACK* on_extension_loaded)(cef_extension_handler_t* self,
                                          cef_extension_t* extension);
  void(CEF_CALLBACK* on_extension_unloaded)(cef_extension_handler_t* self,
                                            cef_extension_t* extension);
  int(CEF_CALLBACK* on_before_background_browser)(cef_extension_handler_t* self,
                                                  cef_extension_t* extension,
                                                  const cef_string_t* url, cef_client_t** client,
                                                  cef_browser_settings_t* settings);
  int(CEF_CALLBACK* on_before_browser)(cef_extension_handler_t* self, cef_extension_t* extension,
                                       cef_browser_t* browser, cef_browser_t* active_browser,
                                       int index, const cef_string_t* url, int active,
                                       cef_window_info_t* windowInfo, cef_client_t** client,
                                       cef_browser_settings_t* settings);
  cef_browser_t*(CEF_CALLBACK* get_active_browser)(cef_extension_handler_t* self,
                                                   cef_extension_t* extension,
                                                   cef_browser_t* browser, int include_incognito);
  int(CEF_CALLBACK* can_access_browser)(cef_extension_handler_t* self, cef_extension_t* extension,
                                        cef_browser_t* browser, int include_incognito,
                                        cef_browser_t* target_browser);
  int(CEF_CALLBACK* get_extension_resource)(cef_extension_handler_t* self,
                                            cef_extension_t* extension, cef_browser_t* browser,
                                            const cef_string_t* file,
                                            cef_get_extension_resource_callback_t* callback);
} cef_extension_handler_t;
