#pragma once
// The viewer's JW_CAD import: a data file (a whole drawing) or a symbol file,
// told apart by its magic text, becomes a drawing store in the program
// folder of the import state, followed by the header dump ZovJwc.txt.
#include <string>

#include "jw/jw_rounding.h"

namespace zov {

class ImportState;
class Messages;

// Imports `source_path` (a file-system path) into the store of `state`:
// section files, the drawing, the nine line types, the assembly into
// $VV_DAT$.TMP and the dump. 0 when the file was read whole; -1 after a
// reported failure (the store then holds whatever could be read). `settings`
// lasts as long as the program (the rounding of coordinates); the form
// without it starts from fresh settings, for a program that imports once.
int import_jwc_file(const std::string& source_path, ImportState& state, Messages& messages,
                    JwImportSettings& settings);
int import_jwc_file(const std::string& source_path, ImportState& state, Messages& messages);

// Reads a JW_CAD file into the open section files of `state` and fills the
// header; 0, or -1 after a reported failure.
using JwDrawingReader = int (*)(const std::string& source_path, ImportState& state,
                                Messages& messages, JwImportSettings& settings);

// The steps every JW_CAD import takes around `read`: the header's source
// fields, the section files, the line types, the assembly and the dump.
int import_jw_store(const std::string& source_path, ImportState& state, Messages& messages,
                    JwImportSettings& settings, JwDrawingReader read);

// Opens and classifies the file and converts it into the open section files
// of `state`, through the scratch layer table JW_LAY.TMP; fills the header.
// 0, or -1 after a reported failure.
int read_jw_drawing(const std::string& source_path, ImportState& state, Messages& messages,
                    JwImportSettings& settings);

// Writes $VV_LIN$.TMP with the nine line types and sets the header's
// line_num; -1 after "ファイルを開けない(VV_LIN_TMP)".
int write_jw_line_types(ImportState& state, Messages& messages);

}  // namespace zov
