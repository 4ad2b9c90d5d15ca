// Reading the file version for the About box: the program's own resource, and every
// way the reading can fail, each leaving no version. The failing resources are made
// by writing a version block of our own into a copy of the built program.
#include "app/about_version.h"

#include <doctest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "velnor_process.h"
#include "version_resource.h"

namespace {
using Bytes = std::vector<std::uint8_t>;
constexpr auto Translation = &VersionBlockDescription::Translation;

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
  const Bytes block = VersionBlock({});
  ProgramCopy copy("velnor-version-copy.exe", &block);
  REQUIRE(copy.Made());
  TProjectRcVersion again(copy.Path());
  CHECK(ReadVersion(again) == "1.0.0.0");
}

TEST_CASE("every failing step of the reading leaves no version") {
  struct Case {
    const char* what;
    VersionBlockDescription block;
    const char* expected;
  };
  const std::string thirtyOne(31, '9'), thirtyTwo(32, '9');
  VersionBlockDescription noTranslation;
  noTranslation.hasTranslation = false;
  VersionBlockDescription shortTranslation;
  shortTranslation.translation = Translation({0x0411});
  VersionBlockDescription otherLanguage;
  otherLanguage.translation = Translation({0x0409, 1252});
  VersionBlockDescription englishTable;
  englishTable.table = "040904e4";
  englishTable.translation = Translation({0x0409, 1252});
  VersionBlockDescription noFileVersion;
  noFileVersion.strings = {{"ProductVersion", "1.0.0.0"}};
  VersionBlockDescription longest;
  longest.strings = {{"FileVersion", thirtyOne}};
  VersionBlockDescription tooLong;
  tooLong.strings = {{"FileVersion", thirtyTwo}};
  VersionBlockDescription twoTranslations;
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
    const Bytes block = VersionBlock(c.block);
    ProgramCopy copy("velnor-version-case.exe", &block);
    REQUIRE(copy.Made());
    TProjectRcVersion reader(copy.Path());
    CHECK(ReadVersion(reader) == c.expected);
  }
}

TEST_CASE(
    "a file without a version resource, a missing file and a path too long for the buffer read nothing") {
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
  const Bytes block = VersionBlock({});
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
