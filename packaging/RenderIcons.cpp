// Renders the application's and the document kinds' SVG icons to the PNG
// sizes of the desktop's icon theme:
//   render_icons OUT_DIR SIZE... -- SVG...
// writes OUT_DIR/SIZExSIZE/NAME.png for every size and picture.

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <cstdio>

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    const qsizetype split = args.indexOf(QStringLiteral("--"));
    if (args.size() < 4 || split < 2) {
        std::fprintf(stderr, "usage: render_icons OUT_DIR SIZE... -- SVG...\n");
        return 2;
    }
    const QDir out(args.front());
    for (const QString& size : args.mid(1, split - 1)) {
        const int px = size.toInt();
        if (px <= 0) return 2;
        const QString folder = QStringLiteral("%1x%1").arg(px);
        if (!out.mkpath(folder)) return 1;
        for (const QString& svg : args.mid(split + 1)) {
            QSvgRenderer renderer(svg);
            if (!renderer.isValid()) {
                std::fprintf(stderr, "render_icons: %s is no SVG\n", qPrintable(svg));
                return 1;
            }
            QImage image(px, px, QImage::Format_ARGB32_Premultiplied);
            image.fill(Qt::transparent);
            QPainter painter(&image);
            painter.setRenderHint(QPainter::Antialiasing);
            renderer.render(&painter);
            painter.end();
            const QString png = out.filePath(folder + QLatin1Char('/') +
                                             QFileInfo(svg).completeBaseName() + ".png");
            if (!image.save(png)) return 1;
        }
    }
    return 0;
}
