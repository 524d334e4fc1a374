#include "analyser/settings_file.h"

#include <cstdio>
#include <optional>
#include <vector>

#include "analyser/disk.h"
#include "analyser/item_index.h"
#include "analyser/numbers.h"
#include "analyser/text_lines.h"
#include "analyser/texts.h"
#include "common/cp932.h"
#include "common/japanese_texts.h"
#include "common/messages.h"

namespace zov {

namespace {

const char kDot = *cp932_text(JaText::HalfWidthDot);  // the half-width middle dot of CP932
constexpr int kDotLineWidth = 80;

struct TextKey {
    const char* key;
    std::string AnalyserSettings::*field;
    std::size_t limit;
};

struct NumberKey {
    const char* key;
    int AnalyserSettings::*field;
};

constexpr TextKey kTextKeys[] = {
    {"FTX", &AnalyserSettings::help_folder, kFolderSettingLimit},
    {"FCD", &AnalyserSettings::dxf_folder, kFolderSettingLimit},
    {"FHS", &AnalyserSettings::analysis_prefix, kPrefixSettingLimit},
    {"KM1", &AnalyserSettings::code_mark, kMarkSettingLimit},
    {"KM2", &AnalyserSettings::data_mark, kMarkSettingLimit},
    {"KED", &AnalyserSettings::editor_path, kFolderSettingLimit},
};

constexpr NumberKey kNumberKeys[] = {
    {"FSM", &AnalyserSettings::naming_rule},      {"FCO", &AnalyserSettings::comment_groups},
    {"KDE", &AnalyserSettings::end_code},         {"KHO", &AnalyserSettings::item_comments},
    {"KCU", &AnalyserSettings::cut_handles},      {"KTS", &AnalyserSettings::explanation},
    {"KKS", &AnalyserSettings::selected_only},    {"KCS", &AnalyserSettings::rewrite_item_csv},
    {"TMM", &AnalyserSettings::line_ends},        {"KTM", &AnalyserSettings::analysis_form},
    {"KMS", &AnalyserSettings::window_maximised},
};

std::string cut_to(std::string_view text, std::size_t limit) {
    return std::string(text.substr(0, safe_prefix_length(text, limit)));
}

std::string quoted(const std::string& value) { return "\"" + value + "\""; }

// The lines of ZovEdit.CFG in their fixed order.
std::vector<std::string> settings_file_lines(const AnalyserContext& context) {
    const AnalyserSettings& s = context.settings;
    const std::string dots(kDotLineWidth, kDot);
    std::string path = context.start_file(kAnalyserSettingsFileName);
    int pad = 35 - static_cast<int>(path.size() / 2);
    std::string side(static_cast<std::size_t>(pad > 0 ? pad : 0), kDot);

    std::vector<std::string> lines;
    auto add = [&lines](const char* utf8) { lines.push_back(cp932_text(utf8)); };
    auto add_number = [&lines](const char* utf8_format, int value) {
        lines.push_back(format_text(cp932_text(utf8_format).c_str(), value));
    };
    auto add_text = [&lines](const char* key, const std::string& value, const char* utf8_tail) {
        lines.push_back(key + quoted(value) + cp932_text(utf8_tail));
    };

    lines.push_back(dots);
    add("･･････････････････････････     ZovEdit設定ファイル     ･････････････････････････");
    lines.push_back(side + "     " + path + "     " + side);
    lines.push_back(dots);
    lines.push_back(
        std::string(51, ' ') +
        format_local_time(cp932_text("作成：%Y年%m月%d日 %H時%M分").c_str(), context.clock.now()));
    add("このファイルはZovEditの動作条件を設定するためのファイルです");
    add("");
    add("以下に記述された設定値は全てZovEdit実行中で変更できますので、このファイルを書き");
    add("変えることは原則として避けてください。万一書き換えにより範囲外の設定値があっても");
    add("ZovEditはチェックを行なわず読み込んでしまい、動作が不安定となる恐れがあります。");
    add("");
    add("このファイル書き換えによりZovEditの動作がおかしくなった場合はこのファイル(ZovEdit.CFG)");
    add("を削除してから再実行してみてください。ZovEditは初期値のZovEdit.CFGを自動生成します。");
    add("");
    add("このファイル(ZovEdit.CFG)は複数のフォルダに生成される可能性があります。");
    add("ZovEditの起動時のフォルダにZovEdit.CFGを生成します。単独で起動した場合とZR_DXF等");
    add("からコマンドラインでの起動ではフォルダが異なり、複数のZovEdit.CFGを生成します。");
    add("");
    add("･･フォルダ関連");
    add_text("FTX=", s.help_folder, " ZovEdit.txtが収納されているフォルダ");
    add_text("FCD=", s.dxf_folder, " 終了直前のフォルダ");
    add("");
    add("･･ＤＸＦ解析関連");
    add_number("FSM=%d           ＤＸＦファイル生成する場合の新しいファイル名のつけ方",
               s.naming_rule);
    add("                     0:前に_ 1:後ろに$ + 連番 2:ファイル名を８文字にする");
    add_number("FCO=%d           ＤＸＦファイル生成する時に先頭行にコメント付ける:1 付けない:0",
               s.comment_groups);
    add_text("FHS=", s.analysis_prefix, " ZovEditが生成するファイル名先頭に付加する文字");
    add_text("KM1=", s.code_mark, "(len=2-1) 解析時、グループコード直後の文字");
    add_text("KM2=", s.data_mark, "(len=2-1) 解析時、データ終了直後の文字");
    add_number("KDE=%d           ＤＸＦデータの直後に付ける特殊コード", s.end_code);
    add_number("KHO=%d           解析時、項目名の日本語訳を挿入=1  しない=0", s.item_comments);
    add_number("KCU=%d           解析時、ハンドル番号とサブクラスマーカーをカットして、",
               s.cut_handles);
    add("                 　　解析ファイルを読みやすく  する=1  しない=0");
    add_number("KTS=%d           解析時に簡単な解説を付ける:1 付けない:0", s.explanation);
    add_number("KKS=%d           解析時、項目を選択して解析:1 全て解析:0", s.selected_only);
    add_number("KTM=%d           解析ファイル生成方法 0:ZOVオリジナル 1:テキスト 2:Ｃ言語",
               s.analysis_form);
    add("");
    add("以下１０ケのデータは解析時に、項目を選択して解析する際に使用します");
    for (int i = 0; i < kSelectedItemSlots; ++i)
        lines.push_back(format_text("KK%d=", i) +
                        quoted(s.selected_items[static_cast<std::size_t>(i)]));
    add("");
    add_number("KKS=%d            解析時、項目を選択して解析 する=1  しない=0", s.selected_only);
    add_number("KCS=%d            項目名ＣＳＶファイル(_ZOV_.CSV)を上書きする:1  しない:0",
               s.rewrite_item_csv);
    add("");
    add("･･テキストファイルの出力方法");
    add_number("TMM=%d (MS-DOS=1  MAC=2  UNIX=3)テキストファイルの出力スタイル", s.line_ends);
    return lines;
}

// The value of a setting line: quoted text up to the next quote, or the text
// up to the first blank.
std::string_view setting_value(std::string_view line) {
    std::string_view rest = line.substr(4);
    if (!rest.empty() && rest.front() == '"') {
        rest.remove_prefix(1);
        return rest.substr(0, rest.find('"'));
    }
    return rest.substr(0, rest.find(' '));
}

void apply_setting(AnalyserSettings& settings, std::string_view key, std::string_view value) {
    for (const TextKey& text : kTextKeys) {
        if (key == text.key) {
            settings.*text.field = cut_to(value, text.limit);
            return;
        }
    }
    for (const NumberKey& number : kNumberKeys) {
        if (key == number.key) {
            settings.*number.field = read_int(value);
            return;
        }
    }
    if (key.size() == 3 && key[0] == 'K' && key[1] == 'K' && key[2] >= '0' && key[2] <= '9')
        settings.selected_items[static_cast<std::size_t>(key[2] - '0')] =
            cut_to(value, kItemSettingLimit);
}

// Reads every setting line of the file at `path` into `settings`; false
// when it cannot be read as text lines (style 0 finds no line end).
bool read_settings_file(const std::string& path, AnalyserSettings& settings) {
    int style = detect_line_end_style(path);
    LineReader reader;
    if (style <= kLineEndUnknown || !reader.open(path, style)) return false;
    while (reader.read_line() == 1) {
        std::string_view line = reader.line();
        if (line.size() < 4 || line[3] != '=') continue;
        apply_setting(settings, line.substr(0, 3), setting_value(line));
    }
    return true;
}

// The file's bytes, at most a little more than any settings file holds (a
// larger file differs from every one the session wrote all the same);
// nothing when it cannot be opened.
std::optional<std::string> settings_file_bytes(const std::string& path) {
    constexpr std::size_t kMostRead = 1 << 20;
    std::FILE* file = open_cp932(path, "rb");
    if (file == nullptr) return std::nullopt;
    std::string bytes(kMostRead + 1, '\0');
    bytes.resize(std::fread(bytes.data(), 1, bytes.size(), file));
    const bool failed = std::ferror(file) != 0;
    std::fclose(file);
    if (failed) return std::nullopt;
    return bytes;
}

// The file as the session now knows it: its bytes and the settings they hold.
void remember_settings_file(AnalyserContext& context, const AnalyserSettings& in_file) {
    std::optional<std::string> bytes =
        settings_file_bytes(context.start_file(kAnalyserSettingsFileName));
    context.settings_on_disk.known = bytes.has_value();
    context.settings_on_disk.bytes = bytes.value_or(std::string());
    context.settings_on_disk.settings = in_file;
}

// `field` of `settings` takes its value in `in_file` unless the session
// changed it since `known`.
template <class T>
void take_unchanged(AnalyserSettings& settings, const AnalyserSettings& known,
                    const AnalyserSettings& in_file, T AnalyserSettings::*field) {
    if (settings.*field == known.*field) settings.*field = in_file.*field;
}

}  // namespace

void refresh_settings(AnalyserContext& context) {
    AnalyserContext::SettingsOnDisk& known = context.settings_on_disk;
    if (!known.known) return;
    const std::string path = context.start_file(kAnalyserSettingsFileName);
    std::optional<std::string> bytes = settings_file_bytes(path);
    if (!bytes || *bytes == known.bytes) return;
    AnalyserSettings in_file = known.settings;
    if (!read_settings_file(path, in_file)) return;
    AnalyserSettings& settings = context.settings;
    for (const TextKey& text : kTextKeys)
        take_unchanged(settings, known.settings, in_file, text.field);
    for (const NumberKey& number : kNumberKeys)
        take_unchanged(settings, known.settings, in_file, number.field);
    take_unchanged(settings, known.settings, in_file, &AnalyserSettings::selected_items);
    known.bytes = std::move(*bytes);
    known.settings = in_file;
}

bool save_settings(AnalyserContext& context) {
    refresh_settings(context);
    std::string path = context.start_file(kAnalyserSettingsFileName);
    LineWriter writer;
    if (writer.create(path)) {
        writer.set_line_end(kLineEndCrLf);
        for (const std::string& line : settings_file_lines(context)) writer.write_line(line);
        if (writer.close()) {
            remember_settings_file(context, context.settings);
            return true;
        }
    }
    report(context.messages, MessageIcon::Stop, "%s%sを作成できませんでした",
           context.start_folder.c_str(), kAnalyserSettingsFileName);
    return false;
}

void reset_settings(AnalyserContext& context) {
    AnalyserSettings defaults;
    defaults.help_folder = context.start_folder;
    defaults.dxf_folder = current_folder_cp932();
    defaults.analysis_prefix = "_";
    defaults.code_mark = ":";
    defaults.data_mark = "_";
    const char* const kDefaultItems[] = {"$ACADVER  (AutoCADのﾊﾞｰｼﾞｮﾝ)",
                                         "LINE  (ライン)",
                                         "LAYER  (画層名(レイヤー))",
                                         "CIRCLE  (円)",
                                         "POINT  (点)",
                                         "MTEXT  (マルチテキスト)",
                                         "TEXT  (文字)"};
    std::size_t slot = 0;
    for (const char* item : kDefaultItems) defaults.selected_items[slot++] = cp932_text(item);
    defaults.editor_path = context.start_folder + "ZovEdit.EXE";
    context.settings = defaults;
    save_settings(context);
    build_item_index(context);
}

void load_settings(AnalyserContext& context) {
    // A file that cannot be read as text lines is treated like a missing one.
    if (!read_settings_file(context.start_file(kAnalyserSettingsFileName), context.settings)) {
        reset_settings(context);
        return;
    }
    remember_settings_file(context, context.settings);
}

}  // namespace zov
