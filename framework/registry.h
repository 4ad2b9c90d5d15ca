#pragma once
// Registry access: a root, an access mask and at most one open (current) key.
// Reads never go past the data the system returned; failures raise Error with
// the value's name in the message.
#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>

// "'%s' の取得に失敗しました"
inline constexpr char kRegistryReadFailed[] =
    "'%s' \x82\xCC\x8E\xE6\x93\xBE\x82\xC9\x8E\xB8\x94s\x82\xB5\x82\xDC\x82\xB5\x82\xBD";
// "'%s' のデータ型が不正です"
inline constexpr char kRegistryBadType[] =
    "'%s' \x82\xCC\x83" "f\x81[\x83^\x8C^\x82\xAA\x95s\x90\xB3\x82\xC5\x82\xB7";
// "'%s' の設定に失敗しました"
inline constexpr char kRegistryWriteFailed[] =
    "'%s' \x82\xCC\x90\xDD\x92\xE8\x82\xC9\x8E\xB8\x94s\x82\xB5\x82\xDC\x82\xB5\x82\xBD";

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
  Registry(HKEY root, REGSAM access) : root_(root), access_(access) {}

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
  void WriteString(const std::string& name, const std::string& value);  // REG_SZ, text and one NUL
  void WriteInteger(const std::string& name, std::int32_t value);       // REG_DWORD

 private:
  void Write(const std::string& name, DWORD type, const void* data, DWORD size);

  HKEY root_;
  REGSAM access_;
  RegistryKey current_;
};
