// The name of the mutex the components hold: the program file's name without its
// folder, in the system's capitals for code page 932.
#include "components/paint/program_file_mutex.h"

#include <doctest.h>

#include "text.h"

TEST_CASE("the components' mutex is named after the program file, in capitals") {
  struct Case {
    const char* what;
    std::string path;
    std::string name;
  };
  const Case cases[] = {
      {"the program", "C:\\Program Files\\Velnor\\velnor.exe", "VELNOR.EXE"},
      {"a renamed copy", "D:\\tools\\My Snippets (2).Exe", "MY SNIPPETS (2).EXE"},
      {"no folder", "velnor.exe", "VELNOR.EXE"},
      // "ソ" ends in the byte of a backslash: it is part of the name, no separator.
      {"a folder, then a name ending in a double-byte character with a backslash byte",
       "C:\\tmp\\" + Cp932FromUtf8("ソ"), Cp932FromUtf8("ソ")},
      {"a name with that character inside", "C:\\a" + Cp932FromUtf8("ソ") + "b.exe",
       "A" + Cp932FromUtf8("ソ") + "B.EXE"},
      // "ビ" ends in the byte of "r": capitals of single bytes would turn it into another character.
      {"a double-byte character whose second byte is a small letter's", "C:\\" + Cp932FromUtf8("ビ") + ".exe",
       Cp932FromUtf8("ビ") + ".EXE"},
      {"full-width small letters become full-width capitals", "C:\\" + Cp932FromUtf8("ｖｅｌ.exe"),
       Cp932FromUtf8("ＶＥＬ.EXE")},
  };
  for (const Case& c : cases) {
    CAPTURE(c.what);
    CHECK(ProgramFileMutexName(c.path) == c.name);
  }
}
