// Layout arithmetic of the sheet and the paper classes of the summary.
#include <gtest/gtest.h>

#include <limits>

#include "common/encoding.h"
#include "symconv/sheet_layout.h"
#include "symconv/texts.h"

namespace zov {
namespace {

SurveyState survey_of(double min_x, double min_y, double max_x, double max_y, double scale) {
    SurveyState survey;
    survey.widen(min_x, min_y);
    survey.widen(max_x, max_y);
    survey.take_scale(scale);
    return survey;
}

TEST(SheetLayout, WidthDecidesForAWideSymbol) {
    SheetLayout l = normal_layout(survey_of(-10, -5, 30, 15, 1));
    EXPECT_EQ(l.paper_w, 378);
    EXPECT_EQ(l.paper_h, 267);
    EXPECT_EQ(l.cell_w, 42);
    EXPECT_EQ(l.cell_h, 53);
    EXPECT_DOUBLE_EQ(l.offset_x, 15);
    EXPECT_DOUBLE_EQ(l.offset_y, 7.5);
    EXPECT_DOUBLE_EQ(l.margin, 10.6);
    EXPECT_EQ(l.paper_name, kPaperA3);
}

TEST(SheetLayout, HeightDecidesForATallSymbolAtItsScale) {
    // cell 105 x 210 at 1/10: paper_h = trunc(210 x 5 / 10) = 105, paper_w = trunc(148.99) = 148
    SheetLayout l = normal_layout(survey_of(0, 0, 100, 200, 10));
    EXPECT_EQ(l.paper_w, 148);
    EXPECT_EQ(l.cell_w, 164);   // trunc(148 / 9 x 10 + 0.5)
    EXPECT_EQ(l.cell_h, 210);   // trunc(105 / 5 x 10 + 0.5)
    EXPECT_EQ(l.paper_h, 105);  // trunc(148 / 2 / 0.7071 + 0.5)
    EXPECT_EQ(l.paper_name, kPaperA4);
}

TEST(SheetLayout, PaperClassesByWidth) {
    EXPECT_EQ(paper_class_name(297, 210), kPaperA4);
    EXPECT_EQ(paper_class_name(298, 210), kPaperA3);
    EXPECT_EQ(paper_class_name(1189, 0), kPaperA0);
    EXPECT_EQ(paper_class_name(4757, 0), kPaper100M);
    EXPECT_EQ(paper_class_name(100001, 70711), utf8_to_cp932("100001×70711"));
}

TEST(SheetLayout, AbsurdExtentsAndScalesStayFinite) {
    SheetLayout huge = normal_layout(survey_of(-3e38, -3e38, 3e38, 3e38, 1e-30));
    EXPECT_EQ(huge.paper_w, std::numeric_limits<std::int32_t>::max());  // clamped, not overflowed
    EXPECT_EQ(huge.paper_h, 1518514812);
    EXPECT_EQ(huge.cell_w, 0);
    SurveyState nan;
    nan.widen(std::numeric_limits<double>::quiet_NaN(), 1);
    nan.widen(std::numeric_limits<double>::infinity(), 1);
    nan.take_scale(std::numeric_limits<double>::infinity());
    EXPECT_FALSE(nan.seen);
    EXPECT_DOUBLE_EQ(nan.scale(), 1.0);
    EXPECT_EQ(truncate_to_int32(1e300), 2147483647);
    EXPECT_EQ(truncate_to_int32(-1e300), -2147483647 - 1);
    EXPECT_EQ(truncate_to_int32(std::numeric_limits<double>::quiet_NaN()), 0);
    EXPECT_EQ(normal_layout(survey_of(-10, -5, 30, 15, 0)).cell_w, 42);  // scale 0 counts as 1
}

TEST(ThumbnailRecord, FitsTheExtentsAndCentresEmptySymbols) {
    ThumbnailRecord wide = thumbnail_record(survey_of(0, 0, 100, 50, 1));
    EXPECT_FLOAT_EQ(wide.cx, 50);
    EXPECT_FLOAT_EQ(wide.cy, 25);
    EXPECT_FLOAT_EQ(wide.k, 0.312f);
    ThumbnailRecord single = thumbnail_record(survey_of(5, 5, 5, 5, 1));
    EXPECT_FLOAT_EQ(single.cx, 5.5f);  // a zero extent counts as 1
    EXPECT_FLOAT_EQ(single.k, 31.2f);
    ThumbnailRecord empty = thumbnail_record(SurveyState());
    EXPECT_FLOAT_EQ(empty.cx, 0.5f);
    EXPECT_FLOAT_EQ(empty.cy, 0.5f);
}

}  // namespace
}  // namespace zov
