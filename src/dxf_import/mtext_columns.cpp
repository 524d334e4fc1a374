#include "dxf_import/mtext_columns.h"

namespace zov {

namespace {

// Column heights kept, at most.
constexpr std::size_t kMaxColumnHeights = 100;

// Keys of the extended data, named after the entity groups they stand for.
constexpr int kTypeKey = 75;
constexpr int kWidthKey = 48;
constexpr int kGutterKey = 49;
constexpr int kHeightsKey = 50;
constexpr int kDefinedHeightKey = 46;

double finite_or_zero(double value) { return value == value && value < 1e300 ? value : 0.0; }

}  // namespace

double MtextColumns::height(std::size_t column) const {
    const double own = column < heights.size() ? heights[column] : 0.0;
    return own > 0.0 ? own : defined_height > 0.0 ? defined_height : 0.0;
}

void MtextColumnReader::take_key_value(int key, double value) {
    value = finite_or_zero(value);
    switch (key) {
        case kTypeKey: columns_.columned = value != 0.0; break;
        case kWidthKey: columns_.width = value; break;
        case kGutterKey: columns_.gutter = value; break;
        case kDefinedHeightKey: columns_.defined_height = value; break;
        default: break;
    }
}

bool MtextColumnReader::take(int code, double real, bool embedded) {
    if (code >= 1000) {
        if (code == 1000 || code == 1001) {  // a marker or the next application's data
            key_ = 0;
            heights_left_ = 0;
            return true;
        }
        if (code != 1070 && code != 1040) return false;
        if (heights_left_ > 0) {
            if (code == 1040) {
                --heights_left_;
                if (columns_.heights.size() < kMaxColumnHeights)
                    columns_.heights.push_back(finite_or_zero(real));
            }
            return true;
        }
        if (key_ == 0) {
            key_ = code == 1070 && real > 0 && real < 1000 ? static_cast<int>(real) : 0;
            return true;
        }
        if (key_ == kHeightsKey)
            heights_left_ = real > 0 && real < 1e6 ? static_cast<int>(real) : 0;
        else
            take_key_value(key_, real);
        key_ = 0;
        return true;
    }
    if (embedded) {
        switch (code) {
            case 71: take_key_value(kTypeKey, real); return true;
            case 44: take_key_value(kWidthKey, real); return true;
            case 45: take_key_value(kGutterKey, real); return true;
            case 41: take_key_value(kDefinedHeightKey, real); return true;
            case 46:
                if (columns_.heights.size() < kMaxColumnHeights)
                    columns_.heights.push_back(finite_or_zero(real));
                return true;
            default: return false;
        }
    }
    switch (code) {
        case 75: take_key_value(kTypeKey, real); return true;
        case 48: take_key_value(kWidthKey, real); return true;
        case 49: take_key_value(kGutterKey, real); return true;
        case 46: take_key_value(kDefinedHeightKey, real); return true;
        default: return false;
    }
}

}  // namespace zov
