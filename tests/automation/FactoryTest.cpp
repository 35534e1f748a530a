// The class factory's refusals: type information that does not fit the class (module
// initialisation stops with these messages), and an object that cannot be created.
#include <gtest/gtest.h>

#include "DialogWatcher.h"
#include "InProcessServer.h"
#include "automation/OleErrors.h"
#include "common/Globals.h"

namespace quirel::test {
namespace {

GUID Guid(const wchar_t* text) {
  GUID guid{};
  EXPECT_EQ(CLSIDFromString(text, &guid), S_OK);
  return guid;
}

std::wstring MisfitLibrary() {
  return ExtractFilePath(ExecutableFullPath()) + L"automation_misfit.tlb";
}

using FactoryTest = InProcessServer;

TEST_F(FactoryTest, RefusesTypeInformationThatDoesNotFitTheClass) {
  struct Case {
    GUID ClassId;
    std::wstring Message;
  };
  const Case cases[] = {
      {CLSID_QuirelApplication, L"Type information missing for class TQuirelApplication"},
      {Guid(L"{5D0C1C43-8E0B-4F1B-9C2E-3A6B1F0D2E73}"),
       L"Incorrect type information for class TQuirelApplication"},
      {Guid(L"{5D0C1C43-8E0B-4F1B-9C2E-3A6B1F0D2E74}"),
       L"Dispatch interface missing from class TQuirelApplication"},
  };
  for (const Case& c : cases) {
    TComServer server({}, MisfitLibrary());
    try {
      TAutoObjectFactory::Create(server, TQuirelApplication::Class, c.ClassId, ciMultiInstance,
                                 tmApartment);
      ADD_FAILURE() << "accepted: " << testing::PrintToString(c.Message);
    } catch (const EOleError& e) {
      EXPECT_EQ(e.Message(), c.Message);
    }
  }
}

TEST_F(FactoryTest, ALibraryThatCannotBeLoadedIsASystemError) {
  TComServer server({}, ExtractFilePath(ExecutableFullPath()) + L"nessuna-libreria.tlb");
  try {
    CreateQuirelApplicationFactory(server);
    ADD_FAILURE() << "no error";
  } catch (const EOleSysError& e) {
    EXPECT_TRUE(FAILED(e.ErrorCode()));
    EXPECT_FALSE(e.Message().empty());
  }
}

TEST(DaxErrorText, EndsWithOneFullStop) {
  EXPECT_EQ(DaxErrorText(L"Oggetto non creato"), L"Oggetto non creato.");
  EXPECT_EQ(DaxErrorText(L"Oggetto non creato."), L"Oggetto non creato.");
  EXPECT_EQ(DaxErrorText(L"Memoria esaurita!"), L"Memoria esaurita!.");
  EXPECT_EQ(DaxErrorText(L""), L".");
}

IUnknown* FailToCreate(TAutoObjectFactory&, IUnknown*) { throw Exception(L"Oggetto non creato"); }
IUnknown* FailStrangely(TAutoObjectFactory&, IUnknown*) { throw 42; }

const TAutoClass kFailingClass = {L"TQuirelApplication", IID_IQuirelApplication, &FailToCreate};
const TAutoClass kStrangeClass = {L"TQuirelApplication", IID_IQuirelApplication, &FailStrangely};

TEST_F(FactoryTest, AFailedCreationIsShownAsDaxError) {
  TComPtr<TAutoObjectFactory> factory = TAutoObjectFactory::Create(
      *FServer, kFailingClass, CLSID_QuirelApplication, ciMultiInstance, tmApartment);
  DialogWatcher watcher(IDOK);
  void* object = reinterpret_cast<void*>(1);
  EXPECT_EQ(factory->CreateInstance(nullptr, IID_IQuirelApplication, &object), E_UNEXPECTED);
  EXPECT_EQ(object, nullptr);
  watcher.Join();
  ASSERT_TRUE(watcher.Seen());
  EXPECT_EQ(watcher.Info().Caption, L"DAX Error");
  EXPECT_EQ(watcher.Info().Text, L"Oggetto non creato.");
  EXPECT_EQ(watcher.Info().Icon, IDI_ERROR);
  EXPECT_EQ(watcher.Info().Owner, nullptr);
  EXPECT_EQ(FServer->ObjectCount(), 0);
}

TEST_F(FactoryTest, AFailureWithoutMessageIsUnexpectedOnly) {
  TComPtr<TAutoObjectFactory> factory = TAutoObjectFactory::Create(
      *FServer, kStrangeClass, CLSID_QuirelApplication, ciMultiInstance, tmApartment);
  DialogWatcher watcher(IDOK, 1500);
  void* object = nullptr;
  EXPECT_EQ(factory->CreateInstance(nullptr, IID_IQuirelApplication, &object), E_UNEXPECTED);
  watcher.Join();
  EXPECT_FALSE(watcher.Seen());
}

}  // namespace
}  // namespace quirel::test
