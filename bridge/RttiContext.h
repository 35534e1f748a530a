// The handles script wrappers carry instead of addresses: 32-bit numbers into a table the
// extension owns, so a wrapper is correct in 32- and 64-bit builds and one whose entry is
// gone (or that never came from this table) finds nothing.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <optional>

#include "bridge/RttiValue.h"

namespace quirel {

class TRttiContext {
 public:
  enum class TEntryKind { Type, Class, Object, Interface };

  struct TEntry {
    TEntryKind Kind;
    const TTypeInfo* Type = nullptr;  // Type
    const TRttiClass* Class = nullptr;  // Class; Object: its own class
    TObjectRef Object;                  // Object (held while the entry lives)
    std::shared_ptr<void> Interface;    // Interface
  };

  // The same type, class, object or interface always gets the same handle while its entry
  // lives. Handles are never reused.
  int32_t TypeHandle(const TTypeInfo* type);
  int32_t ClassHandle(const TRttiClass* cls);
  int32_t ObjectHandle(const TObjectRef& object);
  int32_t InterfaceHandle(const std::shared_ptr<void>& intf);

  const TTypeInfo* FindType(int32_t handle) const;
  std::optional<TEntry> Find(int32_t handle) const;

  // Drops the entry of an object or interface and with it the table's hold on it.
  void Forget(int32_t handle);
  void ForgetObject(const void* instance);

  std::size_t Count() const;

 private:
  int32_t Intern(const void* key, TEntryKind kind, TEntry entry);

  mutable std::mutex FLock;
  int32_t FNext = 1;
  std::map<int32_t, TEntry> FEntries;
  std::map<std::pair<const void*, TEntryKind>, int32_t> FHandles;
};

}  // namespace quirel
