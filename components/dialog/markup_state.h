#pragma once
// What one DrawMarkup call keeps while it lays out its lines, and what one pass
// over one line works with. Shared by the line loop, the line pass and the tags.
#include <windows.h>

#include <algorithm>
#include <string>
#include <string_view>

#include "components/dialog/markup.h"

enum class MarkupAlign { maLeft, maRight, maCenter };

// Flags that a tag switches and that stay switched over line ends until the
// closing tag comes.
struct MarkupFlags {
  bool shadow = false;
  bool hidden = false;
  bool errorUnderline = false;
  bool paragraphBackground = false;
  bool subscript = false;
  bool superscript = false;
};

struct MarkupState {
  MarkupState(MarkupCanvas& c, const MarkupOptions& o, MarkupResult& r, const RECT& b)
      : canvas(c), options(o), result(r), bounds(b) {}

  MarkupCanvas& canvas;
  const MarkupOptions& options;
  MarkupResult& result;
  const RECT bounds;

  MarkupFont baseFont;
  TColor entryBrush = clNone;
  UINT textFlags = 0;

  bool anchorOpen = false;
  std::string anchorTarget;
  POINT anchorStart{};
  bool hoverPending = false;  // the hit point lies on the open anchor's text
  TColor hoverSavedBrush = clNone;
  TColor hoverSavedText = clNone;
  RECT focusRect{};

  // Of the line being laid out; the offsets are found by its measuring pass.
  int lineHeight = 0;
  int subscriptOffset = 0;
  int superscriptOffset = 0;
  int pictureOffset = 0;

  MarkupFlags flags;
  MarkupAlign align = MarkupAlign::maLeft;
  int indent = 0;
  int listLevel = 0;
  int pictureCounter = 0;
  int hitPicture = -1;  // counter value of the picture under the hit point

  TColor fontBackground = clNone;
  TColor highlightText = clNone;
  TColor highlightBrush = clNone;
  TColor paragraphBrush = clNone;

  int GhHeight() { return canvas.TextHeight("gh"); }
  bool PanelRevision() const { return options.Revision == MarkupRevision::mrPanel; }
};

enum class MarkupPass { mpMeasure, mpHitTest, mpDraw };

// One pass over one line: R is the line's rectangle, C the cursor that moves
// along it as text and pictures are drawn.
struct LinePass {
  LinePass(MarkupState& s, MarkupPass p, const RECT& rect) : state(s), pass(p), R(rect), C(rect) {}

  MarkupState& state;
  const MarkupPass pass;
  RECT R;
  RECT C;
  int lineWidth = 0;
  bool textHit = false;
  bool pictureHit = false;
  std::string lineText;   // the markup this line consumed, tags included
  std::string textSoFar;  // the line's decoded text, without tags
  bool lineEnded = false;
  bool deferred = false;  // a tag that starts the next line instead
  int listItems = 0;

  // However many pictures and indents a line holds, its width stays a number
  // that coordinates can be added to.
  void Widen(int pixels) {
    constexpr long long limit = 1 << 28;
    lineWidth = static_cast<int>(std::clamp(static_cast<long long>(lineWidth) + pixels, -limit, limit));
  }

  bool Drawing() const { return pass == MarkupPass::mpDraw; }
  bool Measuring() const { return pass == MarkupPass::mpMeasure; }
  int RWidth() const { return R.right - R.left; }
};

// Lays out the front of the markup as one line and removes what it laid out.
void DrawMarkupLine(LinePass& line, std::string_view& markup);

// The tag at the front of the markup (which starts with "<" and holds at least
// three characters); it may end the line or defer itself to the next one.
void HandleTag(LinePass& line, std::string_view markup);
