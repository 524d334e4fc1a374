#pragma once
// The code page of a DXF file written before version AC1021 ($DWGCODEPAGE,
// such as ANSI_1252): texts and names in a code page other than Japanese are
// converted to CP932, a character that CP932 cannot hold becoming a
// replacement the caller chooses. ANSI_932 (and unknown code pages) leave the
// bytes as they are.
#include <string>
#include <string_view>

namespace zov {

class LossReport;

// Counts in `lost` every character of UTF-8 `text` that CP932 cannot hold.
void count_characters_cp932_lacks(std::string_view text, LossReport& lost);

// The iconv name of a $DWGCODEPAGE value, or nullptr when its bytes are kept
// (Japanese, plain ASCII, undefined and unknown code pages).
const char* code_page_charset(std::string_view dwg_code_page);

// Follows bytes fed in pieces and tells whether they all read as Shift-JIS
// (CP932): ASCII, half-width katakana, or a lead byte with its trail byte.
class ShiftJisCheck {
public:
    void feed(std::string_view bytes);
    bool failed() const { return !valid_; }
    bool passed() const { return valid_ && !trail_due_; }

private:
    bool valid_ = true;
    bool trail_due_ = false;  // the last byte was a lead byte
};

class CodePageConverter {
public:
    CodePageConverter() = default;
    ~CodePageConverter();
    CodePageConverter(const CodePageConverter&) = delete;
    CodePageConverter& operator=(const CodePageConverter&) = delete;

    // Converts from the code page named by a $DWGCODEPAGE value from now on;
    // a page whose bytes are kept stops any conversion.
    void select(std::string_view dwg_code_page);
    bool active() const { return from_code_page_ != nullptr; }

    // `text` in CP932; an invalid byte or a character CP932 lacks gives
    // `replacement`, and is counted in `lost` when it is given.
    std::string to_cp932(std::string_view text, std::string_view replacement,
                         LossReport* lost = nullptr);

private:
    void* from_code_page_ = nullptr;  // iconv descriptors: the code page to UTF-8,
    void* to_cp932_ = nullptr;        // and UTF-8 to CP932
};

}  // namespace zov
