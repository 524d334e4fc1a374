#include "symconv/symbol_kind.h"

#include <cstdio>

#include "jw/jw_header.h"
#include "jw/jww_reader.h"

namespace zov {

SymbolKind symbol_file_kind(const std::string& path) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) return SymbolKind::CannotOpen;
    JwBlock start = {};
    const std::size_t got = std::fread(start, 1, sizeof start, file);
    std::fclose(file);
    if (classify_jw_file(start).kind == JwFileKind::Symbol) return SymbolKind::Jwk;
    if (jww_file_kind(std::string_view(start, got)) == JwwFileKind::Symbol) return SymbolKind::Jws;
    return SymbolKind::NotSymbol;
}

}  // namespace zov
