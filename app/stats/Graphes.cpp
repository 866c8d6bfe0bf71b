#include "stats/Graphes.h"

#include <QPainter>

using divelog::ChartLine;
using divelog::StatisticsBar;
using divelog::StatisticsChart;
using divelog::StatisticsChartText;

namespace {

// The chart's y runs up from the bottom; the device's runs down from the top.
QPointF at(const StatisticsChart& c, divelog::ChartPoint p) { return {p.x, c.height - p.y}; }

void strokeAll(QPainter& p, const StatisticsChart& c, const std::vector<ChartLine>& lines) {
    for (const ChartLine& l : lines)
        for (std::size_t i = 1; i < l.size(); ++i) p.drawLine(at(c, l[i - 1]), at(c, l[i]));
}

}  // namespace

Graphes::Graphes(const divelog::Localisation& texts, QWidget* parent)
    : QWidget(parent), texts_(texts) {
    setObjectName(QStringLiteral("graphes"));
    relayout();
}

void Graphes::setShares(const divelog::StatisticsShares& shares) {
    shares_ = shares;
    relayout();
}

void Graphes::setLook(const divelog::StatisticsChartLook& look) {
    look_ = look;
    relayout();
}

divelog::StatisticsChart Graphes::layoutFor(QSizeF size) const {
    return divelog::layoutStatisticsChart(shares_, look_, size.width(), size.height(), texts_);
}

void Graphes::relayout() {
    chart_ = layoutFor(size());
    update();
}

QSize Graphes::sizeHint() const {
    return {int(StatisticsChart::kDefaultWidth), int(StatisticsChart::kDefaultHeight)};
}

QSize Graphes::minimumSizeHint() const { return {600, 320}; }

void Graphes::resizeEvent(QResizeEvent*) { relayout(); }

void Graphes::paintEvent(QPaintEvent*) {
    QPainter p(this);
    paintChart(p, chart_, look_);
}

QColor Graphes::fillOf(StatisticsBar::Fill fill) {
    switch (fill) {
        case StatisticsBar::Fill::Depth: return QColor(0, 0, 255);
        case StatisticsBar::Fill::Air: return Qt::white;
        case StatisticsBar::Fill::Nitrox: return QColor(0, 170, 0);
        case StatisticsBar::Fill::Helium: return QColor(153, 102, 51);
    }
    return Qt::gray;
}

void Graphes::paintChart(QPainter& p, const StatisticsChart& c,
                         const divelog::StatisticsChartLook& look) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    QColor background =
        look.background
            ? QColor::fromRgbF(look.background->red, look.background->green, look.background->blue)
            : QColor(128, 128, 128);
    background.setAlphaF(static_cast<float>(look.backgroundAlpha));
    p.fillRect(QRectF(0, 0, c.width, c.height), background);

    QPen dashed(QColor(90, 90, 90), 0.5);
    dashed.setDashPattern({5 / 0.5, 3 / 0.5});
    p.setPen(dashed);
    strokeAll(p, c, c.grid);

    p.setPen(QPen(Qt::black, 1));
    for (const StatisticsBar& b : c.bars) {
        const QRectF box(QPointF(b.x0, c.height - b.top), QPointF(b.x1, c.height - c.baseY));
        p.fillRect(box, fillOf(b.fill));
        // Outline up one side, across the top and down the other: the base is the axis.
        p.drawLine(box.bottomLeft(), box.topLeft());
        p.drawLine(box.topLeft(), box.topRight());
        p.drawLine(box.topRight(), box.bottomRight());
    }
    strokeAll(p, c, c.axes);
    strokeAll(p, c, c.ticks);

    // Sizes in the chart's own points, so a printer's scale applies to them too.
    QFont font = p.font();
    font.setPixelSize(11);
    p.setFont(font);
    const QFontMetricsF metrics(font);
    p.setPen(Qt::black);
    for (const StatisticsChartText& t : c.texts) {
        const QString text = QString::fromStdString(t.text);
        QPointF point = at(c, t.at);
        const double width = metrics.horizontalAdvance(text);
        if (t.align == StatisticsChartText::Align::Centre) point.rx() -= width / 2;
        if (t.align == StatisticsChartText::Align::Right) point.rx() -= width;
        p.drawText(point, text);
    }
    p.restore();
}
