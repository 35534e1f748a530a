// cef_command_line_t objects made with cef_command_line_create, in this
// process: parsing as Chromium does on Windows, and every change.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "EngineFiles.h"
#include "engine/capi/CefEntryPoints.h"
#include "engine/capi/cef_capi.h"
#include "engine/capi/CefRef.h"
#include "engine/capi/CefString.h"

namespace standin_test {
namespace {

class StandinCommandLine : public testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(LoadEngineHere()); }

  static CefRef<cef_command_line_t> Parse(const std::wstring& text) {
    CefRef<cef_command_line_t> line = CefAdopt(g_cef.cef_command_line_create());
    line->init_from_string(line.get(), CefStringArg(text));
    return line;
  }
};

std::wstring String(cef_command_line_t* line) {
  return CefUserFreeString(line->get_command_line_string(line)).str();
}

std::wstring Program(cef_command_line_t* line) {
  return CefUserFreeString(line->get_program(line)).str();
}

// "name:value;..." in key order.
std::wstring Switches(cef_command_line_t* line) {
  cef_string_map_t map = g_cef.cef_string_map_alloc();
  line->get_switches(line, map);
  std::wstring text;
  for (size_t i = 0; i < g_cef.cef_string_map_size(map); ++i) {
    CefStringOut key, value;
    g_cef.cef_string_map_key(map, i, key.get());
    g_cef.cef_string_map_value(map, i, value.get());
    text += (i ? L";" : L"") + key.str() + L":" + value.str();
  }
  g_cef.cef_string_map_free(map);
  return text;
}

std::wstring Joined(cef_command_line_t* line,
                    void (CEF_CALLBACK* cef_command_line_t::*get)(cef_command_line_t*,
                                                                  cef_string_list_t)) {
  cef_string_list_t list = g_cef.cef_string_list_alloc();
  (line->*get)(line, list);
  std::wstring text;
  for (size_t i = 0; i < g_cef.cef_string_list_size(list); ++i) {
    CefStringOut value;
    g_cef.cef_string_list_value(list, i, value.get());
    text += (i ? L"|" : L"") + value.str();
  }
  g_cef.cef_string_list_free(list);
  return text;
}

TEST_F(StandinCommandLine, ParsesAsChromiumOnWindows) {
  const struct {
    std::wstring input;
    std::wstring program, switches, arguments, string;
  } cases[] = {
      {LR"(prog.exe --a=1 -B=Two /c loose "with space" -- --d)", L"prog.exe", L"a:1;b:Two;c:",
       L"loose|with space|--d", LR"(prog.exe --a=1 -b=Two /c loose "with space" -- --d)"},
      // The last value wins; argv keeps both.
      {L"p --x=1 --X=2", L"p", L"x:2", L"", L"p --x=1 --x=2"},
      // Switches go before the loose arguments.
      {L"p arg --s", L"p", L"s:", L"arg", L"p --s arg"},
      {LR"(p "--path=C:\Program Files\x")", L"p", LR"(path:C:\Program Files\x)", L"",
       LR"(p --path="C:\Program Files\x")"},
      {LR"("C:\My Apps\q.exe" x)", LR"(C:\My Apps\q.exe)", L"", L"x", LR"("C:\My Apps\q.exe" x)"},
      // An empty value is no value; a lone "-" is an argument.
      {L"p --e= - --", L"p", L"e:", L"-", L"p --e - --"},
      {LR"(p "--v=a\"b")", L"p", L"v:a\"b", L"", LR"(p --v="a\"b")"},
      // Nothing after "--" is a switch, not even the process type.
      {L"p -- --type=renderer", L"p", L"", L"--type=renderer", L"p -- --type=renderer"},
      // Each argument is trimmed; only ASCII letters are lowered.
      {L"p \"  --w=1  \" --\u00dcber=\u00fc", L"p", L"w:1;\u00dcber:\u00fc", L"",
       L"p --w=1 --\u00dcber=\u00fc"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.input);
    CefRef<cef_command_line_t> line = Parse(c.input);
    EXPECT_EQ(line->is_valid(line.get()), 1);
    EXPECT_EQ(line->is_read_only(line.get()), 0);
    EXPECT_EQ(Program(line.get()), c.program);
    EXPECT_EQ(Switches(line.get()), c.switches);
    EXPECT_EQ(Joined(line.get(), &cef_command_line_t::get_arguments), c.arguments);
    EXPECT_EQ(line->has_switches(line.get()), c.switches.empty() ? 0 : 1);
    EXPECT_EQ(line->has_arguments(line.get()), c.arguments.empty() ? 0 : 1);
    EXPECT_EQ(String(line.get()), c.string);
  }
}

TEST_F(StandinCommandLine, Changes) {
  using Change = std::function<void(cef_command_line_t*)>;
  const struct {
    const char* what;
    Change change;
    std::wstring string;
  } cases[] = {
      {"nothing", [](cef_command_line_t*) {}, L"prog --keep=1 arg1"},
      {"reset keeps the program", [](cef_command_line_t* l) { l->reset(l); }, L"prog"},
      {"switch, prefix kept and lowered",
       [](cef_command_line_t* l) { l->append_switch(l, CefStringArg(L"--Foo")); },
       L"prog --keep=1 --foo arg1"},
      {"switch without prefix gets --",
       [](cef_command_line_t* l) { l->append_switch(l, CefStringArg(L"bar")); },
       L"prog --keep=1 --bar arg1"},
      {"switch with a value that needs quotes",
       [](cef_command_line_t* l) {
         l->append_switch_with_value(l, CefStringArg(L"-Baz"), CefStringArg(L"v w"));
       },
       L"prog --keep=1 -baz=\"v w\" arg1"},
      {"argument", [](cef_command_line_t* l) { l->append_argument(l, CefStringArg(L"x y")); },
       L"prog --keep=1 arg1 \"x y\""},
      {"wrapper", [](cef_command_line_t* l) { l->prepend_wrapper(l, CefStringArg(L"gdb --args")); },
       L"gdb --args prog --keep=1 arg1"},
      {"program, trimmed",
       [](cef_command_line_t* l) { l->set_program(l, CefStringArg(L" other.exe ")); },
       L"other.exe --keep=1 arg1"},
      {"from argv: not on Windows",
       [](cef_command_line_t* l) {
         const char* argv[] = {"x.exe", "--y"};
         l->init_from_argv(l, 2, argv);
       },
       L"prog --keep=1 arg1"},
      {"from an empty string: unchanged",
       [](cef_command_line_t* l) { l->init_from_string(l, CefStringArg(L"")); },
       L"prog --keep=1 arg1"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    CefRef<cef_command_line_t> line = Parse(L"prog --keep=1 arg1");
    c.change(line.get());
    EXPECT_EQ(String(line.get()), c.string);
  }
}

TEST_F(StandinCommandLine, Queries) {
  CefRef<cef_command_line_t> line = Parse(L"prog --Keep=1 -B arg1");
  EXPECT_EQ(line->has_switch(line.get(), CefStringArg(L"KEEP")), 1);
  EXPECT_EQ(line->has_switch(line.get(), CefStringArg(L"--keep")), 0);  // names have no prefix
  EXPECT_EQ(line->has_switch(line.get(), CefStringArg(L"b")), 1);
  EXPECT_EQ(CefUserFreeString(line->get_switch_value(line.get(), CefStringArg(L"keep"))).str(),
            L"1");
  EXPECT_EQ(CefUserFreeString(line->get_switch_value(line.get(), CefStringArg(L"b"))).str(), L"");
  EXPECT_EQ(CefUserFreeString(line->get_switch_value(line.get(), CefStringArg(L"no"))).str(), L"");
  EXPECT_EQ(Joined(line.get(), &cef_command_line_t::get_argv), L"prog|--keep=1|-b|arg1");

  // A copy is writable and independent.
  CefRef<cef_command_line_t> copy = CefAdopt(line->copy(line.get()));
  ASSERT_TRUE(copy);
  EXPECT_EQ(copy->is_read_only(copy.get()), 0);
  copy->append_switch(copy.get(), CefStringArg(L"extra"));
  EXPECT_EQ(String(copy.get()), L"prog --keep=1 -b --extra arg1");
  EXPECT_EQ(String(line.get()), L"prog --keep=1 -b arg1");
}

}  // namespace
}  // namespace standin_test
