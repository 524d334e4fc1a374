// zovview --export-dxf FILE... -o OUT.dxf|FOLDER/ [--full] [--style standard|layers]
//                      [--home DIR] [--yes]:
// loads each FILE through the viewer's load pipeline, writes the drawing (or,
// with --style layers, the layer sheet) through the viewer's DXF writer, and
// moves DxfTest.DXF to its output (never over a FILE of the run; over an
// existing output only with --yes). --full writes texts, points, solids,
// leaders, dimensions, blocks and inserts as well. What neither the import
// nor the writer could carry over is shown as one warning per kind.
#include <cstdio>
#include <string>
#include <vector>

#include "commands.h"
#include "common/loss_report.h"
#include "common/messages.h"
#include "dxf_export/dxf_export.h"
#include "store/import_state.h"
#include "store/records.h"
#include "view/layer_sheet.h"

namespace {

struct ExportArguments {
    std::vector<std::string> files;
    std::string output;
    bool layer_sheet = false;
    bool replace = false;  // --yes: an existing output may be replaced
    zov::DxfContent content = zov::DxfContent::Curves;
};

bool parse_arguments(const CommandArgs& args, ExportArguments& out) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const bool has_value = i + 1 < args.size();
        if (arg == "-o" && has_value) {
            out.output = args[++i];
        } else if (arg == "--style" && has_value) {
            const std::string& style = args[++i];
            if (style != "standard" && style != "layers") return false;
            out.layer_sheet = style == "layers";
        } else if (arg == "--full") {
            out.content = zov::DxfContent::Full;
        } else if (arg == "--home" && has_value) {
            ++i;
        } else if (arg == "--yes") {
            out.replace = true;
        } else if (arg.rfind("-", 0) == 0) {
            return false;
        } else {
            out.files.push_back(arg);
        }
    }
    return !out.files.empty() && !out.output.empty();
}

int export_in_folder(const ExportArguments& arguments, const std::string& file,
                     const std::string& output, const CommandFolder& command_folder) {
    zov::ConsoleMessages messages;
    zov::LossReport dropped;
    if (import_source(file, command_folder, messages, nullptr, &dropped) != 0) return 1;
    zov::show_losses(messages, dropped, zov::kImportLossHint);
    const std::string& folder = command_folder.store();
    const char* store = zov::kDataFileName;
    if (arguments.layer_sheet) {
        zov::LayerSheetGrid grid;
        if (zov::build_layer_sheet(folder, messages, grid) != 0) return 1;
        store = zov::kLayerSheetFileName;
    }
    zov::DxfHandles handles;
    zov::DxfExportTally tally;
    const bool exported =
        zov::export_dxf(handles, folder, store, messages, arguments.content, &tally);
    zov::show_losses(messages, tally.losses,
                     arguments.content == zov::DxfContent::Curves ? zov::kFullExportHint : "");
    if (!exported) return 1;
    if (!move_into_place(folder + zov::kDxfOutputFileName, output, arguments.replace)) {
        std::fprintf(stderr, "zovview: %s cannot be written\n", output.c_str());
        return 1;
    }
    zov::print_written_file(output);
    return 0;
}

}  // namespace

int export_dxf_command(const CommandArgs& args) {
    ExportArguments arguments;
    if (!parse_arguments(args, arguments)) {
        std::fprintf(stderr,
                     "zovview --export-dxf: FILE... and -o OUT.dxf|FOLDER/ are needed, "
                     "--style is standard or layers\n");
        return zov::kExitMisuse;
    }
    const CommandFolder folder(args);
    if (!folder.ok()) return 1;
    return run_batch(arguments.files, arguments.output, ".dxf", arguments.replace,
                     [&](const std::string& file, const std::string& output) {
                         return export_in_folder(arguments, file, output, folder);
                     });
}
