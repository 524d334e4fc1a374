// zovview --export-dxf FILE -o OUT.dxf [--style standard|layers] [--home DIR] [--yes]:
// loads FILE through the viewer's load pipeline, writes the drawing (or, with
// --style layers, the layer sheet) through the viewer's DXF writer, and moves
// DxfTest.DXF to OUT (never over FILE; over an existing OUT only with --yes).
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "commands.h"
#include "common/messages.h"
#include "dxf_export/dxf_export.h"
#include "render/layer_sheet.h"
#include "store/records.h"

namespace {

struct ExportArguments {
    std::string file;
    std::string output;
    bool layer_sheet = false;
    bool replace = false;  // --yes: an existing output may be replaced
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
        } else if (arg == "--yes") {
            out.replace = true;
        } else if (arg.rfind("-", 0) == 0 || !out.file.empty()) {
            return false;
        } else {
            out.file = arg;
        }
    }
    return !out.file.empty() && !out.output.empty();
}

// Puts the written file where the user wants it, whole: across file systems
// too, and never over a file that appeared under the name meanwhile unless
// the user allowed replacing it.
bool move_file(const std::string& from, const std::string& to, bool replace) {
    std::ifstream in(from, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    if (!in.good() && !in.eof()) return false;
    const zov::ExistingTarget existing =
        replace ? zov::ExistingTarget::Replace : zov::ExistingTarget::Keep;
    if (!zov::write_whole_file(to, bytes.str(), existing)) return false;
    std::error_code ignored;
    std::filesystem::remove(from, ignored);
    return true;
}

int export_in_folder(const ExportArguments& arguments, const CommandFolder& command_folder) {
    zov::ConsoleMessages messages;
    if (import_source(arguments.file, command_folder, messages) != 0) return 1;
    const std::string& folder = command_folder.store();
    const char* store = zov::kDataFileName;
    if (arguments.layer_sheet) {
        zov::LayerSheetGrid grid;
        if (zov::build_layer_sheet(folder, messages, grid) != 0) return 1;
        store = zov::kLayerSheetFileName;
    }
    zov::DxfHandles handles;
    if (zov::export_dxf(handles, folder, store, messages) != 0) return 1;
    if (!move_file(folder + zov::kDxfOutputFileName, arguments.output, arguments.replace)) {
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
    if (!may_write_output(arguments.output, arguments.file, arguments.replace)) return 1;
    const CommandFolder folder(args);
    if (!folder.ok()) return 1;
    return export_in_folder(arguments, folder);
}
