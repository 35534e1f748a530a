// The test suite's COM client: creates "QuirelCloud.QuirelApplication" out of process, calls
// SetData and GetData through the interface table and through IDispatch, writes what it got
// to a report file, then holds the object until told to let it go.
//
//   automation_com_client <report file> <ready event> <release event>
//
// Exit code 0 once the object was created and released, 1 when it could not be created,
// 2 for a wrong command line.
#include <windows.h>
#include <ole2.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "automation/ComPtr.h"
#include "automation/QuirelCloud_TLB.h"

namespace {

using quirel::TBStr;
using quirel::TComPtr;

class Report {
 public:
  void Add(const std::wstring& name, const std::wstring& value) {
    FText += name + L"=" + value + L"\n";
  }
  void AddHr(const std::wstring& name, HRESULT hr) {
    wchar_t text[16];
    swprintf(text, 16, L"0x%08X", static_cast<unsigned>(hr));
    Add(name, text);
  }
  void Save(const std::wstring& file) const {
    std::ofstream out(file.c_str(), std::ios::binary | std::ios::trunc);
    const int bytes = WideCharToMultiByte(CP_UTF8, 0, FText.c_str(), static_cast<int>(FText.size()),
                                          nullptr, 0, nullptr, nullptr);
    std::string utf8(bytes, '\0');
    WideCharToMultiByte(CP_UTF8, 0, FText.c_str(), static_cast<int>(FText.size()), utf8.data(),
                        bytes, nullptr, nullptr);
    out << utf8;
  }

 private:
  std::wstring FText;
};

std::wstring Ids(const DISPID* ids, size_t count) {
  std::wstring text;
  for (size_t i = 0; i < count; ++i) text += (i ? L"," : L"") + std::to_wstring(ids[i]);
  return text;
}

VARIANT Bstr(const TBStr& text) {
  VARIANT v;
  VariantInit(&v);
  v.vt = VT_BSTR;
  v.bstrVal = text.Get();
  return v;
}

// Invoke's arguments come last to first.
void Invoke(Report& report, const std::wstring& name, IDispatch* object, DISPID member,
            std::vector<VARIANT> arguments) {
  DISPPARAMS params{arguments.data(), nullptr, static_cast<UINT>(arguments.size()), 0};
  VARIANT result;
  VariantInit(&result);
  EXCEPINFO exception{};
  UINT argError = 0;
  report.AddHr(name + L"_hr", object->Invoke(member, IID_NULL, 0, DISPATCH_METHOD, &params, &result,
                                             &exception, &argError));
  report.Add(name, std::to_wstring(result.vt) + L":" +
                       std::to_wstring(result.vt == VT_BOOL ? result.boolVal : 0));
  VariantClear(&result);
}

void CallThroughDispatch(Report& report, IQuirelApplication* object) {
  TComPtr<IDispatch> dispatch;
  report.AddHr(L"qi_dispatch_hr", object->QueryInterface(IID_IDispatch, dispatch.PutVoid()));
  if (!dispatch) return;

  UINT count = 0;
  report.AddHr(L"typeinfo_count_hr", dispatch->GetTypeInfoCount(&count));
  report.Add(L"typeinfo_count", std::to_wstring(count));
  TComPtr<ITypeInfo> info;
  report.AddHr(L"typeinfo0_hr", dispatch->GetTypeInfo(0, 0, info.Put()));
  if (info) {
    TBStr name;
    info->GetDocumentation(MEMBERID_NIL, name.Put(), nullptr, nullptr, nullptr);
    report.Add(L"typeinfo0_name", name.Text());
  }
  report.AddHr(L"typeinfo1_hr", dispatch->GetTypeInfo(1, 0, info.Put()));

  LPOLESTR setData[] = {const_cast<LPOLESTR>(L"SetData"), const_cast<LPOLESTR>(L"chiave"),
                        const_cast<LPOLESTR>(L"valore")};
  DISPID ids[3] = {-1, -1, -1};
  report.AddHr(L"ids_setdata_hr", dispatch->GetIDsOfNames(IID_NULL, setData, 3, 0, ids));
  report.Add(L"ids_setdata", Ids(ids, 3));
  LPOLESTR getData[] = {const_cast<LPOLESTR>(L"GetData"), const_cast<LPOLESTR>(L"chiave")};
  report.AddHr(L"ids_getdata_hr", dispatch->GetIDsOfNames(IID_NULL, getData, 2, 0, ids));
  report.Add(L"ids_getdata", Ids(ids, 2));

  TBStr key(L"chiave-client"), value(L"valore-client");
  Invoke(report, L"invoke_setdata", dispatch.Get(), 201, {Bstr(value), Bstr(key)});
  Invoke(report, L"invoke_getdata", dispatch.Get(), 202, {Bstr(key)});
  Invoke(report, L"invoke_badcount", dispatch.Get(), 201, {Bstr(key)});
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc != 4) return 2;
  const std::wstring reportFile = argv[1];
  HANDLE ready = OpenEventW(EVENT_MODIFY_STATE, FALSE, argv[2]);
  HANDLE release = OpenEventW(SYNCHRONIZE, FALSE, argv[3]);
  if (!ready || !release) return 2;

  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  Report report;
  report.Add(L"client_pid", std::to_wstring(GetCurrentProcessId()));
  CLSID clsid{};
  report.AddHr(L"progid_hr", CLSIDFromProgID(L"QuirelCloud.QuirelApplication", &clsid));
  TComPtr<IQuirelApplication> object;
  const HRESULT created = CoCreateInstance(clsid, nullptr, CLSCTX_LOCAL_SERVER,
                                           IID_IQuirelApplication, object.PutVoid());
  report.AddHr(L"create_hr", created);
  if (object) {
    TBStr key(L"chiave-client"), value(L"valore-client");
    report.Add(L"vtable_setdata", std::to_wstring(object->SetData(key.Get(), value.Get())));
    report.Add(L"vtable_getdata", std::to_wstring(object->GetData(key.Get())));
    CallThroughDispatch(report, object.Get());
  }
  report.Save(reportFile);
  SetEvent(ready);
  if (object) WaitForSingleObject(release, 120000);
  object.Reset();
  CoUninitialize();
  return SUCCEEDED(created) ? 0 : 1;
}
