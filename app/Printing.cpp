#include "Printing.h"

#include <QAbstractItemModel>
#include <QAbstractTextDocumentLayout>
#include <QCoreApplication>
#include <QFontDatabase>
#include <QIcon>
#include <QPageSetupDialog>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QProgressDialog>
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
                            const PrintSettings& settings, const PageHook& hook) {
    if (hook && !hook(0, 0)) return 0;
    const QSizeF page = contentSize(printer, settings);
    std::unique_ptr<QTextDocument> document(source.clone());
    document->setDefaultFont(source.defaultFont());
    document->setDefaultTextOption(source.defaultTextOption());
    // Laid out in pages of the content area: a line never straddles two.
    document->setPageSize(page);
    const int pages = std::max(1, document->pageCount());
    QPainter painter(&printer);
    for (int i = 0; i < pages; ++i) {
        if (hook && !hook(i, pages)) {
            printer.abort();
            return 0;
        }
        if (i > 0) printer.newPage();
        painter.save();
        begin(painter, printer, settings, page.width());
        painter.translate(0, -i * page.height());
        document->drawContents(&painter, QRectF(0, i * page.height(), page.width(), page.height()));
        painter.restore();
    }
    return pages;
}

namespace {

constexpr double kPadding = 3;  // each side of a cell's text
constexpr int kWrap = Qt::TextWordWrap;

QFont tableFont(bool bold) { return pixelFont(11, bold); }

// What a cell prints: its text, font and whether a picture goes before it.
struct CellText {
    QString text;
    bool bold = false;
    bool icon = false;
};

CellText cellText(const QAbstractItemModel& model, int row, int column) {
    const QModelIndex index = model.index(row, column);
    const QVariant icon = model.data(index, Qt::DecorationRole);
    return {model.data(index, Qt::DisplayRole).toString(),
            model.data(index, Qt::FontRole).value<QFont>().bold(),
            icon.canConvert<QIcon>() && !icon.value<QIcon>().isNull()};
}

double iconSide(double lineHeight) { return std::min(lineHeight + 2, 14.0); }

// The width a text needs on one line per line break, and its longest word.
void measure(const QFontMetricsF& metrics, const QString& text, double& widest, double& word) {
    for (const QString& line : text.split(QLatin1Char('\n'))) {
        widest = std::max(widest, metrics.horizontalAdvance(line));
        for (const QString& w : line.split(QLatin1Char(' '), Qt::SkipEmptyParts))
            word = std::max(word, metrics.horizontalAdvance(w));
    }
}

double wrappedHeight(const QFontMetricsF& metrics, const QString& text, double width) {
    if (text.isEmpty()) return metrics.height();
    return metrics.boundingRect(QRectF(0, 0, std::max(width, 1.0), 1e6), kWrap, text).height();
}

}  // namespace

Printing::TableLayout Printing::layOutTable(const QPrinter& printer,
                                            const QAbstractItemModel& model,
                                            const QList<int>& columns,
                                            const PrintSettings& settings) {
    auto* device = const_cast<QPrinter*>(&printer);
    const QFontMetricsF plain(tableFont(false), device), bold(tableFont(true), device);
    const double page = contentSize(printer, settings).width();
    const int rows = model.rowCount();
    QList<double> natural, least;
    for (int c : columns) {
        double widest = 0, word = 0;
        measure(bold, model.headerData(c, Qt::Horizontal).toString(), widest, word);
        for (int r = 0; r < rows; ++r) {
            const CellText cell = cellText(model, r, c);
            const double icon = cell.icon ? iconSide(plain.height()) + kPadding : 0;
            double w = 0, longest = 0;
            measure(cell.bold ? bold : plain, cell.text, w, longest);
            widest = std::max(widest, w + icon);
            word = std::max(word, longest + icon);
        }
        natural << widest + 2 * kPadding + 1;
        least << std::max(word + 2 * kPadding + 1, 24.0);
    }
    auto total = [](const QList<double>& ws) {
        double sum = 0;
        for (double w : ws) sum += w;
        return sum;
    };
    TableLayout layout;
    layout.widths = natural;
    if (total(natural) > page) {
        // The widest columns give way together, none below its longest word.
        auto capped = [&](double cap) {
            QList<double> ws;
            for (int i = 0; i < natural.size(); ++i)
                ws << std::max(least[i], std::min(natural[i], cap));
            return ws;
        };
        double low = 0, high = *std::max_element(natural.begin(), natural.end());
        for (int step = 0; step < 40; ++step) {
            const double mid = (low + high) / 2;
            (total(capped(mid)) > page ? high : low) = mid;
        }
        layout.widths = capped(low);
        // Even the words do not fit: everything shrinks alike, and text is cut.
        if (const double sum = total(layout.widths); sum > page)
            for (double& w : layout.widths) w *= page / sum;
    }
    layout.headerHeight = 0;
    for (int i = 0; i < columns.size(); ++i)
        layout.headerHeight =
            std::max(layout.headerHeight,
                     wrappedHeight(bold, model.headerData(columns[i], Qt::Horizontal).toString(),
                                   layout.widths[i] - 2 * kPadding));
    layout.headerHeight += 2 * kPadding;
    for (int r = 0; r < rows; ++r) {
        double height = plain.height();
        for (int i = 0; i < columns.size(); ++i) {
            const CellText cell = cellText(model, r, columns[i]);
            const double icon = cell.icon ? iconSide(plain.height()) + kPadding : 0;
            height = std::max(height, wrappedHeight(cell.bold ? bold : plain, cell.text,
                                                    layout.widths[i] - 2 * kPadding - icon));
        }
        layout.rowHeights << height + 2 * kPadding;
    }
    return layout;
}

int Printing::printTable(QPrinter& printer, const QAbstractItemModel& model,
                         const QList<int>& columns, const QString& title,
                         const PrintSettings& settings, const PageHook& hook) {
    if (hook && !hook(0, 0)) return 0;
    const QSizeF page = contentSize(printer, settings);
    const TableLayout layout = layOutTable(printer, model, columns, settings);
    const QFont small = pixelFont(9);
    const double footer = QFontMetricsF(small, &printer).height() + 8;
    const double room = page.height() - footer - layout.headerHeight;
    // Rows by page: as many as fit, at least one.
    QList<int> firsts{0};
    double used = 0;
    for (int r = 0; r < layout.rowHeights.size(); ++r) {
        if (used > 0 && used + layout.rowHeights[r] > room) {
            firsts << r;
            used = 0;
        }
        used += layout.rowHeights[r];
    }
    const int rows = model.rowCount();
    const int pages = static_cast<int>(firsts.size());
    firsts << rows;

    QPainter painter(&printer);
    const double line = QFontMetricsF(tableFont(false), &printer).height();
    auto cell = [&](const QRectF& box, int row, int column) {
        const QModelIndex index = model.index(row, column);
        const QVariant background = model.data(index, Qt::BackgroundRole);
        if (background.canConvert<QBrush>()) painter.fillRect(box, background.value<QBrush>());
        const QVariant foreground = model.data(index, Qt::ForegroundRole);
        painter.setPen(foreground.canConvert<QBrush>() ? foreground.value<QBrush>().color()
                                                       : QColor(Qt::black));
        const CellText text = cellText(model, row, column);
        painter.setFont(tableFont(text.bold));
        QRectF inner = box.adjusted(kPadding, kPadding, -kPadding, -kPadding);
        if (text.icon) {
            const double side = iconSide(line);
            const QRectF where(inner.left(), inner.top() + (line - side) / 2, side, side);
            const QIcon icon = model.data(index, Qt::DecorationRole).value<QIcon>();
            painter.drawPixmap(where, icon.pixmap(32, 32), QRectF(0, 0, 32, 32));
            inner.setLeft(where.right() + kPadding);
        }
        const QVariant align = model.data(index, Qt::TextAlignmentRole);
        const Qt::Alignment horizontal =
            align.isValid() ? (Qt::Alignment(align.toInt()) & Qt::AlignHorizontal_Mask)
                            : Qt::AlignLeft;
        painter.drawText(inner, int(horizontal | Qt::AlignTop) | kWrap, text.text);
    };

    for (int p = 0; p < pages; ++p) {
        if (hook && !hook(p, pages)) {
            printer.abort();
            return 0;
        }
        if (p > 0) printer.newPage();
        painter.save();
        begin(painter, printer, settings, page.width());
        double x = 0;
        painter.setFont(tableFont(true));
        for (int c = 0; c < columns.size(); ++c) {
            const QRectF box(x, 0, layout.widths[c], layout.headerHeight);
            painter.fillRect(box, QColor(225, 225, 225));
            painter.setPen(Qt::black);
            painter.drawText(box.adjusted(kPadding, kPadding, -kPadding, -kPadding),
                             int(Qt::AlignLeft | Qt::AlignTop) | kWrap,
                             model.headerData(columns[c], Qt::Horizontal).toString());
            x += box.width();
        }
        double y = layout.headerHeight;
        for (int r = firsts[p]; r < firsts[p + 1]; ++r) {
            const double height = layout.rowHeights[r];
            x = 0;
            for (int c = 0; c < columns.size(); ++c) {
                const QRectF box(x, y, layout.widths[c], height);
                cell(box, r, columns[c]);
                x += box.width();
            }
            y += height;
            painter.setPen(QPen(QColor(200, 200, 200), 0.5));
            painter.drawLine(QPointF(0, y), QPointF(x, y));
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

PrintProgress::PrintProgress(QWidget* parent, const QString& label, const QString& cancel)
    : dialog_(std::make_unique<QProgressDialog>(label, cancel, 0, 0, parent)) {
    dialog_->setObjectName(QStringLiteral("printProgress"));
    dialog_->setWindowModality(Qt::WindowModal);
    dialog_->setMinimumDuration(500);
    dialog_->setAutoClose(false);
    dialog_->setAutoReset(false);
}

PrintProgress::~PrintProgress() = default;

Printing::PageHook PrintProgress::hook() {
    return [this](int page, int pages) {
        dialog_->setMaximum(pages);
        dialog_->setValue(page);
        QCoreApplication::processEvents();
        return !dialog_->wasCanceled();
    };
}

bool PrintProgress::cancelled() const { return dialog_->wasCanceled(); }
