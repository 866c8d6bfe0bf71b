#pragma once

#include <QList>
#include <QMarginsF>
#include <QPageLayout>
#include <QSizeF>
#include <QString>
#include <functional>
#include <memory>

class QProgressDialog;
class QWidget;

class QAbstractItemModel;
class QPainter;
class QPrinter;
class QTextDocument;
class QWidget;

// How a print sits on the page: orientation, margins in points, the scale
// the content is drawn at (content is laid out in units of 1 / scale points)
// and whether it is centred across the page.
struct PrintSettings {
    QPageLayout::Orientation orientation = QPageLayout::Portrait;
    QMarginsF margins;  // points: left, top, right, bottom
    double scale = 1;
    bool centreHorizontally = false;

    // The logbook's table, card and statistics: 10 points at the sides,
    // 23.2 at the top, 25 at the bottom, drawn at 0.67.
    static PrintSettings logbook(QPageLayout::Orientation orientation);
    // The profile and the graphs: portrait, centred across, 10 points at the
    // sides, 20 at the top and bottom, drawn at 0.75.
    static PrintSettings chart();
};

// Every print of the application goes through here: long texts and tables
// continue on the next page, pictures are laid out for the page. Printing to
// a PDF file needs no printer.
class Printing {
public:
    // Orientation and margins onto the printer; a print dialog shown after
    // may still change them.
    static void apply(QPrinter& printer, const PrintSettings& settings);
    // The page's printable area in content units.
    static QSizeF contentSize(const QPrinter& printer, const PrintSettings& settings);
    // The print dialog on `printer`; false when the user cancels.
    static bool ask(QWidget* parent, QPrinter& printer);
    // The page set-up dialog on `printer`; false when the user cancels.
    static bool pageSetup(QWidget* parent, QPrinter& printer);

    // Told before each page (first 0 of 0 while the pages are laid out); a
    // false answer stops the print, which is then abandoned.
    using PageHook = std::function<bool(int page, int pages)>;

    // A text over as many pages as it needs. Returns the number of pages,
    // 0 when the hook stopped it.
    static int printDocument(QPrinter& printer, const QTextDocument& document,
                             const PrintSettings& settings, const PageHook& hook = {});
    // How a table lies on the page, in content units.
    struct TableLayout {
        QList<double> widths;      // one per printed column
        double headerHeight = 0;   // the column titles, wrapped
        QList<double> rowHeights;  // one per row, tall enough for its wrapped cells
    };
    // Each column as wide as its widest cell or title needs, whatever width
    // the window gives it; when they do not all fit across the page, the
    // widest give way, down to their longest word, and their text wraps
    // onto more lines of a taller row.
    static TableLayout layOutTable(const QPrinter& printer, const QAbstractItemModel& model,
                                   const QList<int>& columns, const PrintSettings& settings);
    // Every row of `model` with the given columns laid out as above, the
    // column titles on top of each page and `title` with the page number
    // below. Returns the pages.
    static int printTable(QPrinter& printer, const QAbstractItemModel& model,
                          const QList<int>& columns, const QString& title,
                          const PrintSettings& settings, const PageHook& hook = {});
    // One page holding a picture `aspect` times as high as it is wide, as
    // wide as the page allows; `paint` draws it for the size it is given.
    using PaintPicture = std::function<void(QPainter&, QSizeF)>;
    static void printPicture(QPrinter& printer, const PrintSettings& settings, double aspect,
                             const PaintPicture& paint);
};

// A progress dialog with Cancel over a long print, shown once it has lasted
// half a second; its hook is handed to the printing functions.
class PrintProgress {
public:
    PrintProgress(QWidget* parent, const QString& label, const QString& cancel);
    ~PrintProgress();
    Printing::PageHook hook();
    bool cancelled() const;

private:
    std::unique_ptr<QProgressDialog> dialog_;
};
