#pragma once
// The main window, "Velnor Preferences": owns the ten slot records, shows them as
// ten buttons, hides into the notification area on minimise and comes back from it.
#include <memory>
#include <string>

#include "app/hotkeyreg.h"
#include "components/buttonpanel/button_panel.h"
#include "components/system/tray_icon.h"
#include "components/system/wnd_proc_hook.h"
#include "framework/form.h"
#include "framework/menu.h"

class TDM;

// The two caption forms of RefreshButton: this window's two-line caption, and the
// quick-select popup's shortened display text.
inline constexpr int kCaptionModeMainWindow = 0;
inline constexpr int kCaptionModeQuickSelect = 1;

class TMainFrm : public TForm {
 public:
  // Slots are applied and checked through the data module, which outlives the window.
  TMainFrm(Component* owner, TDM& dataModule);
  ~TMainFrm() override;

  static std::string MakeHotkeyText(const THotkeyStruct& slot);
  bool CheckHotkeyFree(int index, bool ctrl, bool alt, bool shift, char key) const;
  void RefreshButtons(TButtonPanel& panel, int mode);
  static void RefreshButton(int index, const THotkeyStruct& slot, int mode, TButtonPanel& panel);
  // One button per slot, as both slot panels (this window's and the popup's) lay them out.
  static void AddSlotButtons(TButtonPanel& panel);

  void ButtonListButtonClick(Component* Sender, Component* SendBtn, int Btn);
  void TrayIconDblClick(Component* Sender);
  void PreferencesP1Click(Component* Sender);
  void WndProcHookMessageAfter(Component* Sender, Message& Msg, bool& Handled);
  void AboutA1Click(Component* Sender);
  void RestoreClipboardR1Click(Component* Sender);
  void QuitQ1Click(Component* Sender);
  void FormClose(Component* Sender, TCloseAction& Action);

  // Edits one slot: set to EditSlotInEditor by the constructor.
  Event<int> EditSlot;
  // The slot editor on the record itself; a confirmed change or deletion is saved,
  // captioned and applied.
  void EditSlotInEditor(int index);

  std::unique_ptr<TButtonPanel> ButtonList;
  std::unique_ptr<TTrayIcon> TrayIcon;
  std::unique_ptr<TWndProcHook> WndProcHook;
  std::unique_ptr<TPopupMenu> TaskTrayPopupMenu;
  TMenuItem* PreferencesP1 = nullptr;
  TMenuItem* N1 = nullptr;
  TMenuItem* AboutA1 = nullptr;
  TMenuItem* RestoreClipboardR1 = nullptr;
  TMenuItem* N2 = nullptr;
  TMenuItem* QuitQ1 = nullptr;
  // Null once FormClose released the records.
  std::unique_ptr<TSlotList> SlotList;

 private:
  void LoadLayout();

  TDM& dataModule_;
};
