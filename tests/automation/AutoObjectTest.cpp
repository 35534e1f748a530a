// TQuirelApplication in the test's own apartment: its interfaces, aggregation, IDispatch
// served from the type library, the calls themselves and the server's object count.
#include <gtest/gtest.h>

#include <atomic>

#include "InProcessServer.h"

namespace quirel::test {
namespace {

using AutoObjectTest = InProcessServer;

// An aggregate that keeps TQuirelApplication inside, counting the references it is given.
class TOuter final : public IUnknown {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override {
    if (riid == IID_IUnknown) {
      *object = this;
      AddRef();
      return S_OK;
    }
    return Inner ? Inner->QueryInterface(riid, object) : E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++Count; }
  ULONG STDMETHODCALLTYPE Release() override { return --Count; }

  std::atomic<ULONG> Count{1};
  TComPtr<IUnknown> Inner;
};

TEST_F(AutoObjectTest, FactoryDescribesTheClassFromTheTypeLibrary) {
  EXPECT_EQ(FFactory->ClassName(), L"QuirelApplication");
  EXPECT_EQ(FFactory->Description(), L"QuirelApplication Object");
  EXPECT_EQ(FFactory->ProgId(), L"QuirelCloud.QuirelApplication");
  EXPECT_EQ(FFactory->ClassId(), CLSID_QuirelApplication);
  EXPECT_EQ(FFactory->Instancing(), ciMultiInstance);
  EXPECT_EQ(FFactory->ThreadingModel(), tmApartment);
  EXPECT_EQ(FServer->ServerName(), L"QuirelCloud");
  TBStr name;
  ASSERT_EQ(FFactory->DispTypeInfo()->GetDocumentation(MEMBERID_NIL, name.Put(), nullptr, nullptr,
                                                       nullptr),
            S_OK);
  EXPECT_EQ(name.Text(), L"IQuirelApplication");
}

TEST_F(AutoObjectTest, EachObjectCountsWhileItLives) {
  EXPECT_EQ(FServer->ObjectCount(), 0);
  TComPtr<IQuirelApplication> first = NewObject();
  ASSERT_TRUE(first);
  EXPECT_EQ(FServer->ObjectCount(), 1);
  TComPtr<IQuirelApplication> second = NewObject();
  EXPECT_EQ(FServer->ObjectCount(), 2);
  TComPtr<IDispatch> dispatch;
  ASSERT_EQ(first->QueryInterface(IID_IDispatch, dispatch.PutVoid()), S_OK);
  first.Reset();
  EXPECT_EQ(FServer->ObjectCount(), 2) << "still held through IDispatch";
  dispatch.Reset();
  EXPECT_EQ(FServer->ObjectCount(), 1);
  second.Reset();
  EXPECT_EQ(FServer->ObjectCount(), 0);
}

TEST_F(AutoObjectTest, ServesIUnknownIDispatchAndItsInterfaceOnly) {
  TComPtr<IQuirelApplication> object = NewObject();
  ASSERT_TRUE(object);
  TComPtr<IUnknown> fromObject, fromDispatch;
  TComPtr<IDispatch> dispatch;
  EXPECT_EQ(object->QueryInterface(IID_IUnknown, fromObject.PutVoid()), S_OK);
  EXPECT_EQ(object->QueryInterface(IID_IDispatch, dispatch.PutVoid()), S_OK);
  ASSERT_TRUE(dispatch);
  EXPECT_EQ(dispatch->QueryInterface(IID_IUnknown, fromDispatch.PutVoid()), S_OK);
  EXPECT_EQ(fromObject.Get(), fromDispatch.Get()) << "one identity";
  void* other = reinterpret_cast<void*>(1);
  for (const IID& iid : {IID_IClassFactory, IID_ISupportErrorInfo, IID_IPersist})
    EXPECT_EQ(object->QueryInterface(iid, &other), E_NOINTERFACE);
  EXPECT_EQ(other, nullptr);
}

TEST_F(AutoObjectTest, AggregateGetsTheObjectOnlyThroughIUnknown) {
  TOuter outer;
  void* object = reinterpret_cast<void*>(1);
  for (const IID& iid : {IID_IDispatch, IID_IQuirelApplication}) {
    EXPECT_EQ(FFactory->CreateInstance(&outer, iid, &object), CLASS_E_NOAGGREGATION);
    EXPECT_EQ(object, nullptr);
  }
  EXPECT_EQ(FServer->ObjectCount(), 0);

  ASSERT_EQ(FFactory->CreateInstance(&outer, IID_IUnknown, outer.Inner.PutVoid()), S_OK);
  EXPECT_EQ(FServer->ObjectCount(), 1);
  {
    TComPtr<IQuirelApplication> intf;
    ASSERT_EQ(outer.Inner->QueryInterface(IID_IQuirelApplication, intf.PutVoid()), S_OK);
    EXPECT_EQ(outer.Count.load(), 2u) << "the interface's reference is the aggregate's";
    TComPtr<IUnknown> identity;
    ASSERT_EQ(intf->QueryInterface(IID_IUnknown, identity.PutVoid()), S_OK);
    EXPECT_EQ(identity.Get(), static_cast<IUnknown*>(&outer));
    EXPECT_EQ(intf->SetData(nullptr, nullptr), VARIANT_FALSE);
  }
  EXPECT_EQ(outer.Count.load(), 1u);
  outer.Inner.Reset();
  EXPECT_EQ(FServer->ObjectCount(), 0);
}

TEST_F(AutoObjectTest, CreateInstanceRefusesWhatItCannotGive) {
  EXPECT_EQ(FFactory->CreateInstance(nullptr, IID_IQuirelApplication, nullptr), E_POINTER);
  void* object = reinterpret_cast<void*>(1);
  EXPECT_EQ(FFactory->CreateInstance(nullptr, IID_IClassFactory, &object), E_NOINTERFACE);
  EXPECT_EQ(object, nullptr);
  EXPECT_EQ(FServer->ObjectCount(), 0) << "the object went with the refusal";
}

TEST_F(AutoObjectTest, MethodsAcceptTheirArgumentsAndAnswerFalse) {
  TComPtr<IQuirelApplication> object = NewObject();
  ASSERT_TRUE(object);
  TBStr key(L"chiave"), value(L"valore");
  EXPECT_EQ(object->SetData(key.Get(), value.Get()), VARIANT_FALSE);
  EXPECT_EQ(object->GetData(key.Get()), VARIANT_FALSE);
  EXPECT_EQ(object->SetData(nullptr, nullptr), VARIANT_FALSE);
  EXPECT_EQ(object->GetData(nullptr), VARIANT_FALSE);
  EXPECT_EQ(key.Text(), L"chiave");
  EXPECT_EQ(value.Text(), L"valore");
}

TEST_F(AutoObjectTest, TypeInformationComesFromTheLibrary) {
  TComPtr<IQuirelApplication> object = NewObject();
  ASSERT_TRUE(object);
  UINT count = 0;
  EXPECT_EQ(object->GetTypeInfoCount(&count), S_OK);
  EXPECT_EQ(count, 1u);
  TComPtr<ITypeInfo> info;
  EXPECT_EQ(object->GetTypeInfo(0, 0, info.Put()), S_OK);
  EXPECT_EQ(info.Get(), FFactory->DispTypeInfo());
  for (UINT index : {1u, 2u, 0xFFFFFFFFu}) {
    ITypeInfo* none = reinterpret_cast<ITypeInfo*>(1);
    EXPECT_EQ(object->GetTypeInfo(index, 0, &none), DISP_E_BADINDEX);
    EXPECT_EQ(none, nullptr);
  }
}

TEST_F(AutoObjectTest, NamesResolveThroughTheTypeInformation) {
  TComPtr<IQuirelApplication> object = NewObject();
  ASSERT_TRUE(object);
  LPOLESTR names[] = {const_cast<LPOLESTR>(L"SetData"), const_cast<LPOLESTR>(L"valore"),
                      const_cast<LPOLESTR>(L"chiave")};
  DISPID ids[3] = {};
  ASSERT_EQ(object->GetIDsOfNames(IID_NULL, names, 3, 0, ids), S_OK);
  EXPECT_EQ(ids[0], 201);
  EXPECT_EQ(ids[1], 1);
  EXPECT_EQ(ids[2], 0);
  names[0] = const_cast<LPOLESTR>(L"GETDATA");
  ASSERT_EQ(object->GetIDsOfNames(IID_NULL, names, 1, 0, ids), S_OK);
  EXPECT_EQ(ids[0], 202);
  names[0] = const_cast<LPOLESTR>(L"Cancella");
  EXPECT_EQ(object->GetIDsOfNames(IID_NULL, names, 1, 0, ids), DISP_E_UNKNOWNNAME);
  EXPECT_EQ(ids[0], DISPID_UNKNOWN);
}

// Invoke's arguments come last to first.
HRESULT Call(IDispatch* object, DISPID member, WORD flags, std::vector<VARIANT> arguments,
             VARIANT* result) {
  DISPPARAMS params{arguments.data(), nullptr, static_cast<UINT>(arguments.size()), 0};
  EXCEPINFO exception{};
  UINT argError = 0;
  VariantInit(result);
  return object->Invoke(member, IID_NULL, 0, flags, &params, result, &exception, &argError);
}

VARIANT Bstr(const TBStr& text) {
  VARIANT v;
  VariantInit(&v);
  v.vt = VT_BSTR;
  v.bstrVal = text.Get();
  return v;
}

TEST_F(AutoObjectTest, InvokeCallsTheMethodsThroughTheirDispIds) {
  TComPtr<IQuirelApplication> object = NewObject();
  ASSERT_TRUE(object);
  TBStr key(L"chiave"), value(L"valore");
  VARIANT result;
  EXPECT_EQ(Call(object.Get(), 201, DISPATCH_METHOD, {Bstr(value), Bstr(key)}, &result), S_OK);
  EXPECT_EQ(result.vt, VT_BOOL);
  EXPECT_EQ(result.boolVal, VARIANT_FALSE);
  EXPECT_EQ(Call(object.Get(), 202, DISPATCH_METHOD, {Bstr(key)}, &result), S_OK);
  EXPECT_EQ(result.vt, VT_BOOL);
  EXPECT_EQ(result.boolVal, VARIANT_FALSE);
  // The type information checks the calls.
  EXPECT_EQ(Call(object.Get(), 201, DISPATCH_METHOD, {Bstr(key)}, &result), DISP_E_BADPARAMCOUNT);
  EXPECT_EQ(Call(object.Get(), 203, DISPATCH_METHOD, {}, &result), DISP_E_MEMBERNOTFOUND);
}

TEST_F(AutoObjectTest, PutAndPutByReferenceAreOneKindOfCall) {
  TComPtr<IQuirelApplication> object = NewObject();
  ASSERT_TRUE(object);
  TBStr key(L"chiave");
  VARIANT result;
  const HRESULT put = Call(object.Get(), 202, DISPATCH_PROPERTYPUT, {Bstr(key)}, &result);
  const HRESULT putRef = Call(object.Get(), 202, DISPATCH_PROPERTYPUTREF, {Bstr(key)}, &result);
  // The interface has methods only: neither reaches one.
  EXPECT_EQ(put, DISP_E_MEMBERNOTFOUND);
  EXPECT_EQ(putRef, put);
}

TEST_F(AutoObjectTest, LockServerCountsLikeAnObject) {
  EXPECT_EQ(FFactory->LockServer(TRUE), S_OK);
  EXPECT_EQ(FServer->ObjectCount(), 1);
  EXPECT_EQ(FFactory->LockServer(TRUE), S_OK);
  EXPECT_EQ(FServer->ObjectCount(), 2);
  EXPECT_EQ(FFactory->LockServer(FALSE), S_OK);
  EXPECT_EQ(FFactory->LockServer(FALSE), S_OK);
  EXPECT_EQ(FServer->ObjectCount(), 0);
}

}  // namespace
}  // namespace quirel::test
