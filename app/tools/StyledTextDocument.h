#pragma once

#include <QColor>
#include <QTextCharFormat>

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

// Fills a document a part at a time, as fill() does at once: a long report
// shows its beginning while the rest is still being written.
class Filler {
public:
    explicit Filler(QTextDocument& document);  // clears it
    void append(const divelog::StyledText& text);

private:
    QTextDocument& document_;
    QTextCharFormat formats_[4][2];
    qsizetype paragraph_ = 0;
};

}  // namespace styledtext
