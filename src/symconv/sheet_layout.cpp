#include "symconv/sheet_layout.h"

#include <algorithm>
#include <cmath>

#include "common/messages.h"
#include "symconv/texts.h"

namespace zov {

namespace {

// Height of an upright paper whose width is w: w / 2 / 0.7071, rounded.
std::int32_t paper_height_for(std::int32_t paper_w) {
    return truncate_to_int32(paper_w / 2.0 / 0.7071 + 0.5);
}

// The width of A4, the sheet of a survey that measured nothing.
constexpr std::int32_t kEmptySheetPaperW = 297;

}  // namespace

void SurveyState::widen(double x, double y) {
    if (!std::isfinite(x) || !std::isfinite(y)) return;
    ext_max_x = std::max(ext_max_x, x);
    ext_max_y = std::max(ext_max_y, y);
    ext_min_x = std::min(ext_min_x, x);
    ext_min_y = std::min(ext_min_y, y);
    seen = true;
}

void SurveyState::take_scale(double denominator) {
    if (std::isfinite(denominator) && denominator > S) S = denominator;
}

std::int32_t truncate_to_int32(double value) {
    if (std::isnan(value)) return 0;
    if (value >= 2147483647.0) return INT32_MAX;
    if (value <= -2147483648.0) return INT32_MIN;
    return static_cast<std::int32_t>(value);
}

SheetLayout normal_layout(const SurveyState& survey) {
    SheetLayout layout;
    const double S = survey.scale();
    if (!survey.seen) {
        layout.paper_w = kEmptySheetPaperW;
        layout.paper_h = paper_height_for(layout.paper_w);
    } else {
        double cell_w = (survey.ext_max_x - survey.ext_min_x) * 1.05;
        double cell_h = (survey.ext_max_y - survey.ext_min_y) * 1.05;
        layout.offset_x = -1.5 * survey.ext_min_x;
        layout.offset_y = -1.5 * survey.ext_min_y;
        if (cell_h / 0.7071 < cell_w) {  // the width decides
            layout.paper_w = truncate_to_int32(cell_w * kColumns / S);
            layout.paper_h = paper_height_for(layout.paper_w);
        } else {
            layout.paper_h = truncate_to_int32(cell_h * kRows / S);
            layout.paper_w = truncate_to_int32(layout.paper_h * 2.0 * 0.7071 + 0.5);
        }
    }
    layout.cell_w = truncate_to_int32(static_cast<double>(layout.paper_w) / kColumns * S + 0.5);
    layout.cell_h = truncate_to_int32(static_cast<double>(layout.paper_h) / kRows * S + 0.5);
    layout.paper_h = paper_height_for(layout.paper_w);
    layout.margin = 0.2 * layout.cell_h;
    layout.paper_name = paper_class_name(layout.paper_w, layout.paper_h);
    return layout;
}

ThumbnailRecord thumbnail_record(const SurveyState& survey) {
    double min_x = survey.seen ? survey.ext_min_x : 0.0;
    double min_y = survey.seen ? survey.ext_min_y : 0.0;
    double dx = survey.seen ? survey.ext_max_x - min_x : 0.0;
    double dy = survey.seen ? survey.ext_max_y - min_y : 0.0;
    if (!(dx > 0)) dx = 1.0;
    if (!(dy > 0)) dy = 1.0;
    double k = std::min(39 / dx * 0.8, 44 / dy * 0.8);
    return {static_cast<float>(min_x + dx / 2), static_cast<float>(min_y + dy / 2),
            static_cast<float>(k)};
}

std::string paper_class_name(std::int32_t paper_w, std::int32_t paper_h) {
    struct PaperClass {
        std::int32_t limit;
        const char* name;
    };
    static const PaperClass kClasses[] = {
        {297, kPaperA4},  {420, kPaperA3},      {594, kPaperA2},  {841, kPaperA1},
        {1189, kPaperA0}, {1682, kPaper2A},     {2378, kPaper3A}, {3364, kPaper4A},
        {4756, kPaper5A}, {100000, kPaper100M},
    };
    for (const PaperClass& paper : kClasses) {
        if (paper_w <= paper.limit) return paper.name;
    }
    return format_text(kPaperSize, static_cast<long>(paper_w), static_cast<long>(paper_h));
}

}  // namespace zov
