#include "Printing.h"

#include <QAbstractItemModel>
#include <QAbstractTextDocumentLayout>
#include <QFontDatabase>
#include <QIcon>
#include <QPageSetupDialog>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QTextDocument>
#include <algorithm>
#include <memory>

namespace {

// Page coordinates in points from the printable area's top-left corner,
// then content units.
void begin(QPainter& painter, const QPrinter& printer, const PrintSettings& settings,
           double contentWidth) {
    const double dots = printer.resolution() / 72.0;
    painter.scale(dots, dots);
    const double page = printer.pageLayout().paintRect(QPageLayout::Point).width();
    const double used = contentWidth * settings.scale;
    if (settings.centreHorizontally && used < page) painter.translate((page - used) / 2, 0);
    painter.scale(settings.scale, settings.scale);
}

QFont pixelFont(int pixels, bool bold = false) {
    QFont font = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

}  // namespace

PrintSettings PrintSettings::logbook(QPageLayout::Orientation orientation) {
    return {orientation, QMarginsF(10, 23.2, 10, 25), 0.67, false};
}

PrintSettings PrintSettings::chart() {
    return {QPageLayout::Portrait, QMarginsF(10, 20, 10, 20), 0.75, true};
}

void Printing::apply(QPrinter& printer, const PrintSettings& settings) {
    printer.setPageOrientation(settings.orientation);
    printer.setPageMargins(settings.margins, QPageLayout::Point);
}

QSizeF Printing::contentSize(const QPrinter& printer, const PrintSettings& settings) {
    return printer.pageLayout().paintRect(QPageLayout::Point).size() / settings.scale;
}

bool Printing::ask(QWidget* parent, QPrinter& printer) {
    QPrintDialog dialog(&printer, parent);
    return dialog.exec() == QDialog::Accepted;
}

bool Printing::pageSetup(QWidget* parent, QPrinter& printer) {
    QPageSetupDialog dialog(&printer, parent);
    return dialog.exec() == QDialog::Accepted;
}

int Printing::printDocument(QPrinter& printer, const QTextDocument& source,
                            const PrintSettings& settings) {
    const QSizeF page = contentSize(printer, settings);
    std::unique_ptr<QTextDocument> document(source.clone());
    document->setDefaultFont(source.defaultFont());
    document->setDefaultTextOption(source.defaultTextOption());
    // Laid out in pages of the content area: a line never straddles two.
    document->setPageSize(page);
    const int pages = std::max(1, document->pageCount());
    QPainter painter(&printer);
    for (int i = 0; i < pages; ++i) {
        if (i > 0) printer.newPage();
        painter.save();
        begin(painter, printer, settings, page.width());
        painter.translate(0, -i * page.height());
        document->drawContents(&painter, QRectF(0, i * page.height(), page.width(), page.height()));
        painter.restore();
    }
    return pages;
}

int Printing::printTable(QPrinter& printer, const QAbstractItemModel& model,
                         const QList<int>& columns, const QList<int>& widths, const QString& title,
                         const PrintSettings& settings) {
    const QSizeF page = contentSize(printer, settings);
    double total = 0;
    for (int w : widths) total += w;
    const double shrink = total > page.width() ? page.width() / total : 1.0;
    const QFont plain = pixelFont(11), bold = pixelFont(11, true), small = pixelFont(9);
    const double rowHeight = QFontMetricsF(plain).height() + 6;
    const double footer = QFontMetricsF(small).height() + 8;
    const int perPage = std::max(1, static_cast<int>((page.height() - footer) / rowHeight) - 1);
    const int rows = model.rowCount();
    const int pages = std::max(1, (rows + perPage - 1) / perPage);

    QPainter painter(&printer);
    auto cell = [&](const QRectF& box, int row, int column) {
        const QModelIndex index = model.index(row, column);
        const QVariant background = model.data(index, Qt::BackgroundRole);
        if (background.canConvert<QBrush>()) painter.fillRect(box, background.value<QBrush>());
        const QVariant foreground = model.data(index, Qt::ForegroundRole);
        painter.setPen(foreground.canConvert<QBrush>() ? foreground.value<QBrush>().color()
                                                       : QColor(Qt::black));
        painter.setFont(model.data(index, Qt::FontRole).value<QFont>().bold() ? bold : plain);
        QRectF inner = box.adjusted(3, 0, -3, 0);
        const QVariant icon = model.data(index, Qt::DecorationRole);
        if (icon.canConvert<QIcon>() && !icon.value<QIcon>().isNull()) {
            const double side = std::min(rowHeight - 4, 14.0);
            const QRectF where(inner.left(), box.center().y() - side / 2, side, side);
            painter.drawPixmap(where, icon.value<QIcon>().pixmap(32, 32), QRectF(0, 0, 32, 32));
            inner.setLeft(where.right() + 3);
        }
        const QVariant align = model.data(index, Qt::TextAlignmentRole);
        const Qt::Alignment alignment =
            align.isValid() ? Qt::Alignment(align.toInt()) : (Qt::AlignLeft | Qt::AlignVCenter);
        const QString text = model.data(index, Qt::DisplayRole).toString();
        painter.drawText(
            inner, alignment,
            painter.fontMetrics().elidedText(text, Qt::ElideRight, int(inner.width())));
    };

    for (int p = 0; p < pages; ++p) {
        if (p > 0) printer.newPage();
        painter.save();
        begin(painter, printer, settings, page.width());
        double x = 0;
        painter.setFont(bold);
        for (int c = 0; c < columns.size(); ++c) {
            const QRectF box(x, 0, widths[c] * shrink, rowHeight);
            painter.fillRect(box, QColor(225, 225, 225));
            painter.setPen(Qt::black);
            painter.drawText(box.adjusted(3, 0, -3, 0), Qt::AlignLeft | Qt::AlignVCenter,
                             model.headerData(columns[c], Qt::Horizontal).toString());
            x += box.width();
        }
        const int first = p * perPage, last = std::min(rows, first + perPage);
        for (int r = first; r < last; ++r) {
            const double y = (r - first + 1) * rowHeight;
            x = 0;
            for (int c = 0; c < columns.size(); ++c) {
                const QRectF box(x, y, widths[c] * shrink, rowHeight);
                cell(box, r, columns[c]);
                x += box.width();
            }
            painter.setPen(QPen(QColor(200, 200, 200), 0.5));
            painter.drawLine(QPointF(0, y + rowHeight), QPointF(x, y + rowHeight));
        }
        painter.setFont(small);
        painter.setPen(Qt::black);
        painter.drawText(QRectF(0, page.height() - footer, page.width(), footer),
                         Qt::AlignRight | Qt::AlignBottom,
                         QStringLiteral("%1 - %2 / %3").arg(title).arg(p + 1).arg(pages));
        painter.restore();
    }
    return pages;
}

void Printing::printPicture(QPrinter& printer, const PrintSettings& settings, double aspect,
                            const PaintPicture& paint) {
    const QSizeF page = contentSize(printer, settings);
    QSizeF size(page.width(), page.width() * aspect);
    if (size.height() > page.height()) size = QSizeF(page.height() / aspect, page.height());
    QPainter painter(&printer);
    begin(painter, printer, settings, size.width());
    paint(painter, size);
}
