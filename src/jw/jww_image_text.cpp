#include "jw/jww_image_text.h"

#include <cmath>
#include <cstdlib>

#include "common/cp932.h"

namespace zov {

namespace {

constexpr std::string_view kImageMark = "^@BM";

// The number at the start of `field`; none unless it is positive and finite.
std::optional<double> positive_number(std::string_view field) {
    const std::string digits(field);
    char* end = nullptr;
    const double value = std::strtod(digits.c_str(), &end);
    if (end == digits.c_str() || !std::isfinite(value) || value <= 0) return std::nullopt;
    return value;
}

}  // namespace

std::optional<JwwImageText> parse_jww_image_text(std::string_view text) {
    if (!text.starts_with(kImageMark)) return std::nullopt;
    text.remove_prefix(kImageMark.size());
    const std::size_t first = text.find(',');
    if (first == std::string_view::npos) return std::nullopt;
    const std::size_t second = text.find(',', first + 1);
    if (second == std::string_view::npos) return std::nullopt;
    const std::optional<double> width = positive_number(text.substr(first + 1));
    const std::optional<double> height = positive_number(text.substr(second + 1));
    if (!width || !height) return std::nullopt;
    return JwwImageText{name_without_folders(text.substr(0, first)), *width, *height};
}

}  // namespace zov
