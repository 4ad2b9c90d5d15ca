#include "framework/edit_box.h"

#include "framework/flag_scope.h"

TEditBox::TEditBox(Component* owner) : TWinControl(owner) {
  bounds_ = {0, 0, 121, 21};
  SetTabStop(true);
  font_.OnChange = [this] {
    if (HandleAllocated()) SendMessageA(Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(font_.Handle()), TRUE);
  };
}

void TEditBox::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  params.WindowClass = "EDIT";
  params.Caption = text_;
  params.Style = WS_CHILD | WS_CLIPSIBLINGS | WS_TABSTOP | ES_AUTOHSCROLL | (Visible() ? WS_VISIBLE : 0);
  if (charCase_ == TEditCharCase::ecUpperCase) params.Style |= ES_UPPERCASE;
  if (charCase_ == TEditCharCase::ecLowerCase) params.Style |= ES_LOWERCASE;
  params.ExStyle = WS_EX_CLIENTEDGE;
}

LRESULT TEditBox::CallEdit(UINT msg, WPARAM wParam, LPARAM lParam) {
  Message message{msg, wParam, lParam, 0};
  DefaultHandler(message);
  return message.Result;
}

void TEditBox::WndProc(Message& message) {
  switch (message.Msg) {
    case WM_PAINT:
    case WM_ERASEBKGND:
    case WM_CAPTURECHANGED:
    case WM_MOUSELEAVE:
      // The edit control draws itself and tracks its own selection drags.
      DefaultHandler(message);
      return;
    case WM_CHAR:
    case WM_IME_CHAR:
    case WM_PASTE:
    case WM_UNDO:
    case EM_UNDO:
    case EM_REPLACESEL:
      // Where a refused input puts the caret back.
      selectionBefore_ = static_cast<DWORD>(CallEdit(EM_GETSEL));
      break;
  }
  TWinControl::WndProc(message);
}

void TEditBox::HandleCreated() {
  SendMessageA(Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(font_.Handle()), FALSE);
  CallEdit(EM_LIMITTEXT, static_cast<WPARAM>(maxLength_));
}

void TEditBox::CommandNotify(WORD code) {
  if (code == EN_CHANGE) TextChanged();
}

std::string TEditBox::WindowText() {
  const int length = GetWindowTextLengthA(Handle());
  std::string text(static_cast<size_t>(length) + 1, '\0');
  text.resize(static_cast<size_t>(GetWindowTextA(Handle(), text.data(), length + 1)));
  return text;
}

void TEditBox::TextChanged() {
  std::string now = WindowText();
  if (now == text_) return;
  // The system counts the limit in characters; a double-byte character that passed
  // it but not the byte count would otherwise leave half of itself in the text.
  if (!settingText_ && maxLength_ > 0 && now.size() > static_cast<size_t>(maxLength_)) {
    {
      FlagScope restoring(settingText_);
      SetWindowTextA(Handle(), text_.c_str());
    }
    CallEdit(EM_SETSEL, LOWORD(selectionBefore_), HIWORD(selectionBefore_));
    MessageBeep(0);
    return;
  }
  text_ = std::move(now);
  if (OnChange) OnChange(this);
}

void TEditBox::SetText(std::string value) {
  if (!HandleAllocated()) {
    if (value == text_) return;
    text_ = std::move(value);
    if (OnChange) OnChange(this);
    return;
  }
  FlagScope setting(settingText_);
  SetWindowTextA(Handle(), value.c_str());
  // The edit control may change the text as it takes it (capitals).
  TextChanged();
}

void TEditBox::SetMaxLength(int value) {
  maxLength_ = value < 0 ? 0 : value;
  if (HandleAllocated()) CallEdit(EM_LIMITTEXT, static_cast<WPARAM>(maxLength_));
}

void TEditBox::SetCharCase(TEditCharCase value) {
  if (value == charCase_) return;
  charCase_ = value;
  if (!HandleAllocated()) return;
  LONG_PTR style =
      GetWindowLongPtrA(Handle(), GWL_STYLE) & ~static_cast<LONG_PTR>(ES_UPPERCASE | ES_LOWERCASE);
  if (charCase_ == TEditCharCase::ecUpperCase) style |= ES_UPPERCASE;
  if (charCase_ == TEditCharCase::ecLowerCase) style |= ES_LOWERCASE;
  SetWindowLongPtrA(Handle(), GWL_STYLE, style);
}
