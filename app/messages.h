#pragma once
// The program's own Japanese messages, as code page 932 bytes.

// "Velnorは多重起動できません"
inline constexpr char kAlreadyRunning[] =
    "Velnor\x82\xCD\x91\xBD\x8F" "d\x8BN\x93\xAE\x82\xC5\x82\xAB\x82\xDC\x82\xB9\x82\xF1";
// "ホットキーは1件も登録されていません"
inline constexpr char kNoHotkeysMessage[] =
    "\x83z\x83" "b\x83g\x83L\x81[\x82\xCD" "1\x8C\x8F\x82\xE0\x93o\x98^\x82\xB3\x82\xEA\x82\xC4\x82\xA2\x82\xDC\x82\xB9\x82\xF1";
// "エラー"
inline constexpr char kErrorCaption[] = "\x83G\x83\x89\x81[";
