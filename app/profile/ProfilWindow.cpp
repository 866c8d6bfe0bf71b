#include "profile/ProfilWindow.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPageLayout>
#include <QPageSetupDialog>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QVBoxLayout>

#include "Printing.h"
#include "localisation/UiText.h"
#include "logbook/DiveFormReadouts.h"
#include "profile/Profil.h"
#include "profile/TissueChart.h"
#include "settings/AppContext.h"
#include "tools/WindowFrame.h"

namespace {
QString q(const std::string& s) { return QString::fromStdString(s); }
}  // namespace

ProfilWindow::ProfilWindow(divelog::AppContext& context, const UiText& text, QWidget* parent)
    : QWidget(parent, Qt::Window), context_(context), text_(text) {
    setObjectName(QStringLiteral("profilWindow"));
    view_ = new Profil(context.localisation(), this);
    location_ = new QLabel(this);
    location_->setObjectName(QStringLiteral("profileLocation"));
    summary_ = new QLabel(this);
    summary_->setObjectName(QStringLiteral("profileSummary"));
    summary_->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    summary_->setMinimumWidth(230);
    summary_->setWordWrap(true);
    readout_ = new QLabel(this);
    readout_->setObjectName(QStringLiteral("profileReadout"));
    readout_->setMinimumWidth(260);
    readout_->setWordWrap(true);
    // The depth and time, then the tissues of that moment.
    readout_->setMinimumHeight(2 * readout_->fontMetrics().lineSpacing() + 4);
    connect(view_, &Profil::readout, readout_, &QLabel::setText);
    tissues_ = new TissueChart(context.localisation(), this);
    connect(view_, &Profil::momentChanged, tissues_, &TissueChart::setMoment);

    auto* print = new QPushButton(text_.text("Profil", "Print"), this);
    print->setObjectName(QStringLiteral("printProfile"));
    connect(print, &QPushButton::clicked, this, &ProfilWindow::printWithDialog);
    auto* setup = new QPushButton(text_.text("Profil", "Page setup"), this);
    connect(setup, &QPushButton::clicked, this, &ProfilWindow::pageSetup);

    auto* side = new QVBoxLayout;
    side->addWidget(summary_, 1);
    side->addWidget(tissues_);
    side->addWidget(setup);
    side->addWidget(print);
    auto* middle = new QHBoxLayout;
    middle->addWidget(view_, 1);
    middle->addLayout(side);
    auto* column = new QVBoxLayout(this);
    column->addWidget(location_);
    column->addLayout(middle, 1);
    column->addWidget(readout_);
    redraw();
    resize(960, 680);
    windowframe::restore(this, context_.settings(), QStringLiteral("Profil"), true);
}

void ProfilWindow::show(const divelog::ProfileChartData& data, const divelog::FormReadouts& r) {
    setWindowTitle(q(r.profileTitle));
    location_->setText(q(r.profileLocation));
    view_->setData(data);
    const divelog::ProfileSummary& s = r.profile;
    summary_->setText(q(r.profileText.depth) + '\n' + q(r.profileText.sampling) + '\n' +
                      q(r.profileText.points) + QStringLiteral("\n\n") +
                      text_.format("Carnet", "Profile events", "error !",
                                   {s.slowCount, s.ceilCount, s.surfacings, s.gasSwitches}) +
                      QStringLiteral("\n\n") + q(r.oxygen.text) + '\n' + q(r.modelText.panel()));
    // The bars follow the pointer; until it moves they show the dive's end.
    if (r.model && r.model->available()) {
        const divelog::ProfileModel::Moment end = r.model->at(r.model->samples() - 1);
        tissues_->setMoment(&end);
    } else {
        tissues_->setMoment(nullptr);
    }
}

void ProfilWindow::redraw() {
    view_->setLook(divelog::ProfileChartLook::read(context_.settings()));
}

void ProfilWindow::closeEvent(QCloseEvent* event) {
    windowframe::remember(this, context_.settings(), QStringLiteral("Profil"));
    QWidget::closeEvent(event);
}

void ProfilWindow::present() {
    QWidget::show();
    raise();
    activateWindow();
}

void ProfilWindow::print(QPrinter& printer) const {
    Printing::apply(printer, PrintSettings::chart());
    printOn(printer);
}

QPrinter& ProfilWindow::printer() {
    // The profile's page set-up once, when the printer is made: the choices the
    // print dialog and Page Setup make on it afterwards are the user's.
    if (!printer_) {
        printer_ = new QPrinter(QPrinter::HighResolution);
        Printing::apply(*printer_, PrintSettings::chart());
    }
    return *printer_;
}

void ProfilWindow::printOn(QPrinter& printer) const {
    const PrintSettings settings = PrintSettings::chart();
    // The chart is laid out for the page's width; the summary goes below it.
    const QSizeF page = Printing::contentSize(printer, settings);
    const double aspect =
        divelog::ProfileChart::kDefaultHeight / divelog::ProfileChart::kDefaultWidth;
    Printing::printPicture(printer, settings, aspect, [&](QPainter& painter, QSizeF size) {
        Profil::paintChart(painter, view_->layoutFor(size), view_->look());
        QFont font = painter.font();
        font.setPixelSize(11);
        painter.setFont(font);
        painter.setPen(Qt::black);
        painter.drawText(
            QRectF(0, size.height() + 12, size.width(), page.height() - size.height() - 12),
            Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap,
            windowTitle() + QStringLiteral("\n") + location_->text() + QStringLiteral("\n\n") +
                summary_->text());
    });
}

void ProfilWindow::printWithDialog() {
    if (Printing::ask(this, printer())) printOn(printer());
}

void ProfilWindow::pageSetup() { Printing::pageSetup(this, printer()); }
