#pragma once
// The borderless quick-select list that Ctrl+Shift+Z opens above the pointer: one
// row per slot with a display text; a click pastes that slot, Esc closes.
#include <memory>
#include <vector>

#include "app/popup_placement.h"
#include "components/buttonpanel/button_panel.h"
#include "framework/events.h"
#include "framework/form.h"

class TDM;

class TFormQuickSel : public TForm {
 public:
  // The data module owns it and gives it the slots to offer and the paste to start.
  explicit TFormQuickSel(TDM& owner, const MonitorLookup& monitorAt = MonitorRectAt);
  ~TFormQuickSel() override;

  void ButtonExecListButtonClick(Component* Sender, Component* SendBtn, int Btn);
  void ButtonExecListKeyDown(Component* Sender, std::uint16_t& Key, TShiftState Shift);

  std::unique_ptr<TButtonPanel> ButtonExecList;
  int ShownCount = 0;

 private:
  void LoadLayout();

  TDM& dataModule_;
  // Row k offers slot Rows[k]: the slots with a display text, in slot order.
  std::vector<int> rows_;
};
