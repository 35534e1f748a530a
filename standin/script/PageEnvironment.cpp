#include "standin/script/PageEnvironment.h"

#include "standin/renderer/Extensions.h"
#include "standin/script/DukText.h"
#include "standin/script/ExtensionCode.h"
#include "standin/script/NativeFunctions.h"
#include "standin/script/PopupFeatures.h"

namespace quirel::standin::script {
namespace {

// Arguments arrive as strings (the script side converts them).
PageHost* HostOf(duk_context* duk) {
  ScriptContext* context = ScriptContext::Of(duk);
  return context ? context->host : nullptr;
}

void DoTitle(duk_context* duk) {
  if (PageHost* host = HostOf(duk)) host->TitleChanged(TextAt(duk, 0));
}
duk_ret_t HostTitle(duk_context* duk) {
  DoTitle(duk);
  return 0;
}

void DoOpen(duk_context* duk) {
  PageHost* host = HostOf(duk);
  if (!host) return;
  const std::wstring features = TextAt(duk, 2);
  // A browser opens a popup window for window features, a tab otherwise.
  host->Open(TextAt(duk, 0), TextAt(duk, 1),
             features.empty() ? WOD_NEW_FOREGROUND_TAB : WOD_NEW_POPUP,
             ParseWindowFeatures(features));
}
duk_ret_t HostOpen(duk_context* duk) {
  DoOpen(duk);
  return 0;
}

duk_ret_t HostClose(duk_context* duk) {
  if (PageHost* host = HostOf(duk)) host->Close();
  return 0;
}

void DoNavigate(duk_context* duk) {
  if (PageHost* host = HostOf(duk)) host->Navigate(TextAt(duk, 0));
}
duk_ret_t HostNavigate(duk_context* duk) {
  DoNavigate(duk);
  return 0;
}

void DoLog(duk_context* duk) {
  if (PageHost* host = HostOf(duk)) host->Log(TextAt(duk, 0), TextAt(duk, 1));
}
duk_ret_t HostLog(duk_context* duk) {
  DoLog(duk);
  return 0;
}

duk_ret_t HostStartTimer(duk_context* duk) {
  if (PageHost* host = HostOf(duk))
    host->StartTimer(static_cast<unsigned>(duk_get_uint(duk, 0)),
                     static_cast<long long>(duk_get_number_default(duk, 1, 0)));
  return 0;
}

// (extension number, name) -> a function calling that extension's handler.
void DoMakeNative(duk_context* duk) {
  ScriptContext* context = ScriptContext::Of(duk);
  const std::vector<Extension> extensions = RegisteredExtensions();
  const auto number = static_cast<size_t>(duk_get_uint(duk, 0));
  if (!context || number >= extensions.size() || !extensions[number].handler) {
    duk_push_undefined(duk);
    return;
  }
  PushHandlerFunction(*context, TextAt(duk, 1), extensions[number].handler);
}
duk_ret_t MakeNative(duk_context* duk) {
  DoMakeNative(duk);
  return 1;
}

constexpr char kEnvironment[] = R"js((function (global, host) {
  'use strict';
  function accessor(object, name, get, set) {
    Object.defineProperty(object, name, {get: get, set: set, enumerable: true, configurable: true});
  }
  function text(value) { return value === undefined || value === null ? '' : String(value); }
  function format(value) {
    if (typeof value === 'string') return value;
    if (value !== null && typeof value === 'object') {
      try { var json = JSON.stringify(value); if (json !== undefined) return json; } catch (e) {}
    }
    return String(value);
  }

  var title = host.title;
  var documentObject = {};
  accessor(documentObject, 'title', function () { return title; },
           function (value) { title = String(value); host.setTitle(title); });

  var locationObject = {};
  accessor(locationObject, 'href', function () { return host.url; },
           function (value) { host.navigate(String(value)); });
  locationObject.assign = function (url) { host.navigate(String(url)); };
  locationObject.replace = function (url) { host.navigate(String(url)); };
  locationObject.reload = function () { host.navigate(host.url); };
  locationObject.toString = function () { return host.url; };

  var consoleObject = {};
  ['log', 'info', 'warn', 'error', 'debug'].forEach(function (level) {
    consoleObject[level] = function () {
      var parts = [];
      for (var i = 0; i < arguments.length; i++) parts.push(format(arguments[i]));
      host.log(level === 'debug' ? 'log' : level, parts.join(' '));
    };
  });

  var timers = {};
  var nextTimer = 1;
  function setTimeout(callback, delay) {
    var id = nextTimer++;
    timers[id] = {callback: callback, args: Array.prototype.slice.call(arguments, 2)};
    host.startTimer(id, Math.max(0, Number(delay) || 0));
    return id;
  }
  function clearTimeout(id) { delete timers[id]; }

  global.window = global;
  global.self = global;
  global.document = documentObject;
  accessor(global, 'location', function () { return locationObject; },
           function (value) { host.navigate(String(value)); });
  global.console = consoleObject;
  global.setTimeout = setTimeout;
  global.clearTimeout = clearTimeout;
  global.open = function (url, name, features) {
    host.open(text(url), text(name), text(features));
    return null;
  };
  global.close = function () { host.close(); };

  return function fire(id) {
    var timer = timers[id];
    if (!timer) return;
    delete timers[id];
    if (typeof timer.callback === 'function') timer.callback.apply(global, timer.args);
    else (0, eval)(String(timer.callback));
  };
}))js";

void PutFunction(duk_context* duk, const char* name, duk_c_function function, duk_idx_t nargs) {
  duk_push_c_function(duk, function, nargs);
  duk_put_prop_string(duk, -2, name);
}

}  // namespace

unsigned InstallPageEnvironment(ScriptContext& context, PageHost& host, const std::wstring& title) {
  context.host = &host;
  duk_context* duk = context.duk();

  duk_push_global_object(duk);
  duk_push_string(duk, kNativeFunctionMaker);
  duk_push_c_function(duk, &MakeNative, 2);
  duk_def_prop(duk, -3, DUK_DEFPROP_HAVE_VALUE | DUK_DEFPROP_HAVE_WRITABLE |
                            DUK_DEFPROP_HAVE_ENUMERABLE | DUK_DEFPROP_HAVE_CONFIGURABLE);
  duk_pop(duk);

  // The environment's function, called with (global, host).
  std::optional<ScriptError> failed = context.Run(L"(" + FromDuk(kEnvironment) + L")", L"environment");
  if (failed) return 0;  // our own text: cannot happen
  // [environment function] -> call it with global as `this`
  duk_push_undefined(duk);
  duk_push_global_object(duk);
  duk_push_object(duk);
  PushText(duk, context.page().url);
  duk_put_prop_string(duk, -2, "url");
  PushText(duk, title);
  duk_put_prop_string(duk, -2, "title");
  PutFunction(duk, "setTitle", &HostTitle, 1);
  PutFunction(duk, "open", &HostOpen, 3);
  PutFunction(duk, "close", &HostClose, 0);
  PutFunction(duk, "navigate", &HostNavigate, 1);
  PutFunction(duk, "log", &HostLog, 2);
  PutFunction(duk, "startTimer", &HostStartTimer, 2);
  if (context.Call(2)) return 0;
  const unsigned fire = context.Hold(-1);
  duk_pop(duk);
  return fire;
}

std::optional<ScriptError> FireTimer(ScriptContext& context, unsigned fire_function, unsigned id) {
  duk_context* duk = context.duk();
  context.PushHeld(fire_function);
  duk_push_global_object(duk);
  duk_push_uint(duk, id);
  std::optional<ScriptError> error = context.Call(1);
  if (!error) duk_pop(duk);
  return error;
}

}  // namespace quirel::standin::script
