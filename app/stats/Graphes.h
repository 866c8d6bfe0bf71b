#pragma once

#include <QWidget>

#include "stats/StatisticsChart.h"

namespace divelog {
class Localisation;
}
class QPainter;

// The statistics graph view: paints the bar charts the core lays out for its
// size. It decides nothing about them.
class Graphes : public QWidget {
    Q_OBJECT
public:
    explicit Graphes(const divelog::Localisation& texts, QWidget* parent = nullptr);

    void setShares(const divelog::StatisticsShares& shares);
    void setLook(const divelog::StatisticsChartLook& look);
    const divelog::StatisticsShares& shares() const { return shares_; }
    const divelog::StatisticsChart& chart() const { return chart_; }
    divelog::StatisticsChart layoutFor(QSizeF size) const;

    // Paints a chart laid out for its size with `painter`, whose device may
    // be this view, an image or a printer page.
    static void paintChart(QPainter& painter, const divelog::StatisticsChart& chart,
                           const divelog::StatisticsChartLook& look);
    static QColor fillOf(divelog::StatisticsBar::Fill fill);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void relayout();

    const divelog::Localisation& texts_;
    divelog::StatisticsShares shares_;
    divelog::StatisticsChartLook look_;
    divelog::StatisticsChart chart_;
};
