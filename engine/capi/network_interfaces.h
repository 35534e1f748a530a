// Requests, responses, cookies and network services: interface structs of the engine's C ABI.
#pragma once

#include "engine/capi/cef_forward.h"

// Request

typedef struct _cef_request_t {
  cef_base_ref_counted_t base;
  int(CEF_CALLBACK* is_read_only)(cef_request_t* self);
  cef_string_userfree_t(CEF_CALLBACK* get_url)(cef_request_t* self);
  void(CEF_CALLBACK* set_url)(cef_request_t* self, const cef_string_t* url);
  cef_string_userfree_t(CEF_CALLBACK* get_method)(cef_request_t* self);
  void(CEF_CALLBACK* set_method)(cef_request_t* self, const cef_string_t* method);
  void(CEF_CALLBACK* set_referrer)(cef_request_t* self, const cef_string_t* referrer_url,
                                   cef_referrer_policy_t policy);
  cef_string_userfree_t(CEF_CALLBACK* get_referrer_url)(cef_request_t* self);
  cef_referrer_policy_t(CEF_CALLBACK* get_referrer_policy)(cef_request_t* self);
  cef_post_data_t*(CEF_CALLBACK* get_post_data)(cef_request_t* self);
  void(CEF_CALLBACK* set_post_data)(cef_request_t* self, cef_post_data_t* postData);
  void(CEF_CALLBACK* get_header_map)(cef_request_t* self, cef_string_multimap_t headerMap);
  void(CEF_CALLBACK* set_header_map)(cef_request_t* self, cef_string_multimap_t headerMap);
  cef_string_userfree_t(CEF_CALLBACK* get_header_by_name)(cef_request_t* self,
                                                          const cef_string_t* name);
  void(CEF_CALLBACK* set_header_by_name)(cef_request_t* self, const cef_string_t* name,
                                         const cef_string_t* value, int overwrite);
  void(CEF_CALLBACK* set)(cef_request_t* self, const cef_string_t* url, const cef_string_t* method,
                          cef_post_data_t* postData, cef_string_multimap_t headerMap);
  int(CEF_CALLBACK* get_flags)(cef_request_t* self);
  void(CEF_CALLBACK* set_flags)(cef_request_t* self, int flags);
  cef_string_userfree_t(CEF_CALLBACK* get_first_party_for_cookies)(cef_request_t* self);
  void(CEF_CALLBACK* set_first_party_for_cookies)(cef_request_t* self, const cef_string_t* url);
  cef_resource_type_t(CEF_CALLBACK* get_resource_type)(cef_request_t* self);
  cef_transition_type_t(CEF_CALLBACK* get_transition_type)(cef_request_t* self);
  uint64(CEF_CALLBACK* get_identifier)(cef_request_t* self);
} cef_request_t;

typedef struct _cef_post_data_t {
  cef_base_ref_counted_t base;
  int(CEF_CALLBACK* is_read_only)(cef_post_data_t* self);
  int(CEF_CALLBACK* has_excluded_elements)(cef_post_data_t* self);
  size_t(CEF_CALLBACK* get_element_count)(cef_post_data_t* self);
  void(CEF_CALLBACK* get_elements)(cef_post_data_t* self, size_t* elementsCount,
                                   cef_post_data_element_t** elements);
  int(CEF_CALLBACK* remove_element)(cef_post_data_t* self, cef_post_data_element_t* element);
  int(CEF_CALLBACK* add_element)(cef_post_data_t* self, cef_post_data_element_t* element);
  void(CEF_CALLBACK* remove_elements)(cef_post_data_t* self);
} cef_post_data_t;

typedef struct _cef_post_data_element_t {
  cef_base_ref_counted_t base;
  int(CEF_CALLBACK* is_read_only)(cef_post_data_element_t* self);
  void(CEF_CALLBACK* set_to_empty)(cef_post_data_element_t* self);
  void(CEF_CALLBACK* set_to_file)(cef_post_data_element_t* self, const cef_string_t* fileName);
  void(CEF_CALLBACK* set_to_bytes)(cef_post_data_element_t* self, size_t size, const void* bytes);
  cef_postdataelement_type_t(CEF_CALLBACK* get_type)(cef_post_data_element_t* self);
  cef_string_userfree_t(CEF_CALLBACK* get_file)(cef_post_data_element_t* self);
  size_t(CEF_CALLBACK* get_bytes_count)(cef_post_data_element_t* self);
  size_t(CEF_CALLBACK* get_bytes)(cef_post_data_element_t* self, size_t size, void* bytes);
} cef_post_data_element_t;

// Request callback

typedef struct _cef_request_callback_t {
  cef_base_ref_counted_t base;
  void(CEF_CALLBACK* cont)(cef_request_callback_t* self, int allow);
  void(CEF_CALLBACK* cancel)(cef_request_callback_t* self);
} cef_request_callback_t;

// Auth callback

typedef struct _cef_auth_callback_t {
  cef_base_ref_counted_t base;
  void(CEF_CALLBACK* cont)(cef_auth_callback_t* self, const cef_string_t* username,
                           const cef_string_t* password);
  void(CEF_CALLBACK* cancel)(cef_auth_callback_t* self);
} cef_auth_callback_t;

// Request context

typedef struct _cef_resolve_callback_t {
  cef_base_ref_counted_t base;
  void(CEF_CALLBACK* on_resolve_completed)(cef_resolve_callback_t* self, cef_errorcode_t result,
                                           cef_string_list_t resolved_ips);
} cef_resolve_callback_t;

typedef struct _cef_request_context_t {
  cef_base_ref_counted_t base;
  int(CEF_CALLBACK* is_same)(cef_request_context_t* self, cef_request_context_t* other);
  int(CEF_CALLBACK* is_sharing_with)(cef_request_context_t* self, cef_request_context_t* other);
  int(CEF_CALLBACK* is_global)(cef_request_context_t* self);
  cef_request_context_handler_t*(CEF_CALLBACK* get_handler)(cef_request_context_t* self);
  cef_string_userfree_t(CEF_CALLBACK* get_cache_path)(cef_request_context_t* self);
  cef_cookie_manager_t*(CEF_CALLBACK* get_cookie_manager)(cef_request_context_t* self,
                                                          cef_completion_callback_t* callback);
  int(CEF_CALLBACK* register_scheme_handler_factory)(cef_request_context_t* self,
                                                     const cef_string_t* scheme_name,
                                                     const cef_string_t* domain_name,
                                                     cef_scheme_handler_factory_t* factory);
  int(CEF_CALLBACK* clear_scheme_handler_factories)(cef_request_context_t* self);
  void(CEF_CALLBACK* purge_plugin_list_cache)(cef_request_context_t* self, int reload_pages);
  int(CEF_CALLBACK* has_preference)(cef_request_context_t* self, const cef_string_t* name);
  cef_value_t*(CEF_CALLBACK* get_preference)(cef_request_context_t* self, const cef_string_t* name);
  cef_dictionary_value_t*(CEF_CALLBACK* get_all_preferences)(cef_request_context_t* self,
                                                             int include_defaults);
  int(CEF_CALLBACK* can_set_preference)(cef_request_context_t* self, const cef_string_t* name);
  int(CEF_CALLBACK* set_preference)(cef_request_context_t* self, const cef_string_t* name,
                                    cef_value_t* value, cef_string_t* error);
  void(CEF_CALLBACK* clear_certificate_exceptions)(cef_request_context_t* self,
                                                   cef_completion_callback_t* callback);
  void(CEF_CALLBACK* clear_http_auth_credentials)(cef_request_context_t* self,
                                                  cef_completion_callback_t* callback);
  void(CEF_CALLBACK* close_all_connections)(cef_request_context_t* self,
                                            cef_completion_callback_t* callback);
  void(CEF_CALLBACK* resolve_host)(cef_request_context_t* self, const cef_string_t* origin,
                                   cef_resolve_callback_t* callback);
  void(CEF_CALLBACK* load_extension)(cef_request_context_t* self,
                                     const cef_string_t* root_directory,
                                     cef_dictionary_value_t* manifest,
                                     cef_extension_handler_t* handler);
  int(CEF_CALLBACK* did_load_extension)(cef_request_context_t* self,
                                        const cef_string_t* extension_id);
  int(CEF_CALLBACK* has_extension)(cef_request_context_t* self, const cef_string_t* extension_id);
  int(CEF_CALLBACK* get_extensions)(cef_request_context_t* self, cef_string_list_t extension_ids);
  cef_extension_t*(CEF_CALLBACK* get_extension)(cef_request_context_t* self,
                                                const cef_string_t* extension_id);
  cef_media_router_t*(CEF_CALLBACK* get_media_router)(cef_request_context_t* self);
} cef_request_context_t;

// Request context handler

typedef struct _cef_request_context_handler_t {
  cef_base_ref_counted_t base;
  void(CEF_CALLBACK* on_request_context_initialized)(cef_request_context_handler_t* self,
                                                     cef_request_context_t* request_context);
  int(CEF_CALLBACK* on_before_plugin_load)(cef_request_context_handler_t* self,
                                           const cef_string_t* mime_type,
                                           const cef_string_t* plugin_url, int is_main_frame,
                                           const cef_string_t* top_origin_url,
                                           cef_web_plugin_info_t* plugin_info,
                                           cef_plugin_policy_t* plugin_policy);
  cef_resource_request_handler_t*(CEF_CALLBACK* get_resource_request_handler)(
      cef_request_context_handler_t* self, cef_browser_t* browser, cef_frame_t* frame,
      cef_request_t* request, int is_navigation, int is_download,
      const cef_string_t* request_initiator, int* disable_default_handling);
} cef_request_context_handler_t;

// Resource request handler

typedef struct _cef_resource_request_handler_t {
  cef_base_ref_counted_t base;
  cef_cookie_access_filter_t*(CEF_CALLBACK* get_cookie_access_filter)(
      cef_resource_request_handler_t* self, cef_browser_t* browser, cef_frame_t* frame,
      cef_request_t* request);
  cef_return_value_t(CEF_CALLBACK* on_before_resource_load)(cef_resource_request_handler_t* self,
                                                            cef_browser_t* browser,
                                                            cef_frame_t* frame,
                                                            cef_request_t* request,
                                                            cef_request_callback_t* callback);
  cef_resource_handler_t*(CEF_CALLBACK* get_resource_handler)(cef_resource_request_handler_t* self,
                                                              cef_browser_t* browser,
                                                              cef_frame_t* frame,
                                                              cef_request_t* request);
  void(CEF_CALLBACK* on_resource_redirect)(cef_resource_request_handler_t* self,
                                           cef_browser_t* browser, cef_frame_t* frame,
                                           cef_request_t* request, cef_response_t* response,
                                           cef_string_t* new_url);
  int(CEF_CALLBACK* on_resource_response)(cef_resource_request_handler_t* self,
                                          cef_browser_t* browser, cef_frame_t* frame,
                                          cef_request_t* request, cef_response_t* response);
  cef_response_filter_t*(CEF_CALLBACK* get_resource_response_filter)(
      cef_resource_request_handler_t* self, cef_browser_t* browser, cef_frame_t* frame,
      cef_request_t* request, cef_response_t* response);
  void(CEF_CALLBACK* on_resource_load_complete)(cef_resource_request_handler_t* self,
                                                cef_browser_t* browser, cef_frame_t* frame,
                                                cef_request_t* request, cef_response_t* response,
                                                cef_urlrequest_status_t status,
                                                int64 received_content_length);
  void(CEF_CALLBACK* on_protocol_execution)(cef_resource_request_handler_t* self,
                                            cef_browser_t* browser, cef_frame_t* frame,
                                            cef_request_t* request, int* allow_os_execution);
} cef_resource_request_handler_t;

typedef struct _cef_cookie_access_filter_t {
  cef_base_ref_counted_t base;
  int(CEF_CALLBACK* can_send_cookie)(cef_cookie_access_filter_t* self, cef_browser_t* browser,
                                     cef_frame_t* frame, cef_request_t* request,
                                     const cef_cookie_t* cookie);
  int(CEF_CALLBACK* can_save_cookie)(cef_cookie_access_filter_t* self, cef_browser_t* browser,
                                     cef_frame_t* frame, cef_request_t* request,
                                     cef_response_t* response, const cef_cookie_t* cookie);
} cef_cookie_access_filter_t;

// Resource handler

typedef struct _cef_resource_skip_callback_t {
  cef_base_ref_counted_t base;
  void(CEF_CALLBACK* cont)(cef_resource_skip_callback_t* self, int64 bytes_skipped);
} cef_resource_skip_callback_t;

typedef struct _cef_resource_read_callback_t {
  cef_base_ref_counted_t base;
  void(CEF_CALLBACK* cont)(cef_resource_read_callback_t* self, int bytes_read);
} cef_resource_read_callback_t;

typedef struct _cef_resource_handler_t {
  cef_base_ref_counted_t base;
  int(CEF_CALLBACK* open)(cef_resource_handler_t* self, cef_request_t* request, int* handle_request,
                          cef_callback_t* callback);
  int(CEF_CALLBACK* process_request)(cef_resource_handler_t* self, cef_request_t* request,
                                     cef_callback_t* callback);
  void(CEF_CALLBACK* get_response_headers)(cef_resource_handler_t* self, cef_response_t* response,
                                           int64* response_length, cef_string_t* redirectUrl);
  int(CEF_CALLBACK* skip)(cef_resource_handler_t* self, int64 bytes_to_skip, int64* bytes_skipped,
                          cef_resource_skip_callback_t* callback);
  int(CEF_CALLBACK* read)(cef_resource_handler_t* self, void* data_out, int bytes_to_read,
                          int* bytes_read, cef_resource_read_callback_t* callback);
  int(CEF_CALLBACK* read_response)(cef_resource_handler_t* self, void* data_out, int bytes_to_read,
                                   int* bytes_read, cef_callback_t* callback);
  void(CEF_CALLBACK* cancel)(cef_resource_handler_t* self);
} cef_resource_handler_t;

// Response

typedef struct _cef_response_t {
  cef_base_ref_counted_t base;
  int(CEF_CALLBACK* is_read_only)(cef_response_t* self);
  cef_errorcode_t(CEF_CALLBACK* get_error)(cef_response_t* self);
  void(CEF_CALLBACK* set_error)(cef_response_t* self, cef_errorcode_t error);
  int(CEF_CALLBACK* get_status)(cef_response_t* self);
  void(CEF_CALLBACK* set_status)(cef_response_t* self, int status);
  cef_string_userfree_t(CEF_CALLBACK* get_status_text)(cef_response_t* self);
  void(CEF_CALLBACK* set_status_text)(cef_response_t* self, const cef_string_t* statusText);
  cef_string_userfree_t(CEF_CALLBACK* get_mime_type)(cef_response_t* self);
  void(CEF_CALLBACK* set_mime_type)(cef_response_t* self, const cef_string_t* mimeType);
  cef_string_userfree_t(CEF_CALLBACK* get_charset)(cef_response_t* self);
  void(CEF_CALLBACK* set_charset)(cef_response_t* self, const cef_string_t* charset);
  cef_string_userfree_t(CEF_CALLBACK* get_header_by_name)(cef_response_t* self,
                                                          const cef_string_t* name);
  void(CEF_CALLBACK* set_header_by_name)(cef_response_t* self, const cef_string_t* name,
                                         const cef_string_t* value, int overwrite);
  void(CEF_CALLBACK* get_header_map)(cef_response_t* self, cef_string_multimap_t headerMap);
  void(CEF_CALLBACK* set_header_map)(cef_response_t* self, cef_string_multimap_t headerMap);
  cef_string_userfree_t(CEF_CALLBACK* get_url)(cef_response_t* self);
  void(CEF_CALLBACK* set_url)(cef_response_t* self, const cef_string_t* url);
} cef_response_t;

// Response filter

typedef struct _cef_response_filter_t {
  cef_base_ref_counted_t base;
  int(CEF_CALLBACK* init_filter)(cef_response_filter_t* self);
  cef_response_filter_status_t(CEF_CALLBACK* filter)(cef_response_filter_t* self, void* data_in,
                                                     size_t data_in_size, size_t* data_in_read,
                                                     void* data_out, size_t data_out_size,
                                                     size_t* data_out_written);
} cef_response_filter_t;

// Cookies

typedef struct _cef_cookie_manager_t {
  cef_base_ref_counted_t base;
  void(CEF_CALLBACK* set_supported_schemes)(cef_cookie_manager_t* self, cef_string_list_t schemes,
                                            int include_defaults,
                                            cef_completion_callback_t* callback);
  int(CEF_CALLBACK* visit_all_cookies)(cef_cookie_manager_t* self, cef_cookie_visitor_t* visitor);
  int(CEF_CALLBACK* visit_url_cookies)(cef_cookie_manager_t* self, const cef_string_t* url,
                                       int includeHttpOnly, cef_cookie_visitor_t* visitor);
  int(CEF_CALLBACK* set_cookie)(cef_cookie_manager_t* self, const cef_string_t* url,
                                const cef_cookie_t* cookie, cef_set_cookie_callback_t* callback);
  int(CEF_CALLBACK* delete_cookies)(cef_cookie_manager_t* self, const cef_string_t* url,
                                    const cef_string_t* cookie_name,
                                    cef_delete_cookies_callback_t* callback);
  int(CEF_CALLBACK* flush_store)(cef_cookie_manager_t* self, cef_completion_callback_t* callback);
} cef_cookie_manager_t;

typedef struct _cef_cookie_visitor_t {
  cef_base_ref_counted_t base;
  int(CEF_CALLBACK* visit)(cef_cookie_visitor_t* self, const cef_cookie_t* cookie, int count,
                           int total, int* deleteCookie);
} cef_cookie_visitor_t;

typedef struct _cef_set_cookie_callback_t {
  cef_base_ref_counted_t base;
  void(CEF_CALLBACK* on_complete)(cef_set_cookie_callback_t* self, int success);
} cef_set_cookie_callback_t;

typedef struct _cef_delete_cookies_callback_t {
  cef_base_ref_counted_t base;
  void(CEF_CALLBACK* on_complete)(cef_delete_cookies_callback_t* self, int num_deleted);
} cef_delete_cookies_callback_t;

// Stand-alone URL requests

typedef struct _cef_urlrequest_t {
  cef_base_ref_counted_t base;
  cef_request_t*(CEF_CALLBACK* get_request)(cef_urlrequest_t* self);
  cef_urlrequest_client_t*(CEF_CALLBACK* get_client)(cef_urlrequest_t* self);
  cef_urlrequest_status_t(CEF_CALLBACK* get_request_status)(cef_urlrequest_t* self);
  cef_errorcode_t(CEF_CALLBACK* get_request_error)(cef_urlrequest_t* self);
  cef_response_t*(CEF_CALLBACK* get_response)(cef_urlrequest_t* self);
  int(CEF_CALLBACK* response_was_cached)(cef_urlrequest_t* self);
  void(CEF_CALLBACK* cancel)(cef_urlrequest_t* self);
} cef_urlrequest_t;

typedef struct _cef_urlrequest_client_t {
  cef_base_ref_counted_t base;
  void(CEF_CALLBACK* on_request_complete)(cef_urlrequest_client_t* self, cef_urlrequest_t* request);
  void(CEF_CALLBACK* on_upload_progress)(cef_urlrequest_client_t* self, cef_urlrequest_t* request,
                                         int64 current, int64 total);
  void(CEF_CALLBACK* on_download_progress)(cef_urlrequest_client_t* self, cef_urlrequest_t* request,
                                           int64 current, int64 total);
  void(CEF_CALLBACK* on_download_data)(cef_urlrequest_client_t* self, cef_urlrequest_t* request,
                                       const void* data, size_t data_length);
  int(CEF_CALLBACK* get_auth_credentials)(cef_urlrequest_client_t* self, int isProxy,
                                          const cef_string_t* host, int port,
                                          const cef_string_t* realm, const cef_string_t* scheme,
                                          cef_auth_callback_t* callback);
} cef_urlrequest_client_t;

// SSL information

typedef struct _cef_sslinfo_t {
  cef_base_ref_counted_t base;
  cef_cert_status_t(CEF_CALLBACK* get_cert_status)(cef_sslinfo_t* self);
  cef_x509certificate_t*(CEF_CALLBACK* get_x509certificate)(cef_sslinfo_t* self);
} cef_sslinfo_t;

// SSL status

typedef struct _cef_sslstatus_t {
  cef_base_ref_counted_t base;
  int(CEF_CALLBACK* is_secure_connection)(cef_sslstatus_t* self);
  cef_cert_status_t(CEF_CALLBACK* get_cert_status)(cef_sslstatus_t* self);
  cef_ssl_version_t(CEF_CALLBACK* get_sslversion)(cef_sslstatus_t* self);
  cef_ssl_content_status_t(CEF_CALLBACK* get_content_status)(cef_sslstatus_t* self);
  cef_x509certificate_t*(CEF_CALLBACK* get_x509certificate)(cef_sslstatus_t* self);
} cef_sslstatus_t;

// X.509 certificates

typedef struct _cef_x509cert_principal_t {
  cef_base_ref_counted_t base;
  cef_string_userfree_t(CEF_CALLBACK* get_display_name)(cef_x509cert_principal_t* self);
  cef_string_userfree_t(CEF_CALLBACK* get_common_name)(cef_x509cert_principal_t* self);
  cef_string_userfree_t(CEF_CALLBACK* get_locality_name)(cef_x509cert_principal_t* self);
  cef_string_userfree_t(CEF_CALLBACK* get_state_or_province_name)(cef_x509cert_principal_t* self);
  cef_string_userfree_t(CEF_CALLBACK* get_country_name)(cef_x509cert_principal_t* self);
  void(CEF_CALLBACK* get_street_addresses)(cef_x509cert_principal_t* self,
                                           cef_string_list_t addresses);
  void(CEF_CALLBACK* get_organization_names)(cef_x509cert_principal_t* self,
                                             cef_string_list_t names);
  void(CEF_CALLBACK* get_organization_unit_names)(cef_x509cert_principal_t* self,
                                                  cef_string_list_t names);
  void(CEF_CALLBACK* get_domain_components)(cef_x509cert_principal_t* self,
                                            cef_string_list_t components);
} cef_x509cert_principal_t;

typedef struct _cef_x509certificate_t {
  cef_base_ref_counted_t base;
  cef_x509cert_principal_t*(CEF_CALLBACK* get_subject)(cef_x509certificate_t* self);
  cef_x509cert_principal_t*(CEF_CALLBACK* get_issuer)(cef_x509certificate_t* self);
  cef_binary_value_t*(CEF_CALLBACK* get_serial_number)(cef_x509certificate_t* self);
  cef_time_t(CEF_CALLBACK* get_valid_start)(cef_x509certificate_t* self);
  cef_time_t(CEF_CALLBACK* get_valid_expiry)(cef_x509certificate_t* self);
  cef_binary_value_t*(CEF_CALLBACK* get_derencoded)(cef_x509certificate_t* self);
  cef_binary_value_t*(CEF_CALLBACK* get_pemencoded)(cef_x509certificate_t* self);
  size_t(CEF_CALLBACK* get_issuer_chain_size)(cef_x509certificate_t* self);
  void(CEF_CALLBACK* get_derencoded_issuer_chain)(cef_x509certificate_t* self, size_t* chainCount,
                                                  cef_binary_value_t** chain);
  void(CEF_CALLBACK* get_pemencoded_issuer_chain)(cef_x509certificate_t* self, size_t* chainCount,
                                                  cef_binary_value_t** chain);
} cef_x509certificate_t;

// HTTP and WebSocket server

typedef struct _cef_server_t {
  cef_base_ref_counted_t base;
  cef_task_runner_t*(CEF_CALLBACK* get_task_runner)(cef_server_t* self);
  void(CEF_CALLBACK* shutdown)(cef_server_t* self);
  int(CEF_CALLBACK* is_running)(cef_server_t* self);
  cef_string_userfree_t(CEF_CALLBACK* get_address)(cef_server_t* self);
  int(CEF_CALLBACK* has_connection)(cef_server_t* self);
  int(CEF_CALLBACK* is_valid_connection)(cef_server_t* self, int connection_id);
  void(CEF_CALLBACK* send_http200response)(cef_server_t* self, int connection_id,
                                           const cef_string_t* content_type, const void* data,
                                           size_t data_size);
  void(CEF_CALLBACK* send_http404response)(cef_server_t* self, int connection_id);
  void(CEF_CALLBACK* send_http500response)(cef_server_t* self, int connection_id,
                                           const cef_string_t* error_message);
  void(CEF_CALLBACK* send_http_response)(cef_server_t* self, int connection_id, int response_code,
                                         const cef_string_t* content_type, int64 content_length,
                                         cef_string_multimap_t extra_headers);
  void(CEF_CALLBACK* send_raw_data)(cef_server_t* self, int connection_id, const void* data,
                                    size_t data_size);
  void(CEF_CALLBACK* close_connection)(cef_server_t* self, int connection_id);
  void(CEF_CALLBACK* send_web_socket_message)(cef_server_t* self, int connection_id,
                                              const void* data, size_t data_size);
} cef_server_t;

typedef struct _cef_server_handler_t {
  cef_base_ref_counted_t base;
  void(CEF_CALLBACK* on_server_created)(cef_server_handler_t* self, cef_server_t* server);
  void(CEF_CALLBACK* on_server_destroyed)(cef_server_handler_t* self, cef_server_t* server);
  void(CEF_CALLBACK* on_client_connected)(cef_server_handler_t* self, cef_server_t* server,
                                          int connection_id);
  void(CEF_CALLBACK* on_client_disconnected)(cef_server_handler_t* self, cef_server_t* server,
                                             int connection_id);
  void(CEF_CALLBACK* on_http_request)(cef_server_handler_t* self, cef_server_t* server,
                                      int connection_id, const cef_string_t* client_address,
                                      cef_request_t* request);
  void(CEF_CALLBACK* on_web_socket_request)(cef_server_handler_t* self, cef_server_t* server,
                                            int connection_id, const cef_string_t* client_address,
                                            cef_request_t* request, cef_callback_t* callback);
  void(CEF_CALLBACK* on_web_socket_connected)(cef_server_handler_t* self, cef_server_t* server,
                                              int connection_id);
  void(CEF_CALLBACK* on_web_socket_message)(cef_server_handler_t* self, cef_server_t* server,
                                            int connection_id, const void* data, size_t data_size);
} cef_server_handler_t;

// Media router

typedef struct _cef_media_router_t {
  cef_base_ref_counted_t base;
  cef_registration_t*(CEF_CALLBACK* add_observer)(cef_media_router_t* self,
                                                  cef_media_observer_t* observer);
  cef_media_source_t*(CEF_CALLBACK* get_source)(cef_media_router_t* self, const cef_string_t* urn);
  void(CEF_CALLBACK* notify_current_sinks)(cef_media_router_t* self);
  void(CEF_CALLBACK* create_route)(cef_media_router_t* self, cef_media_source_t* source,
                                   cef_media_sink_t* sink,
                                   cef_media_route_create_callback_t* callback);
  void(CEF_CALLBACK* notify_current_routes)(cef_media_router_t* self);
} cef_media_router_t;

typedef struct _cef_media_observer_t {
  cef_base_ref_counted_t base;
  void(CEF_CALLBACK* on_sinks)(cef_media_observer_t* self, size_t sinksCount,
                               cef_media_sink_t* const* sinks);
  void(CEF_CALLBACK* on_routes)(cef_media_observer_t* self, size_t routesCount,
                                cef_media_route_t* const* routes);
  void(CEF_CALLBACK* on_route_state_changed)(cef_media_observer_t* self, cef_media_route_t* route,
                                             cef_media_route_connection_state_t state);
  void(CEF_CALLBACK* on_route_message_received)(cef_media_observer_t* self,
                                                cef_media_route_t* route, const void* message,
                                                size_t message_size);
} cef_media_observer_t;

typedef struct _cef_media_route_t {
  cef_base_ref_counted_t base;
  cef_string_userfree_t(CEF_CALLBACK* get_id)(cef_media_route_t* self);
  cef_media_source_t*(CEF_CALLBACK* get_source)(cef_media_route_t* self);
  cef_media_sink_t*(CEF_CALLBACK* get_sink)(cef_media_route_t* self);
  void(CEF_CALLBACK* send_route_message)(cef_media_route_t* self, const void* message,
                                         size_t message_size);
  void(CEF_CALLBACK* terminate)(cef_media_route_t* self);
} cef_media_route_t;

typedef struct _cef_media_route_create_callback_t {
  cef_base_ref_counted_t base;
  void(CEF_CALLBACK* on_media_route_create_finished)(cef_media_route_create_callback_t* self,
                                                     cef_media_route_create_result_t result,
                                                     const cef_string_t* error,
                                                     cef_media_route_t* route);
} cef_media_route_create_callback_t;

typedef struct _cef_media_sink_t {
  cef_base_ref_counted_t base;
  cef_string_userfree_t(CEF_CALLBACK* get_id)(cef_media_sink_t* self);
  cef_string_userfree_t(CEF_CALLBACK* get_name)(cef_media_sink_t* self);
  cef_string_userfree_t(CEF_CALLBACK* get_description)(cef_media_sink_t* self);
  cef_media_sink_icon_type_t(CEF_CALLBACK* get_icon_type)(cef_media_sink_t* self);
  void(CEF_CALLBACK* get_device_info)(cef_media_sink_t* self,
                                      cef_media_sink_device_info_callback_t* callback);
  int(CEF_CALLBACK* is_cast_sink)(cef_media_sink_t* self);
  int(CEF_CALLBACK* is_dial_sink)(cef_media_sink_t* self);
  int(CEF_CALLBACK* is_compatible_with)(cef_media_sink_t* self, cef_media_source_t* source);
} cef_media_sink_t;

typedef struct _cef_media_sink_device_info_callback_t {
  cef_base_ref_counted_t base;
  void(CEF_CALLBACK* on_media_sink_device_info)(cef_media_sink_device_info_callback_t* self,
                                                const cef_media_sink_device_info_t* device_info);
} cef_media_sink_device_info_callback_t;

typedef struct _cef_media_source_t {
  cef_base_ref_counted_t base;
  cef_string_userfree_t(CEF_CALLBACK* get_id)(cef_media_source_t* self);
  int(CEF_CALLBACK* is_cast_source)(cef_media_source_t* self);
  int(CEF_CALLBACK* is_dial_source)(cef_media_source_t* self);
} cef_media_source_t;

// Web plug-ins

typedef struct _cef_web_plugin_info_t {
  cef_base_ref_counted_t base;
  cef_string_userfree_t(CEF_CALLBACK* get_name)(cef_web_plugin_info_t* self);
  cef_string_userfree_t(CEF_CALLBACK* get_path)(cef_web_plugin_info_t* self);
  cef_string_userfree_t(CEF_CALLBACK* get_version)(cef_web_plugin_info_t* self);
  cef_string_userfree_t(CEF_CALLBACK* get_description)(cef_web_plugin_info_t* self);
} cef_web_plugin_info_t;

typedef struct _cef_web_plugin_info_visitor_t {
  cef_base_ref_counted_t base;
  int(CEF_CALLBACK* visit)(cef_web_plugin_info_visitor_t* self, cef_web_plugin_info_t* info,
                           int count, int total);
} cef_web_plugin_info_visitor_t;

typedef struct _cef_web_plugin_unstable_callback_t {
  cef_base_ref_counted_t base;
  void(CEF_CALLBACK* is_unstable)(cef_web_plugin_unstable_callback_t* self,
                                  const cef_string_t* path, int unstable);
} cef_web_plugin_unstable_callback_t;

typedef struct _cef_register_cdm_callback_t {
  cef_base_ref_counted_t base;
  void(CEF_CALLBACK* on_cdm_registration_complete)(cef_register_cdm_callback_t* self,
                                                   cef_cdm_registration_error_t result,
                                                   const cef_string_t* error_message);
} cef_register_cdm_callback_t;
