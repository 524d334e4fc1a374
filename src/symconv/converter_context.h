#pragma once
// The state of one run of the converter, created by the caller.
#include <string>

#include "common/loss_report.h"
#include "common/messages.h"
#include "common/whole_file.h"
#include "symconv/converter_settings.h"
#include "symconv/sheet_layout.h"

namespace zov {

// Files of the launch folder and the library folder.
inline constexpr char kListFile[] = "JWK_LIST.TMP";
inline constexpr char kThumbnailFile[] = "JWK_BRO.TMP";
inline constexpr char kLibraryNameFile[] = "ZU_NAME.DAT";
inline constexpr char kDefaultLibraryName[] = "ZR_JWK";

struct ConverterContext {
    explicit ConverterContext(Messages& messages_in) : messages(messages_in) {}

    Messages& messages;
    std::string launch_folder;   // settings and the scratch folder; ends in "/"
    std::string library_folder;  // symbol files and the DXF; "" or ending in "/"
    std::string library_name;    // CP932; names the DXF file and the sheet
    int symbol_count = 0;
    bool ascii_names = false;     // -n
    bool thumbnail_mode = false;  // -s
    ConverterSettings settings;
    SurveyState survey;
    SheetLayout layout;
    // What the library could not carry over, shown after the conversion.
    LossReport losses;

    // The run's own folder for the scratch files JWK_LIST.TMP and
    // JWK_BRO.TMP, inside the launch folder: two runs never share them and a
    // link planted under their names is never followed. It goes, with them,
    // at the end of the run.
    ScratchFolder scratch;

    // Paths of the converter's scratch files.
    std::string list_path() const { return scratch.path() + kListFile; }
    std::string thumbnail_path() const { return scratch.path() + kThumbnailFile; }
};

}  // namespace zov
