// Views framework (views, layouts, windows, delegates): interface structs of the engine's C ABI.
#pragma once

#include "engine/capi/cef_forward.h"

// A views struct embeds its parent as `base`, so its own members follow the
// whole parent; parents come first here.

typedef struct _cef_layout_t {
  cef_base_ref_counted_t base;
  cef_box_layout_t*(CEF_CALLBACK* as_box_layout)(cef_layout_t* self);
  cef_fill_layout_t*(CEF_CALLBACK* as_fill_layout)(cef_layout_t* self);
  int(CEF_CALLBACK* is_valid)(cef_layout_t* self);
} cef_layout_t;

typedef struct _cef_box_layout_t {
  cef_layout_t base;
  void(CEF_CALLBACK* set_flex_for_view)(cef_box_layout_t* self, cef_view_t* view, int flex);
  void(CEF_CALLBACK* clear_flex_for_view)(cef_box_layout_t* self, cef_view_t* view);
} cef_box_layout_t;

typedef struct _cef_view_t {
  cef_base_ref_counted_t base;
  cef_browser_view_t*(CEF_CALLBACK* as_browser_view)(cef_view_t* self);
  cef_button_t*(CEF_CALLBACK* as_button)(cef_view_t* self);
  cef_panel_t*(CEF_CALLBACK* as_panel)(cef_view_t* self);
  cef_scroll_view_t*(CEF_CALLBACK* as_scroll_view)(cef_view_t* self);
  cef_textfield_t*(CEF_CALLBACK* as_textfield)(cef_view_t* self);
  cef_string_userfree_t(CEF_CALLBACK* get_type_string)(cef_view_t* self);
  cef_string_userfree_t(CEF_CALLBACK* to_string)(cef_view_t* self, int include_children);
  int(CEF_CALLBACK* is_valid)(cef_view_t* self);
  int(CEF_CALLBACK* is_attached)(cef_view_t* self);
  int(CEF_CALLBACK* is_same)(cef_view_t* self, cef_view_t* that);
  cef_view_delegate_t*(CEF_CALLBACK* get_delegate)(cef_view_t* self);
  cef_window_t*(CEF_CALLBACK* get_window)(cef_view_t* self);
  int(CEF_CALLBACK* get_id)(cef_view_t* self);
  void(CEF_CALLBACK* set_id)(cef_view_t* self, int id);
  int(CEF_CALLBACK* get_group_id)(cef_view_t* self);
  void(CEF_CALLBACK* set_group_id)(cef_view_t* self, int group_id);
  cef_view_t*(CEF_CALLBACK* get_parent_view)(cef_view_t* self);
  cef_view_t*(CEF_CALLBACK* get_view_for_id)(cef_view_t* self, int id);
  void(CEF_CALLBACK* set_bounds)(cef_view_t* self, const cef_rect_t* bounds);
  cef_rect_t(CEF_CALLBACK* get_bounds)(cef_view_t* self);
  cef_rect_t(CEF_CALLBACK* get_bounds_in_screen)(cef_view_t* self);
  void(CEF_CALLBACK* set_size)(cef_view_t* self, const cef_size_t* size);
  cef_size_t(CEF_CALLBACK* get_size)(cef_view_t* self);
  void(CEF_CALLBACK* set_position)(cef_view_t* self, const cef_point_t* position);
  cef_point_t(CEF_CALLBACK* get_position)(cef_view_t* self);
  cef_size_t(CEF_CALLBACK* get_preferred_size)(cef_view_t* self);
  void(CEF_CALLBACK* size_to_preferred_size)(cef_view_t* self);
  cef_size_t(CEF_CALLBACK* get_minimum_size)(cef_view_t* self);
  cef_size_t(CEF_CALLBACK* get_maximum_size)(cef_view_t* self);
  int(CEF_CALLBACK* get_height_for_width)(cef_view_t* self, int width);
  void(CEF_CALLBACK* invalidate_layout)(cef_view_t* self);
  void(CEF_CALLBACK* set_visible)(cef_view_t* self, int visible);
  int(CEF_CALLBACK* is_visible)(cef_view_t* self);
  int(CEF_CALLBACK* is_drawn)(cef_view_t* self);
  void(CEF_CALLBACK* set_enabled)(cef_view_t* self, int enabled);
  int(CEF_CALLBACK* is_enabled)(cef_view_t* self);
  void(CEF_CALLBACK* set_focusable)(cef_view_t* self, int focusable);
  int(CEF_CALLBACK* is_focusable)(cef_view_t* self);
  int(CEF_CALLBACK* is_accessibility_focusable)(cef_view_t* self);
  void(CEF_CALLBACK* request_focus)(cef_view_t* self);
  void(CEF_CALLBACK* set_background_color)(cef_view_t* self, cef_color_t color);
  cef_color_t(CEF_CALLBACK* get_background_color)(cef_view_t* self);
  int(CEF_CALLBACK* convert_point_to_screen)(cef_view_t* self, cef_point_t* point);
  int(CEF_CALLBACK* convert_point_from_screen)(cef_view_t* self, cef_point_t* point);
  int(CEF_CALLBACK* convert_point_to_window)(cef_view_t* self, cef_point_t* point);
  int(CEF_CALLBACK* convert_point_from_window)(cef_view_t* self, cef_point_t* point);
  int(CEF_CALLBACK* convert_point_to_view)(cef_view_t* self, cef_view_t* view, cef_point_t* point);
  int(CEF_CALLBACK* convert_point_from_view)(cef_view_t* self, cef_view_t* view,
                                             cef_point_t* point);
} cef_view_t;

typedef struct _cef_browser_view_t {
  cef_view_t base;
  cef_browser_t*(CEF_CALLBACK* get_browser)(cef_browser_view_t* self);
  void(CEF_CALLBACK* set_prefer_accelerators)(cef_browser_view_t* self, int prefer_accelerators);
} cef_browser_view_t;

typedef struct _cef_view_delegate_t {
  cef_base_ref_counted_t base;
  cef_size_t(CEF_CALLBACK* get_preferred_size)(cef_view_delegate_t* self, cef_view_t* view);
  cef_size_t(CEF_CALLBACK* get_minimum_size)(cef_view_delegate_t* self, cef_view_t* view);
  cef_size_t(CEF_CALLBACK* get_maximum_size)(cef_view_delegate_t* self, cef_view_t* view);
  int(CEF_CALLBACK* get_height_for_width)(cef_view_delegate_t* self, cef_view_t* view, int width);
  void(CEF_CALLBACK* on_parent_view_changed)(cef_view_delegate_t* self, cef_view_t* view, int added,
                                             cef_view_t* parent);
  void(CEF_CALLBACK* on_child_view_changed)(cef_view_delegate_t* self, cef_view_t* view, int added,
                                            cef_view_t* child);
  void(CEF_CALLBACK* on_focus)(cef_view_delegate_t* self, cef_view_t* view);
  void(CEF_CALLBACK* on_blur)(cef_view_delegate_t* self, cef_view_t* view);
} cef_view_delegate_t;

typedef struct _cef_browser_view_delegate_t {
  cef_view_delegate_t base;
  void(CEF_CALLBACK* on_browser_created)(cef_browser_view_delegate_t* self,
                                         cef_browser_view_t* browser_view, cef_browser_t* browser);
  void(CEF_CALLBACK* on_browser_destroyed)(cef_browser_view_delegate_t* self,
                                           cef_browser_view_t* browser_view,
                                           cef_browser_t* browser);
  cef_browser_view_delegate_t*(CEF_CALLBACK* get_delegate_for_popup_browser_view)(
      cef_browser_view_delegate_t* self, cef_browser_view_t* browser_view,
      const cef_browser_settings_t* settings, cef_client_t* client, int is_devtools);
  int(CEF_CALLBACK* on_popup_browser_view_created)(cef_browser_view_delegate_t* self,
                                                   cef_browser_view_t* browser_view,
                                                   cef_browser_view_t* popup_browser_view,
                                                   int is_devtools);
} cef_browser_view_delegate_t;

typedef struct _cef_button_t {
  cef_view_t base;
  cef_label_button_t*(CEF_CALLBACK* as_label_button)(cef_button_t* self);
  void(CEF_CALLBACK* set_state)(cef_button_t* self, cef_button_state_t state);
  cef_button_state_t(CEF_CALLBACK* get_state)(cef_button_t* self);
  void(CEF_CALLBACK* set_ink_drop_enabled)(cef_button_t* self, int enabled);
  void(CEF_CALLBACK* set_tooltip_text)(cef_button_t* self, const cef_string_t* tooltip_text);
  void(CEF_CALLBACK* set_accessible_name)(cef_button_t* self, const cef_string_t* name);
} cef_button_t;

typedef struct _cef_button_delegate_t {
  cef_view_delegate_t base;
  void(CEF_CALLBACK* on_button_pressed)(cef_button_delegate_t* self, cef_button_t* button);
  void(CEF_CALLBACK* on_button_state_changed)(cef_button_delegate_t* self, cef_button_t* button);
} cef_button_delegate_t;

typedef struct _cef_display_t {
  cef_base_ref_counted_t base;
  int64(CEF_CALLBACK* get_id)(cef_display_t* self);
  float(CEF_CALLBACK* get_device_scale_factor)(cef_display_t* self);
  void(CEF_CALLBACK* convert_point_to_pixels)(cef_display_t* self, cef_point_t* point);
  void(CEF_CALLBACK* convert_point_from_pixels)(cef_display_t* self, cef_point_t* point);
  cef_rect_t(CEF_CALLBACK* get_bounds)(cef_display_t* self);
  cef_rect_t(CEF_CALLBACK* get_work_area)(cef_display_t* self);
  int(CEF_CALLBACK* get_rotation)(cef_display_t* self);
} cef_display_t;

typedef struct _cef_fill_layout_t {
  cef_layout_t base;
} cef_fill_layout_t;

typedef struct _cef_label_button_t {
  cef_button_t base;
  cef_menu_button_t*(CEF_CALLBACK* as_menu_button)(cef_label_button_t* self);
  void(CEF_CALLBACK* set_text)(cef_label_button_t* self, const cef_string_t* text);
  cef_string_userfree_t(CEF_CALLBACK* get_text)(cef_label_button_t* self);
  void(CEF_CALLBACK* set_image)(cef_label_button_t* self, cef_button_state_t button_state,
                                cef_image_t* image);
  cef_image_t*(CEF_CALLBACK* get_image)(cef_label_button_t* self, cef_button_state_t button_state);
  void(CEF_CALLBACK* set_text_color)(cef_label_button_t* self, cef_button_state_t for_state,
                                     cef_color_t color);
  void(CEF_CALLBACK* set_enabled_text_colors)(cef_label_button_t* self, cef_color_t color);
  void(CEF_CALLBACK* set_font_list)(cef_label_button_t* self, const cef_string_t* font_list);
  void(CEF_CALLBACK* set_horizontal_alignment)(cef_label_button_t* self,
                                               cef_horizontal_alignment_t alignment);
  void(CEF_CALLBACK* set_minimum_size)(cef_label_button_t* self, const cef_size_t* size);
  void(CEF_CALLBACK* set_maximum_size)(cef_label_button_t* self, const cef_size_t* size);
} cef_label_button_t;

typedef struct _cef_menu_button_t {
  cef_label_button_t base;
  void(CEF_CALLBACK* show_menu)(cef_menu_button_t* self, cef_menu_model_t* menu_model,
                                const cef_point_t* screen_point,
                                cef_menu_anchor_position_t anchor_position);
  void(CEF_CALLBACK* trigger_menu)(cef_menu_button_t* self);
} cef_menu_button_t;

typedef struct _cef_menu_button_pressed_lock_t {
  cef_base_ref_counted_t base;
} cef_menu_button_pressed_lock_t;

typedef struct _cef_menu_button_delegate_t {
  cef_button_delegate_t base;
  void(CEF_CALLBACK* on_menu_button_pressed)(cef_menu_button_delegate_t* self,
                                             cef_menu_button_t* menu_button,
                                             const cef_point_t* screen_point,
                                             cef_menu_button_pressed_lock_t* button_pressed_lock);
} cef_menu_button_delegate_t;

typedef struct _cef_panel_t {
  cef_view_t base;
  cef_window_t*(CEF_CALLBACK* as_window)(cef_panel_t* self);
  cef_fill_layout_t*(CEF_CALLBACK* set_to_fill_layout)(cef_panel_t* self);
  cef_box_layout_t*(CEF_CALLBACK* set_to_box_layout)(cef_panel_t* self,
                                                     const cef_box_layout_settings_t* settings);
  cef_layout_t*(CEF_CALLBACK* get_layout)(cef_panel_t* self);
  void(CEF_CALLBACK* layout)(cef_panel_t* self);
  void(CEF_CALLBACK* add_child_view)(cef_panel_t* self, cef_view_t* view);
  void(CEF_CALLBACK* add_child_view_at)(cef_panel_t* self, cef_view_t* view, int index);
  void(CEF_CALLBACK* reorder_child_view)(cef_panel_t* self, cef_view_t* view, int index);
  void(CEF_CALLBACK* remove_child_view)(cef_panel_t* self, cef_view_t* view);
  void(CEF_CALLBACK* remove_all_child_views)(cef_panel_t* self);
  size_t(CEF_CALLBACK* get_child_view_count)(cef_panel_t* self);
  cef_view_t*(CEF_CALLBACK* get_child_view_at)(cef_panel_t* self, int index);
} cef_panel_t;

typedef struct _cef_panel_delegate_t {
  cef_view_delegate_t base;
} cef_panel_delegate_t;

typedef struct _cef_scroll_view_t {
  cef_view_t base;
  void(CEF_CALLBACK* set_content_view)(cef_scroll_view_t* self, cef_view_t* view);
  cef_view_t*(CEF_CALLBACK* get_content_view)(cef_scroll_view_t* self);
  cef_rect_t(CEF_CALLBACK* get_visible_content_rect)(cef_scroll_view_t* self);
  int(CEF_CALLBACK* has_horizontal_scrollbar)(cef_scroll_view_t* self);
  int(CEF_CALLBACK* get_horizontal_scrollbar_height)(cef_scroll_view_t* self);
  int(CEF_CALLBACK* has_vertical_scrollbar)(cef_scroll_view_t* self);
  int(CEF_CALLBACK* get_vertical_scrollbar_width)(cef_scroll_view_t* self);
} cef_scroll_view_t;

typedef struct _cef_textfield_t {
  cef_view_t base;
  void(CEF_CALLBACK* set_password_input)(cef_textfield_t* self, int password_input);
  int(CEF_CALLBACK* is_password_input)(cef_textfield_t* self);
  void(CEF_CALLBACK* set_read_only)(cef_textfield_t* self, int read_only);
  int(CEF_CALLBACK* is_read_only)(cef_textfield_t* self);
  cef_string_userfree_t(CEF_CALLBACK* get_text)(cef_textfield_t* self);
  void(CEF_CALLBACK* set_text)(cef_textfield_t* self, const cef_string_t* text);
  void(CEF_CALLBACK* append_text)(cef_textfield_t* self, const cef_string_t* text);
  void(CEF_CALLBACK* insert_or_replace_text)(cef_textfield_t* self, const cef_string_t* text);
  int(CEF_CALLBACK* has_selection)(cef_textfield_t* self);
  cef_string_userfree_t(CEF_CALLBACK* get_selected_text)(cef_textfield_t* self);
  void(CEF_CALLBACK* select_all)(cef_textfield_t* self, int reversed);
  void(CEF_CALLBACK* clear_selection)(cef_textfield_t* self);
  cef_range_t(CEF_CALLBACK* get_selected_range)(cef_textfield_t* self);
  void(CEF_CALLBACK* select_range)(cef_textfield_t* self, const cef_range_t* range);
  size_t(CEF_CALLBACK* get_cursor_position)(cef_textfield_t* self);
  void(CEF_CALLBACK* set_text_color)(cef_textfield_t* self, cef_color_t color);
  cef_color_t(CEF_CALLBACK* get_text_color)(cef_textfield_t* self);
  void(CEF_CALLBACK* set_selection_text_color)(cef_textfield_t* self, cef_color_t color);
  cef_color_t(CEF_CALLBACK* get_selection_text_color)(cef_textfield_t* self);
  void(CEF_CALLBACK* set_selection_background_color)(cef_textfield_t* self, cef_color_t color);
  cef_color_t(CEF_CALLBACK* get_selection_background_color)(cef_textfield_t* self);
  void(CEF_CALLBACK* set_font_list)(cef_textfield_t* self, const cef_string_t* font_list);
  void(CEF_CALLBACK* apply_text_color)(cef_textfield_t* self, cef_color_t color,
                                       const cef_range_t* range);
  void(CEF_CALLBACK* apply_text_style)(cef_textfield_t* self, cef_text_style_t style, int add,
                                       const cef_range_t* range);
  int(CEF_CALLBACK* is_command_enabled)(cef_textfield_t* self,
                                        cef_text_field_commands_t command_id);
  void(CEF_CALLBACK* execute_command)(cef_textfield_t* self, cef_text_field_commands_t command_id);
  void(CEF_CALLBACK* clear_edit_history)(cef_textfield_t* self);
  void(CEF_CALLBACK* set_placeholder_text)(cef_textfield_t* self, const cef_string_t* text);
  cef_string_userfree_t(CEF_CALLBACK* get_placeholder_text)(cef_textfield_t* self);
  void(CEF_CALLBACK* set_placeholder_text_color)(cef_textfield_t* self, cef_color_t color);
  void(CEF_CALLBACK* set_accessible_name)(cef_textfield_t* self, const cef_string_t* name);
} cef_textfield_t;

typedef struct _cef_textfield_delegate_t {
  cef_view_delegate_t base;
  int(CEF_CALLBACK* on_key_event)(cef_textfield_delegate_t* self, cef_textfield_t* textfield,
                                  const cef_key_event_t* event);
  void(CEF_CALLBACK* on_after_user_action)(cef_textfield_delegate_t* self,
                                           cef_textfield_t* textfield);
} cef_textfield_delegate_t;

typedef struct _cef_window_t {
  cef_panel_t base;
  void(CEF_CALLBACK* show)(cef_window_t* self);
  void(CEF_CALLBACK* hide)(cef_window_t* self);
  void(CEF_CALLBACK* center_window)(cef_window_t* self, const cef_size_t* size);
  void(CEF_CALLBACK* close)(cef_window_t* self);
  int(CEF_CALLBACK* is_closed)(cef_window_t* self);
  void(CEF_CALLBACK* activate)(cef_window_t* self);
  void(CEF_CALLBACK* deactivate)(cef_window_t* self);
  int(CEF_CALLBACK* is_active)(cef_window_t* self);
  void(CEF_CALLBACK* bring_to_top)(cef_window_t* self);
  void(CEF_CALLBACK* set_always_on_top)(cef_window_t* self, int on_top);
  int(CEF_CALLBACK* is_always_on_top)(cef_window_t* self);
  void(CEF_CALLBACK* maximize)(cef_window_t* self);
  void(CEF_CALLBACK* minimize)(cef_window_t* self);
  void(CEF_CALLBACK* restore)(cef_window_t* self);
  void(CEF_CALLBACK* set_fullscreen)(cef_window_t* self, int fullscreen);
  int(CEF_CALLBACK* is_maximized)(cef_window_t* self);
  int(CEF_CALLBACK* is_minimized)(cef_window_t* self);
  int(CEF_CALLBACK* is_fullscreen)(cef_window_t* self);
  void(CEF_CALLBACK* set_title)(cef_window_t* self, const cef_string_t* title);
  cef_string_userfree_t(CEF_CALLBACK* get_title)(cef_window_t* self);
  void(CEF_CALLBACK* set_window_icon)(cef_window_t* self, cef_image_t* image);
  cef_image_t*(CEF_CALLBACK* get_window_icon)(cef_window_t* self);
  void(CEF_CALLBACK* set_window_app_icon)(cef_window_t* self, cef_image_t* image);
  cef_image_t*(CEF_CALLBACK* get_window_app_icon)(cef_window_t* self);
  void(CEF_CALLBACK* show_menu)(cef_window_t* self, cef_menu_model_t* menu_model,
                                const cef_point_t* screen_point,
                                cef_menu_anchor_position_t anchor_position);
  void(CEF_CALLBACK* cancel_menu)(cef_window_t* self);
  cef_display_t*(CEF_CALLBACK* get_display)(cef_window_t* self);
  cef_rect_t(CEF_CALLBACK* get_client_area_bounds_in_screen)(cef_window_t* self);
  void(CEF_CALLBACK* set_draggable_regions)(cef_window_t* self, size_t regionsCount,
                                            const cef_draggable_region_t* regions);
  cef_window_handle_t(CEF_CALLBACK* get_window_handle)(cef_window_t* self);
  void(CEF_CALLBACK* send_key_press)(cef_window_t* self, int key_code, uint32 event_flags);
  void(CEF_CALLBACK* send_mouse_move)(cef_window_t* self, int screen_x, int screen_y);
  void(CEF_CALLBACK* send_mouse_events)(cef_window_t* self, cef_mouse_button_type_t button,
                                        int mouse_down, int mouse_up);
  void(CEF_CALLBACK* set_accelerator)(cef_window_t* self, int command_id, int key_code,
                                      int shift_pressed, int ctrl_pressed, int alt_pressed);
  void(CEF_CALLBACK* remove_accelerator)(cef_window_t* self, int command_id);
  void(CEF_CALLBACK* remove_all_accelerators)(cef_window_t* self);
} cef_window_t;

typedef struct _cef_window_delegate_t {
  cef_panel_delegate_t base;
  void(CEF_CALLBACK* on_window_created)(cef_window_delegate_t* self, cef_window_t* window);
  void(CEF_CALLBACK* on_window_destroyed)(cef_window_delegate_t* self, cef_window_t* window);
  cef_window_t*(CEF_CALLBACK* get_parent_window)(cef_window_delegate_t* self, cef_window_t* window,
                                                 int* is_menu, int* can_activate_menu);
  cef_rect_t(CEF_CALLBACK* get_initial_bounds)(cef_window_delegate_t* self, cef_window_t* window);
  int(CEF_CALLBACK* is_frameless)(cef_window_delegate_t* self, cef_window_t* window);
  int(CEF_CALLBACK* can_resize)(cef_window_delegate_t* self, cef_window_t* window);
  int(CEF_CALLBACK* can_maximize)(cef_window_delegate_t* self, cef_window_t* window);
  int(CEF_CALLBACK* can_minimize)(cef_window_delegate_t* self, cef_window_t* window);
  int(CEF_CALLBACK* can_close)(cef_window_delegate_t* self, cef_window_t* window);
  int(CEF_CALLBACK* on_accelerator)(cef_window_delegate_t* self, cef_window_t* window,
                                    int command_id);
  int(CEF_CALLBACK* on_key_event)(cef_window_delegate_t* self, cef_window_t* window,
                                  const cef_key_event_t* event);
} cef_window_delegate_t;
