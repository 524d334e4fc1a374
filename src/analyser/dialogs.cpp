#include "analyser/dialogs.h"

#include "analyser/output_name.h"

namespace zov {

bool AcceptingDialogs::run_analysis_options(AnalyserContext&, const std::string&) { return true; }

bool AcceptingDialogs::run_output_name_dialog(AnalyserContext& context,
                                              const std::string& source_path,
                                              std::string& output_dxf_path) {
    if (context.settings.line_ends < 1 || context.settings.line_ends > 3)
        context.settings.line_ends = 1;
    output_dxf_path = output_path ? *output_path
                                  : make_output_dxf_name(context.settings.naming_rule, source_path);
    return true;
}

}  // namespace zov
