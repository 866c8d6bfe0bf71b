// Draws the photos of the sample wreck directory: a wreck on the bottom in
// blue water, each one lying differently.
//   draw_wreck_photos OUT_DIR COUNT
// writes OUT_DIR/wreck-1.png ... wreck-COUNT.png.

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QRandomGenerator>
#include <cstdio>

namespace {

constexpr int kWidth = 480, kHeight = 320;

void drawWater(QPainter& p, int depthShade) {
    QLinearGradient water(0, 0, 0, kHeight);
    water.setColorAt(0, QColor(40, 150 - depthShade, 200 - depthShade / 2));
    water.setColorAt(1, QColor(5, 40, 80 - depthShade / 3));
    p.fillRect(0, 0, kWidth, kHeight, water);
    // Light from the surface.
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 5; ++i) {
        QPolygonF ray;
        const double x = 60 + i * 90;
        ray << QPointF(x, 0) << QPointF(x + 30, 0) << QPointF(x - 40 + i * 10, kHeight * 0.7)
            << QPointF(x - 70 + i * 10, kHeight * 0.7);
        p.setBrush(QColor(255, 255, 255, 14));
        p.drawPolygon(ray);
    }
}

void drawBottom(QPainter& p, QRandomGenerator& rnd) {
    QPainterPath sand;
    sand.moveTo(0, kHeight * 0.78);
    for (int x = 0; x <= kWidth; x += 40) sand.lineTo(x, kHeight * 0.76 + rnd.bounded(12));
    sand.lineTo(kWidth, kHeight);
    sand.lineTo(0, kHeight);
    sand.closeSubpath();
    QLinearGradient g(0, kHeight * 0.75, 0, kHeight);
    g.setColorAt(0, QColor(150, 140, 105));
    g.setColorAt(1, QColor(70, 75, 70));
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawPath(sand);
}

// A hull seen from the side, tilted by `angle`, with a broken bow or stern.
void drawWreck(QPainter& p, QRandomGenerator& rnd, double angle, bool broken) {
    p.save();
    p.translate(kWidth * 0.5, kHeight * 0.74);
    p.rotate(angle);
    QPainterPath hull;
    hull.moveTo(-170, -40);
    hull.lineTo(150, -40);
    hull.quadTo(185, -40, 175, -5);
    hull.lineTo(160, 20);
    hull.lineTo(-150, 20);
    hull.quadTo(-180, 0, -170, -40);
    if (broken) {
        QPainterPath gap;
        gap.moveTo(40, -50);
        gap.lineTo(70, -50);
        gap.lineTo(55, 30);
        gap.lineTo(30, 30);
        gap.closeSubpath();
        hull = hull.subtracted(gap);
    }
    p.setPen(QPen(QColor(30, 30, 25), 2));
    p.setBrush(QColor(95, 70, 50));
    p.drawPath(hull);
    // Deck house, funnel and mast.
    p.setBrush(QColor(80, 65, 50));
    p.drawRect(-60, -75, 80, 35);
    p.drawRect(-20, -110, 22, 35);
    p.setPen(QPen(QColor(60, 50, 40), 4));
    p.drawLine(-120, -40, -125, -120);
    p.drawLine(110, -40, 115, -105);
    // Portholes.
    p.setPen(QPen(QColor(20, 20, 20), 1));
    p.setBrush(QColor(15, 30, 40));
    for (int x = -140; x < 140; x += 28)
        if (!broken || x < 30 || x > 75) p.drawEllipse(QPointF(x, -18), 4, 4);
    // Growth on the hull.
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 60; ++i) {
        const QColor c = i % 3 ? QColor(200, 90, 70, 150) : QColor(230, 200, 90, 150);
        p.setBrush(c);
        p.drawEllipse(QPointF(-160 + rnd.bounded(320), -40 + rnd.bounded(55)), 3, 3);
    }
    p.restore();
}

void drawFish(QPainter& p, QRandomGenerator& rnd) {
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 25; ++i) {
        const QPointF at(rnd.bounded(kWidth), 30 + rnd.bounded(kHeight / 2));
        p.setBrush(QColor(220, 220, 200, 170));
        p.drawEllipse(at, 6, 2.5);
        QPolygonF tail;
        tail << at + QPointF(5, 0) << at + QPointF(10, -3) << at + QPointF(10, 3);
        p.drawPolygon(tail);
    }
}

}  // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    const int count = args.size() == 2 ? args[1].toInt() : 0;
    if (count <= 0) {
        std::fprintf(stderr, "usage: draw_wreck_photos OUT_DIR COUNT\n");
        return 2;
    }
    const QDir out(args[0]);
    if (!out.mkpath(QStringLiteral("."))) return 1;
    for (int n = 1; n <= count; ++n) {
        QRandomGenerator rnd(static_cast<quint32>(n * 7919));  // the same photos every build
        QImage image(kWidth, kHeight, QImage::Format_RGB32);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        drawWater(painter, n * 12);
        // The sand drawn over the hull buries its keel.
        drawWreck(painter, rnd, n % 2 ? -2.5 * n : 2.0 * n, n % 3 == 0);
        drawBottom(painter, rnd);
        drawFish(painter, rnd);
        painter.end();
        const QString png = out.filePath(QStringLiteral("wreck-%1.png").arg(n));
        if (!image.save(png, "PNG")) {
            std::fprintf(stderr, "draw_wreck_photos: cannot write %s\n", qPrintable(png));
            return 1;
        }
    }
    return 0;
}
