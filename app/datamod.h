#pragma once
// The data module: owns the eleven system-wide hotkeys (ten slots and Ctrl+Shift+Z),
// answers clash questions, applies slot hotkeys and turns presses into pastes.
#include <memory>
#include <string>
#include <vector>

#include "app/hotkeyreg.h"
#include "app/paste_queue.h"
#include "components/system/global_hotkey.h"
#include "framework/component.h"

class TDM : public Component {
 public:
  explicit TDM(Component* owner);
  ~TDM() override;

  bool IsHotkeyFree(int index, const std::string& text) const;
  void ApplyHotkey(int index, const std::string& text);
  void PasteSlot(int index, TShiftState shift);
  // The switch that puts the user's clipboard content back after a run of pastes.
  void SetRestoreClipboard(bool on) { pastes_->SetRestoreClipboard(on); }
  // At the program's end, after its message loop: lets the pastes still pending finish
  // (bounded; see PasteQueue::FinishPending).
  void FinishPendingPastes() { pastes_->FinishPending(); }

  void GlobalHotKey1KeyDown(Component* Sender, std::uint16_t& Key, TShiftState Shift);
  void GlobalHotKeySysKeyDown(Component* Sender, std::uint16_t& Key, TShiftState Shift);

  // The slot records are owned by the main window. They are readable only between
  // SetSlots(list) after loading and SetSlots(nullptr) when they are released; a press
  // arriving outside that span is dropped.
  void SetSlots(const TSlotList* slots) { slots_ = slots; }
  const TSlotList* Slots() const { return slots_; }

  std::unique_ptr<TGlobalHotKey> GlobalHotKeySys;
  // Entry i is the component of slot i (Tag i); destroying the list withdraws their keys.
  std::vector<std::unique_ptr<TGlobalHotKey>> HotkeyList;

 private:
  void LoadLayout();

  const TSlotList* slots_ = nullptr;
  // Shared with every paste worker, which may outlive the data module.
  std::shared_ptr<PasteQueue> pastes_ = std::make_shared<PasteQueue>();
};
