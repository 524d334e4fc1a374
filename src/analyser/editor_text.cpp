#include "analyser/editor_text.h"

#include <iconv.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "common/cp932.h"

namespace zov {

namespace {

constexpr char32_t kControlPictures = 0x2400;  // U+2400 + byte for 0x00-0x1F
constexpr char32_t kDeletePicture = 0x2421;    // 0x7F
constexpr char32_t kRawBytes = 0xFFF00;        // + byte, for bytes that start no character
constexpr char32_t kFirstSelector = 0xFE00;
constexpr char32_t kLastSelector = 0xFE0F;

// The code tables, built once from the system's CP932 converter.
struct Cp932Tables {
    std::vector<char16_t> decode = std::vector<char16_t>(0x10000, 0);  // code -> character
    std::vector<std::uint16_t> encode =
        std::vector<std::uint16_t>(0x10000, 0);  // character -> code
    std::vector<std::uint8_t> variant =
        std::vector<std::uint8_t>(0x10000, 0);  // code -> selector + 1
    // Other codes of a character, in code order: alternatives[character].
    std::vector<std::array<std::uint16_t, 2>> alternatives =
        std::vector<std::array<std::uint16_t, 2>>(0x10000, {0, 0});

    Cp932Tables() {
        for (unsigned byte = 0x20; byte < 0x7F; ++byte) set_single(byte, byte);
        for (unsigned byte = 0xA1; byte <= 0xDF; ++byte) set_single(byte, 0xFF61 + byte - 0xA1);
        iconv_t to_unicode = iconv_open("UTF-16LE", "CP932");
        iconv_t from_unicode = iconv_open("CP932", "UTF-16LE");
        if (to_unicode == reinterpret_cast<iconv_t>(-1) ||
            from_unicode == reinterpret_cast<iconv_t>(-1))
            return;
        std::vector<std::vector<std::uint16_t>> codes_of(0x10000);
        for (unsigned lead = 0x81; lead <= 0xFC; ++lead) {
            if (!is_lead_byte(static_cast<unsigned char>(lead))) continue;
            for (unsigned trail = 0x40; trail <= 0xFC; ++trail) {
                if (trail == 0x7F) continue;
                unsigned code = lead << 8 | trail;
                char16_t character = convert_to_unicode(to_unicode, code);
                if (character == 0) continue;
                decode[code] = character;
                codes_of[character].push_back(static_cast<std::uint16_t>(code));
            }
        }
        for (unsigned character = 0; character < 0x10000; ++character) {
            std::vector<std::uint16_t>& codes = codes_of[character];
            if (codes.empty()) continue;
            unsigned canonical =
                convert_from_unicode(from_unicode, static_cast<char16_t>(character));
            if (std::find(codes.begin(), codes.end(), canonical) == codes.end())
                canonical = codes[0];
            encode[character] = static_cast<std::uint16_t>(canonical);
            int next = 0;
            for (std::uint16_t code : codes) {
                if (code == canonical || next >= 2) continue;
                alternatives[character][next] = code;
                variant[code] = static_cast<std::uint8_t>(++next);
            }
        }
        iconv_close(to_unicode);
        iconv_close(from_unicode);
    }

    void set_single(unsigned byte, char16_t character) {
        decode[byte] = character;
        encode[character] = static_cast<std::uint16_t>(byte);
    }

    // Two bytes in, two bytes out through `cd`; nothing when it cannot convert.
    static std::optional<std::array<unsigned char, 2>> convert_two(iconv_t cd, char first,
                                                                   char second) {
        char in[2] = {first, second};
        char out[8];
        char* in_ptr = in;
        char* out_ptr = out;
        std::size_t in_left = 2, out_left = sizeof out;
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
        if (iconv(cd, &in_ptr, &in_left, &out_ptr, &out_left) == static_cast<std::size_t>(-1) ||
            out_ptr - out != 2)
            return std::nullopt;
        return std::array<unsigned char, 2>{static_cast<unsigned char>(out[0]),
                                            static_cast<unsigned char>(out[1])};
    }

    static char16_t convert_to_unicode(iconv_t cd, unsigned code) {
        auto out = convert_two(cd, static_cast<char>(code >> 8), static_cast<char>(code & 0xFF));
        if (!out) return 0;
        char16_t character = static_cast<char16_t>((*out)[0] | (*out)[1] << 8);
        // Surrogates never come from CP932.
        return character >= 0xD800 && character < 0xE000 ? 0 : character;
    }

    static unsigned convert_from_unicode(iconv_t cd, char16_t character) {
        auto out =
            convert_two(cd, static_cast<char>(character & 0xFF), static_cast<char>(character >> 8));
        return out ? (*out)[0] << 8 | (*out)[1] : 0;
    }
};

const Cp932Tables& tables() {
    static const Cp932Tables instance;
    return instance;
}

void append_code_point(std::u16string& out, char32_t code_point) {
    if (code_point < 0x10000) {
        out.push_back(static_cast<char16_t>(code_point));
        return;
    }
    code_point -= 0x10000;
    out.push_back(static_cast<char16_t>(0xD800 + (code_point >> 10)));
    out.push_back(static_cast<char16_t>(0xDC00 + (code_point & 0x3FF)));
}

}  // namespace

EditorText decode_editor_text(std::string_view bytes) {
    const Cp932Tables& t = tables();
    EditorText result;
    result.line_end = first_line_end(bytes).value_or(LineEnd::CrLf);
    const std::string_view separator = line_end_bytes(result.line_end);
    std::u16string& out = result.text;
    out.reserve(bytes.size());
    std::size_t pos = 0;
    while (pos < bytes.size()) {
        if (bytes.compare(pos, separator.size(), separator) == 0) {
            out.push_back(u'\n');
            pos += separator.size();
            continue;
        }
        unsigned char byte = static_cast<unsigned char>(bytes[pos]);
        if (is_lead_byte(byte) && pos + 1 < bytes.size()) {
            unsigned code = byte << 8 | static_cast<unsigned char>(bytes[pos + 1]);
            if (t.decode[code] != 0) {
                out.push_back(t.decode[code]);
                if (t.variant[code] != 0)
                    out.push_back(static_cast<char16_t>(kFirstSelector + t.variant[code] - 1));
                pos += 2;
                continue;
            }
        }
        if (byte == '\t')
            out.push_back(u'\t');
        else if (byte < 0x20)
            out.push_back(static_cast<char16_t>(kControlPictures + byte));
        else if (byte == 0x7F)
            out.push_back(static_cast<char16_t>(kDeletePicture));
        else if (t.decode[byte] != 0)
            out.push_back(t.decode[byte]);
        else
            append_code_point(out, kRawBytes + byte);
        ++pos;
    }
    return result;
}

EncodedText encode_editor_text(std::u16string_view text, LineEnd line_end) {
    const Cp932Tables& t = tables();
    const std::string_view separator = line_end_bytes(line_end);
    EncodedText result;
    std::string& out = result.bytes;
    out.reserve(text.size() + text.size() / 4);
    std::size_t pos = 0;
    while (pos < text.size()) {
        char32_t c = text[pos++];
        if (c >= 0xD800 && c < 0xDC00 && pos < text.size() && text[pos] >= 0xDC00 &&
            text[pos] < 0xE000)
            c = 0x10000 + ((c - 0xD800) << 10) + (text[pos++] - 0xDC00);
        int selector = 0;
        if (pos < text.size() && text[pos] >= kFirstSelector && text[pos] <= kLastSelector)
            selector = static_cast<int>(text[pos++] - kFirstSelector) + 1;
        if (c == u'\n') {
            out += separator;
        } else if (c == u'\t' || c == u'\r') {
            out.push_back(static_cast<char>(c));
        } else if (c >= kControlPictures && c < kControlPictures + 0x20) {
            out.push_back(static_cast<char>(c - kControlPictures));
        } else if (c == kDeletePicture) {
            out.push_back('\x7F');
        } else if (c >= kRawBytes && c <= kRawBytes + 0xFF) {
            out.push_back(static_cast<char>(c - kRawBytes));
        } else if (c >= kFirstSelector && c <= kLastSelector) {
            // A selector left alone by an edit has no bytes of its own.
        } else if (c < 0x10000 && t.encode[c] != 0) {
            unsigned code = t.encode[c];
            if (selector > 0 && selector <= 2 && t.alternatives[c][selector - 1] != 0)
                code = t.alternatives[c][selector - 1];
            if (code > 0xFF) out.push_back(static_cast<char>(code >> 8));
            out.push_back(static_cast<char>(code & 0xFF));
        } else {
            out.push_back('?');
            ++result.unwritable;
        }
    }
    return result;
}

}  // namespace zov
