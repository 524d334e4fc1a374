#include "analyser/output_name_form.h"

#include "analyser/output_name.h"
#include "analyser/settings_file.h"

namespace zov {

OutputNameForm::OutputNameForm(AnalyserContext& context, std::string source_path)
    : context_(context), source_path_(std::move(source_path)) {
    AnalyserSettings& settings = context.settings;
    if (settings.TMM < 1 || settings.TMM > 3) settings.TMM = 1;
    line_end_ = settings.TMM;
    choose_rule(settings.FSM >= 0 && settings.FSM <= 2 ? settings.FSM : 2);
}

void OutputNameForm::choose_rule(int rule) {
    rule_ = rule;
    output_path_ = make_output_dxf_name(rule, source_path_);
}

void OutputNameForm::close() {
    context_.settings.FSM = rule_;
    context_.settings.TMM = line_end_;
    save_settings(context_);
}

}  // namespace zov
