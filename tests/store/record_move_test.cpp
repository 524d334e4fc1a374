#include <gtest/gtest.h>

#include <array>

#include "store/record_move.h"

namespace zov {
namespace {

// A record of `kind` whose eight reals are 1 to 8 (x1 1, y1 2, then the six).
EntityRecord numbered(std::int32_t kind) {
    EntityRecord e;
    e.kind = kind;
    double value = 1;
    for (double* real : all_reals(e)) *real = value++;
    return e;
}

std::array<double, 8> reals_of(const EntityRecord& e) {
    std::array<double, 8> values{};
    for (std::size_t i = 0; i < values.size(); ++i) values[i] = *all_reals(e)[i];
    return values;
}

// Which of the eight reals move and scale, per kind: x (1), y (2), untouched
// (0); for scaling also a length (3), which scales but does not move.
TEST(RecordMove, EachKindMovesAndScalesItsOwnPointsAndLengths) {
    const struct {
        std::int32_t kind;
        std::array<int, 8> role;
    } cases[] = {
        {kEntityLine, {1, 2, 1, 2, 0, 0, 0, 0}},
        {kEntityLeader, {1, 2, 1, 2, 0, 0, 0, 0}},
        {kEntitySolid, {1, 2, 1, 2, 1, 1, 2, 2}},
        {kEntityArc, {1, 2, 0, 0, 3, 0, 0, 0}},     // the radius
        {kEntityText, {1, 2, 0, 3, 0, 0, 0, 0}},    // the height
        {kEntityInsert, {1, 2, 0, 0, 0, 0, 0, 0}},  // scales and rotation stay
        {kEntityPoint, {1, 2, 0, 0, 0, 0, 0, 0}},
    };
    for (const auto& c : cases) {
        const EntityRecord original = numbered(c.kind);
        EntityRecord moved = original;
        move_record(moved, 10, 100);
        EntityRecord scaled = original;
        scale_record(scaled, 2);
        const std::array<double, 8> before = reals_of(original);
        const std::array<double, 8> after_move = reals_of(moved);
        const std::array<double, 8> after_scale = reals_of(scaled);
        for (std::size_t i = 0; i < 8; ++i) {
            const int role = c.role[i];
            const double shift = role == 1 ? 10 : role == 2 ? 100 : 0;
            EXPECT_EQ(after_move[i], before[i] + shift) << "kind " << c.kind << " real " << i;
            EXPECT_EQ(after_scale[i], role == 0 ? before[i] : 2 * before[i])
                << "kind " << c.kind << " real " << i;
        }
    }
}

}  // namespace
}  // namespace zov
