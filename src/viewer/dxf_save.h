#pragma once
// The toolbar's "表示されたデータをＤＸＦファイルで保存": the drawing shown is
// written as DXF into the program folder, then the user picks where it goes.
// The writer is passed in, so that other kinds of DXF output can offer the
// same dialog and the same safe move.
#include <functional>
#include <optional>
#include <string>

#include "viewer/file_dialog.h"

namespace zov {

class LossReport;
class ViewerShell;

// The save dialog: filter DXF, the source's name with ".DXF" proposed in the
// source's folder (the program folder when the drawing has no folder, as the
// help drawing).
FileDialogRequest dxf_save_request(const ViewerShell& shell, const std::string& source_path);

// Moves the DXF written at `written` to `target`, whole or not at all (a
// temporary file beside the target, renamed when complete). Refuses to
// replace the drawing's own source file. 0, or -1 after a reported failure
// (the written file then stays where it is).
int place_written_dxf(ViewerShell& shell, const std::string& written, const std::string& target,
                      const std::string& source_path);

// The whole command: `write_dxf` writes the file, counts what it left out
// in its report and gives its path, or nothing after a reported failure; then
// the save dialog and the move. After a save, what the import could not
// store and what the writer left out are shown in one warning, a line per
// kind, as the headless export shows them. 0 when the file was saved, 1 when
// the dialog was cancelled, -1 after a failure.
int save_shown_drawing_as_dxf(
    ViewerShell& shell, const std::string& source_path,
    const std::function<std::optional<std::string>(LossReport&)>& write_dxf);

}  // namespace zov
