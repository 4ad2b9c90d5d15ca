#pragma once
// DrawMarkup lays out a caption written in a small HTML-like markup inside a
// rectangle and, in one call, draws it, measures it or hit-tests a point against
// it. Nothing is kept between calls.
//
// Tags, recognised by their first letters without regard to case: <B> <I> <U> <S>
// <SUB> <SUP> <SHADOW> <Z> (hidden) <E> (error underline) <BLINK> <HI> (highlight)
// <FONT FACE SIZE COLOR BGCOLOR> <P ALIGN INDENT BGCOLOR> <BODY BACKGROUND BGCOLOR>
// <BR> <HR> <A HREF> <UL> <LI> <IND X> <ROT A> <IMG SRC ALT WIDTH HEIGHT ALIGN>;
// entities &amp; &quot; &lt; &gt; &nbsp; &sect; &permil; &reg; &copy; &para;
// &trade; &euro;. Anything else in angle brackets is swallowed.
#include <windows.h>
// The system headers below build on windows.h.
#include <commctrl.h>

#include <string>

#include "components/dialog/markup_canvas.h"
#include "components/dialog/markup_picture.h"
#include "framework/color.h"

// The background panel keeps an engine revision of its own, which differs in
// how list tags end lines, where a printed image-list picture leaves the cursor,
// and in the test that stops the line loop at the bottom of the rectangle.
enum class MarkupRevision { mrControl, mrPanel };

struct MarkupOptions {
  HIMAGELIST Images = nullptr;  // source of "IDX:n" pictures
  int HitX = 0;                 // the point to hit-test
  int HitY = 0;
  int FocusIndex = -1;  // 0-based anchor that shows a focus rectangle
  int HoverIndex = -1;  // 1-based anchor under the mouse
  int ShadowOffset = 1;
  bool HitTestOnly = false;  // lay out twice, draw nothing
  bool MeasureOnly = false;  // one layout pass, no drawing, no bottom limit
  bool Printing = false;     // image-list and system pictures scaled by PrintScale
  bool KeepColors = false;   // colour tags and link colours leave the text colour alone
  bool BlinkShown = true;    // blinking text is in its visible phase
  bool UnderlineHoverOnly = false;
  bool WrapWords = true;  // false: one line per line break, cut with an ellipsis
  double PrintScale = 1.0;
  TColor URLColor = clBlue;
  TColor HoverColor = clNone;
  TColor HoverFontColor = clNone;
  TColor ShadowColor = clGray;
  TMarkupPictureCache* PictureCache = nullptr;
  TMarkupPictureContainer* PictureContainer = nullptr;
  MarkupRevision Revision = MarkupRevision::mrControl;
};

struct MarkupResult {
  std::string HitHref;    // target of the anchor under the hit point; left as the caller set it
  std::string PlainText;  // the laid-out text without tags, each line break tag a carriage return
  std::string FocusHref;  // target of the anchor at FocusIndex when it was drawn
  int ExtentX = 0;        // widest line, without its trailing space
  int ExtentY = 0;        // sum of the line heights
  int AnchorCount = 0;
  int HitAnchor = -1;  // 1-based anchor whose text is under the hit point
  RECT HitRect{};      // that anchor on the line where it closes
};

// Returns true when the hit point lies on text or a picture inside an anchor.
// The canvas font and brush colour are as they were on return.
bool DrawMarkup(MarkupCanvas& canvas, const std::string& markup, const RECT& bounds,
                const MarkupOptions& options, MarkupResult& result);
