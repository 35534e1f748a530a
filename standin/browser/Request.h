// The engine's cef_request_t for a navigation: what on_before_browse shows
// the program. Requests of navigations in progress are read-only, as the
// engine's are; setters then do nothing.
#pragma once

#include <map>
#include <mutex>
#include <string>

#include "engine/capi/CefObject.h"
#include "engine/capi/cef_capi.h"
#include "standin/core/Leftovers.h"

namespace quirel::standin {

class Request : public CefObject<Request, cef_request_t> {
  leftovers::Counted counted_{"request"};

 public:
  Request(std::wstring url, std::wstring method, cef_transition_type_t transition, bool read_only);

 private:
  int IsReadOnly();
  cef_string_userfree_t GetUrl();
  void SetUrl(const cef_string_t* url);
  cef_string_userfree_t GetMethod();
  void SetMethod(const cef_string_t* method);
  void SetReferrer(const cef_string_t* url, cef_referrer_policy_t policy);
  cef_string_userfree_t GetReferrerUrl();
  cef_referrer_policy_t GetReferrerPolicy();
  cef_post_data_t* GetPostData();
  void SetPostData(cef_post_data_t* data);
  void GetHeaderMap(cef_string_multimap_t map);
  void SetHeaderMap(cef_string_multimap_t map);
  cef_string_userfree_t GetHeaderByName(const cef_string_t* name);
  void SetHeaderByName(const cef_string_t* name, const cef_string_t* value, int overwrite);
  void Set(const cef_string_t* url, const cef_string_t* method, cef_post_data_t* data,
           cef_string_multimap_t headers);
  int GetFlags();
  void SetFlags(int flags);
  cef_string_userfree_t GetFirstPartyForCookies();
  void SetFirstPartyForCookies(const cef_string_t* url);
  cef_resource_type_t GetResourceType();
  cef_transition_type_t GetTransitionType();
  uint64 GetIdentifier();

  const long long object_;
  const bool read_only_;
  const cef_transition_type_t transition_;
  const uint64 identifier_;
  std::mutex mutex_;
  std::wstring url_, method_, referrer_, first_party_;
  cef_referrer_policy_t policy_ = REFERRER_POLICY_DEFAULT;
  std::multimap<std::wstring, std::wstring> headers_;
  int flags_ = UR_FLAG_NONE;
};

}  // namespace quirel::standin
