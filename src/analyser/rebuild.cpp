#include "analyser/rebuild.h"

#include "analyser/analysis_header.h"
#include "analyser/dialogs.h"
#include "analyser/disk.h"
#include "analyser/output_name.h"
#include "analyser/texts.h"
#include "common/clock.h"
#include "common/cp932.h"
#include "common/loss_report.h"
#include "common/messages.h"
#include "common/paths.h"

namespace zov {

namespace {

constexpr int kManagementLine = 5;
constexpr int kSourcePathLine = 7;
constexpr int kCheckedLines = 8;
// The code of a comment group.
constexpr int kCommentCode = 999;

// What the first lines of an analysis file say about it.
struct AnalysisFacts {
    ManagementRecord record;
    std::string source_dxf_path;
};

// Reads and checks the management line; false after the message.
bool check_analysis_file(AnalyserContext& context, RebuildStep step, const std::string& path,
                         AnalysisFacts& facts) {
    Messages& messages = context.messages;
    int style = detect_line_end_style(path);
    LineReader reader;
    if (style < 0 || !reader.open(path, style)) {
        report(messages, MessageIcon::Stop, "%sが開けません", path.c_str());
        return false;
    }
    std::string management;
    for (int line = 1; line <= kCheckedLines && reader.read_line() == 1; ++line) {
        if (line == kManagementLine) management = reader.line();
        if (line == kSourcePathLine && reader.line().size() > kSourcePathColumn)
            facts.source_dxf_path = reader.line().substr(kSourcePathColumn);
    }
    reader.close();
    ManagementRecord& r = facts.record;
    if (!parse_management_line(management, r)) {
        report(messages, MessageIcon::Stop, "%sは解析ファイルではありません", path.c_str());
        return false;
    }
    if (!is_complete_management_line(management) || management_checksum(r) != r.checksum) {
        report(messages, MessageIcon::Stop, "%s中の\n５行目管理データ(Zov=)が不正です",
               path.c_str());
        return false;
    }
    if (r.cut_on == 1 && step == RebuildStep::Check &&
        !messages.ask(cp932_text(
            "DXFﾌｧｲﾙを簡略解析しています。\n不都合が発生する可能性がありますが実行しますか？")))
        return false;
    const char* refusal = nullptr;
    if (r.selection_on == 1)
        refusal = "部分解析したデータのため実行できません。";
    else if (r.form == kFormText)
        refusal = "解析ファイルをテキスト形式で出力しているので実行できません";
    else if (r.form == kFormC)
        refusal = "解析ファイルをＣ言語形式で出力しているので実行できません";
    if (refusal != nullptr) {
        messages.show(MessageIcon::Stop, cp932_text(refusal));
        return false;
    }
    return true;
}

// The program, its version and the time, and the DXF file rebuilt, as comments.
void write_comment_groups(AnalyserContext& context, DxfGroupWriter& out,
                          const std::string& source) {
    std::string time =
        format_local_time(cp932_text("%Y年%m月%d日 %H時%M分").c_str(), context.clock.now());
    out.text(kCommentCode, format_text("%s %s (%s)", kBannerName, kBannerVersion, time.c_str()));
    out.text(kCommentCode, format_text(cp932_text("このDXFﾌｧｲﾙは%sを書き換えしたものです").c_str(),
                                       source.c_str()));
}

// Writes the DXF file from the data region; false after a reported failure.
bool write_dxf(AnalyserContext& context, const std::string& path, const AnalysisFacts& facts,
               const std::string& output_path) {
    const ManagementRecord& r = facts.record;
    int style = detect_line_end_style(path);
    LineReader reader;
    LineWriter out;
    if (style < 0 || !reader.open(path, style)) {
        report(context.messages, MessageIcon::Stop, "%sが開けません", path.c_str());
        return false;
    }
    ExistingTarget existing = ExistingTarget::Keep;
    if (!may_write_output(context, output_path, {path, facts.source_dxf_path}, existing))
        return false;
    if (!out.create(output_path)) {
        report(context.messages, MessageIcon::Stop, "%sを作成できませんでした",
               output_path.c_str());
        return false;
    }
    out.set_existing_target(existing);
    out.set_line_end(context.settings.line_ends);
    for (int skipped = 0; skipped < r.header_lines; ++skipped) {
        if (reader.read_line() != 1) {
            out.discard();
            report(context.messages, MessageIcon::Stop, "有効データがありません");
            return false;
        }
    }
    // The data lines are copied as they are read; the groups this writer
    // adds go through the group writer on the same lines.
    DxfGroupWriter groups(out, out.line_end());
    if (context.settings.comment_groups == 1)
        write_comment_groups(context, groups, facts.source_dxf_path);
    DataLineParser parser(r, out, context.messages);
    for (long line_number = r.header_lines + 1; reader.read_line() == 1; ++line_number) {
        std::string_view line = reader.line();
        if (!line.empty() && line.front() == r.skip_mark) continue;
        if (parser.parse_data_line(line, line_number) != 0) {
            // A bad line would shift or damage every group after it: no DXF
            // rather than a damaged one that looks complete.
            out.discard();
            return false;
        }
    }
    groups.text(0, "EOF");
    if (!out.close()) {
        report(context.messages, MessageIcon::Stop, "%sを作成できませんでした",
               output_path.c_str());
        return false;
    }
    show_losses(context.messages, parser.replaced(),
                "not a finite number: written as the viewer's import reads it");
    return true;
}

}  // namespace

bool rebuild_from_analysis(AnalyserContext& context, RebuildStep step, const std::string& path,
                           std::string& out_path) {
    AnalysisFacts facts;
    if (!check_analysis_file(context, step, path, facts)) return false;
    if (step == RebuildStep::Check) {
        out_path = facts.source_dxf_path;
        return true;
    }
    return write_dxf(context, path, facts, out_path);
}

bool make_dxf_from_analysis(AnalyserContext& context, const std::string& analysis_path,
                            std::string& output_path) {
    std::string source_path;
    if (!rebuild_from_analysis(context, RebuildStep::Check, analysis_path, source_path))
        return false;
    // Line 7 names the DXF the analysis was made from; only its name is
    // taken: the proposed output stands next to the analysis file.
    const std::string proposal_base =
        split_path(full_path(analysis_path)).folder + name_without_folders(source_path);
    if (!context.dialogs.run_output_name_dialog(context, proposal_base, output_path)) return false;
    return rebuild_from_analysis(context, RebuildStep::WriteDxf, analysis_path, output_path);
}

}  // namespace zov
