#pragma once
// A single-line edit box: the system's edit control, bound to an object like every
// other windowed control. Its length limit counts bytes of the ANSI text, so a
// double-byte character that does not fit whole is refused whole.
#include <cstdint>
#include <string>

#include "framework/control.h"

enum class TEditCharCase : std::uint8_t { ecNormal, ecUpperCase, ecLowerCase };

class TEditBox : public TWinControl {
 public:
  explicit TEditBox(Component* owner);

  // The text as the user left it, or as last set.
  const std::string& Text() const { return text_; }
  // Set from code, the text is taken as it is, whatever the limit.
  void SetText(std::string value);
  // At most this many bytes can be typed or pasted; 0 for no limit.
  int MaxLength() const { return maxLength_; }
  void SetMaxLength(int value);
  // Letters typed in are turned into capitals (or small letters).
  TEditCharCase CharCase() const { return charCase_; }
  void SetCharCase(TEditCharCase value);

  // Raised after each change of the text, by the user or by SetText.
  TNotifyEvent OnChange;

 protected:
  void CreateParams(TCreateParams& params) override;
  void WndProc(Message& message) override;
  void CommandNotify(WORD code) override;
  void HandleCreated() override;

 private:
  void TextChanged();
  std::string WindowText();
  LRESULT CallEdit(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0);

  std::string text_;
  int maxLength_ = 0;
  TEditCharCase charCase_ = TEditCharCase::ecNormal;
  bool settingText_ = false;
  DWORD selectionBefore_ = 0;  // EM_GETSEL before the last input that could add text
};
