#include "common/loss_report.h"

#include <algorithm>
#include <cstdio>

namespace zov {

void LossReport::count(std::string_view kind, std::size_t how_many) {
    if (how_many == 0) return;
    auto found = std::find_if(kinds_.begin(), kinds_.end(),
                              [&](const Kind& known) { return known.name == kind; });
    if (found == kinds_.end()) {
        kinds_.push_back({std::string(kind), how_many});
    } else {
        found->count += how_many;
    }
}

void LossReport::count_character(char32_t code_point) {
    if (characters_++ == 0) first_character_ = code_point;
}

void LossReport::add(const LossReport& later) {
    for (const Kind& kind : later.kinds_) count(kind.name, kind.count);
    if (characters_ == 0) first_character_ = later.first_character_;
    characters_ += later.characters_;
}

std::size_t LossReport::lost(std::string_view kind) const {
    for (const Kind& known : kinds_) {
        if (known.name == kind) return known.count;
    }
    return 0;
}

std::size_t LossReport::total() const {
    std::size_t sum = 0;
    for (const Kind& known : kinds_) sum += known.count;
    return sum;
}

std::vector<std::string> LossReport::lines(std::string_view hint) const {
    std::vector<std::string> out;
    for (const Kind& known : kinds_) {
        std::string line = std::to_string(known.count) + " " + known.name + " left out";
        if (!hint.empty()) line.append(" (").append(hint).append(")");
        out.push_back(std::move(line));
    }
    if (characters_ > 0) {
        char first[16];
        std::snprintf(first, sizeof first, "U+%04X", static_cast<unsigned>(first_character_));
        out.push_back(std::to_string(characters_) +
                      " characters could not be kept and were replaced (first: " + first + ")");
    }
    return out;
}

void show_losses(Messages& messages, const LossReport& report, std::string_view hint) {
    for (const std::string& line : report.lines(hint)) {
        messages.show(MessageIcon::Warning, line);
    }
}

}  // namespace zov
