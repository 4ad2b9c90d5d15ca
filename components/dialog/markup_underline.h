#pragma once
// The zigzag that marks an error under a run of text.
#include <windows.h>

#include <vector>

// Points of a zigzag 2 pixels high in steps of 2 pixels from left (made even)
// to right, resting on the line above bottom. The phase follows x, so runs drawn
// one after another join up. Only the part over clipLeft..clipRight is made.
std::vector<POINT> ErrorUnderlinePoints(int left, int right, int bottom, int clipLeft, int clipRight);
