// The engine command line the browser process builds from its own switches and the
// application object's properties.
#include <gtest/gtest.h>

#include "engine/CefApplicationCore.h"

namespace quirel {
namespace {

using Pairs = std::vector<std::pair<std::wstring, std::wstring>>;

Pairs ToPairs(const TSwitchList& list) {
  Pairs pairs;
  for (size_t i = 0; i < list.Names.size(); ++i) pairs.emplace_back(list.Names[i], list.Values[i]);
  return pairs;
}

TSwitchList FromPairs(const Pairs& pairs) {
  TSwitchList list;
  for (const auto& [name, value] : pairs) {
    list.Names.push_back(name);
    list.Values.push_back(value);
  }
  return list;
}

TEST(SetSwitchValue, ReplacesSwitchesOfTheCommandLineAndAppendsOthers) {
  struct Case {
    Pairs before;
    std::wstring name, value;
    Pairs after;
  };
  const Case cases[] = {
      // Stored without "--": found, value replaced.
      {{{L"enable-media-stream", L"0"}},
       L"--enable-media-stream",
       L"1",
       {{L"enable-media-stream", L"1"}}},
      // Without regard to case.
      {{{L"Enable-Media-Stream", L"0"}},
       L"--enable-media-stream",
       L"1",
       {{L"Enable-Media-Stream", L"1"}}},
      // Not there: appended as given, with its "--".
      {{{L"disable-gpu", L""}},
       L"--mute-audio",
       L"",
       {{L"disable-gpu", L""}, {L"--mute-audio", L""}}},
      // An added name keeps its "--", so a second add does not find it.
      {{{L"--mute-audio", L""}},
       L"--mute-audio",
       L"x",
       {{L"--mute-audio", L""}, {L"--mute-audio", L"x"}}},
      // A name given without "--" is looked up as it is.
      {{{L"lang", L"it"}}, L"lang", L"en", {{L"lang", L"en"}}},
  };
  for (const Case& c : cases) {
    TSwitchList list = FromPairs(c.before);
    SetSwitchValue(list, c.name, c.value);
    EXPECT_EQ(ToPairs(list), c.after) << std::string(c.name.begin(), c.name.end());
  }
}

TEST(MergeListSwitch, AppendsToAListOrAddsTheSwitch) {
  struct Case {
    Pairs before;
    std::wstring value;
    Pairs after;
  };
  const std::wstring name = L"--enable-features";
  const Case cases[] = {
      {{{L"enable-features", L"A"}}, L"B", {{L"enable-features", L"A,B"}}},
      {{{L"enable-features", L""}}, L"B", {{L"enable-features", L"B"}}},
      {{{L"enable-features", L"A"}}, L"", {{L"enable-features", L"A"}}},
      {{}, L"B", {{L"--enable-features", L"B"}}},
  };
  for (const Case& c : cases) {
    TSwitchList list = FromPairs(c.before);
    MergeListSwitch(list, name, c.value);
    EXPECT_EQ(ToPairs(list), c.after);
  }
}

class PropertySwitches : public ::testing::Test {
 protected:
  Pairs Build(const Pairs& existing = {}) {
    TSwitchList list = FromPairs(existing);
    app.AddPropertySwitches(list);
    return ToPairs(list);
  }
  TCefApplicationCore app;
};

TEST_F(PropertySwitches, ThisProgramsConfigurationAddsFlashMediaAndSpeech) {
  app.EnableGPU = true;
  app.SetCache(L"C:\\cache");
  EXPECT_EQ(Build({{L"lang", L"it"}}), (Pairs{{L"lang", L"it"},
                                              {L"--enable-gpu-plugin", L""},
                                              {L"--enable-accelerated-plugins", L""},
                                              {L"--enable-system-flash", L""},
                                              {L"--enable-media-stream", L"1"},
                                              {L"--enable-speech-input", L"1"}}));
}

TEST_F(PropertySwitches, ExistingSwitchesAreUpdatedNotRemoved) {
  app.EnableGPU = true;
  app.SetCache(L"C:\\cache");
  const Pairs result = Build({{L"enable-media-stream", L"0"}, {L"disable-gpu", L""}});
  EXPECT_EQ(result[0], (std::pair<std::wstring, std::wstring>{L"enable-media-stream", L"1"}));
  EXPECT_EQ(result[1], (std::pair<std::wstring, std::wstring>{L"disable-gpu", L""}));
  EXPECT_EQ(result.size(), 2u + 4u);  // the media-stream switch was not added again
}

TEST_F(PropertySwitches, DefaultsOfTheClassDisableGpuAndTheShaderCacheWithoutCache) {
  // EnableGPU is off by default and Cache empty.
  const Pairs result = Build();
  EXPECT_EQ(result, (Pairs{{L"--enable-accelerated-plugins", L""},
                           {L"--enable-system-flash", L""},
                           {L"--enable-media-stream", L"1"},
                           {L"--enable-speech-input", L"1"},
                           {L"--disable-gpu", L""},
                           {L"--disable-gpu-compositing", L""},
                           {L"--disable-gpu-shader-disk-cache", L""}}));
}

TEST_F(PropertySwitches, PropertiesGiveTheirSwitchesInOrder) {
  app.EnableGPU = true;
  app.SetCache(L"C:\\cache");
  app.FlashEnabled = false;
  app.EnableMediaStream = false;
  app.EnableSpeechInput = false;
  app.UseFakeUIForMediaStream = true;
  app.EnableUsermediaScreenCapturing = true;
  app.SingleProcess = true;
  app.SmoothScrolling = STATE_DISABLED;
  app.TouchEvents = STATE_ENABLED;
  app.DisableReadingFromCanvas = true;
  app.HyperlinkAuditing = false;
  app.AutoplayPolicy = appNoUserGestureRequired;
  app.FastUnload = true;
  app.DisableSafeBrowsing = true;
  app.MuteAudio = true;
  app.DisableNewBrowserInfoTimeout = true;
  app.DevToolsProtocolLogFile = L"log.txt";
  app.PluginPolicy = PLUGIN_POLICY_SWITCH_BLOCK;
  app.DefaultEncoding = L"utf-8";
  app.DisableJavascript = true;
  app.DisableSpellChecking = true;
  app.OverrideSpellCheckLang = L"it";
  app.EnableFeatures = L"A";
  app.DisableBlinkFeatures = L"B";
  app.BlinkSettings = L"c=1";
  app.ForceFieldTrialParams = L"p";
  app.AddCustomCommandLine(L"--custom", L"v");
  app.AddCustomCommandLine(L"--custom", L"w");
  EXPECT_EQ(Build(), (Pairs{{L"--enable-media-stream", L"0"},
                            {L"--enable-speech-input", L"0"},
                            {L"--use-fake-ui-for-media-stream", L""},
                            {L"--enable-usermedia-screen-capturing", L""},
                            {L"--single-process", L""},
                            {L"--disable-smooth-scrolling", L""},
                            {L"--touch-events", L"enabled"},
                            {L"--disable-reading-from-canvas", L""},
                            {L"--no-pings", L""},
                            {L"--autoplay-policy", L"no-user-gesture-required"},
                            {L"--enable-fast-unload", L""},
                            {L"--disable-client-side-phishing-detection", L""},
                            {L"--safebrowsing-disable-auto-update", L""},
                            {L"--safebrowsing-disable-download-protection", L""},
                            {L"--mute-audio", L""},
                            {L"--disable-new-browser-info-timeout", L""},
                            {L"--devtools-protocol-log-file", L"log.txt"},
                            {L"--plugin-policy", L"block"},
                            {L"--default-encoding", L"utf-8"},
                            {L"--disable-javascript", L""},
                            {L"--disable-spell-checking", L""},
                            {L"--override-spell-check-lang", L"it"},
                            {L"--enable-features", L"A"},
                            {L"--disable-blink-features", L"B"},
                            {L"--blink-settings", L"c=1"},
                            {L"--force-fieldtrial-params", L"p"},
                            {L"--custom", L"v"},
                            {L"--custom", L"w"}}));
}

TEST_F(PropertySwitches, EnableFeaturesMergesWithTheCommandLinesList) {
  app.EnableFeatures = L"B";
  const Pairs result = Build({{L"enable-features", L"A"}});
  EXPECT_EQ(result[0], (std::pair<std::wstring, std::wstring>{L"enable-features", L"A,B"}));
  for (size_t i = 1; i < result.size(); ++i) EXPECT_NE(result[i].first, L"--enable-features");
}

TEST_F(PropertySwitches, CustomListsOfDifferentLengthsAddNothing) {
  app.CustomSwitchNames() = {L"--one", L"--two"};
  app.CustomSwitchValues() = {L"1"};
  for (const auto& [name, value] : Build()) {
    EXPECT_NE(name, L"--one");
    EXPECT_NE(name, L"--two");
  }
}

}  // namespace
}  // namespace quirel
