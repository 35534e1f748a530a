// Values, dictionaries and the global request context's preferences, as the
// program builds and sets them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "BrowserEnvironment.h"
#include "Trace.h"
#include "engine/capi/CefEntryPoints.h"
#include "engine/capi/CefRef.h"
#include "engine/capi/CefString.h"

namespace standin_test {
namespace {

std::wstring String(cef_string_userfree_t text) { return CefUserFreeString(text).str(); }

CefRef<cef_value_t> NewValue() { return CefAdopt(g_cef.cef_value_create()); }
CefRef<cef_dictionary_value_t> NewDictionary() {
  return CefAdopt(g_cef.cef_dictionary_value_create());
}

std::vector<std::wstring> Keys(cef_dictionary_value_t* dictionary) {
  cef_string_list_t list = g_cef.cef_string_list_alloc();
  EXPECT_EQ(dictionary->get_keys(dictionary, list), 1);
  std::vector<std::wstring> keys;
  for (size_t i = 0; i < g_cef.cef_string_list_size(list); ++i) {
    CefStringOut key;
    g_cef.cef_string_list_value(list, i, key.get());
    keys.push_back(key.str());
  }
  g_cef.cef_string_list_free(list);
  return keys;
}

TEST(StandinValues, ValueHoldsEachKind) {
  CefRef<cef_value_t> value = NewValue();
  ASSERT_TRUE(value);
  cef_value_t* v = value.get();
  EXPECT_EQ(v->get_type(v), VTYPE_NULL);
  EXPECT_EQ(v->is_valid(v), 1);
  EXPECT_EQ(v->is_owned(v), 0);
  EXPECT_EQ(v->is_read_only(v), 0);
  EXPECT_EQ(v->set_bool(v, 1), 1);
  EXPECT_EQ(v->get_type(v), VTYPE_BOOL);
  EXPECT_EQ(v->get_bool(v), 1);
  EXPECT_EQ(v->set_int(v, -42), 1);
  EXPECT_EQ(v->get_type(v), VTYPE_INT);
  EXPECT_EQ(v->get_int(v), -42);
  EXPECT_EQ(v->get_bool(v), 0);
  EXPECT_EQ(v->set_double(v, 2.5), 1);
  EXPECT_EQ(v->get_type(v), VTYPE_DOUBLE);
  EXPECT_EQ(v->get_double(v), 2.5);
  EXPECT_EQ(v->set_string(v, CefStringArg(L"città")), 1);
  EXPECT_EQ(v->get_type(v), VTYPE_STRING);
  EXPECT_EQ(String(v->get_string(v)), L"città");
  CefRef<cef_value_t> copy = CefAdopt(v->copy(v));
  EXPECT_EQ(v->is_equal(v, copy.Share()), 1);
  EXPECT_EQ(v->is_same(v, copy.Share()), 0);
  EXPECT_EQ(v->set_null(v), 1);
  EXPECT_EQ(v->get_type(v), VTYPE_NULL);
  EXPECT_EQ(String(copy->get_string(copy.get())), L"città") << "a copy stands on its own";

  CefRef<cef_dictionary_value_t> inner = NewDictionary();
  inner->set_int(inner.get(), CefStringArg(L"n"), 7);
  EXPECT_EQ(v->set_dictionary(v, inner.Share()), 1);
  EXPECT_EQ(v->get_type(v), VTYPE_DICTIONARY);
  CefRef<cef_dictionary_value_t> back = CefAdopt(v->get_dictionary(v));
  ASSERT_TRUE(back);
  EXPECT_EQ(back->get_int(back.get(), CefStringArg(L"n")), 7);
  // Binary values and lists are not offered.
  EXPECT_EQ(v->set_list(v, nullptr), 0);
}

TEST(StandinValues, DictionaryKeysAndKinds) {
  CefRef<cef_dictionary_value_t> dictionary = NewDictionary();
  cef_dictionary_value_t* d = dictionary.get();
  EXPECT_EQ(d->is_valid(d), 1);
  EXPECT_EQ(d->is_owned(d), 0);
  EXPECT_EQ(d->is_read_only(d), 0);
  EXPECT_EQ(d->get_size(d), 0u);
  EXPECT_EQ(d->set_bool(d, CefStringArg(L"b"), 1), 1);
  EXPECT_EQ(d->set_int(d, CefStringArg(L"i"), 5), 1);
  EXPECT_EQ(d->set_double(d, CefStringArg(L"d"), 0.25), 1);
  EXPECT_EQ(d->set_string(d, CefStringArg(L"s"), CefStringArg(L"text")), 1);
  EXPECT_EQ(d->set_null(d, CefStringArg(L"z")), 1);
  CefRef<cef_value_t> value = NewValue();
  value->set_int(value.get(), 9);
  EXPECT_EQ(d->set_value(d, CefStringArg(L"v"), value.Share()), 1);
  value->set_int(value.get(), 10);
  EXPECT_EQ(d->get_int(d, CefStringArg(L"v")), 9) << "set_value copies";

  struct Case {
    const wchar_t* key;
    cef_value_type_t type;
  } cases[] = {{L"b", VTYPE_BOOL},   {L"i", VTYPE_INT},  {L"d", VTYPE_DOUBLE},
               {L"s", VTYPE_STRING}, {L"z", VTYPE_NULL}, {L"v", VTYPE_INT},
               {L"none", VTYPE_INVALID}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "key " << std::string(c.key, c.key + wcslen(c.key)));
    EXPECT_EQ(d->get_type(d, CefStringArg(c.key)), c.type);
    EXPECT_EQ(d->has_key(d, CefStringArg(c.key)), c.type != VTYPE_INVALID);
  }
  EXPECT_EQ(d->get_bool(d, CefStringArg(L"b")), 1);
  EXPECT_EQ(d->get_double(d, CefStringArg(L"d")), 0.25);
  EXPECT_EQ(String(d->get_string(d, CefStringArg(L"s"))), L"text");
  EXPECT_EQ(Keys(d), (std::vector<std::wstring>{L"b", L"d", L"i", L"s", L"v", L"z"}));
  EXPECT_EQ(d->get_size(d), 6u);
  EXPECT_EQ(d->remove(d, CefStringArg(L"i")), 1);
  EXPECT_EQ(d->remove(d, CefStringArg(L"i")), 0);
  EXPECT_EQ(d->get_size(d), 5u);

  // A dictionary without an owner moves in; the one read back is a view.
  CefRef<cef_dictionary_value_t> child = NewDictionary();
  child->set_string(child.get(), CefStringArg(L"name"), CefStringArg(L"inner"));
  EXPECT_EQ(d->set_dictionary(d, CefStringArg(L"child"), child.Share()), 1);
  EXPECT_EQ(child->is_valid(child.get()), 0);
  CefRef<cef_dictionary_value_t> view = CefAdopt(d->get_dictionary(d, CefStringArg(L"child")));
  ASSERT_TRUE(view);
  EXPECT_EQ(view->is_owned(view.get()), 1);
  view->set_int(view.get(), CefStringArg(L"added"), 3);
  CefRef<cef_dictionary_value_t> again = CefAdopt(d->get_dictionary(d, CefStringArg(L"child")));
  EXPECT_EQ(again->get_int(again.get(), CefStringArg(L"added")), 3);
  EXPECT_EQ(String(again->get_string(again.get(), CefStringArg(L"name"))), L"inner");

  // Copies stand on their own; exclude_empty_children leaves empty ones out.
  CefRef<cef_dictionary_value_t> empty = NewDictionary();
  d->set_dictionary(d, CefStringArg(L"empty"), empty.Share());
  CefRef<cef_dictionary_value_t> full_copy = CefAdopt(d->copy(d, 0));
  CefRef<cef_dictionary_value_t> trimmed = CefAdopt(d->copy(d, 1));
  EXPECT_EQ(d->is_equal(d, full_copy.Share()), 1);
  EXPECT_EQ(full_copy->has_key(full_copy.get(), CefStringArg(L"empty")), 1);
  EXPECT_EQ(trimmed->has_key(trimmed.get(), CefStringArg(L"empty")), 0);
  EXPECT_EQ(d->clear(d), 1);
  EXPECT_EQ(d->get_size(d), 0u);
  EXPECT_EQ(full_copy->get_size(full_copy.get()), 7u);
}

TEST(StandinRequestContext, PreferencesAreKeptAndTraced) {
  CefRef<cef_request_context_t> context =
      CefAdopt(g_cef.cef_request_context_get_global_context());
  ASSERT_TRUE(context);
  cef_request_context_t* c = context.get();
  CefRef<cef_request_context_t> again = CefAdopt(g_cef.cef_request_context_get_global_context());
  EXPECT_EQ(again.get(), c);
  EXPECT_EQ(c->is_global(c), 1);
  struct NameCase {
    const wchar_t* name;
    int can_set;
  } names[] = {{L"intl.accept_languages", 1}, {L"browser.enable_spellchecking", 1},
               {L"a.b.c", 1}, {L"", 0}, {L"nodot", 0}, {L".leading", 0}};
  for (const NameCase& n : names) {
    EXPECT_EQ(c->can_set_preference(c, CefStringArg(n.name)), n.can_set)
        << std::string(n.name, n.name + wcslen(n.name));
  }

  CefRef<cef_value_t> languages = CefAdopt(g_cef.cef_value_create());
  languages->set_string(languages.get(), CefStringArg(L"it-IT,it"));
  CefStringOut error;
  EXPECT_EQ(c->set_preference(c, CefStringArg(L"intl.accept_languages"), languages.Share(),
                              error.get()),
            1);
  CefRef<cef_dictionary_value_t> settings = CefAdopt(g_cef.cef_dictionary_value_create());
  settings->set_bool(settings.get(), CefStringArg(L"enabled"), 0);
  settings->set_int(settings.get(), CefStringArg(L"level"), 2);
  CefRef<cef_value_t> wrapped = CefAdopt(g_cef.cef_value_create());
  wrapped->set_dictionary(wrapped.get(), settings.Share());
  EXPECT_EQ(c->set_preference(c, CefStringArg(L"plugins.settings"), wrapped.Share(),
                              error.get()),
            1);
  EXPECT_EQ(c->set_preference(c, CefStringArg(L"nodot"), languages.Share(), error.get()), 0);
  EXPECT_FALSE(error.str().empty());

  EXPECT_EQ(c->has_preference(c, CefStringArg(L"intl.accept_languages")), 1);
  EXPECT_EQ(c->has_preference(c, CefStringArg(L"nodot")), 0);
  CefRef<cef_value_t> stored = CefAdopt(c->get_preference(c, CefStringArg(L"intl.accept_languages")));
  ASSERT_TRUE(stored);
  EXPECT_EQ(String(stored->get_string(stored.get())), L"it-IT,it");
  languages->set_string(languages.get(), CefStringArg(L"changed"));
  CefRef<cef_value_t> still = CefAdopt(c->get_preference(c, CefStringArg(L"intl.accept_languages")));
  EXPECT_EQ(String(still->get_string(still.get())), L"it-IT,it") << "the engine keeps a copy";

  std::vector<const Json*> traced;
  const std::vector<Json> lines = EngineTrace();
  for (const Json& line : lines) {
    if (line["name"].string == "request_context.set_preference") traced.push_back(&line);
  }
  ASSERT_EQ(traced.size(), 3u);
  EXPECT_EQ((*traced[0])["args"]["name"].string, "intl.accept_languages");
  EXPECT_EQ((*traced[0])["args"]["value"]["type"].string, "string");
  EXPECT_EQ((*traced[0])["args"]["value"]["value"].string, "it-IT,it");
  const Json& dictionary = (*traced[1])["args"]["value"];
  EXPECT_EQ(dictionary["type"].string, "dictionary");
  EXPECT_EQ(dictionary["value"]["enabled"].type, Json::Type::kBool);
  EXPECT_FALSE(dictionary["value"]["enabled"].boolean);
  EXPECT_EQ(dictionary["value"]["level"].Int(), 2);
  EXPECT_EQ((*traced[2])["args"]["result"].Int(), 0);
}

}  // namespace
}  // namespace standin_test
