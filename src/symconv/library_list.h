#pragma once
// The scan of the library folder into the list file JWK_LIST.TMP (launch
// folder), records of 260 bytes: record 0 holds the symbol count (int32), record
// 1 the path of ZU_NAME.DAT or zeros, records 2... the path of each symbol file.
#include <cstddef>
#include <string>
#include <vector>

#include "symconv/converter_context.h"

namespace zov {

inline constexpr std::size_t kListRecordSize = 260;

// Fills library_folder (the folder `argument` names, with or without its
// trailing "/", or else the folder part of `argument`), library_name,
// symbol_count and the list file; 0, or -1 after reporting the failure (the
// list file is then removed).
int scan_library_folder(ConverterContext& context, const std::string& argument);

// The symbol file paths of the list file, symbol_count of them; 0, or -1
// after reporting that the list file cannot be opened.
int read_library_list(const ConverterContext& context, std::vector<std::string>& paths);

// A symbol's name as the DXF shows it: the file name without folder and
// extension, in CP932.
std::string symbol_name(const std::string& path);

// The block name of each symbol file of `paths` (library_block_names).
std::vector<std::string> symbol_block_names(const ConverterContext& context,
                                            const std::vector<std::string>& paths);

// The library name held by a ZU_NAME.DAT: the text of its first 200 bytes up
// to the first NUL, without trailing blanks and line ends; "" when none.
std::string read_library_name(const std::string& path);

}  // namespace zov
