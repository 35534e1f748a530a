#include "EngineStrings.h"

#include <gtest/gtest.h>
#include <windows.h>

#include "engine/capi/CefEntryPoints.h"

namespace quirel::test {
namespace {

class Request : public CefObject<Request, cef_request_t> {
 public:
  explicit Request(std::wstring url) : url_(std::move(url)) {
    Bind<&Request::GetUrl>(cef()->get_url);
  }

 private:
  cef_string_userfree_t GetUrl() {
    cef_string_userfree_t text = g_cef.cef_string_userfree_utf16_alloc();
    g_cef.cef_string_utf16_set(reinterpret_cast<const char16*>(url_.data()), url_.size(), text,
                               1);
    return text;
  }
  std::wstring url_;
};

}  // namespace

void LoadEngineStrings() {
  static HMODULE engine = [] {
    wchar_t path[MAX_PATH];
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring file(path);
    file = file.substr(0, file.find_last_of(L'\\') + 1) + L"plugin\\cef\\libcef.dll";
    HMODULE module = LoadLibraryW(file.c_str());
    if (module) {
      for (const TCefEntryPointInfo& entry : kCefEntryPoints)
        if (FARPROC proc = GetProcAddress(module, entry.name)) entry.store(g_cef, proc);
    }
    return module;
  }();
  ASSERT_NE(engine, nullptr) << "the stand-in engine beside the test program";
}

TestRequest::TestRequest(std::wstring url) : request_(CefNew<Request>(std::move(url))) {}

}  // namespace quirel::test
