#include "registry_snapshot.h"

#include <vector>

namespace {
// Wine's link keys (CurrentControlSet) are followed; no key of a prefix lies this deep.
constexpr int kDeepest = 40;

std::wstring Wide(const std::string& text) {
  std::wstring wide(text.size() + 1, L'\0');
  wide.resize(static_cast<std::size_t>(
      MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, wide.data(), static_cast<int>(wide.size())) - 1));
  return wide;
}

// In the test's code page, for messages; characters it lacks come out as '?'.
std::string Narrow(const std::wstring& text) {
  const int size = WideCharToMultiByte(CP_ACP, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
  std::string narrow(static_cast<std::size_t>(size), '\0');
  WideCharToMultiByte(CP_ACP, 0, text.c_str(), -1, narrow.data(), size, nullptr, nullptr);
  narrow.pop_back();
  return narrow;
}

std::string Line(const std::wstring& key, const std::wstring& value, const char* what) {
  return Narrow(key) + "|" + Narrow(value) + "|" + what;
}
}  // namespace

RegistrySnapshot::RegistrySnapshot(HKEY root, const std::string& rootName) { Read(root, Wide(rootName), 0); }

void RegistrySnapshot::Read(HKEY key, const std::wstring& path, int depth) {
  auto& values = keys_[path];
  DWORD subkeys = 0, valueCount = 0, longestValue = 0, longestData = 0;
  if (RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, &valueCount, &longestValue,
                       &longestData, nullptr, nullptr) != ERROR_SUCCESS)
    return;
  std::vector<wchar_t> name(longestValue + 2);
  std::vector<BYTE> data(longestData + 2);
  for (DWORD i = 0;; ++i) {
    DWORD nameSize = static_cast<DWORD>(name.size()), dataSize = static_cast<DWORD>(data.size()), type = 0;
    const LONG result = RegEnumValueW(key, i, name.data(), &nameSize, nullptr, &type, data.data(), &dataSize);
    if (result == ERROR_MORE_DATA) {  // written to between the two calls: read it again, larger
      name.resize(name.size() * 2 + 256);
      data.resize(data.size() * 2 + 4096);
      --i;
      continue;
    }
    if (result != ERROR_SUCCESS) break;
    values[std::wstring(name.data(), nameSize)] =
        std::to_string(type) + ":" + std::string(reinterpret_cast<const char*>(data.data()), dataSize);
  }
  if (depth >= kDeepest) return;
  std::vector<wchar_t> subkey(256);
  for (DWORD i = 0;; ++i) {
    DWORD size = static_cast<DWORD>(subkey.size());
    if (RegEnumKeyExW(key, i, subkey.data(), &size, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
      break;
    const std::wstring child(subkey.data(), size);
    HKEY opened = nullptr;
    if (RegOpenKeyExW(key, child.c_str(), 0, KEY_READ, &opened) != ERROR_SUCCESS) continue;
    Read(opened, path + L"\\" + child, depth + 1);
    RegCloseKey(opened);
  }
}

std::vector<std::string> RegistrySnapshot::ChangesTo(const RegistrySnapshot& later) const {
  std::vector<std::string> changes;
  for (const auto& [path, values] : keys_) {
    const auto now = later.keys_.find(path);
    if (now == later.keys_.end()) {
      changes.push_back(Line(path, L"", "key removed"));
      continue;
    }
    for (const auto& [name, data] : values) {
      const auto value = now->second.find(name);
      if (value == now->second.end())
        changes.push_back(Line(path, name, "value removed"));
      else if (value->second != data)
        changes.push_back(Line(path, name, "value changed"));
    }
    for (const auto& [name, data] : now->second)
      if (!values.count(name)) changes.push_back(Line(path, name, "value added"));
  }
  for (const auto& [path, values] : later.keys_) {
    if (keys_.count(path)) continue;
    changes.push_back(Line(path, L"", "key made"));
    for (const auto& [name, data] : values) changes.push_back(Line(path, name, "value added"));
  }
  return changes;
}

bool UnderKey(const std::string& path, const std::string& key) {
  if (path.size() < key.size() || (path.size() > key.size() && path[key.size()] != '\\')) return false;
  return CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, path.c_str(), static_cast<int>(key.size()),
                        key.c_str(), static_cast<int>(key.size())) == CSTR_EQUAL;
}
