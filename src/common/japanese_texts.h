#pragma once
// The programs' fixed Japanese texts (messages, captions, font names, fixed
// lines of files), written once in UTF-8 in japanese_texts.def and handed out
// as the CP932 bytes the programs work in. Texts added later may also be
// written in UTF-8 at the call through common/utf8_messages.h.
#include <span>
#include <string_view>

namespace zov {

enum class JaText {
#define ZOV_JA_TEXT(name, utf8) name,
#include "common/japanese_texts.def"
#undef ZOV_JA_TEXT
};

// The CP932 bytes of a text, NUL-terminated. The whole list is converted on
// the first call and kept for the rest of the run; safe from any thread.
const char* cp932_text(JaText text);

// One text of the list as written in the source.
struct JaTextEntry {
    JaText text;
    std::string_view name;
    std::string_view utf8;
};

// Every text of the list, in the order of japanese_texts.def.
std::span<const JaTextEntry> japanese_texts();

}  // namespace zov
