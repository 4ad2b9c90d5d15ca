#include "app/datamod.h"

#include <windows.h>

#include "app/copypaste.h"
#include "app/quicksel.h"
#include "app/shortcut.h"

TDM::TDM(Component* owner) : Component(owner, "DM") {
  LoadLayout();
  GlobalHotKeySys->SetHotKey(ShortCut('Z', {ShiftFlag::Shift, ShiftFlag::Ctrl}));
}

TDM::~TDM() {
  slots_ = nullptr;
  HotkeyList.clear();       // the ten slot keys go first,
  GlobalHotKeySys.reset();  // then Ctrl+Shift+Z
}

void TDM::LoadLayout() {
  BeginLoading();
  for (int i = 0; i < kSlotCount; ++i) {
    auto hotkey = std::make_unique<TGlobalHotKey>(this);
    hotkey->SetName("GlobalHotKey" + std::to_string(i + 1));
    hotkey->SetTag(i);
    hotkey->SetEnabled(false);
    hotkey->SetHotKey(0);
    hotkey->OnKeyDown = Bind(this, &TDM::GlobalHotKey1KeyDown);
    HotkeyList.push_back(std::move(hotkey));
  }
  GlobalHotKeySys = std::make_unique<TGlobalHotKey>(this);
  GlobalHotKeySys->SetName("GlobalHotKeySys");
  GlobalHotKeySys->SetTag(9);
  GlobalHotKeySys->SetHotKey(0);
  GlobalHotKeySys->OnKeyDown = Bind(this, &TDM::GlobalHotKeySysKeyDown);
  EndLoading();
}

bool TDM::IsHotkeyFree(int index, const std::string& text) const {
  const TShortCut value = TextToShortCut(text);
  if (value == GlobalHotKeySys->HotKey()) return false;
  for (int j = 0; j < static_cast<int>(HotkeyList.size()); ++j)
    if (j != index && HotkeyList[j]->HotKey() == value) return false;
  return true;
}

void TDM::ApplyHotkey(int index, const std::string& text) {
  TGlobalHotKey& hotkey = *HotkeyList.at(index);
  if (text.empty()) {
    hotkey.SetEnabled(false);
    hotkey.SetHotKey(TextToShortCut(text));
    return;
  }
  // A registered key is withdrawn before the new one is made: the component never
  // replaces a registration under its identifier by itself.
  if (hotkey.Active()) hotkey.SetEnabled(false);
  hotkey.SetHotKey(TextToShortCut(text));
  hotkey.SetEnabled(true);
}

void TDM::PasteSlot(int index, TShiftState shift) {
  if (!slots_ || index < 0 || index >= static_cast<int>(slots_->size())) return;
  auto* worker = new TCopyPaste(pastes_);  // frees itself when the paste is done
  worker->ShiftHeld = shift.Contains(ShiftFlag::Shift);
  worker->AltHeld = shift.Contains(ShiftFlag::Alt);
  worker->PasteText = (*slots_)[index]->PasteText;
  worker->Start();
}

void TDM::GlobalHotKey1KeyDown(Component* Sender, std::uint16_t&, TShiftState Shift) {
  PasteSlot(Sender->Tag(), Shift);
}

void TDM::GlobalHotKeySysKeyDown(Component*, std::uint16_t&, TShiftState) {
  // A second press while the popup is open changes nothing.
  if (FindWindowA(nullptr, "FormQuickSel")) return;
  // Before the main window has loaded the slots (a failed start) or after it released
  // them, there is nothing to offer.
  if (!slots_) return;
  TFormQuickSel popup(*this);
  if (popup.ShownCount != 0) popup.ShowModal();
}
