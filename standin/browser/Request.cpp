#include "standin/browser/Request.h"

#include <atomic>

#include "standin/core/Trace.h"
#include "standin/exports/Unsupported.h"
#include "standin/strings/EngineStrings.h"
#include "standin/strings/StringCollections.h"

namespace quirel::standin {
namespace {

uint64 NextRequestIdentifier() {
  static std::atomic<uint64> next{0};
  return ++next;
}

}  // namespace

Request::Request(std::wstring url, std::wstring method, cef_transition_type_t transition,
                 bool read_only)
    : object_(trace::NextObjectId()),
      read_only_(read_only),
      transition_(transition),
      identifier_(NextRequestIdentifier()),
      url_(std::move(url)),
      method_(std::move(method)) {
  cef_request_t* s = cef();
  Bind<&Request::IsReadOnly>(s->is_read_only);
  Bind<&Request::GetUrl>(s->get_url);
  Bind<&Request::SetUrl>(s->set_url);
  Bind<&Request::GetMethod>(s->get_method);
  Bind<&Request::SetMethod>(s->set_method);
  Bind<&Request::SetReferrer>(s->set_referrer);
  Bind<&Request::GetReferrerUrl>(s->get_referrer_url);
  Bind<&Request::GetReferrerPolicy>(s->get_referrer_policy);
  Bind<&Request::GetPostData>(s->get_post_data);
  Bind<&Request::SetPostData>(s->set_post_data);
  Bind<&Request::GetHeaderMap>(s->get_header_map);
  Bind<&Request::SetHeaderMap>(s->set_header_map);
  Bind<&Request::GetHeaderByName>(s->get_header_by_name);
  Bind<&Request::SetHeaderByName>(s->set_header_by_name);
  Bind<&Request::Set>(s->set);
  Bind<&Request::GetFlags>(s->get_flags);
  Bind<&Request::SetFlags>(s->set_flags);
  Bind<&Request::GetFirstPartyForCookies>(s->get_first_party_for_cookies);
  Bind<&Request::SetFirstPartyForCookies>(s->set_first_party_for_cookies);
  Bind<&Request::GetResourceType>(s->get_resource_type);
  Bind<&Request::GetTransitionType>(s->get_transition_type);
  Bind<&Request::GetIdentifier>(s->get_identifier);
}

int Request::IsReadOnly() {
  trace::Method("request.is_read_only", object_);
  return read_only_;
}

cef_string_userfree_t Request::GetUrl() {
  trace::Method("request.get_url", object_);
  std::lock_guard lock(mutex_);
  return NewUserFreeString(url_);
}

void Request::SetUrl(const cef_string_t* url) {
  trace::Method("request.set_url", object_).Text("url", url);
  std::lock_guard lock(mutex_);
  if (!read_only_) url_ = ToWString(url);
}

cef_string_userfree_t Request::GetMethod() {
  trace::Method("request.get_method", object_);
  std::lock_guard lock(mutex_);
  return NewUserFreeString(method_);
}

void Request::SetMethod(const cef_string_t* method) {
  trace::Method("request.set_method", object_).Text("method", method);
  std::lock_guard lock(mutex_);
  if (!read_only_) method_ = ToWString(method);
}

void Request::SetReferrer(const cef_string_t* url, cef_referrer_policy_t policy) {
  trace::Method("request.set_referrer", object_).Text("referrer_url", url).Int("policy", policy);
  std::lock_guard lock(mutex_);
  if (read_only_) return;
  referrer_ = ToWString(url);
  policy_ = policy;
}

cef_string_userfree_t Request::GetReferrerUrl() {
  trace::Method("request.get_referrer_url", object_);
  std::lock_guard lock(mutex_);
  return NewUserFreeString(referrer_);
}

cef_referrer_policy_t Request::GetReferrerPolicy() {
  trace::Method("request.get_referrer_policy", object_);
  std::lock_guard lock(mutex_);
  return policy_;
}

// Navigations here send no body.
cef_post_data_t* Request::GetPostData() {
  trace::Method("request.get_post_data", object_);
  return nullptr;
}

void Request::SetPostData(cef_post_data_t* data) {
  ReleaseArguments(data);
  trace::Method("request.set_post_data", object_).Bool("post_data", data != nullptr);
}

void Request::GetHeaderMap(cef_string_multimap_t map) {
  trace::Method("request.get_header_map", object_);
  if (!map) return;
  std::lock_guard lock(mutex_);
  for (const auto& [name, value] : headers_) AsMultimap(map)->emplace(name, value);
}

void Request::SetHeaderMap(cef_string_multimap_t map) {
  trace::Method("request.set_header_map", object_);
  std::lock_guard lock(mutex_);
  if (read_only_ || !map) return;
  headers_ = *AsMultimap(map);
}

cef_string_userfree_t Request::GetHeaderByName(const cef_string_t* name) {
  trace::Method("request.get_header_by_name", object_).Text("name", name);
  std::lock_guard lock(mutex_);
  const std::wstring wanted = ToWString(name);
  for (const auto& [key, value] : headers_) {
    if (_wcsicmp(key.c_str(), wanted.c_str()) == 0) return NewUserFreeString(value);
  }
  return nullptr;
}

void Request::SetHeaderByName(const cef_string_t* name, const cef_string_t* value, int overwrite) {
  trace::Method("request.set_header_by_name", object_)
      .Text("name", name)
      .Text("value", value)
      .Int("overwrite", overwrite);
  std::lock_guard lock(mutex_);
  if (read_only_) return;
  const std::wstring key = ToWString(name);
  for (auto it = headers_.begin(); it != headers_.end();) {
    if (_wcsicmp(it->first.c_str(), key.c_str()) != 0) {
      ++it;
    } else if (!overwrite) {
      return;
    } else {
      it = headers_.erase(it);
    }
  }
  headers_.emplace(key, ToWString(value));
}

void Request::Set(const cef_string_t* url, const cef_string_t* method, cef_post_data_t* data,
                  cef_string_multimap_t headers) {
  ReleaseArguments(data);
  trace::Method("request.set", object_).Text("url", url).Text("method", method);
  std::lock_guard lock(mutex_);
  if (read_only_) return;
  url_ = ToWString(url);
  method_ = ToWString(method);
  headers_.clear();
  if (headers) headers_ = *AsMultimap(headers);
}

int Request::GetFlags() {
  trace::Method("request.get_flags", object_);
  std::lock_guard lock(mutex_);
  return flags_;
}

void Request::SetFlags(int flags) {
  trace::Method("request.set_flags", object_).Int("flags", flags);
  std::lock_guard lock(mutex_);
  if (!read_only_) flags_ = flags;
}

cef_string_userfree_t Request::GetFirstPartyForCookies() {
  trace::Method("request.get_first_party_for_cookies", object_);
  std::lock_guard lock(mutex_);
  return NewUserFreeString(first_party_.empty() ? url_ : first_party_);
}

void Request::SetFirstPartyForCookies(const cef_string_t* url) {
  trace::Method("request.set_first_party_for_cookies", object_).Text("url", url);
  std::lock_guard lock(mutex_);
  if (!read_only_) first_party_ = ToWString(url);
}

cef_resource_type_t Request::GetResourceType() {
  trace::Method("request.get_resource_type", object_);
  return RT_MAIN_FRAME;
}

cef_transition_type_t Request::GetTransitionType() {
  trace::Method("request.get_transition_type", object_);
  return transition_;
}

uint64 Request::GetIdentifier() {
  trace::Method("request.get_identifier", object_);
  return identifier_;
}

}  // namespace quirel::standin
