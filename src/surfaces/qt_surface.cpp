#include "surfaces/qt_surface.h"

#include "surfaces/band_picture.h"

#include <sys/mman.h>

#include <algorithm>
#include <cmath>
#include <numbers>

#include <QBuffer>
#include <QByteArray>
#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPainterPath>
#include <QPolygonF>
#include <QRectF>
#include <QString>

#include "common/cp932.h"
#include "common/encoding.h"

namespace zov {

namespace {

// Coordinates within this range go to QPainter as they are; beyond it lines
// are clipped here and arcs drawn as polylines, so that absurd coordinates
// cannot overflow the painter's fixed-point arithmetic.
constexpr int kSafeCoordinate = 1 << 16;
constexpr int kMaxFontPixels = 8192;
// Qt draws characters at most 40 times their own width.
constexpr int kMaxFontStretch = 4000;
// The fonts a surface keeps made: more than a drawing's texts take in turn.
constexpr std::size_t kKeptFonts = 64;
// Lines for the painter go to it in batches of at most this many, so that
// a long run of lines with one pen holds no more memory than a batch.
constexpr std::size_t kPainterLineBatch = 4096;

QColor to_qcolor(Rgb c) { return QColor(c.r, c.g, c.b); }

QString to_qstring(std::string_view cp932) {
    std::string utf8 = cp932_to_utf8(cp932);
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

bool is_safe(double v) { return std::abs(v) < kSafeCoordinate; }

// Liang-Barsky clipping of a segment to a rectangle; false when nothing of
// it lies inside.
bool clip_segment(double& x1, double& y1, double& x2, double& y2, const QRectF& box) {
    double t0 = 0.0, t1 = 1.0;
    const double dx = x2 - x1, dy = y2 - y1;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {x1 - box.left(), box.right() - x1, y1 - box.top(), box.bottom() - y1};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0.0) {
            if (q[i] < 0.0) return false;
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0.0) {
            if (t > t1) return false;
            t0 = std::max(t0, t);
        } else {
            if (t < t0) return false;
            t1 = std::min(t1, t);
        }
    }
    const double ox = x1, oy = y1;
    x1 = ox + t0 * dx;
    y1 = oy + t0 * dy;
    x2 = ox + t1 * dx;
    y2 = oy + t1 * dy;
    return true;
}

// Sutherland-Hodgman clipping of a polygon to a rectangle, one side at a
// time; `inside` tells whether a point lies on the kept side and `cut` where
// an edge crosses it.
template <class Inside, class Cut>
QPolygonF clip_polygon_side(const QPolygonF& polygon, Inside inside, Cut cut) {
    QPolygonF kept;
    for (qsizetype i = 0; i < polygon.size(); ++i) {
        const QPointF& a = polygon[i];
        const QPointF& b = polygon[(i + 1) % polygon.size()];
        if (inside(a)) kept << a;
        if (inside(a) != inside(b)) kept << cut(a, b);
    }
    return kept;
}

QPolygonF clip_polygon(QPolygonF polygon, const QRectF& box) {
    auto at_x = [](double x) {
        return [x](const QPointF& a, const QPointF& b) {
            return QPointF(x, a.y() + (b.y() - a.y()) * (x - a.x()) / (b.x() - a.x()));
        };
    };
    auto at_y = [](double y) {
        return [y](const QPointF& a, const QPointF& b) {
            return QPointF(a.x() + (b.x() - a.x()) * (y - a.y()) / (b.y() - a.y()), y);
        };
    };
    const double left = box.left(), right = box.right(), top = box.top(), bottom = box.bottom();
    polygon = clip_polygon_side(
        polygon, [&](const QPointF& p) { return p.x() >= left; }, at_x(left));
    polygon = clip_polygon_side(
        polygon, [&](const QPointF& p) { return p.x() <= right; }, at_x(right));
    polygon = clip_polygon_side(
        polygon, [&](const QPointF& p) { return p.y() >= top; }, at_y(top));
    return clip_polygon_side(
        polygon, [&](const QPointF& p) { return p.y() <= bottom; }, at_y(bottom));
}

// The dash patterns of the window system's one-pixel pens, in pixels.
std::span<const int> dash_lengths(PenStyle style) {
    static constexpr int kDot[] = {3, 3};
    static constexpr int kDash[] = {18, 6};
    static constexpr int kDashDot[] = {9, 6, 3, 6};
    static constexpr int kDashDotDot[] = {9, 3, 3, 3, 3, 3};
    switch (style) {
        case PenStyle::Solid: break;
        case PenStyle::Dot: return kDot;
        case PenStyle::Dash: return kDash;
        case PenStyle::DashDot: return kDashDot;
        case PenStyle::DashDotDot: return kDashDotDot;
    }
    return {};
}

// Screen angle in degrees, counter-clockwise from +x, of (x, y) seen from the
// centre (y grows downward).
double screen_angle(double cx, double cy, double x, double y) {
    return std::atan2(-(y - cy), x - cx) * 180.0 / std::numbers::pi;
}

// A black RGB32 picture whose pixels lie in memory of their own, asked to be
// backed by large pages: a picture of a few megabytes otherwise costs a page
// fault per 4 KB on first touch, a good part of the time of a small render.
QImage black_picture(int width, int height) {
    struct Mapping {
        void* start;
        std::size_t length;
    };
    constexpr std::size_t kLargePage = std::size_t{2} << 20;
    const qsizetype stride = static_cast<qsizetype>(width) * 4;
    const std::size_t bytes = static_cast<std::size_t>(stride) * static_cast<std::size_t>(height);
    const std::size_t rounded = (bytes + kLargePage - 1) / kLargePage * kLargePage;
    const std::size_t length = rounded + kLargePage;
    void* start =
        ::mmap(nullptr, length, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (start == MAP_FAILED) {
        QImage image(width, height, QImage::Format_RGB32);
        image.fill(Qt::black);
        return image;
    }
    const auto address = reinterpret_cast<std::uintptr_t>(start);
    auto* pixels = reinterpret_cast<uchar*>((address + kLargePage - 1) / kLargePage * kLargePage);
    ::madvise(pixels, rounded, MADV_HUGEPAGE);
    QImage image(
        pixels, width, height, stride, QImage::Format_RGB32,
        [](void* info) {
            auto* mapping = static_cast<Mapping*>(info);
            ::munmap(mapping->start, mapping->length);
            delete mapping;
        },
        new Mapping{start, length});
    image.fill(Qt::black);
    return image;
}

}  // namespace

QString font_family_for_face(const std::string& face) {
    std::string_view plain(face);
    if (!plain.empty() && plain.front() == '@') plain.remove_prefix(1);
    if (plain == kGothicFace) return QStringLiteral("IPAGothic");
    if (plain == kMinchoFace) return QStringLiteral("IPAMincho");
    return to_qstring(plain);
}

QtSurface::QtSurface(QPainter& painter, int width, int height, CosmeticLines* direct_lines)
    : painter_(painter),
      width_(std::max(width, 1)),
      height_(std::max(height, 1)),
      direct_lines_(direct_lines) {
    painter_.setRenderHint(QPainter::Antialiasing, false);
    painter_.setBackground(QBrush(Qt::white));
}

void QtSurface::flush() {
    // Lines drawn into the pixels go there at once; those drawn since the
    // last flush are what one call of the painter would have drawn.
    if (direct_lines_ != nullptr) direct_lines_->begin_call();
    if (lines_.empty()) return;
    use_pen_on_painter();
    painter_.drawLines(lines_.data(), static_cast<int>(lines_.size()));
    lines_.clear();
}

void QtSurface::fill_rect(int left, int top, int right, int bottom, Rgb colour) {
    flush();
    painter_.fillRect(QRect(QPoint(left, top), QPoint(right - 1, bottom - 1)), to_qcolor(colour));
}

void QtSurface::fill_polygon(std::span<const PixelPoint> points, Rgb colour) {
    if (points.size() < 3) return;
    flush();
    QPolygonF polygon;
    bool safe = true;
    for (const PixelPoint& p : points) {
        polygon << QPointF(p.x, p.y);
        safe = safe && is_safe(p.x) && is_safe(p.y);
    }
    if (!safe) polygon = clip_polygon(polygon, QRectF(-2.0, -2.0, width_ + 4.0, height_ + 4.0));
    if (polygon.size() < 3) return;
    QPainterPath path;
    path.addPolygon(polygon);
    path.closeSubpath();
    painter_.fillPath(path, to_qcolor(colour));
}

void QtSurface::set_background_opaque(bool opaque) {
    painter_.setBackgroundMode(opaque ? Qt::OpaqueMode : Qt::TransparentMode);
}

double QtSurface::dots_per_millimetre() const {
    const QPaintDevice* device = painter_.device();
    return device != nullptr && device->logicalDpiX() > 0 ? device->logicalDpiX() / 25.4
                                                          : kScreenDotsPerMillimetre;
}

void QtSurface::select_pen(PenStyle style, int width, Rgb colour) {
    flush();
    const int pixels = std::clamp(width, 1, 255);
    pen_key_ = static_cast<std::uint64_t>(style) << 32 | static_cast<std::uint64_t>(pixels) << 24 |
               static_cast<std::uint64_t>(colour.r) << 16 |
               static_cast<std::uint64_t>(colour.g) << 8 | colour.b;
    pen_style_ = style;
    painter_pen_current_ = false;
    // One-pixel lines on an image are drawn straight into its pixels.
    lines_direct_ = direct_lines_ && pixels == 1;
    if (lines_direct_) direct_lines_->set_pen(0xff000000u | rgb_of_key(), dash_lengths(style));
}

// The painter takes the selected pen only when it draws with it: lines drawn
// into the image's pixels need no pen change of the painter.
void QtSurface::use_pen_on_painter() {
    if (painter_pen_current_) return;
    painter_.setPen(selected_pen());
    painter_pen_current_ = true;
}

const QPen& QtSurface::selected_pen() {
    auto [found, made] = pens_.try_emplace(pen_key_);
    QPen& pen = found->second;
    if (made) {
        pen = QPen(QColor(static_cast<QRgb>(rgb_of_key())));
        pen.setCosmetic(true);
        pen.setWidth(width_of_key());
        // Wide lines end round, so that the lines of a polyline join.
        pen.setCapStyle(pen.width() > 1 ? Qt::RoundCap : Qt::FlatCap);
        const std::span<const int> dashes = dash_lengths(pen_style_);
        if (!dashes.empty()) pen.setDashPattern(QList<qreal>(dashes.begin(), dashes.end()));
    }
    return pen;
}

void QtSurface::move_to(int x, int y) {
    // Lines written straight into the pixels are drawn a polyline at a time:
    // a line that turns back against the one before it starts half a pixel
    // earlier, and only the lines of the same entity decide that, so that a
    // pass that leaves out other entities paints the same pixels.
    if (lines_direct_ && !xor_drawing_) direct_lines_->begin_call();
    current_ = QPoint(x, y);
}

void QtSurface::line_to(int x, int y) {
    const QPoint to(x, y);
    if (is_safe(x) && is_safe(y) && is_safe(current_.x()) && is_safe(current_.y())) {
        keep_line(QLine(current_, to));
    } else {
        add_line(current_.x(), current_.y(), x, y);
    }
    current_ = to;
}

// Lines for the pixels are drawn at once, each polyline as one call of the
// painter (see move_to); lines for the painter are drawn a batch at a time.
void QtSurface::keep_line(const QLine& line) {
    if (lines_direct_ && !xor_drawing_) {
        direct_lines_->draw_next(line);
        return;
    }
    lines_.push_back(line);
    if (lines_.size() >= kPainterLineBatch) flush();
}

void QtSurface::add_line(double x1, double y1, double x2, double y2) {
    if (!(is_safe(x1) && is_safe(y1) && is_safe(x2) && is_safe(y2))) {
        const QRectF box(-2.0, -2.0, width_ + 4.0, height_ + 4.0);
        if (!clip_segment(x1, y1, x2, y2, box)) return;
    }
    keep_line(QLine(static_cast<int>(std::lround(x1)), static_cast<int>(std::lround(y1)),
                    static_cast<int>(std::lround(x2)), static_cast<int>(std::lround(y2))));
}

void QtSurface::arc(int left, int top, int right, int bottom, int start_x, int start_y, int end_x,
                    int end_y) {
    const double rx = (static_cast<double>(right) - left) / 2.0;
    const double ry = (static_cast<double>(bottom) - top) / 2.0;
    if (rx <= 0.0 || ry <= 0.0) return;
    flush();
    // An arc whose box, widened by its pen, misses the client area sets no
    // pixel: a block inserted across the view's edge has most of its arcs
    // there, and the painter would make each one's path to clip it away.
    const int reach = width_of_key() + 2;
    if (right + reach < 0 || left - reach > width_ || bottom + reach < 0 || top - reach > height_)
        return;
    const double cx = left + rx, cy = top + ry;
    const double start = screen_angle(cx, cy, start_x, start_y);
    double span = screen_angle(cx, cy, end_x, end_y) - start;
    while (span <= 1e-9) span += 360.0;
    if (span > 360.0 - 1e-9) span = 360.0;
    if (rx < kSafeCoordinate && ry < kSafeCoordinate && is_safe(cx) && is_safe(cy)) {
        const int start16 = static_cast<int>(std::lround(start * 16.0));
        const int span16 = static_cast<int>(std::lround(span * 16.0));
        if (draw_small_arc(left, top, right, bottom, span >= 360.0 ? 0 : start16,
                           span >= 360.0 ? SmallArcs::kFullTurn : span16))
            return;
        use_pen_on_painter();
        const QRectF box(left, top, right - left, bottom - top);
        if (span >= 360.0) {
            painter_.drawEllipse(box);
        } else {
            painter_.drawArc(box, start16, span16);
        }
        return;
    }
    use_pen_on_painter();
    draw_arc_as_polyline(cx, cy, rx, ry, start, span);
}

// A small arc drawn with the one-pixel pen into the image's pixels: those
// the painter sets for it, placed at its box. Only boxes well inside the
// picture, which the painter's clipping leaves alone.
bool QtSurface::draw_small_arc(int left, int top, int right, int bottom, int start16, int span16) {
    constexpr int kInside = 8;
    const int width = right - left, height = bottom - top;
    if (!lines_direct_ || xor_drawing_ || width > SmallArcs::kLargest ||
        height > SmallArcs::kLargest || left < kInside || top < kInside ||
        right > width_ - kInside || bottom > height_ - kInside)
        return false;
    const std::vector<SmallArcs::Offset>* pixels =
        small_arcs_.kept(width, height, start16, span16, pen_style_);
    if (pixels == nullptr)
        pixels = small_arcs_.learn(width, height, start16, span16, pen_style_, selected_pen());
    if (pixels == nullptr) return false;
    for (const SmallArcs::Offset& at : *pixels) direct_lines_->set_pixel(left + at.x, top + at.y);
    return true;
}

// An arc too large for the painter (at extreme zoom, or with an absurd
// radius) is drawn as a polyline, and only where it passes the client area:
// seen from its far centre the area takes a narrow range of angles.
void QtSurface::draw_arc_as_polyline(double cx, double cy, double rx, double ry, double start,
                                     double span) {
    const QRectF area(-2.0, -2.0, width_ + 4.0, height_ + 4.0);
    const double nearest = std::hypot(cx - std::clamp(cx, area.left(), area.right()),
                                      cy - std::clamp(cy, area.top(), area.bottom()));
    const QPointF corners[4] = {area.topLeft(), area.topRight(), area.bottomLeft(),
                                area.bottomRight()};
    double farthest = 0.0;
    for (const QPointF& c : corners)
        farthest = std::max(farthest, std::hypot(cx - c.x(), cy - c.y()));
    if (std::max(rx, ry) < nearest || std::min(rx, ry) > farthest) return;
    if (nearest == 0.0) {
        add_arc_lines(cx, cy, rx, ry, start, start + span);
        return;
    }
    const double towards = screen_angle(cx, cy, area.center().x(), area.center().y());
    double low = 0.0, high = 0.0;
    for (const QPointF& c : corners) {
        const double off = std::remainder(screen_angle(cx, cy, c.x(), c.y()) - towards, 360.0);
        low = std::min(low, off);
        high = std::max(high, off);
    }
    // The parts of the arc within the area's range of angles, a turn apart.
    const double end = start + span;
    const double first = std::floor((start - (towards + high)) / 360.0);
    for (int turn = 0; turn < 3; ++turn) {
        const double shift = 360.0 * (first + turn);
        const double from = std::max(start, towards + low + shift);
        const double to = std::min(end, towards + high + shift);
        if (from < to) add_arc_lines(cx, cy, rx, ry, from, to);
    }
}

// Lines along the ellipse from angle `from` to `to` (degrees, counter-
// clockwise on the screen), short enough that the chords stay within half a
// pixel of the curve, but never more than a bounded number of them.
void QtSurface::add_arc_lines(double cx, double cy, double rx, double ry, double from, double to) {
    constexpr double kMaxLines = 20000.0;
    const double sweep = (to - from) * std::numbers::pi / 180.0;
    const double step = std::max(2.0 / std::sqrt(std::max(rx, ry)), sweep / kMaxLines);
    const int n = std::max(1, static_cast<int>(std::ceil(sweep / step)));
    const double a0 = from * std::numbers::pi / 180.0;
    double px = cx + rx * std::cos(a0), py = cy - ry * std::sin(a0);
    for (int i = 1; i <= n; ++i) {
        const double a = a0 + sweep * i / n;
        const double x = cx + rx * std::cos(a), y = cy - ry * std::sin(a);
        add_line(px, py, x, y);
        px = x;
        py = y;
    }
}

bool QtSurface::select_font(const FontSpec& font) {
    if (font.height <= 0) return false;
    if (font_selected_ && font == fonts_[font_].wanted) return true;
    auto made = std::find_if(fonts_.begin(), fonts_.end(),
                             [&](const MadeFont& kept) { return kept.wanted == font; });
    if (made == fonts_.end()) {
        if (fonts_.size() >= kKeptFonts) fonts_.clear();
        QFont qfont(font_family_for_face(font.face));
        qfont.setPixelSize(std::min(font.height, kMaxFontPixels));
        qfont.setWeight(static_cast<QFont::Weight>(std::clamp(font.weight, 100, 900)));
        qfont.setKerning(false);
        if (font.stretch != 100) qfont.setStretch(std::clamp(font.stretch, 1, kMaxFontStretch));
        fonts_.push_back({font, qfont});
        made = fonts_.end() - 1;
    }
    font_ = static_cast<std::size_t>(made - fonts_.begin());
    font_selected_ = true;
    vertical_ = !font.face.empty() && font.face.front() == '@';
    return true;
}

void QtSurface::set_text_colour(Rgb colour) { text_colour_ = to_qcolor(colour); }

void QtSurface::text_out(int x, int y, std::string_view text) {
    if (!font_selected_ || text.empty() || !is_safe(x) || !is_safe(y)) return;
    flush();
    MadeFont& made = fonts_[font_];
    // On an image only the pen, font and transformation are set, and the
    // transformation put back by hand: saving and restoring the painter's
    // whole state costs more than a small text. Other devices (pages) keep
    // the text's state within a saved one.
    const bool on_image = direct_lines_ != nullptr;
    const QTransform outer = painter_.worldTransform();
    const bool outer_enabled = painter_.worldMatrixEnabled();
    if (!on_image) painter_.save();
    const bool clipped = on_image && kept_rows_.isValid();
    if (clipped) painter_.setClipRect(kept_rows_);
    painter_.setPen(text_colour_);
    painter_.setFont(made.font);
    painter_.translate(x, y);
    painter_.rotate(-made.wanted.escapement / 10.0);
    if (made.wanted.mirrored && !vertical_) painter_.scale(-1.0, 1.0);
    if (vertical_) {
        draw_vertical_text(made.font, text);
    } else {
        if (made.ascent < 0.0) made.ascent = QFontMetricsF(made.font).ascent();
        painter_.drawText(QPointF(0.0, made.ascent), to_qstring(text));
    }
    if (!on_image) {
        painter_.restore();
        return;
    }
    painter_.setWorldTransform(outer);
    painter_.setWorldMatrixEnabled(outer_enabled);
    if (clipped) painter_.setClipping(false);
    painter_pen_current_ = false;
}

// The vertical-writing face: each double-byte character is turned a quarter
// turn counter-clockwise against the direction of the text and stands in a
// square cell, so that a text running downward shows upright characters.
// Single-byte characters follow the direction of the text unturned.
void QtSurface::draw_vertical_text(const QFont& font, std::string_view text) {
    const QFontMetricsF metrics(font);
    const double cell = font.pixelSize();
    double pos = 0.0;
    std::size_t i = 0;
    while (i < text.size()) {
        const std::size_t n =
            (is_lead_byte(static_cast<unsigned char>(text[i])) && i + 1 < text.size()) ? 2 : 1;
        const QString glyph = to_qstring(text.substr(i, n));
        if (n == 2) {
            painter_.save();
            painter_.translate(pos + cell / 2.0, cell / 2.0);
            painter_.rotate(-90.0);
            painter_.drawText(QRectF(-cell / 2.0, -cell / 2.0, cell, cell), Qt::AlignCenter, glyph);
            painter_.restore();
            pos += cell;
        } else {
            painter_.drawText(QPointF(pos, metrics.ascent()), glyph);
            pos += metrics.horizontalAdvance(glyph);
        }
        i += n;
    }
}

void QtSurface::set_xor_drawing(bool on) {
    flush();
    xor_drawing_ = on;
    painter_.setCompositionMode(on ? QPainter::RasterOp_SourceXorDestination
                                   : QPainter::CompositionMode_SourceOver);
}

ImagePixels image_pixels(QImage& image) {
    return {reinterpret_cast<std::uint32_t*>(image.bits()), image.width(), image.height(),
            image.bytesPerLine() / 4};
}

ImageSurface::ImageSurface(int width, int height)
    : image_(black_picture(std::max(width, 1), std::max(height, 1))),
      direct_lines_(image_pixels(image_)) {
    painter_.begin(&image_);
    surface_ =
        std::make_unique<QtSurface>(painter_, image_.width(), image_.height(), &direct_lines_);
}

ImageSurface::~ImageSurface() { finish(); }

const QImage& ImageSurface::finish() {
    surface_->flush();
    if (painter_.isActive()) painter_.end();
    return image_;
}

bool ImageSurface::save_png(const std::string& path, ExistingTarget existing) {
    return save_png_whole(finish(), path, existing);
}

}  // namespace zov
