#include "standin/browser/ContextMenuParams.h"

#include "engine/capi/CefObject.h"
#include "standin/core/Leftovers.h"
#include "standin/strings/EngineStrings.h"

namespace quirel::standin {
namespace {

class Params : public CefObject<Params, cef_context_menu_params_t> {
  leftovers::Counted counted_{"context_menu_params"};

 public:
  explicit Params(ContextMenuFacts facts) : facts_(std::move(facts)) {
    cef_context_menu_params_t* s = cef();
    Bind<&Params::X>(s->get_xcoord);
    Bind<&Params::Y>(s->get_ycoord);
    Bind<&Params::TypeFlags>(s->get_type_flags);
    Bind<&Params::LinkUrl>(s->get_link_url);
    Bind<&Params::LinkUrl>(s->get_unfiltered_link_url);
    Bind<&Params::Empty>(s->get_source_url);
    Bind<&Params::No>(s->has_image_contents);
    Bind<&Params::Title>(s->get_title_text);
    Bind<&Params::PageUrl>(s->get_page_url);
    Bind<&Params::PageUrl>(s->get_frame_url);
    Bind<&Params::Charset>(s->get_frame_charset);
    Bind<&Params::MediaType>(s->get_media_type);
    Bind<&Params::MediaState>(s->get_media_state_flags);
    Bind<&Params::Empty>(s->get_selection_text);
    Bind<&Params::Empty>(s->get_misspelled_word);
    Bind<&Params::Suggestions>(s->get_dictionary_suggestions);
    Bind<&Params::No>(s->is_editable);
    Bind<&Params::No>(s->is_spell_check_enabled);
    Bind<&Params::EditState>(s->get_edit_state_flags);
    Bind<&Params::No>(s->is_custom_menu);
    Bind<&Params::No>(s->is_pepper_menu);
  }

 private:
  int X() { return facts_.x; }
  int Y() { return facts_.y; }
  cef_context_menu_type_flags_t TypeFlags() {
    return static_cast<cef_context_menu_type_flags_t>(facts_.type_flags);
  }
  cef_string_userfree_t LinkUrl() { return NewUserFreeString(facts_.link_url); }
  cef_string_userfree_t PageUrl() { return NewUserFreeString(facts_.page_url); }
  cef_string_userfree_t Title() { return NewUserFreeString(facts_.title); }
  cef_string_userfree_t Charset() { return NewUserFreeString(L"UTF-8"); }
  cef_string_userfree_t Empty() { return NewUserFreeString(L""); }
  int No() { return 0; }
  cef_context_menu_media_type_t MediaType() { return CM_MEDIATYPE_NONE; }
  cef_context_menu_media_state_flags_t MediaState() { return CM_MEDIAFLAG_NONE; }
  int Suggestions(cef_string_list_t) { return 0; }
  cef_context_menu_edit_state_flags_t EditState() { return CM_EDITFLAG_NONE; }

  const ContextMenuFacts facts_;
};

}  // namespace

CefRef<cef_context_menu_params_t> NewContextMenuParams(ContextMenuFacts facts) {
  return CefNew<Params>(std::move(facts));
}

}  // namespace quirel::standin
