#include "tools/StyledTextDocument.h"

#include <QFontDatabase>
#include <QTextBlockFormat>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextOption>

namespace styledtext {

QColor colourOf(divelog::TextStyle style) {
    switch (style) {
        case divelog::TextStyle::Plain: return Qt::black;
        case divelog::TextStyle::Value: return QColor(0, 0, 205);
        case divelog::TextStyle::Note: return QColor(0, 128, 0);
        case divelog::TextStyle::Header: return QColor(200, 0, 0);
    }
    return Qt::black;
}

constexpr qsizetype kParagraph = 2000;

Filler::Filler(QTextDocument& document) : document_(document) {
    QFont font = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    font.setPixelSize(kPixelSize);
    document.clear();
    document.setDefaultFont(font);
    // Report lines put a figure and its share after tabs, past the longest
    // label: stops for a window's plain layout and, below, for a printed page's.
    const QList<QTextOption::Tab> tabs = {
        QTextOption::Tab(16.0 * kPixelSize, QTextOption::LeftTab),
        QTextOption::Tab(21.0 * kPixelSize, QTextOption::LeftTab)};
    QTextOption option = document.defaultTextOption();
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    option.setTabs(tabs);
    document.setDefaultTextOption(option);

    QTextCursor cursor(&document);
    // Every paragraph inherits the stops of the first.
    QTextBlockFormat block;
    block.setTabPositions(tabs);
    cursor.setBlockFormat(block);
    // One format per look, made once: a card of every dive has a million runs.
    for (int style = 0; style < 4; ++style)
        for (int underline = 0; underline < 2; ++underline) {
            QTextCharFormat& f = formats_[style][underline];
            const auto s = static_cast<divelog::TextStyle>(style);
            f.setForeground(colourOf(s));
            f.setFontUnderline(underline == 1);
            f.setFontWeight(s == divelog::TextStyle::Header ? QFont::Bold : QFont::Normal);
        }
}

void Filler::append(const divelog::StyledText& text) {
    QTextCursor cursor(&document_);
    cursor.movePosition(QTextCursor::End);
    cursor.beginEditBlock();
    // Lines break within paragraphs of a few thousand characters: a new
    // paragraph per line would make a card of every dive half a million of
    // them, one per line of text.
    for (const divelog::StyledRun& run : text.runs()) {
        QString piece = QString::fromStdString(run.text);
        const QTextCharFormat& format =
            formats_[static_cast<int>(run.style)][run.underline ? 1 : 0];
        qsizetype from = 0;
        for (qsizetype i = 0; i < piece.size(); ++i) {
            if (piece[i] != QLatin1Char('\n')) continue;
            if (paragraph_ + (i - from) > kParagraph) {
                cursor.insertText(piece.mid(from, i - from), format);
                cursor.insertBlock();
                paragraph_ = 0;
                from = i + 1;
            } else {
                piece[i] = QChar::LineSeparator;
            }
        }
        paragraph_ += piece.size() - from;
        cursor.insertText(piece.mid(from), format);
    }
    cursor.endEditBlock();
}

void fill(QTextDocument& document, const divelog::StyledText& text) {
    Filler(document).append(text);
}

}  // namespace styledtext
