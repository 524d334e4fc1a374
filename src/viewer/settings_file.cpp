#include "viewer/settings_file.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "common/encoding.h"
#include "common/files.h"
#include "common/text_file_writer.h"
#include "common/utf8_messages.h"
#include "dxf/line_reader.h"
#include "viewer/history_file.h"
#include "viewer/program_folder_claim.h"
#include "viewer/viewer_shell.h"

namespace zov {

namespace {

// The text of one line, or an empty line for a text that cannot stand on
// one (the lines after it keep their places).
std::string one_line(const std::string& cp932_text) {
    return fits_settings_line(cp932_text) ? cp932_text : std::string();
}

// Lines 1 to 8.
void write_head(TextFileWriter& out, const ViewerShell& shell, int count, int second_number) {
    const ShellState& state = shell.state;
    out.put("%d\n%d\n%s\n", count, second_number, one_line(state.load_date).c_str());
    for (const std::string* folder : {&shell.program_folder, &state.jwc_folder, &state.dxf_folder,
                                      &state.dwg_folder, &state.converter_folder})
        out.put("%s\n", one_line(utf8_to_cp932(*folder)).c_str());
}

int clamp_history_count(int n) { return n < 0 ? 0 : n > kHistoryMax ? kHistoryMax : n; }

// A count line: digits only (a leading minus allowed), else `fallback`;
// held to the range of an int.
int read_count(const std::string& line, int fallback) {
    const std::size_t digits = !line.empty() && line.front() == '-' ? 1 : 0;
    if (line.size() == digits || line.find_first_not_of("0123456789", digits) != std::string::npos)
        return fallback;
    const long long value = std::strtoll(line.c_str(), nullptr, 10);
    return static_cast<int>(std::clamp<long long>(value, INT_MIN, INT_MAX));
}

// A folder line taken only when `valid` accepts it.
void read_folder(const std::string& line, bool (*valid)(const std::string&), std::string& folder) {
    const std::string candidate = cp932_to_utf8(line);
    if (valid(candidate)) folder = candidate;
}

// Reads ZovView.CFG: the count and the history entries into `history`
// always, lines 2 to 8 into the shell state only `with_settings`. false when
// the file cannot be opened.
bool read_settings_file(ViewerShell& shell, HistoryFile& history, bool with_settings) {
    DxfLineReader in;
    if (!in.open(shell.path(kViewerSettingsFileName))) return false;
    auto next_line = [&in] {
        in.read_line(kSettingsLineMax);
        return std::string(in.line());
    };
    ShellState& state = shell.state;
    const int count = clamp_history_count(read_count(next_line(), 0));
    if (with_settings) {
        state.settings_second_number = read_count(next_line(), 0);
        state.load_date = next_line();
        next_line();  // the program folder: the one the program runs in stands
        for (std::string* folder : {&state.jwc_folder, &state.dxf_folder, &state.dwg_folder})
            read_folder(next_line(), is_settings_folder, *folder);
        read_folder(next_line(), is_converter_folder, state.converter_folder);
    } else {
        for (int line = 2; line <= 8; ++line) next_line();
    }
    state.history_count = count;
    for (int k = count - 1; k >= 0; --k) history.write(k, next_line());
    return true;
}

// The history of the settings file as it stands into $IND_B$.TMP, with this
// viewer's unsaved entries behind it (the caller holds the settings lock).
void take_shared_history(ViewerShell& shell) {
    ShellState& state = shell.state;
    HistoryFile history;
    if (!file_exists(shell.path(kViewerSettingsFileName)) ||
        !history.open(shell.store_path(kHistoryFileName)) ||
        !read_settings_file(shell, history, false))
        return;
    for (const std::string& entry : state.unsaved_history)
        append_history_entry(history, state.history_count, entry);
}

// Rewrites ZovView.CFG from the shell and $IND_B$.TMP (the caller holds the
// settings lock).
int write_settings_file(ViewerShell& shell) {
    const std::string path = shell.path(kViewerSettingsFileName);
    const bool exists = file_exists(path);
    HistoryFile history;
    if (exists && !history.open(shell.store_path(kHistoryFileName))) {
        show_error_utf8(shell.messages, "%s をオープンできない",
                        shell.store_path(kHistoryFileName).c_str());
        return -1;
    }
    TextFileWriter out;
    if (!out.open(path)) {
        show_error_utf8(shell.messages, "%s を作成できない", path.c_str());
        return -1;
    }
    // A new file starts with no entries and a second number of 0.
    const int count = exists ? clamp_history_count(shell.state.history_count) : 0;
    write_head(out, shell, count, exists ? shell.state.settings_second_number : 0);
    // Entries are written whole (a record holds at most 283 bytes), so that
    // an entry with a long folder still names its file after a restart.
    for (int k = count; k >= 1; --k) out.put("%s\n", history.read(k - 1).c_str());
    if (!out.close()) {
        show_error_utf8(shell.messages, "%s を作成できない", path.c_str());
        return -1;
    }
    return 0;
}

}  // namespace

int save_settings(ViewerShell& shell) {
    SettingsLock lock(shell.program_folder);
    take_shared_history(shell);
    shell.state.unsaved_history.clear();
    return write_settings_file(shell);
}

int load_settings(ViewerShell& shell) {
    ShellState& state = shell.state;
    state.load_date = kNoLoadDate;
    state.jwc_folder = state.dxf_folder = state.dwg_folder = state.converter_folder =
        shell.program_folder;
    state.history_count = 0;
    state.unsaved_history.clear();
    SettingsLock lock(shell.program_folder);
    const std::string path = shell.path(kViewerSettingsFileName);
    if (!file_exists(path) && write_settings_file(shell) != 0) return -1;

    HistoryFile history;
    if (!history.create(shell.store_path(kHistoryFileName))) {
        show_error_utf8(shell.messages, "%s を作成できない",
                        shell.store_path(kHistoryFileName).c_str());
        return -1;
    }
    if (!read_settings_file(shell, history, true)) {
        show_error_utf8(shell.messages, "%s をオープンできない", path.c_str());
        return -1;
    }
    return 0;
}

bool fits_settings_line(std::string_view cp932_text) {
    return cp932_text.size() <= kSettingsLineMax &&
           cp932_text.find_first_of("\r\n") == std::string_view::npos;
}

bool is_settings_folder(const std::string& folder) {
    return !folder.empty() && folder.front() == '/' && folder.back() == '/';
}

bool is_converter_folder(const std::string& folder) {
    std::error_code error;
    return is_settings_folder(folder) && std::filesystem::is_directory(folder, error);
}

}  // namespace zov
