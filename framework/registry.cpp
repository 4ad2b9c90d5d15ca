#include "framework/registry.h"

#include <algorithm>
#include <vector>

#include "framework/error.h"

RegistryKey& RegistryKey::operator=(RegistryKey&& other) noexcept {
  if (this != &other) {
    Close();
    key_ = other.key_;
    other.key_ = nullptr;
  }
  return *this;
}

void RegistryKey::Close() {
  if (key_) RegCloseKey(key_);
  key_ = nullptr;
}

bool Registry::OpenKey(const std::string& path, bool canCreate) {
  HKEY key = nullptr;
  LONG result = canCreate ? RegCreateKeyExA(root_, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, access_,
                                            nullptr, &key, nullptr)
                          : RegOpenKeyExA(root_, path.c_str(), 0, access_, &key);
  if (result != ERROR_SUCCESS) return false;
  current_ = RegistryKey(key);
  return true;
}

bool Registry::ValueExists(const std::string& name) const {
  return current_ &&
         RegQueryValueExA(current_.Get(), name.c_str(), nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}

namespace {
// Most texts fit here, so they cost one query; a longer one costs a second.
constexpr DWORD kFirstReadSize = 256;

std::string TextOf(const char* badType, const std::string& name, DWORD type, const char* data, DWORD size) {
  if (type != REG_SZ && type != REG_EXPAND_SZ) throw Error(FormatWithName(badType, name));
  // size says how much the system wrote: a REG_SZ stored without its NUL ends there.
  std::string text(data, size);
  if (auto nul = text.find('\0'); nul != std::string::npos) text.resize(nul);
  return text;
}
}  // namespace

std::optional<std::string> Registry::ReadStringIfExists(const std::string& name) const {
  if (!current_) return std::nullopt;
  char first[kFirstReadSize];
  DWORD size = sizeof first, type = 0;
  const LONG result =
      RegQueryValueExA(current_.Get(), name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(first), &size);
  if (result == ERROR_SUCCESS) {
    // Zero-length data is the empty text whatever its type.
    if (size == 0) return std::string();
    return TextOf(messages_.badType, name, type, first, std::min<DWORD>(size, sizeof first));
  }
  if (result != ERROR_MORE_DATA) return std::nullopt;
  // size now holds what the whole value needs.
  std::vector<char> data(size);
  if (RegQueryValueExA(current_.Get(), name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(data.data()),
                       &size) != ERROR_SUCCESS)
    throw Error(FormatWithName(messages_.readFailed, name));
  return TextOf(messages_.badType, name, type, data.data(),
                std::min<DWORD>(size, static_cast<DWORD>(data.size())));
}

std::string Registry::ReadString(const std::string& name) const {
  return ReadStringIfExists(name).value_or(std::string());
}

std::optional<std::int32_t> Registry::ReadIntegerIfExists(const std::string& name) const {
  if (!current_) return std::nullopt;
  std::int32_t value = 0;
  DWORD size = sizeof value, type = 0;
  const LONG result =
      RegQueryValueExA(current_.Get(), name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(&value), &size);
  // Data longer than four bytes exists but cannot be read as a number.
  if (result == ERROR_MORE_DATA) throw Error(FormatWithName(messages_.readFailed, name));
  if (result != ERROR_SUCCESS) return std::nullopt;
  if (type != REG_DWORD) throw Error(FormatWithName(messages_.badType, name));
  return value;
}

std::int32_t Registry::ReadInteger(const std::string& name) const {
  if (auto value = ReadIntegerIfExists(name)) return *value;
  throw Error(FormatWithName(messages_.readFailed, name));
}

std::optional<std::uint32_t> Registry::ReadExactDword(const std::string& name) const {
  if (!current_) return std::nullopt;
  std::uint32_t value = 0;
  DWORD size = sizeof value, type = 0;
  if (RegQueryValueExA(current_.Get(), name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(&value),
                       &size) != ERROR_SUCCESS ||
      type != REG_DWORD || size != sizeof value)
    return std::nullopt;
  return value;
}

void Registry::Write(const std::string& name, DWORD type, const void* data, DWORD size) {
  if (!current_ || RegSetValueExA(current_.Get(), name.c_str(), 0, type, static_cast<const BYTE*>(data),
                                  size) != ERROR_SUCCESS)
    throw Error(FormatWithName(messages_.writeFailed, name));
}

void Registry::WriteString(const std::string& name, const std::string& value) {
  Write(name, REG_SZ, value.c_str(), static_cast<DWORD>(value.size() + 1));
}

void Registry::WriteInteger(const std::string& name, std::int32_t value) {
  Write(name, REG_DWORD, &value, sizeof value);
}
