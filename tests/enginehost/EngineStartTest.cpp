// The browser process's start path with the stand-in engine of the run folder.
#include <windows.h>

#include <gtest/gtest.h>

#include "RecordingApp.h"

namespace quirel {
namespace {

TEST(StartMainProcess, InitialisesTheEngineOnceAndTheContextArrivesByItself) {
  const std::wstring folder = ExecutableFolder() + L"plugin\\cef";
  ASSERT_TRUE(test::Exists(folder + L"\\libcef.dll")) << "the build lays out the stand-in engine";
  {
    test::RecordingApp app;
    app.SetFrameworkDirPath(folder);
    app.SetResourcesDirPath(folder);
    app.SetLocalesDirPath(folder + L"\\locales");
    bool contextEvent = false;
    app.OnContextInitialized = [&] { contextEvent = true; };
    // Before the engine runs, the write is dropped (a call would reach no engine).
    app.SetOsmodalLoop(true);

    ASSERT_TRUE(app.StartMainProcess());
    EXPECT_TRUE(app.messages.empty());
    EXPECT_EQ(app.Status(), asInitialized);
    // No message pumping here: the engine's own thread reports the context.
    for (int i = 0; i < 100 && !app.GlobalContextInitialized(); ++i) Sleep(50);
    EXPECT_TRUE(app.GlobalContextInitialized());
    EXPECT_TRUE(contextEvent);

    // The engine starts once per object.
    EXPECT_FALSE(app.StartMainProcess());
    EXPECT_EQ(app.Status(), asInitialized);
  }
  EXPECT_EQ(GlobalCEFApp, nullptr);
}

TEST(StartMainProcess, AFailedStartIsNotRetried) {
  test::RecordingApp app;
  app.SetFrameworkDirPath(L"C:\\no\\such\\folder");
  EXPECT_FALSE(app.StartMainProcess());
  EXPECT_EQ(app.Status(), asErrorMissingFiles);
  const size_t shown = app.messages.size();
  EXPECT_FALSE(app.StartMainProcess());
  EXPECT_EQ(app.messages.size(), shown) << "a second start does nothing";
  EXPECT_EQ(app.Status(), asErrorMissingFiles);
}

}  // namespace
}  // namespace quirel
