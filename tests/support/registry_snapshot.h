#pragma once
// The registry as it stands, read key by key and value by value through the
// registry calls (the live state; the prefix's files lag behind), so that two
// readings taken around a run tell exactly what the run wrote.
#include <windows.h>

#include <map>
#include <string>
#include <vector>

class RegistrySnapshot {
 public:
  // Every key and value below root; rootName starts each key's path ("HKEY_CURRENT_USER").
  RegistrySnapshot(HKEY root, const std::string& rootName);

  // One line per key made or removed and per value added, changed or removed from
  // this reading to the later one: "key|value name|what", the key's full path first.
  std::vector<std::string> ChangesTo(const RegistrySnapshot& later) const;
  std::size_t KeyCount() const { return keys_.size(); }

 private:
  void Read(HKEY key, const std::wstring& path, int depth);

  // Key path -> value name -> type and bytes.
  std::map<std::wstring, std::map<std::wstring, std::string>> keys_;
};

// Whether path is key or lies below it, compared without regard to case.
bool UnderKey(const std::string& path, const std::string& key);
