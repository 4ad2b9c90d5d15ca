#pragma once
// Reads the file version text out of the program's own version resource, in the
// language and code page its first translation entry names. Every step can fail
// (the path does not fit, no resource, no translation, no FileVersion, no room):
// the reader then simply has no version to give.
#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

class TProjectRcVersion {
 public:
  // The running program's file.
  TProjectRcVersion();
  // Another file, for a look at resources the program itself does not carry; a path
  // that would not fit the module name buffer reads nothing.
  explicit TProjectRcVersion(const std::string& path);

  // Copies the FileVersion text with its NUL into buffer; false (buffer untouched)
  // when there is none or it does not fit in size bytes. Not const: the system may
  // keep its converted copy of the text inside the version data.
  bool QueryFileVersion(char* buffer, std::size_t size);

 private:
  void Read();

  char moduleName_[128] = {};
  std::vector<std::uint8_t> versionData_;
  // Language x 0x10000 + code page, once the first translation entry was read.
  DWORD translation_ = 0;
  bool hasTranslation_ = false;
};
