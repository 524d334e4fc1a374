#include "common/encoding.h"

#include <iconv.h>
#include <unistd.h>

#include <cerrno>

namespace zov {

namespace {

// Converts with iconv. An unconvertible or invalid sequence is replaced by
// `replacement` (skipping one input byte, or one whole UTF-8 character), or
// ends the conversion with nothing when `replacement` is null.
std::optional<std::string> convert(const char* to, const char* from, std::string_view text,
                                   const char* replacement, bool from_utf8) {
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
    std::string out;
    out.reserve(text.size() * 3 / 2 + 4);
    char* in = const_cast<char*>(text.data());
    size_t in_left = text.size();
    char buffer[1024];
    while (in_left > 0) {
        char* out_ptr = buffer;
        size_t out_left = sizeof buffer;
        size_t rc = iconv(cd, &in, &in_left, &out_ptr, &out_left);
        out.append(buffer, out_ptr - buffer);
        if (rc != static_cast<size_t>(-1)) continue;
        if (errno == E2BIG) continue;
        if (replacement == nullptr) {
            iconv_close(cd);
            return std::nullopt;
        }
        out += replacement;
        // Skip one character: in UTF-8 a lead byte and its continuation bytes.
        size_t skip = 1;
        if (from_utf8) {
            while (skip < in_left && (static_cast<unsigned char>(in[skip]) & 0xC0) == 0x80) ++skip;
        }
        in += skip;
        in_left -= skip;
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
    }
    iconv_close(cd);
    return out;
}

}  // namespace

std::string cp932_to_utf8(std::string_view text) {
    return convert("UTF-8", "CP932", text, "\xEF\xBF\xBD", false).value_or(std::string(text));
}

std::string utf8_to_cp932(std::string_view text) {
    return convert("CP932", "UTF-8", text, "?", true).value_or(std::string(text));
}

std::optional<std::string> cp932_to_utf8_exact(std::string_view text) {
    return convert("UTF-8", "CP932", text, nullptr, false);
}

std::optional<std::string> utf8_to_cp932_exact(std::string_view text) {
    return convert("CP932", "UTF-8", text, nullptr, true);
}

std::string file_name_to_cp932(std::string_view bytes) {
    if (std::optional<std::string> converted = utf8_to_cp932_exact(bytes)) return *converted;
    return std::string(bytes);
}

std::string cp932_to_file_name(std::string_view cp932_text) {
    std::optional<std::string> utf8 = cp932_to_utf8_exact(cp932_text);
    if (!utf8) return std::string(cp932_text);
    std::string raw(cp932_text);
    if (*utf8 == raw || ::access(utf8->c_str(), F_OK) == 0 || ::access(raw.c_str(), F_OK) != 0)
        return *utf8;
    return raw;
}

}  // namespace zov
