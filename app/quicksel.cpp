#include "app/quicksel.h"

#include "app/datamod.h"
#include "app/form_font.h"
#include "app/main.h"
#include "app/messages.h"
#include "app/popup_placement.h"
#include "framework/application.h"

namespace {
constexpr int kPopupWidth = 109;
}  // namespace

TFormQuickSel::TFormQuickSel(TDM& owner, const MonitorLookup& monitorAt) : TForm(&owner), dataModule_(owner) {
  LoadLayout();
  const TSlotList* slots = dataModule_.Slots();
  if (slots) {
    for (int i = 0; i < static_cast<int>(slots->size()); ++i)
      if (!(*slots)[i]->DisplayText.empty()) rows_.push_back(i);
    // The named slots fill the rows from the top; rows past them are never shown.
    for (int k = 0; k < kSlotCount; ++k) {
      const int slot = k < static_cast<int>(rows_.size()) ? rows_[k] : k;
      TMainFrm::RefreshButton(k, *(*slots)[slot], kCaptionModeQuickSelect, *ButtonExecList);
    }
  }
  ShownCount = static_cast<int>(rows_.size());
  if (ShownCount == 0) Application::Instance().ShowMessageBox(kNoHotkeysMessage, kErrorCaption, MB_ICONERROR);

  const int height = ButtonExecList->GetBtnSize(0) * ShownCount;
  POINT pointer{};
  GetCursorPos(&pointer);
  // The monitor under the pointer, not the primary screen: on a second monitor the
  // popup opens beside the pointer instead of at the primary screen's edge.
  const POINT at = PlacePopup(pointer, Width(), height, monitorAt(pointer));
  SetBounds(at.x, at.y, Width(), height);
  SetForegroundWindow(Handle());
}

TFormQuickSel::~TFormQuickSel() { ButtonExecList.reset(); }

void TFormQuickSel::LoadLayout() {
  BeginLoading();
  SetName("FormQuickSel");
  SetCaption("FormQuickSel");
  SetFormFont(Font());
  SetBorderStyle(TFormBorderStyle::bsNone);
  SetBorderIcons(false, false, false);
  SetClientSize(kPopupWidth, 200);
  SetColor(clBtnFace);

  ButtonExecList = std::make_unique<TButtonPanel>(this);
  ButtonExecList->SetName("ButtonExecList");
  ButtonExecList->SetParent(this);
  ButtonExecList->SetBounds(0, 0, 110, 201);
  TMainFrm::AddSlotButtons(*ButtonExecList);
  ButtonExecList->SetButtonWidth(110);
  ButtonExecList->SetTabStop(true);
  ButtonExecList->OnButtonClick = Bind(this, &TFormQuickSel::ButtonExecListButtonClick);
  ButtonExecList->OnKeyDown = Bind(this, &TFormQuickSel::ButtonExecListKeyDown);
  EndLoading();
}

void TFormQuickSel::ButtonExecListButtonClick(Component*, Component*, int Btn) {
  // No Alt or Shift to release; after Quit released the records the data module
  // pastes nothing.
  if (Btn >= 0 && Btn < static_cast<int>(rows_.size())) dataModule_.PasteSlot(rows_[Btn], {});
  Close();
}

void TFormQuickSel::ButtonExecListKeyDown(Component*, std::uint16_t& Key, TShiftState) {
  if (Key == VK_ESCAPE) Close();
}
