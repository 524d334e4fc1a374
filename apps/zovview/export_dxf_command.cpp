// zovview --export-dxf FILE -o OUT.dxf [--style standard|layers] [--home DIR]:
// loads FILE through the viewer's load pipeline, writes the drawing (or, with
// --style layers, the layer sheet) through the viewer's DXF writer, and moves
// DxfTest.DXF to OUT.
#include <cstdio>
#include <filesystem>
#include <string>

#include "commands.h"
#include "common/messages.h"
#include "dxf_export/dxf_export.h"
#include "render/layer_sheet.h"
#include "store/records.h"
#include "viewer/headless_load.h"

namespace {

struct ExportArguments {
    std::string file;
    std::string output;
    bool layer_sheet = false;
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
        } else if (arg == "--home" && has_value) {
            ++i;
        } else if (arg.rfind("-", 0) == 0 || !out.file.empty()) {
            return false;
        } else {
            out.file = arg;
        }
    }
    return !out.file.empty() && !out.output.empty();
}

// Moves the written file to where the user wants it, across file systems too.
bool move_file(const std::string& from, const std::string& to) {
    std::error_code error;
    std::filesystem::rename(from, to, error);
    if (!error) return true;
    error.clear();
    std::filesystem::copy_file(from, to, std::filesystem::copy_options::overwrite_existing, error);
    if (error) return false;
    std::filesystem::remove(from, error);
    return true;
}

int export_in_folder(const ExportArguments& arguments, const std::string& folder) {
    zov::ConsoleMessages messages;
    if (zov::load_drawing_headless(folder, arguments.file, messages) != 0) return 1;
    const char* store = zov::kDataFileName;
    if (arguments.layer_sheet) {
        zov::LayerSheetGrid grid;
        if (zov::build_layer_sheet(folder, messages, grid) != 0) return 1;
        store = zov::kLayerSheetFileName;
    }
    zov::DxfHandles handles;
    if (zov::export_dxf(handles, folder, store, messages) != 0) return 1;
    if (!move_file(folder + zov::kDxfOutputFileName, arguments.output)) {
        std::fprintf(stderr, "zovview: %s cannot be written\n", arguments.output.c_str());
        return 1;
    }
    zov::print_written_file(arguments.output);
    return 0;
}

}  // namespace

int export_dxf_command(const CommandArgs& args) {
    ExportArguments arguments;
    if (!parse_arguments(args, arguments)) {
        std::fprintf(stderr, "zovview --export-dxf: one FILE and -o OUT.dxf are needed, "
                             "--style is standard or layers\n");
        return zov::kExitMisuse;
    }
    const CommandFolder folder(args);
    return export_in_folder(arguments, folder.path());
}
