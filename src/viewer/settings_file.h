#pragma once
// ZovView.CFG, the viewer's settings and history in the program folder: a
// positional list of CR LF lines in CP932.
//   1  number of history entries (0 to 50)
//   2  a second number, only carried along (0 in a new file)
//   3  the load date, "????年??月??日" until the first load
//   4  the program folder
//   5  to 8  the JW_CAD, DXF and DWG folders and the converter folder
//   9 ..  the history entries, newest first

namespace zov {

class ViewerShell;

// At program start: default folders and load date, a new settings file when
// there is none, a fresh $IND_B$.TMP, then the settings and the history
// entries read from the file. 0, or -1 after a reported failure.
int load_settings(ViewerShell& shell);

// Rewrites the settings file from the shell state and $IND_B$.TMP; a missing
// file is written with no entries. 0, or -1 after a reported failure.
int save_settings(ViewerShell& shell);

}  // namespace zov
