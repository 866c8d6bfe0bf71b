#pragma once

#include <QWidget>

#include "profile/ProfileChart.h"

namespace divelog {
class Localisation;
}
class QPainter;

// The profile view: paints the chart the core lays out for its size, and
// tells the read-out under the pointer. It decides nothing about the chart.
class Profil : public QWidget {
    Q_OBJECT
public:
    explicit Profil(const divelog::Localisation& texts, QWidget* parent = nullptr);

    void setData(divelog::ProfileChartData data);
    void setLook(const divelog::ProfileChartLook& look);
    const divelog::ProfileChart& chart() const { return chart_; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

    // Paints a chart laid out for `size` (in points) with `painter`, whose
    // device may be this view, an image or a printer page.
    static void paintChart(QPainter& painter, const divelog::ProfileChart& chart,
                           const divelog::ProfileChartLook& look);
    divelog::ProfileChart layoutFor(QSizeF size) const;
    const divelog::ProfileChartLook& look() const { return look_; }

signals:
    void readout(const QString& text);
    // The tissues under the pointer; null where there are none to tell.
    void momentChanged(const divelog::ProfileModel::Moment* moment);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    void relayout();

    const divelog::Localisation& texts_;
    divelog::ProfileChartData data_;
    divelog::ProfileChartLook look_;
    divelog::ProfileChart chart_;
};
