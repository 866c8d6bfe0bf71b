#pragma once

#include <QWidget>
#include <array>

#include "stats/StatCategory.h"

namespace divelog {
class SettingsStore;
struct StatisticsTexts;
}  // namespace divelog
class QCheckBox;
class QGridLayout;
class QLabel;
class UiText;

// The statistics window of a logbook: each category's count and share, the
// extremes and totals, the "no earlier dives" box and the ways to the
// earlier-dives editor, the report, the graphs and printing. It shows what
// it is given and tells what the user asks for.
class StatisticsWindow : public QWidget {
    Q_OBJECT
public:
    StatisticsWindow(const UiText& text, divelog::SettingsStore& settings, QWidget* parent);

    void display(const divelog::StatisticsTexts& figures);
    // The box ticked: the earlier dives are left out.
    bool countsEarlierDives() const;
    QCheckBox* noEarlierDivesBox() const { return noEarlier_; }
    QLabel* countField(divelog::StatCategory c) const { return counts_[index(c)]; }
    QLabel* shareField(divelog::StatCategory c) const { return shares_[index(c)]; }
    QLabel* stateLine() const { return state_; }
    void present();

signals:
    void countEarlierChanged();
    void earlierDivesRequested();
    void reportRequested();
    void graphsRequested();
    void printRequested();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    static std::size_t index(divelog::StatCategory c) { return static_cast<std::size_t>(c); }
    QWidget* categoryBox(const char* titleKey, std::span<const divelog::StatCategory> categories);
    QWidget* extremesBox();

    const UiText& text_;
    divelog::SettingsStore& settings_;
    QLabel* state_ = nullptr;
    QCheckBox* noEarlier_ = nullptr;
    std::array<QLabel*, divelog::kStatCategoryCount> titles_{};
    std::array<QLabel*, divelog::kStatCategoryCount> counts_{};
    std::array<QLabel*, divelog::kStatCategoryCount> shares_{};
    std::array<QLabel*, 11> extremes_{};
};
