#include "symconv/jws_drawing.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <vector>

#include "symconv/converter_settings.h"
#include "symconv/jww_pens.h"

namespace zov {

namespace {

// Round solids: pen style 101 and above reuse the corners as centre, radius,
// flattening, tilt, start, sweep and variant.
constexpr std::uint8_t kFirstRoundSolid = 101;
constexpr double kWholeRoundSolid = 100;  // variant of a whole disc or ring

// An affine map: x' = xx x + xy y + dx, y' = yx x + yy y + dy.
struct Placement {
    double xx = 1, xy = 0, yx = 0, yy = 1, dx = 0, dy = 0;

    ChainPoint at(double x, double y) const { return {xx * x + xy * y + dx, yx * x + yy * y + dy}; }
    // A direction or length, which moves with the map but is not shifted.
    ChainPoint along(double x, double y) const { return {xx * x + xy * y, yx * x + yy * y}; }
    // This map applied after `inner`.
    Placement after(const Placement& inner) const {
        const ChainPoint shift = at(inner.dx, inner.dy);
        return {xx * inner.xx + xy * inner.yx,
                xx * inner.xy + xy * inner.yy,
                yx * inner.xx + yy * inner.yx,
                yx * inner.xy + yy * inner.yy,
                shift.x,
                shift.y};
    }
};

// An entity at the top of the file: from the symbol's origin, full size.
Placement group_placement(const JwwHeader& header, std::uint16_t group) {
    const double s = jws_group_scale(header, group);
    return {s, 0, 0, s, -s * header.origin_x, -s * header.origin_y};
}

// A block's contents where an insert puts them: scaled, turned, then moved.
Placement insert_placement(const JwwInsert& insert) {
    const double c = std::cos(insert.angle), s = std::sin(insert.angle);
    return {c * insert.scale_x, -s * insert.scale_y,
            s * insert.scale_x, c * insert.scale_y,
            insert.x,           insert.y};
}

bool finite(std::initializer_list<double> values) {
    return std::all_of(values.begin(), values.end(), [](double v) { return std::isfinite(v); });
}

double degrees(double radians) { return radians / kRadiansPerDegreeToElevenDecimals; }

// An angle in degrees within [0, 360).
double within_turn(double angle) {
    angle = std::fmod(angle, 360.0);
    return angle < 0 ? angle + 360 : angle;
}

class Drawer {
public:
    Drawer(const JwsSymbol& symbol, const ConverterSettings& settings, ElementSink& sink)
        : symbol_(symbol), settings_(settings), sink_(sink) {}

    // The contents of the top of the file (`block` null: each entity placed
    // by its layer group) or of a block (all placed by `block`).
    void draw(const JwsContents& contents, const Placement* block) {
        for (const JwwLine& e : contents.lines)
            if (take()) line(e, place(e.base, block));
        for (const JwwArc& e : contents.arcs)
            if (take()) arc(e, jww_pen(settings_, e.base), place(e.base, block));
        for (const JwwPoint& e : contents.points)
            if (take()) point(e, place(e.base, block));
        for (const JwwText& e : contents.texts)
            if (take()) text(e, place(e.base, block));
        for (const JwwSolid& e : contents.solids)
            if (take()) solid(e, place(e.base, block));
        for (const JwwInsert& e : contents.inserts)
            if (take()) insert(e, place(e.base, block));
    }

    JwsDrawingCounts counts;

private:
    Placement place(const JwwEntityBase& base, const Placement* block) const {
        return block != nullptr ? *block : group_placement(symbol_.header, base.group);
    }

    // Counts one more element; false once the limit is reached.
    bool take() {
        if (counts.elements >= kJwsElementLimit) {
            counts.cut = true;
            return false;
        }
        ++counts.elements;
        return true;
    }

    void line(const JwwLine& e, const Placement& p) {
        const ChainPoint a = p.at(e.start_x, e.start_y), b = p.at(e.end_x, e.end_y);
        if (!finite({a.x, a.y, b.x, b.y})) return left_out();
        sink_.line(jww_pen(settings_, e.base), a.x, a.y, b.x, b.y);
    }

    void arc(const JwwArc& e, const DxfPen& pen, const Placement& p) {
        const double r = e.radius, k = e.flattening;
        const double c = std::cos(e.tilt), s = std::sin(e.tilt);
        const ChainPoint centre = p.at(e.centre_x, e.centre_y);
        const ChainPoint u = p.along(r * c, r * s), v = p.along(-r * k * s, r * k * c);
        EllipseArc shape;
        shape.axes = {centre.x, centre.y, u.x, u.y, v.x, v.y};
        double start = degrees(e.start), sweep = degrees(e.sweep);
        if (!finite({centre.x, centre.y, u.x, u.y, v.x, v.y, start, sweep})) return left_out();
        if (!e.full) {
            if (sweep == 0) return;  // an arc of no length
            if (sweep < 0) {         // a clockwise sweep covers the same arc counter-clockwise
                start += sweep;
                sweep = -sweep;
            }
            if (sweep < 360) {
                shape.start = within_turn(start);
                shape.end = shape.start + sweep;
            }
        }
        sink_.curve(pen, shape);
    }

    void point(const JwwPoint& e, const Placement& p) {
        const ChainPoint at = p.at(e.x, e.y);
        if (!finite({at.x, at.y})) return left_out();
        sink_.point(jww_pen(settings_, e.base), at.x, at.y);
        ++counts.points;
    }

    void text(const JwwText& e, const Placement& p) {
        TextRun run;
        run.vertical = (e.base.flags & kJwwTextVertical) != 0;
        const ChainPoint direction = text_direction(e, run.vertical);
        const ChainPoint along = p.along(direction.x, direction.y);
        const ChainPoint across = p.along(-direction.y, direction.x);
        const double along_length = std::hypot(along.x, along.y);
        const double across_length = std::hypot(across.x, across.y);
        const ChainPoint start = p.at(e.start_x, e.start_y), end = p.at(e.end_x, e.end_y);
        run.x = start.x;
        run.y = start.y;
        run.end_x = end.x;
        run.end_y = end.y;
        run.height = e.height * across_length * settings_.text_size_percent / 100.0;
        // A full-width character is `width` wide where the font draws it
        // about as wide as high.
        if (e.width > 0 && e.height > 0)
            run.width_factor = e.width / e.height * along_length / across_length;
        run.angle = within_turn(degrees(std::atan2(along.y, along.x)));
        run.colour = jww_text_colour(settings_, e);
        if (run.vertical) {
            // The column starts at its left edge in JW_CAD, at its middle in DXF.
            run.x += along.x / along_length * run.height / 2;
            run.y += along.y / along_length * run.height / 2;
        }
        if (!finite({run.x, run.y, run.end_x, run.end_y, run.height, run.width_factor, run.angle}))
            return left_out();
        sink_.text(run, e.text);
    }

    // The unit direction (in the file's coordinates) that a DXF text's angle
    // gives: along the run from start to end, for a vertical text (written
    // top to bottom) a quarter turn further, as for .jwk texts; along the
    // stored angle when the run has no length.
    static ChainPoint text_direction(const JwwText& e, bool vertical) {
        const double dx = e.end_x - e.start_x, dy = e.end_y - e.start_y;
        const double length = std::hypot(dx, dy);
        if (!(length > 0) || !std::isfinite(length)) {
            const double a = e.angle * kRadiansPerDegreeToElevenDecimals;
            return {std::cos(a), std::sin(a)};
        }
        return vertical ? ChainPoint{-dy / length, dx / length}
                        : ChainPoint{dx / length, dy / length};
    }

    void solid(const JwwSolid& e, const Placement& p) {
        const int colour = jww_solid_colour(settings_, e);
        if (e.base.pen_style >= kFirstRoundSolid) {
            // A disc, sector, segment or ring: its outer outline.
            JwwArc outline;
            outline.centre_x = e.x[0];
            outline.centre_y = e.y[0];
            outline.radius = e.x[1];
            outline.flattening = e.y[1];
            outline.tilt = e.x[2];
            outline.start = e.y[2];
            outline.sweep = e.x[3];
            outline.full = e.y[3] == kWholeRoundSolid;
            return arc(outline, DxfPen{jww_line_type_name(1), colour}, p);
        }
        std::array<ChainPoint, 4> corners;
        for (std::size_t i = 0; i < corners.size(); ++i) {
            corners[i] = p.at(e.x[i], e.y[i]);
            if (!finite({corners[i].x, corners[i].y})) return left_out();
        }
        sink_.solid(colour, corners);
    }

    void insert(const JwwInsert& e, const Placement& p) {
        const JwsContents* block = symbol_.block(e.block_number);
        if (block == nullptr) return;
        if (open_.size() >= static_cast<std::size_t>(kJwwMaxBlockNesting) ||
            std::find(open_.begin(), open_.end(), e.block_number) != open_.end()) {
            ++counts.inserts_left_out;
            return;
        }
        const Placement inner = p.after(insert_placement(e));
        open_.push_back(e.block_number);
        draw(*block, &inner);
        open_.pop_back();
    }

    void left_out() { ++counts.non_finite; }

    const JwsSymbol& symbol_;
    const ConverterSettings& settings_;
    ElementSink& sink_;
    std::vector<std::uint32_t> open_;  // numbers of the blocks being drawn, outermost first
};

}  // namespace

JwsDrawingCounts draw_jws_symbol(const JwsSymbol& symbol, const ConverterSettings& settings,
                                 ElementSink& sink) {
    Drawer drawer(symbol, settings, sink);
    drawer.draw(symbol.top, nullptr);
    return drawer.counts;
}

}  // namespace zov
