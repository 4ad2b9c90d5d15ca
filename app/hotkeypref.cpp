#include "app/hotkeypref.h"

#include "app/caption_label.h"
#include "app/form_font.h"
#include "app/main.h"
#include "app/messages.h"
#include "framework/application.h"

namespace {
constexpr int kDialogTag = 1;  // the record changed
constexpr char kBackgroundTile[] = "PINSTRIPE";
constexpr int kCaptionLabelWidth = 89;

// Left, top, width, height, as the layout gives them.
struct Bounds {
  int left, top, width, height;
};

void SetArialBold(TFont& font, int height) {
  font.Set("Arial", height, DEFAULT_CHARSET);
  font.SetBold(true);
}

template <class T>
std::unique_ptr<T> Place(Component* owner, TWinControl& parent, const char* name, Bounds bounds) {
  auto control = std::make_unique<T>(owner);
  control->SetName(name);
  control->SetParent(&parent);
  control->SetBounds(bounds.left, bounds.top, bounds.width, bounds.height);
  return control;
}

// The names beside the boxes and the key field: Arial, sized to their text.
std::unique_ptr<TFxLabel> FxLabel(Component* owner, TWinControl& parent, const char* name,
                                  const char* caption, Bounds bounds) {
  auto label = Place<TFxLabel>(owner, parent, name, bounds);
  label->SetCaption(caption);
  SetArialBold(label->Font(), -13);
  return label;
}

// maxLength counts bytes.
std::unique_ptr<TEditBox> EditBox(Component* owner, TWinControl& parent, const char* name, Bounds bounds,
                                  int maxLength, int tabOrder) {
  auto edit = Place<TEditBox>(owner, parent, name, bounds);
  edit->SetMaxLength(maxLength);
  edit->SetTabOrder(tabOrder);
  return edit;
}

// Only the box shows: the caption lies past the 17-pixel width.
std::unique_ptr<TMarkupCheckBox> CheckBox(Component* owner, TWinControl& parent, const char* name, int left,
                                          int top, int tabOrder) {
  auto box = Place<TMarkupCheckBox>(owner, parent, name, {left, top, 17, 20});
  box->SetButtonType(TButtonType::btWinXP);
  box->SetColor(clWhite);
  box->SetShadowColor(clWhite);
  box->SetTabStop(true);
  box->SetTabOrder(tabOrder);
  return box;
}

std::unique_ptr<TSkinButton> SkinButton(THotkeyPrefFrm* owner, TWinControl& parent, const char* name,
                                        const char* caption, int left, int top, TSkin skin,
                                        void (THotkeyPrefFrm::*click)(Component*)) {
  auto button = Place<TSkinButton>(owner, parent, name, {left, top, 72, 24});
  button->SetCaption(caption);
  button->SkinOptions().SetSkin(skin);
  button->SetMouseEnter(false);
  SetArialBold(button->Font(), -12);
  button->OnClick = Bind(owner, click);
  return button;
}
}  // namespace

const char* SlotInputRejection(const TSlotInput& input) {
  if (input.Key.empty()) return kKeyMissing;
  if (!input.Ctrl && !input.Alt && !input.Shift) return kNoModifier;
  if (input.PasteText.empty()) return kPasteTextMissing;
  if (input.DisplayText.empty()) return kDisplayTextMissing;
  // A signed byte: lead bytes of double-byte characters are never digits.
  const auto first = static_cast<signed char>(input.Key[0]);
  if (input.Ctrl && input.Alt && input.Shift && first >= '0' && first <= '9') return kDigitWithAllModifiers;
  return nullptr;
}

THotkeyPrefFrm::THotkeyPrefFrm(TMainFrm& owner) : TForm(&owner), mainWindow_(owner) {
  LoadLayout();
  // Read from a layout, a button shows the face composed from the strip it held then;
  // the strips of the chosen skins come in now.
  for (TSkinButton* button : {ButtonOk.get(), ButtonCancel.get(), ButtonDelete.get()}) button->BuildSkin();
}

void THotkeyPrefFrm::LoadLayout() {
  BeginLoading();
  SetName("HotkeyPrefFrm");
  SetCaption("HotKey Preferences");
  SetFormFont(Font());
  // The border first: the window's size is worked out from the client size and it.
  SetBorderStyle(TFormBorderStyle::bsSingle);
  SetBorderIcons(true, false, false);
  SetClientSize(318, 209);
  SetColor(clBtnFace);
  SetPosition(TPosition::poOwnerFormCenter);
  OnShow = Bind(this, &THotkeyPrefFrm::FormShow);

  // Fills the client area; every other control lies on it.
  BackPanel1 = Place<TBackPanel>(this, *this, "BackPanel1", {0, 0, 318, 209});
  BackPanel1->Background().LoadFromResourceName(GetModuleHandleA(nullptr), kBackgroundTile);
  BackPanel1->SetBackgroundPosition(TBackGroundPosition::bpTiled);
  BackPanel1->Caption().SetVisible(false);
  BackPanel1->SetFullHeight(0);
  TWinControl& panel = *BackPanel1;

  // Edit boxes: bounds, the limit in bytes, the tab order. Check boxes: place, tab order.
  EditPasteText = EditBox(this, panel, "EditPasteText", {20, 76, 257, 20}, 64, 1);
  checkCTRL = CheckBox(this, panel, "checkCTRL", 24, 128, 2);
  FxLabel3 = FxLabel(this, panel, "FxLabel3", "CTRL", {44, 129, 36, 18});
  checkALT = CheckBox(this, panel, "checkALT", 96, 128, 3);
  checkALT2 = FxLabel(this, panel, "checkALT2", "ALT", {116, 129, 27, 18});
  checkSHIFT = CheckBox(this, panel, "checkSHIFT", 160, 128, 4);
  checkSHIFT2 = FxLabel(this, panel, "checkSHIFT2", "SHIFT", {180, 129, 40, 18});
  keyCode = EditBox(this, panel, "keyCode", {266, 127, 25, 20}, 1, 5);
  keyCode->SetCharCase(TEditCharCase::ecUpperCase);
  ButtonOk =
      SkinButton(this, panel, "ButtonOk", "OK", 240, 176, TSkin::skCyan, &THotkeyPrefFrm::ButtonOkClick);
  ButtonCancel = SkinButton(this, panel, "ButtonCancel", "Cancel", 168, 176, TSkin::skWhite,
                            &THotkeyPrefFrm::ButtonCancelClick);
  EditDisplayText = EditBox(this, panel, "EditDisplayText", {20, 28, 257, 20}, 30, 0);
  SimpleLabel1 = MakeCaptionLabel(this, panel, "SimpleLabel1", "Display Text:", 8, 8, kCaptionLabelWidth);
  SimpleLabel2 = MakeCaptionLabel(this, panel, "SimpleLabel2", "Paste Text:", 8, 56, kCaptionLabelWidth);
  SimpleLabel3 = MakeCaptionLabel(this, panel, "SimpleLabel3", "Hot Key:", 8, 106, kCaptionLabelWidth);
  FxLabel1 = FxLabel(this, panel, "FxLabel1", "Key:", {232, 128, 30, 18});
  ButtonDelete = SkinButton(this, panel, "ButtonDelete", "Delete", 8, 152, TSkin::skRed,
                            &THotkeyPrefFrm::ButtonDeleteClick);
  EndLoading();
}

void THotkeyPrefFrm::FormShow(Component*) {
  if (!Slot) return;
  EditDisplayText->SetText(Slot->DisplayText);
  EditPasteText->SetText(Slot->PasteText);
  // Any non-zero flag shows ticked, though the hotkey text counts only 1.
  checkCTRL->SetChecked(Slot->IsCTRL != 0);
  checkALT->SetChecked(Slot->IsALT != 0);
  checkSHIFT->SetChecked(Slot->IsSHIFT != 0);
  keyCode->SetText(Slot->KeyCode == 0 ? std::string() : std::string(1, Slot->KeyCode));
}

TSlotInput THotkeyPrefFrm::Input() const {
  return {EditDisplayText->Text(), EditPasteText->Text(), checkCTRL->Checked(),
          checkALT->Checked(),     checkSHIFT->Checked(), keyCode->Text()};
}

void THotkeyPrefFrm::ButtonOkClick(Component*) {
  const TSlotInput input = Input();
  const char* rejection = SlotInputRejection(input);
  if (!rejection && !mainWindow_.CheckHotkeyFree(SlotIndex, input.Ctrl, input.Alt, input.Shift, input.Key[0]))
    rejection = kHotkeyTaken;
  if (rejection) {
    // The dialog stays open with everything as typed, to be corrected.
    Application::Instance().ShowMessageBox(rejection, kErrorCaption, MB_ICONERROR);
    return;
  }
  if (Slot) {
    Slot->DisplayText = input.DisplayText;
    Slot->PasteText = input.PasteText;
    Slot->IsCTRL = input.Ctrl ? 1 : 0;
    Slot->IsALT = input.Alt ? 1 : 0;
    Slot->IsSHIFT = input.Shift ? 1 : 0;
    Slot->KeyCode = input.Key[0];
  }
  SetTag(kDialogTag);
  Close();
}

void THotkeyPrefFrm::ButtonDeleteClick(Component*) {
  if (Application::Instance().ShowMessageBox(kDeleteConfirmation, kConfirmCaption, MB_OKCANCEL) != IDOK)
    return;
  if (Slot) ClearSlot(*Slot);
  SetTag(kDialogTag);
  Close();
}

void THotkeyPrefFrm::ButtonCancelClick(Component*) {
  SetTag(0);
  Close();
}
