// The server object in the test's process: the end of a COM-started program with its last
// object, the close prompt, and the hooks into the UI application object.
#include <gtest/gtest.h>

#include "DialogWatcher.h"
#include "InProcessServer.h"
#include "ui/kit/Application.h"

namespace quirel::test {
namespace {

using ServerObjectTest = InProcessServer;

TEST_F(ServerObjectTest, LastReleaseEndsOnlyAProgramStartedByCom) {
  struct Case {
    std::vector<std::wstring> Arguments;
    bool Quits;
  };
  for (const Case& c :
       {Case{{}, false}, Case{{L"-Embedding"}, true}, Case{{L"/Automation"}, true}}) {
    StartServer(c.Arguments);
    std::vector<bool> raised;
    FServer->OnLastRelease = [&raised](bool& shutdown) { raised.push_back(shutdown); };
    TComPtr<IQuirelApplication> first = NewObject();
    TComPtr<IQuirelApplication> second = NewObject();
    first.Reset();
    EXPECT_TRUE(raised.empty());
    EXPECT_FALSE(QuitPosted());
    second.Reset();
    EXPECT_EQ(raised, std::vector<bool>{c.Quits});
    EXPECT_EQ(QuitPosted(), c.Quits);
  }
}

TEST_F(ServerObjectTest, TheLastReleaseHandlerMayKeepTheProgramRunning) {
  StartServer({L"-Embedding"});
  FServer->OnLastRelease = [](bool& shutdown) { shutdown = false; };
  NewObject().Reset();
  EXPECT_FALSE(QuitPosted());
}

TEST_F(ServerObjectTest, UnlockingTheLastLockEndsAComStartedProgram) {
  StartServer({L"-Embedding"});
  ASSERT_EQ(FFactory->LockServer(TRUE), S_OK);
  TComPtr<IQuirelApplication> object = NewObject();
  ASSERT_EQ(FFactory->LockServer(FALSE), S_OK);
  EXPECT_FALSE(QuitPosted());
  object.Reset();
  EXPECT_TRUE(QuitPosted());
}

TEST_F(ServerObjectTest, ClosePromptOnlyWhileObjectsLive) {
  EXPECT_TRUE(FServer->CanTerminate()) << "no objects, no question";
  TComPtr<IQuirelApplication> object = NewObject();
  {
    DialogWatcher watcher(IDNO);
    EXPECT_FALSE(FServer->CanTerminate());
    watcher.Join();
    ASSERT_TRUE(watcher.Seen());
    EXPECT_EQ(watcher.Info().Caption, L"COM Server Warning");
    EXPECT_EQ(watcher.Info().Text,
              L"There are still active COM objects in this application.  One or more clients may "
              L"have references to these objects, so manually closing this application may cause "
              L"those client application(s) to fail.\r\n\r\nAre you sure you want to close this "
              L"application?");
    EXPECT_EQ(watcher.Info().Icon, IDI_WARNING);
    EXPECT_EQ(watcher.Info().Owner, nullptr);
    EXPECT_EQ(watcher.DefaultButtonId(), IDNO);
  }
  {
    DialogWatcher watcher(IDYES);
    EXPECT_TRUE(FServer->CanTerminate());
    watcher.Join();
    EXPECT_TRUE(watcher.Seen());
  }
  FServer->SetUIInteractive(false);
  EXPECT_TRUE(FServer->CanTerminate()) << "not interactive, no question";
}

// With the UI application object: the start-up step runs behind COM's initialisation and
// publishes the class object; Terminate asks the close prompt.
class ServerInApplicationTest : public InProcessServer {
 protected:
  void SetUp() override {
    ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
    kit::CreateApplication();
    StartServer({});
  }
  void TearDown() override {
    InProcessServer::TearDown();
    kit::DestroyApplication();
  }
};

TEST_F(ServerInApplicationTest, InitializePublishesTheClassObjectSuspendedThenResumed) {
  ASSERT_TRUE(kit::Application->ComInitFlags.has_value());
  EXPECT_EQ(*kit::Application->ComInitFlags, static_cast<DWORD>(COINIT_APARTMENTTHREADED));
  kit::Application->Initialize();
  EXPECT_TRUE(FServer->StartSuspended());
  // Registered in this apartment, the class object comes back as itself.
  TComPtr<IClassFactory> published;
  ASSERT_EQ(CoGetClassObject(CLSID_QuirelApplication, CLSCTX_LOCAL_SERVER, nullptr,
                             IID_IClassFactory, published.PutVoid()),
            S_OK);
  EXPECT_EQ(published.Get(), static_cast<IClassFactory*>(FFactory.Get()));
}

TEST_F(ServerInApplicationTest, RefusedTerminationKeepsTheMainFormShown) {
  kit::TForm* main = kit::Application->CreateForm<kit::TForm>(L"Prova");
  main->Show();
  TComPtr<IQuirelApplication> object = NewObject();
  // The close sequence has hidden the window when the question comes.
  main->Hide();
  {
    DialogWatcher watcher(IDNO);
    EXPECT_FALSE(kit::Application->Terminate());
    watcher.Join();
    EXPECT_TRUE(watcher.Seen());
  }
  EXPECT_TRUE(main->Visible());
  EXPECT_FALSE(QuitPosted());
  {
    DialogWatcher watcher(IDYES);
    EXPECT_TRUE(kit::Application->Terminate());
    watcher.Join();
    EXPECT_TRUE(watcher.Seen());
  }
  EXPECT_TRUE(QuitPosted());
  object.Reset();
  EXPECT_TRUE(kit::Application->Terminate()) << "no objects left, no question";
  EXPECT_TRUE(QuitPosted());
}

}  // namespace
}  // namespace quirel::test
