#include "analyser/analysis_header.h"

#include "analyser/texts.h"
#include "common/clock.h"
#include "common/messages.h"

namespace zov {

namespace {

constexpr char kRuler1[] =
    "        10        20       30        40       50        60       70        80       90       "
    "100      110       120      130       140      150       160      170       180      190      "
    " 200       210       220      230       240      250       260      270       280      290    "
    "   300      310       320      330       340      350       360      370       380      390   "
    "    400";
constexpr char kRuler2[] =
    "        ｜        ｜       ｜        ｜       ｜        ｜       ｜        ｜       ｜        "
    "|        |         |        |         |        |         |        |         |        |        "
    " |         |         |        |         |        |         |        |         |        |      "
    "   |        |         |        |         |        |         |        |         |        |     "
    "    |";

constexpr char kBinarySourceNote[] =
    "********************** このファイルは <<< バイナリＤＸＦ >>> です！！！ "
    "(再作成はテキストＤＸＦ) **********************";

const char* line_end_note(int style) {
    switch (style) {
        case kLineEndCr:
        case kLineEndMacBinary:
            return "********************** このファイルは <<< Ｍａｃ >>> です！！！ "
                   "**********************";
        case kLineEndLf:
            return "********************** このファイルは <<< ＵＮＩＸ >>> です！！！ "
                   "**********************";
        default: return "";
    }
}

constexpr const char* kCodeGuide[] = {
    "       0:項目を定義",
    "       1:文字列",
    "       2:名前",
    "       3:文字列",
    "       4:文字列",
    "       5:ハンドル番号(連番)",
    "       6:線の種類",
    "       7:文字の種類",
    "       8:画層（レイヤー）名",
    "       9:ヘッダーセクションの変数名",
    " 10～ 19:Ｘ座標",
    " 20～ 29:Ｙ座標",
    " 30～ 39:Ｚ座標（３Ｄ）",
    " 40～ 49:文字サイズ",
    " 50～ 59:角度関連データ",
    " 60～ 69:各種モード設定",
    " 70～ 79:小さな整数",
    " 90～ 99:大きな整数",
    "     100:サブクラスマーク",
    "     999:コメント",
};

void add_explanation(const AnalysisHeader& header, std::vector<std::string>& lines) {
    auto add = [&lines](const char* utf8) { lines.push_back(cp932_text(utf8)); };
    const ManagementRecord& r = header.record;
    std::string code_mark(1, r.code_mark), data_mark(1, r.data_mark);

    lines.push_back(format_local_time(
        cp932_text("  (この解析ファイルは %Y年%m月%d日 %H時%M分 に作成されました。)").c_str(),
        header.made_at));
    add("");
    add("◆ＤＸＦファイルは｢グループコード(整数)｣と｢データ(文字や数値)｣がセットになっています。");
    add("  実際のＤＸＦファイルは行数が多くて１行が短いため読みづらいのでこれを、理解しやすい");
    add("  形式にまとめています。");
    add("");
    lines.push_back(format_text(cp932_text("◆｢%s｣の前にある数字はグループコードです。").c_str(),
                                code_mark.c_str()));
    lines.push_back(
        format_text(cp932_text("◆｢%s｣はデータの終りを表します。").c_str(), data_mark.c_str()));
    add("");
    add("【グループコードについての簡単な解説】");
    lines.push_back(format_text(
        cp932_text(
            "◆｢%s｣の前にある数字はグループコードです。後に続くデータの種類を定義しています。")
            .c_str(),
        code_mark.c_str()));
    add("  以下の内容はグループコードについてポイントに絞りこんだ内容です。");
    for (const char* guide : kCodeGuide) add(guide);
    add("");
    add("◆先頭に表示されている数字はＤＸＦファイルの実際の行数です。");
    add("");
    if (r.comments_on) {
        add("◆日本語のコメントはZovEditが、付加したコメントです。");
        add("");
    }
    if (r.cut_on) {
        add("◆１行を短くするため、グループコード｢5:ハンドル番号｣と｢100:"
            "サブクラスマーカー｣のデータを"
            "カットしています。(カットしない設定も可能です)");
        add("");
    }
    if (r.selection_on) {
        lines.push_back(format_text(
            cp932_text("◆以下に記述した %d種類の項目に絞り込んだ解析を行いました。").c_str(),
            static_cast<int>(header.selected_entries.size())));
        for (const std::string& entry : header.selected_entries) lines.push_back("   " + entry);
        add("");
    }
    lines.push_back(
        format_text(cp932_text("-------------------------以下が実際のＤＸＦファイル解析結果です(%d)"
                               "-------------------------")
                        .c_str(),
                    r.header_lines + 1));
}

}  // namespace

std::vector<std::string> analysis_header_lines(const AnalysisHeader& header) {
    std::vector<std::string> lines;
    lines.push_back(kRuler1);
    lines.push_back(cp932_text(kRuler2));
    lines.push_back(format_text("%s %s", kBannerName, kBannerVersion));
    lines.push_back(cp932_text("【 ＤＸＦファイル解析データ 】"));
    lines.push_back(format_management_line(header.record));
    lines.push_back(cp932_text(header.binary_source ? kBinarySourceNote
                                                    : line_end_note(header.source_line_end_style)));
    lines.push_back(cp932_text("◆解析したファイル=") + header.source_path);
    lines.push_back(cp932_text("◆作成したファイル=") + header.analysis_path);
    if (header.explanation && header.record.form != kFormC) add_explanation(header, lines);
    return lines;
}

}  // namespace zov
