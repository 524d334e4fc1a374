#include "viewer/dxf_save.h"

#include <cerrno>
#include <cstdio>
#include <filesystem>

#include "common/encoding.h"
#include "common/files.h"
#include "common/loss_report.h"
#include "common/messages.h"
#include "common/paths.h"
#include "common/utf8_messages.h"
#include "viewer/file_copy.h"
#include "viewer/viewer_shell.h"

namespace zov {

namespace {

constexpr char kSaveTitle[] = "表示されたデータをＤＸＦファイルで保存";
constexpr char kDxfFilter[] = "DXFﾌｧｲﾙ(*.DXF)|*.DXF|全てのﾌｧｲﾙ(*.*)|*.*||";

bool same_file(const std::string& a, const std::string& b) {
    std::error_code error;
    return std::filesystem::equivalent(a, b, error) && !error;
}

}  // namespace

FileDialogRequest dxf_save_request(const ViewerShell& shell, const std::string& source_path) {
    const PathParts parts = split_path(source_path);
    FileDialogRequest request;
    request.title = utf8_to_cp932(kSaveTitle);
    request.filter = utf8_to_cp932(kDxfFilter);
    request.initial_folder = parts.folder.empty() ? shell.program_folder : parts.folder;
    request.save = true;
    request.proposed_name = (parts.name.empty() ? std::string("DxfTest") : parts.name) + ".DXF";
    return request;
}

int place_written_dxf(ViewerShell& shell, const std::string& written, const std::string& target,
                      const std::string& source_path) {
    if (same_file(target, source_path) || target == source_path) {
        show_error_utf8(shell.messages, "%s は表示中の図面の元ファイルなので上書きしません",
                        target.c_str());
        return -1;
    }
    if (same_file(target, written)) return 0;
    if (std::rename(written.c_str(), target.c_str()) == 0) return 0;
    // Across file systems: copied whole beside the target, then renamed.
    if (errno == EXDEV && copy_file_bytes(written, target) == CopyResult::Done) {
        delete_file(written);
        return 0;
    }
    show_error_utf8(shell.messages, "%s に保存できません", target.c_str());
    return -1;
}

int save_shown_drawing_as_dxf(
    ViewerShell& shell, const std::string& source_path,
    const std::function<std::optional<std::string>(LossReport&)>& write_dxf) {
    LossReport left_out;
    const std::optional<std::string> written = write_dxf(left_out);
    if (!written) return -1;
    const std::optional<std::string> target =
        shell.file_dialog.choose_file(dxf_save_request(shell, source_path));
    if (!target) return 1;
    const int placed = place_written_dxf(shell, *written, *target, source_path);
    if (placed != 0) return placed;
    std::string text;
    for (const std::string& line : shell.import.dropped.lines(kImportLossHint)) text += line + "\n";
    for (const std::string& line : left_out.lines()) text += line + "\n";
    if (!text.empty()) text.pop_back();
    if (!text.empty()) shell.messages.show(MessageIcon::Warning, text);
    return 0;
}

}  // namespace zov
