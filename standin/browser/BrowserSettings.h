// A copy of a cef_browser_settings_t that owns its strings: what a browser
// was made with, handed (copied again) to the program for its popups.
#pragma once

#include "engine/capi/cef_capi.h"

namespace quirel::standin {

class BrowserSettings {
 public:
  BrowserSettings();
  explicit BrowserSettings(const cef_browser_settings_t& settings);
  BrowserSettings(const BrowserSettings& other);
  BrowserSettings& operator=(const BrowserSettings& other);
  ~BrowserSettings();

  cef_browser_settings_t* get() { return &record_; }
  const cef_browser_settings_t& record() const { return record_; }

 private:
  void CopyFrom(const cef_browser_settings_t& settings);
  void Clear();

  cef_browser_settings_t record_{};
};

}  // namespace quirel::standin
