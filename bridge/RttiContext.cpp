#include "bridge/RttiContext.h"

#include "common/Errors.h"

namespace quirel {

int32_t TRttiContext::Intern(const void* key, TEntryKind kind, TEntry entry) {
  std::lock_guard lock(FLock);
  if (auto found = FHandles.find({key, kind}); found != FHandles.end()) return found->second;
  if (FNext == INT32_MAX) throw Exception(L"No wrapper handles left");
  const int32_t handle = FNext++;
  FEntries.emplace(handle, std::move(entry));
  FHandles.emplace(std::pair{key, kind}, handle);
  return handle;
}

int32_t TRttiContext::TypeHandle(const TTypeInfo* type) {
  return Intern(type, TEntryKind::Type, TEntry{TEntryKind::Type, type, nullptr, {}, {}});
}

int32_t TRttiContext::ClassHandle(const TRttiClass* cls) {
  return Intern(cls, TEntryKind::Class, TEntry{TEntryKind::Class, nullptr, cls, {}, {}});
}

int32_t TRttiContext::ObjectHandle(const TObjectRef& object) {
  return Intern(object.Instance.get(), TEntryKind::Object,
                TEntry{TEntryKind::Object, nullptr, object.Class, object, {}});
}

int32_t TRttiContext::InterfaceHandle(const std::shared_ptr<void>& intf) {
  return Intern(intf.get(), TEntryKind::Interface,
                TEntry{TEntryKind::Interface, nullptr, nullptr, {}, intf});
}

const TTypeInfo* TRttiContext::FindType(int32_t handle) const {
  std::lock_guard lock(FLock);
  auto found = FEntries.find(handle);
  return found != FEntries.end() && found->second.Kind == TEntryKind::Type ? found->second.Type
                                                                           : nullptr;
}

std::optional<TRttiContext::TEntry> TRttiContext::Find(int32_t handle) const {
  std::lock_guard lock(FLock);
  auto found = FEntries.find(handle);
  if (found == FEntries.end()) return std::nullopt;
  return found->second;
}

void TRttiContext::Forget(int32_t handle) {
  TEntry gone{TEntryKind::Type, nullptr, nullptr, {}, {}};  // released outside the lock: an object may go with it
  {
    std::lock_guard lock(FLock);
    auto found = FEntries.find(handle);
    if (found == FEntries.end() || found->second.Kind == TEntryKind::Type ||
        found->second.Kind == TEntryKind::Class)
      return;
    const void* key = found->second.Kind == TEntryKind::Object ? found->second.Object.Instance.get()
                                                                : found->second.Interface.get();
    FHandles.erase({key, found->second.Kind});
    gone = std::move(found->second);
    FEntries.erase(found);
  }
}

void TRttiContext::ForgetObject(const void* instance) {
  int32_t handle = 0;
  {
    std::lock_guard lock(FLock);
    auto found = FHandles.find({instance, TEntryKind::Object});
    if (found == FHandles.end()) return;
    handle = found->second;
  }
  Forget(handle);
}

std::size_t TRttiContext::Count() const {
  std::lock_guard lock(FLock);
  return FEntries.size();
}

}  // namespace quirel
