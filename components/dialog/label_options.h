#pragma once
// Label settings that are plain values: text-cutting options, link modes, and the
// rules that turn them into DrawText flags, link targets and accelerator matches.
#include <windows.h>

#include <cstdint>
#include <string>

#include "framework/enum_set.h"

enum class TLabelOption : std::uint8_t { loPathEllipsis, loEndEllipsis, loEditControl };
using TLabelOptions = EnumSet<TLabelOption>;

enum class TJumpModes : std::uint8_t { jmInternet, jmApplication, jmNone, jmCustom };

UINT LabelOptionFlags(TLabelOptions options);

// What a click on a link label opens: Jump, or the caption when Jump is blank; an
// internet link to a caption with "@" in it is a mail address. Empty for no link.
std::string JumpTarget(TJumpModes mode, const std::string& jump, const std::string& caption);

// Whether key is the caption's accelerator: the character after a single "&"
// ("&&" is a literal ampersand), compared without case.
bool IsAccelerator(char key, const std::string& caption);
