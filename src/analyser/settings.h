#pragma once
// The analyser's settings as they live in memory while it runs.
#include <array>
#include <string>

namespace zov {

// Byte limits of the text settings (without terminator).
constexpr std::size_t kFolderSettingLimit = 259;  // FTX, FCD, KED
constexpr std::size_t kPrefixSettingLimit = 8;    // FHS
constexpr std::size_t kMarkSettingLimit = 1;      // KM1, KM2
constexpr std::size_t kItemSettingLimit = 36;     // KK0 to KK9
constexpr int kSelectedItemSlots = 10;

// Every text is CP932; folders end in "/".
struct AnalyserSettings {
    std::string FTX;  // folder of the help text ZovEdit.txt
    std::string FCD;  // last folder used for DXF files
    std::string FHS;  // prefix of analysis files made from the menu
    int FSM = 2;      // output DXF naming rule 0, 1, 2
    int FCO = 1;      // 1: rebuilt DXF starts with two comment groups
    std::string KM1;  // code mark
    std::string KM2;  // data mark
    int KDE = 24;     // end code of analysis form 0
    int KHO = 1;      // 1: Japanese item comments
    int KCU = 0;      // 1: cut groups 5 and 100
    int KTS = 1;      // 1: explanation block
    int KKS = 0;      // 1: analyse selected items only
    int KCS = 1;      // 1: rewrite _ZOV_.CSV whenever the index is built
    int TMM = 1;      // line ends of written DXF files: 1 CR LF, 2 CR, 3 LF
    int KTM = 1;      // analysis form: 0 own, 1 text, 2 C-language
    std::array<std::string, kSelectedItemSlots> KK;  // selected items
    std::string KED;  // editor program path (kept, never written)
    int KMS = 0;      // editor window maximised (kept, never written)
};

}  // namespace zov
