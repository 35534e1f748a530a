// Makes a native value reachable from every page's script as a global property. The value's
// metadata decides what the page sees: every read of the property builds a new script
// wrapper whose functions and accessors call back into native code through this handler.
#pragma once

#include <functional>
#include <span>
#include <string>

#include "bridge/CefV8HandlerOwn.h"
#include "bridge/RttiContext.h"
#include "bridge/RttiValue.h"
#include "bridge/ScriptValues.h"
#include "common/Errors.h"

namespace quirel {

class TCefRTTIExtension : public TCefv8HandlerOwn<TCefRTTIExtension> {
 public:
  // Registers the extension `name` with `value` as its root, when this process may register
  // extensions (engine loaded, renderer or single process); otherwise false and nothing happens.
  static bool Register(const std::wstring& name, const TValue& value, bool SyncMainThread);
  // The same, with the decision whether the engine accepts extensions already taken.
  static bool Register(const std::wstring& name, const TValue& value, bool SyncMainThread,
                       bool engineAcceptsExtensions);

  // The extension's script text: an accessor property `name` on the global object.
  static std::wstring ScriptText(const std::wstring& name);

  TCefRTTIExtension(const TValue& value, bool SyncMainThread);  // Create
  ~TCefRTTIExtension() override;

  // The handler entry for every native function this extension made.
  bool Execute(const std::wstring& name, cef_v8value_t* object,
               std::span<cef_v8value_t* const> arguments, script::TScriptValue& retval,
               std::wstring& exception);

  // Native to script; false when the value's kind has no conversion.
  bool SetValue(const TValue& value, script::TScriptValue& result);
  // Script to native into `type`; false when the script value does not fit.
  bool ToNativeValue(const TTypeInfo* type, cef_v8value_t* source, TValue& result);

  const TValue& Value() const { return FValue; }
  TRttiContext& Context() { return FCtx; }

 private:
  bool Dispatch(const std::wstring& name, cef_v8value_t* object,
                std::span<cef_v8value_t* const> arguments, script::TScriptValue& retval);
  bool Invoke(const TRttiMethod* method, const TInvokeTarget& target,
              std::span<cef_v8value_t* const> arguments, script::TScriptValue& retval);
  // Runs a native member where the extension was told to: here or on the main thread.
  bool RunMember(const std::function<void()>& work);

  bool ClassWrapper(const TTypeInfo* declared, const TRttiClass* cls, script::TScriptValue& result);
  bool ObjectWrapper(const TTypeInfo* declared, const TObjectRef& object, script::TScriptValue& result);
  bool RecordWrapper(const TValue& value, script::TScriptValue& result);
  bool InterfaceWrapper(const TValue& value, script::TScriptValue& result);
  bool VariantToScript(const VARIANT& v, script::TScriptValue& result);
  bool ScriptToVariant(cef_v8value_t* source, TOleVariant& result);
  bool ScriptToRecord(const TTypeInfo* type, cef_v8value_t* source, TValue& result);
  script::TScriptValue NativeFunction(const std::wstring& name);

  TValue FValue;
  TRttiContext FCtx;
  bool FSyncMainThread;
};

}  // namespace quirel
