// Exports the program never calls (see Unsupported.h).
#include "standin/core/Trace.h"
#include "standin/exports/Exports.h"
#include "standin/exports/Unsupported.h"

using namespace quirel::standin;

extern "C" {

cef_drag_data_t* cef_drag_data_create() {
  trace::Call("cef_drag_data_create");
  return nullptr;
}

int cef_create_directory(const cef_string_t* full_path) {
  trace::Call("cef_create_directory").Text("full_path", full_path);
  return 0;
}

int cef_get_temp_directory(cef_string_t*) {
  trace::Call("cef_get_temp_directory");
  return 0;
}

int cef_create_new_temp_directory(const cef_string_t* prefix, cef_string_t*) {
  trace::Call("cef_create_new_temp_directory").Text("prefix", prefix);
  return 0;
}

int cef_create_temp_directory_in_directory(const cef_string_t* base_dir, const cef_string_t* prefix,
                                           cef_string_t*) {
  trace::Call("cef_create_temp_directory_in_directory")
      .Text("base_dir", base_dir)
      .Text("prefix", prefix);
  return 0;
}

int cef_directory_exists(const cef_string_t* path) {
  trace::Call("cef_directory_exists").Text("path", path);
  return 0;
}

int cef_delete_file(const cef_string_t* path, int recursive) {
  trace::Call("cef_delete_file").Text("path", path).Int("recursive", recursive);
  return 0;
}

int cef_zip_directory(const cef_string_t* src_dir, const cef_string_t* dest_file,
                      int include_hidden_files) {
  trace::Call("cef_zip_directory")
      .Text("src_dir", src_dir)
      .Text("dest_file", dest_file)
      .Int("include_hidden_files", include_hidden_files);
  return 0;
}

void cef_load_crlsets_file(const cef_string_t* path) {
  trace::Call("cef_load_crlsets_file").Text("path", path);
}

cef_image_t* cef_image_create() {
  trace::Call("cef_image_create");
  return nullptr;
}

cef_menu_model_t* cef_menu_model_create(cef_menu_model_delegate_t* delegate) {
  ReleaseArguments(delegate);
  trace::Call("cef_menu_model_create");
  return nullptr;
}

cef_media_router_t* cef_media_router_get_global() {
  trace::Call("cef_media_router_get_global");
  return nullptr;
}

int cef_add_cross_origin_whitelist_entry(const cef_string_t* source_origin,
                                         const cef_string_t* target_protocol,
                                         const cef_string_t* target_domain,
                                         int allow_target_subdomains) {
  trace::Call("cef_add_cross_origin_whitelist_entry")
      .Text("source_origin", source_origin)
      .Text("target_protocol", target_protocol)
      .Text("target_domain", target_domain)
      .Int("allow_target_subdomains", allow_target_subdomains);
  return 0;
}

int cef_remove_cross_origin_whitelist_entry(const cef_string_t* source_origin,
                                            const cef_string_t* target_protocol,
                                            const cef_string_t* target_domain,
                                            int allow_target_subdomains) {
  trace::Call("cef_remove_cross_origin_whitelist_entry")
      .Text("source_origin", source_origin)
      .Text("target_protocol", target_protocol)
      .Text("target_domain", target_domain)
      .Int("allow_target_subdomains", allow_target_subdomains);
  return 0;
}

int cef_clear_cross_origin_whitelist() {
  trace::Call("cef_clear_cross_origin_whitelist");
  return 0;
}

int cef_parse_url(const cef_string_t* url, cef_urlparts_t*) {
  trace::Call("cef_parse_url").Text("url", url);
  return 0;
}

int cef_create_url(const cef_urlparts_t*, cef_string_t*) {
  trace::Call("cef_create_url");
  return 0;
}

cef_string_userfree_t cef_format_url_for_security_display(const cef_string_t* origin_url) {
  trace::Call("cef_format_url_for_security_display").Text("origin_url", origin_url);
  return nullptr;
}

cef_string_userfree_t cef_get_mime_type(const cef_string_t* extension) {
  trace::Call("cef_get_mime_type").Text("extension", extension);
  return nullptr;
}

void cef_get_extensions_for_mime_type(const cef_string_t* mime_type, cef_string_list_t) {
  trace::Call("cef_get_extensions_for_mime_type").Text("mime_type", mime_type);
}

cef_string_userfree_t cef_base64encode(const void*, size_t data_size) {
  trace::Call("cef_base64encode").Int("data_size", static_cast<long long>(data_size));
  return nullptr;
}

cef_binary_value_t* cef_base64decode(const cef_string_t* data) {
  trace::Call("cef_base64decode").Text("data", data);
  return nullptr;
}

cef_string_userfree_t cef_uriencode(const cef_string_t* text, int use_plus) {
  trace::Call("cef_uriencode").Text("text", text).Int("use_plus", use_plus);
  return nullptr;
}

cef_string_userfree_t cef_uridecode(const cef_string_t* text, int convert_to_utf8,
                                    cef_uri_unescape_rule_t unescape_rule) {
  trace::Call("cef_uridecode")
      .Text("text", text)
      .Int("convert_to_utf8", convert_to_utf8)
      .Int("unescape_rule", unescape_rule);
  return nullptr;
}

cef_value_t* cef_parse_json(const cef_string_t* json_string, cef_json_parser_options_t options) {
  trace::Call("cef_parse_json").Text("json_string", json_string).Int("options", options);
  return nullptr;
}

cef_value_t* cef_parse_json_buffer(const void*, size_t json_size,
                                   cef_json_parser_options_t options) {
  trace::Call("cef_parse_json_buffer")
      .Int("json_size", static_cast<long long>(json_size))
      .Int("options", options);
  return nullptr;
}

cef_value_t* cef_parse_jsonand_return_error(const cef_string_t* json_string,
                                            cef_json_parser_options_t options, cef_string_t*) {
  trace::Call("cef_parse_jsonand_return_error")
      .Text("json_string", json_string)
      .Int("options", options);
  return nullptr;
}

cef_string_userfree_t cef_write_json(cef_value_t* node, cef_json_writer_options_t options) {
  ReleaseArguments(node);
  trace::Call("cef_write_json").Int("options", options);
  return nullptr;
}

int cef_get_path(cef_path_key_t key, cef_string_t*) {
  trace::Call("cef_get_path").Int("key", key);
  return 0;
}

cef_print_settings_t* cef_print_settings_create() {
  trace::Call("cef_print_settings_create");
  return nullptr;
}

cef_process_message_t* cef_process_message_create(const cef_string_t* name) {
  trace::Call("cef_process_message_create").Text("name", name);
  return nullptr;
}

int cef_launch_process(cef_command_line_t* command_line) {
  ReleaseArguments(command_line);
  trace::Call("cef_launch_process");
  return 0;
}


cef_post_data_t* cef_post_data_create() {
  trace::Call("cef_post_data_create");
  return nullptr;
}

cef_post_data_element_t* cef_post_data_element_create() {
  trace::Call("cef_post_data_element_create");
  return nullptr;
}


cef_request_context_t* cef_request_context_create_context(const cef_request_context_settings_t*,
                                                          cef_request_context_handler_t* handler) {
  ReleaseArguments(handler);
  trace::Call("cef_request_context_create_context");
  return nullptr;
}

cef_request_context_t* cef_create_context_shared(cef_request_context_t* other,
                                                 cef_request_context_handler_t* handler) {
  ReleaseArguments(other, handler);
  trace::Call("cef_create_context_shared");
  return nullptr;
}

cef_resource_bundle_t* cef_resource_bundle_get_global() {
  trace::Call("cef_resource_bundle_get_global");
  return nullptr;
}

cef_response_t* cef_response_create() {
  trace::Call("cef_response_create");
  return nullptr;
}

void cef_server_create(const cef_string_t* address, uint16 port, int backlog,
                       cef_server_handler_t* handler) {
  ReleaseArguments(handler);
  trace::Call("cef_server_create")
      .Text("address", address)
      .Int("port", port)
      .Int("backlog", backlog);
}

int cef_register_scheme_handler_factory(const cef_string_t* scheme_name,
                                        const cef_string_t* domain_name,
                                        cef_scheme_handler_factory_t* factory) {
  ReleaseArguments(factory);
  trace::Call("cef_register_scheme_handler_factory")
      .Text("scheme_name", scheme_name)
      .Text("domain_name", domain_name);
  return 0;
}

int cef_clear_scheme_handler_factories() {
  trace::Call("cef_clear_scheme_handler_factories");
  return 0;
}

int cef_is_cert_status_error(cef_cert_status_t status) {
  trace::Call("cef_is_cert_status_error").Int("status", status);
  return 0;
}

cef_stream_reader_t* cef_stream_reader_create_for_file(const cef_string_t* fileName) {
  trace::Call("cef_stream_reader_create_for_file").Text("file_name", fileName);
  return nullptr;
}

cef_stream_reader_t* cef_stream_reader_create_for_data(void*, size_t size) {
  trace::Call("cef_stream_reader_create_for_data").Int("size", static_cast<long long>(size));
  return nullptr;
}

cef_stream_reader_t* cef_stream_reader_create_for_handler(cef_read_handler_t* handler) {
  ReleaseArguments(handler);
  trace::Call("cef_stream_reader_create_for_handler");
  return nullptr;
}

cef_stream_writer_t* cef_stream_writer_create_for_file(const cef_string_t* fileName) {
  trace::Call("cef_stream_writer_create_for_file").Text("file_name", fileName);
  return nullptr;
}

cef_stream_writer_t* cef_stream_writer_create_for_handler(cef_write_handler_t* handler) {
  ReleaseArguments(handler);
  trace::Call("cef_stream_writer_create_for_handler");
  return nullptr;
}

cef_thread_t* cef_thread_create(const cef_string_t* display_name, cef_thread_priority_t priority,
                                cef_message_loop_type_t message_loop_type, int stoppable,
                                cef_com_init_mode_t com_init_mode) {
  trace::Call("cef_thread_create")
      .Text("display_name", display_name)
      .Int("priority", priority)
      .Int("message_loop_type", message_loop_type)
      .Int("stoppable", stoppable)
      .Int("com_init_mode", com_init_mode);
  return nullptr;
}

cef_urlrequest_t* cef_urlrequest_create(cef_request_t* request, cef_urlrequest_client_t* client,
                                        cef_request_context_t* request_context) {
  ReleaseArguments(request, client, request_context);
  trace::Call("cef_urlrequest_create");
  return nullptr;
}


cef_binary_value_t* cef_binary_value_create(const void*, size_t data_size) {
  trace::Call("cef_binary_value_create").Int("data_size", static_cast<long long>(data_size));
  return nullptr;
}


cef_list_value_t* cef_list_value_create() {
  trace::Call("cef_list_value_create");
  return nullptr;
}

cef_waitable_event_t* cef_waitable_event_create(int automatic_reset, int initially_signaled) {
  trace::Call("cef_waitable_event_create")
      .Int("automatic_reset", automatic_reset)
      .Int("initially_signaled", initially_signaled);
  return nullptr;
}

void cef_visit_web_plugin_info(cef_web_plugin_info_visitor_t* visitor) {
  ReleaseArguments(visitor);
  trace::Call("cef_visit_web_plugin_info");
}

void cef_refresh_web_plugins() { trace::Call("cef_refresh_web_plugins"); }

void cef_unregister_internal_web_plugin(const cef_string_t* path) {
  trace::Call("cef_unregister_internal_web_plugin").Text("path", path);
}

void cef_register_web_plugin_crash(const cef_string_t* path) {
  trace::Call("cef_register_web_plugin_crash").Text("path", path);
}

void cef_is_web_plugin_unstable(const cef_string_t* path,
                                cef_web_plugin_unstable_callback_t* callback) {
  ReleaseArguments(callback);
  trace::Call("cef_is_web_plugin_unstable").Text("path", path);
}

void cef_register_widevine_cdm(const cef_string_t* path, cef_register_cdm_callback_t* callback) {
  ReleaseArguments(callback);
  trace::Call("cef_register_widevine_cdm").Text("path", path);
}

cef_xml_reader_t* cef_xml_reader_create(cef_stream_reader_t* stream,
                                        cef_xml_encoding_type_t encodingType,
                                        const cef_string_t* URI) {
  ReleaseArguments(stream);
  trace::Call("cef_xml_reader_create").Int("encoding_type", encodingType).Text("uri", URI);
  return nullptr;
}

cef_zip_reader_t* cef_zip_reader_create(cef_stream_reader_t* stream) {
  ReleaseArguments(stream);
  trace::Call("cef_zip_reader_create");
  return nullptr;
}

}  // extern "C"
