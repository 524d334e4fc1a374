#include "symconv/symbol_passes.h"

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "common/paths.h"
#include "dxf/structure_writer.h"
#include "jw/jw_tables.h"
#include "symconv/console.h"
#include "symconv/element_geometry.h"
#include "symconv/element_writer.h"
#include "symconv/jws_drawing.h"
#include "symconv/jws_symbol.h"
#include "symconv/library_list.h"
#include "symconv/survey_sink.h"
#include "symconv/symbol_file.h"
#include "symconv/symbol_kind.h"
#include "symconv/texts.h"

namespace zov {

namespace {

// A symbol file of the list: a JW_CAD for Windows symbol (.jws, any letter
// case) or a .jwk symbol file (any other).
struct ListedSymbol {
    bool windows = false;
    SymbolFile jwk;
    JwsSymbol jws;

    double scale() const { return windows ? jws_symbol_scale(jws) : jwk.counts.scale; }
};

// Reads symbol `index` of the list; -1 after reporting that it cannot be opened.
int read_listed_symbol(const ConverterContext& context, const std::vector<std::string>& paths,
                       std::size_t index, ListedSymbol& symbol) {
    const std::string& path = paths[index];
    symbol = ListedSymbol();
    const SymbolKind kind = symbol_file_kind(path);
    symbol.windows =
        kind == SymbolKind::CannotOpen ? has_extension(path, ".jws") : kind == SymbolKind::Jws;
    bool opened =
        symbol.windows ? read_jws_symbol(path, symbol.jws) : read_symbol_file(path, symbol.jwk);
    if (opened) return 0;
    report_error(context.messages, kCannotOpenSymbol, path_text(path).c_str(),
                 static_cast<int>(index), static_cast<int>(paths.size()));
    return -1;
}

void widen_with_symbol(const ConverterSettings& settings, SurveyState& survey,
                       const SymbolFile& symbol) {
    for (const JwLineRecord& line : symbol.lines) {
        survey.widen(line.start_x, line.start_y);
        survey.widen(line.end_x, line.end_y);
    }
    for (const JwCircleRecord& circle : symbol.circles) {
        double r = circle.radius;
        survey.widen(circle.centre_x - r, circle.centre_y - r);
        survey.widen(circle.centre_x + r, circle.centre_y + r);
    }
    for (const JwPointRecord& point : symbol.points) survey.widen(point.x, point.y);
    for (const SymbolText& text : symbol.texts) {
        const JwTextRecord& r = text.record;
        survey.widen(r.start_x, r.start_y);
        int a =
            text_angle(r.end_x - r.start_x, r.end_y - r.start_y, (r.flags & kJwTextVertical) != 0);
        if (a == 0) continue;
        double h =
            text_height(settings, jw_text_kind(r.kind, JwProgram::Converter), survey.scale());
        double length = h * static_cast<double>(text.text.size());
        survey.widen(r.start_x + std::cos(a * kRadiansPerDegreeToElevenDecimals) * length,
                     r.start_y + std::sin(a * kRadiansPerDegreeToElevenDecimals) * length);
    }
}

void print_summary(ConverterContext& context, bool last_had_points) {
    Messages& messages = context.messages;
    const std::string folder = path_text(context.library_folder);
    const char* name = context.library_name.c_str();
    if (context.thumbnail_mode) {
        print_text(messages, "%s", kThumbnailNotice);
        print_text(messages, kSummaryThumbnail, folder.c_str(), name, kPaperA3,
                   context.settings.text_size_percent);
    } else {
        print_text(messages, kSummaryNormal, folder.c_str(), name,
                   context.layout.paper_name.c_str(), context.survey.scale(),
                   context.settings.text_size_percent);
    }
    if (context.ascii_names) print_text(messages, "%s", kAsciiNamesNotice);
    if (last_had_points) {
        if (context.settings.point_form == 2) print_text(messages, "%s", kPointsAsFilledCircles);
        if (context.settings.point_form == 1) print_text(messages, "%s", kPointsAsCircles);
    }
}

void write_jwk_elements(ElementWriter& elements, const SymbolFile& symbol) {
    for (const JwLineRecord& l : symbol.lines)
        elements.line(l.line_type, l.pen, l.start_x, l.start_y, l.end_x, l.end_y);
    for (const JwCircleRecord& c : symbol.circles)
        elements.circle(c.line_type, c.pen, c.centre_x, c.centre_y, c.radius, c.flatness,
                        c.start_angle, c.end_angle, c.tilt);
    for (const JwPointRecord& p : symbol.points) elements.point(p.pen, p.x, p.y);
    for (const SymbolText& t : symbol.texts) {
        const JwTextRecord& r = t.record;
        elements.text(r.kind, (r.flags & kJwTextVertical) != 0, r.start_x, r.start_y, r.end_x,
                      r.end_y, t.text);
    }
}

void write_block(const ConverterContext& context, const std::string& name,
                 const ListedSymbol& symbol, DxfGroupWriter& out) {
    out.texts({{0, "BLOCK"},
               {8, kLayerZero},
               {2, name},
               {70, "0"},
               {10, "0.0"},
               {20, "0.0"},
               {3, name},
               {1, ""}});
    ElementWriter elements(out, context.settings, context.survey.scale());
    if (symbol.windows)
        draw_jws_symbol(symbol.jws, context.settings, elements);
    else
        write_jwk_elements(elements, symbol.jwk);
    out.text(0, "ENDBLK");
}

// Widens the survey with one symbol and prints what it could not convert;
// true when it holds points.
bool survey_symbol(ConverterContext& context, const std::string& path, const ListedSymbol& symbol) {
    Messages& messages = context.messages;
    const std::string shown = path_text(path);
    context.survey.take_scale(symbol.scale());
    LossReport& losses = context.losses;
    if (!symbol.windows) {
        if (!symbol.jwk.complete) {
            print_text(messages, kSymbolCutShort, shown.c_str());
            losses.count(kLossUnreadRest);
        }
        if (symbol.jwk.non_finite > 0)
            print_text(messages, kSymbolNonFinite, shown.c_str(), symbol.jwk.non_finite);
        losses.count(kLossNonFinite, static_cast<std::size_t>(symbol.jwk.non_finite));
        widen_with_symbol(context.settings, context.survey, symbol.jwk);
        return !symbol.jwk.points.empty();
    }
    if (symbol.jws.status == JwwReadStatus::CutShort)
        print_text(messages, kSymbolCutShort, shown.c_str());
    else if (symbol.jws.status != JwwReadStatus::Whole)
        print_text(messages, kSymbolDamaged, shown.c_str());
    if (symbol.jws.status != JwwReadStatus::Whole) losses.count(kLossUnreadRest);
    SurveySink sink(context.survey);
    JwsDrawingCounts counts = draw_jws_symbol(symbol.jws, context.settings, sink);
    losses.count(kLossNonFinite, static_cast<std::size_t>(counts.non_finite));
    losses.count(kLossInserts, static_cast<std::size_t>(counts.inserts_left_out));
    if (counts.cut) losses.count(kLossTooLarge);
    if (counts.non_finite > 0)
        print_text(messages, kSymbolNonFinite, shown.c_str(), counts.non_finite);
    if (counts.inserts_left_out > 0)
        print_text(messages, kSymbolInsertsLeftOut, shown.c_str(), counts.inserts_left_out);
    if (counts.cut) print_text(messages, kSymbolTooLarge, shown.c_str(), counts.elements);
    return counts.points > 0;
}

}  // namespace

int survey_pass(ConverterContext& context) {
    context.survey.reset();
    std::FILE* thumbnails = nullptr;
    if (context.thumbnail_mode) {
        thumbnails = std::fopen(context.thumbnail_path().c_str(), "wb");
        if (thumbnails == nullptr) {
            report_error(context.messages, kCannotCreateBro);
            return -1;
        }
    }
    std::vector<std::string> paths;
    int result = read_library_list(context, paths);
    bool last_had_points = false;
    ListedSymbol symbol;
    for (std::size_t i = 0; result == 0 && i < paths.size(); ++i) {
        if (context.thumbnail_mode) context.survey.reset();
        if (read_listed_symbol(context, paths, i, symbol) != 0) {
            result = -1;
            break;
        }
        last_had_points = survey_symbol(context, paths[i], symbol);
        if (thumbnails != nullptr) {
            ThumbnailRecord record = thumbnail_record(context.survey);
            if (std::fwrite(&record, sizeof record, 1, thumbnails) != 1) {
                report_error(context.messages, kCannotCreateBro);
                result = -1;
            }
        }
    }
    if (thumbnails != nullptr && std::fclose(thumbnails) != 0 && result == 0) {
        report_error(context.messages, kCannotCreateBro);
        result = -1;
    }
    if (result != 0) return -1;
    if (!context.thumbnail_mode) context.layout = normal_layout(context.survey);
    print_summary(context, last_had_points);
    return 0;
}

int block_pass(ConverterContext& context, DxfGroupWriter& out) {
    context.survey.reset();
    std::vector<std::string> paths;
    if (read_library_list(context, paths) != 0) return -1;
    const std::vector<std::string> names = symbol_block_names(context, paths);
    ListedSymbol symbol;
    for (std::size_t i = 0; i < paths.size(); ++i) {
        if (context.thumbnail_mode) context.survey.reset();
        if (read_listed_symbol(context, paths, i, symbol) != 0) return -1;
        context.survey.take_scale(symbol.scale());
        write_block(context, names[i], symbol, out);
    }
    return 0;
}

}  // namespace zov
