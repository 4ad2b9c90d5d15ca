#pragma once
// The text rules of the HTML label, apart from any window: its markup turned into
// plain text, and words of the shown text wrapped in (or freed from) a marking tag.
#include <string>
#include <string_view>

// The markup with every <BR> and <HR> (any case, with or without attributes) made a
// carriage return and line feed and every other tag removed. A "<" that no ">"
// follows starts no tag: it and the rest of the text stay as they are.
std::string MarkupPlainText(std::string_view markup);

// Every occurrence of text in what the markup shows (the markup without its tags)
// wrapped in <tag> and </tag>, placed around exactly the shown characters even when
// other tags lie between them. Case is compared for letters A to Z only, so the
// second byte of a double-byte character never matches a letter. An empty text
// changes nothing.
std::string WrapShownText(std::string_view markup, std::string_view text, std::string_view tag,
                          bool caseSensitive);

// The markup without any <tag> or </tag>, whatever their case.
std::string RemoveTag(std::string_view markup, std::string_view tag);
