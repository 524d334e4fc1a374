#pragma once
// The converter's main flow: "ZR_JWK DirectryName [-n] [-s]".
#include <string>
#include <vector>

#include "symconv/converter_context.h"

namespace zov {

// Exit codes of a run.
inline constexpr int kExitNormal = 0;
inline constexpr int kExitFailed = -1;
inline constexpr int kExitUsage = 1;

struct CommandLine {
    bool has_library = false;
    std::string library;          // the argument naming the library; its folder part is converted
    bool ascii_names = false;     // -n
    bool thumbnail_mode = false;  // -s
    bool help = false;            // --help: the banner and the usage text, nothing converted
    bool version = false;         // --version: the program's name and version only
};

// Looks at the arguments (without the program name) from the last to the
// first. "-X" is an option chosen by its second character (n: ascii_names,
// s: thumbnail_mode, any case; others are ignored); so is "/X" of exactly two
// characters, the option form of the converter's origin, while a longer
// argument starting with "/" is an absolute path. "--help" and "--version"
// are taken whole. Every other argument names the library; the first such
// argument wins.
CommandLine parse_command_line(const std::vector<std::string>& arguments);

// One run: settings, folder scan, survey, the DXF file, the block pass and
// the sheet. `context.launch_folder` must be set. Returns kExitNormal,
// kExitFailed or kExitUsage; --help and --version end normally.
int run_converter(ConverterContext& context, const std::vector<std::string>& arguments);

}  // namespace zov
