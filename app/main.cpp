#include "app/main.h"

#include "app/about.h"
#include "app/datamod.h"
#include "app/form_font.h"
#include "app/hotkeypref.h"
#include "app/restore_setting.h"
#include "app/shortcut.h"
#include "framework/application.h"

namespace {
constexpr int kSlotButtonCaption = 0;
constexpr size_t kQuickSelectCaptionMax = 16;
}  // namespace

TMainFrm::TMainFrm(Component* owner, TDM& dataModule) : TForm(owner), dataModule_(dataModule) {
  LoadLayout();
  EditSlot = Bind(this, &TMainFrm::EditSlotInEditor);
  Application::Instance().SetTitle("Velnor");
  SlotList = std::make_unique<TSlotList>(MakeClearedSlotList());
  THotkeyReg().LoadSlots(*SlotList);
  RefreshButtons(*ButtonList, kCaptionModeMainWindow);
  for (int i = 0; i < kSlotCount; ++i) dataModule_.ApplyHotkey(i, MakeHotkeyText(*(*SlotList)[i]));
  dataModule_.SetSlots(SlotList.get());
  const bool restore = ReadRestoreClipboard();
  RestoreClipboardR1->SetChecked(restore);
  dataModule_.SetRestoreClipboard(restore);
  TrayIcon->SetActive(true);
}

TMainFrm::~TMainFrm() {
  if (SlotList && dataModule_.Slots() == SlotList.get()) dataModule_.SetSlots(nullptr);
  // The subclasses come off last in, first out: the icon's sits on top of the hook's.
  TrayIcon.reset();
  WndProcHook.reset();
  ButtonList.reset();
  TaskTrayPopupMenu.reset();
}

void TMainFrm::LoadLayout() {
  BeginLoading();
  SetCaption("Velnor Preferences");
  SetFormFont(Font());
  // The border first: the window's size is worked out from the client size and it.
  SetBorderStyle(TFormBorderStyle::bsSingle);
  SetBorderIcons(true, true, false);
  SetClientSize(280, 250);
  SetColor(clBtnFace);
  SetPosition(TPosition::poScreenCenter);
  OnClose = Bind(this, &TMainFrm::FormClose);

  TaskTrayPopupMenu = std::make_unique<TPopupMenu>(this, "TaskTrayPopupMenu");
  PreferencesP1 = &TaskTrayPopupMenu->Add("PreferencesP1", "Preferences(&P)");
  PreferencesP1->OnClick = Bind(this, &TMainFrm::PreferencesP1Click);
  N1 = &TaskTrayPopupMenu->Add("N1", "-");
  AboutA1 = &TaskTrayPopupMenu->Add("AboutA1", "About(&A)");
  AboutA1->OnClick = Bind(this, &TMainFrm::AboutA1Click);
  RestoreClipboardR1 = &TaskTrayPopupMenu->Add("RestoreClipboardR1", "Restore clipboard(&R)");
  RestoreClipboardR1->OnClick = Bind(this, &TMainFrm::RestoreClipboardR1Click);
  N2 = &TaskTrayPopupMenu->Add("N2", "-");
  QuitQ1 = &TaskTrayPopupMenu->Add("QuitQ1", "Quit(&Q)");
  QuitQ1->OnClick = Bind(this, &TMainFrm::QuitQ1Click);

  ButtonList = std::make_unique<TButtonPanel>(this);
  ButtonList->SetName("ButtonList");
  ButtonList->SetParent(this);
  ButtonList->SetBounds(0, 0, 280, 251);
  AddSlotButtons(*ButtonList);
  ButtonList->SetButtonHeight(50);
  ButtonList->SetButtonWidth(140);
  ButtonList->SetButtonStyle(TUserButtonStyle::ubsWin40Ext);
  ButtonList->SetButtonParentCtlXP(false);
  // Transparent, the panel never shows its fill: the gradient is there for a panel
  // made opaque.
  ButtonList->Bevel().SetMode(TBevelMode::bmCustom);
  ButtonList->FillObject().SetStyle(TFillStyle::sfGradient);
  ButtonList->SetPopupMenu(TaskTrayPopupMenu.get());
  ButtonList->SetTabOrder(0);
  ButtonList->SetTransparent(true);
  ButtonList->OnButtonClick = Bind(this, &TMainFrm::ButtonListButtonClick);

  TrayIcon = std::make_unique<TTrayIcon>(this);
  TrayIcon->SetName("TrayIcon");
  TrayIcon->SetActive(false);
  TrayIcon->SetHint("Velnor");
  TrayIcon->Icon().LoadFromResource(1);
  TrayIcon->SetPopupMenu(TaskTrayPopupMenu.get());
  TrayIcon->OnDblClick = Bind(this, &TMainFrm::TrayIconDblClick);

  WndProcHook = std::make_unique<TWndProcHook>(this);
  WndProcHook->SetName("WndProcHook");
  WndProcHook->SetActive(true);
  WndProcHook->SetWinControl(this);
  WndProcHook->OnMessageAfter = Bind(this, &TMainFrm::WndProcHookMessageAfter);
  EndLoading();
}

void TMainFrm::AddSlotButtons(TButtonPanel& panel) {
  for (int i = 0; i < kSlotCount; ++i) {
    TPanelButton& item = panel.Buttons().Add();
    item.SetCtlXP(true);
    SetFormFont(item.Font());
  }
}

std::string TMainFrm::MakeHotkeyText(const THotkeyStruct& slot) { return ::MakeHotkeyText(slot); }

bool TMainFrm::CheckHotkeyFree(int index, bool ctrl, bool alt, bool shift, char key) const {
  THotkeyStruct probe;
  probe.IsCTRL = ctrl ? 1 : 0;
  probe.IsALT = alt ? 1 : 0;
  probe.IsSHIFT = shift ? 1 : 0;
  probe.KeyCode = key;
  return dataModule_.IsHotkeyFree(index, MakeHotkeyText(probe));
}

void TMainFrm::RefreshButtons(TButtonPanel& panel, int mode) {
  if (!SlotList) return;
  for (int i = 0; i < kSlotCount; ++i) RefreshButton(i, *(*SlotList)[i], mode, panel);
}

void TMainFrm::RefreshButton(int index, const THotkeyStruct& slot, int mode, TButtonPanel& panel) {
  const std::string name = slot.DisplayText.empty() ? " " : slot.DisplayText;
  std::string caption;
  if (mode == kCaptionModeMainWindow) {
    const std::string hotkey = MakeHotkeyText(slot);
    if (!hotkey.empty()) caption = name + "\n(" + hotkey + ")";
  } else if (mode == kCaptionModeQuickSelect) {
    caption = name;
    // Cut by bytes: the cut may split a double-byte character, as the display allows.
    if (caption.size() > kQuickSelectCaptionMax)
      caption = caption.substr(0, kQuickSelectCaptionMax - 1) + "..";
  }
  panel.Buttons().GetItem(index).SetString(kSlotButtonCaption, caption);
}

void TMainFrm::ButtonListButtonClick(Component*, Component*, int Btn) {
  if (EditSlot) EditSlot(Btn);
}

void TMainFrm::EditSlotInEditor(int index) {
  if (!SlotList || index < 0 || index >= static_cast<int>(SlotList->size())) return;
  THotkeyStruct& slot = *(*SlotList)[index];
  THotkeyPrefFrm editor(*this);
  editor.SlotIndex = index;
  editor.Slot = &slot;
  editor.ShowModal();
  if (editor.Tag() != 1) return;
  // A failed save leaves here for the standard error box: the record keeps the edit,
  // while the button and the hotkey stay as they were.
  THotkeyReg().SaveSlot(slot, index);
  RefreshButton(index, slot, kCaptionModeMainWindow, *ButtonList);
  dataModule_.ApplyHotkey(index, MakeHotkeyText(slot));
}

void TMainFrm::TrayIconDblClick(Component*) {
  TrayIcon->SetActive(false);
  ShowWindow(Application::Instance().Handle(), SW_SHOW);
  Show();
}

void TMainFrm::PreferencesP1Click(Component* Sender) { TrayIconDblClick(Sender); }

void TMainFrm::WndProcHookMessageAfter(Component*, Message& Msg, bool& Handled) {
  if (Msg.Msg != WM_SYSCOMMAND || Msg.WParam != SC_MINIMIZE) return;
  TrayIcon->SetActive(true);
  ShowWindow(Application::Instance().Handle(), SW_HIDE);
  Hide();
  Handled = true;
}

void TMainFrm::AboutA1Click(Component*) {
  TAboutFrm about(this);
  about.ShowModal();
}

void TMainFrm::RestoreClipboardR1Click(Component*) {
  const bool on = !RestoreClipboardR1->Checked();
  // Stored first: a failed write goes to the standard error box and changes nothing.
  WriteRestoreClipboard(on);
  RestoreClipboardR1->SetChecked(on);
  dataModule_.SetRestoreClipboard(on);
}

void TMainFrm::QuitQ1Click(Component*) { Close(); }

void TMainFrm::FormClose(Component*, TCloseAction&) {
  // Readers check the data module first: nothing may reach the records once they go.
  dataModule_.SetSlots(nullptr);
  SlotList.reset();
}
