#include "analyser/editor_session.h"

#include "analyser/conversion.h"
#include "analyser/disk.h"
#include "analyser/item_index.h"
#include "analyser/rebuild.h"
#include "analyser/settings_file.h"
#include "analyser/texts.h"
#include "common/paths.h"

namespace zov {

bool is_analysis_name(const std::string& path) { return has_extension(path, ".TXT"); }

DroppedFile dropped_file_kind(const std::string& path) {
    if (is_analysis_name(path)) return DroppedFile::Analysis;
    if (has_extension(path, ".DXF")) return DroppedFile::Dxf;
    return DroppedFile::Refused;
}

EditorSession::EditorSession(AnalyserContext& context, std::string installed_help_folder)
    : context_(context), installed_help_folder_(std::move(installed_help_folder)) {
    context_.analysis_path.clear();
    load_settings(context_);
    build_item_index(context_);
}

EditorSession::~EditorSession() {
    save_settings(context_);
    delete_item_index(context_);
}

StartupDocument EditorSession::startup(const std::string& argument) {
    if (argument.empty()) {
        if (std::optional<std::string> help = help_text_in_settings()) return {*help, true};
        return {};
    }
    if (is_analysis_name(argument)) {
        context_.analysis_path = argument;
        return {argument, false};
    }
    // A conversion from the command line reads the settings afresh.
    load_settings(context_);
    build_item_index(context_);
    if (analyse_named_file(context_, argument) != 0) return {};
    return {context_.analysis_path, false};
}

void EditorSession::document_opened(const std::string& path) {
    context_.analysis_path = is_analysis_name(path) ? path : std::string();
}

void EditorSession::document_renamed(const std::string& old_path, const std::string& new_path) {
    if (!context_.analysis_path.empty() && context_.analysis_path == old_path)
        context_.analysis_path = is_analysis_name(new_path) ? new_path : std::string();
}

std::optional<std::string> EditorSession::analyse_from_menu(const std::string& dxf_path) {
    std::string analysis = menu_analysis_path(context_, dxf_path);
    if (convert_dxf_to_analysis(context_, dxf_path, analysis) != 1) return std::nullopt;
    context_.analysis_path = analysis;
    return analysis;
}

int EditorSession::rebuild(EditorDocument& document, std::string& output_path) {
    const std::string analysis = context_.analysis_path;
    if (analysis.empty()) return -1;
    if (document.modified() && document.path() == analysis) {
        std::string question = cp932_text(
            "%sは変更されています。\n変更を保存してからＤＸＦファイルを作成しますか？\n"
            "(いいえ: 保存されている内容から作成します)");
        switch (document.ask_save(format_text(question.c_str(), analysis.c_str()))) {
            case SaveAnswer::Cancel: return -1;
            case SaveAnswer::Save:
                if (!document.save()) return -1;
                break;
            case SaveAnswer::Discard: break;
        }
    }
    if (!make_dxf_from_analysis(context_, analysis, output_path)) return -1;
    bookmark_ = 0;
    return 0;
}

std::optional<int> EditorSession::bookmark_to_go() {
    if (bookmark_ == 0) {
        report(context_.messages, MessageIcon::Information, "注目位置がセットされていません");
        return std::nullopt;
    }
    return bookmark_;
}

std::optional<std::string> EditorSession::help_text_in_settings() {
    AnalyserSettings& settings = context_.settings;
    std::string in_settings = settings.help_folder + kHelpTextFileName;
    if (can_open_for_reading(in_settings)) return in_settings;
    if (installed_help_folder_.empty() ||
        !can_open_for_reading(installed_help_folder_ + kHelpTextFileName))
        return std::nullopt;
    settings.help_folder = installed_help_folder_;
    save_settings(context_);
    return settings.help_folder + kHelpTextFileName;
}

std::optional<std::string> EditorSession::locate_help_text(const FileChooser& choose) {
    if (std::optional<std::string> help = help_text_in_settings()) return help;
    if (!context_.messages.ask(
            format_text(cp932_text("%sを見つけられませんでした。ご自分でを探しますか？").c_str(),
                        kHelpTextFileName)))
        return std::nullopt;
    std::optional<std::string> chosen = choose(context_.settings.help_folder);
    if (!chosen) return std::nullopt;
    context_.settings.help_folder = split_path(*chosen).folder;
    save_settings(context_);
    return chosen;
}

std::optional<std::string> EditorSession::settings_file_to_show() {
    save_settings(context_);
    std::string path = context_.start_file(kAnalyserSettingsFileName);
    if (can_open_for_reading(path)) return path;
    report(context_.messages, MessageIcon::Exclamation, "%sが見つけられません。", path.c_str());
    return std::nullopt;
}

void EditorSession::document_saved() { refresh_settings(context_); }

void EditorSession::about_closed() { save_settings(context_); }

FontRecord EditorSession::view_font() const {
    std::optional<std::string> folder = current_folder_cp932();
    if (folder)
        if (std::optional<FontRecord> record = read_font_record(*folder)) return *record;
    return default_font_record();
}

void EditorSession::font_dialog_closed(const FontRecord& record) {
    if (!write_font_record(context_.start_folder, record))
        report(context_.messages, MessageIcon::Stop, "%s%sを作成できませんでした",
               context_.start_folder.c_str(), kFontFileName);
}

}  // namespace zov
