#pragma once
// Where a box sits inside another: nine places, as DrawText flags or as a placed rectangle.
#include <windows.h>

#include <cstdint>

enum class TBoxAlignment : std::uint8_t {
  agTopLeft,
  agTopCenter,
  agTopRight,
  agCenterLeft,
  agCenter,
  agCenterRight,
  agBottomLeft,
  agBottomCenter,
  agBottomRight,
};

enum class THorizontalPlace { Left, Center, Right };
enum class TVerticalPlace { Top, Center, Bottom };

THorizontalPlace HorizontalPlace(TBoxAlignment alignment);
TVerticalPlace VerticalPlace(TBoxAlignment alignment);

// DT_CENTER / DT_RIGHT and DT_VCENTER / DT_BOTTOM for the alignment.
UINT AlignmentFlags(TBoxAlignment alignment);

// A width x height box placed inside outer by the alignment.
RECT PlaceBox(const RECT& outer, int width, int height, TBoxAlignment alignment);
