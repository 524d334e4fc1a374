#pragma once
// What one conversion could not carry over, counted by kind, and the warning
// lines that say so. Every converter (the DXF export, the page output, ZR_JWK,
// ZovEdit's rebuild) fills one and shows its lines after its run, so that a
// partial result is never reported as a whole one.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "common/messages.h"

namespace zov {

class LossReport {
public:
    // `kind` names what was lost the way the source names it ("TEXT",
    // "3DSOLID", "image"); kinds keep the order they were first counted in.
    void count(std::string_view kind, std::size_t how_many = 1);
    // A source character the output cannot hold; the first one met is named
    // in the report by its code point, which every console can show.
    void count_character(char32_t code_point);
    // Adds what `later` counted, as if its counts had come after this
    // report's: kinds new here go last, the first character stays.
    void add(const LossReport& later);

    bool empty() const { return kinds_.empty() && characters_ == 0; }
    std::size_t lost(std::string_view kind) const;
    std::size_t total() const;
    std::size_t characters() const { return characters_; }

    // One line per kind, "<n> <kind> left out", with `hint` appended to each
    // when it is not empty, then one line for the characters.
    std::vector<std::string> lines(std::string_view hint = {}) const;

private:
    struct Kind {
        std::string name;
        std::size_t count = 0;
    };
    std::vector<Kind> kinds_;
    std::size_t characters_ = 0;
    char32_t first_character_ = 0;
};

// Shows every line of the report as a warning; warnings are kept under --quiet.
void show_losses(Messages& messages, const LossReport& report, std::string_view hint = {});

}  // namespace zov
