#pragma once
// Pictures in markup: image-list entries ("IDX:n"), system icons ("SSYS:" and
// "LSYS:" with an index or a path), and named pictures from the application's
// container or, for a "scheme://" source, the control's cache.
#include <string>
#include <string_view>

#include "components/dialog/markup_state.h"

void PictureTag(LinePass& line, std::string_view markup);

// The container's picture for a source without ":", the cache's (loaded on first
// use) for one with "://"; none otherwise.
TMarkupPicture* LookupPicture(MarkupState& state, const std::string& source);
