#include "standin/browser/SettingsRecord.h"

#include "standin/strings/EngineStrings.h"

namespace quirel::standin {

// One list of fields for copying and for tracing, so neither can miss one.
#define STANDIN_SETTINGS_FIELDS(INT, TEXT) \
  INT(no_sandbox)                          \
  TEXT(browser_subprocess_path)            \
  TEXT(framework_dir_path)                 \
  TEXT(main_bundle_path)                   \
  INT(chrome_runtime)                      \
  INT(multi_threaded_message_loop)         \
  INT(external_message_pump)               \
  INT(windowless_rendering_enabled)        \
  INT(command_line_args_disabled)          \
  TEXT(cache_path)                         \
  TEXT(root_cache_path)                    \
  TEXT(user_data_path)                     \
  INT(persist_session_cookies)             \
  INT(persist_user_preferences)            \
  TEXT(user_agent)                         \
  TEXT(product_version)                    \
  TEXT(locale)                             \
  TEXT(log_file)                           \
  INT(log_severity)                        \
  TEXT(javascript_flags)                   \
  TEXT(resources_dir_path)                 \
  TEXT(locales_dir_path)                   \
  INT(pack_loading_disabled)               \
  INT(remote_debugging_port)               \
  INT(uncaught_exception_stack_size)       \
  INT(ignore_certificate_errors)           \
  INT(background_color)                    \
  TEXT(accept_language_list)               \
  TEXT(application_client_id_for_file_scanning)

SettingsRecord SettingsRecord::From(const cef_settings_t& settings) {
  SettingsRecord record;
  record.size = settings.size;
#define STANDIN_COPY_INT(name) record.name = settings.name;
#define STANDIN_COPY_TEXT(name) record.name = ToWString(&settings.name);
  STANDIN_SETTINGS_FIELDS(STANDIN_COPY_INT, STANDIN_COPY_TEXT)
#undef STANDIN_COPY_INT
#undef STANDIN_COPY_TEXT
  return record;
}

JsonObject SettingsRecord::ToJson() const {
  JsonObject json;
  json.Int("size", static_cast<long long>(size));
#define STANDIN_TRACE_INT(name) json.Int(#name, static_cast<long long>(name));
#define STANDIN_TRACE_TEXT(name) json.Text(#name, name);
  STANDIN_SETTINGS_FIELDS(STANDIN_TRACE_INT, STANDIN_TRACE_TEXT)
#undef STANDIN_TRACE_INT
#undef STANDIN_TRACE_TEXT
  return json;
}

}  // namespace quirel::standin
