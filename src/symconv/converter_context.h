#pragma once
// The state of one run of the converter, created by the caller.
#include <string>

#include "common/messages.h"
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
    std::string launch_folder;   // settings and temporary files; ends in "/"
    std::string library_folder;  // symbol files and the DXF; "" or ending in "/"
    std::string library_name;    // CP932; names the DXF file and the sheet
    int symbol_count = 0;
    bool ascii_names = false;     // -n
    bool thumbnail_mode = false;  // -s
    int name_counter = 0;         // running number of generated block names
    ConverterSettings settings;
    SurveyState survey;
    SheetLayout layout;

    // Paths of the converter's files.
    std::string list_path() const { return launch_folder + kListFile; }
    std::string thumbnail_path() const { return launch_folder + kThumbnailFile; }
};

}  // namespace zov
