#pragma once
// The one way every drawing reaches the screen: the open commands, the
// history dialog and the command line all end in load_drawing.
#include <optional>
#include <string>
#include <vector>

namespace zov {

class ViewerShell;

// The drawing kind of a file name by its extension alone, as
// classify_drawing_file tells it, without remembering anything.
int drawing_kind_of(const std::string& path);

// Of files dropped on the window, the one to open: the first, as on the
// command line, when it is a drawing; nothing otherwise.
std::optional<std::string> dropped_drawing(const std::vector<std::string>& paths);

// The drawing kind of a file by its extension, in any case: 1 ".jww",
// ".jws", ".jwc" or ".jwk" (JW_CAD; the file's first bytes tell which of
// them it holds), 2 ".dxf", 3 ".dwg", 0 anything else. Remembers the
// file's folder as the open folder of its kind.
int classify_drawing_file(ViewerShell& shell, const std::string& path);

// `path` with its extension replaced by ".DXF" (where the converter leaves
// the DXF it made from a DWG file).
std::string set_extension_dxf(const std::string& path);

// Whether a load rewrites the settings file.
enum class SettingsFile { Rewrite, Leave };

// Loads the drawing at `path` (a file-system path) into the store of the
// shell's program folder: classifies it, stamps the load date, enters it in
// the history, runs the converter and the importer of its kind, and rewrites
// the settings file when `settings` says so. The importer reports its own
// failures. Returns the importer's result (0 or -1); -1 without a message
// for a file that is not a drawing, which changes nothing.
int load_drawing(ViewerShell& shell, SettingsFile settings, const std::string& path);

}  // namespace zov
