#include "standin/browser/BrowserSettings.h"

#include <iterator>

#include "standin/strings/EngineStrings.h"

namespace quirel::standin {
namespace {

constexpr cef_string_t cef_browser_settings_t::*kStrings[] = {
    &cef_browser_settings_t::standard_font_family, &cef_browser_settings_t::fixed_font_family,
    &cef_browser_settings_t::serif_font_family,    &cef_browser_settings_t::sans_serif_font_family,
    &cef_browser_settings_t::cursive_font_family,  &cef_browser_settings_t::fantasy_font_family,
    &cef_browser_settings_t::default_encoding,     &cef_browser_settings_t::accept_language_list};

}  // namespace

BrowserSettings::BrowserSettings() { record_.size = sizeof(record_); }

BrowserSettings::BrowserSettings(const cef_browser_settings_t& settings) { CopyFrom(settings); }

BrowserSettings::BrowserSettings(const BrowserSettings& other) { CopyFrom(other.record_); }

BrowserSettings& BrowserSettings::operator=(const BrowserSettings& other) {
  if (this != &other) {
    Clear();
    CopyFrom(other.record_);
  }
  return *this;
}

BrowserSettings::~BrowserSettings() { Clear(); }

void BrowserSettings::CopyFrom(const cef_browser_settings_t& settings) {
  record_ = settings;
  record_.size = sizeof(record_);
  for (const auto field : kStrings) {
    record_.*field = cef_string_t{};  // the program's, not ours to free
    SetString(&(record_.*field), ToWString(&(settings.*field)));
  }
}

void BrowserSettings::Clear() {
  for (const auto field : kStrings) ClearString(&(record_.*field));
}

}  // namespace quirel::standin
