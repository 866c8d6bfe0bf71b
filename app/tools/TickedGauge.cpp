#include "tools/TickedGauge.h"

#include <QPainter>
#include <QStyleOptionProgressBar>

void TickedGauge::setTicks(int ticks) {
    if (ticks == ticks_) return;
    ticks_ = std::max(ticks, 0);
    update();
}

QSize TickedGauge::sizeHint() const { return QProgressBar::sizeHint() + QSize(0, kTickHeight + 1); }

QSize TickedGauge::minimumSizeHint() const {
    return QProgressBar::minimumSizeHint() + QSize(0, kTickHeight + 1);
}

void TickedGauge::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    QStyleOptionProgressBar option;
    initStyleOption(&option);
    option.rect = rect().adjusted(0, 0, 0, -(kTickHeight + 1));
    style()->drawControl(QStyle::CE_ProgressBar, &option, &painter, this);
    if (ticks_ <= 0) return;
    painter.setPen(palette().color(QPalette::WindowText));
    const int top = option.rect.bottom() + 1;
    const double step = static_cast<double>(option.rect.width() - 1) / ticks_;
    for (int k = 0; k <= ticks_; ++k) {
        const int x = option.rect.left() + static_cast<int>(k * step + 0.5);
        // Every fifth tick (50 bar) a little longer.
        painter.drawLine(x, top, x, top + (k % 5 == 0 ? kTickHeight : kTickHeight - 2));
    }
}
