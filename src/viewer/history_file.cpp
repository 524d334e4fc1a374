#include "viewer/history_file.h"

#include "common/clock.h"
#include "common/cp932.h"
#include "common/encoding.h"
#include "common/paths.h"
#include "common/utf8_messages.h"
#include "viewer/viewer_shell.h"

namespace zov {

namespace {

constexpr std::size_t kLabelNameWidth = 16;
constexpr std::size_t kEntryTimeWidth = 12;  // "%m/%d %H:%M "

}  // namespace

HistoryFile::~HistoryFile() { close(); }

bool HistoryFile::create(const std::string& path) {
    close();
    file_ = std::fopen(path.c_str(), "w+b");
    if (file_ == nullptr) return false;
    const char zeros[kHistoryRecordSize] = {};
    for (int k = 0; k < kHistoryMax; ++k) {
        if (std::fwrite(zeros, sizeof zeros, 1, file_) != 1) return false;
    }
    return std::fflush(file_) == 0;
}

bool HistoryFile::open(const std::string& path) {
    close();
    file_ = std::fopen(path.c_str(), "r+b");
    return file_ != nullptr;
}

void HistoryFile::close() {
    if (file_ != nullptr) std::fclose(file_);
    file_ = nullptr;
}

std::string HistoryFile::read(int k) {
    char record[kHistoryRecordSize + 1] = {};
    if (file_ == nullptr || k < 0 || k >= kHistoryMax ||
        std::fseek(file_, static_cast<long>(k) * kHistoryRecordSize, SEEK_SET) != 0 ||
        std::fread(record, kHistoryRecordSize, 1, file_) != 1)
        return std::string();
    return std::string(record);
}

bool HistoryFile::write(int k, std::string_view text) {
    char record[kHistoryRecordSize] = {};
    copy_bounded(record, text);
    return file_ != nullptr && k >= 0 && k < kHistoryMax &&
           std::fseek(file_, static_cast<long>(k) * kHistoryRecordSize, SEEK_SET) == 0 &&
           std::fwrite(record, sizeof record, 1, file_) == 1 && std::fflush(file_) == 0;
}

std::string history_label(const std::string& path) {
    const PathParts parts = split_path(path);
    std::string label = file_name_to_cp932(parts.name + parts.extension);
    if (label.size() < kLabelNameWidth) label.append(kLabelNameWidth - label.size(), ' ');
    return label + " (" + file_name_to_cp932(parts.folder) + ")";
}

bool append_history_entry(HistoryFile& history, int& count, const std::string& entry) {
    if (count >= kHistoryMax) {
        for (int k = 1; k < kHistoryMax; ++k) history.write(k - 1, history.read(k));
        count = kHistoryMax;
    } else {
        ++count;
    }
    return history.write(count - 1, entry);
}

int add_history_entry(ViewerShell& shell, const std::string& label) {
    ShellState& state = shell.state;
    const std::string path = shell.store_path(kHistoryFileName);
    HistoryFile history;
    if (!history.open(path)) {
        show_error_utf8(shell.messages, "%s をオープンできない", path.c_str());
        return -1;
    }
    const std::string entry = format_local_time("%m/%d %H:%M ", shell.clock.now()) + label;
    const bool written = append_history_entry(history, state.history_count, entry);
    history.close();
    state.unsaved_history.push_back(entry);
    path_from_history_entry(state, entry);
    if (!written) {
        show_error_utf8(shell.messages, "%s を作成できない", path.c_str());
        return -1;
    }
    return 0;
}

void path_from_history_entry(ShellState& state, std::string_view entry) {
    state.current_file_label.clear();
    if (entry.size() <= kEntryTimeWidth) return;
    const std::size_t mark = entry.find(" (", kEntryTimeWidth);
    if (mark == std::string_view::npos) return;
    std::string_view name = entry.substr(kEntryTimeWidth, mark - kEntryTimeWidth);
    while (!name.empty() && name.back() == ' ') name.remove_suffix(1);
    const std::size_t folder_start = mark + 2;
    const std::string_view folder =
        folder_start < entry.size() ? entry.substr(folder_start, entry.size() - folder_start - 1)
                                    : std::string_view();
    state.current_file_label = cp932_to_file_name(std::string(folder) + std::string(name));
}

}  // namespace zov
