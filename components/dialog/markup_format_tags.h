#pragma once
// Tags that carry attributes: font, paragraph, page background, horizontal
// position, list items and rotated text.
#include <string_view>

#include "components/dialog/markup_state.h"

void FontTag(LinePass& line, std::string_view markup);
void FontTagEnd(LinePass& line);
void ParagraphTag(LinePass& line, std::string_view markup);
void BodyTag(LinePass& line, std::string_view markup);
void PositionTag(LinePass& line, std::string_view markup);
void ListItem(LinePass& line);
void RotationTag(LinePass& line, std::string_view markup);
