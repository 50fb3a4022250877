// Renders every shape picture into one PNG for a visual check: the 25 drawings
// at their natural size, the 50 thumbnails at 1x and 2x, and the icon at 16, 32
// and 48 pixels.
//
//   velmora_contact_sheet OUT.png [ASSETS_DIR]
//
// Without ASSETS_DIR the compiled-in resources are shown; with it, the SVG files
// below that folder (for example a fresh output of tools/drawings/generate.py).

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <cstdio>

#include "core/catalogue.h"
#include "ui/common/pictures.h"

namespace {

using namespace velmora;

constexpr int kGap = 16;
constexpr int kColumns = 5;
constexpr int kCell = 450;  // wider and taller than the largest drawing

class Sheet {
public:
    Sheet(QString assets, QImage* image) : assets_(std::move(assets)), painter_(image) {
        painter_.setFont(QFont(QStringLiteral("DejaVu Sans"), 9));
    }

    void Drawings() {
        for (int i = 0; i < kShapeCount; ++i) {
            const QPoint at(kGap + (i % kColumns) * kCell, kGap + (i / kColumns) * kCell);
            Caption(at, QString::number(i));
            Picture(ui::DrawingPath(i), QRect(at + QPoint(0, 14), ui::DrawingSize(i)));
        }
    }

    // Rows of 25: normal 1x, selected 1x, normal 2x, selected 2x.
    void Thumbnails(int top) {
        int y = top;
        for (int zoom : {1, 2}) {
            for (bool selected : {false, true}) {
                const QSize size = ui::kThumbnailSize * zoom;
                for (int i = 0; i < kShapeCount; ++i) {
                    const QPoint at(kGap + i * (size.width() + 6), y);
                    Picture(ui::ThumbnailPath(i, selected), QRect(at, size));
                }
                y += size.height() + 8;
            }
        }
    }

    void Icon(int top) {
        int x = kGap;
        for (int size : {16, 32, 48}) {
            Picture(ui::IconPath(), QRect(x, top, size, size));
            x += size + kGap;
        }
    }

private:
    void Caption(QPoint at, const QString& text) {
        painter_.setPen(Qt::darkGray);
        painter_.drawText(at + QPoint(0, 10), text);
    }

    void Picture(const QString& resource, const QRect& target) {
        QString path = resource;
        if (!assets_.isEmpty()) path.replace(QStringLiteral(":/"), assets_ + QLatin1Char('/'));
        QSvgRenderer renderer(path);
        if (!renderer.isValid()) {
            std::fprintf(stderr, "cannot render %s\n", qPrintable(path));
            painter_.fillRect(target, Qt::red);
            return;
        }
        renderer.render(&painter_, target);
        painter_.setPen(QColor(200, 200, 200));
        painter_.drawRect(target.adjusted(-1, -1, 0, 0));
    }

    QString assets_;
    QPainter painter_;
};

}  // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s OUT.png [ASSETS_DIR]\n", argv[0]);
        return 2;
    }
    const int drawingsHeight = kGap + 5 * kCell;
    QImage image(kGap * 2 + kColumns * kCell, drawingsHeight + 300, QImage::Format_RGB32);
    image.fill(QColor(255, 224, 192));
    {
        Sheet sheet(argc > 2 ? QString::fromLocal8Bit(argv[2]) : QString(), &image);
        sheet.Drawings();
        sheet.Thumbnails(drawingsHeight);
        sheet.Icon(drawingsHeight + 210);
    }
    return image.save(QString::fromLocal8Bit(argv[1])) ? 0 : 1;
}
