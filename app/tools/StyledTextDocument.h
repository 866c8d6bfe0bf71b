#pragma once

#include <QColor>

#include "util/StyledText.h"

class QTextDocument;

// A core report (dive card, statistics) as a rich text document: each style
// its colour, section titles underlined where the core says. Fonts are in
// pixels, so the document keeps its proportions when a printer scales it.
namespace styledtext {

inline constexpr int kPixelSize = 13;

QColor colourOf(divelog::TextStyle style);
// Replaces the document's content.
void fill(QTextDocument& document, const divelog::StyledText& text);

}  // namespace styledtext
