#pragma once
// The program's Japanese texts are code page 932 bytes; tests write the expected
// texts in UTF-8 and convert them, so a wrong byte in the program shows up.
#include <string>

std::string Cp932FromUtf8(const std::string& utf8);
std::string Utf8FromCp932(const std::string& cp932);
