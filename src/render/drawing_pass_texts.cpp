// Plain, control-code and spread texts, and the layer sheet's labels.
#include <algorithm>
#include <climits>
#include <cmath>

#include "common/cp932.h"
#include "common/japanese_texts.h"
#include "render/angles.h"
#include "render/drawing_pass.h"
#include "render/record_transform.h"
#include "store/text_metrics.h"

namespace zov {

namespace {

// Texts whose height comes out at this many pixels or fewer are too small to
// read: their boxes are drawn instead.
constexpr int kLargestBoxPixels = 3;
constexpr unsigned char kHalfWidthDot = 0xA5;  // ･
const char* const kFullWidthDot = cp932_text(JaText::FullWidthDot);

std::size_t char_length(std::string_view text, std::size_t i) {
    return is_lead_byte(static_cast<unsigned char>(text[i])) && i + 1 < text.size() ? 2 : 1;
}

// A caret code: "^" followed by one of o, b, B, c, u, d or a digit 1 to 9.
bool is_caret_code(std::string_view text, std::size_t i) {
    if (text[i] != '^' || i + 1 >= text.size()) return false;
    const char code = text[i + 1];
    return code == 'o' || code == 'b' || code == 'B' || code == 'c' || code == 'u' || code == 'd' ||
           (code >= '1' && code <= '9');
}

// How a marked character of a control-code text is drawn: at 0.6 times the
// height, raised by `raise` times the height.
struct Mark {
    bool active = false;
    double raise = 0.0;
};

}  // namespace

void DrawingPass::defer_text(const EntityRecord& text, bool as_plain) {
    // Room for all at the first: the pages are taken only as the texts come,
    // and a pass of many texts copies none of them to a larger buffer.
    if (deferred_texts_.capacity() == 0) deferred_texts_.reserve(kMaxDeferredTexts);
    if (deferred_texts_.size() < kMaxDeferredTexts)
        deferred_texts_.push_back({text, pen_, as_plain});
    else
        draw_text_record(text, as_plain);
}

void DrawingPass::finish() {
    for (const DeferredText& text : deferred_texts_) {
        if (stop_asked()) break;
        use_pen(text.pen.colour, text.pen.style);
        draw_text_record(text.record, text.as_plain);
    }
    deferred_texts_.clear();
}

void DrawingPass::draw_text_record(const EntityRecord& record, bool as_plain) {
    switch (record.kind) {
        case kEntityLayerLabel: {
            LayerRecord layer;  // the name of the layer in the pass's buffer
            layers_.read_layer(buffered_layer_, layer);
            text_ = fixed_text(layer.name);
            break;
        }
        case kEntityFileLabel: text_ = display_file_name(header_); break;
        default: strings_.read_text(record, text_); break;
    }
    const bool vertical = record.text_style % 10 != 0;
    // The layer sheet's labels are the viewer's own, sized by their font.
    const std::int32_t sizing = record.kind == kEntityText ? header_.kind : kSourceJwCad;
    if ((record.flags & kTextEndsAtBase) != 0) {
        // Turned round by a mirroring insert: the text ends at its point.
        EntityRecord started = record;
        const TextStart start = text_start(record, text_advance_width(sizing, record, text_));
        started.x1 = start.x;
        started.y1 = start.y;
        started.flags &= static_cast<std::uint8_t>(~kTextEndsAtBase);
        draw_text_record(started, as_plain);
        return;
    }
    const Point base{record.x1, record.y1};
    if (as_plain || record.kind != kEntityText || record.text_style < 10) {
        draw_plain_text(base, record.text.height, record.text.angle, text_, vertical, sizing,
                        record.text.width_factor, record.flags);
    } else if (record.text_style < 20) {
        draw_control_code_text(record, text_);
    } else {
        draw_spread_text(record, text_);
    }
}

bool DrawingPass::take_text_cover(int left, int top, int right, int bottom) {
    const double width = surface_.width(), height = surface_.height();
    const double covered = std::max(1.0, (std::min<double>(right, width) - std::max(left, 0)) *
                                             (std::min<double>(bottom, height) - std::max(top, 0)));
    if (text_cover_ + covered > kTextCoverBudget * std::max(1.0, width * height)) {
        ++texts_boxed_;
        return false;
    }
    text_cover_ += covered;
    return true;
}

void DrawingPass::draw_plain_text(Point base, double height, double angle, std::string_view text,
                                  bool vertical, std::int32_t sizing, double width_factor,
                                  std::uint8_t flags) {
    const AngleCache::CosSin turn = angles_.of(angle);
    const double sin_a = turn.sin, cos_a = turn.cos;
    const double up = text_ascent(sizing, height);
    const bool proportional = (flags & kTextProportional) != 0;
    const double width = text_advance_width(sizing, height, width_factor, text, proportional);
    const Point top_left{base.x - up * sin_a, base.y + up * cos_a};
    const Point top_right{top_left.x + width * cos_a, top_left.y + width * sin_a};
    const Point bottom_right{base.x + width * cos_a, base.y + width * sin_a};

    // A text is skipped only when its whole box lies off the client area;
    // one partly inside is drawn and clipped by the surface.
    int left = INT_MAX, right = INT_MIN, top = INT_MAX, bottom = INT_MIN;
    PixelPoint corners[4];  // base, top left, top right, bottom right
    int k = 0;
    for (const Point& corner : {base, top_left, top_right, bottom_right}) {
        const int x = view_.pixel_x(corner.x), y = view_.pixel_y(corner.y);
        corners[k++] = {x, y};
        left = std::min(left, x), right = std::max(right, x);
        top = std::min(top, y), bottom = std::max(bottom, y);
    }
    if (right < 0 || left > surface_.width() || bottom < 0 || top > surface_.height()) return;

    if (view_.pixels(height) > kLargestBoxPixels && take_text_cover(left, top, right, bottom)) {
        // The face's own half-width character is half the font height wide;
        // each kind of character is stretched to its advance.
        const double half_width = text_font_height(sizing, height) * kHalfWidthPerFont;
        const bool backward = (flags & kTextBackward) != 0 && !vertical;
        auto font_stretched_to = [&](double advance_per_half_width) {
            return FontSpec{vertical ? kVerticalGothicFace : kGothicFace,
                            view_.pixels(text_font_height(sizing, height)),
                            truncate_to_pixel(std::fmod(angle, 360.0) * 10.0),
                            400,
                            truncate_to_pixel(advance_per_half_width * 100.0 + 0.5),
                            backward};
        };
        // A run from `along` on: backward texts run from the box's far end.
        auto run_x = [&](double along) {
            return view_.pixel_x(top_left.x + (backward ? width - along : along) * cos_a);
        };
        auto run_y = [&](double along) {
            return view_.pixel_y(top_left.y + (backward ? width - along : along) * sin_a);
        };
        const FontSpec one_byte =
            font_stretched_to(text_byte_advance(sizing, height, width_factor) / half_width);
        const FontSpec double_byte = font_stretched_to(
            text_double_byte_advance(sizing, height, width_factor) / (2.0 * half_width));
        if (vertical || (one_byte == double_byte && !proportional)) {
            if (!surface_.select_font(double_byte)) return;
            surface_.set_text_colour(pen_.colour);
            surface_.text_out(run_x(0.0), run_y(0.0), text);
            return;
        }
        // Runs of one-byte and of double-byte characters, each placed at its
        // own distance along the base line.
        double along = 0.0;
        for (std::size_t i = 0; i < text.size();) {
            const bool wide = char_length(text, i) == 2;
            std::size_t end = i;
            while (end < text.size() && (char_length(text, end) == 2) == wide)
                end += char_length(text, end);
            const std::string_view run = text.substr(i, end - i);
            const double advance =
                text_advance_width(sizing, height, width_factor, run, proportional);
            // A proportional run: the face's characters stretched alike so
            // that the run is as long as the proportional advances make it.
            const FontSpec font =
                wide ? double_byte
                : proportional
                    ? font_stretched_to(advance / (static_cast<double>(run.size()) * half_width))
                    : one_byte;
            if (!surface_.select_font(font)) return;
            surface_.set_text_colour(pen_.colour);
            surface_.text_out(run_x(along), run_y(along), run);
            along += advance;
            i = end;
        }
        return;
    }
    // Too small to read: the outline of the text's box.
    surface_.move_to(corners[0].x, corners[0].y);
    for (const int c : {1, 2, 3, 0}) surface_.line_to(corners[c].x, corners[c].y);
}

// Draws the text in pieces between caret codes; the pen position advances
// half a height per byte drawn and is moved back by the back-step codes.
// ^o, ^u and ^d draw the next character alone, small and raised or lowered.
void DrawingPass::draw_control_code_text(const EntityRecord& record, std::string_view bytes) {
    const double h = record.text.height, angle = record.text.angle;
    const bool vertical = record.text_style % 10 != 0;
    const double ux = std::cos(angle * kRadiansPerDegree), uy = std::sin(angle * kRadiansPerDegree);
    Point pen{record.x1, record.y1};
    auto advance = [&](double distance) {
        pen.x += distance * ux;
        pen.y += distance * uy;
    };
    std::size_t piece_start = 0;
    auto draw_piece = [&](std::size_t end) {
        const std::string_view piece = bytes.substr(piece_start, end - piece_start);
        if (piece.empty()) return;
        draw_plain_text(pen, h, angle, piece, vertical, header_.kind);
        advance(static_cast<double>(piece.size()) * h / 2.0);
    };

    Mark mark;
    std::size_t i = 0;
    while (i < bytes.size()) {
        if (is_caret_code(bytes, i)) {
            const std::size_t piece_length = i - piece_start;
            draw_piece(i);
            switch (bytes[i + 1]) {
                case 'b':
                case 'B':
                case 'c': {
                    const bool ends_double =
                        piece_length > 2 && is_lead_byte(static_cast<unsigned char>(bytes[i - 2]));
                    advance(ends_double ? -1.2 * h / 2.0 : -(h / 2.0) / 1.7);
                    break;
                }
                case 'o':
                    advance(-h);
                    mark = {true, 0.17};
                    break;
                case 'u': mark = {true, 0.4}; break;
                case 'd': mark = {true, 0.0}; break;
                default: break;  // ^1 to ^9 only break the piece
            }
            i += 2;
            piece_start = i;
            continue;
        }
        const std::size_t n = char_length(bytes, i);
        if (mark.active) {
            draw_piece(i);
            const double raise = mark.raise * h;
            const Point at{pen.x - raise * uy, pen.y + raise * ux};
            draw_plain_text(at, 0.6 * h, angle, bytes.substr(i, n), vertical, header_.kind);
            advance(static_cast<double>(n) * h / 2.0);
            mark = Mark{};
            i += n;
            piece_start = i;
            continue;
        }
        i += n;
    }
    draw_piece(bytes.size());
}

// JW_CAD's equal-spacing text: the dot markers at the end say how much wider
// than normal to space the characters; each character is drawn by itself.
void DrawingPass::draw_spread_text(const EntityRecord& record, std::string_view bytes) {
    std::size_t markers = 0;
    if (!bytes.empty() && static_cast<unsigned char>(bytes.back()) == kHalfWidthDot) markers = 1;
    for (std::size_t i = 0; i < bytes.size(); i += char_length(bytes, i)) {
        if (bytes.substr(i, 2) == kFullWidthDot) markers += 2;
    }
    const std::size_t kept = markers >= bytes.size() ? 0 : bytes.size() - markers;
    const std::string_view marked = bytes.substr(0, safe_prefix_length(bytes, kept));

    std::string characters;
    std::size_t count = 0;
    for (std::size_t i = 0; i < marked.size();) {
        if (is_caret_code(marked, i)) {
            i += 2;
            continue;
        }
        const std::size_t n = char_length(marked, i);
        characters.append(marked.substr(i, n));
        ++count;
        i += n;
    }

    const double h = record.text.height, angle = record.text.angle;
    const bool vertical = record.text_style % 10 != 0;
    const double pitch =
        h / 2.0 + (count > 1 ? static_cast<double>(markers) * (h / 2.0) / (count - 1.0) : 0.0);
    const double ux = std::cos(angle * kRadiansPerDegree), uy = std::sin(angle * kRadiansPerDegree);
    Point at{record.x1, record.y1};
    const std::string_view spread = characters;
    for (std::size_t i = 0; i < spread.size();) {
        const std::size_t n = char_length(spread, i);
        draw_plain_text(at, h, angle, spread.substr(i, n), vertical, header_.kind);
        const double step = pitch + (n == 2 ? h / 2.0 : 0.0);
        at.x += step * ux;
        at.y += step * uy;
        i += n;
    }
}

}  // namespace zov
