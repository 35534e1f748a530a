// The renderer's script engine, driven as the browser process drives it:
// pages in, the pages' doings out, and the engine's trace.
#include <gtest/gtest.h>

#include "RendererSession.h"

namespace script_test {
namespace {

using Type = RendererMessage::Type;
using Strings = std::vector<std::wstring>;

constexpr wchar_t kUrl[] = L"https://example.test/page.html";

TEST(ScriptRenderer, ExtensionAndContextCallbackComeBeforeThePageScripts) {
  RendererSession renderer;
  ASSERT_TRUE(renderer.ready());
  const auto messages = renderer.Show(
      1, kUrl,
      {L"console.log(typeof testExtensionRan, testExtensionRan, contextCreated);",
       L"console.log(window === this, typeof window.ext, Object.keys(window).indexOf('__quirelNativeFunction'));"});
  EXPECT_EQ(Logs(messages), (Strings{L"log:boolean true https://example.test/page.html 1 1",
                                     L"log:true object -1"}));
  const auto trace = renderer.Trace();
  const int created = standin_test::IndexOf(trace, "render_process_handler.on_context_created");
  ASSERT_GE(created, 0);
  // Extension first (it runs in the context before the callback), page scripts after.
  EXPECT_LT(standin_test::IndexOf(trace, "renderer.page"), created);
  EXPECT_LT(created, standin_test::IndexOf(trace, "renderer.page_done"));
  EXPECT_EQ(standin_test::Named(trace, "renderer.extensions").at(0)["args"]["names"].array.at(0).string,
            "v8/test");
}

TEST(ScriptRenderer, NativeFunctionsGetTheirReceiverAndArguments) {
  RendererSession renderer;
  ASSERT_TRUE(renderer.ready());
  const auto messages = renderer.Show(
      1, kUrl,
      {LR"(console.log(ext.describe(5, -3, 3000000000, 2.5, -0, 'abc', true, false, null, undefined,
                                    new Date(Date.UTC(2020, 0, 2, 3, 4, 5, 6)), [1, 2, 3], {a: 1},
                                    function named() {}));)",
       L"var plain = ext.describe; console.log(plain());",
       L"console.log(bridgeLike);"});
  EXPECT_EQ(Logs(messages),
            (Strings{L"log:this=object int(5,uint) int(-3) uint(3000000000) double(2.5) double(-0) "
                     L"string(abc) bool(true) bool(false) null undefined "
                     L"date(2020-01-02T03:04:05.006Z/4) array(3) object function(named)",
                     L"log:this=global", L"log:getter on global"}));
}

TEST(ScriptRenderer, ValuesTheProgramMakesReachThePage) {
  RendererSession renderer;
  ASSERT_TRUE(renderer.ready());
  const struct {
    const wchar_t* expression;
    const wchar_t* logged;
  } cases[] = {
      {L"typeof ext.make('int') + ' ' + ext.make('int')", L"number -7"},
      {L"ext.make('uint')", L"4000000000"},
      {L"ext.make('double')", L"2.5"},
      {L"ext.make('bool') === true", L"true"},
      {L"ext.make('string') + ' ' + ext.make('string').length", L"h\u00e9llo \u2603 \U0001D11E 10"},
      {L"ext.make('null') === null", L"true"},
      {L"ext.make('undefined') === undefined && 'undefined' in {undefined: 1}", L"true"},
      {L"ext.make('date') instanceof Date && ext.make('date').toISOString()", L"2021-03-04T05:06:07.089Z"},
      {L"JSON.stringify(ext.make('object'))", LR"({"a":1,"b":"x"})"},
      {L"(function(o){ o.fixed = 9; return o.hidden + o.fixed; })(ext.make('object'))", L"5"},
      {L"JSON.stringify(ext.make('array')) + Array.isArray(ext.make('array'))", LR"([1,"two",3.5]true)"},
      {L"ext.make('function')(2, 3.5) + ' ' + ext.make('function').name", L"5.5 sum"},
      {L"(function () { var o = {}; return ext.echo(o) === o; })()", L"true"},
      {L"ext.echo('same') + ext.echo(41.5)", L"same41.5"},
      {L"ext.sum(1, 2.25, 3)", L"6.25"},
      {L"typeof ext.nothing()", L"undefined"},
      {L"typeof ext.declining()", L"undefined"},
      {L"typeof ext.unknownName", L"undefined"},
      {L"ext.call(function (a, b) { return a * b; }, 6, 7)", L"42"},
      {L"ext.call(function () { throw new Error('inner'); })",
       L"exception:Uncaught Error: inner has=1"},
      {L"(function () { try { return ext.rethrowing(function () { throw new Error('again'); }); }"
       L"  catch (e) { return 'caught ' + e.message; } })()", L"caught again"},
      {L"ext.keys({x: 1, y: 2, 3: 'z'})", L"3,x,y"},
      {L"ext.keys(ext.make('object'))", L"a,b"},
      {L"(function () { var d = {}; return ext.define(d) + ' ' + d.answer; })()", L"true 42"},
      {L"(function () { var a = ext.make('accessor'); a.value = 5; return a.value + ' ' + Object.keys(a); })()",
       L"15 value,bad"},
      {L"(function () { try { return ext.make('accessor').bad; } catch (e) { return e.message; } })()",
       L"accessor refused"},
      {L"(function () { var o = ext.make('intercepted'); o.plain = 3; o.sink = 4;"
       L"  return [o.magic, o[21], o.plain, String(o.sink), typeof o.missing, ext.tag(o, 5), ext.readTag(o)].join(); })()",
       L"magic:magic,42,3,undefined,undefined,true,5"},
      {L"(function () { try { return ext.make('intercepted').failing; } catch (e) { return e.message; } })()",
       L"interceptor refused"},
  };
  std::vector<std::wstring> scripts;
  Strings expected;
  for (const auto& c : cases) {
    scripts.push_back(std::wstring(L"console.log(") + c.expression + L");");
    expected.push_back(std::wstring(L"log:") + c.logged);
  }
  EXPECT_EQ(Logs(renderer.Show(1, kUrl, scripts)), expected);
}

TEST(ScriptRenderer, HandlerExceptionsAreScriptErrorsThePageCanCatch) {
  RendererSession renderer;
  ASSERT_TRUE(renderer.ready());
  const auto messages = renderer.Show(
      1, kUrl,
      {L"try { ext.throwing(); console.log('no throw'); } catch (e) { console.log(e instanceof Error, e.message); }",
       L"ext.throwing();", L"console.log('still running');"});
  const Strings logs = Logs(messages);
  ASSERT_EQ(logs.size(), 3u);
  EXPECT_EQ(logs[0], L"log:true boom from native");
  EXPECT_EQ(logs[1], L"error:Uncaught Error: boom from native");
  EXPECT_EQ(logs[2], L"log:still running");
}

TEST(ScriptRenderer, CurrentContextIsThePagesFrame) {
  RendererSession renderer;
  ASSERT_TRUE(renderer.ready());
  EXPECT_EQ(Logs(renderer.Show(7, kUrl, {L"console.log(ext.url());"})),
            (Strings{L"log:https://example.test/page.html browser=7 in_context=1"}));
  EXPECT_EQ(Logs(renderer.Show(7, L"https://example.test/other", {L"console.log(ext.url());"})),
            (Strings{L"log:https://example.test/other browser=7 in_context=1"}));
}

TEST(ScriptRenderer, DocumentWindowAndLocationReachTheBrowser) {
  RendererSession renderer;
  ASSERT_TRUE(renderer.ready());
  const auto messages = renderer.Show(
      3, kUrl,
      {L"console.log(document.title); document.title = 'Ciao'; console.log(document.title);",
       L"console.log(location.href, String(location)); location.href = 'https://example.test/next';",
       L"window.close();"},
      L"Start");
  EXPECT_EQ(Logs(messages), (Strings{L"log:Start", L"log:Ciao",
                                     L"log:https://example.test/page.html https://example.test/page.html"}));
  const auto titles = OfType(messages, Type::kTitle);
  ASSERT_EQ(titles.size(), 1u);
  EXPECT_EQ(titles[0].title, L"Ciao");
  EXPECT_EQ(titles[0].browser, 3);
  const auto navigations = OfType(messages, Type::kNavigate);
  ASSERT_EQ(navigations.size(), 1u);
  EXPECT_EQ(navigations[0].url, L"https://example.test/next");
  EXPECT_EQ(OfType(messages, Type::kClose).size(), 1u);
  EXPECT_EQ(messages.back().type, Type::kDone);
}

TEST(ScriptRenderer, WindowOpenGivesDispositionAndFeatures) {
  const struct {
    const wchar_t* call;
    cef_window_open_disposition_t disposition;
    cef_popup_features_t features;  // x, xSet, y, ySet, w, wSet, h, hSet, menu, status, tool, scroll
  } cases[] = {
      {L"window.open('https://example.test/p', 'pop', 'left=10,top=20,width=300,height=200')",
       WOD_NEW_POPUP, {10, 1, 20, 1, 300, 1, 200, 1, 0, 0, 0, 0}},
      {L"open('https://example.test/p', 'pop', 'x=5, y=6 ,WIDTH=320px,scrollbars=yes')",
       WOD_NEW_POPUP, {5, 1, 6, 1, 320, 1, 0, 0, 0, 0, 0, 1}},
      {L"window.open('https://example.test/p', 'pop', 'height=50,menubar=1,status,toolbar=no')",
       WOD_NEW_POPUP, {0, 0, 0, 0, 0, 0, 50, 1, 1, 1, 0, 0}},
      {L"window.open('https://example.test/p', 'tab')", WOD_NEW_FOREGROUND_TAB,
       {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1}},
      {L"window.open('https://example.test/p', '', '')", WOD_NEW_FOREGROUND_TAB,
       {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1}},
  };
  RendererSession renderer;
  ASSERT_TRUE(renderer.ready());
  for (const auto& c : cases) {
    SCOPED_TRACE(Narrow(c.call));
    const auto opened = OfType(renderer.Show(2, kUrl, {c.call}), Type::kOpen);
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0].url, L"https://example.test/p");
    EXPECT_EQ(opened[0].disposition, c.disposition);
    const cef_popup_features_t& f = opened[0].features;
    const cef_popup_features_t& e = c.features;
    EXPECT_EQ((std::vector<int>{f.x, f.xSet, f.y, f.ySet, f.width, f.widthSet, f.height, f.heightSet,
                                f.menuBarVisible, f.statusBarVisible, f.toolBarVisible,
                                f.scrollbarsVisible}),
              (std::vector<int>{e.x, e.xSet, e.y, e.ySet, e.width, e.widthSet, e.height, e.heightSet,
                                e.menuBarVisible, e.statusBarVisible, e.toolBarVisible,
                                e.scrollbarsVisible}));
  }
  const auto named = OfType(renderer.Show(2, kUrl, {L"window.open('https://example.test/p', 'pop')"}), Type::kOpen);
  ASSERT_EQ(named.size(), 1u);
  EXPECT_EQ(named[0].name, L"pop");
}

TEST(ScriptRenderer, ScriptErrorsAreLoggedAndTheNextScriptRuns) {
  RendererSession renderer;
  ASSERT_TRUE(renderer.ready());
  const auto messages = renderer.Show(
      1, kUrl,
      {L"console.log('one', 2, {a: [1]}); console.error('bad', null);", L"this is not (a script",
       L"undefinedFunction();", L"throw 'plain text';", L"console.info('after');"});
  const Strings logs = Logs(messages);
  ASSERT_EQ(logs.size(), 6u);
  EXPECT_EQ(logs[0], LR"(log:one 2 {"a":[1]})");
  EXPECT_EQ(logs[1], L"error:bad null");
  EXPECT_EQ(logs[2].rfind(L"error:Uncaught SyntaxError", 0), 0u) << Narrow(logs[2]);
  EXPECT_EQ(logs[3].rfind(L"error:Uncaught ReferenceError", 0), 0u) << Narrow(logs[3]);
  EXPECT_EQ(logs[4], L"error:Uncaught plain text");
  EXPECT_EQ(logs[5], L"info:after");
  const auto errors = standin_test::Named(renderer.Trace(), "script.error");
  ASSERT_EQ(errors.size(), 3u);
  EXPECT_EQ(errors[1]["args"]["resource"].string, "https://example.test/page.html");
  EXPECT_EQ(errors[1]["args"]["line"].Int(), 1);
  // The renderer is still there for the next page.
  EXPECT_EQ(Logs(renderer.Show(1, kUrl, {L"console.log('next page');"})), (Strings{L"log:next page"}));
  EXPECT_TRUE(renderer.alive());
  EXPECT_EQ(renderer.End(), 0u);
}

TEST(ScriptRenderer, TimersRunLaterInTheirPage) {
  RendererSession renderer;
  ASSERT_TRUE(renderer.ready());
  const auto messages = renderer.Show(
      1, kUrl,
      {L"setTimeout(function (a, b) { console.log('later', a + b, document.title); }, 150, 2, 3);"
       L"var cancelled = setTimeout(function () { console.log('cancelled'); }, 10);"
       L"clearTimeout(cancelled);"
       L"setTimeout(function () { console.log('first'); throw new Error('in timer'); }, 0);"
       L"console.log('now');"},
      L"Timed");
  EXPECT_EQ(Logs(messages), (Strings{L"log:now"}));
  const auto later = renderer.Collect(3, 10000);
  EXPECT_EQ(Logs(later), (Strings{L"log:first", L"error:Uncaught Error: in timer", L"log:later 5 Timed"}));
  // A replaced page's timers never run.
  renderer.Show(1, kUrl, {L"setTimeout(function () { console.log('stale'); }, 100);"});
  renderer.Show(1, kUrl, {L"console.log('replaced');"});
  EXPECT_TRUE(renderer.Collect(1, 600).empty());
}

TEST(ScriptRenderer, UserDataStaysWithItsObject) {
  RendererSession renderer;
  ASSERT_TRUE(renderer.ready());
  const auto messages = renderer.Show(
      1, kUrl,
      {L"var tagged = ext.make('object'); var array = ext.make('array');"
       L"console.log(ext.tag(tagged, 7), ext.tag(array, 8), ext.tag({}, 9), ext.tag(ext.make('int'), 10));",
       L"Duktape.gc(); console.log(ext.readTag(tagged), ext.readTag(array), ext.readTag({}), ext.liveTags());",
       L"ext.tag(tagged, 11); console.log(ext.readTag(tagged), ext.liveTags());"
       L"tagged = null; Duktape.gc(); console.log(ext.liveTags());"});
  EXPECT_EQ(Logs(messages),
            (Strings{L"log:true true false false", L"log:7 8 -1 2", L"log:11 2", L"log:1"}));
  // The page's objects go with it: their user data is released.
  EXPECT_EQ(Logs(renderer.Show(1, kUrl, {L"console.log(ext.liveTags());"})), (Strings{L"log:0"}));
}

TEST(ScriptRenderer, ReferencesBalanceOverRepeatedPages) {
  RendererSession renderer;
  ASSERT_TRUE(renderer.ready());
  const std::vector<std::wstring> page = {
      L"var kept = [];"
      L"for (var i = 0; i < 20; i++) { kept.push(ext.make('object'), ext.make('array'), ext.make('function'));"
      L"  ext.describe(kept[i], 'text', i, new Date()); ext.tag(kept[kept.length - 3], i);"
      L"  ext.call(function (x) { return [x]; }, kept[i]); ext.keys(kept[i]); var d = {}; ext.define(d); d.answer; }",
      L"console.log(bridgeLike, ext.liveTags(), ext.hold(kept[0], 'held text', {}));"};
  std::vector<long long> live;
  for (int round = 0; round < 4; ++round) {
    EXPECT_EQ(Logs(renderer.Show(1, kUrl, page)), (Strings{L"log:getter on global 20 3"}));
  }
  for (const auto& done : standin_test::Named(renderer.Trace(), "renderer.page_done"))
    live.push_back(done["args"]["live_values"].Int());
  ASSERT_EQ(live.size(), 4u);
  // At the end of each page the values alive are the three the host keeps until the
  // page's context is released: everything else went back, every time.
  EXPECT_EQ(live, (std::vector<long long>{3, 3, 3, 3}));
  const auto released = standin_test::Named(renderer.Trace(), "render_process_handler.on_context_released");
  EXPECT_EQ(released.size(), 3u);
  EXPECT_EQ(renderer.End(), 0u);
}

}  // namespace
}  // namespace script_test

namespace script_test {
namespace {

TEST(ScriptRenderer, BrowsersKeepTheirOwnPages) {
  RendererSession renderer;
  ASSERT_TRUE(renderer.ready());
  const auto first = renderer.Show(
      1, L"https://example.test/one",
      {L"var mine = 'one'; setTimeout(function () { console.log(mine, ext.url()); }, 200);"});
  const auto second = renderer.Show(
      2, L"https://example.test/two",
      {L"console.log(typeof mine, ext.url()); document.title = 'Two';"});
  EXPECT_EQ(Logs(second), (Strings{L"log:undefined https://example.test/two browser=2 in_context=1"}));
  ASSERT_EQ(OfType(second, Type::kTitle).size(), 1u);
  EXPECT_EQ(OfType(second, Type::kTitle)[0].browser, 2);
  const auto later = renderer.Collect(1, 5000);
  ASSERT_EQ(later.size(), 1u);
  EXPECT_EQ(later[0].browser, 1);
  EXPECT_EQ(Logs(later), (Strings{L"log:one https://example.test/one browser=1 in_context=1"}));
  EXPECT_EQ(first.back().browser, 1);
}

}  // namespace
}  // namespace script_test
