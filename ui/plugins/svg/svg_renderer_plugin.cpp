// Qt SVG behind the SvgRenderer interface.
#include <QObject>
#include <QPainter>
#include <QSvgRenderer>

#include "ui/plugins/svg_renderer.h"

namespace velmora::ui {

class SvgRendererPlugin final : public QObject, public SvgRenderer {
    Q_OBJECT
    Q_PLUGIN_METADATA(IID VELMORA_SVG_RENDERER_IID)
    Q_INTERFACES(velmora::ui::SvgRenderer)

public:
    bool paint(QPainter& painter, const QString& path, const QRectF& target) const override {
        QSvgRenderer renderer(path);
        if (!renderer.isValid()) return false;
        renderer.render(&painter, target);
        return true;
    }
};

}  // namespace velmora::ui

#include "svg_renderer_plugin.moc"
