#pragma once
// Registry access: a root, an access mask and at most one open (current) key.
// Reads never go past the data the system returned; failures raise Error with
// the value's name in the message.
#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>

// The messages of the errors that reads and writes raise; "%s" stands for the
// value's name. A program gives its own.
struct RegistryMessages {
  const char* readFailed = "'%s' could not be read";
  const char* badType = "'%s' is of the wrong type";
  const char* writeFailed = "'%s' could not be written";
};

// One open key; closed by the destructor. Move-only.
class RegistryKey {
 public:
  RegistryKey() = default;
  explicit RegistryKey(HKEY key) : key_(key) {}
  RegistryKey(RegistryKey&& other) noexcept : key_(other.key_) { other.key_ = nullptr; }
  RegistryKey& operator=(RegistryKey&& other) noexcept;
  ~RegistryKey() { Close(); }
  RegistryKey(const RegistryKey&) = delete;
  RegistryKey& operator=(const RegistryKey&) = delete;

  HKEY Get() const { return key_; }
  explicit operator bool() const { return key_ != nullptr; }
  void Close();

 private:
  HKEY key_ = nullptr;
};

class Registry {
 public:
  Registry(HKEY root, REGSAM access, RegistryMessages messages = {})
      : root_(root), access_(access), messages_(messages) {}

  // Opens path below the root (creating it when allowed); on success it becomes the
  // current key. Without a current key every value is missing and every write fails.
  [[nodiscard]] bool OpenKey(const std::string& path, bool canCreate);
  void CloseKey() { current_.Close(); }
  bool HasCurrentKey() const { return static_cast<bool>(current_); }

  bool ValueExists(const std::string& name) const;
  // REG_SZ or REG_EXPAND_SZ (taken verbatim); the text ends at the first NUL or at the
  // end of the data. A missing or zero-length value is the empty text.
  std::string ReadString(const std::string& name) const;
  // REG_DWORD; data of 1 to 3 bytes yields those bytes with zeros above them.
  std::int32_t ReadInteger(const std::string& name) const;
  // ValueExists and then the read in one query (two for a long text): nothing for a
  // missing value, otherwise exactly what ReadString / ReadInteger give or raise.
  std::optional<std::string> ReadStringIfExists(const std::string& name) const;
  std::optional<std::int32_t> ReadIntegerIfExists(const std::string& name) const;
  // A REG_DWORD of exactly four bytes; nothing for a missing value or one of any other
  // type or size, which is left as it is. Never raises: for a setting that has a default.
  std::optional<std::uint32_t> ReadExactDword(const std::string& name) const;
  void WriteString(const std::string& name, const std::string& value);  // REG_SZ, text and one NUL
  void WriteInteger(const std::string& name, std::int32_t value);       // REG_DWORD

 private:
  void Write(const std::string& name, DWORD type, const void* data, DWORD size);

  HKEY root_;
  REGSAM access_;
  RegistryMessages messages_;
  RegistryKey current_;
};
