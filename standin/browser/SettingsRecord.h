// The engine's copy of the cef_settings_t the program passed to cef_initialize:
// every field, strings copied (the program keeps its own).
#pragma once

#include <string>

#include "engine/capi/cef_capi.h"
#include "standin/core/Json.h"

namespace quirel::standin {

struct SettingsRecord {
  size_t size = 0;
  int no_sandbox = 0;
  std::wstring browser_subprocess_path;
  std::wstring framework_dir_path;
  std::wstring main_bundle_path;
  int chrome_runtime = 0;
  int multi_threaded_message_loop = 0;
  int external_message_pump = 0;
  int windowless_rendering_enabled = 0;
  int command_line_args_disabled = 0;
  std::wstring cache_path;
  std::wstring root_cache_path;
  std::wstring user_data_path;
  int persist_session_cookies = 0;
  int persist_user_preferences = 0;
  std::wstring user_agent;
  std::wstring product_version;
  std::wstring locale;
  std::wstring log_file;
  cef_log_severity_t log_severity = LOGSEVERITY_DEFAULT;
  std::wstring javascript_flags;
  std::wstring resources_dir_path;
  std::wstring locales_dir_path;
  int pack_loading_disabled = 0;
  int remote_debugging_port = 0;
  int uncaught_exception_stack_size = 0;
  int ignore_certificate_errors = 0;
  cef_color_t background_color = 0;
  std::wstring accept_language_list;
  std::wstring application_client_id_for_file_scanning;

  static SettingsRecord From(const cef_settings_t& settings);
  // Field names as in cef_settings_t.
  JsonObject ToJson() const;
};

}  // namespace quirel::standin
