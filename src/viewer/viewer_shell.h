#pragma once
// The viewer shell's state: what the windowed viewer keeps from start to end
// (folders, load date, history count, the flags of one open, the import
// state of the drawing store), and the services it talks through. One object per program,
// created by main (or by a test) and passed by reference.
#include <string>
#include <string_view>
#include <vector>

#include "common/japanese_texts.h"
#include "common/whole_file.h"
#include "jw/jw_rounding.h"
#include "store/import_state.h"
#include "viewer/load_activity.h"

namespace zov {

class Clock;
class FileDialog;
class Messages;

inline constexpr char kViewerSettingsFileName[] = "ZovView.CFG";
inline constexpr char kHistoryFileName[] = "$IND_B$.TMP";
inline constexpr int kHistoryMax = 50;
inline constexpr int kHistoryRecordSize = 284;
inline constexpr std::size_t kSettingsLineMax = 284;  // longest line read from ZovView.CFG
// The load date before the first load.
inline const char* const kNoLoadDate = cp932_text(JaText::NoLoadDate);

// Drawing kinds of classify_drawing_file.
enum DrawingKind { kNotDrawing = 0, kJwCadDrawing = 1, kDxfDrawing = 2, kDwgDrawing = 3 };

struct ShellState {
    // Folders (file-system paths, ending in "/" when set from a file name).
    std::string jwc_folder;        // initial folder of the JW_CAD open dialog
    std::string dxf_folder;        // of the DXF open dialog
    std::string dwg_folder;        // of the DWG open dialog
    std::string converter_folder;  // where DCONVERT.EXE and ADINIT.DAT are looked for
    // The converter installed with the program, used while converter_folder
    // holds no DCONVERT.EXE; "" when there is none.
    std::string bundled_converter_folder;

    std::string load_date;           // CP932, such as 2000年05月12日
    int history_count = 0;           // entries in $IND_B$.TMP, 0 to kHistoryMax
    int settings_second_number = 0;  // line 2 of ZovView.CFG, only carried along
    std::string current_file_label;  // file-system path rebuilt from the last history entry
    // Entries added since the settings file was last written: a save puts
    // them behind the entries the file holds by then, which another viewer on
    // the program folder may have added meanwhile.
    std::vector<std::string> unsaved_history;

    bool delete_source_after_load = false;  // the DXF being loaded came from the converter
    bool converter_ran = false;             // cleared at the end of every repaint
    std::string converted_dxf;  // the DXF the converter made for this open, in its own folder
    int converter_result = 0;   // run_dwg_converter's result for this open
    int converter_time_limit_seconds = 120;  // a converter still running then is stopped

    std::vector<std::string> start_command_line;  // the arguments after the program name
    std::string start_file;                       // drawing named on the command line
    std::string command_line_converter_folder;    // folder given with "/D:"
    bool help_shown = true;                       // the help drawing is on screen
};

class ViewerShell {
public:
    // `program_folder` is a file-system path, made absolute (ending in "/"),
    // so that the folders stored from it name the same place from anywhere.
    // The store files and the history work file go to `store_folder`, the
    // program folder when none is given (ProgramFolderClaim gives another
    // one to a second viewer on the same program folder).
    ViewerShell(const std::string& program_folder, Messages& messages, const Clock& clock,
                FileDialog& file_dialog, const std::string& store_folder = std::string());

    // Full path of one of the program's own files shared by every viewer on
    // the program folder (settings, help drawing).
    std::string path(std::string_view file_name) const {
        return program_folder + std::string(file_name);
    }
    // Full path of one of this viewer's own files (store, history work file).
    std::string store_path(std::string_view file_name) const {
        return store_folder + std::string(file_name);
    }

    const std::string program_folder;
    const std::string store_folder;
    ShellState state;
    ImportState import;            // the store's in-memory header and section files
    ScratchFolder conversion;      // where the DWG converter works, for one open
    JwImportSettings jw_settings;  // the JW_CAD import's rounding, kept from import to import
    LoadActivity activity;         // what a load is doing, for a window on another thread

    Messages& messages;
    const Clock& clock;
    FileDialog& file_dialog;
};

}  // namespace zov
