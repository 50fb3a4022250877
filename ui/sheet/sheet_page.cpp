#include "ui/sheet/sheet_page.h"

#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPainter>
#include <QStringList>
#include <algorithm>
#include <cmath>
#include <utility>

#include "ui/common/look.h"
#include "ui/common/pictures.h"
#include "ui/common/section_picture.h"
#include "ui/common/text.h"
#include "ui/sheet/sheet_content.h"

namespace velmora::ui {
namespace {

// The sheet is laid out in tenths of a point (1/720 inch): font sizes are then
// whole pixel sizes, and the layout does not depend on the device.
constexpr double kUnitsPerInch = 720.0;
constexpr double Pt(double points) { return points * 10.0; }
constexpr double Mm(double mm) { return mm * kUnitsPerInch / 25.4; }

constexpr double kMarginSide = Mm(18);
constexpr double kMarginTop = Mm(15);
constexpr double kMarginBottom = Mm(12);
constexpr double kFooterHeight = Mm(8);

const QColor kInk(0x1a, 0x1a, 0x1a);
const QColor kGrey(0x60, 0x60, 0x60);
const QColor kRule(0x80, 0x80, 0x80);
const QColor kShade(0xee, 0xee, 0xee);
const QColor kAccent(0x1d, 0x4f, 0x8c);

QFont SheetFont(double points, bool bold = false) {
    QFont font = GothicFont(points, bold);
    font.setPixelSize(static_cast<int>(std::lround(Pt(points))));
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

// The working and the dimensions' symbols: sub- and superscripts, h̄ and the
// operators all come from one face, so that every line is set (and read back
// from the PDF) as one run of text.
QFont MathFont(double points, bool bold = false) {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(static_cast<int>(std::lround(Pt(points))));
    font.setBold(bold);
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

// The heading of a group of working lines, by the kind of its formula picture
// (the pictures come in the order A, I, k², Z).
QString KindCaption(int picture) {
    static const char* const kCaptions[] = {"断面積", "断面二次モーメント", "断面二次半径の二乗", "断面係数"};
    return picture < 0 ? QString() : QString::fromUtf8(kCaptions[picture % 4]);
}

// One run of text on a line of working; `bold` for the result.
struct Run {
    QString text;
    bool bold = false;
};

// The parts a line of working may break between, handcalcs-style:
// "A = b₂·h₂ − b₁·h₁", "= 6 × 10 − 4 × 8", "= 28 mm²".
QList<QList<Run>> WorkingParts(const WorkingLine& line) {
    const QString result = ToQString(line.result);
    const QString relation = line.thinWall ? QStringLiteral(" ≒ ") : QStringLiteral(" = ");
    const QString symbols = ToQString(line.symbols);
    const QString numbers = ToQString(line.numbers);
    QString value = ToQString(line.value);
    if (!line.unit.empty()) value += QLatin1Char(' ') + ToQString(line.unit);

    QList<QList<Run>> parts;
    parts.append({{result + relation + symbols}});
    if (!numbers.isEmpty() && numbers != symbols) parts.append({{QStringLiteral("= ") + numbers}});
    parts.append({{QStringLiteral("= ")}, {value, true}});
    return parts;
}

// Lays the sheet out from the top of its content area downwards. Without a
// painter it only measures, so that a sheet too long for the page can be
// scaled down to fit before it is painted.
class Layout {
public:
    Layout(QPainter* painter, double width) : p_(painter), width_(width) {}

    double run(const SheetContent& content) {
        titleBlock(content);
        infoGrid(content);
        heading(QStringLiteral("1. 断面形状と寸法"));
        shapeAndDimensions(content);
        heading(QStringLiteral("2. 断面性能の計算"));
        if (!content.notice.isEmpty())
            noticeBox(content.notice);
        else
            working(content.working);
        if (content.details) {
            heading(QStringLiteral("3. 断面性能一覧（単位 %1）").arg(content.details->unitSuffix));
            detailsTable(*content.details);
            torsionBlock(*content.details);
        }
        return y_;
    }

private:
    static double Width(const QString& text, const QFont& font) {
        return QFontMetricsF(font).horizontalAdvance(text);
    }

    // Text with its baseline at `baseline`, aligned left, right or centred on x.
    void text(double x, double baseline, const QString& s, const QFont& font,
              Qt::Alignment align = Qt::AlignLeft, const QColor& colour = kInk) {
        if (!p_) return;
        if (align & Qt::AlignRight) x -= Width(s, font);
        if (align & Qt::AlignHCenter) x -= Width(s, font) / 2;
        p_->setFont(font);
        p_->setPen(colour);
        p_->drawText(QPointF(x, baseline), s);
    }

    // The baseline that centres a line of `font` between top and top + height.
    static double CentredBaseline(double top, double height, const QFont& font) {
        const QFontMetricsF metrics(font);
        return top + (height + metrics.ascent() - metrics.descent()) / 2;
    }

    void line(double x1, double y1, double x2, double y2, double widthPt, const QColor& colour = kRule) {
        if (!p_) return;
        p_->setPen(QPen(colour, Pt(widthPt), Qt::SolidLine, Qt::FlatCap));
        p_->drawLine(QPointF(x1, y1), QPointF(x2, y2));
    }

    void fill(const QRectF& rect, const QColor& colour) {
        if (p_) p_->fillRect(rect, colour);
    }

    void frame(const QRectF& rect, double widthPt = 0.5) {
        if (!p_) return;
        p_->setPen(QPen(kRule, Pt(widthPt)));
        p_->setBrush(Qt::NoBrush);
        p_->drawRect(rect);
    }

    void svg(const QString& path, const QRectF& target) {
        if (!p_) return;
        PaintSvg(*p_, path, target);
    }

    void titleBlock(const SheetContent& content) {
        const QFont title = SheetFont(18, true);
        const double baseline = QFontMetricsF(title).ascent();
        text(width_ / 2, baseline, content.title, title, Qt::AlignHCenter);
        const QFont small = SheetFont(9);
        text(width_, baseline, content.date.toString(QStringLiteral("yyyy年M月d日")), small, Qt::AlignRight);
        y_ = baseline + QFontMetricsF(title).descent() + Mm(2);
        line(0, y_, width_, y_, 1.2, kInk);
        line(0, y_ + Mm(0.8), width_, y_ + Mm(0.8), 0.4, kInk);
        y_ += Mm(4);
    }

    // 件名 across; 部材 and 作成者; the shape and the unit.
    void infoGrid(const SheetContent& content) {
        const double rowHeight = Mm(7);
        const double labelWidth = Mm(24);
        const double half = width_ / 2;
        const QFont label = SheetFont(9, true);
        const QFont value = SheetFont(10);
        const SheetRequest& r = content.request;
        struct Cell {
            QString label;
            QString value;
        };
        const QList<QList<Cell>> rows{
            {{QStringLiteral("件名"), r.subject}},
            {{QStringLiteral("部材"), r.member}, {QStringLiteral("作成者"), r.author}},
            {{QStringLiteral("断面形状"), content.shapeName}, {QStringLiteral("単位"), content.unitSuffix}},
        };
        const double top = y_;
        for (const QList<Cell>& row : rows) {
            const double cellWidth = row.size() == 1 ? width_ : half;
            for (qsizetype i = 0; i < row.size(); ++i) {
                const double x = cellWidth * double(i);
                fill(QRectF(x, y_, labelWidth, rowHeight), kShade);
                line(x + labelWidth, y_, x + labelWidth, y_ + rowHeight, 0.5);
                if (i > 0) line(x, y_, x, y_ + rowHeight, 0.5);
                text(x + Mm(2), CentredBaseline(y_, rowHeight, label), row[i].label, label);
                text(x + labelWidth + Mm(2.5), CentredBaseline(y_, rowHeight, value), row[i].value, value);
            }
            y_ += rowHeight;
            line(0, y_, width_, y_, 0.5);
        }
        frame(QRectF(0, top, width_, y_ - top), 0.8);
    }

    void heading(const QString& caption) {
        y_ += Mm(6);
        const QFont font = SheetFont(11, true);
        const QFontMetricsF metrics(font);
        fill(QRectF(0, y_, Mm(1.3), metrics.height()), kAccent);
        text(Mm(3), y_ + metrics.ascent(), caption, font, Qt::AlignLeft, kAccent);
        y_ += metrics.height() + Mm(1);
        line(0, y_, width_, y_, 0.4);
        y_ += Mm(3);
    }

    void shapeAndDimensions(const SheetContent& content) {
        const QRectF box(0, y_, Mm(82), Mm(62));
        const QSize natural = DrawingSize(content.shape);
        if (!natural.isEmpty()) {
            const double scale = std::min(box.width() / natural.width(), box.height() / natural.height());
            QRectF target(0, 0, natural.width() * scale, natural.height() * scale);
            target.moveCenter(box.center());
            svg(DrawingPath(content.shape), target);
        }
        frame(box);

        // The dimension table beside it: caption, value, unit, remark.
        const double left = box.right() + Mm(8);
        const double columns[] = {left, left + Mm(20), left + Mm(52), left + Mm(66)};
        const double rowHeight = Mm(6.5);
        const QFont head = SheetFont(9, true);
        const QFont body = MathFont(9.5);
        const QFont remark = SheetFont(8);
        double y = y_;
        fill(QRectF(left, y, width_ - left, rowHeight), kShade);
        text(columns[0] + Mm(2), CentredBaseline(y, rowHeight, head), QStringLiteral("寸法"), head);
        text(columns[2] - Mm(2), CentredBaseline(y, rowHeight, head), QStringLiteral("値"), head,
             Qt::AlignRight);
        text(columns[2] + Mm(2), CentredBaseline(y, rowHeight, head), QStringLiteral("単位"), head);
        text(columns[3] + Mm(2), CentredBaseline(y, rowHeight, head), QStringLiteral("備考"), head);
        line(left, y, width_, y, 0.8, kInk);
        y += rowHeight;
        line(left, y, width_, y, 0.5, kInk);
        for (const DimensionRow& row : content.dimensions) {
            const double baseline = CentredBaseline(y, rowHeight, body);
            text(columns[0] + Mm(2), baseline, row.caption, body);
            text(columns[2] - Mm(2), baseline, row.value, body, Qt::AlignRight);
            text(columns[2] + Mm(2), baseline, content.unitSuffix, SheetFont(9.5));
            if (row.derived)
                text(columns[3] + Mm(2), CentredBaseline(y, rowHeight, remark),
                     QStringLiteral("\"t\"を用いる（自動）"), remark, Qt::AlignLeft, kGrey);
            y += rowHeight;
            line(left, y, width_, y, 0.3);
        }
        line(left, y, width_, y, 0.8, kInk);
        y_ = std::max(box.bottom(), y);
    }

    void noticeBox(const QString& notice) {
        const QFont font = SheetFont(10);
        const QRectF inner(Mm(4), 0, width_ - Mm(8), 0);
        const QRectF needed = QFontMetricsF(font).boundingRect(inner, Qt::TextWordWrap, notice);
        const QRectF box(0, y_, width_, needed.height() + Mm(8));
        if (p_) {
            p_->setPen(QPen(kAccent, Pt(0.8)));
            p_->setBrush(Qt::NoBrush);
            p_->drawRect(box);
            p_->setFont(font);
            p_->setPen(kInk);
            p_->drawText(box.adjusted(Mm(4), Mm(4), -Mm(4), -Mm(4)), Qt::TextWordWrap, notice);
        }
        y_ = box.bottom();
    }

    // One block per formula picture: the picture on the left, on its right the
    // property's name and each line of working that uses the picture. Values
    // worked out on the way (the centroid of the U-, T- and L-section) form a
    // block of their own, where they come, without the picture.
    void working(const std::vector<WorkingLine>& lines) {
        using Group = std::pair<int, bool>;  // picture, intermediate
        QList<Group> groups;
        for (const WorkingLine& l : lines)
            if (!groups.contains(Group{l.formulaPicture, l.intermediate}))
                groups.append({l.formulaPicture, l.intermediate});

        const double pictureWidth = Mm(62);
        const double textLeft = pictureWidth + Mm(5);
        bool first = true;
        for (const auto& [picture, intermediate] : groups) {
            if (!first) y_ += Mm(3.5);
            first = false;
            double pictureHeight = 0;
            const QSize size = FormulaSize(picture);
            if (!intermediate && picture >= 0 && !size.isEmpty()) {
                pictureHeight = pictureWidth * size.height() / size.width();
                svg(FormulaPath(picture), QRectF(0, y_, pictureWidth, pictureHeight));
            }
            double y = y_;
            const QFont caption = SheetFont(9, true);
            y += QFontMetricsF(caption).ascent();
            text(textLeft, y, intermediate ? QStringLiteral("図心の位置") : KindCaption(picture), caption,
                 Qt::AlignLeft, kAccent);
            y += QFontMetricsF(caption).descent() + Mm(1);
            bool thinWallTagged = false;
            for (const WorkingLine& l : lines) {
                if (l.formulaPicture != picture || l.intermediate != intermediate) continue;
                if (l.thinWall && !thinWallTagged) {
                    const QFont tag = SheetFont(8);
                    y += Mm(0.8) + QFontMetricsF(tag).ascent();
                    text(textLeft, y, QStringLiteral("薄肉近似（\"t\"を用いる）"), tag, Qt::AlignLeft, kGrey);
                    y += QFontMetricsF(tag).descent();
                    thinWallTagged = true;
                }
                y = workingLine(l, textLeft, y);
            }
            y_ = std::max(y_ + pictureHeight, y);
        }
    }

    // Writes one line of working from `top`, breaking it before an "=" where
    // it does not fit; the continued lines stand with their "=" under the
    // first one. Returns the bottom of the last line.
    double workingLine(const WorkingLine& l, double left, double top) {
        const QFont regular = MathFont(9.5);
        const QFont bold = MathFont(9.5, true);
        const QFontMetricsF metrics(regular);
        const double lineHeight = metrics.height() * 1.35;
        const double available = width_ - left;
        const double indent = Width(ToQString(l.result) + QLatin1Char(' '), regular);
        const auto runWidth = [&](const QList<Run>& runs) {
            double w = 0;
            for (const Run& r : runs) w += Width(r.text, r.bold ? bold : regular);
            return w;
        };

        // Greedy filling: as many parts on a line as fit.
        QList<QList<Run>> lines;
        QList<Run> current;
        for (const QList<Run>& part : WorkingParts(l)) {
            QList<Run> joined = current;
            if (!joined.isEmpty()) joined.append({QStringLiteral(" ")});
            joined.append(part);
            const double lead = lines.isEmpty() ? 0 : indent;
            if (current.isEmpty() || lead + runWidth(joined) <= available) {
                current = joined;
            } else {
                lines.append(current);
                current = part;
            }
        }
        lines.append(current);

        double y = top;
        for (qsizetype i = 0; i < lines.size(); ++i) {
            const double baseline = y + (lineHeight + metrics.ascent() - metrics.descent()) / 2;
            double x = left + (i == 0 ? 0 : indent);
            for (const Run& r : lines[i]) {
                const QFont& font = r.bold ? bold : regular;
                text(x, baseline, r.text, font);
                x += Width(r.text, font);
            }
            y += lineHeight;
        }
        return y;
    }

    // Every property in two columns side by side: name, symbol, value, unit.
    void detailsTable(const DetailsTable& details) {
        if (!details.error.isEmpty()) {
            noticeBox(details.error);
            return;
        }
        const QFont head = SheetFont(8, true);
        const QFont body = SheetFont(8.5);
        const double rowHeight = Mm(5.2);
        const double gap = Mm(6);
        const double half = (width_ - gap) / 2;
        const qsizetype perColumn = (details.rows.size() + 1) / 2;
        double bottom = y_;
        for (int column = 0; column < 2; ++column) {
            const double left = column * (half + gap);
            const double symbolX = left + half - Mm(42);
            const double valueRight = left + half - Mm(13);
            const double unitX = valueRight + Mm(1.5);
            double y = y_;
            fill(QRectF(left, y, half, rowHeight), kShade);
            text(left + Mm(1.5), CentredBaseline(y, rowHeight, head), QStringLiteral("性質"), head);
            text(symbolX, CentredBaseline(y, rowHeight, head), QStringLiteral("記号"), head);
            text(valueRight, CentredBaseline(y, rowHeight, head), QStringLiteral("値"), head, Qt::AlignRight);
            text(unitX, CentredBaseline(y, rowHeight, head), QStringLiteral("単位"), head);
            line(left, y, left + half, y, 0.8, kInk);
            y += rowHeight;
            line(left, y, left + half, y, 0.5, kInk);
            const qsizetype from = column * perColumn;
            const qsizetype to = std::min(details.rows.size(), from + perColumn);
            for (qsizetype i = from; i < to; ++i) {
                const DetailsRow& row = details.rows[i];
                const double baseline = CentredBaseline(y, rowHeight, body);
                text(left + Mm(1.5), baseline, row.name, body);
                text(symbolX, baseline, row.symbol, body);
                text(valueRight, baseline, row.value, body, Qt::AlignRight);
                text(unitX, baseline, row.unit, body);
                y += rowHeight;
                line(left, y, left + half, y, 0.3);
            }
            line(left, y, left + half, y, 0.8, kInk);
            bottom = std::max(bottom, y);
        }
        y_ = bottom;
    }

    // The torsion rows on the left, the drawing with G and S beside them, and
    // under both how the values were obtained (and why there is no Zt), then
    // the footnotes of values whose estimate is above its tolerance.
    void torsionBlock(const DetailsTable& details) {
        if (details.torsionRows.isEmpty()) return;
        y_ += Mm(4);
        const QFont head = SheetFont(8, true);
        const QFont body = SheetFont(8.5);
        const double rowHeight = Mm(5.2);
        const double tableWidth = width_ * 0.58;
        const double symbolX = tableWidth - Mm(42);
        const double valueRight = tableWidth - Mm(13);
        const double unitX = valueRight + Mm(1.5);
        double y = y_;
        fill(QRectF(0, y, tableWidth, rowHeight), kShade);
        text(Mm(1.5), CentredBaseline(y, rowHeight, head), QStringLiteral("ねじり"), head);
        text(symbolX, CentredBaseline(y, rowHeight, head), QStringLiteral("記号"), head);
        text(valueRight, CentredBaseline(y, rowHeight, head), QStringLiteral("値"), head, Qt::AlignRight);
        text(unitX, CentredBaseline(y, rowHeight, head), QStringLiteral("単位"), head);
        line(0, y, tableWidth, y, 0.8, kInk);
        y += rowHeight;
        line(0, y, tableWidth, y, 0.5, kInk);
        for (const DetailsRow& row : details.torsionRows) {
            const double baseline = CentredBaseline(y, rowHeight, body);
            text(Mm(1.5), baseline, row.name, body);
            text(symbolX, baseline, row.symbol, body);
            text(valueRight, baseline, row.value, body, Qt::AlignRight);
            text(unitX, baseline, row.unit, body);
            y += rowHeight;
            line(0, y, tableWidth, y, 0.3);
        }
        line(0, y, tableWidth, y, 0.8, kInk);

        const QRectF box(tableWidth + Mm(6), y_, width_ - tableWidth - Mm(6), Mm(48));
        if (p_ && details.picture) PaintSectionPicture(*p_, box, *details.picture, false, Pt(8));
        frame(box);

        y = std::max(y, box.bottom()) + Mm(2);
        const QFont note = SheetFont(8);
        const QStringList lines =
            QStringList{details.torsionMethod, details.torsionNote} + details.torsionFootnotes;
        for (const QString& line : lines) {
            if (line.isEmpty()) continue;
            const QRectF needed =
                QFontMetricsF(note).boundingRect(QRectF(0, 0, width_, 0), Qt::TextWordWrap, line);
            if (p_) {
                p_->setFont(note);
                p_->setPen(kGrey);
                p_->drawText(QRectF(0, y, width_, needed.height()), Qt::TextWordWrap, line);
            }
            y += needed.height() + Mm(0.8);
        }
        y_ = y;
    }

    QPainter* p_;
    double width_;
    double y_ = 0;
};

void PaintFooter(QPainter& painter, double pageWidth, double pageHeight, const SheetContent& content) {
    const QFont font = SheetFont(8);
    const double top = pageHeight - kMarginBottom - kFooterHeight + Mm(3);
    painter.setPen(QPen(kRule, Pt(0.4)));
    painter.drawLine(QPointF(kMarginSide, top), QPointF(pageWidth - kMarginSide, top));
    const double baseline = top + Mm(1.5) + QFontMetricsF(font).ascent();
    painter.setFont(font);
    painter.setPen(kGrey);
    painter.drawText(QPointF(kMarginSide, baseline), content.footer);
    const QString page = QStringLiteral("1 / 1");
    painter.drawText(QPointF(pageWidth - kMarginSide - QFontMetricsF(font).horizontalAdvance(page), baseline),
                     page);
}

}  // namespace

void PaintSheet(QPainter& painter, const QRectF& page, const SheetContent& content) {
    const double dpi = painter.device() ? painter.device()->logicalDpiX() : 72.0;
    const double toDevice = dpi / kUnitsPerInch;
    const double pageWidth = page.width() / toDevice;
    const double pageHeight = page.height() / toDevice;
    const double contentWidth = pageWidth - 2 * kMarginSide;
    const double available = pageHeight - kMarginTop - kMarginBottom - kFooterHeight;

    // A sheet longer than the page is scaled down as a whole: it stays one page.
    const double needed = Layout(nullptr, contentWidth).run(content);
    const double fit = needed > available ? available / needed : 1.0;

    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.translate(page.topLeft());
    painter.scale(toDevice, toDevice);
    PaintFooter(painter, pageWidth, pageHeight, content);
    painter.translate(kMarginSide, kMarginTop);
    painter.scale(fit, fit);
    Layout(&painter, contentWidth / fit).run(content);
    painter.restore();
}

}  // namespace velmora::ui
