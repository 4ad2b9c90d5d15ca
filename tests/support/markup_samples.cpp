#include "markup_samples.h"

namespace {
constexpr std::string_view kPieces[] = {
    "<",           ">",      "</",   "B", "R",    "A",     "P",     "F",  "L",  "U",          "Z",
    "S",           "I",      "H",    "E", "IMG",  "SUB",   "\"",    "=",  " ",  "x",          "&amp;",
    "&lt;",        "&nbsp;", "\r\n", "#", "SIZE", "COLOR", "ALIGN", "LI", "UL", "IN X=\"5\"", "A HREF=\"t\"",
    "ROT A=\"45\""};

constexpr MalformedMarkup kMalformed[] = {
    {"abc<", "abc"},
    {"abc<b", "abc"},
    {"abc<Bx and more", "abc"},
    {"abc<FONT COLOR=\"clred\" def", "abc"},
    {"<XYZ>abc", "abc"},
    {"</B>abc", "abc"},
    {"</>abc", "abc"},
    {"<>abc", "abc"},
    {"a<<b>c", "ac"},
    {"</A></A></UL></P>x", "x"},
    {"</R></R>x", "x"},
    {"<IMG>x", "x"},
    {"<IMG SRC=\"IDX:1\">x", "x"},
    {"<IMG SRC=\"nothing\">x", "x"},
};

constexpr std::string_view kSamples[] = {
    "<B>Slot 1</B> pastes <FONT COLOR=\"#C00000\">its text</FONT> &amp; <A HREF=\"slot1\">edits it</A>",
    "Hello <B>world</B> ",
    "a&amp;b &lt;B&gt;x <#Tag> x &quot;q&quot; &sect;&permil;&reg;&copy;&para;&trade;&euro;",
    "<UL><LI>one<LI>two<UL><LI>three</UL></UL>",
    "ab<Z>cd</Z>ef<SUB>2</SUB>x<SUP>3</SUP> <SHADOW>shade</SHADOW> <E>wrong</E> <S>gone</S>",
    "<P ALIGN=\"RIGHT\" INDENT=\"10\">right</P><P ALIGN=\"CENTER\" BGCOLOR=\"clYellow\">centre</P>left",
    "<FONT FACE=\"Courier New\" SIZE=\"5\" COLOR=\"clRed\" BGCOLOR=\"#FFFF00\">big</FONT><FONT SIZE=3 "
    "COLOR=\"x\">y</FONT>",
    "<BODY BGCOLOR=\"clSilver\" BACKGROUND=\"red\"><HI>lit</HI><HR>below<BR>more",
    "<IN X=\"100\">moved <ROT A=\"45\">turned</ROT> <BLINK>blink</BLINK> <I>slant</I> <U>under</U>",
    "go <A HREF=\"http://x/\">link <IMG SRC=\"red\" ALT=\"red\" ALIGN=\"MIDDLE\"> on</A> <IMG SRC=\"IDX:0\" "
    "ALIGN=\"TOP\">",
    "word word word word word word word word word word word word word word word word",
    "one\r\ntwo\nthree\rfour",
    // Code page 932 text: katakana, a kanji whose trail byte is "\\", and a lone lead byte.
    "\x83\x5C\x83\x74\x83\x67 <B>\x95\x5C</B> \x82\xA0\x82\xA2 \x81",
};
}  // namespace

std::span<const std::string_view> MarkupPieces() { return kPieces; }
std::span<const MalformedMarkup> MalformedMarkups() { return kMalformed; }
std::span<const std::string_view> SampleMarkups() { return kSamples; }
