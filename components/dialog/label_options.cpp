#include "components/dialog/label_options.h"

UINT LabelOptionFlags(TLabelOptions options) {
  UINT flags = 0;
  if (options.Contains(TLabelOption::loPathEllipsis)) flags |= DT_PATH_ELLIPSIS;
  if (options.Contains(TLabelOption::loEndEllipsis)) flags |= DT_END_ELLIPSIS;
  if (options.Contains(TLabelOption::loEditControl)) flags |= DT_EDITCONTROL;
  return flags;
}

std::string JumpTarget(TJumpModes mode, const std::string& jump, const std::string& caption) {
  if (mode != TJumpModes::jmInternet && mode != TJumpModes::jmApplication) return {};
  if (jump.find_first_not_of(' ') != std::string::npos) return jump;
  if (mode == TJumpModes::jmInternet && caption.find('@') != std::string::npos) return "mailto:" + caption;
  return caption;
}

namespace {
char Upper(char c) {
  // CharUpperA takes one character in the low word of its argument.
  auto code = static_cast<ULONG_PTR>(static_cast<unsigned char>(c));
  return static_cast<char>(reinterpret_cast<ULONG_PTR>(CharUpperA(reinterpret_cast<LPSTR>(code))));
}
}  // namespace

bool IsAccelerator(char key, const std::string& caption) {
  for (size_t i = 0; i + 1 < caption.size(); ++i) {
    const char c = caption[i];
    if (IsDBCSLeadByte(static_cast<BYTE>(c))) {
      ++i;  // a double-byte character is never an ampersand
      continue;
    }
    if (c != '&') continue;
    if (caption[i + 1] == '&') {
      ++i;
      continue;
    }
    return Upper(caption[i + 1]) == Upper(key);
  }
  return false;
}
