// script_renderer_host.exe: a renderer sub-process of the script tests. It
// loads the stand-in engine beside it and runs cef_execute_process with an
// app whose render-process handler registers the extension "v8/test" and
// marks every new context; the extension's handler serves the page scripts'
// calls through the engine's value API.
#include <windows.h>

#include <atomic>
#include <cwchar>
#include <string>
#include <vector>

#include "engine/capi/CefEntryPoints.h"
#include "engine/capi/cef_capi.h"
#include "engine/capi/CefObject.h"
#include "engine/capi/CefString.h"

namespace {

using Value = CefRef<cef_v8value_t>;

std::atomic<int> g_live_tags{0};

// Values a page asked the host to keep until its context is released.
std::vector<CefRef<cef_v8value_t>>& Held() {
  static std::vector<CefRef<cef_v8value_t>> held;
  return held;
}

// User data the pages attach to objects.
class Tag : public CefObject<Tag, cef_base_ref_counted_t> {
 public:
  explicit Tag(int number) : number_(number) { ++g_live_tags; }
  ~Tag() override { --g_live_tags; }
  int number() const { return number_; }

 private:
  int number_;
};

Value Int(int n) { return CefAdopt(g_cef.cef_v8value_create_int(n)); }
Value UInt(uint32 n) { return CefAdopt(g_cef.cef_v8value_create_uint(n)); }
Value Double(double n) { return CefAdopt(g_cef.cef_v8value_create_double(n)); }
Value Bool(bool b) { return CefAdopt(g_cef.cef_v8value_create_bool(b ? 1 : 0)); }
Value String(const std::wstring& text) {
  return CefAdopt(g_cef.cef_v8value_create_string(CefStringArg(text)));
}

std::wstring StringOf(cef_v8value_t* value) {
  return CefUserFreeString(value->get_string_value(value)).str();
}

std::wstring Two(int n) { return (n < 10 ? L"0" : L"") + std::to_wstring(n); }

std::wstring IsoDate(const cef_time_t& t) {
  std::wstring ms = std::to_wstring(t.millisecond);
  while (ms.size() < 3) ms = L"0" + ms;
  return std::to_wstring(t.year) + L"-" + Two(t.month) + L"-" + Two(t.day_of_month) + L"T" +
         Two(t.hour) + L":" + Two(t.minute) + L":" + Two(t.second) + L"." + ms + L"Z/" +
         std::to_wstring(t.day_of_week);
}

std::wstring Number(double n) {
  wchar_t text[64];
  swprintf(text, 64, L"%.17g", n);
  return text;
}

// One argument as the tests read it: its kind by the value API, then its value.
std::wstring Describe(cef_v8value_t* v) {
  if (!v) return L"missing";
  if (v->is_undefined(v)) return L"undefined";
  if (v->is_null(v)) return L"null";
  if (v->is_bool(v)) return std::wstring(L"bool(") + (v->get_bool_value(v) ? L"true" : L"false") + L")";
  if (v->is_int(v)) return L"int(" + std::to_wstring(v->get_int_value(v)) + (v->is_uint(v) ? L",uint)" : L")");
  if (v->is_uint(v)) return L"uint(" + std::to_wstring(v->get_uint_value(v)) + L")";
  if (v->is_double(v)) return L"double(" + Number(v->get_double_value(v)) + L")";
  if (v->is_string(v)) return L"string(" + StringOf(v) + L")";
  if (v->is_date(v)) return L"date(" + IsoDate(v->get_date_value(v)) + L")";
  if (v->is_array(v)) return L"array(" + std::to_wstring(v->get_array_length(v)) + L")";
  if (v->is_function(v)) return L"function(" + CefUserFreeString(v->get_function_name(v)).str() + L")";
  if (v->is_object(v)) return L"object";
  return L"unknown";
}

bool IsGlobal(cef_v8value_t* object) {
  CefRef<cef_v8context_t> context = CefAdopt(g_cef.cef_v8context_get_current_context());
  if (!context || !object) return false;
  Value global = CefAdopt(context->get_global(context.get()));
  return global && object->is_same(object, global.Share());
}

// Serves "value" (reads give what was written plus 10) and "bad" (refuses).
class Accessor : public CefObject<Accessor, cef_v8accessor_t> {
 public:
  Accessor() {
    Bind<&Accessor::Get>(cef()->get);
    Bind<&Accessor::Set>(cef()->set);
  }

 private:
  int Get(const cef_string_t* name, cef_v8value_t* object, cef_v8value_t** retval,
          cef_string_t* exception) {
    const Value released = CefAdopt(object);
    if (CefToWString(name) == L"bad") {
      CefStringSet(*exception, L"accessor refused");
      return 1;
    }
    CefStoreOut(retval, Int(stored_ + 10));
    return 1;
  }
  int Set(const cef_string_t*, cef_v8value_t* object, cef_v8value_t* value, cef_string_t*) {
    const Value released = CefAdopt(object);
    const Value held = CefAdopt(value);
    stored_ = held->get_int_value(held.get());
    return 1;
  }
  int stored_ = 0;
};

// Answers "magic" and every index, refuses names starting with "fail",
// swallows writes to "sink"; the rest is the object's own.
class Interceptor : public CefObject<Interceptor, cef_v8interceptor_t> {
 public:
  Interceptor() {
    Bind<&Interceptor::GetByName>(cef()->get_byname);
    Bind<&Interceptor::GetByIndex>(cef()->get_byindex);
    Bind<&Interceptor::SetByName>(cef()->set_byname);
    Bind<&Interceptor::SetByIndex>(cef()->set_byindex);
  }

 private:
  int GetByName(const cef_string_t* name_arg, cef_v8value_t* object, cef_v8value_t** retval,
                cef_string_t* exception) {
    const Value released = CefAdopt(object);
    const std::wstring name = CefToWString(name_arg);
    if (name.rfind(L"fail", 0) == 0) {
      CefStringSet(*exception, L"interceptor refused");
      return 1;
    }
    if (name != L"magic") return 0;
    CefStoreOut(retval, String(L"magic:" + name));
    return 1;
  }
  int GetByIndex(int index, cef_v8value_t* object, cef_v8value_t** retval, cef_string_t*) {
    const Value released = CefAdopt(object);
    CefStoreOut(retval, Int(index * 2));
    return 1;
  }
  int SetByName(const cef_string_t* name, cef_v8value_t* object, cef_v8value_t* value,
                cef_string_t*) {
    const Value released = CefAdopt(object);
    const Value held = CefAdopt(value);
    return CefToWString(name) == L"sink" ? 1 : 0;
  }
  int SetByIndex(int, cef_v8value_t* object, cef_v8value_t* value, cef_string_t*) {
    const Value released = CefAdopt(object);
    const Value held = CefAdopt(value);
    return 0;
  }
};

class Handler : public CefObject<Handler, cef_v8handler_t> {
 public:
  Handler() { Bind<&Handler::Execute>(cef()->execute); }

 private:
  int Execute(const cef_string_t* name_arg, cef_v8value_t* object_arg, size_t count,
              cef_v8value_t* const* argv, cef_v8value_t** retval, cef_string_t* exception) {
    Value object = CefAdopt(object_arg);
    std::vector<Value> args;
    for (size_t i = 0; i < count; ++i) args.push_back(CefAdopt(argv[i]));
    const std::wstring name = CefToWString(name_arg);
    Value result;
    if (name == L"throwing") {
      CefStringSet(*exception, L"boom from native");
      return 1;
    }
    if (name == L"declining") {
      CefStoreOut(retval, String(L"ignored"));
      return 0;
    }
    if (!Run(name, object, args, result)) return 0;
    if (result) CefStoreOut(retval, result);
    return 1;
  }

  bool Run(const std::wstring& name, const Value& object, const std::vector<Value>& args,
           Value& result) {
    auto arg = [&](size_t i) { return i < args.size() ? args[i].get() : nullptr; };
    if (name == L"echo") {
      result = args.empty() ? Value() : args[0];
    } else if (name == L"describe") {
      std::wstring text = IsGlobal(object.get()) ? L"this=global" : L"this=object";
      for (const Value& a : args) text += L" " + Describe(a.get());
      result = String(text);
    } else if (name == L"sum") {
      double total = 0;
      for (const Value& a : args) total += a->get_double_value(a.get());
      result = Double(total);
    } else if (name == L"make") {
      result = Make(arg(0) ? StringOf(arg(0)) : L"");
    } else if (name == L"nothing") {
      // handled, no result
    } else if (name == L"tag") {
      cef_v8value_t* target = arg(0);
      const int number = arg(1) ? arg(1)->get_int_value(arg(1)) : 0;
      result = Bool(target && target->set_user_data(target, CefBaseOf(CefNew<Tag>(number).Detach())));
    } else if (name == L"readTag") {
      cef_v8value_t* target = arg(0);
      CefRef<cef_base_ref_counted_t> data =
          target ? CefAdopt(target->get_user_data(target)) : CefRef<cef_base_ref_counted_t>();
      result = Int(data && data->size == sizeof(cef_base_ref_counted_t)
                       ? Tag::FromSelf(data.get())->number()
                       : -1);
    } else if (name == L"liveTags") {
      result = Int(g_live_tags);
    } else if (name == L"url") {
      CefRef<cef_v8context_t> context = CefAdopt(g_cef.cef_v8context_get_current_context());
      CefRef<cef_frame_t> frame = context ? CefAdopt(context->get_frame(context.get())) : nullptr;
      CefRef<cef_browser_t> browser = frame ? CefAdopt(frame->get_browser(frame.get())) : nullptr;
      result = String(frame ? CefUserFreeString(frame->get_url(frame.get())).str() + L" browser=" +
                                  std::to_wstring(browser ? browser->get_identifier(browser.get()) : -1) +
                                  L" in_context=" + std::to_wstring(g_cef.cef_v8context_in_context())
                            : L"no frame");
    } else if (name == L"call") {
      cef_v8value_t* function = arg(0);
      if (!function || !function->is_function(function)) return false;
      std::vector<cef_v8value_t*> rest;
      for (size_t i = 1; i < args.size(); ++i) rest.push_back(args[i].Share());
      result = CefAdopt(function->execute_function(function, nullptr, rest.size(), rest.data()));
      if (!result) {
        CefRef<cef_v8exception_t> error = CefAdopt(function->get_exception(function));
        result = String(L"exception:" + (error ? CefUserFreeString(error->get_message(error.get())).str() : L"?") +
                        L" has=" + std::to_wstring(function->has_exception(function)));
        function->clear_exception(function);
      }
    } else if (name == L"hold") {
      for (const Value& a : args) Held().push_back(a);
      result = Int(static_cast<int>(Held().size()));
    } else if (name == L"rethrowing") {
      cef_v8value_t* function = arg(0);
      if (!function) return false;
      function->set_rethrow_exceptions(function, 1);
      result = CefAdopt(function->execute_function(function, nullptr, 0, nullptr));
      if (!result) result = String(L"not raised again");
    } else if (name == L"keys") {
      cef_v8value_t* target = arg(0);
      cef_string_list_t list = g_cef.cef_string_list_alloc();
      std::wstring text;
      if (target && target->get_keys(target, list)) {
        for (size_t i = 0; i < g_cef.cef_string_list_size(list); ++i) {
          CefStringOut key;
          g_cef.cef_string_list_value(list, i, key.get());
          text += (i ? L"," : L"") + key.str();
        }
      }
      g_cef.cef_string_list_free(list);
      result = String(text);
    } else if (name == L"define") {
      // As the bridge makes property accessors: the object's own __defineGetter__.
      cef_v8value_t* target = arg(0);
      if (!target) return false;
      Value define = CefAdopt(target->get_value_bykey(target, CefStringArg(L"__defineGetter__")));
      cef_v8value_t* define_args[] = {
          String(L"answer").Detach(),
          g_cef.cef_v8value_create_function(CefStringArg(L"fortyTwo"), Share()),
      };
      CefAddRef(target);
      Value ignored = CefAdopt(define->execute_function(define.get(), target, 2, define_args));
      result = Bool(target->has_value_bykey(target, CefStringArg(L"answer")));
    } else if (name == L"fortyTwo") {
      result = Int(IsGlobal(object.get()) ? -1 : 42);
    } else if (name == L"$g") {
      result = String(IsGlobal(object.get()) ? L"getter on global" : L"getter elsewhere");
    } else {
      return false;
    }
    return true;
  }

  Value Make(const std::wstring& kind) {
    if (kind == L"int") return Int(-7);
    if (kind == L"uint") return UInt(4000000000u);
    if (kind == L"double") return Double(2.5);
    if (kind == L"bool") return Bool(true);
    if (kind == L"string") return String(L"h\u00e9llo \u2603 \U0001D11E");
    if (kind == L"null") return CefAdopt(g_cef.cef_v8value_create_null());
    if (kind == L"undefined") return CefAdopt(g_cef.cef_v8value_create_undefined());
    if (kind == L"date") {
      cef_time_t t{};
      t.year = 2021;
      t.month = 3;
      t.day_of_month = 4;
      t.hour = 5;
      t.minute = 6;
      t.second = 7;
      t.millisecond = 89;
      return CefAdopt(g_cef.cef_v8value_create_date(&t));
    }
    if (kind == L"object") {
      Value o = CefAdopt(g_cef.cef_v8value_create_object(nullptr, nullptr));
      o->set_value_bykey(o.get(), CefStringArg(L"a"), Int(1).Detach(), V8_PROPERTY_ATTRIBUTE_NONE);
      o->set_value_bykey(o.get(), CefStringArg(L"b"), String(L"x").Detach(), V8_PROPERTY_ATTRIBUTE_NONE);
      o->set_value_bykey(o.get(), CefStringArg(L"hidden"), Int(2).Detach(), V8_PROPERTY_ATTRIBUTE_DONTENUM);
      o->set_value_bykey(o.get(), CefStringArg(L"fixed"), Int(3).Detach(),
                         static_cast<cef_v8_propertyattribute_t>(V8_PROPERTY_ATTRIBUTE_READONLY |
                                                                 V8_PROPERTY_ATTRIBUTE_DONTENUM));
      return o;
    }
    if (kind == L"array") {
      Value a = CefAdopt(g_cef.cef_v8value_create_array(3));
      a->set_value_byindex(a.get(), 0, Int(1).Detach());
      a->set_value_byindex(a.get(), 1, String(L"two").Detach());
      a->set_value_byindex(a.get(), 2, Double(3.5).Detach());
      return a;
    }
    if (kind == L"accessor") {
      Value o = CefAdopt(g_cef.cef_v8value_create_object(CefNew<Accessor>().Detach(), nullptr));
      o->set_value_byaccessor(o.get(), CefStringArg(L"value"), V8_ACCESS_CONTROL_DEFAULT,
                              V8_PROPERTY_ATTRIBUTE_NONE);
      o->set_value_byaccessor(o.get(), CefStringArg(L"bad"), V8_ACCESS_CONTROL_DEFAULT,
                              V8_PROPERTY_ATTRIBUTE_NONE);
      return o;
    }
    if (kind == L"intercepted")
      return CefAdopt(g_cef.cef_v8value_create_object(nullptr, CefNew<Interceptor>().Detach()));
    if (kind == L"function")
      return CefAdopt(g_cef.cef_v8value_create_function(CefStringArg(L"sum"), Share()));
    return nullptr;
  }
};

constexpr wchar_t kExtensionCode[] =
    L"var testExtensionRan = true;\n"
    L"var ext = (function () {\n"
    L"  native function echo(); native function describe(); native function sum();\n"
    L"  native function make(); native function nothing(); native function throwing();\n"
    L"  native function declining(); native function tag(); native function readTag();\n"
    L"  native function liveTags(); native function url(); native function call();\n"
    L"  native function keys(); native function define(); native function rethrowing();\n"
    L"  native function hold();\n"
    L"  return {echo: echo, describe: describe, sum: sum, make: make, nothing: nothing,\n"
    L"          throwing: throwing, declining: declining, tag: tag, readTag: readTag,\n"
    L"          liveTags: liveTags, url: url, call: call, keys: keys, define: define,\n"
    L"          rethrowing: rethrowing, hold: hold};\n"
    L"})();\n"
    L"this.__defineGetter__('bridgeLike', function(){native function $g();return $g()});";

class RenderHandler : public CefObject<RenderHandler, cef_render_process_handler_t> {
 public:
  RenderHandler() {
    Bind<&RenderHandler::OnWebKitInitialized>(cef()->on_web_kit_initialized);
    Bind<&RenderHandler::OnContextCreated>(cef()->on_context_created);
    Bind<&RenderHandler::OnContextReleased>(cef()->on_context_released);
  }

 private:
  void OnWebKitInitialized() {
    g_cef.cef_register_extension(CefStringArg(L"v8/test"), CefStringArg(kExtensionCode),
                                 CefNew<Handler>().Detach());
  }
  // Marks the context, so pages can tell the callback came before them.
  void OnContextCreated(cef_browser_t* browser_arg, cef_frame_t* frame_arg,
                        cef_v8context_t* context_arg) {
    CefRef<cef_browser_t> browser = CefAdopt(browser_arg);
    CefRef<cef_frame_t> frame = CefAdopt(frame_arg);
    CefRef<cef_v8context_t> context = CefAdopt(context_arg);
    Value global = CefAdopt(context->get_global(context.get()));
    const std::wstring mark = CefUserFreeString(frame->get_url(frame.get())).str() + L" " +
                              std::to_wstring(browser->get_identifier(browser.get())) + L" " +
                              std::to_wstring(++created_);
    global->set_value_bykey(global.get(), CefStringArg(L"contextCreated"), String(mark).Detach(),
                            V8_PROPERTY_ATTRIBUTE_NONE);
  }
  // The engine hands over its references; a test counts the callbacks in the trace.
  void OnContextReleased(cef_browser_t* browser, cef_frame_t* frame, cef_v8context_t* context) {
    const CefRef<cef_browser_t> released_browser = CefAdopt(browser);
    const CefRef<cef_frame_t> released_frame = CefAdopt(frame);
    const CefRef<cef_v8context_t> released_context = CefAdopt(context);
    Held().clear();
  }
  int created_ = 0;
};

class App : public CefObject<App, cef_app_t> {
 public:
  App() { Bind<&App::GetRenderProcessHandler>(cef()->get_render_process_handler); }

 private:
  cef_render_process_handler_t* GetRenderProcessHandler() { return handler_.Share(); }
  CefRef<cef_render_process_handler_t> handler_ = CefNew<RenderHandler>();
};

bool LoadEngine() {
  wchar_t path[MAX_PATH];
  const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring folder(path, length);
  folder = folder.substr(0, folder.find_last_of(L'\\') + 1);
  HMODULE module = LoadLibraryExW((folder + L"plugin\\cef\\libcef.dll").c_str(), nullptr,
                                  LOAD_WITH_ALTERED_SEARCH_PATH);
  if (!module) return false;
  for (const TCefEntryPointInfo& entry : kCefEntryPoints) {
    FARPROC proc = GetProcAddress(module, entry.name);
    if (!proc) return false;
    entry.store(g_cef, proc);
  }
  return true;
}

}  // namespace

int main() {
  if (!LoadEngine()) return 90;
  cef_main_args_t args{GetModuleHandleW(nullptr)};
  CefRef<cef_app_t> app = CefNew<App>();
  const int code = g_cef.cef_execute_process(&args, app.Share(), nullptr);
  return code < 0 ? 91 : code;
}
