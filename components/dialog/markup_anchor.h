#pragma once
// Anchors: their colours and underline, the hover rectangle of the anchor under
// the hit point, and the focus rectangle of the focused one.
#include <string_view>

#include "components/dialog/markup_state.h"

void OpenAnchor(LinePass& line, std::string_view markup);
void CloseAnchor(LinePass& line);
// At the end of a drawn line: the focused anchor, still open, gets its focus
// rectangle up to the cursor, and a new one starts on the next line.
void ContinueFocusRect(LinePass& line);
