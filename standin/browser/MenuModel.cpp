#include "standin/browser/MenuModel.h"

#include <cstring>
#include <string>
#include <vector>

#include "engine/capi/CefObject.h"
#include "standin/core/Leftovers.h"
#include "standin/core/Trace.h"
#include "standin/strings/EngineStrings.h"

namespace quirel::standin {
namespace {

struct Item {
  cef_menu_item_type_t type = MENUITEMTYPE_COMMAND;
  int command_id = -1;
  std::wstring label;
  int group_id = -1;
  bool visible = true;
  bool enabled = true;
  bool checked = false;
  bool has_accelerator = false;
  int key_code = 0;
  bool shift = false, ctrl = false, alt = false;
  CefRef<cef_menu_model_t> submenu;
};

class MenuModel : public CefObject<MenuModel, cef_menu_model_t> {
  leftovers::Counted counted_{"menu_model"};

 public:
  explicit MenuModel(bool sub_menu) : sub_menu_(sub_menu) {
    cef_menu_model_t* s = cef();
    s->get_count = &CountMark;
    Bind<&MenuModel::IsSubMenu>(s->is_sub_menu);
    Bind<&MenuModel::Clear>(s->clear);
    Bind<&MenuModel::AddSeparator>(s->add_separator);
    Bind<&MenuModel::AddItem>(s->add_item);
    Bind<&MenuModel::AddCheckItem>(s->add_check_item);
    Bind<&MenuModel::AddRadioItem>(s->add_radio_item);
    Bind<&MenuModel::AddSubMenu>(s->add_sub_menu);
    Bind<&MenuModel::InsertSeparatorAt>(s->insert_separator_at);
    Bind<&MenuModel::InsertItemAt>(s->insert_item_at);
    Bind<&MenuModel::InsertCheckItemAt>(s->insert_check_item_at);
    Bind<&MenuModel::InsertRadioItemAt>(s->insert_radio_item_at);
    Bind<&MenuModel::InsertSubMenuAt>(s->insert_sub_menu_at);
    Bind<&MenuModel::Remove>(s->remove);
    Bind<&MenuModel::RemoveAt>(s->remove_at);
    Bind<&MenuModel::GetIndexOf>(s->get_index_of);
    Bind<&MenuModel::GetCommandIdAt>(s->get_command_id_at);
    Bind<&MenuModel::SetCommandIdAt>(s->set_command_id_at);
    Bind<&MenuModel::GetLabel>(s->get_label);
    Bind<&MenuModel::GetLabelAt>(s->get_label_at);
    Bind<&MenuModel::SetLabel>(s->set_label);
    Bind<&MenuModel::SetLabelAt>(s->set_label_at);
    Bind<&MenuModel::GetType>(s->get_type);
    Bind<&MenuModel::GetTypeAt>(s->get_type_at);
    Bind<&MenuModel::GetGroupId>(s->get_group_id);
    Bind<&MenuModel::GetGroupIdAt>(s->get_group_id_at);
    Bind<&MenuModel::SetGroupId>(s->set_group_id);
    Bind<&MenuModel::SetGroupIdAt>(s->set_group_id_at);
    Bind<&MenuModel::GetSubMenu>(s->get_sub_menu);
    Bind<&MenuModel::GetSubMenuAt>(s->get_sub_menu_at);
    Bind<&MenuModel::IsVisible>(s->is_visible);
    Bind<&MenuModel::IsVisibleAt>(s->is_visible_at);
    Bind<&MenuModel::SetVisible>(s->set_visible);
    Bind<&MenuModel::SetVisibleAt>(s->set_visible_at);
    Bind<&MenuModel::IsEnabled>(s->is_enabled);
    Bind<&MenuModel::IsEnabledAt>(s->is_enabled_at);
    Bind<&MenuModel::SetEnabled>(s->set_enabled);
    Bind<&MenuModel::SetEnabledAt>(s->set_enabled_at);
    Bind<&MenuModel::IsChecked>(s->is_checked);
    Bind<&MenuModel::IsCheckedAt>(s->is_checked_at);
    Bind<&MenuModel::SetChecked>(s->set_checked);
    Bind<&MenuModel::SetCheckedAt>(s->set_checked_at);
    Bind<&MenuModel::HasAccelerator>(s->has_accelerator);
    Bind<&MenuModel::HasAcceleratorAt>(s->has_accelerator_at);
    Bind<&MenuModel::SetAccelerator>(s->set_accelerator);
    Bind<&MenuModel::SetAcceleratorAt>(s->set_accelerator_at);
    Bind<&MenuModel::RemoveAccelerator>(s->remove_accelerator);
    Bind<&MenuModel::RemoveAcceleratorAt>(s->remove_accelerator_at);
    Bind<&MenuModel::GetAccelerator>(s->get_accelerator);
    Bind<&MenuModel::GetAcceleratorAt>(s->get_accelerator_at);
    Bind<&MenuModel::SetColor>(s->set_color);
    Bind<&MenuModel::SetColorAt>(s->set_color_at);
    Bind<&MenuModel::GetColor>(s->get_color);
    Bind<&MenuModel::GetColorAt>(s->get_color_at);
    Bind<&MenuModel::SetFontList>(s->set_font_list);
    Bind<&MenuModel::SetFontListAt>(s->set_font_list_at);
  }

  // get_count doubles as the mark of our own models.
  static int CEF_CALLBACK CountMark(cef_menu_model_t* self) {
    return static_cast<int>(FromSelf(self)->items_.size());
  }
  static MenuModel* Ours(cef_menu_model_t* model) {
    return model && model->get_count == &CountMark ? FromSelf(model) : nullptr;
  }
  const std::vector<Item>& items() const { return items_; }

 private:
  Item* At(int index) {
    return index >= 0 && index < static_cast<int>(items_.size()) ? &items_[index] : nullptr;
  }
  int IndexOf(int command_id) const {
    for (size_t i = 0; i < items_.size(); ++i) {
      if (items_[i].type != MENUITEMTYPE_SEPARATOR && items_[i].command_id == command_id)
        return static_cast<int>(i);
    }
    return -1;
  }
  Item* ById(int command_id) { return At(IndexOf(command_id)); }
  int Insert(int index, Item item) {
    if (index < 0 || index > static_cast<int>(items_.size())) return 0;
    items_.insert(items_.begin() + index, std::move(item));
    return 1;
  }
  static Item Make(cef_menu_item_type_t type, int command_id, const cef_string_t* label,
                   int group_id = -1) {
    Item item;
    item.type = type;
    item.command_id = command_id;
    item.label = ToWString(label);
    item.group_id = group_id;
    return item;
  }
  int End() const { return static_cast<int>(items_.size()); }

  int IsSubMenu() { return sub_menu_; }
  int Clear() {
    items_.clear();
    return 1;
  }
  int AddSeparator() { return InsertSeparatorAt(End()); }
  int AddItem(int id, const cef_string_t* label) { return InsertItemAt(End(), id, label); }
  int AddCheckItem(int id, const cef_string_t* label) {
    return InsertCheckItemAt(End(), id, label);
  }
  int AddRadioItem(int id, const cef_string_t* label, int group) {
    return InsertRadioItemAt(End(), id, label, group);
  }
  cef_menu_model_t* AddSubMenu(int id, const cef_string_t* label) {
    return InsertSubMenuAt(End(), id, label);
  }
  int InsertSeparatorAt(int index) { return Insert(index, Make(MENUITEMTYPE_SEPARATOR, -1, nullptr)); }
  int InsertItemAt(int index, int id, const cef_string_t* label) {
    return Insert(index, Make(MENUITEMTYPE_COMMAND, id, label));
  }
  int InsertCheckItemAt(int index, int id, const cef_string_t* label) {
    return Insert(index, Make(MENUITEMTYPE_CHECK, id, label));
  }
  int InsertRadioItemAt(int index, int id, const cef_string_t* label, int group) {
    return Insert(index, Make(MENUITEMTYPE_RADIO, id, label, group));
  }
  cef_menu_model_t* InsertSubMenuAt(int index, int id, const cef_string_t* label) {
    Item item = Make(MENUITEMTYPE_SUBMENU, id, label);
    item.submenu = CefNew<MenuModel>(true);
    CefRef<cef_menu_model_t> submenu = item.submenu;
    if (!Insert(index, std::move(item))) return nullptr;
    return submenu.Detach();
  }
  int Remove(int id) { return RemoveAt(IndexOf(id)); }
  int RemoveAt(int index) {
    if (!At(index)) return 0;
    items_.erase(items_.begin() + index);
    return 1;
  }
  int GetIndexOf(int id) { return IndexOf(id); }
  int GetCommandIdAt(int index) {
    const Item* item = At(index);
    return item ? item->command_id : -1;
  }
  int SetCommandIdAt(int index, int id) {
    Item* item = At(index);
    if (!item || item->type == MENUITEMTYPE_SEPARATOR) return 0;
    item->command_id = id;
    return 1;
  }
  cef_string_userfree_t GetLabel(int id) { return GetLabelAt(IndexOf(id)); }
  cef_string_userfree_t GetLabelAt(int index) {
    const Item* item = At(index);
    return item ? NewUserFreeString(item->label) : nullptr;
  }
  int SetLabel(int id, const cef_string_t* label) { return SetLabelAt(IndexOf(id), label); }
  int SetLabelAt(int index, const cef_string_t* label) {
    Item* item = At(index);
    if (!item || item->type == MENUITEMTYPE_SEPARATOR) return 0;
    item->label = ToWString(label);
    return 1;
  }
  cef_menu_item_type_t GetType(int id) { return GetTypeAt(IndexOf(id)); }
  cef_menu_item_type_t GetTypeAt(int index) {
    const Item* item = At(index);
    return item ? item->type : MENUITEMTYPE_NONE;
  }
  int GetGroupId(int id) { return GetGroupIdAt(IndexOf(id)); }
  int GetGroupIdAt(int index) {
    const Item* item = At(index);
    return item ? item->group_id : -1;
  }
  int SetGroupId(int id, int group) { return SetGroupIdAt(IndexOf(id), group); }
  int SetGroupIdAt(int index, int group) {
    Item* item = At(index);
    if (!item || item->type != MENUITEMTYPE_RADIO) return 0;
    item->group_id = group;
    return 1;
  }
  cef_menu_model_t* GetSubMenu(int id) { return GetSubMenuAt(IndexOf(id)); }
  cef_menu_model_t* GetSubMenuAt(int index) {
    const Item* item = At(index);
    return item ? item->submenu.Share() : nullptr;
  }
  int IsVisible(int id) { return IsVisibleAt(IndexOf(id)); }
  int IsVisibleAt(int index) {
    const Item* item = At(index);
    return item && item->visible;
  }
  int SetVisible(int id, int visible) { return SetVisibleAt(IndexOf(id), visible); }
  int SetVisibleAt(int index, int visible) {
    Item* item = At(index);
    if (!item) return 0;
    item->visible = visible != 0;
    return 1;
  }
  int IsEnabled(int id) { return IsEnabledAt(IndexOf(id)); }
  int IsEnabledAt(int index) {
    const Item* item = At(index);
    return item && item->enabled;
  }
  int SetEnabled(int id, int enabled) { return SetEnabledAt(IndexOf(id), enabled); }
  int SetEnabledAt(int index, int enabled) {
    Item* item = At(index);
    if (!item) return 0;
    item->enabled = enabled != 0;
    return 1;
  }
  int IsChecked(int id) { return IsCheckedAt(IndexOf(id)); }
  int IsCheckedAt(int index) {
    const Item* item = At(index);
    return item && item->checked;
  }
  int SetChecked(int id, int checked) { return SetCheckedAt(IndexOf(id), checked); }
  int SetCheckedAt(int index, int checked) {
    Item* item = At(index);
    if (!item || (item->type != MENUITEMTYPE_CHECK && item->type != MENUITEMTYPE_RADIO))
      return 0;
    item->checked = checked != 0;
    return 1;
  }
  int HasAccelerator(int id) { return HasAcceleratorAt(IndexOf(id)); }
  int HasAcceleratorAt(int index) {
    const Item* item = At(index);
    return item && item->has_accelerator;
  }
  int SetAccelerator(int id, int key, int shift, int ctrl, int alt) {
    return SetAcceleratorAt(IndexOf(id), key, shift, ctrl, alt);
  }
  int SetAcceleratorAt(int index, int key, int shift, int ctrl, int alt) {
    Item* item = At(index);
    if (!item) return 0;
    item->has_accelerator = true;
    item->key_code = key;
    item->shift = shift != 0;
    item->ctrl = ctrl != 0;
    item->alt = alt != 0;
    return 1;
  }
  int RemoveAccelerator(int id) { return RemoveAcceleratorAt(IndexOf(id)); }
  int RemoveAcceleratorAt(int index) {
    Item* item = At(index);
    if (!item || !item->has_accelerator) return 0;
    item->has_accelerator = false;
    return 1;
  }
  int GetAccelerator(int id, int* key, int* shift, int* ctrl, int* alt) {
    return GetAcceleratorAt(IndexOf(id), key, shift, ctrl, alt);
  }
  int GetAcceleratorAt(int index, int* key, int* shift, int* ctrl, int* alt) {
    const Item* item = At(index);
    if (!item || !item->has_accelerator) return 0;
    if (key) *key = item->key_code;
    if (shift) *shift = item->shift;
    if (ctrl) *ctrl = item->ctrl;
    if (alt) *alt = item->alt;
    return 1;
  }
  // Native menus keep the system's colours and font.
  int SetColor(int, cef_menu_color_type_t, cef_color_t) { return 1; }
  int SetColorAt(int, cef_menu_color_type_t, cef_color_t) { return 1; }
  int GetColor(int, cef_menu_color_type_t, cef_color_t* color) {
    if (color) *color = 0;
    return 1;
  }
  int GetColorAt(int, cef_menu_color_type_t, cef_color_t* color) {
    if (color) *color = 0;
    return 1;
  }
  int SetFontList(int, const cef_string_t*) { return 1; }
  int SetFontListAt(int, const cef_string_t*) { return 1; }

  const bool sub_menu_;
  std::vector<Item> items_;
};

const char* TypeName(cef_menu_item_type_t type) {
  switch (type) {
    case MENUITEMTYPE_COMMAND: return "command";
    case MENUITEMTYPE_CHECK: return "check";
    case MENUITEMTYPE_RADIO: return "radio";
    case MENUITEMTYPE_SEPARATOR: return "separator";
    case MENUITEMTYPE_SUBMENU: return "submenu";
    default: return "none";
  }
}

std::wstring Wide(const char* text) { return std::wstring(text, text + std::strlen(text)); }

}  // namespace

CefRef<cef_menu_model_t> NewMenuModel() { return CefNew<MenuModel>(false); }

int MenuItemCount(cef_menu_model_t* model) {
  const MenuModel* ours = MenuModel::Ours(model);
  return ours ? static_cast<int>(ours->items().size()) : 0;
}

JsonArray MenuItemsJson(cef_menu_model_t* model) {
  JsonArray items;
  const MenuModel* ours = MenuModel::Ours(model);
  if (!ours) return items;
  for (const Item& item : ours->items()) {
    JsonObject object;
    object.Int("command_id", item.command_id)
        .Text("label", item.label)
        .Text("type", Wide(TypeName(item.type)))
        .Bool("enabled", item.enabled)
        .Bool("visible", item.visible);
    if (item.submenu) object.Array("items", MenuItemsJson(item.submenu.get()));
    items.Object(object);
  }
  return items;
}

HMENU BuildNativeMenu(cef_menu_model_t* model) {
  const HMENU menu = CreatePopupMenu();
  const MenuModel* ours = MenuModel::Ours(model);
  if (!ours) return menu;
  for (const Item& item : ours->items()) {
    if (!item.visible) continue;
    if (item.type == MENUITEMTYPE_SEPARATOR) {
      AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
      continue;
    }
    UINT flags = MF_STRING | (item.enabled ? MF_ENABLED : MF_GRAYED);
    if (item.checked) flags |= MF_CHECKED;
    if (item.type == MENUITEMTYPE_SUBMENU && item.submenu) {
      AppendMenuW(menu, flags | MF_POPUP,
                  reinterpret_cast<UINT_PTR>(BuildNativeMenu(item.submenu.get())),
                  item.label.c_str());
    } else {
      AppendMenuW(menu, flags, static_cast<UINT_PTR>(item.command_id), item.label.c_str());
    }
  }
  return menu;
}

}  // namespace quirel::standin
