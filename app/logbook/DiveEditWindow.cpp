#include "logbook/DiveEditWindow.h"

#include <QAction>
#include <QApplication>
#include <QButtonGroup>
#include <QCloseEvent>
#include <QDialog>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QStackedWidget>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

#include "UserPrompts.h"
#include "localisation/UiText.h"
#include "logbook/CarnetSession.h"
#include "logbook/DiveFormBinder.h"
#include "logbook/DiveFormCombos.h"
#include "logbook/DiveViewKit.h"
#include "logbook/LogbookToolbar.h"
#include "logbook/ToolbarCarnet.h"
#include "settings/AppContext.h"
#include "tools/EditViewPage.h"
#include "tools/TickedGauge.h"
#include "tools/WindowFrame.h"

namespace {

QString q(const std::string& s) { return QString::fromStdString(s); }

const char* const kViewTitles[DiveEditWindow::kViewCount] = {
    "View place", "View depth", "View gases", "View rebreather", "View equipment", "View notes"};

}  // namespace

DiveEditWindow::DiveEditWindow(divelog::CarnetSession& session, divelog::AppContext& context,
                               const UiText& text, UserPrompts& prompts, QWidget* parent)
    : QMainWindow(parent, Qt::Window),
      session_(session),
      context_(context),
      text_(text),
      prompts_(prompts),
      binder_(std::make_unique<DiveFormBinder>(session.form(), context)) {
    setObjectName(QStringLiteral("diveEditWindow"));
    toolbar_ = new LogbookToolbar(q(std::string(divelog::ToolbarCarnet::kEditToolbar)),
                                  context.settings(), text, this);
    addToolBar(toolbar_);

    DiveViewKit kit(*binder_, parts_, text_);
    QWidget* (*builders[kViewCount])(DiveViewKit&) = {buildPlaceView,     buildDepthView,
                                                      buildGasView,       buildRebreatherView,
                                                      buildEquipmentView, buildNotesView};
    views_ = new QStackedWidget;
    for (auto build : builders) views_->addWidget(wrapView(build(kit)));

    auto* central = new QWidget;
    auto* column = new QVBoxLayout(central);
    column->setContentsMargins(10, 6, 10, 10);
    auto* bar = new QWidget;
    buildNavigation(bar);
    column->addWidget(bar);
    column->addWidget(views_, 1);
    setCentralWidget(central);

    connect(binder_.get(), &DiveFormBinder::committed, this, &DiveEditWindow::onCommitted);
    connect(binder_.get(), &DiveFormBinder::pickListEditFinished, this,
            &DiveEditWindow::onPickListEditFinished);
    connect(parts_.razAir, &QPushButton::clicked, this,
            [this] { preset([](divelog::CarnetSession& s) { s.form().razAir(); }); });
    connect(parts_.razNitrox, &QPushButton::clicked, this,
            [this] { preset([](divelog::CarnetSession& s) { s.form().razNitrox(); }); });
    connect(parts_.razHeliox, &QPushButton::clicked, this,
            [this] { preset([](divelog::CarnetSession& s) { s.form().razHeliox(); }); });
    connect(parts_.consumptionButton, &QPushButton::clicked, this,
            &DiveEditWindow::showConsumption);

    // Large enough for the largest view where the screen allows; smaller
    // screens scroll the view instead of cutting it off.
    QSize largest;
    for (QWidget* content : contents_) largest = largest.expandedTo(content->sizeHint());
    showForm();
    goView(1);
    // The window's frame around the view: toolbar, view buttons, footer, margins.
    const QSize chrome = sizeHint() - views_->currentWidget()->sizeHint();
    QSize wanted = (largest + chrome + QSize(24, 24)).expandedTo(sizeHint());
    if (const QScreen* s = screen())
        wanted = wanted.boundedTo(s->availableGeometry().size() * 0.95);
    resize(wanted);
}

DiveEditWindow::~DiveEditWindow() = default;

QWidget* DiveEditWindow::control(const std::string& name) { return binder_->widget(name); }

void DiveEditWindow::buildNavigation(QWidget* bar) {
    auto* line = new QHBoxLayout(bar);
    line->setContentsMargins(0, 0, 0, 4);
    line->setSpacing(0);
    navigation_ = new QButtonGroup(this);
    for (int i = 0; i < kViewCount; ++i) {
        auto* b = new QToolButton(bar);
        b->setText(text_.carnet(kViewTitles[i], kViewTitles[i]));
        b->setCheckable(true);
        b->setAutoRaise(false);
        b->setMinimumHeight(26);
        navigation_->addButton(b, i + 1);
        line->addWidget(b);

        // goView_N, also from the keyboard.
        auto* go = new QAction(this);
        go->setObjectName(QStringLiteral("goView_%1").arg(i + 1));
        go->setShortcut(QKeySequence(Qt::CTRL | static_cast<Qt::Key>(Qt::Key_1 + i)));
        connect(go, &QAction::triggered, this, [this, i] { goView(i + 1); });
        addAction(go);
    }
    connect(navigation_, &QButtonGroup::idClicked, this, &DiveEditWindow::goView);
    line->addStretch();
}

QWidget* DiveEditWindow::wrapView(QWidget* view) {
    EditViewPage v = EditViewPage::make(this, view, text_.carnet("Previous dive", "Previous"),
                                        text_.carnet("Next dive", "Next"),
                                        text_.carnet("Close edit window", "Close"));
    v.previous->setObjectName(QStringLiteral("prevDive"));
    v.next->setObjectName(QStringLiteral("nextDive"));
    v.count->setObjectName(QStringLiteral("diveCount"));
    connect(v.previous, &QPushButton::clicked, this, &DiveEditWindow::previousRequested);
    connect(v.next, &QPushButton::clicked, this, &DiveEditWindow::nextRequested);
    contents_ << view;
    counts_ << v.count;
    previous_ << v.previous;
    next_ << v.next;
    return v.page;
}

int DiveEditWindow::currentView() const { return views_->currentIndex() + 1; }

void DiveEditWindow::focusControl(const std::string& name) {
    QWidget* w = control(name);
    if (!w) return;
    for (int v = 0; v < views_->count(); ++v)
        if (views_->widget(v)->isAncestorOf(w) && v != views_->currentIndex()) goView(v + 1);
    w->setFocus();
    if (auto* line = qobject_cast<QLineEdit*>(w)) line->selectAll();
}

void DiveEditWindow::goView(int view) {
    if (view < 1 || view > kViewCount) return;
    views_->setCurrentIndex(view - 1);
    navigation_->button(view)->setChecked(true);
    session_.refresh();
    showForm();
}

void DiveEditWindow::present(QWidget* logbook) {
    if (!placed_ && logbook) {
        placed_ = true;
        windowframe::placeBeside(this, logbook);
    }
    show();
    raise();
    activateWindow();
}

void DiveEditWindow::showForm() {
    binder_->fill();
    showReadouts();
}

void DiveEditWindow::showReadouts() {
    const divelog::FormReadouts& r = session_.readouts();
    setWindowTitle(q(r.windowTitle));
    for (QLabel* count : counts_) count->setText(q(r.diveCount));
    for (QPushButton* b : previous_) b->setEnabled(r.previousEnabled);
    for (QPushButton* b : next_) b->setEnabled(r.nextEnabled);

    parts_.difficulty->setText(q(r.difficulty));
    // The titles are fixed texts; a translation is used when the tables have one.
    parts_.cylinder1->setTitle(text_.carnet(r.cylinder1Title, r.cylinder1Title));
    parts_.cylinder2->setTitle(text_.carnet(r.cylinder2Title, r.cylinder2Title));
    parts_.setPointTitle->setText(text_.carnet(r.setPointTitle, r.setPointTitle));
    parts_.gasSummary->setText(q(r.gasSummary));
    for (std::size_t c = 0; c < 2; ++c) parts_.usedPressure[c]->setText(q(r.usedPressureText[c]));

    control("flow")->setEnabled(r.flowEnabled);
    control("ppO2")->setEnabled(r.setPointEnabled);
    control("o2Mix")->setEnabled(r.oxygenEnabled);
    control("heMix")->setEnabled(r.heliumEnabled);
    control("o2Mix_2")->setEnabled(r.oxygen2Enabled);
    control("heMix_2")->setEnabled(r.helium2Enabled);
    parts_.planningGroup->setEnabled(r.planningDetailsEnabled);
    parts_.stageGroup->setEnabled(r.stageButtonEnabled);
    parts_.bailoutGroup->setEnabled(r.bailoutButtonEnabled);

    auto showCylinder = [this](const divelog::CylinderReadout& in, CylinderParts& out,
                               bool titled) {
        // The titles of stages not needed are keys ("Pony 2") standing for their text.
        if (titled) out.box->setTitle(text_.carnet(in.title, in.title));
        out.text->setText(q(in.text).replace(QLatin1Char('\r'), QLatin1Char('\n')));
        const divelog::CylinderUse& u = in.use;
        out.gauge->setVisible(u.present);
        out.gauge->setRange(0, std::max(u.gaugeMaximum, 1));
        out.gauge->setValue(std::clamp(u.gaugeValue, 0, std::max(u.gaugeMaximum, 1)));
        out.gauge->setFormat(QStringLiteral("%1 / %2 bar").arg(u.gaugeValue).arg(u.gaugeMaximum));
        out.gauge->setTicks(u.gaugeTicks);
    };
    for (std::size_t k = 0; k < 3; ++k) showCylinder(r.stages[k], parts_.stages[k], true);
    for (std::size_t k = 0; k < 2; ++k) showCylinder(r.bailouts[k], parts_.bailouts[k], false);

    const divelog::ProfileSummary& p = r.profile;
    parts_.profileDepth->setText(q(r.profileText.depth));
    parts_.profileSampling->setText(q(r.profileText.sampling));
    parts_.profilePoints->setText(q(r.profileText.points));
    parts_.profileEvents->setText(
        text_.format("Carnet", "Profile events", "error !",
                     {p.slowCount, p.ceilCount, p.surfacings, p.gasSwitches}));
    parts_.oxygen->setText(q(r.oxygen.text));
    parts_.consumption->setText(q(r.consumption));
    parts_.consumption->setVisible(!r.consumption.empty());
    if (consumption_ && consumption_->isVisible()) {
        consumptionText_->setText(q(r.consumption));
        // The CNS clock and the profile's own count, with the line telling them apart.
        consumptionOxygen_->setText(q(r.oxygen.text) + '\n' + q(r.modelText.oxygen) + '\n' +
                                    q(r.modelText.whichIsWhich));
    }

    for (QLabel* l : parts_.temperatureUnits) l->setText(q(r.temperatureUnit));
    for (QLabel* l : parts_.depthUnits) l->setText(q(r.depthUnit));
}

QDialog* DiveEditWindow::consumptionSheet() {
    if (consumption_) return consumption_;
    consumption_ = new QDialog(this, Qt::Sheet);
    consumption_->setObjectName(QStringLiteral("consumptionSheet"));
    consumption_->setWindowTitle(text_.carnet("Consumption title"));
    consumptionText_ = new QLabel(consumption_);
    consumptionText_->setObjectName(QStringLiteral("consumptionText"));
    consumptionText_->setMinimumWidth(360);
    consumptionOxygen_ = new QLabel(consumption_);
    consumptionOxygen_->setObjectName(QStringLiteral("consumptionOxygen"));
    consumptionOxygen_->setWordWrap(true);
    consumptionOxygen_->setMinimumWidth(360);
    auto* done = new QPushButton(text_.carnet("Done"), consumption_);
    connect(done, &QPushButton::clicked, consumption_, &QDialog::accept);  // endConsoSheet
    auto* column = new QVBoxLayout(consumption_);
    column->addWidget(consumptionText_);
    column->addSpacing(8);
    column->addWidget(consumptionOxygen_);
    column->addWidget(done, 0, Qt::AlignRight);
    return consumption_;
}

void DiveEditWindow::showConsumption() {
    consumptionSheet()->show();
    consumption_->raise();
    session_.refresh();
    showForm();
}

void DiveEditWindow::onCommitted() {
    session_.refresh();
    showForm();
    emit formRefreshed();
}

void DiveEditWindow::preset(void (*apply)(divelog::CarnetSession&)) {
    apply(session_);
    session_.refresh();
    showForm();
    emit formRefreshed();
}

void DiveEditWindow::onPickListEditFinished(const QString& control) {
    const std::string name = control.toStdString();
    const auto key = divelog::DiveFormCombos::pickListKey(name);
    if (!key || asking_) return;
    const std::string typed = session_.form().text(name);
    auto& pickLists = context_.pickLists();
    if (!divelog::DiveFormCombos::shouldAskToAdd(pickLists, *key, typed)) return;
    // Leaving the field again after "No" asks nothing more about that text.
    if (declined_[name] == typed) return;
    asking_ = true;  // the question takes the focus, which ends the editing again
    QApplication::beep();
    const bool yes =
        prompts_.ask(this, text_.main("Add item to ComboBox"), text_.main("Yes"), text_.main("No"));
    asking_ = false;
    declined_[name] = yes ? std::string() : typed;
    divelog::DiveFormCombos::acceptAdd(pickLists, *key, typed, yes);
    binder_->reloadPickLists();
}

void DiveEditWindow::closeEvent(QCloseEvent* event) {
    if (closeGuard_ && !closeGuard_()) {
        event->ignore();
        return;
    }
    QMainWindow::closeEvent(event);
}
