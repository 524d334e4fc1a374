// The decisions of the analysis options dialog and the output-name dialog:
// the item list and its messages, the marks, the hover help, and the
// settings each dialog leaves in ZovEdit.CFG whether confirmed or cancelled.
#include <gtest/gtest.h>

#include "analyser/item_index.h"
#include "analyser/options_form.h"
#include "analyser/options_hover_help.h"
#include "analyser/output_name_form.h"
#include "analyser/settings_file.h"
#include "analyser_test_support.h"

namespace zov {
namespace {

// The settings as the file holds them now.
AnalyserSettings settings_on_disk(TestAnalyser& analyser) {
    AnalyserSettings in_memory = analyser.context.settings;
    load_settings(analyser.context);
    AnalyserSettings on_disk = analyser.context.settings;
    analyser.context.settings = in_memory;
    return on_disk;
}

TEST(AnalysisOptionsForm, ItemListRulesAndMessages) {
    TestAnalyser analyser;
    AnalysisOptionsForm form(analyser.context);
    // The default settings select seven items.
    ASSERT_EQ(form.items().size(), 7u);
    EXPECT_EQ(form.items()[1], sj("LINE  (ライン)"));
    const std::string arc = sj("ARC  (円弧)");
    EXPECT_TRUE(form.add_item(&arc));
    EXPECT_TRUE(form.add_item(&arc));  // duplicates are allowed
    EXPECT_FALSE(form.add_item(nullptr));
    EXPECT_EQ(analyser.messages.last(), sj("項目名がセットできていません"));
    EXPECT_EQ(analyser.messages.entries.back().icon, MessageIcon::Stop);
    const std::string empty;
    EXPECT_FALSE(form.add_item(&empty));
    EXPECT_TRUE(form.add_item(&arc));
    EXPECT_EQ(form.items().size(), 10u);
    EXPECT_FALSE(form.add_item(&arc));
    EXPECT_EQ(analyser.messages.last(), sj("これ以上追加できません"));
    EXPECT_EQ(analyser.messages.entries.back().icon, MessageIcon::Exclamation);
    // A double-click deletes one and makes room again.
    form.delete_item(0);
    form.delete_item(42);
    EXPECT_EQ(form.items().size(), 9u);
    EXPECT_EQ(form.items()[0], sj("LINE  (ライン)"));
    EXPECT_TRUE(form.add_item(&arc));

    // "クリア" asks first; No keeps the list, Yes empties it.
    analyser.messages.answers = {false, true};
    form.clear_items();
    EXPECT_EQ(form.items().size(), 10u);
    EXPECT_EQ(analyser.messages.last(), sj("右側の項目リスト全てをクリアしてよろしいですか？"));
    form.clear_items();
    EXPECT_TRUE(form.items().empty());
    std::size_t asked = analyser.messages.entries.size();
    form.clear_items();  // an empty list is not asked about
    EXPECT_EQ(analyser.messages.entries.size(), asked);
}

TEST(AnalysisOptionsForm, ClosingStoresListFormAndSettingsEvenOnCancel) {
    TestAnalyser analyser;
    {
        AnalysisOptionsForm form(analyser.context);
        form.set_comments(false);
        form.set_selection(true);
        EXPECT_TRUE(form.item_controls_shown());
        form.delete_item(0);
        // An entry longer than a slot is cut without splitting a character.
        const std::string long_entry = "ACDBDICTIONARYWDFLT  (" + sj("辞書の既定値付き") + ")";
        form.add_item(&long_entry);
        form.close(0);  // a cancel closes the same way
    }
    AnalyserSettings disk = settings_on_disk(analyser);
    EXPECT_EQ(disk.item_comments, 0);
    EXPECT_EQ(disk.selected_only, 1);
    EXPECT_EQ(disk.analysis_form, 0);
    EXPECT_EQ(disk.selected_items[0], sj("LINE  (ライン)"));
    EXPECT_EQ(disk.selected_items[6], "ACDBDICTIONARYWDFLT  (" + sj("辞書の既定値付"));
    EXPECT_LE(disk.selected_items[6].size(), kItemSettingLimit);
    EXPECT_EQ(disk.selected_items[7], "");
}

TEST(AnalysisOptionsForm, MarksAndTheirStandardButtons) {
    TestAnalyser analyser;
    AnalysisOptionsForm form(analyser.context);
    EXPECT_TRUE(form.set_code_mark("#"));
    EXPECT_TRUE(form.set_data_mark("~"));
    EXPECT_EQ(analyser.context.settings.code_mark, "#");
    // An empty, blank, double-byte or longer entry keeps the last mark.
    for (const std::string& bad :
         {std::string(), std::string(" "), sj("：").substr(0, 2), std::string("ab")})
        EXPECT_FALSE(form.set_code_mark(bad));
    EXPECT_EQ(analyser.context.settings.code_mark, "#");
    form.standard_code_mark();
    form.standard_data_mark();
    EXPECT_EQ(analyser.context.settings.code_mark, ":");
    EXPECT_EQ(analyser.context.settings.data_mark, "_");
}

TEST(AnalysisOptionsForm, ComboEntriesNameTwoBlanksAndComment) {
    TestAnalyser analyser;
    ItemNames names;
    ASSERT_TRUE(names.load(analyser.context.scratch_file(kItemIndexFileName)));
    std::vector<std::string> entries = AnalysisOptionsForm::combo_entries(names);
    ASSERT_EQ(entries.size(), 277u);
    EXPECT_EQ(entries[0], sj("$ACADVER  (AutoCADのﾊﾞｰｼﾞｮﾝ)"));
    EXPECT_EQ(entries[214], sj("LINE  (ライン)"));
}

TEST(HoverHelp, RectanglesWithTheirToleranceAndOrder) {
    // Edit 1006 spans 170..188 × 226..246: 4 pixels outside still match.
    EXPECT_EQ(hover_help(166, 222, false)[2], sj("文字間の接続記号を指定します。"));
    EXPECT_EQ(hover_help(165, 236, false)[0], "");
    EXPECT_EQ(hover_help(179, 251, false)[0], sj("複数行のＤＸＦファイルを１行に"));
    // The item list answers only while selection is on.
    EXPECT_EQ(hover_help(400, 200, true)[1], sj("のみを検索して解析・表示します"));
    EXPECT_EQ(hover_help(400, 200, false), HoverLines{});
    // Check box 4) and "クリア" meet between their tolerances; "クリア"
    // answers only while selection is on.
    EXPECT_EQ(hover_help(154, 140, true)[0], sj("    解析の方法を指定します。"));
    EXPECT_EQ(hover_help(156, 140, true)[0], sj("  右側の項目リストの内容を"));
    EXPECT_EQ(hover_help(180, 140, false), HoverLines{});
    EXPECT_EQ(hover_help(180, 140, true)[3], sj("   をダブルクリックします。"));
    // Where two rectangles meet within their tolerance the first in the table
    // answers: the combo box before check box 4), while the combo answers.
    EXPECT_EQ(hover_help(100, 152, true)[0], sj(" 検索するＤＸＦファイル項目を"));
    EXPECT_EQ(hover_help(100, 152, false)[0], sj("    解析の方法を指定します。"));
    // The "Ｃ" radio has one line, the edit 1015 two.
    HoverLines c = hover_help(250, 315, false);
    EXPECT_EQ(c[0], "");
    EXPECT_EQ(c[1], sj(" Ｃ言語の構文に置き換えします"));
    EXPECT_EQ(hover_help(300, 20, false)[1], sj("解析対象となるＤＸＦファイル名"));
}

TEST(OutputNameForm, NameFollowsTheRuleAndClosingSavesTheChoices) {
    TestAnalyser analyser;
    analyser.context.settings.line_ends = 7;
    analyser.context.settings.naming_rule = 1;
    const std::string source = analyser.file("ZovEditDxf.dxf");
    write_file(analyser.file("ZovEditDxf$1.DXF"), "taken");
    OutputNameForm form(analyser.context, source);
    EXPECT_EQ(analyser.context.settings.line_ends, 1);  // clamped at opening
    EXPECT_EQ(form.line_end(), 1);
    EXPECT_EQ(form.output_path(), analyser.file("ZovEditDxf$2.DXF"));
    form.choose_rule(0);
    EXPECT_EQ(form.output_path(), analyser.file("_ZovEditDxf.DXF"));
    form.choose_rule(2);
    EXPECT_EQ(form.output_path(), analyser.file("ZovEdi$1.DXF"));
    // Rule 1 looks for a free serial at the moment it is chosen.
    write_file(analyser.file("ZovEditDxf$2.DXF"), "taken");
    form.choose_rule(1);
    EXPECT_EQ(form.output_path(), analyser.file("ZovEditDxf$3.DXF"));
    form.choose_line_end(3);
    EXPECT_EQ(analyser.context.settings.line_ends, 1);  // no effect before closing
    form.close();
    AnalyserSettings disk = settings_on_disk(analyser);
    EXPECT_EQ(disk.naming_rule, 1);
    EXPECT_EQ(disk.line_ends, 3);
}

TEST(OutputNameForm, RuleOutsideTheRangeShowsAsRuleTwo) {
    TestAnalyser analyser;
    analyser.context.settings.naming_rule = 9;
    OutputNameForm form(analyser.context, analyser.file("AB.dxf"));
    EXPECT_EQ(form.rule(), 2);
    EXPECT_EQ(form.output_path(), analyser.file("AB$$$$$1.DXF"));
}

}  // namespace
}  // namespace zov
