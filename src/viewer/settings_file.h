#pragma once
// ZovView.CFG, the viewer's settings and history in the program folder: a
// positional list of CR LF lines in CP932.
//   1  number of history entries (0 to 50)
//   2  a second number, only carried along (0 in a new file)
//   3  the load date, "????年??月??日" until the first load
//   4  the program folder
//   5  to 8  the JW_CAD, DXF and DWG folders and the converter folder
//   9 ..  the history entries, newest first

#include <string>
#include <string_view>

namespace zov {

class ViewerShell;

// True when `cp932_text` (a folder or a history entry) can stand on one line
// of ZovView.CFG: no line break and at most kSettingsLineMax bytes. Anything
// else would shift the numbered lines after it, so it is never written there.
bool fits_settings_line(std::string_view cp932_text);

// A folder read from ZovView.CFG is taken only when it is what its line
// holds: an absolute path ending in "/"; the converter folder must also exist.
bool is_settings_folder(const std::string& folder);
bool is_converter_folder(const std::string& folder);

// At program start: default folders and load date, a new settings file when
// there is none, a fresh $IND_B$.TMP, then the settings and the history
// entries read from the file. A line that is not what its position says (a
// count that is no number, a folder that is no absolute path, a converter
// folder that does not exist) is passed over and its default stands.
// 0, or -1 after a reported failure.
int load_settings(ViewerShell& shell);

// Rewrites the settings file from the shell state and $IND_B$.TMP; a missing
// file is written with no entries. Under the settings lock, the history is
// first taken from the file as it stands (another viewer on the program
// folder may have added entries) with this viewer's unsaved entries behind
// it, and the file is replaced whole. 0, or -1 after a reported failure.
int save_settings(ViewerShell& shell);

}  // namespace zov
