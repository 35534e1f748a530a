// Values, script (V8), DOM, streams and readers: interface structs of the engine's C ABI.
#pragma once

#include "engine/capi/cef_forward.h"

// Value containers

typedef struct _cef_value_t {
  cef_base_ref_counted_t base;
  int(CEF_CALLBACK* is_valid)(cef_value_t* self);
  int(CEF_CALLBACK* is_owned)(cef_value_t* self);
  int(CEF_CALLBACK* is_read_only)(cef_value_t* self);
  int(CEF_CALLBACK* is_same)(cef_value_t* self, cef_value_t* that);
  int(CEF_CALLBACK* is_equal)(cef_value_t* self, cef_value_t* that);
  cef_value_t*(CEF_CALLBACK* copy)(cef_value_t* self);
  cef_value_type_t(CEF_CALLBACK* get_type)(cef_value_t* self);
  int(CEF_CALLBACK* get_bool)(cef_value_t* self);
  int(CEF_CALLBACK* get_int)(cef_value_t* self);
  double(CEF_CALLBACK* get_double)(cef_value_t* self);
  cef_string_userfree_t(CEF_CALLBACK* get_string)(cef_value_t* self);
  cef_binary_value_t*(CEF_CALLBACK* get_binary)(cef_value_t* self);
  cef_dictionary_value_t*(CEF_CALLBACK* get_dictionary)(cef_value_t* self);
  cef_list_value_t*(CEF_CALLBACK* get_list)(cef_value_t* self);
  int(CEF_CALLBACK* set_null)(cef_value_t* self);
  int(CEF_CALLBACK* set_bool)(cef_value_t* self, int value);
  int(CEF_CALLBACK* set_int)(cef_value_t* self, int value);
  int(CEF_CALLBACK* set_double)(cef_value_t* self, double value);
  int(CEF_CALLBACK* set_string)(cef_value_t* self, const cef_string_t* value);
  int(CEF_CALLBACK* set_binary)(cef_value_t* self, cef_binary_value_t* value);
  int(CEF_CALLBACK* set_dictionary)(cef_value_t* self, cef_dictionary_value_t* value);
  int(CEF_CALLBACK* set_list)(cef_value_t* self, cef_list_value_t* value);
} cef_value_t;

typedef struct _cef_binary_value_t {
  cef_base_ref_counted_t base;
  int(CEF_CALLBACK* is_valid)(cef_binary_value_t* self);
  int(CEF_CALLBACK* is_owned)(cef_binary_value_t* self);
  int(CEF_CALLBACK* is_same)(cef_binary_value_t* self, cef_binary_value_t* that);
  int(CEF_CALLBACK* is_equal)(cef_binary_value_t* self, cef_binary_value_t* that);
  cef_binary_value_t*(CEF_CALLBACK* copy)(cef_binary_value_t* self);
  size_t(CEF_CALLBACK* get_size)(cef_binary_value_t* self);
  size_t(CEF_CALLBACK* get_data)(cef_binary_value_t* self, void* buffer, size_t buffer_size,
                                 size_t data_offset);
} cef_binary_value_t;

typedef struct _cef_dictionary_value_t {
  cef_base_ref_counted_t base;
  int(CEF_CALLBACK* is_valid)(cef_dictionary_value_t* self);
  int(CEF_CALLBACK* is_owned)(cef_dictionary_value_t* self);
  int(CEF_CALLBACK* is_read_only)(cef_dictionary_value_t* self);
  int(CEF_CALLBACK* is_same)(cef_dictionary_value_t* self, cef_dictionary_value_t* that);
  int(CEF_CALLBACK* is_equal)(cef_dictionary_value_t* self, cef_dictionary_value_t* that);
  cef_dictionary_value_t*(CEF_CALLBACK* copy)(cef_dictionary_value_t* self,
                                              int exclude_empty_children);
  size_t(CEF_CALLBACK* get_size)(cef_dictionary_value_t* self);
  int(CEF_CALLBACK* clear)(cef_dictionary_value_t* self);
  int(CEF_CALLBACK* has_key)(cef_dictionary_value_t* self, const cef_string_t* key);
  int(CEF_CALLBACK* get_keys)(cef_dictionary_value_t* self, cef_string_list_t keys);
  int(CEF_CALLBACK* remove)(cef_dictionary_value_t* self, const cef_string_t* key);
  cef_value_type_t(CEF_CALLBACK* get_type)(cef_dictionary_value_t* self, const cef_string_t* key);
  cef_value_t*(CEF_CALLBACK* get_value)(cef_dictionary_value_t* self, const cef_string_t* key);
  int(CEF_CALLBACK* get_bool)(cef_dictionary_value_t* self, const cef_string_t* key);
  int(CEF_CALLBACK* get_int)(cef_dictionary_value_t* self, const cef_string_t* key);
  double(CEF_CALLBACK* get_double)(cef_dictionary_value_t* self, const cef_string_t* key);
  cef_string_userfree_t(CEF_CALLBACK* get_string)(cef_dictionary_value_t* self,
                                                  const cef_string_t* key);
  cef_binary_value_t*(CEF_CALLBACK* get_binary)(cef_dictionary_value_t* self,
                                                const cef_string_t* key);
  cef_dictionary_value_t*(CEF_CALLBACK* get_dictionary)(cef_dictionary_value_t* self,
                                                        const cef_string_t* key);
  cef_list_value_t*(CEF_CALLBACK* get_list)(cef_dictionary_value_t* self, const cef_string_t* key);
  int(CEF_CALLBACK* set_value)(cef_dictionary_value_t* self, const cef_string_t* key,
                               cef_value_t* value);
  int(CEF_CALLBACK* set_null)(cef_dictionary_value_t* self, const cef_string_t* key);
  int(CEF_CALLBACK* set_bool)(cef_dictionary_value_t* self, const cef_string_t* key, int value);
  int(CEF_CALLBACK* set_int)(cef_dictionary_value_t* self, const cef_string_t* key, int value);
  int(CEF_CALLBACK* set_double)(cef_dictionary_value_t* self, const cef_string_t* key,
                                double value);
  int(CEF_CALLBACK* set_string)(cef_dictionary_value_t* self, const cef_string_t* key,
                                const cef_string_t* value);
  int(CEF_CALLBACK* set_binary)(cef_dictionary_value_t* self, const cef_string_t* key,
                                cef_binary_value_t* value);
  int(CEF_CALLBACK* set_dictionary)(cef_dictionary_value_t* self, const cef_string_t* key,
                                    cef_dictionary_value_t* value);
  int(CEF_CALLBACK* set_list)(cef_dictionary_value_t* self, const cef_string_t* key,
                              cef_list_value_t* value);
} cef_dictionary_value_t;

typedef struct _cef_list_value_t {
  cef_base_ref_counted_t base;
  int(CEF_CALLBACK* is_valid)(cef_list_value_t* self);
  int(CEF_CALLBACK* is_owned)(cef_list_value_t* self);
  int(CEF_CALLBACK* is_read_only)(cef_list_value_t* self);
  int(CEF_CALLBACK* is_same)(cef_list_value_t* self, cef_list_value_t* that);
  int(CEF_CALLBACK* is_equal)(cef_list_value_t* self, cef_list_value_t* that);
  cef_list_value_t*(CEF_CALLBACK* copy)(cef_list_value_t* self);
  int(CEF_CALLBACK* set_size)(cef_list_value_t* self, size_t size);
  size_t(CEF_CALLBACK* get_size)(cef_list_value_t* self);
  int(CEF_CALLBACK* clear)(cef_list_value_t* self);
  int(CEF_CALLBACK* remove)(cef_list_value_t* self, size_t index);
  cef_value_type_t(CEF_CALLBACK* get_type)(cef_list_value_t* self, size_t index);
  cef_value_t*(CEF_CALLBACK* get_value)(cef_list_value_t* self, size_t index);
  int(CEF_CALLBACK* get_bool)(cef_list_value_t* self, size_t index);
  int(CEF_CALLBACK* get_int)(cef_list_value_t* self, size_t index);
  double(CEF_CALLBACK* get_double)(cef_list_value_t* self, size_t index);
  cef_string_userfree_t(CEF_CALLBACK* get_string)(cef_list_value_t* self, size_t index);
  cef_binary_value_t*(CEF_CALLBACK* get_binary)(cef_list_value_t* self, size_t index);
  cef_dictionary_value_t*(CEF_CALLBACK* get_dictionary)(cef_list_value_t* self, size_t index);
  cef_list_value_t*(CEF_CALLBACK* get_list)(cef_list_value_t* self, size_t index);
  int(CEF_CALLBACK* set_value)(cef_list_value_t* self, size_t index, cef_value_t* value);
  int(CEF_CALLBACK* set_null)(cef_list_value_t* self, size_t index);
  int(CEF_CALLBACK* set_bool)(cef_list_value_t* self, size_t index, int value);
  int(CEF_CALLBACK* set_int)(cef_list_value_t* self, size_t index, int value);
  int(CEF_CALLBACK* set_double)(cef_list_value_t* self, size_t index, double value);
  int(CEF_CALLBACK* set_string)(cef_list_value_t* self, size_t index, const cef_string_t* value);
  int(CEF_CALLBACK* set_binary)(cef_list_value_t* self, size_t index, cef_binary_value_t* value);
  int(CEF_CALLBACK* set_dictionary)(cef_list_value_t* self, size_t index,
                                    cef_dictionary_value_t* value);
  int(CEF_CALLBACK* set_list)(cef_list_value_t* self, size_t index, cef_list_value_t* value);
} cef_list_value_t;

// Script engine (V8) contexts, values, handlers and stack traces

typedef struct _cef_v8context_t {
  cef_base_ref_counted_t base;
  cef_task_runner_t*(CEF_CALLBACK* get_task_runner)(cef_v8context_t* self);
  int(CEF_CALLBACK* is_valid)(cef_v8context_t* self);
  cef_browser_t*(CEF_CALLBACK* get_browser)(cef_v8context_t* self);
  cef_frame_t*(CEF_CALLBACK* get_frame)(cef_v8context_t* self);
  cef_v8value_t*(CEF_CALLBACK* get_global)(cef_v8context_t* self);
  int(CEF_CALLBACK* enter)(cef_v8context_t* self);
  int(CEF_CALLBACK* exit)(cef_v8context_t* self);
  int(CEF_CALLBACK* is_same)(cef_v8context_t* self, cef_v8context_t* that);
  int(CEF_CALLBACK* eval)(cef_v8context_t* self, const cef_string_t* code,
                          const cef_string_t* script_url, int start_line, cef_v8value_t** retval,
                          cef_v8exception_t** exception);
} cef_v8context_t;

typedef struct _cef_v8handler_t {
  cef_base_ref_counted_t base;
  int(CEF_CALLBACK* execute)(cef_v8handler_t* self, const cef_string_t* name, cef_v8value_t* object,
                             size_t argumentsCount, cef_v8value_t* const* arguments,
                             cef_v8value_t** retval, cef_string_t* exception);
} cef_v8handler_t;

typedef struct _cef_v8accessor_t {
  cef_base_ref_counted_t base;
  int(CEF_CALLBACK* get)(cef_v8accessor_t* self, const cef_string_t* name, cef_v8value_t* object,
                         cef_v8value_t** retval, cef_string_t* exception);
  int(CEF_CALLBACK* set)(cef_v8accessor_t* self, const cef_string_t* name, cef_v8value_t* object,
                         cef_v8value_t* value, cef_string_t* exception);
} cef_v8accessor_t;

typedef struct _cef_v8interceptor_t {
  cef_base_ref_counted_t base;
  int(CEF_CALLBACK* get_byname)(cef_v8interceptor_t* self, const cef_string_t* name,
                                cef_v8value_t* object, cef_v8value_t** retval,
                                cef_string_t* exception);
  int(CEF_CALLBACK* get_byindex)(cef_v8interceptor_t* self, int index, cef_v8value_t* object,
                                 cef_v8value_t** retval, cef_string_t* exception);
  int(CEF_CALLBACK* set_byname)(cef_v8interceptor_t* self, const cef_string_t* name,
                                cef_v8value_t* object, cef_v8value_t* value,
                                cef_string_t* exception);
  int(CEF_CALLBACK* set_byindex)(cef_v8interceptor_t* self, int index, cef_v8value_t* object,
                                 cef_v8value_t* value, cef_string_t* exception);
} cef_v8interceptor_t;

typedef struct _cef_v8exception_t {
  cef_base_ref_counted_t base;
  cef_string_userfree_t(CEF_CALLBACK* get_message)(cef_v8exception_t* self);
  cef_string_userfree_t(CEF_CALLBACK* get_source_line)(cef_v8exception_t* self);
  cef_string_userfree_t(CEF_CALLBACK* get_script_resource_name)(cef_v8exception_t* self);
  int(CEF_CALLBACK* get_line_number)(cef_v8exception_t* self);
  int(CEF_CALLBACK* get_start_position)(cef_v8exception_t* self);
  int(CEF_CALLBACK* get_end_position)(cef_v8exception_t* self);
  int(CEF_CALLBACK* get_start_column)(cef_v8exception_t* self);
  int(CEF_CALLBACK* get_end_column)(cef_v8exception_t* self);
} cef_v8exception_t;

typedef struct _cef_v8array_buffer_release_callback_t {
  cef_base_ref_counted_t base;
  void(CEF_CALLBACK* release_buffer)(cef_v8array_buffer_release_callback_t* self, void* buffer);
} cef_v8array_buffer_release_callback_t;

typedef struct _cef_v8value_t {
  cef_base_ref_counted_t base;
  int(CEF_CALLBACK* is_valid)(cef_v8value_t* self);
  int(CEF_CALLBACK* is_undefined)(cef_v8value_t* self);
  int(CEF_CALLBACK* is_null)(cef_v8value_t* self);
  int(CEF_CALLBACK* is_bool)(cef_v8value_t* self);
  int(CEF_CALLBACK* is_int)(cef_v8value_t* self);
  int(CEF_CALLBACK* is_uint)(cef_v8value_t* self);
  int(CEF_CALLBACK* is_double)(cef_v8value_t* self);
  int(CEF_CALLBACK* is_date)(cef_v8value_t* self);
  int(CEF_CALLBACK* is_string)(cef_v8value_t* self);
  int(CEF_CALLBACK* is_object)(cef_v8value_t* self);
  int(CEF_CALLBACK* is_array)(cef_v8value_t* self);
  int(CEF_CALLBACK* is_array_buffer)(cef_v8value_t* self);
  int(CEF_CALLBACK* is_function)(cef_v8value_t* self);
  int(CEF_CALLBACK* is_same)(cef_v8value_t* self, cef_v8value_t* that);
  int(CEF_CALLBACK* get_bool_value)(cef_v8value_t* self);
  int32(CEF_CALLBACK* get_int_value)(cef_v8value_t* self);
  uint32(CEF_CALLBACK* get_uint_value)(cef_v8value_t* self);
  double(CEF_CALLBACK* get_double_value)(cef_v8value_t* self);
  cef_time_t(CEF_CALLBACK* get_date_value)(cef_v8value_t* self);
  cef_string_userfree_t(CEF_CALLBACK* get_string_value)(cef_v8value_t* self);
  int(CEF_CALLBACK* is_user_created)(cef_v8value_t* self);
  int(CEF_CALLBACK* has_exception)(cef_v8value_t* self);
  cef_v8exception_t*(CEF_CALLBACK* get_exception)(cef_v8value_t* self);
  int(CEF_CALLBACK* clear_exception)(cef_v8value_t* self);
  int(CEF_CALLBACK* will_rethrow_exceptions)(cef_v8value_t* self);
  int(CEF_CALLBACK* set_rethrow_exceptions)(cef_v8value_t* self, int rethrow);
  int(CEF_CALLBACK* has_value_bykey)(cef_v8value_t* self, const cef_string_t* key);
  int(CEF_CALLBACK* has_value_byindex)(cef_v8value_t* self, int index);
  int(CEF_CALLBACK* delete_value_bykey)(cef_v8value_t* self, const cef_string_t* key);
  int(CEF_CALLBACK* delete_value_byindex)(cef_v8value_t* self, int index);
  cef_v8value_t*(CEF_CALLBACK* get_value_bykey)(cef_v8value_t* self, const cef_string_t* key);
  cef_v8value_t*(CEF_CALLBACK* get_value_byindex)(cef_v8value_t* self, int index);
  int(CEF_CALLBACK* set_value_bykey)(cef_v8value_t* self, const cef_string_t* key,
                                     cef_v8value_t* value, cef_v8_propertyattribute_t attribute);
  int(CEF_CALLBACK* set_value_byindex)(cef_v8value_t* self, int index, cef_v8value_t* value);
  int(CEF_CALLBACK* set_value_byaccessor)(cef_v8value_t* self, const cef_string_t* key,
                                          cef_v8_accesscontrol_t settings,
                                          cef_v8_propertyattribute_t attribute);
  int(CEF_CALLBACK* get_keys)(cef_v8value_t* self, cef_string_list_t keys);
  int(CEF_CALLBACK* set_user_data)(cef_v8value_t* self, cef_base_ref_counted_t* user_data);
  cef_base_ref_counted_t*(CEF_CALLBACK* get_user_data)(cef_v8value_t* self);
  int(CEF_CALLBACK* get_externally_allocated_memory)(cef_v8value_t* self);
  int(CEF_CALLBACK* adjust_externally_allocated_memory)(cef_v8value_t* self, int change_in_bytes);
  int(CEF_CALLBACK* get_array_length)(cef_v8value_t* self);
  cef_v8array_buffer_release_callback_t*(CEF_CALLBACK* get_array_buffer_release_callback)(
      cef_v8value_t* self);
  int(CEF_CALLBACK* neuter_array_buffer)(cef_v8value_t* self);
  cef_string_userfree_t(CEF_CALLBACK* get_function_name)(cef_v8value_t* self);
  cef_v8handler_t*(CEF_CALLBACK* get_function_handler)(cef_v8value_t* self);
  cef_v8value_t*(CEF_CALLBACK* execute_function)(cef_v8value_t* self, cef_v8value_t* object,
                                                 size_t argumentsCount,
                                                 cef_v8value_t* const* arguments);
  cef_v8value_t*(CEF_CALLBACK* execute_function_with_context)(cef_v8value_t* self,
                                                              cef_v8context_t* context,
                                                              cef_v8value_t* object,
                                                              size_t argumentsCount,
                                                              cef_v8value_t* const* arguments);
} cef_v8value_t;

typedef struct _cef_v8stack_trace_t {
  cef_base_ref_counted_t base;
  int(CEF_CALLBACK* is_valid)(cef_v8stack_trace_t* self);
  int(CEF_CALLBACK* get_frame_count)(cef_v8stack_trace_t* self);
  cef_v8stack_frame_t*(CEF_CALLBACK* get_frame)(cef_v8stack_trace_t* self, int index);
} cef_v8stack_trace_t;

typedef struct _cef_v8stack_frame_t {
  cef_base_ref_counted_t base;
  int(CEF_CALLBACK* is_valid)(cef_v8stack_frame_t* self);
  cef_string_userfree_t(CEF_CALLBACK* get_script_name)(cef_v8stack_frame_t* self);
  cef_string_userfree_t(CEF_CALLBACK* get_script_name_or_source_url)(cef_v8stack_frame_t* self);
  cef_string_userfree_t(CEF_CALLBACK* get_function_name)(cef_v8stack_frame_t* self);
  int(CEF_CALLBACK* get_line_number)(cef_v8stack_frame_t* self);
  int(CEF_CALLBACK* get_column)(cef_v8stack_frame_t* self);
  int(CEF_CALLBACK* is_eval)(cef_v8stack_frame_t* self);
  int(CEF_CALLBACK* is_constructor)(cef_v8stack_frame_t* self);
} cef_v8stack_frame_t;

// DOM access (renderer process)

typedef struct _cef_domvisitor_t {
  cef_base_ref_counted_t base;
  void(CEF_CALLBACK* visit)(cef_domvisitor_t* self, cef_domdocument_t* document);
} cef_domvisitor_t;

typedef struct _cef_domdocument_t {
  cef_base_ref_counted_t base;
  cef_dom_document_type_t(CEF_CALLBACK* get_type)(cef_domdocument_t* self);
  cef_domnode_t*(CEF_CALLBACK* get_document)(cef_domdocument_t* self);
  cef_domnode_t*(CEF_CALLBACK* get_body)(cef_domdocument_t* self);
  cef_domnode_t*(CEF_CALLBACK* get_head)(cef_domdocument_t* self);
  cef_string_userfree_t(CEF_CALLBACK* get_title)(cef_domdocument_t* self);
  cef_domnode_t*(CEF_CALLBACK* get_element_by_id)(cef_domdocument_t* self, const cef_string_t* id);
  cef_domnode_t*(CEF_CALLBACK* get_focused_node)(cef_domdocument_t* self);
  int(CEF_CALLBACK* has_selection)(cef_domdocument_t* self);
  int(CEF_CALLBACK* get_selection_start_offset)(cef_domdocument_t* self);
  int(CEF_CALLBACK* get_selection_end_offset)(cef_domdocument_t* self);
  cef_string_userfree_t(CEF_CALLBACK* get_selection_as_markup)(cef_domdocument_t* self);
  cef_string_userfree_t(CEF_CALLBACK* get_selection_as_text)(cef_domdocument_t* self);
  cef_string_userfree_t(CEF_CALLBACK* get_base_url)(cef_domdocument_t* self);
  cef_string_userfree_t(CEF_CALLBACK* get_complete_url)(cef_domdocument_t* self,
                                                        const cef_string_t* partialURL);
} cef_domdocument_t;

typedef struct _cef_domnode_t {
  cef_base_ref_counted_t base;
  cef_dom_node_type_t(CEF_CALLBACK* get_type)(cef_domnode_t* self);
  int(CEF_CALLBACK* is_text)(cef_domnode_t* self);
  int(CEF_CALLBACK* is_element)(cef_domnode_t* self);
  int(CEF_CALLBACK* is_editable)(cef_domnode_t* self);
  int(CEF_CALLBACK* is_form_control_element)(cef_domnode_t* self);
  cef_string_userfree_t(CEF_CALLBACK* get_form_control_element_type)(cef_domnode_t* self);
  int(CEF_CALLBACK* is_same)(cef_domnode_t* self, cef_domnode_t* that);
  cef_string_userfree_t(CEF_CALLBACK* get_name)(cef_domnode_t* self);
  cef_string_userfree_t(CEF_CALLBACK* get_value)(cef_domnode_t* self);
  int(CEF_CALLBACK* set_value)(cef_domnode_t* self, const cef_string_t* value);
  cef_string_userfree_t(CEF_CALLBACK* get_as_markup)(cef_domnode_t* self);
  cef_domdocument_t*(CEF_CALLBACK* get_document)(cef_domnode_t* self);
  cef_domnode_t*(CEF_CALLBACK* get_parent)(cef_domnode_t* self);
  cef_domnode_t*(CEF_CALLBACK* get_previous_sibling)(cef_domnode_t* self);
  cef_domnode_t*(CEF_CALLBACK* get_next_sibling)(cef_domnode_t* self);
  int(CEF_CALLBACK* has_children)(cef_domnode_t* self);
  cef_domnode_t*(CEF_CALLBACK* get_first_child)(cef_domnode_t* self);
  cef_domnode_t*(CEF_CALLBACK* get_last_child)(cef_domnode_t* self);
  cef_string_userfree_t(CEF_CALLBACK* get_element_tag_name)(cef_domnode_t* self);
  int(CEF_CALLBACK* has_element_attributes)(cef_domnode_t* self);
  int(CEF_CALLBACK* has_element_attribute)(cef_domnode_t* self, const cef_string_t* attrName);
  cef_string_userfree_t(CEF_CALLBACK* get_element_attribute)(cef_domnode_t* self,
                                                             const cef_string_t* attrName);
  void(CEF_CALLBACK* get_element_attributes)(cef_domnode_t* self, cef_string_map_t attrMap);
  int(CEF_CALLBACK* set_element_attribute)(cef_domnode_t* self, const cef_string_t* attrName,
                                           const cef_string_t* value);
  cef_string_userfree_t(CEF_CALLBACK* get_element_inner_text)(cef_domnode_t* self);
  cef_rect_t(CEF_CALLBACK* get_element_bounds)(cef_domnode_t* self);
} cef_domnode_t;

// Streams

typedef struct _cef_read_handler_t {
  cef_base_ref_counted_t base;
  size_t(CEF_CALLBACK* read)(cef_read_handler_t* self, void* ptr, size_t size, size_t n);
  int(CEF_CALLBACK* seek)(cef_read_handler_t* self, int64 offset, int whence);
  int64(CEF_CALLBACK* tell)(cef_read_handler_t* self);
  int(CEF_CALLBACK* eof)(cef_read_handler_t* self);
  int(CEF_CALLBACK* may_block)(cef_read_handler_t* self);
} cef_read_handler_t;

typedef struct _cef_stream_reader_t {
  cef_base_ref_counted_t base;
  size_t(CEF_CALLBACK* read)(cef_stream_reader_t* self, void* ptr, size_t size, size_t n);
  int(CEF_CALLBACK* seek)(cef_stream_reader_t* self, int64 offset, int whence);
  int64(CEF_CALLBACK* tell)(cef_stream_reader_t* self);
  int(CEF_CALLBACK* eof)(cef_stream_reader_t* self);
  int(CEF_CALLBACK* may_block)(cef_stream_reader_t* self);
} cef_stream_reader_t;

typedef struct _cef_write_handler_t {
  cef_base_ref_counted_t base;
  size_t(CEF_CALLBACK* write)(cef_write_handler_t* self, const void* ptr, size_t size, size_t n);
  int(CEF_CALLBACK* seek)(cef_write_handler_t* self, int64 offset, int whence);
  int64(CEF_CALLBACK* tell)(cef_write_handler_t* self);
  int(CEF_CALLBACK* flush)(cef_write_handler_t* self);
  int(CEF_CALLBACK* may_block)(cef_write_handler_t* self);
} cef_write_handler_t;

typedef struct _cef_stream_writer_t {
  cef_base_ref_counted_t base;
  size_t(CEF_CALLBACK* write)(cef_stream_writer_t* self, const void* ptr, size_t size, size_t n);
  int(CEF_CALLBACK* seek)(cef_stream_writer_t* self, int64 offset, int whence);
  int64(CEF_CALLBACK* tell)(cef_stream_writer_t* self);
  int(CEF_CALLBACK* flush)(cef_stream_writer_t* self);
  int(CEF_CALLBACK* may_block)(cef_stream_writer_t* self);
} cef_stream_writer_t;

// String visitor

typedef struct _cef_string_visitor_t {
  cef_base_ref_counted_t base;
  void(CEF_CALLBACK* visit)(cef_string_visitor_t* self, const cef_string_t* string);
} cef_string_visitor_t;

// XML reader

typedef struct _cef_xml_reader_t {
  cef_base_ref_counted_t base;
  int(CEF_CALLBACK* move_to_next_node)(cef_xml_reader_t* self);
  int(CEF_CALLBACK* close)(cef_xml_reader_t* self);
  int(CEF_CALLBACK* has_error)(cef_xml_reader_t* self);
  cef_string_userfree_t(CEF_CALLBACK* get_error)(cef_xml_reader_t* self);
  cef_xml_node_type_t(CEF_CALLBACK* get_type)(cef_xml_reader_t* self);
  int(CEF_CALLBACK* get_depth)(cef_xml_reader_t* self);
  cef_string_userfree_t(CEF_CALLBACK* get_local_name)(cef_xml_reader_t* self);
  cef_string_userfree_t(CEF_CALLBACK* get_prefix)(cef_xml_reader_t* self);
  cef_string_userfree_t(CEF_CALLBACK* get_qualified_name)(cef_xml_reader_t* self);
  cef_string_userfree_t(CEF_CALLBACK* get_namespace_uri)(cef_xml_reader_t* self);
  cef_string_userfree_t(CEF_CALLBACK* get_base_uri)(cef_xml_reader_t* self);
  cef_string_userfree_t(CEF_CALLBACK* get_xml_lang)(cef_xml_reader_t* self);
  int(CEF_CALLBACK* is_empty_element)(cef_xml_reader_t* self);
  int(CEF_CALLBACK* has_value)(cef_xml_reader_t* self);
  cef_string_userfree_t(CEF_CALLBACK* get_value)(cef_xml_reader_t* self);
  int(CEF_CALLBACK* has_attributes)(cef_xml_reader_t* self);
  size_t(CEF_CALLBACK* get_attribute_count)(cef_xml_reader_t* self);
  cef_string_userfree_t(CEF_CALLBACK* get_attribute_byindex)(cef_xml_reader_t* self, int index);
  cef_string_userfree_t(CEF_CALLBACK* get_attribute_byqname)(cef_xml_reader_t* self,
                                                             const cef_string_t* qualifiedName);
  cef_string_userfree_t(CEF_CALLBACK* get_attribute_bylname)(cef_xml_reader_t* self,
                                                             const cef_string_t* localName,
                                                             const cef_string_t* namespaceURI);
  cef_string_userfree_t(CEF_CALLBACK* get_inner_xml)(cef_xml_reader_t* self);
  cef_string_userfree_t(CEF_CALLBACK* get_outer_xml)(cef_xml_reader_t* self);
  int(CEF_CALLBACK* get_line_number)(cef_xml_reader_t* self);
  int(CEF_CALLBACK* move_to_attribute_byindex)(cef_xml_reader_t* self, int index);
  int(CEF_CALLBACK* move_to_attribute_byqname)(cef_xml_reader_t* self,
                                               const cef_string_t* qualifiedName);
  int(CEF_CALLBACK* move_to_attribute_bylname)(cef_xml_reader_t* self,
                                               const cef_string_t* localName,
                                               const cef_string_t* namespaceURI);
  int(CEF_CALLBACK* move_to_first_attribute)(cef_xml_reader_t* self);
  int(CEF_CALLBACK* move_to_next_attribute)(cef_xml_reader_t* self);
  int(CEF_CALLBACK* move_to_carrying_element)(cef_xml_reader_t* self);
} cef_xml_reader_t;

// Zip reader

typedef struct _cef_zip_reader_t {
  cef_base_ref_counted_t base;
  int(CEF_CALLBACK* move_to_first_file)(cef_zip_reader_t* self);
  int(CEF_CALLBACK* move_to_next_file)(cef_zip_reader_t* self);
  int(CEF_CALLBACK* move_to_file)(cef_zip_reader_t* self, const cef_string_t* fileName,
                                  int caseSensitive);
  int(CEF_CALLBACK* close)(cef_zip_reader_t* self);
  cef_string_userfree_t(CEF_CALLBACK* get_file_name)(cef_zip_reader_t* self);
  int64(CEF_CALLBACK* get_file_size)(cef_zip_reader_t* self);
  cef_time_t(CEF_CALLBACK* get_file_last_modified)(cef_zip_reader_t* self);
  int(CEF_CALLBACK* open_file)(cef_zip_reader_t* self, const cef_string_t* password);
  int(CEF_CALLBACK* close_file)(cef_zip_reader_t* self);
  int(CEF_CALLBACK* read_file)(cef_zip_reader_t* self, void* buffer, size_t bufferSize);
  int64(CEF_CALLBACK* tell)(cef_zip_reader_t* self);
  int(CEF_CALLBACK* eof)(cef_zip_reader_t* self);
} cef_zip_reader_t;
