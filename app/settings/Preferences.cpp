#include "settings/Preferences.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QStackedWidget>
#include <QVBoxLayout>

#include "UserPrompts.h"
#include "dive/DiveColumns.h"
#include "localisation/UiText.h"
#include "settings/AppContext.h"
#include "settings/PreferencesControls.h"
#include "settings/PreferencesModel.h"
#include "settings/ToolBarPrefs.h"
#include "tools/ColourButton.h"
#include "tools/WindowFrame.h"

namespace {

// Rows of "label  control  unit" inside a titled box.
class Form {
public:
    Form(QWidget* parent, const QString& title, PreferencesControls& controls, const UiText& text)
        : controls_(controls), text_(text) {
        box_ = new QGroupBox(title, parent);
        grid_ = new QGridLayout(box_);
        grid_->setColumnStretch(3, 1);
        grid_->setHorizontalSpacing(8);
    }
    QGroupBox* box() const { return box_; }

    // A control on a row of its own, spanning the columns.
    void wide(QWidget* w, int indent = 0) {
        w->setContentsMargins(indent, 0, 0, 0);
        grid_->addWidget(w, row_++, 0, 1, 4);
    }
    // A labelled control; its label (and unit) follow the control's enabling.
    QLabel* labelled(const std::string& key, const char* labelKey, QWidget* control,
                     QWidget* unit = nullptr, int indent = 0) {
        auto* label = new QLabel(text_.main(labelKey), box_);
        label->setContentsMargins(indent, 0, 0, 0);
        label->setBuddy(control);
        grid_->addWidget(label, row_, 0);
        grid_->addWidget(control, row_, 1, Qt::AlignLeft);
        controls_.follow(key, label);
        if (unit) {
            grid_->addWidget(unit, row_, 2, Qt::AlignLeft);
            controls_.follow(key, unit);
        }
        ++row_;
        return label;
    }

private:
    PreferencesControls& controls_;
    const UiText& text_;
    QGroupBox* box_ = nullptr;
    QGridLayout* grid_ = nullptr;
    int row_ = 0;
};

constexpr int kIndent = 22;  // controls that depend on the switch above them

QVBoxLayout* viewLayout(QWidget* view) {
    auto* layout = new QVBoxLayout(view);
    layout->setContentsMargins(16, 12, 16, 8);
    layout->setSpacing(10);
    return layout;
}

}  // namespace

Preferences::Preferences(divelog::AppContext& context, const UiText& text, UserPrompts& prompts)
    : QMainWindow(nullptr),
      context_(context),
      text_(text),
      prompts_(prompts),
      model_(std::make_unique<divelog::PreferencesModel>(context)) {
    setObjectName(QString::fromLatin1(kLayout));
    setWindowTitle(text.main("Preferences"));
    controls_ = new PreferencesControls(*model_, text, this);
    connect(controls_, &PreferencesControls::changed, this, &Preferences::refreshWindow);
    connect(controls_, &PreferencesControls::refused, this,
            [this](const QString& message) { prompts_.inform(this, message); });

    toolBar_ = new ToolBarPrefs(text, this);
    addToolBar(Qt::TopToolBarArea, toolBar_);
    connect(toolBar_, &ToolBarPrefs::viewChosen, this, &Preferences::goView);

    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 12);
    views_ = new QStackedWidget(central);
    views_->addWidget(buildGeneralView());
    views_->addWidget(buildLogbookView());
    views_->addWidget(buildDisplayView());
    views_->addWidget(buildProfileView());
    views_->addWidget(buildDecoView());
    layout->addWidget(views_, 1);

    auto* buttons = new QHBoxLayout;
    buttons->setContentsMargins(16, 0, 16, 0);
    reset_ = new QPushButton(text.main("Reset"), central);
    reset_->setToolTip(text.main("Reset tip"));
    save_ = new QPushButton(text.main("Save"), central);
    save_->setDefault(true);
    buttons->addWidget(reset_);
    buttons->addStretch(1);
    buttons->addWidget(save_);
    layout->addLayout(buttons);
    setCentralWidget(central);
    connect(reset_, &QPushButton::clicked, this, &Preferences::resetPreferences);
    connect(save_, &QPushButton::clicked, this, &Preferences::savePrefs);

    refreshWindow();
    goView(1);
}

Preferences::~Preferences() {
    if (isVisible()) windowframe::remember(this, context_.settings(), objectName());
}

QWidget* Preferences::buildGeneralView() {
    auto* view = new QWidget;
    QVBoxLayout* layout = viewLayout(view);
    PreferencesControls& c = *controls_;
    const UiText& t = text_;

    Form tank(view, t.main("Cylinder of new dives"), c, t);
    tank.labelled("tank volume", "Tank volume", c.field("tank volume", 6, view),
                  new QLabel(t.main("Unit litres"), view));
    tank.labelled("tank pressure", "Tank pressure", c.field("tank pressure", 6, view),
                  new QLabel(t.main("Unit bar"), view));
    layout->addWidget(tank.box());

    Form units(view, t.main("Units and country"), c, t);
    units.wide(c.check("us units", "US units", view));
    units.labelled("country code", "Home country code", c.field("country code", 6, view));
    layout->addWidget(units.box());

    Form computer(view, t.main("Dive computer of new dives"), c, t);
    computer.labelled("fabricant", "Computer maker", c.field("fabricant", 24, view));
    computer.labelled("ordinateur", "Computer model", c.field("ordinateur", 24, view));
    computer.labelled("serie", "Serial number", c.field("serie", 24, view));
    layout->addWidget(computer.box());

    layout->addWidget(c.check("pense bete", "Memo at launch", view));
    layout->addStretch(1);
    return view;
}

QWidget* Preferences::buildLogbookView() {
    auto* view = new QWidget;
    QVBoxLayout* layout = viewLayout(view);
    PreferencesControls& c = *controls_;
    const UiText& t = text_;

    layout->addWidget(c.check("display units", "Units in the table", view));

    Form depth(view, t.main("Depth and time cells"), c, t);
    depth.wide(c.check("depth time in color", "Depth and time in colour", view));
    depth.labelled("depth color", "Depth colour", c.colour("depth color", "Depth colour", view),
                   nullptr, kIndent);
    depth.labelled("time color", "Time colour", c.colour("time color", "Time colour", view),
                   nullptr, kIndent);
    layout->addWidget(depth.box());

    Form item(view, t.main("Highlighted value"), c, t);
    item.wide(c.check("color item", "Highlight a value", view));
    item.labelled("coloured text", "Highlighted text", c.field("coloured text", 20, view), nullptr,
                  kIndent);
    item.labelled(
        "coloured theme", "Highlighted column",
        c.choice("coloured theme",
                 {t.main("Theme location"), t.main("Theme site"), t.main("Theme visibility")},
                 view),
        nullptr, kIndent);
    layout->addWidget(item.box());

    Form cold(view, t.main("Low water temperatures"), c, t);
    cold.wide(c.check("low temperature in color", "Colour low temperatures", view));
    temperatureUnit_ = new QLabel(view);
    temperatureUnit_->setObjectName(QStringLiteral("temperatureUnit"));
    cold.labelled("low temperature value", "Below", c.field("low temperature value", 5, view),
                  temperatureUnit_, kIndent);
    cold.labelled("low temperature color", "Temperature colour",
                  c.colour("low temperature color", "Temperature colour", view), nullptr, kIndent);
    layout->addWidget(cold.box());

    Form dives(view, t.main("Dives"), c, t);
    dives.wide(c.check("mix in color", "Mix in colour", view));
    auto* foreign = new QWidget(view);
    auto* foreignRow = new QHBoxLayout(foreign);
    foreignRow->setContentsMargins(0, 0, 0, 0);
    foreignRow->addWidget(c.check("foreign in color", "Foreign in colour", foreign));
    foreignRow->addWidget(c.colour("foreign color", "Foreign colour", foreign));
    foreignRow->addStretch(1);
    dives.wide(foreign);
    dives.wide(c.check("nocturnes in color", "Night dives marked", view));
    layout->addWidget(dives.box());
    layout->addStretch(1);
    return view;
}

QWidget* Preferences::buildDisplayView() {
    auto* view = new QWidget;
    QVBoxLayout* layout = viewLayout(view);
    auto* box = new QGroupBox(text_.main("Columns of the dive table"), view);
    auto* grid = new QGridLayout(box);
    grid->setHorizontalSpacing(24);
    // The logbook alone writes the wreck column's switch.
    std::vector<std::string> keys;
    for (const auto& k : divelog::columnKeys())
        if (k != "column_epave") keys.push_back(k);
    const int perColumn = static_cast<int>((keys.size() + 1) / 2);
    for (int i = 0; i < static_cast<int>(keys.size()); ++i) {
        const std::string& key = keys[static_cast<std::size_t>(i)];
        QCheckBox* check = controls_->check(key, key.c_str(), box);
        // Named as the table's header names the column.
        const std::string_view title = divelog::DiveColumns::withKey(key)->titleKey;
        check->setText(text_.carnet(title, title));
        grid->addWidget(check, i % perColumn, i / perColumn);
    }
    layout->addWidget(box);
    layout->addStretch(1);
    return view;
}

QWidget* Preferences::buildProfileView() {
    auto* view = new QWidget;
    QVBoxLayout* layout = viewLayout(view);
    PreferencesControls& c = *controls_;
    const UiText& t = text_;

    Form area(view, t.main("Profile drawing"), c, t);
    area.labelled("plot color", "Profile line colour",
                  c.colour("plot color", "Profile line colour", view));
    area.labelled("background color", "Background colour",
                  c.colour("background color", "Background colour", view));
    area.labelled("alpha background color", "Background opacity",
                  c.field("alpha background color", 5, view),
                  new QLabel(t.main("Opacity range"), view));
    area.wide(c.check("fill plot", "Fill under the profile", view));
    area.labelled("fill color", "Fill colour", c.colour("fill color", "Fill colour", view), nullptr,
                  kIndent);
    area.labelled("alpha fill color", "Fill opacity", c.field("alpha fill color", 5, view),
                  new QLabel(t.main("Opacity range"), view), kIndent);
    layout->addWidget(area.box());

    Form grid(view, t.main("Grid and axes"), c, t);
    grid.wide(c.check("gradient yes", "Grid lines", view));
    grid.labelled("gradient lines color", "Grid colour",
                  c.colour("gradient lines color", "Grid colour", view), nullptr, kIndent);
    grid.wide(c.check("dashed lines", "Dashed grid lines", view));
    grid.wide(c.check("x minor ticks", "Minor ticks on time", view));
    grid.wide(c.check("y minor ticks", "Minor ticks on depth", view));
    grid.wide(c.check("ppO2 line", "ppO2 line", view));
    layout->addWidget(grid.box());
    layout->addStretch(1);
    return view;
}

QWidget* Preferences::buildDecoView() {
    auto* view = new QWidget;
    QVBoxLayout* layout = viewLayout(view);
    Form stops(view, text_.main("Decompression stops"), *controls_, text_);
    stops.labelled("stop interval", "Stop interval", controls_->field("stop interval", 5, view));
    auto* hint = new QLabel(text_.main("Stop interval hint"), view);
    hint->setWordWrap(true);
    stops.wide(hint);
    layout->addWidget(stops.box());

    namespace gf = divelog::gradientFactors;
    Form tissues(view, text_.main("Tissue model"), *controls_, text_);
    tissues.labelled(gf::kLowKey, "GF low", controls_->field(gf::kLowKey, 4, view),
                     new QLabel(QStringLiteral("%"), view));
    tissues.labelled(gf::kHighKey, "GF high", controls_->field(gf::kHighKey, 4, view),
                     new QLabel(QStringLiteral("%"), view));
    auto* gfHint = new QLabel(text_.main("Gradient factors hint"), view);
    gfHint->setWordWrap(true);
    tissues.wide(gfHint);
    layout->addWidget(tissues.box());
    layout->addStretch(1);
    return view;
}

int Preferences::currentView() const { return views_->currentIndex() + 1; }

QWidget* Preferences::control(const std::string& key) const { return controls_->control(key); }

void Preferences::goView(int view) {
    if (view < 1 || view > views_->count()) return;
    views_->setCurrentIndex(view - 1);
    toolBar_->select(view);
    // Only the shown view counts in the window's size hint, so the window
    // takes each view's own size rather than the largest one's.
    for (int i = 0; i < views_->count(); ++i) {
        const auto policy = i == view - 1 ? QSizePolicy::Preferred : QSizePolicy::Ignored;
        views_->widget(i)->setSizePolicy(policy, policy);
    }
    views_->updateGeometry();
    centralWidget()->layout()->invalidate();
    // The main window's own hint lags a layout pass behind; the toolbar
    // above the central widget is all it adds.
    const QSize bar = toolBar_->sizeHint();
    const QSize body = centralWidget()->sizeHint();
    setFixedSize(qMax(body.width(), bar.width()), body.height() + bar.height());
}

void Preferences::savePrefs() { model_->savePrefs(); }

void Preferences::resetPreferences() {
    QApplication::beep();
    if (!prompts_.confirm(this, text_.main("Reset question"))) return;
    model_->resetPreferences();
    refreshWindow();
    // The threshold's unit label may have changed width.
    goView(currentView());
}

void Preferences::refreshWindow() {
    controls_->refresh();
    temperatureUnit_->setText(text_.carnet(model_->temperatureUnitKey()));
}

void Preferences::present() {
    if (!isVisible()) {
        // Other windows may have written keys since (a logbook writes its
        // column switches on first use).
        model_->refresh();
        refreshWindow();
    }
    if (!placed_) {
        placed_ = true;
        if (!windowframe::restore(this, context_.settings(), objectName(), false))
            if (QScreen* screen = QGuiApplication::primaryScreen())
                move(screen->availableGeometry().center() - rect().center());
    }
    show();
    raise();
    activateWindow();
}

void Preferences::hideEvent(QHideEvent* event) {
    windowframe::remember(this, context_.settings(), objectName());
    QMainWindow::hideEvent(event);
}
