// The type library QuirelCloud as a client sees it, loaded from the executable named by
// QUIREL_EXE: every identifier, name, DISPID, flag and the virtual table of the interface.
#include <gtest/gtest.h>

#include <windows.h>
#include <ole2.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "automation/ComPtr.h"

namespace quirel {
namespace {

GUID Guid(const wchar_t* text) {
  GUID guid{};
  EXPECT_EQ(CLSIDFromString(text, &guid), S_OK) << text;
  return guid;
}

const GUID kLibId = Guid(L"{163DB8E0-C442-4AA0-BCCB-86AE295A0472}");
const GUID kIid = Guid(L"{E86584C3-3B8A-45D9-A83A-69D3D266F649}");
const GUID kClsid = Guid(L"{7345FE56-3D5C-49E0-ABFE-AEF8BA1C99A7}");
const GUID kStdOle = Guid(L"{00020430-0000-0000-C000-000000000046}");

std::wstring ExeUnderTest() {
  const wchar_t* v = _wgetenv(L"QUIREL_EXE");
  return v && *v ? v : L"Quirel.exe";
}

struct Documentation {
  std::wstring Name, DocString, HelpFile;
  bool HasDocString = false, HasHelpFile = false;
  DWORD HelpContext = 0;
};

Documentation Doc(ITypeInfo* info, MEMBERID member = MEMBERID_NIL) {
  TBStr name, doc, file;
  Documentation d;
  EXPECT_EQ(info->GetDocumentation(member, name.Put(), doc.Put(), &d.HelpContext, file.Put()),
            S_OK);
  d.Name = name.Text();
  d.DocString = doc.Text();
  d.HasDocString = doc.Get() != nullptr;
  d.HelpFile = file.Text();
  d.HasHelpFile = file.Get() != nullptr;
  return d;
}

class TypeAttr {
 public:
  explicit TypeAttr(ITypeInfo* info) : FInfo(info) { EXPECT_EQ(info->GetTypeAttr(&FAttr), S_OK); }
  ~TypeAttr() {
    if (FAttr) FInfo->ReleaseTypeAttr(FAttr);
  }
  const TYPEATTR* operator->() const { return FAttr; }

 private:
  ITypeInfo* FInfo;
  TYPEATTR* FAttr = nullptr;
};

TComPtr<ITypeInfo> RefType(ITypeInfo* info, UINT implIndex) {
  HREFTYPE ref = 0;
  EXPECT_EQ(info->GetRefTypeOfImplType(implIndex, &ref), S_OK);
  TComPtr<ITypeInfo> result;
  EXPECT_EQ(info->GetRefTypeInfo(ref, result.Put()), S_OK);
  return result;
}

std::vector<std::wstring> Names(ITypeInfo* info, MEMBERID member) {
  BSTR names[8] = {};
  UINT count = 0;
  EXPECT_EQ(info->GetNames(member, names, 8, &count), S_OK);
  std::vector<std::wstring> result;
  for (UINT i = 0; i < count; ++i) {
    result.emplace_back(names[i], SysStringLen(names[i]));
    SysFreeString(names[i]);
  }
  return result;
}

class TypeLibraryTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { CoInitialize(nullptr); }
  static void TearDownTestSuite() { CoUninitialize(); }
  void SetUp() override {
    ASSERT_EQ(LoadTypeLibEx(ExeUnderTest().c_str(), REGKIND_NONE, FLib.Put()), S_OK)
        << "no type library in " << testing::PrintToString(ExeUnderTest());
  }
  TComPtr<ITypeInfo> Info(const GUID& guid) {
    TComPtr<ITypeInfo> info;
    EXPECT_EQ(FLib->GetTypeInfoOfGuid(guid, info.Put()), S_OK);
    return info;
  }
  // The interface's virtual-table half: where the methods are declared.
  TComPtr<ITypeInfo> VtableInterface() {
    TComPtr<ITypeInfo> dispatch = Info(kIid);
    return RefType(dispatch.Get(), static_cast<UINT>(-1));
  }

  TComPtr<ITypeLib> FLib;
};

TEST_F(TypeLibraryTest, IsAResourceTypelibNumberOne) {
  HMODULE module = LoadLibraryExW(ExeUnderTest().c_str(), nullptr,
                                  LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
  ASSERT_TRUE(module);
  HRSRC resource = FindResourceW(module, MAKEINTRESOURCEW(1), L"TYPELIB");
  ASSERT_TRUE(resource);
  const char* bytes = static_cast<const char*>(LockResource(LoadResource(module, resource)));
  ASSERT_TRUE(bytes);
  EXPECT_EQ(std::string(bytes, 4), "MSFT");
  FreeLibrary(module);
}

TEST_F(TypeLibraryTest, LibraryAttributes) {
  TLIBATTR* attr = nullptr;
  ASSERT_EQ(FLib->GetLibAttr(&attr), S_OK);
  EXPECT_EQ(attr->guid, kLibId);
  EXPECT_EQ(attr->wMajorVerNum, 1);
  EXPECT_EQ(attr->wMinorVerNum, 0);
  EXPECT_EQ(attr->lcid, 0u);
  EXPECT_EQ(attr->syskind, SYS_WIN32);
  FLib->ReleaseTLibAttr(attr);

  TBStr name, doc, file;
  DWORD context = 1;
  ASSERT_EQ(FLib->GetDocumentation(-1, name.Put(), doc.Put(), &context, file.Put()), S_OK);
  EXPECT_EQ(name.Text(), L"QuirelCloud");
  EXPECT_EQ(doc.Get(), nullptr) << "no help string";
  EXPECT_EQ(file.Get(), nullptr) << "no help file";
  EXPECT_EQ(context, 0u);
  EXPECT_EQ(FLib->GetTypeInfoCount(), 2u);
}

TEST_F(TypeLibraryTest, InterfaceIsADualDispatchInterface) {
  TComPtr<ITypeInfo> dispatch = Info(kIid);
  ASSERT_TRUE(dispatch);
  const Documentation d = Doc(dispatch.Get());
  EXPECT_EQ(d.Name, L"IQuirelApplication");
  EXPECT_EQ(d.DocString, L"Dispatch interface for QuirelApplication Object");
  {
    TypeAttr attr(dispatch.Get());
    EXPECT_EQ(attr->typekind, TKIND_DISPATCH);
    EXPECT_EQ(attr->guid, kIid);
    EXPECT_EQ(attr->wTypeFlags & (TYPEFLAG_FDUAL | TYPEFLAG_FDISPATCHABLE),
              TYPEFLAG_FDUAL | TYPEFLAG_FDISPATCHABLE);
    EXPECT_EQ(attr->lcid, 0u);
  }
  // The flags as compiled are those of the interface half.
  TComPtr<ITypeInfo> vtable = VtableInterface();
  ASSERT_TRUE(vtable);
  TypeAttr attr(vtable.Get());
  EXPECT_EQ(attr->typekind, TKIND_INTERFACE);
  EXPECT_EQ(attr->guid, kIid);
  EXPECT_EQ(attr->wTypeFlags, TYPEFLAG_FDUAL | TYPEFLAG_FOLEAUTOMATION | TYPEFLAG_FDISPATCHABLE);
  EXPECT_EQ(attr->cFuncs, 2);
  EXPECT_EQ(attr->cVars, 0);
  EXPECT_EQ(attr->cImplTypes, 1);
  // Nine entries: IUnknown's three, IDispatch's four, SetData, GetData. The library is for
  // 32 bits; in a 64-bit process Wine gives the size as compiled (while it scales the
  // methods' offsets), the system may scale it too.
  EXPECT_TRUE(attr->cbSizeVft == 9 * 4 || attr->cbSizeVft == 9 * sizeof(void*)) << attr->cbSizeVft;
}

TEST_F(TypeLibraryTest, InterfaceDerivesFromStdOleIDispatch) {
  TComPtr<ITypeInfo> vtable = VtableInterface();
  ASSERT_TRUE(vtable);
  TComPtr<ITypeInfo> base = RefType(vtable.Get(), 0);
  ASSERT_TRUE(base);
  {
    TypeAttr attr(base.Get());
    EXPECT_EQ(attr->guid, IID_IDispatch);
  }
  TComPtr<ITypeLib> imported;
  UINT index = 0;
  ASSERT_EQ(base->GetContainingTypeLib(imported.Put(), &index), S_OK);
  TLIBATTR* attr = nullptr;
  ASSERT_EQ(imported->GetLibAttr(&attr), S_OK);
  EXPECT_EQ(attr->guid, kStdOle);
  EXPECT_EQ(attr->wMajorVerNum, 2);
  EXPECT_EQ(attr->wMinorVerNum, 0);
  imported->ReleaseTLibAttr(attr);
}

struct MethodCase {
  MEMBERID Id;
  std::vector<std::wstring> Names;  // method, then parameters
  unsigned TableIndex;              // zero-based entry in the virtual table
};

TEST_F(TypeLibraryTest, MethodsTakeBstrsAndReturnVariantBoolDirectly) {
  TComPtr<ITypeInfo> vtable = VtableInterface();
  ASSERT_TRUE(vtable);
  const MethodCase cases[] = {{201, {L"SetData", L"chiave", L"valore"}, 7},
                              {202, {L"GetData", L"chiave"}, 8}};
  for (UINT i = 0; i < 2; ++i) {
    const MethodCase& c = cases[i];
    FUNCDESC* f = nullptr;
    ASSERT_EQ(vtable->GetFuncDesc(i, &f), S_OK);
    EXPECT_EQ(f->memid, c.Id);
    EXPECT_EQ(f->funckind, FUNC_PUREVIRTUAL);
    EXPECT_EQ(f->invkind, INVOKE_FUNC);
    EXPECT_EQ(f->callconv, CC_STDCALL);
    EXPECT_EQ(f->cParams, static_cast<SHORT>(c.Names.size() - 1));
    EXPECT_EQ(f->cParamsOpt, 0);
    EXPECT_EQ(f->cScodes, 0);
    EXPECT_EQ(f->wFuncFlags, 0);
    EXPECT_EQ(static_cast<size_t>(f->oVft), c.TableIndex * sizeof(void*)) << c.Names[0];
    EXPECT_EQ(f->elemdescFunc.tdesc.vt, VT_BOOL) << "result given directly, no HRESULT";
    for (SHORT p = 0; p < f->cParams; ++p) {
      EXPECT_EQ(f->lprgelemdescParam[p].tdesc.vt, VT_BSTR);
      EXPECT_EQ(f->lprgelemdescParam[p].paramdesc.wParamFlags, PARAMFLAG_FIN);
    }
    vtable->ReleaseFuncDesc(f);
    EXPECT_EQ(Names(vtable.Get(), c.Id), c.Names);
  }
}

TEST_F(TypeLibraryTest, NamesResolveToDispIds) {
  TComPtr<ITypeInfo> dispatch = Info(kIid);
  ASSERT_TRUE(dispatch);
  LPOLESTR setData[] = {const_cast<LPOLESTR>(L"setdata"), const_cast<LPOLESTR>(L"chiave"),
                        const_cast<LPOLESTR>(L"valore")};
  MEMBERID ids[3] = {};
  ASSERT_EQ(dispatch->GetIDsOfNames(setData, 3, ids), S_OK);
  EXPECT_EQ(ids[0], 201);
  EXPECT_EQ(ids[1], 0);
  EXPECT_EQ(ids[2], 1);
  LPOLESTR getData[] = {const_cast<LPOLESTR>(L"GetData"), const_cast<LPOLESTR>(L"chiave")};
  ASSERT_EQ(dispatch->GetIDsOfNames(getData, 2, ids), S_OK);
  EXPECT_EQ(ids[0], 202);
  EXPECT_EQ(ids[1], 0);
  LPOLESTR unknown[] = {const_cast<LPOLESTR>(L"Nessuno")};
  EXPECT_EQ(dispatch->GetIDsOfNames(unknown, 1, ids), DISP_E_UNKNOWNNAME);
}

TEST_F(TypeLibraryTest, CoclassIsCreatableWithTheInterfaceAsDefault) {
  TComPtr<ITypeInfo> coclass = Info(kClsid);
  ASSERT_TRUE(coclass);
  const Documentation d = Doc(coclass.Get());
  EXPECT_EQ(d.Name, L"QuirelApplication");
  EXPECT_EQ(d.DocString, L"QuirelApplication Object");
  {
    TypeAttr attr(coclass.Get());
    EXPECT_EQ(attr->typekind, TKIND_COCLASS);
    EXPECT_EQ(attr->guid, kClsid);
    EXPECT_EQ(attr->wTypeFlags, TYPEFLAG_FCANCREATE);
    EXPECT_EQ(attr->cImplTypes, 1);
  }
  INT flags = 0;
  ASSERT_EQ(coclass->GetImplTypeFlags(0, &flags), S_OK);
  EXPECT_EQ(flags, IMPLTYPEFLAG_FDEFAULT);
  TComPtr<ITypeInfo> intf = RefType(coclass.Get(), 0);
  ASSERT_TRUE(intf);
  TypeAttr attr(intf.Get());
  EXPECT_EQ(attr->guid, kIid);
}

}  // namespace
}  // namespace quirel
