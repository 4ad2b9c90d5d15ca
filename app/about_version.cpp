#include "app/about_version.h"

#include <cstring>

TProjectRcVersion::TProjectRcVersion() {
  const DWORD length = GetModuleFileNameA(nullptr, moduleName_, sizeof moduleName_);
  // A path that filled the buffer was cut short: it names some other file, or none.
  if (length == 0 || length >= sizeof moduleName_) return;
  Read();
}

TProjectRcVersion::TProjectRcVersion(const std::string& path) {
  if (path.empty() || path.size() >= sizeof moduleName_) return;
  std::memcpy(moduleName_, path.c_str(), path.size() + 1);
  Read();
}

void TProjectRcVersion::Read() {
  DWORD handle = 0;
  const DWORD size = GetFileVersionInfoSizeA(moduleName_, &handle);
  if (size == 0) return;
  versionData_.resize(size);
  if (!GetFileVersionInfoA(moduleName_, handle, size, versionData_.data())) {
    versionData_.clear();
    return;
  }
  void* entry = nullptr;
  UINT length = 0;
  if (!VerQueryValueA(versionData_.data(), "\\VarFileInfo\\Translation", &entry, &length) || !entry ||
      length < sizeof(DWORD))
    return;
  // Language in the low half, code page in the high half; the string table's name
  // wants them the other way round.
  DWORD value;
  std::memcpy(&value, entry, sizeof value);
  translation_ = (value << 16) | (value >> 16);
  hasTranslation_ = true;
}

bool TProjectRcVersion::QueryFileVersion(char* buffer, std::size_t size) {
  if (!hasTranslation_) return false;
  char path[64];
  wsprintfA(path, "\\StringFileInfo\\%08lx\\%s", static_cast<unsigned long>(translation_), "FileVersion");
  void* value = nullptr;
  UINT length = 0;
  if (!VerQueryValueA(versionData_.data(), path, &value, &length) || !value) return false;
  const std::size_t needed = std::strlen(static_cast<const char*>(value)) + 1;
  if (size < length || size < needed) return false;
  std::memcpy(buffer, value, needed);
  return true;
}
