#include "framework/menu.h"

#include "framework/application.h"

TMenuItem::TMenuItem(Component* owner, std::string name, std::string caption)
    : Component(owner, std::move(name)), caption_(std::move(caption)) {}

void TMenuItem::Click() {
  if (OnClick) OnClick(this);
}

TPopupMenu::TPopupMenu(Component* owner, std::string name) : Component(owner, std::move(name)) {}

TPopupMenu::~TPopupMenu() = default;

TMenuItem& TPopupMenu::Add(std::string name, std::string caption) {
  items_.push_back(std::make_unique<TMenuItem>(this, std::move(name), std::move(caption)));
  return *items_.back();
}

namespace {
// DestroyMenu on every path out of Popup.
struct MenuHandle {
  HMENU menu = CreatePopupMenu();
  ~MenuHandle() { DestroyMenu(menu); }
};
}  // namespace

void TPopupMenu::Popup(int x, int y) {
  MenuHandle menu;
  for (size_t i = 0; i < items_.size(); ++i) {
    const TMenuItem& item = *items_[i];
    if (item.IsLine())
      AppendMenuA(menu.menu, MF_SEPARATOR, 0, nullptr);
    else
      AppendMenuA(menu.menu, MF_STRING | (item.Checked() ? MF_CHECKED : MF_UNCHECKED), i + 1,
                  item.Caption().c_str());
  }
  HWND owner = Application::Instance().Handle();
  open_ = menu.menu;
  UINT chosen = TrackPopupMenu(menu.menu, TPM_LEFTALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD | TPM_NONOTIFY, x,
                               y, 0, owner, nullptr);
  open_ = nullptr;
  if (chosen >= 1 && chosen <= items_.size()) items_[chosen - 1]->Click();
}
