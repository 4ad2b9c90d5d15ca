// The rules OK applies to the slot editor's input, in their order, without windows.
#include <doctest.h>

#include <string>

#include "app/hotkeypref.h"
#include "app/messages.h"
#include "support/text.h"

TEST_CASE("the first rule the input breaks names the message; every later rule stays silent") {
  struct Case {
    const char* name;
    TSlotInput input;
    const char* message;  // null: passes every rule up to the digits
  };
  const std::string lead = "\x82";  // the lead byte of a double-byte character, 0x82
  const Case cases[] = {
      {"nothing at all: the key first", {"", "", false, false, false, ""}, kKeyMissing},
      {"a key without a modifier, texts empty", {"", "", false, false, false, "K"}, kNoModifier},
      {"a modifier, texts empty", {"", "", false, true, false, "K"}, kPasteTextMissing},
      {"a paste text without a display text", {"", "Hello", false, false, true, "K"}, kDisplayTextMissing},
      {"all three modifiers with a digit",
       {"Greeting", "Hello", true, true, true, "5"},
       kDigitWithAllModifiers},
      {"all three modifiers with 0", {"Greeting", "Hello", true, true, true, "0"}, kDigitWithAllModifiers},
      {"all three modifiers with 9", {"Greeting", "Hello", true, true, true, "9"}, kDigitWithAllModifiers},
      {"CTRL and ALT with a digit", {"Greeting", "Hello", true, true, false, "5"}, nullptr},
      {"all three modifiers with a letter", {"Greeting", "Hello", true, true, true, "Z"}, nullptr},
      // Taken as a signed byte, 0x82 lies below '0': never a digit.
      {"all three modifiers with a byte from 0x80 up",
       {"Greeting", "Hello", true, true, true, lead},
       nullptr},
      {"texts of spaces are not empty", {" ", " ", true, false, false, "K"}, nullptr},
      {"display Greeting, paste Hello, CTRL and ALT, key K",
       {"Greeting", "Hello", true, true, false, "K"},
       nullptr},
  };
  for (const Case& c : cases) {
    CAPTURE(c.name);
    const char* message = SlotInputRejection(c.input);
    CHECK(Utf8FromCp932(message ? message : "") == Utf8FromCp932(c.message ? c.message : ""));
  }
}
