#include "analyser/options_hover_help.h"

#include "analyser/texts.h"

namespace zov {

namespace {

constexpr int kTolerance = 4;

struct HelpEntry {
    int left, top, right, bottom;
    bool selection_only;
    const char* lines[4];  // UTF-8 as written here
};

// In the order they are tested.
constexpr HelpEntry kHelp[] = {
    {268,
     106,
     519,
     241,
     true,
     {" 表示されたＤＸＦファイル項目", "のみを検索して解析・表示します",
      "この欄に項目を追加するには左側", "のコンボックスから選択します"}},
    {12,
     156,
     249,
     192,
     true,
     {" 検索するＤＸＦファイル項目を", "   選択、指定してください。",
      "右欄の項目リストに挿入するには", "その項目をクリックしてください"}},
    {9,
     131,
     150,
     148,
     false,
     {"    解析の方法を指定します。", "チェックマークがないと全行を",
      "表示します。チェックすると指定", "  項目を検索して表示します"}},
    {159,
     130,
     200,
     151,
     true,
     {"  右側の項目リストの内容を", "全て消去します。個別に消去した",
      "い場合は、項目リスト中の項目名", "   をダブルクリックします。"}},
    {170,
     226,
     188,
     246,
     false,
     {"複数行のＤＸＦファイルを１行に", "まとめる際のｸﾞﾙｰﾌﾟｺｰﾄﾞとデータ",
      "文字間の接続記号を指定します。", "  １文字、省略はできません。"}},
    {172,
     254,
     188,
     275,
     false,
     {"複数行のＤＸＦファイルを１行に", " まとめる際の、データの後ろに",
      "  付く接続記号を指定します。", "  １文字、省略はできません。"}},
    {193,
     226,
     243,
     243,
     false,
     {"解析データ中でｸﾞﾙｰﾌﾟｺｰﾄﾞの後に", "付く標準記号｢:｣をセットします", "例    1:LINE_",
      "      ｢:｣ ここです！"}},
    {193,
     255,
     243,
     275,
     false,
     {"解析データ中でデータの後ろに", "付く標準記号｢_｣をセットします", "例     1:LINE_",
      "            ｢_｣ ここです！"}},
    {8,
     102,
     239,
     118,
     false,
     {" チェックマークがあると、解析", "ファイル中に簡単な解説コメント", "を付けます。", ""}},
    {8,
     45,
     239,
     61,
     false,
     {"解析データに、日本語のコメント", "(項目名の意味を表示)します。",
      "１行が長くなりますので、不要な", "場合はＯＦＦにします。"}},
    {4,
     8,
     510,
     31,
     false,
     {"", "解析対象となるＤＸＦファイル名", "を表示するリストボックスです。", ""}},
    {8,
     72,
     239,
     89,
     false,
     {"おおまかな解析には、必要がない", " と思われるデータをカットして",
      "解析データの１行を短くします。", " (正確な解析ではなくなります)"}},
    {16,
     308,
     200,
     327,
     false,
     {"解析ファイルを書き換えて、新た", "にＤＸＦファイルを作成するため",
      "に解析ファイル中に特殊コードを", "組み込みます。"}},
    {202, 308, 316, 327, false, {"", " Ｃ言語の構文に置き換えします", "", ""}},
    {16,
     337,
     257,
     358,
     false,
     {"他のエディター等で解析ファイル", "を開いた時に表示がおかしくなる",
      "時に指定します。但し、このモー", " ドにするとDXF作成は不可です"}},
};

bool near(const HelpEntry& entry, int x, int y) {
    return x >= entry.left - kTolerance && x <= entry.right + kTolerance &&
           y >= entry.top - kTolerance && y <= entry.bottom + kTolerance;
}

}  // namespace

HoverLines hover_help(int x, int y, bool selection_on) {
    HoverLines lines;
    for (const HelpEntry& entry : kHelp) {
        if (entry.selection_only && !selection_on) continue;
        if (!near(entry, x, y)) continue;
        for (std::size_t i = 0; i < lines.size(); ++i) lines[i] = cp932_text(entry.lines[i]);
        break;
    }
    return lines;
}

}  // namespace zov
