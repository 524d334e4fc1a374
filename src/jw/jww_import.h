#pragma once
// The viewer's import of JW_CAD for Windows drawings (.jww) and symbols
// (.jws) into the drawing store, beside that of the DOS files.
#include <string>

#include "jw/jw_rounding.h"

namespace zov {

class ImportState;
class Messages;

// Imports `source_path` (a file-system path) into the store of `state`, as
// import_jwc_file does a DOS file: a scan pass learns the used layers and
// groups, the drawing scale and the block definitions, an output pass writes
// layers, entities, blocks and texts; then the line types, the assembly and
// the dump. 0 when the file was read whole; -1 after a reported failure
// (the store then holds what was read before it).
int import_jww_file(const std::string& source_path, ImportState& state, Messages& messages,
                    JwImportSettings& settings);

// Any JW_CAD file, whichever extension it has: a .jww or .jws signature
// goes to import_jww_file, everything else to import_jwc_file (which tells
// a DOS data file from a symbol file, or rejects the file).
int import_jw_cad_file(const std::string& source_path, ImportState& state, Messages& messages,
                       JwImportSettings& settings);

}  // namespace zov
