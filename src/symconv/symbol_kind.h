#pragma once
// Which JW_CAD symbol file a file of the library folder is, told by its first
// bytes: the DOS-era "jw_cad(c)sym" or JW_CAD for Windows' "JwsData.".
#include <string>

namespace zov {

enum class SymbolKind { NotSymbol, Jwk, Jws, CannotOpen };

// The kind of the file at `path` (file-system path). A file that cannot be
// opened is CannotOpen: the conversion reports it as it reports any symbol
// file it cannot open.
SymbolKind symbol_file_kind(const std::string& path);

}  // namespace zov
