#pragma once
// Analysis file back to DXF: the checks of the management line and the
// rebuild of the groups from the data region.
#include <string>
#include <string_view>

#include "analyser/context.h"
#include "analyser/data_line_parser.h"
#include "analyser/management.h"
#include "analyser/text_lines.h"

namespace zov {

// The two steps of a rebuild: the check before the output is named, and the
// rebuild itself.
enum class RebuildStep { Check, WriteDxf };

// Check: checks the analysis file at `path` and, when it can be rebuilt,
// puts the path of the DXF it was made from into `out_path`. WriteDxf:
// checks it again and writes the DXF file named by `out_path`. True on
// success; every failure is reported.
bool rebuild_from_analysis(AnalyserContext& context, RebuildStep step, const std::string& path,
                           std::string& out_path);

// The whole command "ＤＸＦファイルを作成": check, output-name dialog,
// rebuild into `output_path`. False after a reported failure or a cancel.
bool make_dxf_from_analysis(AnalyserContext& context, const std::string& analysis_path,
                            std::string& output_path);

}  // namespace zov
