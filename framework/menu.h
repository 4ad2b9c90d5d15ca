#pragma once
// Popup menus: items with a caption ("-" is a separator), a check mark and an OnClick
// event.
// The menu is built when it pops up and the chosen item's event runs after it closes.
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "framework/component.h"
#include "framework/events.h"

class TMenuItem : public Component {
 public:
  TMenuItem(Component* owner, std::string name, std::string caption);
  const std::string& Caption() const { return caption_; }
  void SetCaption(std::string caption) { caption_ = std::move(caption); }
  bool IsLine() const { return caption_ == "-"; }
  // Shown as a check mark beside the caption the next time the menu pops up.
  bool Checked() const { return checked_; }
  void SetChecked(bool checked) { checked_ = checked; }
  void Click();

  Event<Component*> OnClick;

 private:
  std::string caption_;
  bool checked_ = false;
};

class TPopupMenu : public Component {
 public:
  explicit TPopupMenu(Component* owner, std::string name = {});
  ~TPopupMenu() override;

  TMenuItem& Add(std::string name, std::string caption);
  const std::vector<std::unique_ptr<TMenuItem>>& Items() const { return items_; }

  // Shows the menu at a screen point, owned by the application window, and runs the
  // chosen item's OnClick after it has closed.
  void Popup(int x, int y);
  Component* PopupComponent() const { return popupComponent_; }
  void SetPopupComponent(Component* component) { popupComponent_ = component; }
  // The menu of the last Popup while it is open, for tests that look at it.
  HMENU OpenHandle() const { return open_; }

 private:
  std::vector<std::unique_ptr<TMenuItem>> items_;
  Component* popupComponent_ = nullptr;
  HMENU open_ = nullptr;
};
