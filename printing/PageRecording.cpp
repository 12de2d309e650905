#include "PageRecording.h"

#include <QPaintEngine>
#include <QPainter>
#include <QPainterPath>

#include <variant>

namespace {
struct ImageDraw
{
    QRectF target;
    QImage image;
    QRectF source;
    Qt::ImageConversionFlags flags;
};
struct PixmapDraw
{
    QRectF target;
    QPixmap pixmap;
    QRectF source;
};
struct TiledDraw
{
    QRectF target;
    QPixmap pixmap;
    QPointF offset;
};
struct PathDraw
{
    QPainterPath path;
};
struct PolygonDraw
{
    QPolygonF polygon;
    QPaintEngine::PolygonDrawMode mode;
};

/** The painter state a command was drawn with. */
struct State
{
    QTransform transform;
    QPen pen;
    QBrush brush;
    QPointF brushOrigin;
    QPainter::RenderHints hints;
    QPainter::CompositionMode composition = QPainter::CompositionMode_SourceOver;
    qreal opacity = 1.0;
    bool clipped = false;
    QPainterPath deviceClip; ///< in page pixels
};
} // namespace

struct PageRecording::Command
{
    State state;
    std::variant<ImageDraw, PixmapDraw, TiledDraw, PathDraw, PolygonDraw> draw;
};

class PageRecording::Engine : public QPaintEngine
{
public:
    explicit Engine(PageRecording &page) : QPaintEngine(QPaintEngine::AllFeatures), m_page(page) {}

    bool begin(QPaintDevice *) override { return true; }
    bool end() override { return true; }
    Type type() const override { return QPaintEngine::User; }
    void updateState(const QPaintEngineState &) override {}

    void drawImage(const QRectF &r, const QImage &image, const QRectF &sr,
                   Qt::ImageConversionFlags flags) override
    {
        add(ImageDraw{r, image, sr, flags});
    }
    void drawPixmap(const QRectF &r, const QPixmap &pm, const QRectF &sr) override
    {
        add(PixmapDraw{r, pm, sr});
    }
    void drawTiledPixmap(const QRectF &r, const QPixmap &pm, const QPointF &p) override
    {
        add(TiledDraw{r, pm, p});
    }
    void drawPath(const QPainterPath &path) override { add(PathDraw{path}); }
    void drawPolygon(const QPointF *points, int count, PolygonDrawMode mode) override
    {
        add(PolygonDraw{QPolygonF(QList<QPointF>(points, points + count)), mode});
    }
    void drawPolygon(const QPoint *points, int count, PolygonDrawMode mode) override
    {
        QPolygonF polygon;
        polygon.reserve(count);
        for (int i = 0; i < count; ++i)
            polygon << QPointF(points[i]);
        add(PolygonDraw{polygon, mode});
    }

private:
    template <typename T> void add(T &&draw)
    {
        auto command = std::make_shared<Command>();
        const QPainter *p = painter();
        State &s = command->state;
        s.transform = p->combinedTransform();
        s.pen = p->pen();
        s.brush = p->brush();
        s.brushOrigin = p->brushOrigin();
        s.hints = p->renderHints();
        s.composition = p->compositionMode();
        s.opacity = p->opacity();
        s.clipped = p->hasClipping();
        if (s.clipped)
            s.deviceClip = p->combinedTransform().map(p->clipPath());
        command->draw = std::forward<T>(draw);
        m_page.m_commands.push_back(std::move(command));
    }

    PageRecording &m_page;
};

PageRecording::PageRecording(QSize size, int dpi) : m_size(size), m_dpi(dpi > 0 ? dpi : 300)
{
}

PageRecording::~PageRecording() = default;

bool PageRecording::IsEmpty() const
{
    return m_commands.empty();
}

QPaintEngine *PageRecording::paintEngine() const
{
    auto *self = const_cast<PageRecording *>(this);
    if (!m_engine)
        self->m_engine = std::make_unique<Engine>(*self);
    return m_engine.get();
}

int PageRecording::metric(PaintDeviceMetric metric) const
{
    switch (metric) {
    case PdmWidth:
        return m_size.width();
    case PdmHeight:
        return m_size.height();
    case PdmWidthMM:
        return qRound(m_size.width() * 25.4 / m_dpi);
    case PdmHeightMM:
        return qRound(m_size.height() * 25.4 / m_dpi);
    case PdmNumColors:
        return 0x7fffffff;
    case PdmDepth:
        return 32;
    case PdmDpiX:
    case PdmDpiY:
    case PdmPhysicalDpiX:
    case PdmPhysicalDpiY:
        return m_dpi;
    case PdmDevicePixelRatio:
        return 1;
    case PdmDevicePixelRatioScaled:
        return int(QPaintDevice::devicePixelRatioFScale());
    }
    return 0;
}

void PageRecording::Play(QPainter &painter) const
{
    const QTransform base = painter.transform();
    for (const std::shared_ptr<Command> &command : m_commands) {
        const State &s = command->state;
        painter.save();
        if (s.clipped) {
            painter.setTransform(base);
            painter.setClipPath(s.deviceClip, painter.hasClipping() ? Qt::IntersectClip : Qt::ReplaceClip);
        }
        painter.setTransform(s.transform * base);
        painter.setPen(s.pen);
        painter.setBrush(s.brush);
        painter.setBrushOrigin(s.brushOrigin);
        painter.setRenderHints(s.hints, true);
        painter.setCompositionMode(s.composition);
        painter.setOpacity(painter.opacity() * s.opacity);
        std::visit(
            [&painter](const auto &d) {
                using T = std::decay_t<decltype(d)>;
                if constexpr (std::is_same_v<T, ImageDraw>)
                    painter.drawImage(d.target, d.image, d.source, d.flags);
                else if constexpr (std::is_same_v<T, PixmapDraw>)
                    painter.drawPixmap(d.target, d.pixmap, d.source);
                else if constexpr (std::is_same_v<T, TiledDraw>)
                    painter.drawTiledPixmap(d.target, d.pixmap, d.offset);
                else if constexpr (std::is_same_v<T, PathDraw>)
                    painter.drawPath(d.path);
                else if (d.mode == QPaintEngine::PolylineMode)
                    painter.drawPolyline(d.polygon);
                else
                    painter.drawPolygon(d.polygon, d.mode == QPaintEngine::WindingMode ? Qt::WindingFill
                                                                                       : Qt::OddEvenFill);
            },
            command->draw);
        painter.restore();
    }
}
