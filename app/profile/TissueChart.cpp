#include "profile/TissueChart.h"

#include <QPainter>
#include <algorithm>

#include "localisation/Localisation.h"

TissueChart::TissueChart(const divelog::Localisation& texts, QWidget* parent)
    : QWidget(parent), texts_(texts) {
    setObjectName(QStringLiteral("tissueChart"));
}

void TissueChart::setMoment(const divelog::ProfileModel::Moment* moment) {
    if (moment)
        moment_ = *moment;
    else
        moment_.reset();
    update();
}

void TissueChart::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing, true);
    const QRectF all = rect();
    p.fillRect(all, palette().base());
    QFont small = font();
    small.setPixelSize(10);
    p.setFont(small);
    p.setPen(palette().text().color());
    const QString title =
        QString::fromStdString(texts_.text("Profil", "Tissue chart title", "error !"));
    p.drawText(QRectF(4, 2, all.width() - 8, 14), Qt::AlignLeft | Qt::AlignVCenter, title);

    // Bars from 0 to 120 % of the M-value; what goes over is drawn to the top.
    constexpr double kTop = 120;
    const QRectF area(26, 20, all.width() - 32, all.height() - 34);
    auto yOf = [&](double percent) {
        return area.bottom() - std::clamp(percent, 0.0, kTop) / kTop * area.height();
    };
    p.setPen(QPen(palette().mid().color(), 0.5));
    for (double level : {0.0, 50.0, 100.0}) {
        p.setPen(QPen(level == 100 ? QColor(150, 0, 0) : palette().mid().color(),
                      level == 100 ? 1 : 0.5));
        p.drawLine(QPointF(area.left(), yOf(level)), QPointF(area.right(), yOf(level)));
        p.drawText(QRectF(0, yOf(level) - 6, area.left() - 3, 12),
                   Qt::AlignRight | Qt::AlignVCenter, QString::number(level));
    }
    const double slot = area.width() / divelog::zhl16c::kCompartments;
    if (moment_) {
        for (std::size_t c = 0; c < divelog::zhl16c::kCompartments; ++c) {
            const double load = moment_->loading[c];
            const double x = area.left() + slot * static_cast<double>(c) + 1;
            const double top = yOf(load);
            const QRectF bar(x, top, slot - 2, area.bottom() - top);
            const QColor colour = load > 100 ? QColor(200, 30, 30) : QColor(40, 110, 200);
            p.fillRect(bar, colour);
            const double he = moment_->heliumShare[c];
            if (he > 0) {
                QRectF heBar = bar;
                heBar.setTop(bar.bottom() - bar.height() * he);
                p.fillRect(heBar, QColor(230, 170, 40));
            }
        }
    }
    p.setPen(palette().text().color());
    for (std::size_t c : {std::size_t{0}, std::size_t{7}, std::size_t{15}}) {
        const auto& k = divelog::zhl16c::compartments()[c];
        p.drawText(QRectF(area.left() + slot * static_cast<double>(c) - 6, area.bottom() + 1,
                          slot + 12, 12),
                   Qt::AlignHCenter | Qt::AlignTop,
                   QString::fromUtf8(k.name.data(), static_cast<int>(k.name.size())));
    }
}
