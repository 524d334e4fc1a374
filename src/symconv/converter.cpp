#include "symconv/converter.h"

#include <cctype>
#include <cstdio>
#include <optional>

#include "common/encoding.h"
#include "common/program_version.h"
#include "common/whole_file.h"
#include "symconv/console.h"
#include "symconv/dxf_line_writer.h"
#include "symconv/dxf_sections.h"
#include "symconv/library_list.h"
#include "symconv/symbol_passes.h"
#include "symconv/texts.h"

namespace zov {

namespace {

bool is_option(const std::string& argument) {
    if (argument.size() < 2) return false;
    return argument[0] == '-' || (argument[0] == '/' && argument.size() == 2);
}

void print_usage_lines(Messages& messages) {
    for (const char* line : {kUsage1, kUsage2, kUsage3, kUsage4}) {
        print_text(messages, "%s\n", line);
    }
}

void print_usage(Messages& messages) {
    print_text(messages, "\n");
    print_text(messages, "%s", kConversionFailed);
    print_usage_lines(messages);
}

// Writes every section of the DXF file; the result of the block pass.
int write_dxf(ConverterContext& context, DxfGroupWriter& out) {
    write_header_and_tables(context, out);
    write_blocks_start(out);
    int blocks = block_pass(context, out);
    write_blocks_end(out);
    write_sheet_entities(context, out);
    write_inserts(context, out);
    write_end(out);
    return blocks;
}

}  // namespace

CommandLine parse_command_line(const std::vector<std::string>& arguments) {
    CommandLine line;
    for (auto it = arguments.rbegin(); it != arguments.rend(); ++it) {
        const std::string& argument = *it;
        if (argument == "--help") {
            line.help = true;
        } else if (argument == "--version") {
            line.version = true;
        } else if (is_option(argument)) {
            char choice = static_cast<char>(std::tolower(static_cast<unsigned char>(argument[1])));
            if (choice == 'n') line.ascii_names = true;
            if (choice == 's') line.thumbnail_mode = true;
        } else {
            line.has_library = true;
            line.library = argument;
        }
    }
    return line;
}

int run_converter(ConverterContext& context, const std::vector<std::string>& arguments) {
    Messages& messages = context.messages;
    CommandLine command = parse_command_line(arguments);
    if (command.version) {
        print_text(messages, "zr_jwk %s\n", kToolkitVersion);
        return kExitNormal;
    }
    context.ascii_names = command.ascii_names;
    context.thumbnail_mode = command.thumbnail_mode;
    print_text(messages, "\n%s\n", kBannerLine);
    if (command.help) {
        print_text(messages, "\n");
        print_usage_lines(messages);
        return kExitNormal;
    }
    if (!command.has_library) {
        print_usage(messages);
        return kExitUsage;
    }

    context.settings = ConverterSettings();
    load_converter_settings(context.launch_folder, context.settings, messages);
    if (!context.scratch.create(context.launch_folder, "ZR_JWK")) {
        report_error(messages, "%s", kCannotOpenList);
        return kExitFailed;
    }
    scan_library_folder(context, command.library);
    print_text(messages, "%s", kSurveying);
    if (survey_pass(context) != 0) {
        report_error(messages, "%s", kDxfNotCreated1);
        return kExitFailed;
    }

    const std::string dxf_path =
        context.library_folder + cp932_to_file_name(context.library_name + ".DXF");
    // The library is written whole or not at all: a run that fails leaves
    // the folder's old library (or none), never a part of one.
    WholeFileOutput file;
    if (!file.open(dxf_path)) {
        std::string shown = path_text(context.library_folder) + context.library_name + ".DXF";
        print_text(messages, kCannotCreateFile, shown.c_str());
        return kExitFailed;
    }
    print_text(messages, kConverting, context.symbol_count);
    DxfLineWriter file_lines(file.stream());
    DxfGroupWriter out(file_lines, kConverterLineEnd);
    int blocks = write_dxf(context, out);
    if (blocks != 0 || out.failed() || !file.commit()) {
        file.discard();
        report_error(messages, "%s", kDxfNotCreated2);
        return kExitFailed;
    }
    context.scratch.remove();
    show_losses(messages, context.losses);
    print_text(messages, "%s", kFinished);
    return kExitNormal;
}

}  // namespace zov
