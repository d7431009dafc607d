// Text for the presenter's drawing: the font (DejaVu Sans, or any sans font
// fontconfig finds, or the file BLASTGRID_FONT names), its widths, which the
// window system lays out menus and boxes with, and lines drawn at the zoom.
#pragma once

#include <string>

#include "platform/desktop/canvas.h"

namespace desktop {

// Opens the font, once. False, with a message on stderr, when no font can
// be opened. One font per zoom is kept open until CloseFonts.
bool OpenFonts();
void CloseFonts();
// The font file in use, as found.
std::string FontPath();

// The height of a line of text in the program's pixels.
constexpr int textLineHeight = portable::textLineHeight;

// Width of a UTF-8 text in the program's pixels, without '&' marks.
int TextWidth(const std::string& text);
// Draws one line of UTF-8 text with its top-left corner at (x, y). An '&'
// marks the next letter as the mnemonic, drawn underlined; "&&" is a plain
// '&'.
void DrawText(Canvas& canvas, int x, int y, const std::string& text, portable::Rgb colour);
// The text with every '&' doubled, so that DrawText and TextWidth show it as
// it is (message boxes and edit fields have no mnemonics).
std::string WithoutMnemonics(const std::string& text);

}  // namespace desktop
