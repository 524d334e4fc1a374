#include "viewer/help_drawing.h"

#include "common/cp932.h"
#include "common/files.h"
#include "common/utf8_messages.h"
#include "store/records.h"
#include "store/store_reader.h"
#include "viewer/file_copy.h"
#include "viewer/viewer_shell.h"

namespace zov {

namespace {

// Copies a store file and writes the help caption into the copy's header.
int copy_with_caption(const std::string& from, const std::string& to) {
    if (copy_file_bytes(from, to) != CopyResult::Done) return -1;
    StoreReader store;
    if (store.open(to, true) != 0) return -1;
    StoreHeader header = store.header();
    copy_bounded(header.fname, kHelpCaption);
    return store.write_header(header);
}

}  // namespace

int copy_help_drawing(ViewerShell& shell) {
    return copy_with_caption(shell.path(kHelpDrawingFileName), shell.store_path(kDataFileName));
}

int make_help_drawing(const std::string& program_folder, const std::string& target) {
    return copy_with_caption(program_folder + kDataFileName, target);
}

int maintenance_copy(ViewerShell& shell) {
    if (ask_utf8(shell.messages, "メンテナンスモードです。退出しますか？")) return 0;
    switch (copy_file_bytes(shell.store_path(kDataFileName), shell.path(kHelpDrawingFileName))) {
        case CopyResult::Done: show_information_utf8(shell.messages, "コピー終了"); return 0;
        case CopyResult::SourceNotOpened: show_information_utf8(shell.messages, "失敗1"); return -1;
        case CopyResult::TargetNotWritten:
            show_information_utf8(shell.messages, "失敗2");
            return -1;
    }
    return -1;
}

int install_help_drawing(const std::string& program_folder,
                         const std::vector<std::string>& data_folders) {
    const std::string target = program_folder + kHelpDrawingFileName;
    if (file_exists(target)) return 0;
    for (const std::string& folder : data_folders) {
        const std::string source = folder + kHelpDrawingFileName;
        if (!file_exists(source)) continue;
        if (copy_file_bytes(source, target) == CopyResult::Done) return 0;
        delete_file(target);  // never leave half a help drawing behind
        return -1;
    }
    return -1;
}

std::vector<std::string> installed_data_folders(const std::string& executable_folder) {
    std::string folder = executable_folder;
    if (!folder.empty() && folder.back() != '/') folder += '/';
    return {folder + "../share/zovview/", folder};
}

}  // namespace zov
