#include "tools/StyledTextDocument.h"

#include <QFontDatabase>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextBlockFormat>
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

void fill(QTextDocument& document, const divelog::StyledText& text) {
    QFont font = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    font.setPixelSize(kPixelSize);
    document.clear();
    document.setDefaultFont(font);
    QTextOption option = document.defaultTextOption();
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    document.setDefaultTextOption(option);

    QTextCursor cursor(&document);
    cursor.beginEditBlock();
    // Report lines put a figure and its share after tabs, past the longest
    // label; every paragraph inherits the stops of the first.
    QTextBlockFormat block;
    block.setTabPositions({QTextOption::Tab(16.0 * kPixelSize, QTextOption::LeftTab),
                           QTextOption::Tab(21.0 * kPixelSize, QTextOption::LeftTab)});
    cursor.setBlockFormat(block);
    QTextCharFormat format;
    for (const divelog::StyledRun& run : text.runs()) {
        format.setForeground(colourOf(run.style));
        format.setFontUnderline(run.underline);
        format.setFontWeight(run.style == divelog::TextStyle::Header ? QFont::Bold : QFont::Normal);
        cursor.insertText(QString::fromStdString(run.text), format);
    }
    cursor.endEditBlock();
}

}  // namespace styledtext
