#include "analyser/output_name_form.h"

#include "analyser/output_name.h"
#include "analyser/settings_file.h"

namespace zov {

OutputNameForm::OutputNameForm(AnalyserContext& context, std::string source_path)
    : context_(context), source_path_(std::move(source_path)) {
    AnalyserSettings& settings = context.settings;
    if (settings.line_ends < 1 || settings.line_ends > 3) settings.line_ends = 1;
    line_end_ = settings.line_ends;
    choose_rule(settings.naming_rule >= 0 && settings.naming_rule <= 2 ? settings.naming_rule : 2);
}

void OutputNameForm::choose_rule(int rule) {
    rule_ = rule;
    output_path_ = make_output_dxf_name(rule, source_path_);
}

void OutputNameForm::close() {
    context_.settings.naming_rule = rule_;
    context_.settings.line_ends = line_end_;
    save_settings(context_);
}

}  // namespace zov
