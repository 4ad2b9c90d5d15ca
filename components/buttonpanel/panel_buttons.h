#pragma once
// The button descriptions of a button panel: an ordered collection whose items
// each own one flat button living on the collection's owner. A button's Tag keeps
// the index its item had when it was created, whatever moves afterwards.
#include <memory>
#include <string>
#include <vector>

#include "components/buttonpanel/flat_button.h"
#include "framework/events.h"
#include "framework/font.h"

class TPanelButton;
class TPanelButtons;

// Sender (the item), index (the item's current position).
using TOnCustomBtnClick = Event<TPanelButton*, int>;

class TPanelButton {
  friend class TPanelButtons;

 public:
  ~TPanelButton();
  TPanelButton(const TPanelButton&) = delete;
  TPanelButton& operator=(const TPanelButton&) = delete;

  int Index() const;
  TPanelButtons& Collection() const { return collection_; }

  // String index 0 is the caption, 1 the hint; any other index is ignored.
  void SetString(int index, const std::string& value);
  const std::string& Caption() const { return caption_; }
  const std::string& Hint() const { return hint_; }

  // Changes to the font reach the button and lay the panel out again.
  TFont& Font() { return font_; }
  void SetFont(const TFont& value) { font_.Assign(value); }
  bool ParentFont() const { return button_->ParentFont(); }
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool value);
  bool CtlXP() const { return button_->CtlXP(); }
  void SetCtlXP(bool value) { button_->SetCtlXP(value); }

  TFlatButton& Button() { return *button_; }

  // The button's click handler unless the panel dispatches clicks itself.
  void DoOnClick(Component* sender);
  TOnCustomBtnClick OnClick;

 private:
  explicit TPanelButton(TPanelButtons& collection);
  void GetChange();

  TPanelButtons& collection_;
  std::string hint_;
  std::string caption_;
  bool enabled_ = true;
  TFont font_;
  std::unique_ptr<TFlatButton> button_;
};

class TPanelButtons {
 public:
  // With layOutOwner set and a button panel as owner, every change lays it out again.
  TPanelButtons(TWinControl& owner, bool layOutOwner);
  ~TPanelButtons();
  TPanelButtons(const TPanelButtons&) = delete;
  TPanelButtons& operator=(const TPanelButtons&) = delete;

  TWinControl& GetOwner() const { return owner_; }
  int Count() const { return static_cast<int>(items_.size()); }
  // Raises Error for an index outside 0..Count-1.
  TPanelButton& GetItem(int index) const;
  int IndexOf(const TPanelButton& item) const;

  TPanelButton& Add();
  // Created at the end, then moved to index.
  TPanelButton& Insert(int index);
  void Delete(int index);
  void Move(int from, int to);

  // Runs after every change, addition, deletion or move (item null: the whole collection).
  void Update(TPanelButton* item);
  Event<TPanelButtons*> OnChange;

 private:
  void CheckIndex(int index) const;

  TWinControl& owner_;
  bool layOutOwner_;
  std::vector<std::unique_ptr<TPanelButton>> items_;
};
