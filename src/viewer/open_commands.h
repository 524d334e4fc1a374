#pragma once
// The open commands of the File menu and the toolbar without their windows:
// each asks the file dialog for a file and hands it to load_drawing. The
// windowed viewer then switches to the standard display and repaints.
#include <string>
#include <vector>

namespace zov {

class ViewerShell;

// "JWCを開く(&J)", "DXFを開く(&D)", "DWGを開く(&G)". A cancelled dialog empties
// current_file_label and keeps the drawing. The DWG command first checks the
// converter and runs it before the load.
void open_jwc_command(ViewerShell& shell);
void open_dxf_command(ViewerShell& shell);
void open_dwg_command(ViewerShell& shell);

// The history dialog "経歴リストから開く": its list (the entries of the
// settings file, newest first; empty without a settings file) ...
std::vector<std::string> history_dialog_entries(const ViewerShell& shell);

// ... and "開く" or a double-click on entry `selected` (-1: none). Returns
// true when the dialog closes: the entry's file exists and was handed to
// load_drawing. A file that has gone gives "ファイルを開けません(%s)"; with
// no entry selected nothing happens.
bool open_history_entry(ViewerShell& shell, const std::vector<std::string>& entries, int selected);

}  // namespace zov
