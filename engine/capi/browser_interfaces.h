// Browsers, frames and the objects they hand out: interface structs of the engine's C ABI.
#pragma once

#include "engine/capi/cef_forward.h"

// Browser and browser host

typedef struct _cef_browser_t {
  cef_base_ref_counted_t base;
  cef_browser_host_t*(CEF_CALLBACK* get_host)(cef_browser_t* self);
  int(CEF_CALLBACK* can_go_back)(cef_browser_t* self);
  void(CEF_CALLBACK* go_back)(cef_browser_t* self);
  int(CEF_CALLBACK* can_go_forward)(cef_browser_t* self);
  void(CEF_CALLBACK* go_forward)(cef_browser_t* self);
  int(CEF_CALLBACK* is_loading)(cef_browser_t* self);
  void(CEF_CALLBACK* reload)(cef_browser_t* self);
  void(CEF_CALLBACK* reload_ignore_cache)(cef_browser_t* self);
  void(CEF_CALLBACK* stop_load)(cef_browser_t* self);
  int(CEF_CALLBACK* get_identifier)(cef_browser_t* self);
  int(CEF_CALLBACK* is_same)(cef_browser_t* self, cef_browser_t* that);
  int(CEF_CALLBACK* is_popup)(cef_browser_t* self);
  int(CEF_CALLBACK* has_document)(cef_browser_t* self);
  cef_frame_t*(CEF_CALLBACK* get_main_frame)(cef_browser_t* self);
  cef_frame_t*(CEF_CALLBACK* get_focused_frame)(cef_browser_t* self);
  cef_frame_t*(CEF_CALLBACK* get_frame_byident)(cef_browser_t* self, int64 identifier);
  cef_frame_t*(CEF_CALLBACK* get_frame)(cef_browser_t* self, const cef_string_t* name);
  size_t(CEF_CALLBACK* get_frame_count)(cef_browser_t* self);
  void(CEF_CALLBACK* get_frame_identifiers)(cef_browser_t* self, size_t* identifiersCount,
                                            int64* identifiers);
  void(CEF_CALLBACK* get_frame_names)(cef_browser_t* self, cef_string_list_t names);
} cef_browser_t;

typedef struct _cef_run_file_dialog_callback_t {
  cef_base_ref_counted_t base;
  void(CEF_CALLBACK* on_file_dialog_dismissed)(cef_run_file_dialog_callback_t* self,
                                               int selected_accept_filter,
                                               cef_string_list_t file_paths);
} cef_run_file_dialog_callback_t;

typedef struct _cef_navigation_entry_visitor_t {
  cef_base_ref_counted_t base;
  int(CEF_CALLBACK* visit)(cef_navigation_entry_visitor_t* self, cef_navigation_entry_t* entry,
                           int current, int index, int total);
} cef_navigation_entry_visitor_t;

typedef struct _cef_pdf_print_callback_t {
  cef_base_ref_counted_t base;
  void(CEF_CALLBACK* on_pdf_print_finished)(cef_pdf_print_callback_t* self,
                                            const cef_string_t* path, int ok);
} cef_pdf_print_callback_t;

typedef struct _cef_download_image_callback_t {
  cef_base_ref_counted_t base;
  void(CEF_CALLBACK* on_download_image_finished)(cef_download_image_callback_t* self,
                                                 const cef_string_t* image_url,
                                                 int http_status_code, cef_image_t* image);
} cef_download_image_callback_t;

typedef struct _cef_browser_host_t {
  cef_base_ref_counted_t base;
  cef_browser_t*(CEF_CALLBACK* get_browser)(cef_browser_host_t* self);
  void(CEF_CALLBACK* close_browser)(cef_browser_host_t* self, int force_close);
  int(CEF_CALLBACK* try_close_browser)(cef_browser_host_t* self);
  void(CEF_CALLBACK* set_focus)(cef_browser_host_t* self, int focus);
  cef_window_handle_t(CEF_CALLBACK* get_window_handle)(cef_browser_host_t* self);
  cef_window_handle_t(CEF_CALLBACK* get_opener_window_handle)(cef_browser_host_t* self);
  int(CEF_CALLBACK* has_view)(cef_browser_host_t* self);
  cef_client_t*(CEF_CALLBACK* get_client)(cef_browser_host_t* self);
  cef_request_context_t*(CEF_CALLBACK* get_request_context)(cef_browser_host_t* self);
  double(CEF_CALLBACK* get_zoom_level)(cef_browser_host_t* self);
  void(CEF_CALLBACK* set_zoom_level)(cef_browser_host_t* self, double zoomLevel);
  void(CEF_CALLBACK* run_file_dialog)(cef_browser_host_t* self, cef_file_dialog_mode_t mode,
                                      const cef_string_t* title,
                                      const cef_string_t* default_file_path,
                                      cef_string_list_t accept_filters, int selected_accept_filter,
                                      cef_run_file_dialog_callback_t* callback);
  void(CEF_CALLBACK* start_download)(cef_browser_host_t* self, const cef_string_t* url);
  void(CEF_CALLBACK* download_image)(cef_browser_host_t* self, const cef_string_t* image_url,
                                     int is_favicon, uint32 max_image_size, int bypass_cache,
                                     cef_download_image_callback_t* callback);
  void(CEF_CALLBACK* print)(cef_browser_host_t* self);
  void(CEF_CALLBACK* print_to_pdf)(cef_browser_host_t* self, const cef_string_t* path,
                                   const cef_pdf_print_settings_t* settings,
                                   cef_pdf_print_callback_t* callback);
  void(CEF_CALLBACK* find)(cef_browser_host_t* self, int identifier, const cef_string_t* searchText,
                           int forward, int matchCase, int findNext);
  void(CEF_CALLBACK* stop_finding)(cef_browser_host_t* self, int clearSelection);
  void(CEF_CALLBACK* show_dev_tools)(cef_browser_host_t* self, const cef_window_info_t* windowInfo,
                                     cef_client_t* client, const cef_browser_settings_t* settings,
                                     const cef_point_t* inspect_element_at);
  void(CEF_CALLBACK* close_dev_tools)(cef_browser_host_t* self);
  int(CEF_CALLBACK* has_dev_tools)(cef_browser_host_t* self);
  int(CEF_CALLBACK* send_dev_tools_message)(cef_browser_host_t* self, const void* message,
                                            size_t message_size);
  int(CEF_CALLBACK* execute_dev_tools_method)(cef_browser_host_t* self, int message_id,
                                              const cef_string_t* method,
                                              cef_dictionary_value_t* params);
  cef_registration_t*(CEF_CALLBACK* add_dev_tools_message_observer)(
      cef_browser_host_t* self, cef_dev_tools_message_observer_t* observer);
  void(CEF_CALLBACK* get_navigation_entries)(cef_browser_host_t* self,
                                             cef_navigation_entry_visitor_t* visitor,
                                             int current_only);
  void(CEF_CALLBACK* replace_misspelling)(cef_browser_host_t* self, const cef_string_t* word);
  void(CEF_CALLBACK* add_word_to_dictionary)(cef_browser_host_t* self, const cef_string_t* word);
  int(CEF_CALLBACK* is_window_rendering_disabled)(cef_browser_host_t* self);
  void(CEF_CALLBACK* was_resized)(cef_browser_host_t* self);
  void(CEF_CALLBACK* was_hidden)(cef_browser_host_t* self, int hidden);
  void(CEF_CALLBACK* notify_screen_info_changed)(cef_browser_host_t* self);
  void(CEF_CALLBACK* invalidate)(cef_browser_host_t* self, cef_paint_element_type_t type);
  void(CEF_CALLBACK* send_external_begin_frame)(cef_browser_host_t* self);
  void(CEF_CALLBACK* send_key_event)(cef_browser_host_t* self, const cef_key_event_t* event);
  void(CEF_CALLBACK* send_mouse_click_event)(cef_browser_host_t* self,
                                             const cef_mouse_event_t* event,
                                             cef_mouse_button_type_t type, int mouseUp,
                                             int clickCount);
  void(CEF_CALLBACK* send_mouse_move_event)(cef_browser_host_t* self,
                                            const cef_mouse_event_t* event, int mouseLeave);
  void(CEF_CALLBACK* send_mouse_wheel_event)(cef_browser_host_t* self,
                                             const cef_mouse_event_t* event, int deltaX,
                                             int deltaY);
  void(CEF_CALLBACK* send_touch_event)(cef_browser_host_t* self, const cef_touch_event_t* event);
  void(CEF_CALLBACK* send_focus_event)(cef_browser_host_t* self, int setFocus);
  void(CEF_CALLBACK* send_capture_lost_event)(cef_browser_host_t* self);
  void(CEF_CALLBACK* notify_move_or_resize_started)(cef_browser_host_t* self);
  int(CEF_CALLBACK* get_windowless_frame_rate)(cef_browser_host_t* self);
  void(CEF_CALLBACK* set_windowless_frame_rate)(cef_browser_host_t* self, int frame_rate);
  void(CEF_CALLBACK* ime_set_composition)(cef_browser_host_t* self, const cef_string_t* text,
                                          size_t underlinesCount,
                                          const cef_composition_underline_t* underlines,
                                          const cef_range_t* replacement_range,
                                          const cef_range_t* selection_range);
  void(CEF_CALLBACK* ime_commit_text)(cef_browser_host_t* self, const cef_string_t* text,
                                      const cef_range_t* replacement_range,
                                      int relative_cursor_pos);
  void(CEF_CALLBACK* ime_finish_composing_text)(cef_browser_host_t* self, int keep_selection);
  void(CEF_CALLBACK* ime_cancel_composition)(cef_browser_host_t* self);
  void(CEF_CALLBACK* drag_target_drag_enter)(cef_browser_host_t* self, cef_drag_data_t* drag_data,
                                             const cef_mouse_event_t* event,
                                             cef_drag_operations_mask_t allowed_ops);
  void(CEF_CALLBACK* drag_target_drag_over)(cef_browser_host_t* self,
                                            const cef_mouse_event_t* event,
                                            cef_drag_operations_mask_t allowed_ops);
  void(CEF_CALLBACK* drag_target_drag_leave)(cef_browser_host_t* self);
  void(CEF_CALLBACK* drag_target_drop)(cef_browser_host_t* self, const cef_mouse_event_t* event);
  void(CEF_CALLBACK* drag_source_ended_at)(cef_browser_host_t* self, int x, int y,
                                           cef_drag_operations_mask_t op);
  void(CEF_CALLBACK* drag_source_system_drag_ended)(cef_browser_host_t* self);
  cef_navigation_entry_t*(CEF_CALLBACK* get_visible_navigation_entry)(cef_browser_host_t* self);
  void(CEF_CALLBACK* set_accessibility_state)(cef_browser_host_t* self,
                                              cef_state_t accessibility_state);
  void(CEF_CALLBACK* set_auto_resize_enabled)(cef_browser_host_t* self, int enabled,
                                              const cef_size_t* min_size,
                                              const cef_size_t* max_size);
  cef_extension_t*(CEF_CALLBACK* get_extension)(cef_browser_host_t* self);
  int(CEF_CALLBACK* is_background_host)(cef_browser_host_t* self);
  void(CEF_CALLBACK* set_audio_muted)(cef_browser_host_t* self, int mute);
  int(CEF_CALLBACK* is_audio_muted)(cef_browser_host_t* self);
} cef_browser_host_t;

// Client

typedef struct _cef_client_t {
  cef_base_ref_counted_t base;
  cef_audio_handler_t*(CEF_CALLBACK* get_audio_handler)(cef_client_t* self);
  cef_context_menu_handler_t*(CEF_CALLBACK* get_context_menu_handler)(cef_client_t* self);
  cef_dialog_handler_t*(CEF_CALLBACK* get_dialog_handler)(cef_client_t* self);
  cef_display_handler_t*(CEF_CALLBACK* get_display_handler)(cef_client_t* self);
  cef_download_handler_t*(CEF_CALLBACK* get_download_handler)(cef_client_t* self);
  cef_drag_handler_t*(CEF_CALLBACK* get_drag_handler)(cef_client_t* self);
  cef_find_handler_t*(CEF_CALLBACK* get_find_handler)(cef_client_t* self);
  cef_focus_handler_t*(CEF_CALLBACK* get_focus_handler)(cef_client_t* self);
  cef_jsdialog_handler_t*(CEF_CALLBACK* get_jsdialog_handler)(cef_client_t* self);
  cef_keyboard_handler_t*(CEF_CALLBACK* get_keyboard_handler)(cef_client_t* self);
  cef_life_span_handler_t*(CEF_CALLBACK* get_life_span_handler)(cef_client_t* self);
  cef_load_handler_t*(CEF_CALLBACK* get_load_handler)(cef_client_t* self);
  cef_render_handler_t*(CEF_CALLBACK* get_render_handler)(cef_client_t* self);
  cef_request_handler_t*(CEF_CALLBACK* get_request_handler)(cef_client_t* self);
  int(CEF_CALLBACK* on_process_message_received)(cef_client_t* self, cef_browser_t* browser,
                                                 cef_frame_t* frame,
                                                 cef_process_id_t source_process,
                                                 cef_process_message_t* message);
} cef_client_t;

// Frame

typedef struct _cef_frame_t {
  cef_base_ref_counted_t base;
  int(CEF_CALLBACK* is_valid)(cef_frame_t* self);
  void(CEF_CALLBACK* undo)(cef_frame_t* self);
  void(CEF_CALLBACK* redo)(cef_frame_t* self);
  void(CEF_CALLBACK* cut)(cef_frame_t* self);
  void(CEF_CALLBACK* copy)(cef_frame_t* self);
  void(CEF_CALLBACK* paste)(cef_frame_t* self);
  void(CEF_CALLBACK* del)(cef_frame_t* self);
  void(CEF_CALLBACK* select_all)(cef_frame_t* self);
  void(CEF_CALLBACK* view_source)(cef_frame_t* self);
  void(CEF_CALLBACK* get_source)(cef_frame_t* self, cef_string_visitor_t* visitor);
  void(CEF_CALLBACK* get_text)(cef_frame_t* self, cef_string_visitor_t* visitor);
  void(CEF_CALLBACK* load_request)(cef_frame_t* self, cef_request_t* request);
  void(CEF_CALLBACK* load_url)(cef_frame_t* self, const cef_string_t* url);
  void(CEF_CALLBACK* execute_java_script)(cef_frame_t* self, const cef_string_t* code,
                                          const cef_string_t* script_url, int start_line);
  int(CEF_CALLBACK* is_main)(cef_frame_t* self);
  int(CEF_CALLBACK* is_focused)(cef_frame_t* self);
  cef_string_userfree_t(CEF_CALLBACK* get_name)(cef_frame_t* self);
  int64(CEF_CALLBACK* get_identifier)(cef_frame_t* self);
  cef_frame_t*(CEF_CALLBACK* get_parent)(cef_frame_t* self);
  cef_string_userfree_t(CEF_CALLBACK* get_url)(cef_frame_t* self);
  cef_browser_t*(CEF_CALLBACK* get_browser)(cef_frame_t* self);
  cef_v8context_t*(CEF_CALLBACK* get_v8context)(cef_frame_t* self);
  void(CEF_CALLBACK* visit_dom)(cef_frame_t* self, cef_domvisitor_t* visitor);
  cef_urlrequest_t*(CEF_CALLBACK* create_urlrequest)(cef_frame_t* self, cef_request_t* request,
                                                     cef_urlrequest_client_t* client);
  void(CEF_CALLBACK* send_process_message)(cef_frame_t* self, cef_process_id_t target_process,
                                           cef_process_message_t* message);
} cef_frame_t;

// Navigation entry

typedef struct _cef_navigation_entry_t {
  cef_base_ref_counted_t base;
  int(CEF_CALLBACK* is_valid)(cef_navigation_entry_t* self);
  cef_string_userfree_t(CEF_CALLBACK* get_url)(cef_navigation_entry_t* self);
  cef_string_userfree_t(CEF_CALLBACK* get_display_url)(cef_navigation_entry_t* self);
  cef_string_userfree_t(CEF_CALLBACK* get_original_url)(cef_navigation_entry_t* self);
  cef_string_userfree_t(CEF_CALLBACK* get_title)(cef_navigation_entry_t* self);
  cef_transition_type_t(CEF_CALLBACK* get_transition_type)(cef_navigation_entry_t* self);
  int(CEF_CALLBACK* has_post_data)(cef_navigation_entry_t* self);
  cef_time_t(CEF_CALLBACK* get_completion_time)(cef_navigation_entry_t* self);
  int(CEF_CALLBACK* get_http_status_code)(cef_navigation_entry_t* self);
  cef_sslstatus_t*(CEF_CALLBACK* get_sslstatus)(cef_navigation_entry_t* self);
} cef_navigation_entry_t;

// Drag data

typedef struct _cef_drag_data_t {
  cef_base_ref_counted_t base;
  cef_drag_data_t*(CEF_CALLBACK* clone)(cef_drag_data_t* self);
  int(CEF_CALLBACK* is_read_only)(cef_drag_data_t* self);
  int(CEF_CALLBACK* is_link)(cef_drag_data_t* self);
  int(CEF_CALLBACK* is_fragment)(cef_drag_data_t* self);
  int(CEF_CALLBACK* is_file)(cef_drag_data_t* self);
  cef_string_userfree_t(CEF_CALLBACK* get_link_url)(cef_drag_data_t* self);
  cef_string_userfree_t(CEF_CALLBACK* get_link_title)(cef_drag_data_t* self);
  cef_string_userfree_t(CEF_CALLBACK* get_link_metadata)(cef_drag_data_t* self);
  cef_string_userfree_t(CEF_CALLBACK* get_fragment_text)(cef_drag_data_t* self);
  cef_string_userfree_t(CEF_CALLBACK* get_fragment_html)(cef_drag_data_t* self);
  cef_string_userfree_t(CEF_CALLBACK* get_fragment_base_url)(cef_drag_data_t* self);
  cef_string_userfree_t(CEF_CALLBACK* get_file_name)(cef_drag_data_t* self);
  size_t(CEF_CALLBACK* get_file_contents)(cef_drag_data_t* self, cef_stream_writer_t* writer);
  int(CEF_CALLBACK* get_file_names)(cef_drag_data_t* self, cef_string_list_t names);
  void(CEF_CALLBACK* set_link_url)(cef_drag_data_t* self, const cef_string_t* url);
  void(CEF_CALLBACK* set_link_title)(cef_drag_data_t* self, const cef_string_t* title);
  void(CEF_CALLBACK* set_link_metadata)(cef_drag_data_t* self, const cef_string_t* data);
  void(CEF_CALLBACK* set_fragment_text)(cef_drag_data_t* self, const cef_string_t* text);
  void(CEF_CALLBACK* set_fragment_html)(cef_drag_data_t* self, const cef_string_t* html);
  void(CEF_CALLBACK* set_fragment_base_url)(cef_drag_data_t* self, const cef_string_t* base_url);
  void(CEF_CALLBACK* reset_file_contents)(cef_drag_data_t* self);
  void(CEF_CALLBACK* add_file)(cef_drag_data_t* self, const cef_string_t* path,
                               const cef_string_t* display_name);
  cef_image_t*(CEF_CALLBACK* get_image)(cef_drag_data_t* self);
  cef_point_t(CEF_CALLBACK* get_image_hotspot)(cef_drag_data_t* self);
  int(CEF_CALLBACK* has_image)(cef_drag_data_t* self);
} cef_drag_data_t;

// Image

typedef struct _cef_image_t {
  cef_base_ref_counted_t base;
  int(CEF_CALLBACK* is_empty)(cef_image_t* self);
  int(CEF_CALLBACK* is_same)(cef_image_t* self, cef_image_t* that);
  int(CEF_CALLBACK* add_bitmap)(cef_image_t* self, float scale_factor, int pixel_width,
                                int pixel_height, cef_color_type_t color_type,
                                cef_alpha_type_t alpha_type, const void* pixel_data,
                                size_t pixel_data_size);
  int(CEF_CALLBACK* add_png)(cef_image_t* self, float scale_factor, const void* png_data,
                             size_t png_data_size);
  int(CEF_CALLBACK* add_jpeg)(cef_image_t* self, float scale_factor, const void* jpeg_data,
                              size_t jpeg_data_size);
  size_t(CEF_CALLBACK* get_width)(cef_image_t* self);
  size_t(CEF_CALLBACK* get_height)(cef_image_t* self);
  int(CEF_CALLBACK* has_representation)(cef_image_t* self, float scale_factor);
  int(CEF_CALLBACK* remove_representation)(cef_image_t* self, float scale_factor);
  int(CEF_CALLBACK* get_representation_info)(cef_image_t* self, float scale_factor,
                                             float* actual_scale_factor, int* pixel_width,
                                             int* pixel_height);
  cef_binary_value_t*(CEF_CALLBACK* get_as_bitmap)(cef_image_t* self, float scale_factor,
                                                   cef_color_type_t color_type,
                                                   cef_alpha_type_t alpha_type, int* pixel_width,
                                                   int* pixel_height);
  cef_binary_value_t*(CEF_CALLBACK* get_as_png)(cef_image_t* self, float scale_factor,
                                                int with_transparency, int* pixel_width,
                                                int* pixel_height);
  cef_binary_value_t*(CEF_CALLBACK* get_as_jpeg)(cef_image_t* self, float scale_factor, int quality,
                                                 int* pixel_width, int* pixel_height);
} cef_image_t;

// Menu model

typedef struct _cef_menu_model_t {
  cef_base_ref_counted_t base;
  int(CEF_CALLBACK* is_sub_menu)(cef_menu_model_t* self);
  int(CEF_CALLBACK* clear)(cef_menu_model_t* self);
  int(CEF_CALLBACK* get_count)(cef_menu_model_t* self);
  int(CEF_CALLBACK* add_separator)(cef_menu_model_t* self);
  int(CEF_CALLBACK* add_item)(cef_menu_model_t* self, int command_id, const cef_string_t* label);
  int(CEF_CALLBACK* add_check_item)(cef_menu_model_t* self, int command_id,
                                    const cef_string_t* label);
  int(CEF_CALLBACK* add_radio_item)(cef_menu_model_t* self, int command_id,
                                    const cef_string_t* label, int group_id);
  cef_menu_model_t*(CEF_CALLBACK* add_sub_menu)(cef_menu_model_t* self, int command_id,
                                                const cef_string_t* label);
  int(CEF_CALLBACK* insert_separator_at)(cef_menu_model_t* self, int index);
  int(CEF_CALLBACK* insert_item_at)(cef_menu_model_t* self, int index, int command_id,
                                    const cef_string_t* label);
  int(CEF_CALLBACK* insert_check_item_at)(cef_menu_model_t* self, int index, int command_id,
                                          const cef_string_t* label);
  int(CEF_CALLBACK* insert_radio_item_at)(cef_menu_model_t* self, int index, int command_id,
                                          const cef_string_t* label, int group_id);
  cef_menu_model_t*(CEF_CALLBACK* insert_sub_menu_at)(cef_menu_model_t* self, int index,
                                                      int command_id, const cef_string_t* label);
  int(CEF_CALLBACK* remove)(cef_menu_model_t* self, int command_id);
  int(CEF_CALLBACK* remove_at)(cef_menu_model_t* self, int index);
  int(CEF_CALLBACK* get_index_of)(cef_menu_model_t* self, int command_id);
  int(CEF_CALLBACK* get_command_id_at)(cef_menu_model_t* self, int index);
  int(CEF_CALLBACK* set_command_id_at)(cef_menu_model_t* self, int index, int command_id);
  cef_string_userfree_t(CEF_CALLBACK* get_label)(cef_menu_model_t* self, int command_id);
  cef_string_userfree_t(CEF_CALLBACK* get_label_at)(cef_menu_model_t* self, int index);
  int(CEF_CALLBACK* set_label)(cef_menu_model_t* self, int command_id, const cef_string_t* label);
  int(CEF_CALLBACK* set_label_at)(cef_menu_model_t* self, int index, const cef_string_t* label);
  cef_menu_item_type_t(CEF_CALLBACK* get_type)(cef_menu_model_t* self, int command_id);
  cef_menu_item_type_t(CEF_CALLBACK* get_type_at)(cef_menu_model_t* self, int index);
  int(CEF_CALLBACK* get_group_id)(cef_menu_model_t* self, int command_id);
  int(CEF_CALLBACK* get_group_id_at)(cef_menu_model_t* self, int index);
  int(CEF_CALLBACK* set_group_id)(cef_menu_model_t* self, int command_id, int group_id);
  int(CEF_CALLBACK* set_group_id_at)(cef_menu_model_t* self, int index, int group_id);
  cef_menu_model_t*(CEF_CALLBACK* get_sub_menu)(cef_menu_model_t* self, int command_id);
  cef_menu_model_t*(CEF_CALLBACK* get_sub_menu_at)(cef_menu_model_t* self, int index);
  int(CEF_CALLBACK* is_visible)(cef_menu_model_t* self, int command_id);
  int(CEF_CALLBACK* is_visible_at)(cef_menu_model_t* self, int index);
  int(CEF_CALLBACK* set_visible)(cef_menu_model_t* self, int command_id, int visible);
  int(CEF_CALLBACK* set_visible_at)(cef_menu_model_t* self, int index, int visible);
  int(CEF_CALLBACK* is_enabled)(cef_menu_model_t* self, int command_id);
  int(CEF_CALLBACK* is_enabled_at)(cef_menu_model_t* self, int index);
  int(CEF_CALLBACK* set_enabled)(cef_menu_model_t* self, int command_id, int enabled);
  int(CEF_CALLBACK* set_enabled_at)(cef_menu_model_t* self, int index, int enabled);
  int(CEF_CALLBACK* is_checked)(cef_menu_model_t* self, int command_id);
  int(CEF_CALLBACK* is_checked_at)(cef_menu_model_t* self, int index);
  int(CEF_CALLBACK* set_checked)(cef_menu_model_t* self, int command_id, int checked);
  int(CEF_CALLBACK* set_checked_at)(cef_menu_model_t* self, int index, int checked);
  int(CEF_CALLBACK* has_accelerator)(cef_menu_model_t* self, int command_id);
  int(CEF_CALLBACK* has_accelerator_at)(cef_menu_model_t* self, int index);
  int(CEF_CALLBACK* set_accelerator)(cef_menu_model_t* self, int command_id, int key_code,
                                     int shift_pressed, int ctrl_pressed, int alt_pressed);
  int(CEF_CALLBACK* set_accelerator_at)(cef_menu_model_t* self, int index, int key_code,
                                        int shift_pressed, int ctrl_pressed, int alt_pressed);
  int(CEF_CALLBACK* remove_accelerator)(cef_menu_model_t* self, int command_id);
  int(CEF_CALLBACK* remove_accelerator_at)(cef_menu_model_t* self, int index);
  int(CEF_CALLBACK* get_accelerator)(cef_menu_model_t* self, int command_id, int* key_code,
                                     int* shift_pressed, int* ctrl_pressed, int* alt_pressed);
  int(CEF_CALLBACK* get_accelerator_at)(cef_menu_model_t* self, int index, int* key_code,
                                        int* shift_pressed, int* ctrl_pressed, int* alt_pressed);
  int(CEF_CALLBACK* set_color)(cef_menu_model_t* self, int command_id,
                               cef_menu_color_type_t color_type, cef_color_t color);
  int(CEF_CALLBACK* set_color_at)(cef_menu_model_t* self, int index,
                                  cef_menu_color_type_t color_type, cef_color_t color);
  int(CEF_CALLBACK* get_color)(cef_menu_model_t* self, int command_id,
                               cef_menu_color_type_t color_type, cef_color_t* color);
  int(CEF_CALLBACK* get_color_at)(cef_menu_model_t* self, int index,
                                  cef_menu_color_type_t color_type, cef_color_t* color);
  int(CEF_CALLBACK* set_font_list)(cef_menu_model_t* self, int command_id,
                                   const cef_string_t* font_list);
  int(CEF_CALLBACK* set_font_list_at)(cef_menu_model_t* self, int index,
                                      const cef_string_t* font_list);
} cef_menu_model_t;

// Menu model delegate

typedef struct _cef_menu_model_delegate_t {
  cef_base_ref_counted_t base;
  void(CEF_CALLBACK* execute_command)(cef_menu_model_delegate_t* self, cef_menu_model_t* menu_model,
                                      int command_id, cef_event_flags_t event_flags);
  void(CEF_CALLBACK* mouse_outside_menu)(cef_menu_model_delegate_t* self,
                                         cef_menu_model_t* menu_model,
                                         const cef_point_t* screen_point);
  void(CEF_CALLBACK* unhandled_open_submenu)(cef_menu_model_delegate_t* self,
                                             cef_menu_model_t* menu_model, int is_rtl);
  void(CEF_CALLBACK* unhandled_close_submenu)(cef_menu_model_delegate_t* self,
                                              cef_menu_model_t* menu_model, int is_rtl);
  void(CEF_CALLBACK* menu_will_show)(cef_menu_model_delegate_t* self, cef_menu_model_t* menu_model);
  void(CEF_CALLBACK* menu_closed)(cef_menu_model_delegate_t* self, cef_menu_model_t* menu_model);
  int(CEF_CALLBACK* format_label)(cef_menu_model_delegate_t* self, cef_menu_model_t* menu_model,
                                  cef_string_t* label);
} cef_menu_model_delegate_t;

// Download item

typedef struct _cef_download_item_t {
  cef_base_ref_counted_t base;
  int(CEF_CALLBACK* is_valid)(cef_download_item_t* self);
  int(CEF_CALLBACK* is_in_progress)(cef_download_item_t* self);
  int(CEF_CALLBACK* is_complete)(cef_download_item_t* self);
  int(CEF_CALLBACK* is_canceled)(cef_download_item_t* self);
  int64(CEF_CALLBACK* get_current_speed)(cef_download_item_t* self);
  int(CEF_CALLBACK* get_percent_complete)(cef_download_item_t* self);
  int64(CEF_CALLBACK* get_total_bytes)(cef_download_item_t* self);
  int64(CEF_CALLBACK* get_received_bytes)(cef_download_item_t* self);
  cef_time_t(CEF_CALLBACK* get_start_time)(cef_download_item_t* self);
  cef_time_t(CEF_CALLBACK* get_end_time)(cef_download_item_t* self);
  cef_string_userfree_t(CEF_CALLBACK* get_full_path)(cef_download_item_t* self);
  uint32(CEF_CALLBACK* get_id)(cef_download_item_t* self);
  cef_string_userfree_t(CEF_CALLBACK* get_url)(cef_download_item_t* self);
  cef_string_userfree_t(CEF_CALLBACK* get_original_url)(cef_download_item_t* self);
  cef_string_userfree_t(CEF_CALLBACK* get_suggested_file_name)(cef_download_item_t* self);
  cef_string_userfree_t(CEF_CALLBACK* get_content_disposition)(cef_download_item_t* self);
  cef_string_userfree_t(CEF_CALLBACK* get_mime_type)(cef_download_item_t* self);
} cef_download_item_t;

// Extension

typedef struct _cef_extension_t {
  cef_base_ref_counted_t base;
  cef_string_userfree_t(CEF_CALLBACK* get_identifier)(cef_extension_t* self);
  cef_string_userfree_t(CEF_CALLBACK* get_path)(cef_extension_t* self);
  cef_dictionary_value_t*(CEF_CALLBACK* get_manifest)(cef_extension_t* self);
  int(CEF_CALLBACK* is_same)(cef_extension_t* self, cef_extension_t* that);
  cef_extension_handler_t*(CEF_CALLBACK* get_handler)(cef_extension_t* self);
  cef_request_context_t*(CEF_CALLBACK* get_loader_context)(cef_extension_t* self);
  int(CEF_CALLBACK* is_loaded)(cef_extension_t* self);
  void(CEF_CALLBACK* unload)(cef_extension_t* self);
} cef_extension_t;

// Dev tools message observer

typedef struct _cef_dev_tools_message_observer_t {
  cef_base_ref_counted_t base;
  int(CEF_CALLBACK* on_dev_tools_message)(cef_dev_tools_message_observer_t* self,
                                          cef_browser_t* browser, const void* message,
                                          size_t message_size);
  void(CEF_CALLBACK* on_dev_tools_method_result)(cef_dev_tools_message_observer_t* self,
                                                 cef_browser_t* browser, int message_id,
                                                 int success, const void* result,
                                                 size_t result_size);
  void(CEF_CALLBACK* on_dev_tools_event)(cef_dev_tools_message_observer_t* self,
                                         cef_browser_t* browser, const cef_string_t* method,
                                         const void* params, size_t params_size);
  void(CEF_CALLBACK* on_dev_tools_agent_attached)(cef_dev_tools_message_observer_t* self,
                                                  cef_browser_t* browser);
  void(CEF_CALLBACK* on_dev_tools_agent_detached)(cef_dev_tools_message_observer_t* self,
                                                  cef_browser_t* browser);
} cef_dev_tools_message_observer_t;

// Print settings

typedef struct _cef_print_settings_t {
  cef_base_ref_counted_t base;
  int(CEF_CALLBACK* is_valid)(cef_print_settings_t* self);
  int(CEF_CALLBACK* is_read_only)(cef_print_settings_t* self);
  void(CEF_CALLBACK* set_orientation)(cef_print_settings_t* self, int landscape);
  int(CEF_CALLBACK* is_landscape)(cef_print_settings_t* self);
  void(CEF_CALLBACK* set_printer_printable_area)(cef_print_settings_t* self,
                                                 const cef_size_t* physical_size_device_units,
                                                 const cef_rect_t* printable_area_device_units,
                                                 int landscape_needs_flip);
  void(CEF_CALLBACK* set_device_name)(cef_print_settings_t* self, const cef_string_t* name);
  cef_string_userfree_t(CEF_CALLBACK* get_device_name)(cef_print_settings_t* self);
  void(CEF_CALLBACK* set_dpi)(cef_print_settings_t* self, int dpi);
  int(CEF_CALLBACK* get_dpi)(cef_print_settings_t* self);
  void(CEF_CALLBACK* set_page_ranges)(cef_print_settings_t* self, size_t rangesCount,
                                      const cef_range_t* ranges);
  size_t(CEF_CALLBACK* get_page_ranges_count)(cef_print_settings_t* self);
  void(CEF_CALLBACK* get_page_ranges)(cef_print_settings_t* self, size_t* rangesCount,
                                      cef_range_t* ranges);
  void(CEF_CALLBACK* set_selection_only)(cef_print_settings_t* self, int selection_only);
  int(CEF_CALLBACK* is_selection_only)(cef_print_settings_t* self);
  void(CEF_CALLBACK* set_collate)(cef_print_settings_t* self, int collate);
  int(CEF_CALLBACK* will_collate)(cef_print_settings_t* self);
  void(CEF_CALLBACK* set_color_model)(cef_print_settings_t* self, cef_color_model_t model);
  cef_color_model_t(CEF_CALLBACK* get_color_model)(cef_print_settings_t* self);
  void(CEF_CALLBACK* set_copies)(cef_print_settings_t* self, int copies);
  int(CEF_CALLBACK* get_copies)(cef_print_settings_t* self);
  void(CEF_CALLBACK* set_duplex_mode)(cef_print_settings_t* self, cef_duplex_mode_t mode);
  cef_duplex_mode_t(CEF_CALLBACK* get_duplex_mode)(cef_print_settings_t* self);
} cef_print_settings_t;
