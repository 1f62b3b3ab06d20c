#include "shell/menu.h"

#include <optional>
#include <string>

#include "shell/app.h"

namespace {

// A new item, fully set up before anyone appends it. The separator passes no shortcut at all,
// so that its shortcut stays the framework's default.
template <class Item>
fw::Ref<fw::MenuItem> NewItem(const std::string& name, const std::string& caption,
                              const std::optional<std::string>& shortcut) {
  fw::Ref<Item> item = fw::RuntimeNewObject<Item>();
  item->Constructor();
  item->SetName(name);
  item->SetAutoEnabled(true);
  item->SetValue(caption);
  item->SetVisible(true);
  if (shortcut) item->SetShortcut(*shortcut);
  return item;
}

fw::Ref<fw::MenuItem> ItemOfAppMenuBar(const std::string& name) {
  return fw::RuntimeCheckCast<fw::MenuItem>(App()->MenuBar()->Lookup(name));
}

}  // namespace

fw::Ref<Menu> Menu::Instance() {
  return InstanceOf<Menu>();
}

void Menu::Constructor() {
  Untitled0();
  Untitled1();
  Untitled2();
  Untitled3();
  Untitled4();
}

void Menu::Untitled0() {
  AddMenu(NewItem<fw::MenuItem>("UntitledMenu3", "", ""));
}

void Menu::Untitled1() {
  AddMenu(NewItem<fw::MenuItem>("UntitledMenu2", "File", ""));
  Child("UntitledMenu2")->AddMenu(NewItem<fw::MenuItem>("FilePrint", "Print", ""));
  Child("UntitledMenu2")->AddMenu(NewItem<fw::QuitMenuItem>("FileQuit", "Quit", "Cmd+Q"));
  Child("UntitledMenu2")->AddMenu(NewItem<fw::MenuItem>("UntitledMenu8", "", ""));
}

void Menu::Untitled2() {
  AddMenu(NewItem<fw::MenuItem>("UntitledMenu0", "Edit", ""));
  Child("UntitledMenu0")->AddMenu(NewItem<fw::MenuItem>("EditUndo", "Undo", "Cmd+Z"));
  Child("UntitledMenu0")->AddMenu(NewItem<fw::MenuItem>("UntitledMenu1", "-", std::nullopt));
  Child("UntitledMenu0")->AddMenu(NewItem<fw::MenuItem>("EditCut", "Cut", "Cmd+X"));
  Child("UntitledMenu0")->AddMenu(NewItem<fw::MenuItem>("EditCopy", "Copy", "Cmd+C"));
  Child("UntitledMenu0")->AddMenu(NewItem<fw::MenuItem>("EditPaste", "Paste", "Cmd+V"));
  Child("UntitledMenu0")->AddMenu(NewItem<fw::MenuItem>("EditClear", "", ""));
  Child("UntitledMenu0")->AddMenu(NewItem<fw::MenuItem>("UntitledMenu7", "", ""));
}

void Menu::Untitled3() {
  AddMenu(NewItem<fw::MenuItem>("WindowMenu", "Window", ""));
  Child("WindowMenu")->AddMenu(NewItem<fw::MenuItem>("ControlMenuItem", "Control", ""));
  Child("WindowMenu")->AddMenu(NewItem<fw::MenuItem>("DescriptionMenuItem", "Description", ""));
  Child("WindowMenu")->AddMenu(NewItem<fw::MenuItem>("AboutMenuItem", "About Vantrel", ""));
  Child("WindowMenu")->AddMenu(NewItem<fw::MenuItem>("UntitledMenu6", "", ""));
  Child("WindowMenu")->AddMenu(NewItem<fw::AppleMenuItem>("AboutVantrel", "About Vantrel", ""));
  Child("WindowMenu")->AddMenu(NewItem<fw::AppleMenuItem>("UntitledMenu5", "", ""));
}

void Menu::Untitled4() {
  AddMenu(NewItem<fw::MenuItem>("UntitledMenu4", "", ""));
}

fw::Ref<fw::MenuItem> AboutMenuItem() {
  return ItemOfAppMenuBar("AboutMenuItem");
}
fw::Ref<fw::MenuItem> ControlMenuItem() {
  return ItemOfAppMenuBar("ControlMenuItem");
}
fw::Ref<fw::MenuItem> FilePrint() {
  return ItemOfAppMenuBar("FilePrint");
}
