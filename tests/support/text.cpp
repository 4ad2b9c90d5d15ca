#include "text.h"

#include <windows.h>

namespace {
std::string Convert(const std::string& in, UINT from, UINT to) {
  if (in.empty()) return {};
  int wide = MultiByteToWideChar(from, MB_ERR_INVALID_CHARS, in.data(), (int)in.size(), nullptr, 0);
  std::wstring w(wide, L'\0');
  MultiByteToWideChar(from, 0, in.data(), (int)in.size(), w.data(), wide);
  int bytes = WideCharToMultiByte(to, 0, w.data(), wide, nullptr, 0, nullptr, nullptr);
  std::string out(bytes, '\0');
  WideCharToMultiByte(to, 0, w.data(), wide, out.data(), bytes, nullptr, nullptr);
  return out;
}
}  // namespace

std::string Cp932FromUtf8(const std::string& utf8) { return Convert(utf8, CP_UTF8, 932); }
std::string Utf8FromCp932(const std::string& cp932) { return Convert(cp932, 932, CP_UTF8); }
