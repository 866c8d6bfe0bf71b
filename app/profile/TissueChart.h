#pragma once

#include <QWidget>
#include <optional>

#include "profile/ProfileModel.h"

namespace divelog {
class Localisation;
}

// The 16 compartments at the pointer's moment: each bar its inert-gas
// tension in % of the M-value at that depth (red over it), helium's share
// of the tension in its own colour, and the line at 100 %.
class TissueChart : public QWidget {
    Q_OBJECT
public:
    explicit TissueChart(const divelog::Localisation& texts, QWidget* parent = nullptr);

    // None clears the bars.
    void setMoment(const divelog::ProfileModel::Moment* moment);
    const std::optional<divelog::ProfileModel::Moment>& moment() const { return moment_; }

    QSize sizeHint() const override { return {230, 130}; }
    QSize minimumSizeHint() const override { return {180, 110}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const divelog::Localisation& texts_;
    std::optional<divelog::ProfileModel::Moment> moment_;
};
