#include "dxf/code_page.h"

#include <iconv.h>

#include <cerrno>
#include <cstring>

#include "common/cp932.h"
#include "common/loss_report.h"
#include "common/paths.h"

namespace zov {

namespace {

struct CodePage {
    std::string_view name;  // as $DWGCODEPAGE writes it
    const char* charset;    // iconv's name
};

// The code pages of the DXF reference; the Japanese ones are the programs' own.
constexpr CodePage kCodePages[] = {
    {"ANSI_874", "CP874"},       {"ANSI_936", "CP936"},       {"ANSI_949", "CP949"},
    {"ANSI_950", "CP950"},       {"ANSI_1250", "CP1250"},     {"ANSI_1251", "CP1251"},
    {"ANSI_1252", "CP1252"},     {"ANSI_1253", "CP1253"},     {"ANSI_1254", "CP1254"},
    {"ANSI_1255", "CP1255"},     {"ANSI_1256", "CP1256"},     {"ANSI_1257", "CP1257"},
    {"ANSI_1258", "CP1258"},     {"ANSI_1361", "JOHAB"},      {"DOS437", "CP437"},
    {"DOS850", "CP850"},         {"DOS852", "CP852"},         {"DOS855", "CP855"},
    {"DOS857", "CP857"},         {"DOS860", "CP860"},         {"DOS861", "CP861"},
    {"DOS863", "CP863"},         {"DOS864", "CP864"},         {"DOS865", "CP865"},
    {"DOS866", "CP866"},         {"DOS869", "CP869"},         {"ISO8859-1", "ISO-8859-1"},
    {"ISO8859-2", "ISO-8859-2"}, {"ISO8859-3", "ISO-8859-3"}, {"ISO8859-4", "ISO-8859-4"},
    {"ISO8859-5", "ISO-8859-5"}, {"ISO8859-6", "ISO-8859-6"}, {"ISO8859-7", "ISO-8859-7"},
    {"ISO8859-8", "ISO-8859-8"}, {"ISO8859-9", "ISO-8859-9"}, {"BIG5", "BIG5"},
    {"GB2312", "GB2312"},        {"KSC5601", "CP949"},        {"JOHAB", "JOHAB"},
    {"MACINTOSH", "MACINTOSH"},  {"MAC-ROMAN", "MACINTOSH"},
};

iconv_t descriptor(void* handle) { return static_cast<iconv_t>(handle); }

}  // namespace

const char* code_page_charset(std::string_view dwg_code_page) {
    for (const CodePage& page : kCodePages) {
        if (equals_ignore_case(page.name, dwg_code_page)) return page.charset;
    }
    return nullptr;
}

namespace {

// The code point of the UTF-8 character that starts `bytes`; a byte that
// starts none stands for itself.
char32_t first_code_point(std::string_view bytes) {
    const auto lead = static_cast<unsigned char>(bytes[0]);
    const int length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
    if (length == 1 || bytes.size() < static_cast<std::size_t>(length)) return lead;
    char32_t code_point = lead & (0x7F >> length);
    for (int i = 1; i < length; ++i)
        code_point = (code_point << 6) | (static_cast<unsigned char>(bytes[i]) & 0x3F);
    return code_point;
}

// Converts with `cd` from its start state; an invalid or unconvertible
// character becomes `replacement` (one input byte, or one whole UTF-8
// character when the input is UTF-8) and is counted in `lost`.
std::string convert(iconv_t cd, std::string_view text, std::string_view replacement, bool from_utf8,
                    LossReport* lost) {
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    std::string converted;
    char* in = const_cast<char*>(text.data());
    std::size_t in_left = text.size();
    char buffer[1024];
    while (in_left > 0) {
        char* out = buffer;
        std::size_t out_left = sizeof buffer;
        const std::size_t rc = iconv(cd, &in, &in_left, &out, &out_left);
        converted.append(buffer, static_cast<std::size_t>(out - buffer));
        if (rc != static_cast<std::size_t>(-1) || errno == E2BIG) continue;
        converted += replacement;
        if (lost != nullptr) lost->count_character(first_code_point({in, in_left}));
        std::size_t skip = 1;
        while (from_utf8 && skip < in_left && (static_cast<unsigned char>(in[skip]) & 0xC0) == 0x80)
            ++skip;
        in += skip;
        in_left -= skip;
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
    }
    return converted;
}

void close_descriptor(void*& handle) {
    if (handle != nullptr) iconv_close(descriptor(handle));
    handle = nullptr;
}

void* open_descriptor(const char* to, const char* from) {
    iconv_t cd = iconv_open(to, from);
    return cd == reinterpret_cast<iconv_t>(-1) ? nullptr : cd;
}

}  // namespace

void ShiftJisCheck::feed(std::string_view bytes) {
    for (std::size_t i = 0; i < bytes.size() && valid_; ++i) {
        const auto byte = static_cast<unsigned char>(bytes[i]);
        if (trail_due_) {
            valid_ = byte >= 0x40 && byte <= 0xFC && byte != 0x7F;
            trail_due_ = false;
        } else if (byte >= 0x80 && !(byte >= 0xA1 && byte <= 0xDF)) {
            valid_ = is_lead_byte(byte);
            trail_due_ = true;
        }
    }
}

CodePageConverter::~CodePageConverter() { select(""); }

void CodePageConverter::select(std::string_view dwg_code_page) {
    close_descriptor(from_code_page_);
    close_descriptor(to_cp932_);
    const char* charset = code_page_charset(dwg_code_page);
    if (charset == nullptr) return;
    from_code_page_ = open_descriptor("UTF-8", charset);
    to_cp932_ = open_descriptor("CP932", "UTF-8");
    if (to_cp932_ == nullptr) close_descriptor(from_code_page_);
}

std::string CodePageConverter::to_cp932(std::string_view text, std::string_view replacement,
                                        LossReport* lost) {
    if (from_code_page_ == nullptr) return std::string(text);
    const std::string utf8 = convert(descriptor(from_code_page_), text, replacement, false, lost);
    return convert(descriptor(to_cp932_), utf8, replacement, true, lost);
}

void count_characters_cp932_lacks(std::string_view text, LossReport& lost) {
    const iconv_t cd = iconv_open("CP932", "UTF-8");
    if (cd == reinterpret_cast<iconv_t>(-1)) return;
    convert(cd, text, "", true, &lost);
    iconv_close(cd);
}

}  // namespace zov
