#include "common/headless_commands.h"

#include <algorithm>
#include <cstdio>
#include <string_view>

#include "common/messages.h"
#include "common/program_version.h"

namespace zov {

namespace {

bool asks_for_help(std::string_view arg) { return arg == "--help" || arg == "-h"; }

int misuse(const ProgramUsage& usage, const std::string& reason) {
    std::fprintf(stderr, "%s: %s\n", usage.program, reason.c_str());
    std::fputs(usage.text, stderr);
    return kExitMisuse;
}

}  // namespace

int run_headless_command(std::span<const HeadlessCommand> commands, int argc, char** argv,
                         const ProgramUsage& usage) {
    CommandArgs args(argv + 1, argv + argc);
    if (std::any_of(args.begin(), args.end(), asks_for_help)) {
        std::fputs(usage.text, stdout);
        return kExitSuccess;
    }
    const auto quiet = std::remove(args.begin(), args.end(), "--quiet");
    set_quiet_output(quiet != args.end());
    args.erase(quiet, args.end());
    if (args.empty()) return misuse(usage, "no command given");
    const std::string name = args.front();
    if (name == "--version") {
        std::printf("%s %s\n", usage.program, kToolkitVersion);
        return kExitSuccess;
    }
    for (const HeadlessCommand& command : commands) {
        if (name != command.option) continue;
        const int code = command.run(CommandArgs(args.begin() + 1, args.end()));
        if (code == kExitMisuse) std::fputs(usage.text, stderr);
        return code;
    }
    return misuse(usage, "unknown command " + name);
}

void print_written_file(const std::string& path) {
    if (!quiet_output()) std::printf("%s\n", path.c_str());
}

}  // namespace zov
