#include "bridge/RttiTypes.h"

#include <windows.h>

namespace quirel {
namespace {

template <typename Member, typename Select>
std::vector<const Member*> Collect(const TRttiClass* cls, Select select) {
  std::vector<const Member*> members;
  for (; cls; cls = cls->Parent)
    for (const Member& member : select(*cls)) members.push_back(&member);
  return members;
}

template <typename Member>
const Member* FindByName(const std::vector<const Member*>& members, std::wstring_view name) {
  for (const Member* member : members)
    if (SameText(member->Name, name)) return member;
  return nullptr;
}

}  // namespace

bool TRttiClass::InheritsFrom(const TRttiClass* ancestor) const {
  for (const TRttiClass* cls = this; cls; cls = cls->Parent)
    if (cls == ancestor) return true;
  return false;
}

std::vector<const TRttiMethod*> ClassMethods(const TRttiClass* cls) {
  return Collect<TRttiMethod>(cls, [](const TRttiClass& c) -> auto& { return c.Methods; });
}

std::vector<const TRttiProperty*> ClassProperties(const TRttiClass* cls) {
  return Collect<TRttiProperty>(cls, [](const TRttiClass& c) -> auto& { return c.Properties; });
}

std::vector<const TRttiField*> ClassFields(const TRttiClass* cls) {
  return Collect<TRttiField>(cls, [](const TRttiClass& c) -> auto& { return c.Fields; });
}

const TRttiMethod* FindMethod(const TRttiClass* cls, std::wstring_view name) {
  return FindByName(ClassMethods(cls), name);
}

const TRttiProperty* FindProperty(const TRttiClass* cls, std::wstring_view name) {
  return FindByName(ClassProperties(cls), name);
}

const TRttiField* FindField(const TRttiClass* cls, std::wstring_view name) {
  return FindByName(ClassFields(cls), name);
}

bool IsExposed(TMemberVisibility visibility) {
  return visibility == TMemberVisibility::mvPublic || visibility == TMemberVisibility::mvPublished;
}

bool SameText(std::wstring_view a, std::wstring_view b) {
  return CompareStringOrdinal(a.data(), static_cast<int>(a.size()), b.data(),
                              static_cast<int>(b.size()), TRUE) == CSTR_EQUAL;
}

}  // namespace quirel
