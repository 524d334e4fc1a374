#pragma once
// DXF file to analysis file: the conversion and the ways it is started.
#include <string>

#include "analyser/context.h"

namespace zov {

// Converts `dxf_path` into the analysis file `analysis_path` (CP932 paths)
// after the analysis options dialog; 1 when the analysis file was written, 0
// when the dialog was cancelled or a failure was reported. In the program's
// own form a code mark the rebuild cannot tell from a group code (a digit,
// sign or blank) is refused, and lines a rebuild cannot give back as they
// were (too long, or a value holding the data mark and the end code) are
// reported and counted in round_trip_losses.
int convert_dxf_to_analysis(AnalyserContext& context, const std::string& dxf_path,
                            const std::string& analysis_path);

// The start-up conversion of a DXF named on the command line: the name is
// every non-blank character after the first blank. 0 on success (the
// analysis file is then `analysis_path`), -1 on failure.
int analyse_command_line(AnalyserContext& context, const std::string& command_line);

// The same for a DXF named as it is; the analysis file is `analysis_path`,
// or the DXF's name with the extension ".TXT" when that is empty.
int analyse_named_file(AnalyserContext& context, const std::string& dxf_name,
                       const std::string& analysis_path = "");

// The analysis file for a DXF chosen from the menu: its folder, the prefix
// analysis_prefix, its name and ".TXT". dxf_folder becomes the DXF's folder
// and the open analysis path is cleared.
std::string menu_analysis_path(AnalyserContext& context, const std::string& dxf_path);

}  // namespace zov
