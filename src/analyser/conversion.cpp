#include "analyser/conversion.h"

#include <charconv>

#include "analyser/analysis_header.h"
#include "analyser/dialogs.h"
#include "analyser/disk.h"
#include "analyser/item_index.h"
#include "analyser/item_lines.h"
#include "analyser/output_name.h"
#include "analyser/text_lines.h"
#include "analyser/texts.h"
#include "common/cp932.h"
#include "common/encoding.h"
#include "common/paths.h"
#include "dxf/binary_groups.h"

namespace zov {

namespace {

constexpr std::size_t kSelectedNameLimit = 20;

// The settings entries of the selected items (non-empty KK0 to KK9 in order).
std::vector<std::string> selected_entries(const AnalyserSettings& settings) {
    std::vector<std::string> entries;
    for (const std::string& entry : settings.selected_items)
        if (!entry.empty()) entries.push_back(entry);
    return entries;
}

// The item name of a settings entry: its text up to the first blank.
std::string selected_name(const std::string& entry) {
    std::string_view name = std::string_view(entry).substr(0, entry.find(' '));
    return std::string(name.substr(0, safe_prefix_length(name, kSelectedNameLimit)));
}

bool load_item_names(AnalyserContext& context, ItemNames& names) {
    std::string index_path = context.scratch_file(kItemIndexFileName);
    if (!can_open_for_reading(index_path)) build_item_index(context);
    if (names.load(index_path)) return true;
    report(context.messages, MessageIcon::Exclamation, "%sをオープンできません。",
           kItemIndexFileName);
    return false;
}

void report_unreadable(AnalyserContext& context, const std::string& dxf_path) {
    report(context.messages, MessageIcon::Question, "%sを読み取ることができません。",
           dxf_path.c_str());
}

void report_not_created(AnalyserContext& context, const std::string& path) {
    report(context.messages, MessageIcon::Stop, "%sを作成できませんでした", path.c_str());
}

// A code mark that the rebuild can tell from the group code before it.
bool joining_mark_round_trips(char mark) {
    return !(mark >= '0' && mark <= '9') && mark != '-' && mark != '+' && mark != ' ' &&
           mark != '\t' && mark != '\0';
}

// What makes an analysis made with these marks one that cannot be rebuilt
// (the rebuild refuses it), or nullptr.
const char* unrebuildable_kind(const ManagementRecord& record) {
    if (record.selection_on == 1) return "部分解析";
    if (record.form == kFormText) return "テキスト形式";
    if (record.form == kFormC) return "Ｃ言語形式";
    return nullptr;
}

// Hands the builder the groups of a binary DXF file as the code and value
// lines a text DXF file holds them in, numbers written as the viewer reads
// them; false when the file cannot be opened.
bool add_binary_groups(const std::string& file_name, ItemLineBuilder& builder) {
    DxfBinaryGroups groups;
    if (!groups.open(file_name)) return false;
    BinaryGroup group;
    char code[16];
    char number[32];
    while (groups.next(group)) {
        auto written = std::to_chars(code, code + sizeof code, group.code);
        builder.add_dxf_line(std::string_view(code, static_cast<std::size_t>(written.ptr - code)));
        builder.add_dxf_line(group.numeric ? binary_number_text(group, number) : group.text);
    }
    return true;
}

}  // namespace

int convert_dxf_to_analysis(AnalyserContext& context, const std::string& dxf_path,
                            const std::string& analysis_path) {
    ItemNames names;
    if (!load_item_names(context, names)) return 0;
    // A binary DXF file is read by its groups and rebuilt as a text one. A
    // text source without a line end in its first 4096 bytes, or with bytes
    // no text file holds, cannot be read line by line.
    const std::string file_name = cp932_to_file_name(dxf_path);
    const bool binary = DxfBinaryGroups::is_binary_file(file_name);
    int style = binary ? kLineEndCrLf : detect_line_end_style(dxf_path);
    if (style <= kLineEndUnknown) {
        report_unreadable(context, dxf_path);
        return 0;
    }
    if (!context.dialogs.run_analysis_options(context, dxf_path)) return 0;

    const AnalyserSettings& settings = context.settings;
    AnalysisHeader header;
    if (settings.selected_only == 1) {
        header.selected_entries = selected_entries(settings);
        if (header.selected_entries.empty()) {
            report(context.messages, MessageIcon::Exclamation,
                   "選択項目が１つも指定できていないため中止します");
            return 0;
        }
    }
    header.record = management_for(settings, static_cast<int>(header.selected_entries.size()));
    if (header.record.form == kFormOwn && !joining_mark_round_trips(header.record.code_mark)) {
        report(context.messages, MessageIcon::Exclamation,
               "区切り記号(KM1=%c)が数字・符号・空白なので、再作成できる解析ファイルを作れません",
               header.record.code_mark);
        return 0;
    }
    header.source_line_end_style = style;
    header.binary_source = binary;
    header.source_path = full_path(dxf_path);
    header.analysis_path = full_path(analysis_path);
    header.made_at = context.clock.now();
    header.explanation = settings.explanation == 1;

    // Writing the analysis over its own source would destroy the source
    // before it is read; an older analysis is replaced only when confirmed.
    ExistingTarget existing = ExistingTarget::Keep;
    if (!may_write_output(context, analysis_path, {dxf_path}, existing)) return 0;
    LineWriter out;
    if (!out.create(analysis_path)) {
        report_not_created(context, analysis_path);
        return 0;
    }
    out.set_existing_target(existing);
    out.set_line_end(kLineEndCrLf);
    LineReader dxf;
    if (!binary && !dxf.open(dxf_path, style)) {
        out.discard();
        report_unreadable(context, dxf_path);
        return 0;
    }
    for (const std::string& line : analysis_header_lines(header)) out.write_line(line);

    ItemLineOptions options;
    options.form = header.record.form;
    options.comments = header.record.comments_on != 0;
    options.cut = header.record.cut_on != 0;
    options.code_mark = header.record.code_mark;
    options.data_mark = header.record.data_mark;
    options.end_code = static_cast<char>(header.record.end_code);
    for (const std::string& entry : header.selected_entries)
        options.selected.push_back(selected_name(entry));
    options.names = &names;
    ItemLineBuilder builder(std::move(options), out);
    if (binary) {
        if (!add_binary_groups(file_name, builder)) {
            out.discard();
            report_unreadable(context, dxf_path);
            return 0;
        }
    } else {
        if (has_macbinary_text_header(dxf_path)) dxf.skip_bytes(kMacBinaryHeaderSize);
        while (dxf.read_line() == 1) builder.add_dxf_line(dxf.line());
        dxf.close();
    }
    builder.finish();
    const int losses =
        header.record.form == kFormOwn ? builder.unsafe_values() + out.cut_lines() : 0;
    if (!out.close()) {
        report_not_created(context, analysis_path);
        return 0;
    }
    context.round_trip_losses = losses;
    if (const char* kind = unrebuildable_kind(header.record))
        report(context.messages, MessageIcon::Warning,
               "この解析ファイルは%sなので、ＤＸＦファイルを再作成できません",
               cp932_text(kind).c_str());
    if (binary && header.record.form == kFormOwn)
        report(context.messages, MessageIcon::Information,
               "%sはバイナリDXFです。解析ファイルから再作成するDXFはテキスト形式になります",
               dxf_path.c_str());
    if (losses > 0)
        report(context.messages, MessageIcon::Exclamation,
               "%sには元どおりに再作成できない行が%d個あります(%dバイトを超える行、"
               "または値の中の終端コードを含む並び)",
               dxf_path.c_str(), losses, static_cast<int>(kMaxWriteLine));
    return 1;
}

int analyse_named_file(AnalyserContext& context, const std::string& dxf_name,
                       const std::string& analysis_path) {
    if (!has_extension(dxf_name, ".dxf")) {
        report(context.messages, MessageIcon::Exclamation, "DXFﾌｧｲﾙでありません(%s)",
               dxf_name.c_str());
        return -1;
    }
    if (!can_open_for_reading(dxf_name)) {
        report(context.messages, MessageIcon::Exclamation, "オープンできません(%s)",
               dxf_name.c_str());
        return -1;
    }
    std::string target =
        analysis_path.empty() ? replace_extension(dxf_name, ".TXT") : analysis_path;
    context.settings.dxf_folder = split_path(full_path(dxf_name)).folder;
    if (convert_dxf_to_analysis(context, dxf_name, target) != 1) return -1;
    context.analysis_path = target;
    return 0;
}

int analyse_command_line(AnalyserContext& context, const std::string& command_line) {
    std::string name;
    std::size_t blank = command_line.find(' ');
    if (blank != std::string::npos) {
        for (char c : command_line.substr(blank + 1))
            if (c != ' ') name += c;
    }
    if (name.empty()) return -1;
    return analyse_named_file(context, name);
}

std::string menu_analysis_path(AnalyserContext& context, const std::string& dxf_path) {
    PathParts parts = split_path(dxf_path);
    context.settings.dxf_folder = parts.folder;
    context.analysis_path.clear();
    return parts.folder + context.settings.analysis_prefix + parts.name + ".TXT";
}

}  // namespace zov
