#pragma once
// Names of rebuilt DXF files, made from the name of the source DXF file.
#include <string>
#include <vector>

#include "analyser/context.h"
#include "common/whole_file.h"

namespace zov {

// The output name by naming rule 0 ("_" in front), 1 ("$" and a serial
// character) or 2 (six bytes, "$" and a serial character); the extension is
// always ".DXF". Serial characters run "1" to "9" and "A" to "Z"; the first
// name that names no readable file is taken, "$Z" when all are taken. A rule
// outside 0 to 2 counts as rule 2, the default. Paths are CP932.
std::string make_output_dxf_name(int rule, const std::string& source_path);

// Whether an output may be written at `target`: never over a file the run
// reads (`sources`), and over an existing file only when the user answers
// Yes (a headless run: --yes). Reports a refusal and gives false; on true,
// `existing` says whether the writer may replace a file under the name.
// Paths are CP932.
bool may_write_output(AnalyserContext& context, const std::string& target,
                      const std::vector<std::string>& sources, ExistingTarget& existing);

}  // namespace zov
