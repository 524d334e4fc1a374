#pragma once
// The survey of the symbol files and the layout of the sheet computed from it.
#include <cstdint>
#include <string>

namespace zov {

// Extents and scale gathered by a pass over the symbol files.
struct SurveyState {
    double ext_max_x = 0;
    double ext_max_y = 0;
    double ext_min_x = 10000000;
    double ext_min_y = 10000000;
    double S = 0;       // largest scale denominator (count-block field 9) seen
    bool seen = false;  // some element has widened the extents

    void reset() { *this = SurveyState(); }
    // Widens the extents with a point; a coordinate that is not a finite
    // number cannot be drawn and is passed over.
    void widen(double x, double y);
    // Takes a symbol's scale denominator when it is the largest so far.
    void take_scale(double denominator);
    // The scale in force: S, or 1 while no symbol gave a scale above 0, so
    // that sizes never become 0 and the layout never divides by 0.
    double scale() const { return S > 0 ? S : 1.0; }
};

// The grid of the normal layout: 9 cells across, 5 down.
struct SheetLayout {
    double cell_w = 0;
    double cell_h = 0;
    double offset_x = 0;  // moves symbols with negative coordinates into their cell
    double offset_y = 0;
    double margin = 0;         // distance of the grid from the origin, in x and y
    std::int32_t paper_w = 0;  // paper size in millimetres
    std::int32_t paper_h = 0;
    std::string paper_name;  // CP932, for the summary
};

inline constexpr int kColumns = 9;
inline constexpr int kRows = 5;
inline constexpr int kThumbnailColumns = 10;
// The thumbnail layout's A3 sheet.
inline constexpr std::int32_t kThumbnailPaperW = 420;
inline constexpr std::int32_t kThumbnailPaperH = 297;

// The normal layout for the extents and scale of a survey. Without any element
// (an empty folder, or symbols without elements) the sheet is an A4 paper of
// empty cells at the scale in force.
SheetLayout normal_layout(const SurveyState& survey);

// One record of the thumbnail scratch file JWK_BRO.TMP: the centre of a
// symbol's extents and the factor that fits it into its cell.
struct ThumbnailRecord {
    float cx;
    float cy;
    float k;
};
static_assert(sizeof(ThumbnailRecord) == 12);

// The thumbnail record for the extents of one symbol; a symbol without any
// element is centred at the origin.
ThumbnailRecord thumbnail_record(const SurveyState& survey);

// The summary's paper name: the first paper class (Ａ４ ... 横幅100M) whose
// limit `paper_w` does not exceed, else "W×H".
std::string paper_class_name(std::int32_t paper_w, std::int32_t paper_h);

// Truncation toward zero into int32, clamped at its limits (not-a-number
// gives 0), so that absurd extents never overflow the conversion.
std::int32_t truncate_to_int32(double value);

}  // namespace zov
