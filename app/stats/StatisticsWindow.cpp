#include "stats/StatisticsWindow.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "localisation/UiText.h"
#include "stats/StatisticsTexts.h"
#include "tools/WindowFrame.h"

namespace {

// The extremes in the order of the box: keys of their titles and object names.
constexpr std::pair<const char*, const char*> kExtremes[] = {
    {"Statistics max depth", "maxDepth"},
    {"Statistics mean depth", "meanDepth"},
    {"Statistics total depth", "depthTotal"},
    {"Statistics max time", "maxTime"},
    {"Statistics mean time", "meanTime"},
    {"Statistics total time", "timeTotal"},
    {"Statistics min temperature", "minTemperature"},
    {"Statistics max temperature", "maxTemperature"},
    {"Statistics mean temperature", "meanTemperature"},
    {"Statistics highest OTU", "highestOtu"},
    {"Statistics total OTU", "otuTotal"}};

QLabel* figureLabel(QWidget* parent, const QString& name) {
    auto* l = new QLabel(parent);
    l->setObjectName(name);
    l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return l;
}

}  // namespace

StatisticsWindow::StatisticsWindow(const UiText& text, divelog::SettingsStore& settings,
                                   QWidget* parent)
    : QWidget(parent, Qt::Window), text_(text), settings_(settings) {
    setObjectName(QStringLiteral("statisticsWindow"));
    setWindowTitle(text.carnet("Statistics title"));
    state_ = new QLabel(this);
    state_->setObjectName(QStringLiteral("statisticsState"));
    QFont big = state_->font();
    big.setBold(true);
    state_->setFont(big);
    noEarlier_ = new QCheckBox(text.carnet("Statistics no earlier dives"), this);
    noEarlier_->setObjectName(QStringLiteral("previousDivesNoSwitch"));
    connect(noEarlier_, &QCheckBox::toggled, this, &StatisticsWindow::countEarlierChanged);

    auto* grid = new QGridLayout;
    grid->addWidget(categoryBox("Statistics types box", divelog::StatCategories::diveTypes()), 0, 0,
                    3, 1);
    grid->addWidget(categoryBox("Statistics apparatus box", divelog::StatCategories::apparatus()),
                    0, 1);
    grid->addWidget(categoryBox("Statistics gas box", divelog::StatCategories::gases()), 1, 1);
    grid->addWidget(categoryBox("Statistics depth box", divelog::StatCategories::depthBands()), 2,
                    1);
    grid->addWidget(extremesBox(), 0, 2, 3, 1);

    auto button = [this](const QString& label, const char* name,
                         void (StatisticsWindow::*signal)()) {
        auto* b = new QPushButton(label, this);
        b->setObjectName(QString::fromLatin1(name));
        connect(b, &QPushButton::clicked, this, signal);
        return b;
    };
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(button(text.carnet("Statistics earlier dives"), "earlierDives",
                              &StatisticsWindow::earlierDivesRequested));
    buttons->addStretch(1);
    buttons->addWidget(
        button(text.carnet("Statistics report"), "report", &StatisticsWindow::reportRequested));
    buttons->addWidget(
        button(text.carnet("Statistics graphs"), "graphs", &StatisticsWindow::graphsRequested));
    buttons->addWidget(button(text.main("Print..."), "print", &StatisticsWindow::printRequested));

    auto* top = new QHBoxLayout;
    top->addWidget(state_, 1);
    top->addWidget(noEarlier_);
    auto* column = new QVBoxLayout(this);
    column->addLayout(top);
    column->addLayout(grid, 1);
    column->addLayout(buttons);
    windowframe::restore(this, settings_, QStringLiteral("Statistics"), false);
}

QWidget* StatisticsWindow::categoryBox(const char* titleKey,
                                       std::span<const divelog::StatCategory> categories) {
    auto* box = new QGroupBox(text_.carnet(titleKey), this);
    auto* grid = new QGridLayout(box);
    grid->setVerticalSpacing(2);
    grid->setHorizontalSpacing(16);
    for (std::size_t row = 0; row < categories.size(); ++row) {
        const divelog::StatCategory c = categories[row];
        const auto& info = divelog::StatCategories::info(c);
        const QString name =
            QString::fromLatin1(info.earlierKey.data(), int(info.earlierKey.size()));
        const int r = static_cast<int>(row);
        titles_[index(c)] = new QLabel(
            QString::fromStdString(divelog::StatCategories::title(c, text_.localisation())), box);
        grid->addWidget(titles_[index(c)], r, 0);
        counts_[index(c)] = figureLabel(box, QStringLiteral("count ") + name);
        shares_[index(c)] = figureLabel(box, QStringLiteral("share ") + name);
        // Wide enough for the widest figure, so columns keep still as figures change.
        counts_[index(c)]->setMinimumWidth(
            box->fontMetrics().horizontalAdvance(QStringLiteral("00000")));
        shares_[index(c)]->setMinimumWidth(
            box->fontMetrics().horizontalAdvance(QStringLiteral("100.0 %")));
        grid->addWidget(counts_[index(c)], r, 1);
        grid->addWidget(shares_[index(c)], r, 2);
    }
    grid->setColumnStretch(0, 1);
    return box;
}

QWidget* StatisticsWindow::extremesBox() {
    auto* box = new QGroupBox(text_.carnet("Statistics extremes box"), this);
    auto* grid = new QGridLayout(box);
    for (std::size_t i = 0; i < extremes_.size(); ++i) {
        const int r = static_cast<int>(i);
        grid->addWidget(new QLabel(text_.carnet(kExtremes[i].first), box), r, 0, Qt::AlignTop);
        extremes_[i] = figureLabel(box, QString::fromLatin1(kExtremes[i].second));
        extremes_[i]->setAlignment(Qt::AlignRight | Qt::AlignTop);
        grid->addWidget(extremes_[i], r, 1);
    }
    grid->setRowStretch(static_cast<int>(extremes_.size()), 1);
    return box;
}

void StatisticsWindow::display(const divelog::StatisticsTexts& x) {
    auto q = [](const std::string& s) { return QString::fromStdString(s).replace('\r', '\n'); };
    state_->setText(q(x.state));
    for (std::size_t i = 0; i < divelog::kStatCategoryCount; ++i) {
        if (titles_[i] && !x.titles[i].empty()) titles_[i]->setText(q(x.titles[i]));
        counts_[i]->setText(q(x.counts[i]));
        shares_[i]->setText(q(x.shares[i]).trimmed());
    }
    const std::string* values[] = {&x.maxDepth,       &x.meanDepth,      &x.depthTotal,
                                   &x.maxTime,        &x.meanTime,       &x.timeTotal,
                                   &x.minTemperature, &x.maxTemperature, &x.meanTemperature,
                                   &x.highestOtu,     &x.otuTotal};
    for (std::size_t i = 0; i < extremes_.size(); ++i) extremes_[i]->setText(q(*values[i]));
    // A window shown before its figures grows to hold them.
    resize(size().expandedTo(sizeHint()));
}

bool StatisticsWindow::countsEarlierDives() const { return !noEarlier_->isChecked(); }

void StatisticsWindow::present() {
    show();
    raise();
    activateWindow();
}

void StatisticsWindow::closeEvent(QCloseEvent* event) {
    windowframe::remember(this, settings_, QStringLiteral("Statistics"));
    QWidget::closeEvent(event);
}
