#pragma once

#include <QProgressBar>

// A pressure gauge: the bar of what is left, with a tick mark every 10 bar
// below it so the diver reads it as a dial.
class TickedGauge : public QProgressBar {
    Q_OBJECT
public:
    using QProgressBar::QProgressBar;

    void setTicks(int ticks);
    int ticks() const { return ticks_; }
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    static constexpr int kTickHeight = 5;
    int ticks_ = 0;
};
