#pragma once
// The analyser's settings as they live in memory while it runs. ZovEdit.CFG
// names each by a three-letter key (settings_file.cpp), given below.
#include <array>
#include <string>

namespace zov {

// Byte limits of the text settings (without terminator).
constexpr std::size_t kFolderSettingLimit = 259;  // the folders and the editor path
constexpr std::size_t kPrefixSettingLimit = 8;    // analysis_prefix
constexpr std::size_t kMarkSettingLimit = 1;      // code_mark, data_mark
constexpr std::size_t kItemSettingLimit = 36;     // each of selected_items
constexpr int kSelectedItemSlots = 10;

// Every text is CP932; folders end in "/".
struct AnalyserSettings {
    std::string help_folder;      // FTX: folder of the help text ZovEdit.txt
    std::string dxf_folder;       // FCD: last folder used for DXF files
    std::string analysis_prefix;  // FHS: prefix of analysis files made from the menu
    int naming_rule = 2;          // FSM: output DXF naming rule 0, 1, 2
    int comment_groups = 1;       // FCO: 1: rebuilt DXF starts with two comment groups
    std::string code_mark;        // KM1
    std::string data_mark;        // KM2
    int end_code = 24;            // KDE: end code of analysis form 0
    int item_comments = 1;        // KHO: 1: Japanese item comments
    int cut_handles = 0;          // KCU: 1: cut groups 5 (handles) and 100 (subclasses)
    int explanation = 1;          // KTS: 1: explanation block
    int selected_only = 0;        // KKS: 1: analyse selected items only
    int rewrite_item_csv = 1;     // KCS: 1: rewrite _ZOV_.CSV whenever the index is built
    int line_ends = 1;            // TMM: of written DXF files: 1 CR LF, 2 CR, 3 LF
    int analysis_form = 1;        // KTM: 0 own, 1 text, 2 C-language
    std::string editor_path;      // KED: editor program path (kept, never written)
    int window_maximised = 0;     // KMS: editor window maximised (kept, never written)
    // KK0 to KK9: the items analysed when selected_only is 1.
    std::array<std::string, kSelectedItemSlots> selected_items;
};

}  // namespace zov
