#pragma once
// The pixels the painter sets for an arc or ellipse a few pixels across, with
// a one-pixel pen and without antialiasing, found by letting the painter
// draw it once on a scratch image and kept by box size, angles and pen style.
// A drawing seen whole has thousands of arcs and circles of a pixel or two
// (its blocks' fittings), each of which costs the painter a path, curves and
// a stroke; the same arc placed elsewhere sets the same pixels moved with it.
#include <cstdint>
#include <span>
#include <unordered_map>
#include <vector>

#include <QPen>

#include "render/surface.h"

namespace zov {

class SmallArcs {
public:
    // Boxes at most this many pixels wide and high.
    static constexpr int kLargest = 12;

    struct Offset {
        std::int8_t x;
        std::int8_t y;
    };

    // The pixels set by drawArc (or drawEllipse when `span16` is kFullTurn)
    // of a box `width` x `height` whose top-left corner is (0, 0), with the
    // angles in sixteenths of a degree and a cosmetic one-pixel pen of style
    // `style`; null when they are not kept yet.
    static constexpr int kFullTurn = -1;
    const std::vector<Offset>* kept(int width, int height, int start16, int span16,
                                    PenStyle style) const;
    // The same found by drawing with `pen`, that pen, and kept; null when too
    // many kinds of arc are kept already, the caller then letting the painter
    // draw it.
    const std::vector<Offset>* learn(int width, int height, int start16, int span16, PenStyle style,
                                     const QPen& pen);

private:
    static std::uint64_t key(int width, int height, int start16, int span16, PenStyle style);

    std::unordered_map<std::uint64_t, std::vector<Offset>> kept_;
};

}  // namespace zov
