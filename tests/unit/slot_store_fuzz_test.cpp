// The slot store fed random registry data in the real registry of the test prefix:
// all sixty values of every case are missing or of a random type, size and content
// (texts without their NUL, embedded NULs, lone code page 932 lead bytes, 64 KB).
// A load must fill the records exactly as the reading rules say for the data the
// system returns, or stop with the one message that names the first bad value,
// leaving the records after it as they were; each load returns in time. The rules
// are restated here from the store's format, not taken from the code.
#include <doctest.h>
#include <windows.h>

#include <cstdint>
#include <iterator>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "app/hotkeyreg.h"
#include "framework/error.h"
#include "fuzz_run.h"
#include "slot_store.h"
#include "support/text.h"

namespace {
constexpr std::uint32_t kSeed = 1100060;
constexpr int kCases = 300;
// A load of sixty values, 64 KB ones among them, takes a few milliseconds under Wine.
constexpr double kSlowLoadMs = 2000;

constexpr const char* kStems[] = {"DisplayText", "PasteText", "IsCTRL", "IsALT", "IsSHIFT", "KeyCode"};
enum Stem { kDisplay, kPaste, kCtrl, kAlt, kShift, kKey };

// Puts the store's key back as the test found it: its values, or no key at all.
class StoreAsFound {
 public:
  StoreAsFound() {
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kStoreKeyPath, 0, KEY_READ, &key) != ERROR_SUCCESS) return;
    existed_ = true;
    char name[16384];
    for (DWORD i = 0;; ++i) {
      DWORD size = sizeof name;
      if (RegEnumValueA(key, i, name, &size, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
      std::string valueName(name, size);
      if (auto value = ReadStoreValue(valueName)) values_.push_back({valueName, *value});
    }
    RegCloseKey(key);
  }
  ~StoreAsFound() {
    ClearStore();
    if (!existed_) return;
    HKEY key;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, kStoreKeyPath, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                        nullptr) != ERROR_SUCCESS)
      return;
    RegCloseKey(key);
    for (const auto& [name, value] : values_) WriteStoreValue(name, value.type, value.bytes);
  }
  StoreAsFound(const StoreAsFound&) = delete;
  StoreAsFound& operator=(const StoreAsFound&) = delete;

 private:
  bool existed_ = false;
  std::vector<std::pair<std::string, RawValue>> values_;
};

constexpr DWORD kTypes[] = {
    REG_SZ,   REG_EXPAND_SZ, REG_MULTI_SZ,         REG_DWORD,         REG_BINARY, REG_QWORD,
    REG_NONE, REG_LINK,      REG_DWORD_BIG_ENDIAN, REG_RESOURCE_LIST, 0x12345678};
constexpr std::size_t kSizes[] = {0, 1, 2, 3, 4, 5, 7, 8, 31, 255, 256, 257, 1023, 4096, 65536};
constexpr unsigned char kLeadBytes[] = {0x81, 0x88, 0x9F, 0xE0, 0xEA, 0xFC};

// Random values for the sixty names: mostly what a store can hold, sometimes anything.
class ValueMaker {
 public:
  explicit ValueMaker(std::uint32_t seed) : random_(seed) {}

  std::size_t Below(std::size_t n) { return std::uniform_int_distribution<std::size_t>(0, n - 1)(random_); }
  std::uint32_t Word() { return static_cast<std::uint32_t>(random_()); }

  // Nothing for a missing value. badChance in 1000ths: how often a value ignores its kind.
  std::optional<RawValue> Next(Stem stem, std::size_t badChance) {
    if (Below(6) == 0) return std::nullopt;
    const bool text = stem == kDisplay || stem == kPaste || stem == kKey;
    if (Below(1000) < badChance) return RawValue{kTypes[Below(std::size(kTypes))], Bytes(AnySize())};
    if (text) return RawValue{Below(4) == 0 ? DWORD{REG_EXPAND_SZ} : DWORD{REG_SZ}, Bytes(TextSize())};
    return RawValue{REG_DWORD, Bytes(Below(8) == 0 ? Below(5) : 4)};
  }

 private:
  std::size_t AnySize() { return Below(3) == 0 ? kSizes[Below(std::size(kSizes))] : Below(600); }
  std::size_t TextSize() {
    if (Below(40) == 0) return 65536;
    return Below(3) == 0 ? kSizes[Below(std::size(kSizes) - 1)] : Below(80);
  }

  // size bytes of one random kind of content; a text-like one may lack its NUL.
  std::string Bytes(std::size_t size) {
    std::string bytes(size, '\0');
    const std::size_t kind = Below(5);
    for (char& c : bytes) {
      switch (kind) {
        case 0:  // anything
          c = static_cast<char>(Below(256));
          break;
        case 1:  // printable ASCII, with an occasional NUL
          c = Below(20) == 0 ? '\0' : static_cast<char>(' ' + Below(95));
          break;
        case 2:  // double-byte characters and stray lead bytes
          c = static_cast<char>(Below(3) == 0 ? kLeadBytes[Below(std::size(kLeadBytes))]
                                              : 0x40 + Below(0xBD));
          break;
        case 3:  // small numbers, as flags hold
          c = static_cast<char>(Below(3));
          break;
        default:  // one letter repeated
          c = 'k';
          break;
      }
    }
    if (size > 0) {
      switch (Below(4)) {
        case 0:
          bytes.back() = '\0';
          break;
        case 1:  // a lone lead byte just before the end of the data
          bytes.back() = static_cast<char>(kLeadBytes[Below(std::size(kLeadBytes))]);
          break;
        default:
          break;
      }
    }
    return bytes;
  }

  std::mt19937 random_;
};

// "'%s' の取得に失敗しました" and "'%s' のデータ型が不正です" with the value's name.
std::string Message(const char* utf8, const std::string& name) {
  std::string message = Cp932FromUtf8(utf8);
  message.replace(message.find("%s"), 2, name);
  return message;
}
std::string ReadFailed(const std::string& name) { return Message("'%s' の取得に失敗しました", name); }
std::string BadType(const std::string& name) { return Message("'%s' のデータ型が不正です", name); }

struct Failure {
  std::string message;
};

// Read text: nothing for a missing value; the empty text for zero-length data of any
// type; otherwise a string type, and its bytes up to the first NUL or the data's end.
std::optional<std::string> ReadText(const std::string& name, const std::optional<RawValue>& value) {
  if (!value) return std::nullopt;
  if (value->bytes.empty()) return std::string();
  if (value->type != REG_SZ && value->type != REG_EXPAND_SZ) throw Failure{BadType(name)};
  return value->bytes.substr(0, value->bytes.find('\0'));
}

// Read number: a value longer than the four-byte buffer cannot be read, then the type
// must be REG_DWORD; fewer than four bytes fill the low bytes of the number.
std::optional<std::int32_t> ReadNumber(const std::string& name, const std::optional<RawValue>& value) {
  if (!value) return std::nullopt;
  if (value->bytes.size() > 4) throw Failure{ReadFailed(name)};
  if (value->type != REG_DWORD) throw Failure{BadType(name)};
  std::uint32_t number = 0;
  for (std::size_t i = 0; i < value->bytes.size(); ++i)
    number |= static_cast<std::uint32_t>(static_cast<unsigned char>(value->bytes[i])) << (8 * i);
  return static_cast<std::int32_t>(number);
}

// LoadSlots as the store's format says, over the values as the system returns them.
std::string ExpectedLoad(std::vector<THotkeyStruct>& slots) {
  try {
    for (int i = 0; i < kSlotCount; ++i) {
      THotkeyStruct& slot = slots[i];
      auto name = [i](Stem stem) { return StoreName(kStems[stem], i + 1); };
      auto stored = [&](Stem stem) { return ReadStoreValue(name(stem)); };
      slot.DisplayText = ReadText(name(kDisplay), stored(kDisplay)).value_or("");
      slot.PasteText = ReadText(name(kPaste), stored(kPaste)).value_or("");
      if (auto n = ReadNumber(name(kCtrl), stored(kCtrl))) slot.IsCTRL = *n;
      if (auto n = ReadNumber(name(kAlt), stored(kAlt))) slot.IsALT = *n;
      if (auto n = ReadNumber(name(kShift), stored(kShift))) slot.IsSHIFT = *n;
      if (auto key = ReadText(name(kKey), stored(kKey))) slot.KeyCode = key->empty() ? '\0' : (*key)[0];
    }
  } catch (const Failure& failure) {
    return failure.message;
  }
  return "(no error)";
}

THotkeyStruct RandomRecord(ValueMaker& maker) {
  THotkeyStruct slot;
  slot.DisplayText = "before " + std::to_string(maker.Below(100));
  slot.PasteText = std::string(maker.Below(70), 'p');
  slot.IsCTRL = static_cast<std::int32_t>(maker.Word());
  slot.IsALT = static_cast<std::int32_t>(maker.Below(3));
  slot.IsSHIFT = -1;
  slot.KeyCode = static_cast<char>(maker.Below(256));
  return slot;
}

// The value as stored, for a failure report: type, size and its first bytes.
std::string Describe(const std::string& name) {
  const auto value = ReadStoreValue(name);
  if (!value) return name + " missing";
  return name + " type " + std::to_string(value->type) + ", " + std::to_string(value->bytes.size()) +
         " bytes: " + CLiteral(value->bytes.substr(0, 40));
}
}  // namespace

TEST_CASE(
    "random registry data for all sixty values: a load fills the records as stored or names the bad value") {
  StoreAsFound asFound;
  FuzzRun fuzz("slot_store", kSeed, kCases, kSlowLoadMs);
  ValueMaker maker(fuzz.Seed());
  int failedLoads = 0, wholeLoads = 0;
  for (int run = 0; run < fuzz.Cases(); ++run) {
    ClearStore();
    // From clean stores through a bad value now and then to one in every other value.
    static constexpr std::size_t kBadChances[] = {0, 5, 20, 100, 500};
    const std::size_t badChance = kBadChances[maker.Below(std::size(kBadChances))];
    for (int n = 1; n <= kSlotCount; ++n)
      for (int stem = kDisplay; stem <= kKey; ++stem)
        if (auto value = maker.Next(static_cast<Stem>(stem), badChance))
          WriteStoreValue(StoreName(kStems[stem], n), value->type, value->bytes);

    std::vector<THotkeyStruct> expected;
    TSlotList list = MakeClearedSlotList();
    for (auto& slot : list) {
      *slot = RandomRecord(maker);
      expected.push_back(*slot);
    }
    const std::string expectedMessage = ExpectedLoad(expected);

    std::string message = "(no error)";
    const double ms = fuzz.Time([&] {
      try {
        THotkeyReg().LoadSlots(list);
      } catch (const Error& e) {
        message = e.Message();
      }
    });
    (message == "(no error)" ? wholeLoads : failedLoads) += 1;

    bool same = message == expectedMessage;
    for (int i = 0; i < kSlotCount; ++i) {
      const THotkeyStruct &got = *list[i], &want = expected[i];
      same = same && got.DisplayText == want.DisplayText && got.PasteText == want.PasteText &&
             got.IsCTRL == want.IsCTRL && got.IsALT == want.IsALT && got.IsSHIFT == want.IsSHIFT &&
             got.KeyCode == want.KeyCode;
    }
    if (!same || fuzz.TooSlow(ms)) {
      CAPTURE(run);
      CAPTURE(ms);
      CHECK(ms <= kSlowLoadMs);
      CHECK(Utf8FromCp932(message) == Utf8FromCp932(expectedMessage));
      for (int i = 0; i < kSlotCount; ++i) {
        CAPTURE(i);
        const THotkeyStruct &got = *list[i], &want = expected[i];
        if (got.DisplayText != want.DisplayText) MESSAGE(Describe(StoreName("DisplayText", i + 1)));
        if (got.PasteText != want.PasteText) MESSAGE(Describe(StoreName("PasteText", i + 1)));
        if (got.KeyCode != want.KeyCode) MESSAGE(Describe(StoreName("KeyCode", i + 1)));
        CHECK(CLiteral(got.DisplayText.substr(0, 60)) == CLiteral(want.DisplayText.substr(0, 60)));
        CHECK(got.DisplayText.size() == want.DisplayText.size());
        CHECK(CLiteral(got.PasteText.substr(0, 60)) == CLiteral(want.PasteText.substr(0, 60)));
        CHECK(got.PasteText.size() == want.PasteText.size());
        CHECK(got.IsCTRL == want.IsCTRL);
        CHECK(got.IsALT == want.IsALT);
        CHECK(got.IsSHIFT == want.IsSHIFT);
        CHECK(static_cast<int>(static_cast<unsigned char>(got.KeyCode)) ==
              static_cast<int>(static_cast<unsigned char>(want.KeyCode)));
      }
      break;
    }
  }
  // A whole run must see both outcomes, or the data went wrong.
  MESSAGE("loads that failed: " << failedLoads << ", whole loads: " << wholeLoads
                                << ", slowest: " << fuzz.SlowestMs() << " ms");
  if (fuzz.Cases() >= 50 && failedLoads + wholeLoads == fuzz.Cases()) {
    CHECK(failedLoads > 0);
    CHECK(wholeLoads > 0);
  }
}
