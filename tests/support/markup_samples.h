#pragma once
// Markup the tests share: the pieces random captions are made of, malformed
// captions with the plain text each degrades to, and well-formed captions that use
// every tag. The fuzzing run mutates the last two.
#include <span>
#include <string_view>

struct MalformedMarkup {
  const char* markup;
  const char* plain;
};

std::span<const std::string_view> MarkupPieces();
std::span<const MalformedMarkup> MalformedMarkups();
std::span<const std::string_view> SampleMarkups();
