// Loading the stand-in engine of the run folder: every entry point resolved. A program of
// its own, because the loaded libcef.dll stays in the process.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>

#include "RecordingApp.h"
#include "engine/capi/CefEntryPoints.h"

namespace quirel {
namespace {

TEST(LoadEngineLibrary, ResolvesEveryEntryPointOfTheStandInEngine) {
  const std::wstring folder = ExecutableFolder() + L"plugin\\cef";
  ASSERT_TRUE(test::Exists(folder + L"\\libcef.dll")) << "the build lays out the stand-in engine";
  test::RecordingApp app;
  app.EnableHighDPISupport = true;
  app.SetFrameworkDirPath(folder);
  ASSERT_TRUE(app.LoadEngineLibrary());
  EXPECT_TRUE(app.messages.empty());
  EXPECT_EQ(app.Status(), asLoaded);
  EXPECT_TRUE(app.LibLoaded());
  EXPECT_EQ(app.LibHandle(), GetModuleHandleW((folder + L"\\libcef.dll").c_str()));
  EXPECT_NE(app.LibHandle(), nullptr);
  for (const TCefEntryPointInfo& entry : kCefEntryPoints) {
    void* address = nullptr;
    std::memcpy(&address, reinterpret_cast<const char*>(&g_cef) + entry.offset, sizeof address);
    EXPECT_NE(address, nullptr) << entry.name;
  }

  // Once loaded, never again.
  EXPECT_FALSE(app.LoadEngineLibrary());
  EXPECT_EQ(app.messages,
            std::vector<std::wstring>{L"GlobalCEFApp can only be initialized once per process."});
  EXPECT_EQ(app.Status(), asErrorLoadingLibrary);
}

}  // namespace
}  // namespace quirel
