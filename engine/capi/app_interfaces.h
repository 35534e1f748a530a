// Application, processes, threads and tasks: interface structs of the engine's C ABI.
#pragma once

#include "engine/capi/cef_forward.h"

// Application object

typedef struct _cef_app_t {
  cef_base_ref_counted_t base;
  void(CEF_CALLBACK* on_before_command_line_processing)(cef_app_t* self,
                                                        const cef_string_t* process_type,
                                                        cef_command_line_t* command_line);
  void(CEF_CALLBACK* on_register_custom_schemes)(cef_app_t* self,
                                                 cef_scheme_registrar_t* registrar);
  cef_resource_bundle_handler_t*(CEF_CALLBACK* get_resource_bundle_handler)(cef_app_t* self);
  cef_browser_process_handler_t*(CEF_CALLBACK* get_browser_process_handler)(cef_app_t* self);
  cef_render_process_handler_t*(CEF_CALLBACK* get_render_process_handler)(cef_app_t* self);
} cef_app_t;

// Browser process handler

typedef struct _cef_browser_process_handler_t {
  cef_base_ref_counted_t base;
  void(CEF_CALLBACK* get_cookieable_schemes)(cef_browser_process_handler_t* self,
                                             cef_string_list_t schemes, int* include_defaults);
  void(CEF_CALLBACK* on_context_initialized)(cef_browser_process_handler_t* self);
  void(CEF_CALLBACK* on_before_child_process_launch)(cef_browser_process_handler_t* self,
                                                     cef_command_line_t* command_line);
  cef_print_handler_t*(CEF_CALLBACK* get_print_handler)(cef_browser_process_handler_t* self);
  void(CEF_CALLBACK* on_schedule_message_pump_work)(cef_browser_process_handler_t* self,
                                                    int64 delay_ms);
  cef_client_t*(CEF_CALLBACK* get_default_client)(cef_browser_process_handler_t* self);
} cef_browser_process_handler_t;

// Render process handler

typedef struct _cef_render_process_handler_t {
  cef_base_ref_counted_t base;
  void(CEF_CALLBACK* on_web_kit_initialized)(cef_render_process_handler_t* self);
  void(CEF_CALLBACK* on_browser_created)(cef_render_process_handler_t* self, cef_browser_t* browser,
                                         cef_dictionary_value_t* extra_info);
  void(CEF_CALLBACK* on_browser_destroyed)(cef_render_process_handler_t* self,
                                           cef_browser_t* browser);
  cef_load_handler_t*(CEF_CALLBACK* get_load_handler)(cef_render_process_handler_t* self);
  void(CEF_CALLBACK* on_context_created)(cef_render_process_handler_t* self, cef_browser_t* browser,
                                         cef_frame_t* frame, cef_v8context_t* context);
  void(CEF_CALLBACK* on_context_released)(cef_render_process_handler_t* self,
                                          cef_browser_t* browser, cef_frame_t* frame,
                                          cef_v8context_t* context);
  void(CEF_CALLBACK* on_uncaught_exception)(cef_render_process_handler_t* self,
                                            cef_browser_t* browser, cef_frame_t* frame,
                                            cef_v8context_t* context, cef_v8exception_t* exception,
                                            cef_v8stack_trace_t* stackTrace);
  void(CEF_CALLBACK* on_focused_node_changed)(cef_render_process_handler_t* self,
                                              cef_browser_t* browser, cef_frame_t* frame,
                                              cef_domnode_t* node);
  int(CEF_CALLBACK* on_process_message_received)(cef_render_process_handler_t* self,
                                                 cef_browser_t* browser, cef_frame_t* frame,
                                                 cef_process_id_t source_process,
                                                 cef_process_message_t* message);
} cef_render_process_handler_t;

// Resource bundle handler

typedef struct _cef_resource_bundle_handler_t {
  cef_base_ref_counted_t base;
  int(CEF_CALLBACK* get_localized_string)(cef_resource_bundle_handler_t* self, int string_id,
                                          cef_string_t* string);
  int(CEF_CALLBACK* get_data_resource)(cef_resource_bundle_handler_t* self, int resource_id,
                                       void** data, size_t* data_size);
  int(CEF_CALLBACK* get_data_resource_for_scale)(cef_resource_bundle_handler_t* self,
                                                 int resource_id, cef_scale_factor_t scale_factor,
                                                 void** data, size_t* data_size);
} cef_resource_bundle_handler_t;

// Resource bundle

typedef struct _cef_resource_bundle_t {
  cef_base_ref_counted_t base;
  cef_string_userfree_t(CEF_CALLBACK* get_localized_string)(cef_resource_bundle_t* self,
                                                            int string_id);
  cef_binary_value_t*(CEF_CALLBACK* get_data_resource)(cef_resource_bundle_t* self,
                                                       int resource_id);
  cef_binary_value_t*(CEF_CALLBACK* get_data_resource_for_scale)(cef_resource_bundle_t* self,
                                                                 int resource_id,
                                                                 cef_scale_factor_t scale_factor);
} cef_resource_bundle_t;

// Command line

typedef struct _cef_command_line_t {
  cef_base_ref_counted_t base;
  int(CEF_CALLBACK* is_valid)(cef_command_line_t* self);
  int(CEF_CALLBACK* is_read_only)(cef_command_line_t* self);
  cef_command_line_t*(CEF_CALLBACK* copy)(cef_command_line_t* self);
  void(CEF_CALLBACK* init_from_argv)(cef_command_line_t* self, int argc, const char* const* argv);
  void(CEF_CALLBACK* init_from_string)(cef_command_line_t* self, const cef_string_t* command_line);
  void(CEF_CALLBACK* reset)(cef_command_line_t* self);
  void(CEF_CALLBACK* get_argv)(cef_command_line_t* self, cef_string_list_t argv);
  cef_string_userfree_t(CEF_CALLBACK* get_command_line_string)(cef_command_line_t* self);
  cef_string_userfree_t(CEF_CALLBACK* get_program)(cef_command_line_t* self);
  void(CEF_CALLBACK* set_program)(cef_command_line_t* self, const cef_string_t* program);
  int(CEF_CALLBACK* has_switches)(cef_command_line_t* self);
  int(CEF_CALLBACK* has_switch)(cef_command_line_t* self, const cef_string_t* name);
  cef_string_userfree_t(CEF_CALLBACK* get_switch_value)(cef_command_line_t* self,
                                                        const cef_string_t* name);
  void(CEF_CALLBACK* get_switches)(cef_command_line_t* self, cef_string_map_t switches);
  void(CEF_CALLBACK* append_switch)(cef_command_line_t* self, const cef_string_t* name);
  void(CEF_CALLBACK* append_switch_with_value)(cef_command_line_t* self, const cef_string_t* name,
                                               const cef_string_t* value);
  int(CEF_CALLBACK* has_arguments)(cef_command_line_t* self);
  void(CEF_CALLBACK* get_arguments)(cef_command_line_t* self, cef_string_list_t arguments);
  void(CEF_CALLBACK* append_argument)(cef_command_line_t* self, const cef_string_t* argument);
  void(CEF_CALLBACK* prepend_wrapper)(cef_command_line_t* self, const cef_string_t* wrapper);
} cef_command_line_t;

// Custom schemes

typedef struct _cef_scheme_registrar_t {
  cef_base_scoped_t base;
  int(CEF_CALLBACK* add_custom_scheme)(cef_scheme_registrar_t* self,
                                       const cef_string_t* scheme_name, int options);
} cef_scheme_registrar_t;

typedef struct _cef_scheme_handler_factory_t {
  cef_base_ref_counted_t base;
  cef_resource_handler_t*(CEF_CALLBACK* create)(cef_scheme_handler_factory_t* self,
                                                cef_browser_t* browser, cef_frame_t* frame,
                                                const cef_string_t* scheme_name,
                                                cef_request_t* request);
} cef_scheme_handler_factory_t;

// Process message

typedef struct _cef_process_message_t {
  cef_base_ref_counted_t base;
  int(CEF_CALLBACK* is_valid)(cef_process_message_t* self);
  int(CEF_CALLBACK* is_read_only)(cef_process_message_t* self);
  cef_process_message_t*(CEF_CALLBACK* copy)(cef_process_message_t* self);
  cef_string_userfree_t(CEF_CALLBACK* get_name)(cef_process_message_t* self);
  cef_list_value_t*(CEF_CALLBACK* get_argument_list)(cef_process_message_t* self);
} cef_process_message_t;

// Tasks and task runners

typedef struct _cef_task_t {
  cef_base_ref_counted_t base;
  void(CEF_CALLBACK* execute)(cef_task_t* self);
} cef_task_t;

typedef struct _cef_task_runner_t {
  cef_base_ref_counted_t base;
  int(CEF_CALLBACK* is_same)(cef_task_runner_t* self, cef_task_runner_t* that);
  int(CEF_CALLBACK* belongs_to_current_thread)(cef_task_runner_t* self);
  int(CEF_CALLBACK* belongs_to_thread)(cef_task_runner_t* self, cef_thread_id_t threadId);
  int(CEF_CALLBACK* post_task)(cef_task_runner_t* self, cef_task_t* task);
  int(CEF_CALLBACK* post_delayed_task)(cef_task_runner_t* self, cef_task_t* task, int64 delay_ms);
} cef_task_runner_t;

// Threads

typedef struct _cef_thread_t {
  cef_base_ref_counted_t base;
  cef_task_runner_t*(CEF_CALLBACK* get_task_runner)(cef_thread_t* self);
  cef_platform_thread_id_t(CEF_CALLBACK* get_platform_thread_id)(cef_thread_t* self);
  void(CEF_CALLBACK* stop)(cef_thread_t* self);
  int(CEF_CALLBACK* is_running)(cef_thread_t* self);
} cef_thread_t;

// Waitable event

typedef struct _cef_waitable_event_t {
  cef_base_ref_counted_t base;
  void(CEF_CALLBACK* reset)(cef_waitable_event_t* self);
  void(CEF_CALLBACK* signal)(cef_waitable_event_t* self);
  int(CEF_CALLBACK* is_signaled)(cef_waitable_event_t* self);
  void(CEF_CALLBACK* wait)(cef_waitable_event_t* self);
  int(CEF_CALLBACK* timed_wait)(cef_waitable_event_t* self, int64 max_ms);
} cef_waitable_event_t;

// Generic callbacks

typedef struct _cef_callback_t {
  cef_base_ref_counted_t base;
  void(CEF_CALLBACK* cont)(cef_callback_t* self);
  void(CEF_CALLBACK* cancel)(cef_callback_t* self);
} cef_callback_t;

typedef struct _cef_completion_callback_t {
  cef_base_ref_counted_t base;
  void(CEF_CALLBACK* on_complete)(cef_completion_callback_t* self);
} cef_completion_callback_t;

// Tracing

typedef struct _cef_end_tracing_callback_t {
  cef_base_ref_counted_t base;
  void(CEF_CALLBACK* on_end_tracing_complete)(cef_end_tracing_callback_t* self,
                                              const cef_string_t* tracing_file);
} cef_end_tracing_callback_t;

// Registration

typedef struct _cef_registration_t {
  cef_base_ref_counted_t base;
} cef_registration_t;
