#pragma once
// The header region of an analysis file: ruler lines, banner, title,
// management line, line-end note, path lines and the explanation block.
#include <ctime>
#include <string>
#include <vector>

#include "analyser/management.h"
#include "analyser/text_lines.h"

namespace zov {

struct AnalysisHeader {
    ManagementRecord record;
    int source_line_end_style = kLineEndCrLf;
    bool binary_source = false;  // a binary DXF file, analysed by its groups
    std::string source_path;     // full CP932 path of the DXF file
    std::string analysis_path;   // full CP932 path of the analysis file
    std::time_t made_at = 0;
    // The selected items as stored in the settings, when selection is on.
    std::vector<std::string> selected_entries;
    bool explanation = true;  // setting `explanation`
};

// Prefix of line 7; the source path starts at this byte.
constexpr std::size_t kSourcePathColumn = 19;
inline constexpr char kBannerName[] = "DXF Editer ZovEdit";
inline constexpr char kBannerVersion[] = "Version 1.4 ";

// The lines of the header region in order (without the empty line that
// precedes the first item).
std::vector<std::string> analysis_header_lines(const AnalysisHeader& header);

}  // namespace zov
