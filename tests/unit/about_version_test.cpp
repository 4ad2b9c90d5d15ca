// Reading the file version for the About box: the program's own resource, and every
// way the reading can fail, each leaving no version. The failing resources are made
// by writing a version block of our own into a copy of the built program.
#include "app/about_version.h"

#include <doctest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "velnor_process.h"
#include "version_resource.h"

namespace {
using Bytes = std::vector<std::uint8_t>;

void Append(Bytes& out, const void* data, size_t size) {
  const auto* p = static_cast<const std::uint8_t*>(data);
  out.insert(out.end(), p, p + size);
}
void Align4(Bytes& out) {
  while (out.size() % 4) out.push_back(0);
}
void PutWord(Bytes& out, size_t at, size_t value) {
  const auto word = static_cast<std::uint16_t>(value);
  out[at] = static_cast<std::uint8_t>(word & 0xFF);
  out[at + 1] = static_cast<std::uint8_t>(word >> 8);
}

// One node of a version resource as the resource compiler lays it out: length,
// value length, type (1 text, 0 binary), the key in UTF-16, the value and the
// children, each on a 4-byte boundary.
Bytes Node(const std::string& key, const Bytes& value, bool text, const std::vector<Bytes>& children = {}) {
  Bytes out(6, 0);
  for (char c : key) Append(out, &c, 1), out.push_back(0);
  out.push_back(0), out.push_back(0);
  Align4(out);
  Append(out, value.data(), value.size());
  for (const Bytes& child : children) {
    Align4(out);
    Append(out, child.data(), child.size());
  }
  PutWord(out, 0, out.size());
  PutWord(out, 2, text ? value.size() / 2 : value.size());
  PutWord(out, 4, text ? 1 : 0);
  return out;
}

Bytes Utf16Text(const std::string& text) {
  Bytes out;
  for (char c : text) out.push_back(static_cast<std::uint8_t>(c)), out.push_back(0);
  out.push_back(0), out.push_back(0);
  return out;
}

// Translation entries, two 16-bit halves each: language, then code page.
Bytes Translation(std::vector<std::uint16_t> halves) {
  Bytes out;
  Append(out, halves.data(), halves.size() * sizeof(std::uint16_t));
  return out;
}

struct Block {
  std::string table = "041103a4";                      // the string table's name
  std::vector<std::pair<std::string, std::string>> strings{{"FileVersion", "1.0.0.0"}};
  bool hasTranslation = true;
  Bytes translation = Translation({0x0411, 932});
};

Bytes VersionResource(const Block& block) {
  VS_FIXEDFILEINFO fixed{};
  fixed.dwSignature = 0xFEEF04BD;
  fixed.dwStrucVersion = 0x00010000;
  Bytes fixedBytes;
  Append(fixedBytes, &fixed, sizeof fixed);
  std::vector<Bytes> strings;
  for (const auto& [key, text] : block.strings) strings.push_back(Node(key, Utf16Text(text), true));
  std::vector<Bytes> children{Node("StringFileInfo", {}, true, {Node(block.table, {}, true, strings)})};
  if (block.hasTranslation)
    children.push_back(Node("VarFileInfo", {}, true, {Node("Translation", block.translation, false)}));
  return Node("VS_VERSION_INFO", fixedBytes, false, children);
}

std::string ReadVersion(TProjectRcVersion& reader, size_t size = 32) {
  std::string buffer(size, '\x7F');
  if (!reader.QueryFileVersion(buffer.data(), buffer.size())) {
    // A failed query leaves the caller's buffer alone.
    CHECK(buffer == std::string(size, '\x7F'));
    return "-";
  }
  return buffer.c_str();
}
}  // namespace

TEST_CASE("the built program's own version resource reads 1.0.0.0") {
  TProjectRcVersion reader(TestBinaryFolder() + "velnor.exe");
  CHECK(ReadVersion(reader) == "1.0.0.0");
  // A block written here the way the resource compiler writes it reads the same.
  const Bytes block = VersionResource({});
  ProgramCopy copy("velnor-version-copy.exe", &block);
  REQUIRE(copy.Made());
  TProjectRcVersion again(copy.Path());
  CHECK(ReadVersion(again) == "1.0.0.0");
}

TEST_CASE("every failing step of the reading leaves no version") {
  struct Case {
    const char* what;
    Block block;
    const char* expected;
  };
  const std::string thirtyOne(31, '9'), thirtyTwo(32, '9');
  Block noTranslation;
  noTranslation.hasTranslation = false;
  Block shortTranslation;
  shortTranslation.translation = Translation({0x0411});
  Block otherLanguage;
  otherLanguage.translation = Translation({0x0409, 1252});
  Block englishTable;
  englishTable.table = "040904e4";
  englishTable.translation = Translation({0x0409, 1252});
  Block noFileVersion;
  noFileVersion.strings = {{"ProductVersion", "1.0.0.0"}};
  Block longest;
  longest.strings = {{"FileVersion", thirtyOne}};
  Block tooLong;
  tooLong.strings = {{"FileVersion", thirtyTwo}};
  Block twoTranslations;
  twoTranslations.translation = Translation({0x0411, 932, 0x0409, 1252});

  const Case cases[] = {
      {"no translation entry", noTranslation, "-"},
      {"a translation shorter than one entry", shortTranslation, "-"},
      {"a translation naming a table that is not there", otherLanguage, "-"},
      {"another language whose table is there", englishTable, "1.0.0.0"},
      {"no FileVersion in the table", noFileVersion, "-"},
      {"31 characters: 32 bytes with the NUL", longest, thirtyOne.c_str()},
      {"32 characters: 33 bytes with the NUL", tooLong, "-"},
      {"the first of two translations counts", twoTranslations, "1.0.0.0"},
  };
  for (const Case& c : cases) {
    CAPTURE(c.what);
    const Bytes block = VersionResource(c.block);
    ProgramCopy copy("velnor-version-case.exe", &block);
    REQUIRE(copy.Made());
    TProjectRcVersion reader(copy.Path());
    CHECK(ReadVersion(reader) == c.expected);
  }
}

TEST_CASE("a file without a version resource, a missing file and a path too long for the buffer read nothing") {
  ProgramCopy stripped("velnor-no-version.exe", nullptr);
  REQUIRE(stripped.Made());
  TProjectRcVersion none(stripped.Path());
  CHECK(ReadVersion(none) == "-");

  TProjectRcVersion missing(TestBinaryFolder() + "no-such-program.exe");
  CHECK(ReadVersion(missing) == "-");

  // 127 bytes and its NUL fill the buffer exactly; one more byte does not fit. Both
  // are real copies with a good resource, so only the length decides.
  const std::string folder = TestBinaryFolder();
  REQUIRE(folder.size() < 100);
  auto named = [&](size_t length) { return std::string(length - folder.size() - 4, 'v') + ".exe"; };
  const Bytes block = VersionResource({});
  ProgramCopy fits(named(127), &block);
  ProgramCopy tooLong(named(128), &block);
  REQUIRE(fits.Made());
  REQUIRE(tooLong.Made());
  REQUIRE(fits.Path().size() == 127);
  TProjectRcVersion fitting(fits.Path());
  CHECK(ReadVersion(fitting) == "1.0.0.0");
  TProjectRcVersion cut(tooLong.Path());
  CHECK(ReadVersion(cut) == "-");
}

TEST_CASE("the running program reads its own file: a test program has no version resource") {
  TProjectRcVersion own;
  CHECK(ReadVersion(own) == "-");
}
