#include "symconv/library_list.h"

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>

#include "common/cp932.h"
#include "common/encoding.h"
#include "common/files.h"
#include "common/paths.h"
#include "symconv/block_names.h"
#include "symconv/console.h"
#include "symconv/symbol_kind.h"
#include "symconv/texts.h"

namespace zov {

namespace {

constexpr std::size_t kLibraryNameBytes = 200;

bool write_record(std::FILE* file, std::string_view text) {
    char record[kListRecordSize] = {};
    text.copy(record, kListRecordSize - 1);
    return std::fwrite(record, 1, kListRecordSize, file) == kListRecordSize;
}

// A folder that the converter can search: an existing directory, named.
bool can_enter(const std::string& folder) {
    std::error_code error;
    return !folder.empty() && std::filesystem::is_directory(folder, error);
}

// ZU_NAME.DAT of the folder, found in any letter case.
std::string library_name_file(const std::string& folder) {
    std::string exact = folder + kLibraryNameFile;
    if (file_exists(exact)) return exact;
    std::vector<FoundFile> found = find_files(folder, kLibraryNameFile);
    return found.empty() ? exact : folder + found.front().name;
}

// The symbol files of a library: .jwk, and JW_CAD for Windows' .jws, in any
// letter case.
bool is_symbol_file_name(const std::string& name) {
    return has_extension(name, ".jwk") || has_extension(name, ".jws");
}

// A symbol file the list can hold: its path fits a record. (Any name can be
// written into the DXF: one that is no UTF-8 is taken as CP932 already.)
bool listable(const std::string& path) { return path.size() < kListRecordSize; }

int list_failure(const ConverterContext& context) {
    report_error(context.messages, kCannotOpenList);
    return -1;
}

// Writes records 0 to 2+n; -1 after reporting what failed.
int write_list(ConverterContext& context, std::FILE* list) {
    if (!write_record(list, {})) return list_failure(context);

    std::string name_file = library_name_file(context.library_folder);
    std::FILE* probe = std::fopen(name_file.c_str(), "rb");
    if (probe == nullptr) {
        if (!write_record(list, {})) return list_failure(context);
        context.library_name = kDefaultLibraryName;
    } else {
        std::fclose(probe);
        if (!write_record(list, name_file.size() < kListRecordSize ? name_file : std::string()))
            return list_failure(context);
    }

    std::vector<FoundFile> found = find_files(context.library_folder, "*.JW?");
    std::erase_if(found, [](const FoundFile& file) { return !is_symbol_file_name(file.name); });
    context.symbol_count = 0;
    for (const FoundFile& file : found) {
        std::string path = context.library_folder + file.name;
        if (!listable(path)) {
            report_error(context.messages, kCannotOpenSymbol, path_text(path).c_str(),
                         context.symbol_count, static_cast<int>(found.size()));
            return -1;
        }
        // A file that only bears a symbol file's name would become an empty
        // block: it is named and left out.
        if (symbol_file_kind(path) == SymbolKind::NotSymbol) {
            print_text(context.messages, kNotSymbolFile, path_text(path).c_str());
            context.losses.count(kLossNotSymbolFile);
            continue;
        }
        if (!write_record(list, path)) return list_failure(context);
        ++context.symbol_count;
    }
    std::int32_t count = context.symbol_count;
    if (std::fseek(list, 0, SEEK_SET) != 0 || std::fwrite(&count, sizeof count, 1, list) != 1)
        return list_failure(context);

    if (context.library_name.empty()) {
        // The library file is written into the library folder whatever the
        // name file says: a name, never a path.
        context.library_name = name_without_folders(read_library_name(name_file));
        if (context.library_name.empty()) context.library_name = kDefaultLibraryName;
    }
    return 0;
}

// The folder an argument names: an existing folder with or without its
// trailing "/" (as shells complete it either way), or else the folder part.
std::string library_folder_of(const std::string& argument) {
    if (!argument.empty() && argument.back() != '/' && can_enter(argument)) return argument + "/";
    return split_path(argument).folder;
}

}  // namespace

int scan_library_folder(ConverterContext& context, const std::string& argument) {
    context.library_name.clear();
    context.symbol_count = 0;
    context.losses = LossReport();
    context.library_folder = library_folder_of(argument);

    const std::string list_path = context.list_path();
    std::FILE* list = std::fopen(list_path.c_str(), "wb");
    if (list == nullptr) return list_failure(context);
    if (!can_enter(context.library_folder)) {
        report_error(context.messages, kBadParameter, path_text(argument).c_str());
        std::fclose(list);
        delete_file(list_path);
        return -1;
    }
    int result = write_list(context, list);
    if (std::fclose(list) != 0 && result == 0) result = list_failure(context);
    if (result != 0) delete_file(list_path);
    return result;
}

int read_library_list(const ConverterContext& context, std::vector<std::string>& paths) {
    paths.clear();
    std::FILE* list = std::fopen(context.list_path().c_str(), "rb");
    if (list == nullptr) return list_failure(context);
    char record[kListRecordSize];
    std::fseek(list, 2 * static_cast<long>(kListRecordSize), SEEK_SET);
    for (int i = 0; i < context.symbol_count; ++i) {
        std::size_t got = std::fread(record, 1, kListRecordSize, list);
        std::memset(record + got, 0, kListRecordSize - got);
        paths.push_back(std::string(fixed_text(record)));
    }
    std::fclose(list);
    return 0;
}

std::string symbol_name(const std::string& path) {
    return file_name_to_cp932(split_path(path).name);
}

std::vector<std::string> symbol_block_names(const ConverterContext& context,
                                            const std::vector<std::string>& paths) {
    std::vector<std::string> names;
    names.reserve(paths.size());
    for (const std::string& path : paths) names.push_back(symbol_name(path));
    return library_block_names(names, context.ascii_names);
}

std::string read_library_name(const std::string& path) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) return std::string();
    char text[kLibraryNameBytes + 1] = {};
    std::size_t got = std::fread(text, 1, kLibraryNameBytes, file);
    std::fclose(file);
    std::string name(text, strnlen(text, got));
    while (!name.empty() && (name.back() == ' ' || name.back() == '\t' || name.back() == '\r' ||
                             name.back() == '\n'))
        name.pop_back();
    return name;
}

}  // namespace zov
