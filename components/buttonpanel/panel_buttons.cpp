#include "components/buttonpanel/panel_buttons.h"

#include <algorithm>

#include "components/buttonpanel/button_panel.h"
#include "framework/error.h"

// ---------------------------------------------------------------- TPanelButton

TPanelButton::TPanelButton(TPanelButtons& collection) : collection_(collection) {
  font_.OnChange = [this] { GetChange(); };
  TWinControl& panel = collection.GetOwner();
  button_ = std::make_unique<TFlatButton>(&panel);
  button_->SetCtlXP(false);
  button_->SetParent(&panel);
  button_->OnClick = [this](Component* sender) { DoOnClick(sender); };
  button_->SetEnabled(true);
  button_->SetColor(clBtnFace);
  // The item joins the collection right after this: its index is the current count.
  button_->SetTag(collection.Count());
  button_->SetHideHint(false);
}

TPanelButton::~TPanelButton() {
  font_.OnChange = nullptr;
  button_->OnClick = nullptr;
  button_.reset();
}

int TPanelButton::Index() const { return collection_.IndexOf(*this); }

void TPanelButton::SetString(int index, const std::string& value) {
  switch (index) {
    case 0:
      caption_ = value;
      button_->SetCaption(value);
      break;
    case 1:
      hint_ = value;
      button_->SetHint(value);
      break;
    default:
      break;
  }
}

void TPanelButton::SetEnabled(bool value) {
  if (value == enabled_) return;
  enabled_ = value;
  button_->SetEnabled(value);
}

void TPanelButton::GetChange() {
  button_->Font().Assign(font_);
  button_->SetParentFont(false);
  collection_.Update(this);
}

void TPanelButton::DoOnClick(Component*) {
  if (OnClick) OnClick(this, Index());
}

// ---------------------------------------------------------------- TPanelButtons

TPanelButtons::TPanelButtons(TWinControl& owner, bool layOutOwner)
    : owner_(owner), layOutOwner_(layOutOwner) {}

// Items go without announcing it: their owner is going away too.
TPanelButtons::~TPanelButtons() = default;

void TPanelButtons::CheckIndex(int index) const {
  if (index < 0 || index >= Count()) throw Error("List index out of bounds (" + std::to_string(index) + ")");
}

TPanelButton& TPanelButtons::GetItem(int index) const {
  CheckIndex(index);
  return *items_[index];
}

int TPanelButtons::IndexOf(const TPanelButton& item) const {
  auto it = std::find_if(items_.begin(), items_.end(), [&](const auto& p) { return p.get() == &item; });
  return it == items_.end() ? -1 : static_cast<int>(it - items_.begin());
}

TPanelButton& TPanelButtons::Add() {
  items_.push_back(std::unique_ptr<TPanelButton>(new TPanelButton(*this)));
  TPanelButton& item = *items_.back();
  Update(nullptr);
  return item;
}

TPanelButton& TPanelButtons::Insert(int index) {
  TPanelButton& item = Add();
  Move(Count() - 1, index);
  return item;
}

void TPanelButtons::Delete(int index) {
  CheckIndex(index);
  items_.erase(items_.begin() + index);
  Update(nullptr);
}

void TPanelButtons::Move(int from, int to) {
  CheckIndex(from);
  CheckIndex(to);
  if (from == to) return;
  auto item = std::move(items_[from]);
  items_.erase(items_.begin() + from);
  items_.insert(items_.begin() + to, std::move(item));
  Update(nullptr);
}

void TPanelButtons::Update(TPanelButton*) {
  if (OnChange) OnChange(this);
  if (!layOutOwner_) return;
  if (auto* panel = dynamic_cast<TButtonPanel*>(&owner_)) panel->SetBorders();
}
