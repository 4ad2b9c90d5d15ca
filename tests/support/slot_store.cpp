#include "slot_store.h"

#include <aclapi.h>

#include <cstdio>

namespace {
const char kKey[] = "Software\\Dastrel\\Velnor";
}

std::string StoreName(const char* prefix, int n) {
  char name[32];
  std::snprintf(name, sizeof name, "%s%02d", prefix, n);
  return name;
}

void ClearStore() {
  RegDeleteTreeA(HKEY_CURRENT_USER, kKey);
  RegDeleteKeyA(HKEY_CURRENT_USER, kKey);
}

bool DenyWritesToStore() {
  HKEY key = nullptr;
  if (RegCreateKeyExA(HKEY_CURRENT_USER, kKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) != 0)
    return false;
  EXPLICIT_ACCESS_A access{};
  BuildExplicitAccessWithNameA(&access, const_cast<char*>("EVERYONE"), KEY_READ | DELETE, SET_ACCESS,
                               NO_INHERITANCE);
  PACL acl = nullptr;
  DWORD result = SetEntriesInAclA(1, &access, nullptr, &acl);
  if (result == ERROR_SUCCESS) {
    result =
        SetSecurityInfo(key, SE_REGISTRY_KEY, DACL_SECURITY_INFORMATION | PROTECTED_DACL_SECURITY_INFORMATION,
                        nullptr, nullptr, acl, nullptr);
    LocalFree(acl);
  }
  RegCloseKey(key);
  return result == ERROR_SUCCESS;
}

void WriteStoreValue(const std::string& name, DWORD type, const std::string& bytes) {
  HKEY key;
  if (RegCreateKeyExA(HKEY_CURRENT_USER, kKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) != 0)
    return;
  RegSetValueExA(key, name.c_str(), 0, type, reinterpret_cast<const BYTE*>(bytes.data()),
                 static_cast<DWORD>(bytes.size()));
  RegCloseKey(key);
}

void WriteStoredSlot(int n, const StoredSlot& slot) {
  auto dword = [](DWORD v) { return std::string(reinterpret_cast<const char*>(&v), 4); };
  WriteStoreValue(StoreName("DisplayText", n), REG_SZ, slot.display + '\0');
  WriteStoreValue(StoreName("PasteText", n), REG_SZ, slot.paste + '\0');
  WriteStoreValue(StoreName("IsCTRL", n), REG_DWORD, dword(slot.ctrl));
  WriteStoreValue(StoreName("IsALT", n), REG_DWORD, dword(slot.alt));
  WriteStoreValue(StoreName("IsSHIFT", n), REG_DWORD, dword(slot.shift));
  WriteStoreValue(StoreName("KeyCode", n), REG_SZ, std::string{slot.key, '\0'});
}

std::optional<RawValue> ReadStoreValue(const std::string& name) {
  HKEY key;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, kKey, 0, KEY_READ, &key) != 0) return std::nullopt;
  DWORD type = 0, size = 0;
  std::optional<RawValue> result;
  if (RegQueryValueExA(key, name.c_str(), nullptr, &type, nullptr, &size) == 0) {
    std::string bytes(size, '\0');
    if (RegQueryValueExA(key, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(bytes.data()), &size) ==
        0) {
      bytes.resize(size);
      result = RawValue{type, bytes};
    }
  }
  RegCloseKey(key);
  return result;
}
