// zovedit --rebuild FILE.TXT [-o OUT.DXF] [--rule 0|1|2] [--eol crlf|cr|lf] [--yes]
#include <cstdio>

#include "analyser/rebuild.h"
#include "commands.h"
#include "common/encoding.h"

int rebuild_command(const CommandArgs& args) {
    CommandOptions options(args, {"-o", "--rule", "--eol"}, {"--yes"});
    int rule = options.choice("--rule", {"0", "1", "2"});
    int line_end = options.choice("--eol", {"crlf", "cr", "lf"});
    if (!options.ok()) {
        std::fprintf(stderr, "zovedit --rebuild: %s\n", options.error().c_str());
        return zov::kExitMisuse;
    }
    const std::optional<std::string> analysis = command_file_name("--rebuild", options.file());
    if (!analysis) return 1;
    std::optional<std::string> output;
    if (std::optional<std::string> given = options.value("-o")) {
        output = command_file_name("--rebuild", *given);
        if (!output) return 1;
    }

    HeadlessSession session(options.flag("--yes"));
    zov::AnalyserContext& context = session.context();
    if (rule >= 0) context.settings.naming_rule = rule;
    if (line_end >= 0) context.settings.line_ends = line_end + 1;
    if (output) session.dialogs().output_path = *output;
    std::string output_path;
    if (!zov::make_dxf_from_analysis(context, *analysis, output_path)) return 1;
    zov::print_written_file(zov::cp932_to_utf8(output_path));
    return 0;
}
