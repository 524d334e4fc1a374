#include "render/colours.h"

#include <cstdint>

namespace zov {

namespace {

constexpr int kJwStore = 1;

Rgb jw_colour(int number) {
    switch (number) {
        case 1: return {0, 255, 255};
        case 3: return {0, 255, 0};
        case 4: return {255, 255, 0};
        case 5: return {255, 0, 255};
        case 6: return {0, 0, 255};
        case 7: return {255, 0, 0};
        default: return kWhite;
    }
}

// Channel levels of the index colours 10 to 249: High, Medium, Low or zero,
// each derived from the last digit of the number.
enum Level : std::uint8_t { Z, H, M, L };

constexpr Level kIndexLevels[24][3] = {
    {H, Z, Z}, {H, L, L}, {H, M, L}, {H, H, M}, {H, H, Z}, {Z, Z, Z}, {M, H, M}, {L, Z, L},
    {Z, H, Z}, {Z, H, M}, {L, L, H}, {Z, M, H}, {Z, H, H}, {L, H, L}, {M, H, M}, {L, H, L},
    {Z, Z, H}, {L, H, M}, {L, H, L}, {H, L, M}, {H, Z, M}, {H, Z, M}, {H, L, M}, {L, L, H},
};

Rgb index_colour(int number) {
    const int v = (number % 10) * 31;
    const Level* levels = kIndexLevels[number / 10 - 1];
    auto channel = [v](Level level) -> std::uint8_t {
        switch (level) {
            case H: return static_cast<std::uint8_t>((8 * v) % 256);
            case M: return static_cast<std::uint8_t>((4 * v) % 256);
            case L: return static_cast<std::uint8_t>((2 * v) % 256);
            case Z: return 0;
        }
        return 0;
    };
    return {channel(levels[0]), channel(levels[1]), channel(levels[2])};
}

Rgb dxf_colour(int number) {
    static constexpr std::uint8_t kGreys[6] = {240, 200, 160, 120, 80, 40};
    switch (number) {
        case 1: return {255, 0, 0};
        case 2: return {255, 255, 0};
        case 3: return {0, 255, 0};
        case 4: return {0, 255, 255};
        case 5: return {0, 0, 255};
        case 6: return {255, 0, 255};
        default: break;
    }
    if (number >= 10 && number <= 249) return index_colour(number);
    if (number >= 250 && number <= 255) {
        const std::uint8_t grey = kGreys[number - 250];
        return {grey, grey, grey};
    }
    return kWhite;
}

}  // namespace

std::optional<Rgb> screen_colour(int store_kind, int number) {
    if (number == 0 || number == 256) return std::nullopt;
    return store_kind == kJwStore ? jw_colour(number) : dxf_colour(number);
}

}  // namespace zov
