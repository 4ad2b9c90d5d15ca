#pragma once
// The borderless quick-select list that Ctrl+Shift+Z opens above the pointer: one
// row per slot with a display text; a click pastes that slot, Esc closes.
#include <memory>
#include <vector>

#include "app/popup_placement.h"
#include "components/buttonpanel/button_panel.h"
#include "framework/form.h"

class TFormQuickSel : public TForm {
 public:
  explicit TFormQuickSel(Component* owner, const MonitorLookup& monitorAt = MonitorRectAt);
  ~TFormQuickSel() override;

  void ButtonExecListButtonClick(Component* Sender, Component* SendBtn, int Btn);
  void ButtonExecListKeyDown(Component* Sender, std::uint16_t& Key, TShiftState Shift);

  std::unique_ptr<TButtonPanel> ButtonExecList;
  int ShownCount = 0;

 private:
  void LoadLayout();

  // Row k offers slot Rows[k]: the slots with a display text, in slot order.
  std::vector<int> rows_;
};
