#include "stats/GraphesWindow.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

#include "Printing.h"
#include "localisation/UiText.h"
#include "settings/AppContext.h"
#include "stats/Graphes.h"
#include "tools/WindowFrame.h"

GraphesWindow::GraphesWindow(divelog::AppContext& context, const UiText& text, QWidget* parent)
    : QWidget(parent, Qt::Window), context_(context) {
    setObjectName(QStringLiteral("graphesWindow"));
    setWindowTitle(text.carnet("Graphs title"));
    view_ = new Graphes(context.localisation(), this);
    auto* print = new QPushButton(text.main("Print..."), this);
    print->setObjectName(QStringLiteral("print"));
    connect(print, &QPushButton::clicked, this, &GraphesWindow::printRequested);
    auto* setup = new QPushButton(text.main("Page setup..."), this);
    setup->setObjectName(QStringLiteral("runPageLayout"));
    connect(setup, &QPushButton::clicked, this, &GraphesWindow::pageSetupRequested);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(setup);
    buttons->addWidget(print);
    auto* column = new QVBoxLayout(this);
    column->addWidget(view_, 1);
    column->addLayout(buttons);
    redraw();
    resize(940, 560);
    windowframe::restore(this, context_.settings(), QStringLiteral("Graphes"), true);
}

void GraphesWindow::redraw() {
    view_->setLook(divelog::StatisticsChartLook::read(context_.settings()));
}

void GraphesWindow::print(QPrinter& printer) const {
    const double aspect =
        divelog::StatisticsChart::kDefaultHeight / divelog::StatisticsChart::kDefaultWidth;
    Printing::printPicture(
        printer, PrintSettings::chart(), aspect, [this](QPainter& p, QSizeF size) {
            Graphes::paintChart(p, view_->layoutFor(size),
                                divelog::StatisticsChartLook::read(context_.settings()));
        });
}

void GraphesWindow::present() {
    show();
    raise();
    activateWindow();
}

void GraphesWindow::closeEvent(QCloseEvent* event) {
    windowframe::remember(this, context_.settings(), QStringLiteral("Graphes"));
    QWidget::closeEvent(event);
}
