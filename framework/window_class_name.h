#pragma once
// The names of the framework's window classes: a prefix that a program sets once,
// before it makes its first window, so that other programs can tell its windows
// apart, followed by the kind ("Control", "MessageWindow", "Application").
#include <string>

void SetWindowClassPrefix(std::string prefix);
std::string WindowClassName(const char* kind);
