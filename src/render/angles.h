#pragma once
// The store keeps angles in degrees; the pass turns them with radians.
#include <array>
#include <bit>
#include <cmath>
#include <cstdint>
#include <numbers>

namespace zov {

inline constexpr double kRadiansPerDegree = std::numbers::pi / 180.0;

// The cosine and sine of angles in degrees, kept for the angles met lately.
// The arcs and texts of a drawing share a few angles (their blocks' arcs and
// texts turned by a few insert rotations), which a pass would otherwise turn
// into a cosine and sine again for every entity. An angle is found by its
// exact bits, so the values are those std::cos and std::sin give.
class AngleCache {
public:
    struct CosSin {
        double cos;
        double sin;
    };

    CosSin of(double degrees) { return of_radians(degrees * kRadiansPerDegree); }

    CosSin of_radians(double radians) {
        const auto bits = std::bit_cast<std::uint64_t>(radians);
        Entry& entry = entries_[(bits * 0x9E3779B97F4A7C15u) >> (64 - kIndexBits)];
        if (!entry.filled || entry.bits != bits)
            entry = {bits, true, {std::cos(radians), std::sin(radians)}};
        return entry.value;
    }

private:
    static constexpr int kIndexBits = 6;
    struct Entry {
        std::uint64_t bits = 0;
        bool filled = false;
        CosSin value{1.0, 0.0};
    };
    std::array<Entry, std::size_t{1} << kIndexBits> entries_{};
};

}  // namespace zov
