// Dispatch of the tags by their first letters, and the tags that only switch a
// style or a flag.
#include <cctype>

#include "components/dialog/markup_anchor.h"
#include "components/dialog/markup_format_tags.h"
#include "components/dialog/markup_images.h"
#include "components/dialog/markup_state.h"
#include "components/dialog/markup_text.h"

namespace {
char UpperAt(std::string_view markup, std::size_t index) {
  return index < markup.size() ? static_cast<char>(std::toupper(static_cast<unsigned char>(markup[index])))
                               : '\0';
}

void HighlightOn(LinePass& line) {
  MarkupState& s = line.state;
  if (!line.Drawing()) return;
  s.highlightText = s.canvas.Font().Color;
  s.highlightBrush = s.canvas.BrushColor;
  s.canvas.BrushColor = clHighlight;
  s.canvas.Font().Color = clHighlightText;
}

void HorizontalRule(LinePass& line) {
  MarkupState& s = line.state;
  line.lineEnded = true;
  if (!line.Drawing()) return;
  const TColor pen = s.canvas.PenColor;
  s.canvas.PenColor = clBlack;
  s.canvas.PenWidth = 1;
  const int y = line.C.bottom + 1;
  s.canvas.Polyline({{line.R.left, y}, {line.R.right, y}});
  s.canvas.PenColor = pen;
}

void LineBreak(LinePass& line) {
  line.lineEnded = true;
  if (line.Measuring()) line.state.result.PlainText += '\r';
}

void OpeningTag(LinePass& line, std::string_view markup, char letter) {
  MarkupState& s = line.state;
  MarkupFont& font = s.canvas.Font();
  const char next = UpperAt(markup, 2);
  const bool closed = markup.find('>') != std::string_view::npos;
  switch (letter) {
    case 'A':
      OpenAnchor(line, markup);
      break;
    case 'B':
      if (next == '>')
        font.Bold = true;
      else if (next == 'R')
        LineBreak(line);
      else if (next == 'L' && !s.options.BlinkShown)
        font.Color = s.entryBrush;
      else if (next == 'O')
        BodyTag(line, markup);
      break;
    case 'E':
      if (line.Drawing()) s.flags.errorUnderline = true;
      break;
    case 'F':
      if (closed) FontTag(line, markup);
      break;
    case 'H':
      if (next == 'I')
        HighlightOn(line);
      else if (next == 'R')
        HorizontalRule(line);
      break;
    case 'I':
      if (next == '>')
        font.Italic = true;
      else if (next == 'N')
        PositionTag(line, markup);
      else if (next == 'M')
        PictureTag(line, markup);
      break;
    case 'L':
      ListItem(line);
      break;
    case 'P':
      if (closed) ParagraphTag(line, markup);
      break;
    case 'R':
      RotationTag(line, markup);
      break;
    case 'S':
      if (next == '>')
        font.StrikeOut = true;
      else if (next == 'H')
        s.flags.shadow = true;
      else if (FindNoCase(markup.substr(0, 5), "<SUB>") == 0)
        s.flags.subscript = true;
      else if (FindNoCase(markup.substr(0, 5), "<SUP>") == 0)
        s.flags.superscript = true;
      break;
    case 'U':
      if (next == '>') {
        font.Underline = true;
      } else {
        ++s.listLevel;
        if (s.PanelRevision()) line.lineEnded = true;
      }
      break;
    case 'Z':
      s.flags.hidden = true;
      break;
    default:
      break;
  }
}

void ClosingTag(LinePass& line, std::string_view markup, char letter) {
  MarkupState& s = line.state;
  MarkupFont& font = s.canvas.Font();
  const char next = UpperAt(markup, 3);
  switch (letter) {
    case 'A':
      CloseAnchor(line);
      break;
    case 'B':
      if (next == '>')
        font.Bold = false;
      else
        font.Color = s.baseFont.Color;
      break;
    case 'E':
      if (line.Drawing()) s.flags.errorUnderline = false;
      break;
    case 'F':
      FontTagEnd(line);
      break;
    case 'H':
      if (line.Drawing()) {
        font.Color = s.highlightText;
        s.canvas.BrushColor = s.highlightBrush;
      }
      break;
    case 'I':
      font.Italic = false;
      break;
    case 'L':
      if (s.PanelRevision()) line.lineEnded = true;
      break;
    case 'P':
      line.lineEnded = true;
      if (line.Drawing()) {
        s.canvas.BrushColor = s.paragraphBrush;
        s.flags.paragraphBackground = false;
      }
      break;
    case 'R':
      s.canvas.PopRotatedFont();
      break;
    case 'S':
      if (next == 'U')
        s.flags.subscript = s.flags.superscript = false;
      else if (next == 'H')
        s.flags.shadow = false;
      else
        font.StrikeOut = false;
      break;
    case 'U':
      if (next != '>' && s.listLevel > 0)
        --s.listLevel;
      else
        font.Underline = false;
      break;
    case 'Z':
      s.flags.hidden = false;
      break;
    default:
      break;
  }
}
}  // namespace

void HandleTag(LinePass& line, std::string_view markup) {
  const bool closing = markup[1] == '/' && markup.size() > 3;
  if (closing)
    ClosingTag(line, markup, UpperAt(markup, 2));
  else
    OpeningTag(line, markup, UpperAt(markup, 1));
}
