// zovview --render FILE... -o OUT.png|OUT.pdf|OUT.svg|FOLDER/ [--size WxH|A0..A4]
//                  [--paper black|white] [--format png|pdf|svg]
//                  [--filter visible|all|hidden|locked] [--style standard|layers]
//                  [--dimension-ends 0|1|2|3] [--view X0,Y0,X1,Y1] [--home DIR] [--yes]
// Imports each FILE, fits the drawing into the picture or page as the view
// does after a load (or the rectangle of --view, in drawing units, as after
// a rubber-band zoom), draws one pass and saves it as PNG, or by the output's
// extension as a PDF page or an SVG picture (page size from the drawing's
// paper unless --size gives one). Into a folder the outputs go as
// FILE-name.png (or --format's extension). An output is never written over
// a FILE of the run, and over an existing file only with --yes.
#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include <QGuiApplication>

#include "commands.h"
#include "common/encoding.h"
#include "common/japanese_texts.h"
#include "common/loss_report.h"
#include "common/messages.h"
#include "common/paths.h"
#include "store/import_state.h"
#include "store/records.h"
#include "store/store_reader.h"
#include "surfaces/band_picture.h"
#include "surfaces/page_output.h"
#include "view/drawing_view.h"

namespace {

constexpr int kMaxImageSide = 8192;

enum class Format { Png, Pdf, Svg };

struct RenderOptions {
    std::vector<std::string> files;
    std::string output;
    int width = 1600;  // PNG
    int height = 1131;
    std::optional<zov::PageSize> page;  // PDF and SVG: --size, else the drawing's paper
    Format folder_format = Format::Png;
    zov::Paper paper = zov::Paper::Black;
    zov::LayerFilter filter = zov::LayerFilter::Visible;
    zov::DisplayStyle style = zov::DisplayStyle::Standard;
    zov::DimensionEnds dimension_ends = zov::DimensionEnds::AsData;
    std::optional<zov::DrawingExtents> view_area;  // --view
    bool replace = false;                          // --yes
};

// One side of WxH: decimal digits only, so that a number too large for an
// int is refused rather than wrapped round.
bool parse_side(std::string_view text, int& side) {
    if (text.empty() || text.find_first_not_of("0123456789") != std::string_view::npos)
        return false;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), side);
    return error == std::errc() && end == text.data() + text.size();
}

bool parse_size(const std::string& text, int& width, int& height) {
    const std::size_t x = text.find_first_of("xX");
    int w = 0, h = 0;
    if (x == std::string::npos || !parse_side(std::string_view(text).substr(0, x), w) ||
        !parse_side(std::string_view(text).substr(x + 1), h))
        return false;
    if (w < 1 || h < 1 || w > kMaxImageSide || h > kMaxImageSide) return false;
    width = w;
    height = h;
    return true;
}

// --view X0,Y0,X1,Y1: two corners of a rectangle in drawing units, finite,
// with a width and a height.
std::optional<zov::DrawingExtents> parse_view_area(std::string_view text) {
    double v[4];
    for (int i = 0; i < 4; ++i) {
        const std::size_t comma = i < 3 ? text.find(',') : text.size();
        if (comma == std::string_view::npos) return std::nullopt;
        const std::string_view number = text.substr(0, comma);
        const auto [end, error] =
            std::from_chars(number.data(), number.data() + number.size(), v[i]);
        if (error != std::errc() || end != number.data() + number.size() || !std::isfinite(v[i]))
            return std::nullopt;
        text.remove_prefix(i < 3 ? comma + 1 : comma);
    }
    if (v[0] == v[2] || v[1] == v[3]) return std::nullopt;
    return zov::DrawingExtents{std::min(v[0], v[2]), std::min(v[1], v[3]), std::max(v[0], v[2]),
                               std::max(v[1], v[3])};
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

Format format_of(const std::string& output) {
    if (zov::has_extension(output, ".pdf")) return Format::Pdf;
    if (zov::has_extension(output, ".svg")) return Format::Svg;
    return Format::Png;
}

const char* extension_of(Format format) {
    switch (format) {
        case Format::Pdf: return ".pdf";
        case Format::Svg: return ".svg";
        case Format::Png: break;
    }
    return ".png";
}

// The format of the outputs: by the extension of -o, or --format for a folder.
Format output_format(const RenderOptions& options) {
    return names_folder(options.output) ? options.folder_format : format_of(options.output);
}

// --size: WxH pixels for a PNG, a paper or WxH millimetres for a page.
bool take_size(const std::string& text, RenderOptions& options) {
    if (output_format(options) == Format::Png) {
        if (parse_size(text, options.width, options.height)) return true;
        std::fprintf(stderr, "zovview --render: --size of a PNG is WxH pixels (1 to %d)\n",
                     kMaxImageSide);
        return false;
    }
    zov::PageSize page;
    if (zov::parse_page_size(text, page)) {
        options.page = page;
        return true;
    }
    std::fprintf(stderr,
                 "zovview --render: --size of a PDF or SVG page is A0 to A4 (A4P: "
                 "portrait) or WxH millimetres\n");
    return false;
}

// Reads the options; prints what is wrong and gives nothing on a mistake.
std::optional<RenderOptions> parse_options(const CommandArgs& args) {
    static constexpr const char* kFilters[] = {"visible", "all", "hidden", "locked"};
    static constexpr const char* kStyles[] = {"standard", "layers"};
    static constexpr const char* kEnds[] = {"0", "1", "2", "3"};
    static constexpr const char* kPapers[] = {"black", "white"};
    static constexpr const char* kFormats[] = {"png", "pdf", "svg"};
    RenderOptions options;
    std::string size;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const bool has_value = i + 1 < args.size();
        const std::string value = has_value ? args[i + 1] : std::string();
        bool ok = true;
        if (arg == "-o" && has_value) {
            options.output = value;
        } else if (arg == "--size" && has_value) {
            size = value;
        } else if (arg == "--paper" && has_value) {
            ok = parse_choice(value, kPapers, options.paper);
        } else if (arg == "--format" && has_value) {
            ok = parse_choice(value, kFormats, options.folder_format);
        } else if (arg == "--filter" && has_value) {
            ok = parse_choice(value, kFilters, options.filter);
        } else if (arg == "--style" && has_value) {
            ok = parse_choice(value, kStyles, options.style);
        } else if (arg == "--dimension-ends" && has_value) {
            ok = parse_choice(value, kEnds, options.dimension_ends);
        } else if (arg == "--view" && has_value) {
            options.view_area = parse_view_area(value);
            ok = options.view_area.has_value();
        } else if (arg == "--home" && has_value) {
            // the folder itself is taken by CommandFolder
        } else if (arg == "--yes") {
            options.replace = true;
            continue;
        } else if (!arg.empty() && arg[0] != '-') {
            options.files.push_back(arg);
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
    if (options.files.empty() || options.output.empty()) {
        std::fprintf(stderr, "zovview --render: FILE and -o OUT.png|OUT.pdf|OUT.svg are needed\n");
        return std::nullopt;
    }
    if (!size.empty() && !take_size(size, options)) return std::nullopt;
    return options;
}

zov::ExistingTarget existing_target(const RenderOptions& options) {
    return options.replace ? zov::ExistingTarget::Replace : zov::ExistingTarget::Keep;
}

int save_png(zov::DrawingView& view, const RenderOptions& options, const std::string& output,
             zov::Messages& messages) {
    const QImage picture = zov::draw_picture(view, options.width, options.height, options.paper,
                                             zov::band_count(options.width, options.height));
    if (picture.isNull()) return 1;
    if (!zov::save_png_whole(picture, output, existing_target(options))) {
        zov::show_error(messages, zov::cp932_text(zov::JaText::CannotCreate),
                        zov::utf8_to_cp932(output).c_str());
        return 1;
    }
    return 0;
}

// The page of a PDF or SVG output: --size, else the drawing's paper.
zov::PageSize page_of(const RenderOptions& options, const std::string& folder) {
    if (options.page) return *options.page;
    zov::StoreReader store;
    return store.open(folder + zov::kDataFileName) == 0 ? zov::page_size_of(store.header())
                                                        : zov::PageSize{};
}

int render(const RenderOptions& options, const std::string& file, const std::string& output,
           const CommandFolder& folder, zov::Messages& messages) {
    // The pass draws every kind the store holds: what the picture lacks is
    // what the import could not store.
    zov::LossReport dropped;
    if (import_source(file, folder, messages, nullptr, &dropped) != 0) return 1;
    zov::DrawingView view(folder.store(), messages);
    view.source_was_dwg = zov::has_extension(file, ".dwg");
    view.settings.dimension_ends = options.dimension_ends;
    view.area_after_fit = options.view_area;
    if (options.style == zov::DisplayStyle::LayerSheet && !view.show_layer_sheet()) return 1;
    view.settings.filter = options.filter;

    const Format format = format_of(output);
    int written = 0;
    if (format == Format::Png) {
        written = save_png(view, options, output, messages);
    } else {
        const zov::PageSize page = page_of(options, folder.store());
        written = format == Format::Pdf ? zov::write_pdf(view, output, page, options.paper,
                                                         messages, existing_target(options))
                                        : zov::write_svg(view, output, page, options.paper,
                                                         messages, existing_target(options));
    }
    if (written != 0) return 1;
    zov::print_written_file(output);
    zov::show_losses(messages, dropped, zov::kImportLossHint);
    return 0;
}

}  // namespace

int render_command(const CommandArgs& args) {
    const std::optional<RenderOptions> options = parse_options(args);
    if (!options) return zov::kExitMisuse;
    // Before the GUI application starts its threads (signals are taken by
    // one thread of the folder's clean-up).
    const CommandFolder folder(args);
    if (!folder.ok()) return 1;
    // Fonts need a GUI application; without a display it paints offscreen.
    // The command reports through its own messages: Qt's notes about the
    // platform (no runtime folder and the like) are not shown.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    static int argc = 1;
    static char name[] = "zovview";
    static char* argv[] = {name, nullptr};
    // Never destroyed, as the process ends after the command: the teardown
    // of the font database loads the whole font configuration just to drop
    // it whenever no text was drawn, a good part of a small render's time.
    static const QGuiApplication* const application = new QGuiApplication(argc, argv);
    (void)application;

    zov::ConsoleMessages messages;
    return run_batch(options->files, options->output, extension_of(options->folder_format),
                     options->replace, [&](const std::string& file, const std::string& output) {
                         return render(*options, file, output, folder, messages);
                     });
}
