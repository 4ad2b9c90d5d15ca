// The program's Japanese texts are code page 932 bytes in the source. Each one is
// compared with the text as the user must read it, and found in velnor.exe itself.
#include <doctest.h>

#include <fstream>
#include <iterator>
#include <string>

#include "app/messages.h"
#include "text.h"
#include "velnor_process.h"

namespace {
struct JapaneseText {
  const char* name;
  const char* program;  // as the program holds it
  const char* utf8;     // as the user must read it
};

const JapaneseText kTexts[] = {
    {"registry read failure", kRegistryReadFailed, "'%s' の取得に失敗しました"},
    {"registry type error", kRegistryBadType, "'%s' のデータ型が不正です"},
    {"registry write failure", kRegistryWriteFailed, "'%s' の設定に失敗しました"},
    {"clipboard cannot open", kClipboardCannotOpen, "クリップボードを開くことができません"},
    {"second copy refused", kAlreadyRunning, "Velnorは多重起動できません"},
    {"no display texts", kNoHotkeysMessage, "ホットキーは1件も登録されていません"},
    {"error caption", kErrorCaption, "エラー"},
    {"key missing", kKeyMissing, "キーが未入力です"},
    {"no modifier", kNoModifier, "CTRL/ALT/SHIFTはいずれかを指定してください"},
    {"paste text missing", kPasteTextMissing, "ペーストする文字が未入力です"},
    {"display text missing", kDisplayTextMissing, "表示名称が未入力です"},
    {"all three modifiers with a digit", kDigitWithAllModifiers, "このコンビネーションは無効です"},
    {"hotkey taken", kHotkeyTaken, "このキーコンビネーションはすでに登録されています"},
    {"delete confirmation", kDeleteConfirmation, "削除します.よろしいですか？"},
    {"confirmation caption", kConfirmCaption, "確認"},
};

std::string ProgramImage() {
  std::ifstream file(TestBinaryFolder() + "velnor.exe", std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}
}  // namespace

TEST_CASE("every Japanese text is the exact code page 932 text and is in velnor.exe") {
  const std::string image = ProgramImage();
  REQUIRE(image.size() > 0);
  for (const JapaneseText& text : kTexts) {
    CAPTURE(text.name);
    const std::string expected = Cp932FromUtf8(text.utf8);
    CHECK(std::string(text.program) == expected);
    CHECK(Utf8FromCp932(text.program) == text.utf8);
    CHECK(image.find(expected) != std::string::npos);
  }
}
