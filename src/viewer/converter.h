#pragma once
// The external DWG converter. DCONVERT.EXE and its data file ADINIT.DAT lie
// outside the viewer: it only checks that both are in one folder, lets the
// user point to them, and runs "DCONVERT.EXE FILE.dwg DXF", which is expected
// to leave FILE.DXF next to the DWG file it is given. The program is started directly
// with its arguments, never through a shell, so blanks and shell characters
// in a file name are harmless. A converter installed with the program (the
// bundled one) is used while the user's converter folder holds none.
#include <string>
#include <vector>

namespace zov {

class ViewerShell;

inline constexpr char kConverterProgramName[] = "DCONVERT.EXE";
inline constexpr char kConverterDataName[] = "ADINIT.DAT";

// Lets the user find one named file with the file-open dialog (filter for
// `name` + `ext`, or all files; initial folder the program folder). 0 and the
// chosen file's folder (ending in "/") in `folder_out`, or -1 when cancelled.
int locate_file(ViewerShell& shell, const char* title_utf8, const char* name, const char* ext,
                std::string& folder_out);

// 0 when DCONVERT.EXE and ADINIT.DAT are both in converter_folder, or when
// it holds no DCONVERT.EXE and the bundled converter is there; otherwise
// asks the user, may take a new converter_folder, and gives -1 (the user then
// starts the DWG command again).
int check_converter(ViewerShell& shell);

// The converter's command as messages and logs show it:
// "%sDCONVERT.EXE %s DXF" with the converter folder that runs (the "/D:"
// folder, else converter_folder, else the bundled one) and the DWG path.
std::string converter_command_text(const ViewerShell& shell, const std::string& dwg_path);
// The same command as the argument vector that is started.
std::vector<std::string> converter_arguments(const ViewerShell& shell, const std::string& dwg_path);

// The bundled converter's folder beside an installed program
// (`executable_folder`/../lib/zovview/dwg-converter/) or in a build tree
// (`executable_folder`/dwg-converter/), when it holds both files; else "".
std::string find_bundled_converter(const std::string& executable_folder);

// Runs the converter once per open (converter_ran; a second call gives the
// first one's result) on a link to (or a copy of) `dwg_path` in a folder of
// its own (ViewerShell::conversion), so that the user's files beside the DWG
// are never read as its result nor touched; the DXF it should make there is
// noted in converted_dxf. The converter runs in a process group of its own,
// which is stopped whole at converter_time_limit_seconds (reported) or when
// the user cancels (shell.activity; not reported). A converter that crashes,
// or exits non-zero with a last line of output, is reported with that line;
// one that exits non-zero silently is left to the missing DXF's message.
// 0, or -1 after a failure.
int run_dwg_converter(ViewerShell& shell, const std::string& dwg_path);

}  // namespace zov
