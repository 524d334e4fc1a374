#pragma once
// The two dialogs that set up a conversion and a rebuild, behind an interface:
// the editor window shows real ones, a headless run accepts the settings as
// they stand.
#include <optional>
#include <string>

#include "analyser/context.h"

namespace zov {

class AnalyserDialogs {
public:
    virtual ~AnalyserDialogs() = default;
    // The analysis options dialog for `dxf_path`; true for "実行(&R)".
    virtual bool run_analysis_options(AnalyserContext& context, const std::string& dxf_path) = 0;
    // The output-name dialog for `source_path`; fills `output_dxf_path` and
    // returns true for "Ｏ  Ｋ".
    virtual bool run_output_name_dialog(AnalyserContext& context, const std::string& source_path,
                                        std::string& output_dxf_path) = 0;
};

// Both dialogs answered as if their confirm button had been pressed at once:
// the options stay as the settings hold them, and the output name is the one
// the naming rule proposes (or `output_path` when it is given).
class AcceptingDialogs : public AnalyserDialogs {
public:
    bool run_analysis_options(AnalyserContext& context, const std::string& dxf_path) override;
    bool run_output_name_dialog(AnalyserContext& context, const std::string& source_path,
                                std::string& output_dxf_path) override;

    std::optional<std::string> output_path;  // CP932
};

}  // namespace zov
