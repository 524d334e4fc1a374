#pragma once
// What the output-name dialog of a rebuild decides: the proposed name follows
// the naming rule chosen, and closing (confirmed or cancelled alike) stores
// the rule and the line end and saves the settings.
#include <string>

#include "analyser/context.h"

namespace zov {

class OutputNameForm {
public:
    // Opening: line_ends outside 1 to 3 becomes 1, and the name is proposed by
    // the naming_rule (a rule outside 0 to 2 shows as rule 2, its meaning).
    OutputNameForm(AnalyserContext& context, std::string source_path);

    const std::string& source_path() const { return source_path_; }
    const std::string& output_path() const { return output_path_; }
    int rule() const { return rule_; }
    int line_end() const { return line_end_; }  // 1 CR LF, 2 CR, 3 LF

    // A rule button: the name is made again by that rule at once.
    void choose_rule(int rule);
    void choose_line_end(int line_end) { line_end_ = line_end; }

    // Closing: naming_rule and line_ends take the choices, the settings are saved.
    void close();

private:
    AnalyserContext& context_;
    std::string source_path_;
    std::string output_path_;
    int rule_ = 2;
    int line_end_ = 1;
};

}  // namespace zov
