// The slot store against the real registry of the test prefix.
#include "app/hotkeyreg.h"

#include <windows.h>
// The system headers below build on windows.h.
#include <aclapi.h>
#include <doctest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "framework/error.h"
#include "support/text.h"

namespace {
using Bytes = std::string;  // raw value data, NULs included

struct RawValue {
  DWORD type = REG_NONE;
  Bytes data;
  bool operator==(const RawValue&) const = default;
};

Bytes Dword(DWORD value) { return Bytes(reinterpret_cast<const char*>(&value), sizeof value); }

// Opens the store's key directly, bypassing the code under test.
class RawKey {
 public:
  RawKey() {
    REQUIRE(RegCreateKeyExA(HKEY_CURRENT_USER, kStoreKeyPath, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key_,
                            nullptr) == ERROR_SUCCESS);
  }
  ~RawKey() { RegCloseKey(key_); }
  RawKey(const RawKey&) = delete;
  RawKey& operator=(const RawKey&) = delete;

  void Set(const char* name, DWORD type, const Bytes& data) {
    REQUIRE(RegSetValueExA(key_, name, 0, type, reinterpret_cast<const BYTE*>(data.data()),
                           static_cast<DWORD>(data.size())) == ERROR_SUCCESS);
  }
  RawValue Get(const char* name) const {
    RawValue value;
    DWORD size = 0;
    if (RegQueryValueExA(key_, name, nullptr, &value.type, nullptr, &size) != ERROR_SUCCESS) return {};
    value.data.resize(size);
    REQUIRE(RegQueryValueExA(key_, name, nullptr, &value.type, reinterpret_cast<BYTE*>(value.data.data()),
                             &size) == ERROR_SUCCESS);
    value.data.resize(size);
    return value;
  }
  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    char name[256];
    for (DWORD i = 0;; ++i) {
      DWORD size = sizeof name;
      if (RegEnumValueA(key_, i, name, &size, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
      names.emplace_back(name, size);
    }
    return names;
  }
  HKEY Get() const { return key_; }

 private:
  HKEY key_ = nullptr;
};

bool StoreKeyExists() {
  HKEY key;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, kStoreKeyPath, 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
  RegCloseKey(key);
  return true;
}

// Every case starts without the store's key, as on a first run.
struct CleanStore {
  CleanStore() { Remove(); }
  ~CleanStore() { Remove(); }
  static void Remove() {
    const LONG result = RegDeleteTreeA(HKEY_CURRENT_USER, kStoreKeyPath);
    REQUIRE((result == ERROR_SUCCESS || result == ERROR_FILE_NOT_FOUND));
    REQUIRE_FALSE(StoreKeyExists());
  }
};

TSlotList Load() {
  TSlotList list = MakeClearedSlotList();
  THotkeyReg().LoadSlots(list);
  return list;
}

// The message of the Error that action raises.
template <class Action>
std::string MessageOf(Action action) {
  try {
    action();
  } catch (const Error& e) {
    return e.Message();
  }
  return "(no error)";
}

std::string LoadError(TSlotList& list) {
  return MessageOf([&] { THotkeyReg().LoadSlots(list); });
}

void CheckCleared(const THotkeyStruct& slot) {
  CHECK(slot.DisplayText.empty());
  CHECK(slot.PasteText.empty());
  CHECK(slot.IsCTRL == 0);
  CHECK(slot.IsALT == 0);
  CHECK(slot.IsSHIFT == 0);
  CHECK(slot.KeyCode == 0);
}

THotkeyStruct Slot(std::string display, std::string paste, int ctrl, int alt, int shift, char key) {
  THotkeyStruct slot;
  slot.DisplayText = std::move(display);
  slot.PasteText = std::move(paste);
  slot.IsCTRL = ctrl;
  slot.IsALT = alt;
  slot.IsSHIFT = shift;
  slot.KeyCode = key;
  return slot;
}
}  // namespace

TEST_CASE("a cleared record has empty texts, zero flags and no key") {
  THotkeyStruct slot = Slot("name", "text", 1, 1, 1, 'K');
  ClearSlot(slot);
  CheckCleared(slot);
  const TSlotList list = MakeClearedSlotList();
  REQUIRE(list.size() == 10);
  for (const auto& record : list) CheckCleared(*record);
}

TEST_CASE_FIXTURE(CleanStore,
                  "first run: the key is created, all slots load cleared and nothing is written") {
  const TSlotList list = Load();
  for (const auto& slot : list) CheckCleared(*slot);
  REQUIRE(StoreKeyExists());
  CHECK(RawKey().Names().empty());
}

TEST_CASE_FIXTURE(CleanStore,
                  "missing texts load empty while missing flags and key leave the record as it was") {
  RawKey().Set("DisplayText99", REG_SZ, Bytes("unrelated", 10));
  TSlotList list = MakeClearedSlotList();
  for (auto& slot : list) *slot = Slot("old", "old", 7, 8, 9, 'q');
  THotkeyReg().LoadSlots(list);
  for (const auto& slot : list) {
    CHECK(slot->DisplayText.empty());
    CHECK(slot->PasteText.empty());
    CHECK(slot->IsCTRL == 7);
    CHECK(slot->IsALT == 8);
    CHECK(slot->IsSHIFT == 9);
    CHECK(slot->KeyCode == 'q');
  }
}

TEST_CASE_FIXTURE(CleanStore, "only DisplayText03 present: slot 3 has it, everything else is cleared") {
  RawKey().Set("DisplayText03", REG_SZ, Bytes("Greeting\0", 9));
  const TSlotList list = Load();
  for (int i = 0; i < kSlotCount; ++i) {
    CAPTURE(i);
    THotkeyStruct expected;
    if (i == 2) expected.DisplayText = "Greeting";
    CHECK(list[i]->DisplayText == expected.DisplayText);
    CHECK(list[i]->PasteText.empty());
    CHECK(list[i]->IsCTRL == 0);
    CHECK(list[i]->IsALT == 0);
    CHECK(list[i]->IsSHIFT == 0);
    CHECK(list[i]->KeyCode == 0);
  }
}

TEST_CASE_FIXTURE(CleanStore, "reading values: key text, numbers and texts") {
  struct Case {
    const char* what;
    DWORD type;
    Bytes data;
    char key;  // expected KeyCode02 when the value is KeyCode02
  };
  SUBCASE("KeyCode takes the first byte of its text, or 0 when the text is empty") {
    const Case cases[] = {
        {"ab", REG_SZ, Bytes("ab\0", 3), 'a'},
        {"lower case kept", REG_SZ, Bytes("k\0", 2), 'k'},
        {"empty text", REG_SZ, Bytes("\0", 1), 0},
        {"zero-length data", REG_SZ, Bytes(), 0},
        {"two NULs as saved for no key", REG_SZ, Bytes("\0\0", 2), 0},
        {"expandable string", REG_EXPAND_SZ, Bytes("%\0", 2), '%'},
    };
    for (const Case& c : cases) {
      CAPTURE(c.what);
      RawKey().Set("KeyCode02", c.type, c.data);
      TSlotList list = MakeClearedSlotList();
      list[1]->KeyCode = 'x';
      THotkeyReg().LoadSlots(list);
      CHECK(list[1]->KeyCode == c.key);
    }
  }
  SUBCASE("a flag holds any stored number unchanged") {
    RawKey raw;
    raw.Set("IsALT05", REG_DWORD, Dword(5));
    raw.Set("IsCTRL05", REG_DWORD, Dword(0xFFFFFFFF));
    raw.Set("IsSHIFT05", REG_DWORD, Dword(1));
    const TSlotList list = Load();
    CHECK(list[4]->IsALT == 5);
    CHECK(list[4]->IsCTRL == -1);
    CHECK(list[4]->IsSHIFT == 1);
  }
  SUBCASE("an expandable string is taken verbatim") {
    RawKey().Set("PasteText06", REG_EXPAND_SZ, Bytes("dir %TEMP%\\x\0", 13));
    CHECK(Load()[5]->PasteText == "dir %TEMP%\\x");
  }
  SUBCASE("a text ends at the end of the data when it was stored without its NUL") {
    RawKey raw;
    raw.Set("DisplayText01", REG_SZ, "abc");
    raw.Set("KeyCode01", REG_SZ, "z");
    const TSlotList list = Load();
    CHECK(list[0]->DisplayText == "abc");
    CHECK(list[0]->KeyCode == 'z');
  }
  SUBCASE("a text ends at its first NUL") {
    RawKey().Set("DisplayText01", REG_SZ, Bytes("ab\0cd\0", 6));
    CHECK(Load()[0]->DisplayText == "ab");
  }
  SUBCASE("texts around and beyond the size of a first read load whole") {
    for (size_t length : {255u, 256u, 257u, 4000u}) {
      for (bool withNul : {true, false}) {
        CAPTURE(length);
        CAPTURE(withNul);
        Bytes text;
        for (size_t k = 0; k < length; ++k) text += static_cast<char>('a' + k % 26);
        RawKey raw;
        raw.Set("PasteText07", REG_SZ, withNul ? text + '\0' : text);
        raw.Set("KeyCode07", REG_EXPAND_SZ, "m" + text + '\0');
        const TSlotList list = Load();
        CHECK(list[6]->PasteText == text);
        CHECK(list[6]->KeyCode == 'm');
      }
    }
    RawKey().Set("DisplayText07", REG_SZ, Bytes(300, 'x') + '\0' + "tail" + '\0');
    CHECK(Load()[6]->DisplayText == Bytes(300, 'x'));
  }
  SUBCASE("a short REG_DWORD yields its bytes with zeros above them") {
    const struct {
      Bytes data;
      std::int32_t value;
    } cases[] = {
        {Bytes("\xFF", 1), 0xFF},
        {Bytes("\x01\x80", 2), 0x8001},
        {Bytes("\x11\x22\xF3", 3), 0xF32211},
    };
    for (const auto& c : cases) {
      CAPTURE(c.data.size());
      RawKey().Set("IsSHIFT08", REG_DWORD, c.data);
      TSlotList list = MakeClearedSlotList();
      list[7]->IsSHIFT = -1;  // every bit set: stray bytes would survive
      THotkeyReg().LoadSlots(list);
      CHECK(list[7]->IsSHIFT == c.value);
    }
  }
}

TEST_CASE_FIXTURE(CleanStore, "a bad value stops the load with a message naming it") {
  struct Case {
    const char* name;
    DWORD type;
    Bytes data;
    const char* message;
  };
  const Case cases[] = {
      {"IsCTRL01", REG_SZ, Bytes("1\0", 2), "'IsCTRL01' のデータ型が不正です"},
      {"IsCTRL01", REG_SZ, Bytes("1234\0", 5), "'IsCTRL01' の取得に失敗しました"},
      {"IsCTRL01", REG_BINARY, Bytes("\1\0\0\0\0", 5), "'IsCTRL01' の取得に失敗しました"},
      {"KeyCode01", REG_DWORD, Dword('K'), "'KeyCode01' のデータ型が不正です"},
      {"DisplayText01", REG_BINARY, Bytes("x\0", 2), "'DisplayText01' のデータ型が不正です"},
      {"PasteText01", REG_BINARY, Bytes(1000, 'x'), "'PasteText01' のデータ型が不正です"},
      {"IsSHIFT01", REG_DWORD, Bytes(300, '\1'), "'IsSHIFT01' の取得に失敗しました"},
  };
  for (const Case& c : cases) {
    CAPTURE(c.name);
    CleanStore::Remove();
    RawKey().Set(c.name, c.type, c.data);
    TSlotList list = MakeClearedSlotList();
    CHECK(LoadError(list) == Cp932FromUtf8(c.message));
  }
}

TEST_CASE_FIXTURE(CleanStore, "PasteText04 as REG_DWORD stops after slots 1-3 and slot 4's display text") {
  {
    RawKey raw;
    for (const char* n : {"01", "02", "03", "04", "05"}) {
      raw.Set((std::string("DisplayText") + n).c_str(), REG_SZ, Bytes("D") + n + '\0');
      raw.Set((std::string("IsCTRL") + n).c_str(), REG_DWORD, Dword(1));
    }
    raw.Set("PasteText04", REG_DWORD, Dword(4));
  }
  TSlotList list = MakeClearedSlotList();
  for (auto& slot : list) slot->PasteText = "before";
  CHECK(LoadError(list) == Cp932FromUtf8("'PasteText04' のデータ型が不正です"));
  for (int i = 0; i < 3; ++i) {
    CHECK(list[i]->DisplayText == "D0" + std::to_string(i + 1));
    CHECK(list[i]->PasteText.empty());
    CHECK(list[i]->IsCTRL == 1);
  }
  CHECK(list[3]->DisplayText == "D04");
  CHECK(list[3]->PasteText == "before");
  CHECK(list[3]->IsCTRL == 0);
  CHECK(list[4]->DisplayText.empty());
  CHECK(list[4]->PasteText == "before");
}

TEST_CASE_FIXTURE(CleanStore, "saving writes six values with their exact types and bytes") {
  const std::string japanese = Cp932FromUtf8("挨拶ソ");  // 0x5C as a trail byte
  struct Case {
    const char* what;
    THotkeyStruct slot;
    int index;
    const char* suffix;
    Bytes display, paste, ctrl, alt, shift, key;
  };
  const Case cases[] = {
      {"cleared slot 7", THotkeyStruct{}, 6, "07", Bytes("\0", 1), Bytes("\0", 1), Dword(0), Dword(0),
       Dword(0), Bytes("\0\0", 2)},
      {"full slot 1", Slot(japanese, "Hello\r\nWorld", 1, 0, 1, 'K'), 0, "01", japanese + '\0',
       Bytes("Hello\r\nWorld\0", 13), Dword(1), Dword(0), Dword(1), Bytes("K\0", 2)},
      {"odd flags kept", Slot("d", "p", 2, -1, 0, 'z'), 2, "03", Bytes("d\0", 2), Bytes("p\0", 2), Dword(2),
       Dword(0xFFFFFFFF), Dword(0), Bytes("z\0", 2)},
  };
  for (const Case& c : cases) {
    CAPTURE(c.what);
    CleanStore::Remove();
    THotkeyReg().SaveSlot(c.slot, c.index);
    RawKey raw;
    const std::string n = c.suffix;
    CHECK(raw.Get(("DisplayText" + n).c_str()) == RawValue{REG_SZ, c.display});
    CHECK(raw.Get(("PasteText" + n).c_str()) == RawValue{REG_SZ, c.paste});
    CHECK(raw.Get(("IsCTRL" + n).c_str()) == RawValue{REG_DWORD, c.ctrl});
    CHECK(raw.Get(("IsALT" + n).c_str()) == RawValue{REG_DWORD, c.alt});
    CHECK(raw.Get(("IsSHIFT" + n).c_str()) == RawValue{REG_DWORD, c.shift});
    CHECK(raw.Get(("KeyCode" + n).c_str()) == RawValue{REG_SZ, c.key});
    CHECK(raw.Names().size() == 6);

    const TSlotList list = Load();
    const THotkeyStruct& back = *list[c.index];
    CHECK(back.DisplayText == c.slot.DisplayText);
    CHECK(back.PasteText == c.slot.PasteText);
    CHECK(back.IsCTRL == c.slot.IsCTRL);
    CHECK(back.IsALT == c.slot.IsALT);
    CHECK(back.IsSHIFT == c.slot.IsSHIFT);
    CHECK(back.KeyCode == c.slot.KeyCode);
  }
}

TEST_CASE_FIXTURE(CleanStore, "slot index 9 writes the names ending in 10 and only those") {
  THotkeyReg().SaveSlot(Slot("ten", "10", 1, 1, 1, '0'), 9);
  std::vector<std::string> names = RawKey().Names();
  std::sort(names.begin(), names.end());
  CHECK(names == std::vector<std::string>{"DisplayText10", "IsALT10", "IsCTRL10", "IsSHIFT10", "KeyCode10",
                                          "PasteText10"});
}

TEST_CASE_FIXTURE(CleanStore, "saving overwrites the slot's values and deletes nothing") {
  THotkeyReg().SaveSlot(Slot("first", "long paste text", 1, 1, 1, 'A'), 4);
  RawKey().Set("Unrelated", REG_SZ, Bytes("keep\0", 5));
  THotkeyReg().SaveSlot(THotkeyStruct{}, 4);
  RawKey raw;
  CHECK(raw.Get("PasteText05") == RawValue{REG_SZ, Bytes("\0", 1)});
  CHECK(raw.Get("IsALT05") == RawValue{REG_DWORD, Dword(0)});
  CHECK(raw.Get("KeyCode05") == RawValue{REG_SZ, Bytes("\0\0", 2)});
  CHECK(raw.Get("Unrelated") == RawValue{REG_SZ, Bytes("keep\0", 5)});
  CheckCleared(*Load()[4]);
}

TEST_CASE_FIXTURE(CleanStore,
                  "a store whose key cannot be opened for writing loads cleared and fails to save") {
  // Everyone may only read (and delete, so the fixture can clean up): opening with
  // KEY_ALL_ACCESS is refused and the store has no current key.
  RawKey().Set("DisplayText01", REG_SZ, Bytes("visible\0", 8));
  {
    EXPLICIT_ACCESS_A access{};
    BuildExplicitAccessWithNameA(&access, const_cast<char*>("EVERYONE"), KEY_READ | DELETE, SET_ACCESS,
                                 NO_INHERITANCE);
    PACL acl = nullptr;
    REQUIRE(SetEntriesInAclA(1, &access, nullptr, &acl) == ERROR_SUCCESS);
    RawKey raw;
    const DWORD result = SetSecurityInfo(raw.Get(), SE_REGISTRY_KEY,
                                         DACL_SECURITY_INFORMATION | PROTECTED_DACL_SECURITY_INFORMATION,
                                         nullptr, nullptr, acl, nullptr);
    LocalFree(acl);
    REQUIRE(result == ERROR_SUCCESS);
  }
  HKEY probe;
  REQUIRE(RegOpenKeyExA(HKEY_CURRENT_USER, kStoreKeyPath, 0, KEY_ALL_ACCESS, &probe) == ERROR_ACCESS_DENIED);

  const TSlotList list = Load();
  CheckCleared(*list[0]);

  CHECK(MessageOf([] { THotkeyReg().SaveSlot(Slot("x", "y", 1, 0, 0, 'X'), 2); }) ==
        Cp932FromUtf8("'DisplayText03' の設定に失敗しました"));
}

namespace {
// The messages a program gives the registry; the store's own are checked through it above.
const RegistryMessages kMessages{"read %s", "type of %s", "write %s"};
}  // namespace

TEST_CASE_FIXTURE(CleanStore, "the single-query reads tell a missing value from an empty one") {
  {
    RawKey raw;
    raw.Set("Empty", REG_SZ, Bytes());
    raw.Set("Zero", REG_DWORD, Dword(0));
  }
  Registry registry(HKEY_CURRENT_USER, KEY_READ, kMessages);
  REQUIRE(registry.OpenKey(kStoreKeyPath, false));
  CHECK(registry.ReadStringIfExists("Missing") == std::nullopt);
  CHECK(registry.ReadStringIfExists("Empty") == std::string());
  CHECK(registry.ReadIntegerIfExists("Missing") == std::nullopt);
  CHECK(registry.ReadIntegerIfExists("Zero") == 0);
  CHECK(registry.ReadString("Missing").empty());
  CHECK(MessageOf([&] { registry.ReadInteger("Missing"); }) == "read Missing");

  Registry closed(HKEY_CURRENT_USER, KEY_READ);
  CHECK(closed.ReadStringIfExists("Empty") == std::nullopt);
  CHECK(closed.ReadIntegerIfExists("Zero") == std::nullopt);
}

TEST_CASE_FIXTURE(CleanStore, "a write through a key opened for reading reports the value's name") {
  RawKey().Set("IsCTRL01", REG_DWORD, Dword(1));
  Registry registry(HKEY_CURRENT_USER, KEY_READ, kMessages);
  REQUIRE(registry.OpenKey(kStoreKeyPath, false));
  CHECK(registry.ReadInteger("IsCTRL01") == 1);
  CHECK(MessageOf([&] { registry.WriteInteger("IsCTRL01", 0); }) == "write IsCTRL01");
  CHECK(RawKey().Get("IsCTRL01") == RawValue{REG_DWORD, Dword(1)});
}
