// zovview --render FILE -o OUT.png [--size WxH] [--filter visible|all|hidden|locked]
//                  [--style standard|layers] [--dimension-ends 0|1|2|3] [--home DIR]
// Imports FILE, fits the drawing into the image as the view does after a
// load, draws one pass and saves the picture as PNG.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>

#include <QGuiApplication>

#include "commands.h"
#include "common/encoding.h"
#include "common/japanese_texts.h"
#include "common/messages.h"
#include "common/paths.h"
#include "render/drawing_view.h"
#include "render/qt_surface.h"

namespace {

constexpr int kMaxImageSide = 8192;

struct RenderOptions {
    std::string file;
    std::string output;
    int width = 1600;
    int height = 1131;
    zov::LayerFilter filter = zov::LayerFilter::Visible;
    zov::DisplayStyle style = zov::DisplayStyle::Standard;
    zov::DimensionEnds dimension_ends = zov::DimensionEnds::AsData;
};

bool parse_size(const std::string& text, int& width, int& height) {
    int w = 0, h = 0;
    char x = 0, rest = 0;
    if (std::sscanf(text.c_str(), "%d%c%d%c", &w, &x, &h, &rest) != 3 || (x != 'x' && x != 'X'))
        return false;
    if (w < 1 || h < 1 || w > kMaxImageSide || h > kMaxImageSide) return false;
    width = w;
    height = h;
    return true;
}

template <class Choice, std::size_t N>
bool parse_choice(const std::string& text, const char* const (&names)[N], Choice& choice) {
    for (std::size_t i = 0; i < N; ++i) {
        if (text == names[i]) {
            choice = static_cast<Choice>(i);
            return true;
        }
    }
    return false;
}

// Reads the options; prints what is wrong and gives nothing on a mistake.
std::optional<RenderOptions> parse_options(const CommandArgs& args) {
    static constexpr const char* kFilters[] = {"visible", "all", "hidden", "locked"};
    static constexpr const char* kStyles[] = {"standard", "layers"};
    static constexpr const char* kEnds[] = {"0", "1", "2", "3"};
    RenderOptions options;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const bool has_value = i + 1 < args.size();
        const std::string value = has_value ? args[i + 1] : std::string();
        bool ok = true;
        if (arg == "-o" && has_value) {
            options.output = value;
        } else if (arg == "--size" && has_value) {
            ok = parse_size(value, options.width, options.height);
        } else if (arg == "--filter" && has_value) {
            ok = parse_choice(value, kFilters, options.filter);
        } else if (arg == "--style" && has_value) {
            ok = parse_choice(value, kStyles, options.style);
        } else if (arg == "--dimension-ends" && has_value) {
            ok = parse_choice(value, kEnds, options.dimension_ends);
        } else if (arg == "--home" && has_value) {
            // the folder itself is taken by CommandFolder
        } else if (!arg.empty() && arg[0] != '-' && options.file.empty()) {
            options.file = arg;
            continue;
        } else {
            std::fprintf(stderr, "zovview --render: unexpected argument '%s'\n", arg.c_str());
            return std::nullopt;
        }
        if (!ok) {
            std::fprintf(stderr, "zovview --render: bad value '%s' for %s\n", value.c_str(),
                         arg.c_str());
            return std::nullopt;
        }
        ++i;
    }
    if (options.file.empty() || options.output.empty()) {
        std::fprintf(stderr, "zovview --render: FILE and -o OUT.png are needed\n");
        return std::nullopt;
    }
    return options;
}

int render(const RenderOptions& options, const std::string& folder, zov::Messages& messages) {
    if (import_source(options.file, folder, messages) != 0) return 1;
    zov::DrawingView view(folder, messages);
    view.source_was_dwg = zov::has_extension(options.file, ".dwg");
    view.settings.dimension_ends = options.dimension_ends;
    if (options.style == zov::DisplayStyle::LayerSheet && !view.show_layer_sheet()) return 1;
    view.settings.filter = options.filter;

    zov::ImageSurface image(options.width, options.height);
    if (view.draw_drawing(image.surface()) != 0) return 1;
    if (!image.save_png(options.output)) {
        zov::show_error(messages, zov::cp932_text(zov::JaText::CannotCreate),
                        zov::utf8_to_cp932(options.output).c_str());
        return 1;
    }
    zov::print_written_file(options.output);
    return 0;
}

}  // namespace

int render_command(const CommandArgs& args) {
    const std::optional<RenderOptions> options = parse_options(args);
    if (!options) return zov::kExitMisuse;
    // Fonts need a GUI application; without a display it paints offscreen.
    // The command reports through its own messages: Qt's notes about the
    // platform (no runtime folder and the like) are not shown.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    static int argc = 1;
    static char name[] = "zovview";
    static char* argv[] = {name, nullptr};
    QGuiApplication application(argc, argv);

    zov::ConsoleMessages messages;
    const CommandFolder folder(args);
    return render(*options, folder.path(), messages);
}
