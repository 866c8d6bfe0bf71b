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

#include "localisation/UiText.h"
#include "logbook/DiveFormReadouts.h"
#include "profile/Profil.h"
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
    connect(view_, &Profil::readout, readout_, &QLabel::setText);

    auto* print = new QPushButton(text_.text("Profil", "Print"), this);
    print->setObjectName(QStringLiteral("printProfile"));
    connect(print, &QPushButton::clicked, this, &ProfilWindow::printWithDialog);
    auto* setup = new QPushButton(text_.text("Profil", "Page setup"), this);
    connect(setup, &QPushButton::clicked, this, &ProfilWindow::pageSetup);

    auto* side = new QVBoxLayout;
    side->addWidget(summary_, 1);
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
                      QStringLiteral("\n\n") + q(r.oxygen.text));
}

void ProfilWindow::redraw() { view_->setLook(divelog::ProfileChartLook::read(context_.settings())); }

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
    printer.setPageOrientation(QPageLayout::Portrait);
    printer.setPageMargins(QMarginsF(10, 20, 10, 20), QPageLayout::Point);
    QPainter painter(&printer);
    // Lay the chart out in points for the page width, keeping its proportions,
    // and draw it at the printer's own resolution.
    const QRectF page = printer.pageLayout().paintRect(QPageLayout::Point);
    const double scale = printer.resolution() / 72.0;
    const double width = page.width();
    const double height = width * divelog::ProfileChart::kDefaultHeight / divelog::ProfileChart::kDefaultWidth;
    painter.scale(scale, scale);
    const divelog::ProfileChart chart = view_->layoutFor(QSizeF(width, height));
    Profil::paintChart(painter, chart, view_->look());
    QFont font = painter.font();
    font.setPixelSize(11);
    painter.setFont(font);
    painter.setPen(Qt::black);
    painter.drawText(QRectF(0, height + 12, width, page.height() - height - 12),
                     Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap,
                     windowTitle() + QStringLiteral("\n") + location_->text() + QStringLiteral("\n\n") +
                         summary_->text());
}

void ProfilWindow::printWithDialog() {
    if (!printer_) printer_ = new QPrinter(QPrinter::HighResolution);
    QPrintDialog dialog(printer_, this);
    if (dialog.exec() == QDialog::Accepted) print(*printer_);
}

void ProfilWindow::pageSetup() {
    if (!printer_) printer_ = new QPrinter(QPrinter::HighResolution);
    QPageSetupDialog dialog(printer_, this);
    dialog.exec();
}
