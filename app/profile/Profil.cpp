#include "profile/Profil.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

#include "logbook/LogbookIcons.h"
#include "profile/ProfileModelText.h"

using divelog::ChartLine;
using divelog::ChartText;
using divelog::ProfileChart;

namespace {

QColor colourOf(const std::optional<divelog::Colour>& c, QColor fallback, double alpha = 1) {
    QColor q = c ? QColor::fromRgbF(c->red, c->green, c->blue, c->alpha) : fallback;
    q.setAlphaF(q.alphaF() * alpha);
    return q;
}

// The chart's y runs up from the bottom; the device's runs down from the top.
QPointF at(const ProfileChart& c, divelog::ChartPoint p) { return {p.x, c.height - p.y}; }

QPainterPath pathOf(const ProfileChart& c, const ChartLine& line, bool close = false) {
    QPainterPath path;
    for (std::size_t i = 0; i < line.size(); ++i) {
        if (i == 0)
            path.moveTo(at(c, line[i]));
        else
            path.lineTo(at(c, line[i]));
    }
    if (close && !line.empty()) path.closeSubpath();
    return path;
}

// An open line as polylines: the painter strokes each without building a
// path. A long solid line goes in pieces of a few dozen points, each one
// overlapping the next by a point: the painter's work on one outline grows
// much faster than its length (a 10-hour dive's curve takes twice as long
// whole), and round caps where pieces meet look as the joins they replace.
void stroke(QPainter& p, const ProfileChart& c, const ChartLine& line) {
    constexpr std::size_t kPiece = 64;
    auto draw = [&](std::size_t first, std::size_t last) {
        QPolygonF points;
        points.reserve(static_cast<qsizetype>(last - first + 1));
        for (std::size_t i = first; i <= last; ++i) points << at(c, line[i]);
        p.drawPolyline(points);
    };
    if (line.empty()) return;
    const QPen pen = p.pen();
    if (line.size() <= kPiece || pen.style() != Qt::SolidLine) {
        draw(0, line.size() - 1);
        return;
    }
    QPen round = pen;
    round.setCapStyle(Qt::RoundCap);
    p.setPen(round);
    for (std::size_t first = 0; first + 1 < line.size(); first += kPiece)
        draw(first, std::min(first + kPiece, line.size() - 1));
    p.setPen(pen);
}

void strokeAll(QPainter& p, const ProfileChart& c, const std::vector<ChartLine>& lines) {
    for (const ChartLine& l : lines) stroke(p, c, l);
}

}  // namespace

Profil::Profil(const divelog::Localisation& texts, QWidget* parent)
    : QWidget(parent), texts_(texts) {
    setObjectName(QStringLiteral("profil"));
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent, false);
    relayout();
}

void Profil::setData(divelog::ProfileChartData data) {
    data_ = std::move(data);
    relayout();
}

void Profil::setLook(const divelog::ProfileChartLook& look) {
    look_ = look;
    relayout();
}

QSize Profil::sizeHint() const {
    return {static_cast<int>(ProfileChart::kDefaultWidth),
            static_cast<int>(ProfileChart::kDefaultHeight)};
}

QSize Profil::minimumSizeHint() const { return {420, 400}; }

divelog::ProfileChart Profil::layoutFor(QSizeF size) const {
    return divelog::layoutProfileChart(data_, look_, size.width(), size.height(), texts_);
}

void Profil::relayout() {
    chart_ = layoutFor(size());
    update();
}

void Profil::resizeEvent(QResizeEvent*) { relayout(); }

void Profil::paintEvent(QPaintEvent*) {
    QPainter p(this);
    paintChart(p, chart_, look_);
}

void Profil::mouseMoveEvent(QMouseEvent* event) {
    const QPointF pos = event->position();
    QString text = QString::fromStdString(chart_.readout(pos.x(), chart_.height - pos.y(), texts_));
    const auto sample = chart_.sampleAt(pos.x());
    const divelog::ProfileModel* model = data_.model.get();
    if (sample && model && model->available() && model->samples() == chart_.samples) {
        const divelog::ProfileModel::Moment moment = model->at(*sample);
        text += QStringLiteral("\n") + QString::fromStdString(divelog::momentText(moment, texts_));
        emit momentChanged(&moment);
    } else {
        emit momentChanged(nullptr);
    }
    emit readout(text);
}

void Profil::paintChart(QPainter& p, const ProfileChart& c, const divelog::ProfileChartLook& look) {
    p.save();
    // Level lines and the fill under the curve need no antialiasing: the
    // curve drawn over the fill smooths its edge, and a long dive's fill is
    // the costliest shape of the repaint.
    p.setRenderHint(QPainter::Antialiasing, false);
    p.fillRect(QRectF(0, 0, c.width, c.height),
               colourOf(look.background, QColor(128, 128, 128), look.backgroundAlpha));
    for (std::size_t k = 0; k < c.gradientRows.size(); ++k) {
        p.setPen(QPen(QColor::fromRgbF(0, 0, static_cast<float>(k) / c.gradientRows.size()), 1));
        p.drawLine(at(c, {c.left, c.gradientRows[k]}), at(c, {c.right, c.gradientRows[k]}));
    }
    if (look.fillPlot) {
        QPainterPath fill = pathOf(c, c.depthCurve, true);
        fill.setFillRule(Qt::OddEvenFill);
        p.fillPath(fill, colourOf(look.fill, Qt::blue, look.fillAlpha));
    }
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(Qt::black, 1));
    strokeAll(p, c, c.axis);
    const QColor grid = colourOf(look.gradientLines, QColor(179, 179, 179));
    QPen dashed(grid, 0.5);
    dashed.setDashPattern({5 / 0.5, 3 / 0.5});
    p.setPen(dashed);
    strokeAll(p, c, c.grid);
    p.setPen(QPen(grid, 1));
    strokeAll(p, c, c.ticks);
    if (!c.ceilingArea.empty()) {
        // Under the surface down to the ceiling: the water the diver may not rise into.
        // Its edge runs column by column: no antialiasing needed, and it spares
        // a long dive's repaint.
        p.setRenderHint(QPainter::Antialiasing, false);
        p.setPen(QPen(QColor(150, 0, 0), 0));
        p.setBrush(QColor(200, 30, 30, 70));
        p.drawPath(pathOf(c, c.ceilingArea, true));
        p.setBrush(Qt::NoBrush);
        p.setRenderHint(QPainter::Antialiasing, true);
    }
    p.setPen(QPen(colourOf(look.plot, Qt::red), 1.4));
    stroke(p, c, c.depthCurve);
    // Where the dive went above the ceiling, drawn over the curve.
    p.setPen(QPen(QColor(110, 0, 110), 3, Qt::SolidLine, Qt::RoundCap));
    strokeAll(p, c, c.ceilingBreaks);
    p.setPen(QPen(Qt::blue, 1));
    stroke(p, c, c.surfaceLine);

    for (const auto& image : c.images) {
        const QPixmap pm = LogbookIcons::pixmap(image.name);
        const QSizeF size = pm.deviceIndependentSize();
        p.drawPixmap(QRectF(at(c, image.at) - QPointF(0, size.height()), size), pm, pm.rect());
    }
    // Sizes in the chart's own points, so a printer's scale applies to them too.
    QFont small = p.font();
    small.setPixelSize(10);
    QFont title = p.font();
    title.setPixelSize(11);
    for (const ChartText& t : c.texts) {
        switch (t.style) {
            case ChartText::Style::Plain:
                p.setPen(Qt::black);
                p.setFont(small);
                break;
            case ChartText::Style::TimeTitle:
                p.setPen(look.gradient ? grid : QColor(Qt::black));
                p.setFont(title);
                break;
            case ChartText::Style::Limit:
                p.setPen(Qt::red);
                p.setFont(title);
                break;
            case ChartText::Style::Ceiling:
                p.setPen(QColor(140, 0, 0));
                p.setFont(small);
                break;
            case ChartText::Style::Warning:  // drawn with its marker
                continue;
        }
        p.drawText(at(c, t.at), QString::fromStdString(t.text));
    }
    for (const divelog::ChartWarning& w : c.warnings) {
        using Kind = divelog::ChartWarning::Kind;
        const QColor colour = w.kind == Kind::AboveCeiling ? QColor(110, 0, 110)
                              : w.kind == Kind::FastAscent ? QColor(200, 90, 0)
                                                           : QColor(200, 0, 0);
        const QPointF tip = at(c, w.at);
        // A small triangle under the curve, pointing at the sample.
        QPainterPath mark;
        mark.moveTo(tip);
        mark.lineTo(tip + QPointF(-5, 9));
        mark.lineTo(tip + QPointF(5, 9));
        mark.closeSubpath();
        p.setPen(Qt::NoPen);
        p.fillPath(mark, colour);
        p.setPen(colour);
        p.setFont(small);
        p.drawText(at(c, w.label.at), QString::fromStdString(w.label.text));
    }
    p.setPen(QPen(QColor(0, 150, 0), 1));
    strokeAll(p, c, c.surfacings);
    p.setPen(QPen(Qt::blue, 1));
    stroke(p, c, c.pressureCurve);
    QPen limit(Qt::red, 1);
    limit.setDashPattern({3, 3});
    p.setPen(limit);
    stroke(p, c, c.oxygenLimit);
    p.restore();
}
