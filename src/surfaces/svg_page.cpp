#include "surfaces/svg_page.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <string>
#include <string_view>

#include <QBuffer>
#include <QByteArray>
#include <QIODevice>
#include <QPaintEngine>
#include <QPainterPath>
#include <QPixmap>
#include <QTransform>

#include "surfaces/xml_text.h"

namespace zov {

namespace {

// What the buffer holds at most before it goes to the output (one element
// more at the very most).
constexpr std::size_t kBufferBytes = std::size_t{1} << 16;
// Image bytes encoded per piece of base64: a multiple of 3, so that the
// pieces join into one base64 text.
constexpr qsizetype kImagePiece = 3 * 8192;
constexpr double kMillimetresPerInch = 25.4;

// The features of the SVG format: no pattern brushes, perspective, conical
// gradients or compositions (all brushes are written as their colour).
QPaintEngine::PaintEngineFeatures svg_features() {
    return QPaintEngine::AllFeatures &
           ~(QPaintEngine::PatternBrush | QPaintEngine::PerspectiveTransform |
             QPaintEngine::ConicalGradientFill | QPaintEngine::PorterDuff);
}

const char* cap_name(Qt::PenCapStyle cap) {
    switch (cap) {
        case Qt::FlatCap: return "butt";
        case Qt::RoundCap: return "round";
        default: return "square";
    }
}

const char* join_name(Qt::PenJoinStyle join) {
    switch (join) {
        case Qt::RoundJoin: return "round";
        case Qt::BevelJoin: return "bevel";
        default: return "miter";
    }
}

}  // namespace

class SvgPaintEngine final : public QPaintEngine {
public:
    SvgPaintEngine(QIODevice& output, QSize size, int dots_per_inch, const QString& title)
        : QPaintEngine(svg_features()),
          output_(output),
          size_(size),
          dots_per_inch_(dots_per_inch),
          title_(title) {
        buffer_.reserve(kBufferBytes + 4096);
    }

    bool written() const { return !failed_; }

    bool begin(QPaintDevice*) override {
        if (begun_) return false;
        begun_ = true;
        put("<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"no\"?>\n<svg width=\"");
        put(size_.width() * kMillimetresPerInch / dots_per_inch_);
        put("mm\" height=\"");
        put(size_.height() * kMillimetresPerInch / dots_per_inch_);
        put("mm\" viewBox=\"0 0 ");
        put(size_.width());
        put(" ");
        put(size_.height());
        put("\" xmlns=\"http://www.w3.org/2000/svg\" xmlns:xlink=\"http://www.w3.org/1999/xlink\""
            " version=\"1.2\" baseProfile=\"tiny\">\n<title>");
        put_text(title_);
        put("</title>\n");
        return true;
    }

    bool end() override {
        if (group_open_) put("</g>\n");
        group_open_ = false;
        put("</svg>\n");
        flush_buffer();
        return !failed_;
    }

    void updateState(const QPaintEngineState& state) override {
        const DirtyFlags dirty = state.state();
        if (dirty & DirtyPen) pen_ = state.pen();
        if (dirty & DirtyBrush) brush_ = state.brush();
        if (dirty & DirtyTransform) transform_ = state.transform();
        if (dirty & (DirtyPen | DirtyBrush | DirtyTransform)) group_current_ = false;
    }

    using QPaintEngine::drawEllipse;
    using QPaintEngine::drawLines;
    using QPaintEngine::drawPolygon;
    using QPaintEngine::drawRects;

    void drawRects(const QRectF* rects, int count) override {
        for (int i = 0; i < count; ++i) {
            start_element("<rect x=\"");
            put(rects[i].x());
            put("\" y=\"");
            put(rects[i].y());
            put("\" width=\"");
            put(rects[i].width());
            put("\" height=\"");
            put(rects[i].height());
            put("\"/>\n");
        }
    }

    // One path of separate lines: the dash pattern starts again on each, as
    // it does for lines drawn one by one.
    void drawLines(const QLineF* lines, int count) override {
        if (count <= 0) return;
        start_element("<path fill=\"none\" d=\"");
        for (int i = 0; i < count; ++i) {
            put("M");
            put_point(lines[i].p1());
            put("L");
            put_point(lines[i].p2());
        }
        put("\"/>\n");
    }

    void drawEllipse(const QRectF& box) override {
        start_element("<ellipse cx=\"");
        put(box.center().x());
        put("\" cy=\"");
        put(box.center().y());
        put("\" rx=\"");
        put(box.width() / 2.0);
        put("\" ry=\"");
        put(box.height() / 2.0);
        put("\"/>\n");
    }

    void drawPath(const QPainterPath& path) override {
        start_element("<path fill-rule=\"");
        put(path.fillRule() == Qt::WindingFill ? "nonzero" : "evenodd");
        put("\" d=\"");
        for (int i = 0; i < path.elementCount(); ++i) {
            const QPainterPath::Element& e = path.elementAt(i);
            if (e.type == QPainterPath::MoveToElement) put("M");
            if (e.type == QPainterPath::LineToElement) put("L");
            if (e.type == QPainterPath::CurveToElement) put("C");
            if (e.type == QPainterPath::CurveToDataElement) put(" ");
            put_point(e);
        }
        put("\"/>\n");
    }

    void drawPolygon(const QPointF* points, int count, PolygonDrawMode mode) override {
        if (count <= 0) return;
        if (mode == PolylineMode) {
            start_element("<polyline fill=\"none\" points=\"");
        } else {
            start_element("<polygon fill-rule=\"");
            put(mode == OddEvenMode ? "evenodd" : "nonzero");
            put("\" points=\"");
        }
        for (int i = 0; i < count; ++i) {
            if (i > 0) put(" ");
            put_point(points[i]);
        }
        put("\"/>\n");
    }

    // The picture as PNG inside the file, encoded a piece at a time.
    void drawPixmap(const QRectF& box, const QPixmap& pixmap, const QRectF& source) override {
        QByteArray png;
        QBuffer encoder(&png);
        encoder.open(QIODevice::WriteOnly);
        if (!pixmap.copy(source.toAlignedRect()).save(&encoder, "PNG")) return;
        start_element("<image preserveAspectRatio=\"none\" x=\"");
        put(box.x());
        put("\" y=\"");
        put(box.y());
        put("\" width=\"");
        put(box.width());
        put("\" height=\"");
        put(box.height());
        put("\" xlink:href=\"data:image/png;base64,");
        for (qsizetype at = 0; at < png.size(); at += kImagePiece) {
            const QByteArray piece = png.mid(at, kImagePiece).toBase64();
            put(std::string_view(piece.constData(), static_cast<std::size_t>(piece.size())));
        }
        put("\"/>\n");
    }

    // The text at its baseline, in the pen's colour.
    void drawTextItem(const QPointF& at, const QTextItem& item) override {
        const QFont font = item.font();
        start_element("<text stroke=\"none\" fill=\"");
        put_colour(pen_.color());
        put("\" xml:space=\"preserve\" x=\"");
        put(at.x());
        put("\" y=\"");
        put(at.y());
        put("\" font-family=\"");
        put_text(font.family());
        put("\" font-size=\"");
        put(font.pixelSize() > 0 ? font.pixelSize() : font.pointSizeF() * dots_per_inch_ / 72.0);
        put("\" font-weight=\"");
        put(font.weight());
        put(font.italic() ? "\" font-style=\"italic\">" : "\" font-style=\"normal\">");
        put_text(item.text());
        put("</text>\n");
    }

    Type type() const override { return QPaintEngine::SVG; }

private:
    void put(std::string_view text) {
        buffer_.append(text);
        if (buffer_.size() >= kBufferBytes) flush_buffer();
    }

    void put(double value) {
        char digits[32];
        const auto [end, error] =
            std::to_chars(digits, digits + sizeof digits, std::isfinite(value) ? value : 0.0,
                          std::chars_format::general, 7);
        put(std::string_view(digits, error == std::errc() ? end - digits : 0));
    }

    void put_point(const QPointF& p) {
        put(p.x());
        put(",");
        put(p.y());
    }

    void put_text(QStringView text) {
        append_xml_text(buffer_, text);
        if (buffer_.size() >= kBufferBytes) flush_buffer();
    }

    void put_colour(const QColor& colour) {
        char hex[8];
        std::snprintf(hex, sizeof hex, "#%02x%02x%02x", colour.red(), colour.green(),
                      colour.blue());
        put(hex);
    }

    // Writes what the buffer holds; after a failed write nothing more is
    // written and the picture counts as lost.
    void flush_buffer() {
        if (!failed_ && !buffer_.empty() &&
            output_.write(buffer_.data(), static_cast<qint64>(buffer_.size())) !=
                static_cast<qint64>(buffer_.size()))
            failed_ = true;
        buffer_.clear();
    }

    // Opens the element `start`, in a group of the painter's present pen,
    // brush and transform.
    void start_element(std::string_view start) {
        if (!group_current_) write_group();
        put(start);
    }

    void write_group() {
        if (group_open_) put("</g>\n");
        put("<g fill=\"");
        if (brush_.style() == Qt::NoBrush) {
            put("none");
        } else {
            put_colour(brush_.color());
            if (brush_.color().alpha() < 255) {
                put("\" fill-opacity=\"");
                put(brush_.color().alphaF());
            }
        }
        put("\" stroke=\"");
        if (pen_.style() == Qt::NoPen) {
            put("none");
        } else {
            write_pen();
        }
        if (!transform_.isIdentity()) {
            const double matrix[] = {transform_.m11(), transform_.m12(), transform_.m21(),
                                     transform_.m22(), transform_.dx(),  transform_.dy()};
            put("\" transform=\"matrix(");
            for (std::size_t i = 0; i < std::size(matrix); ++i) {
                if (i > 0) put(",");
                put(matrix[i]);
            }
            put(")");
        }
        put("\">\n");
        group_open_ = true;
        group_current_ = true;
    }

    void write_pen() {
        put_colour(pen_.color());
        if (pen_.color().alpha() < 255) {
            put("\" stroke-opacity=\"");
            put(pen_.color().alphaF());
        }
        // A cosmetic pen of width 0 draws one pixel; its width and dashes
        // stay in pixels whatever the transform.
        const double width = pen_.isCosmetic() ? std::max(pen_.widthF(), 1.0) : pen_.widthF();
        put("\" stroke-width=\"");
        put(width);
        put("\" stroke-linecap=\"");
        put(cap_name(pen_.capStyle()));
        put("\" stroke-linejoin=\"");
        put(join_name(pen_.joinStyle()));
        if (pen_.style() != Qt::SolidLine) {
            put("\" stroke-dasharray=\"");
            const QList<qreal> dashes = pen_.dashPattern();
            for (qsizetype i = 0; i < dashes.size(); ++i) {
                if (i > 0) put(",");
                put(dashes[i] * std::max(width, 1.0));
            }
        }
        if (pen_.isCosmetic() && !transform_.isIdentity())
            put("\" vector-effect=\"non-scaling-stroke");
    }

    QIODevice& output_;
    QSize size_;
    int dots_per_inch_;
    QString title_;
    std::string buffer_;
    bool failed_ = false;
    bool begun_ = false;
    bool group_open_ = false;
    bool group_current_ = false;  // the open group holds the painter's state
    QPen pen_;
    QBrush brush_;
    QTransform transform_;
};

SvgPage::SvgPage(QIODevice& output, QSize size, int dots_per_inch, const QString& title)
    : size_(size.expandedTo(QSize(1, 1))),
      dots_per_inch_(std::max(dots_per_inch, 1)),
      engine_(std::make_unique<SvgPaintEngine>(output, size_, dots_per_inch_, title)) {}

SvgPage::~SvgPage() = default;

QPaintEngine* SvgPage::paintEngine() const { return engine_.get(); }

bool SvgPage::written() const { return engine_->written(); }

int SvgPage::metric(PaintDeviceMetric metric) const {
    switch (metric) {
        case PdmWidth: return size_.width();
        case PdmHeight: return size_.height();
        case PdmWidthMM:
            return static_cast<int>(
                std::lround(size_.width() * kMillimetresPerInch / dots_per_inch_));
        case PdmHeightMM:
            return static_cast<int>(
                std::lround(size_.height() * kMillimetresPerInch / dots_per_inch_));
        case PdmDpiX:
        case PdmDpiY:
        case PdmPhysicalDpiX:
        case PdmPhysicalDpiY: return dots_per_inch_;
        case PdmNumColors: return 0xffffff;
        case PdmDepth: return 32;
        case PdmDevicePixelRatio: return 1;
        default: return QPaintDevice::metric(metric);
    }
}

}  // namespace zov
