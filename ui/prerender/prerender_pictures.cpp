// Build tool: renders pictures from their SVGs into raw premultiplied ARGB32
// files, the pixels the program would render itself at a pixel ratio of 1, so
// that the first window shows them without loading Qt SVG.
//
//   prerender_pictures OUTDIR SVG NAME WIDTHxHEIGHT [SVG NAME WIDTHxHEIGHT ...]
//
// writes OUTDIR/NAME for each SVG. The rows are written as they lie in memory,
// so a file belongs to the byte order of the machine that wrote it.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QSvgRenderer>
#include <cstdio>

#include "ui/common/picture_image.h"

namespace {

bool ParseSize(const QString& text, QSize& size) {
    const QStringList parts = text.split(QLatin1Char('x'));
    bool wide = false, high = false;
    if (parts.size() == 2) size = QSize(parts[0].toInt(&wide), parts[1].toInt(&high));
    return wide && high && !size.isEmpty();
}

bool Prerender(const QString& svg, const QString& target, QSize size) {
    QSvgRenderer renderer(svg);
    if (!renderer.isValid()) return false;
    const QImage image = velmora::ui::DrawPictureImage(size, 1, [&](QPainter& painter, const QRectF& rect) {
        renderer.render(&painter, rect);
        return true;
    });
    if (!QDir().mkpath(QFileInfo(target).absolutePath())) return false;
    QFile file(target);
    const auto bytes = static_cast<qint64>(image.sizeInBytes());
    return file.open(QIODevice::WriteOnly) &&
           file.write(reinterpret_cast<const char*>(image.constBits()), bytes) == bytes && file.flush();
}

}  // namespace

int main(int argc, char* argv[]) {
    // The offscreen platform: a build machine need not have a display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() < 5 || (args.size() - 2) % 3 != 0) {
        std::fprintf(stderr, "usage: prerender_pictures OUTDIR SVG NAME WIDTHxHEIGHT...\n");
        return 2;
    }
    const QDir out(args[1]);
    for (qsizetype i = 2; i < args.size(); i += 3) {
        QSize size;
        if (!ParseSize(args[i + 2], size) || !Prerender(args[i], out.filePath(args[i + 1]), size)) {
            std::fprintf(stderr, "prerender_pictures: cannot render %s at %s\n", qPrintable(args[i]),
                         qPrintable(args[i + 2]));
            return 1;
        }
    }
    return 0;
}
