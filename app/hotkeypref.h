#pragma once
// The slot editor, "HotKey Preferences": a modal dialog on one slot record of the
// main window. OK checks the input in a fixed order and writes it into the record,
// Delete empties the record once confirmed, Cancel leaves it alone; Tag says 1 when
// the record changed, so the main window saves it and applies its hotkey again.
#include <memory>
#include <string>

#include "app/hotkeyreg.h"
#include "components/dialog/back_panel.h"
#include "components/dialog/fx_label.h"
#include "components/dialog/markup_check_box.h"
#include "components/dialog/simple_label.h"
#include "components/dialog/skin_button.h"
#include "framework/edit_box.h"
#include "framework/form.h"

class TMainFrm;

// What the editor's controls hold when OK is pressed.
struct TSlotInput {
  std::string DisplayText;
  std::string PasteText;
  bool Ctrl = false, Alt = false, Shift = false;
  std::string Key;  // the key box's text: empty or one byte
};

// The message of the first of OK's checks that the input fails, up to the rule on
// digits; null when it passes them all. Whether the hotkey is taken is asked last,
// of the main window.
const char* SlotInputRejection(const TSlotInput& input);

class THotkeyPrefFrm : public TForm {
 public:
  // Opened on the main window, which answers whether a hotkey is free.
  explicit THotkeyPrefFrm(TMainFrm& owner);

  void FormShow(Component* Sender);
  void ButtonOkClick(Component* Sender);
  void ButtonDeleteClick(Component* Sender);
  void ButtonCancelClick(Component* Sender);

  // What the controls hold now.
  TSlotInput Input() const;

  std::unique_ptr<TBackPanel> BackPanel1;
  std::unique_ptr<TEditBox> EditPasteText;
  std::unique_ptr<TMarkupCheckBox> checkCTRL;
  std::unique_ptr<TFxLabel> FxLabel3;
  std::unique_ptr<TMarkupCheckBox> checkALT;
  std::unique_ptr<TFxLabel> checkALT2;
  std::unique_ptr<TMarkupCheckBox> checkSHIFT;
  std::unique_ptr<TFxLabel> checkSHIFT2;
  std::unique_ptr<TEditBox> keyCode;
  std::unique_ptr<TSkinButton> ButtonOk;
  std::unique_ptr<TSkinButton> ButtonCancel;
  std::unique_ptr<TEditBox> EditDisplayText;
  std::unique_ptr<TSimpleLabel> SimpleLabel1;
  std::unique_ptr<TSimpleLabel> SimpleLabel2;
  std::unique_ptr<TSimpleLabel> SimpleLabel3;
  std::unique_ptr<TFxLabel> FxLabel1;
  std::unique_ptr<TSkinButton> ButtonDelete;

  // The slot's index (0..9) and the record itself, set by the main window; the
  // record belongs to the main window's SlotList and is edited in place.
  int SlotIndex = 0;
  THotkeyStruct* Slot = nullptr;

 private:
  void LoadLayout();

  TMainFrm& mainWindow_;
};
