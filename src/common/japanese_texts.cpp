#include "common/japanese_texts.h"

#include <string>
#include <vector>

#include "common/encoding.h"

namespace zov {

namespace {

constexpr JaTextEntry kEntries[] = {
#define ZOV_JA_TEXT(name, utf8) {JaText::name, #name, utf8},
#include "common/japanese_texts.def"
#undef ZOV_JA_TEXT
};

// The list is in the order of the enumeration, so a text's value is its index.
constexpr bool entries_in_order() {
    for (std::size_t i = 0; i < std::size(kEntries); ++i) {
        if (static_cast<std::size_t>(kEntries[i].text) != i) return false;
    }
    return true;
}
static_assert(entries_in_order());

const std::vector<std::string>& converted_texts() {
    static const std::vector<std::string> converted = [] {
        std::vector<std::string> texts;
        texts.reserve(std::size(kEntries));
        for (const JaTextEntry& entry : kEntries) texts.push_back(utf8_to_cp932(entry.utf8));
        return texts;
    }();
    return converted;
}

}  // namespace

const char* cp932_text(JaText text) {
    return converted_texts()[static_cast<std::size_t>(text)].c_str();
}

std::span<const JaTextEntry> japanese_texts() { return kEntries; }

}  // namespace zov
