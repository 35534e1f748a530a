#include "bridge/CefRTTIExtension.h"

#include <vector>

#include "engine/CefApplicationCore.h"
#include "ui/kit/Synchronize.h"

namespace quirel {
namespace {

bool EngineAcceptsExtensions() {
  return GlobalCEFApp && GlobalCEFApp->LibLoaded() &&
         (GlobalCEFApp->ProcessType() == ptRenderer || GlobalCEFApp->SingleProcess);
}

// "$pg", "$ps", "$vg" or "$vs" followed by a member name.
bool IsAccessorName(const std::wstring& name) {
  return name.size() >= 3 && name[0] == L'$' && (name[1] == L'p' || name[1] == L'v') &&
         (name[2] == L'g' || name[2] == L's');
}

}  // namespace

bool TCefRTTIExtension::Register(const std::wstring& name, const TValue& value, bool SyncMainThread) {
  return Register(name, value, SyncMainThread, EngineAcceptsExtensions());
}

bool TCefRTTIExtension::Register(const std::wstring& name, const TValue& value, bool SyncMainThread,
                                 bool engineAcceptsExtensions) {
  CefRef<cef_v8handler_t> handler = CefNew<TCefRTTIExtension>(value, SyncMainThread);
  const std::wstring text = ScriptText(name);
  if (!engineAcceptsExtensions || name.empty() || text.empty() || !g_cef.cef_register_extension)
    return false;
  CefStringArg extensionName(name);
  CefStringArg code(text);
  return g_cef.cef_register_extension(extensionName, code, handler.Share()) != 0;
}

std::wstring TCefRTTIExtension::ScriptText(const std::wstring& name) {
  return L"this.__defineSetter__('" + name +
         L"', function(v){native function $s();$s(v)});this.__defineGetter__('" + name +
         L"', function(){native function $g();return $g()});";
}

TCefRTTIExtension::TCefRTTIExtension(const TValue& value, bool SyncMainThread)
    : FValue(value.Clone()), FSyncMainThread(SyncMainThread) {}

TCefRTTIExtension::~TCefRTTIExtension() = default;

bool TCefRTTIExtension::Execute(const std::wstring& name, cef_v8value_t* object,
                                std::span<cef_v8value_t* const> arguments,
                                script::TScriptValue& retval, std::wstring& exception) {
  // A native member that fails reaches the page as a script exception: the engine throws
  // the text when the call counts as handled.
  try {
    return Dispatch(name, object, arguments, retval);
  } catch (const std::exception& e) {
    exception = ExceptionMessage(e);
  } catch (...) {
    exception = L"Unexpected native error in " + name;
  }
  if (exception.empty()) exception = L"Native error in " + name;
  retval.Reset();
  return true;
}

bool TCefRTTIExtension::Dispatch(const std::wstring& name, cef_v8value_t* object,
                                 std::span<cef_v8value_t* const> arguments,
                                 script::TScriptValue& retval) {
  if (!object) return false;
  const std::optional<std::vector<int32_t>> data = script::WrapperData(object);
  if (!data) {
    // The global object: the calls of the extension's own script text.
    if (name == L"$g") {
      SetValue(FValue, retval);
      return true;
    }
    if (name == L"$s") {
      TValue assigned = FValue;
      if (!arguments.empty() && ToNativeValue(FValue.Type(), arguments[0], assigned))
        FValue = std::move(assigned);
      return true;
    }
    return false;
  }

  const TTypeInfo* type = data->empty() ? nullptr : FCtx.FindType((*data)[0]);
  // Wrappers of other kinds (interfaces) and wrappers whose entries are gone find nothing.
  if (!type || type->Kind != TTypeKind::tkClass || !type->ClassData || data->size() < 2) return false;
  const std::optional<TRttiContext::TEntry> entry = FCtx.Find((*data)[1]);
  if (!entry) return false;

  const TRttiClass* cls = type->ClassData;
  TInvokeTarget target;
  target.Class = cls;
  const int32_t instanceHandle = (*data)[1];
  if (entry->Kind == TRttiContext::TEntryKind::Object) {
    if (!entry->Object.Class || !entry->Object.Class->InheritsFrom(cls)) return false;
    target.Instance = entry->Object.Instance.get();
    target.InstanceClass = entry->Object.Class;
    target.ReleaseInstance = [this, instanceHandle] { FCtx.Forget(instanceHandle); };
  } else if (entry->Kind != TRttiContext::TEntryKind::Class || !entry->Class ||
             !entry->Class->InheritsFrom(cls)) {
    return false;
  }
  // The entry copy keeps the object alive for the call even if the page frees it meanwhile.
  const TObjectRef keepAlive = entry->Object;

  if (IsAccessorName(name)) {
    const std::wstring member = name.substr(3);
    const bool read = name[2] == L'g';
    if (!target.Instance) return false;
    void* instance = target.Instance;
    if (name[1] == L'p') {
      const TRttiProperty* property = FindProperty(cls, member);
      if (!property || !IsExposed(property->Visibility)) return false;
      if (read) {
        if (!property->IsReadable()) return false;
        TValue value;
        if (!RunMember([&] { value = property->Read(instance); })) return false;
        return SetValue(value, retval);
      }
      TValue value;
      if (!property->IsWritable() || arguments.empty() ||
          !ToNativeValue(property->Type, arguments[0], value))
        return false;
      return RunMember([&] { property->Write(instance, value); });
    }
    const TRttiField* field = FindField(cls, member);
    if (!field || !IsExposed(field->Visibility)) return false;
    if (read) {
      TValue value;
      if (!RunMember([&] { value = field->Read(instance); })) return false;
      return SetValue(value, retval);
    }
    TValue value;
    if (arguments.empty() || !ToNativeValue(field->Type, arguments[0], value)) return false;
    return RunMember([&] { field->Write(instance, value); });
  }

  // Only what a wrapper shows can be reached, whatever name a call claims.
  const TRttiMethod* method = FindMethod(cls, name);
  if (!method || !IsExposed(method->Visibility)) return false;
  return Invoke(method, target, arguments, retval);
}

bool TCefRTTIExtension::Invoke(const TRttiMethod* method, const TInvokeTarget& target,
                               std::span<cef_v8value_t* const> arguments,
                               script::TScriptValue& retval) {
  if (method->Parameters.size() != arguments.size()) return false;
  std::vector<TValue> args;
  args.reserve(arguments.size());
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    TValue arg;
    if (!ToNativeValue(method->Parameters[i].Type, arguments[i], arg)) return false;
    args.push_back(std::move(arg));
  }
  switch (method->Kind) {
    case TMethodKind::mkProcedure:
    case TMethodKind::mkFunction:
      if (!target.Instance) return false;
      break;
    case TMethodKind::mkClassProcedure:
    case TMethodKind::mkClassFunction:
      break;
    default:
      return false;
  }
  if (!method->Invoke) return false;
  TInvokeTarget call = target;
  if (method->Kind == TMethodKind::mkClassProcedure || method->Kind == TMethodKind::mkClassFunction)
    call.Instance = nullptr;
  TValue result;
  if (!RunMember([&] { result = method->Invoke(call, args); })) return false;
  if (method->Kind == TMethodKind::mkFunction || method->Kind == TMethodKind::mkClassFunction)
    return SetValue(result, retval);
  return true;
}

bool TCefRTTIExtension::RunMember(const std::function<void()>& work) {
  if (!FSyncMainThread) {
    work();
    return true;
  }
  return kit::Synchronize(work);
}

script::TScriptValue TCefRTTIExtension::NativeFunction(const std::wstring& name) {
  return script::Function(name, cef());
}

}  // namespace quirel
