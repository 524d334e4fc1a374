#pragma once
// The history of opened files. While the viewer runs, the list lives in the
// work file $IND_B$.TMP of the program folder: exactly 50 records of 284
// bytes, each a NUL-terminated CP932 entry padded with zeros, record 0 the
// oldest. An entry is "%m/%d %H:%M " followed by the file's label.
#include <cstdio>
#include <string>
#include <string_view>

namespace zov {

class ViewerShell;
struct ShellState;

class HistoryFile {
public:
    HistoryFile() = default;
    ~HistoryFile();
    HistoryFile(const HistoryFile&) = delete;
    HistoryFile& operator=(const HistoryFile&) = delete;

    // Creates the file afresh with 50 zeroed records; false on failure.
    bool create(const std::string& path);
    // Opens an existing file for update; false on failure.
    bool open(const std::string& path);
    void close();

    // Record k (0 to 49): its text up to the first NUL; "" when unreadable.
    std::string read(int k);
    // Writes `text` (cut to 283 bytes, never inside a double-byte character)
    // zero-padded into record k; false on failure.
    bool write(int k, std::string_view text);

private:
    std::FILE* file_ = nullptr;
};

// The label of a file (CP932): name and extension, blanks up to 16 bytes,
// " (", the folder and ")".
std::string history_label(const std::string& path);

// Enters `label` as the newest entry of $IND_B$.TMP (the oldest is dropped
// when 50 are held), notes it as not yet saved (unsaved_history) and
// rebuilds current_file_label from it. 0, or -1 after a reported failure.
int add_history_entry(ViewerShell& shell, const std::string& label);

// Writes `entry` behind the `count` entries of `history`, dropping the
// oldest when 50 are held; false when it could not be written.
bool append_history_entry(HistoryFile& history, int& count, const std::string& entry);

// Rebuilds the full path of an entry into current_file_label: the name from
// position 12 to the first " (", without trailing blanks, behind the folder
// between that "(" and the last character. No " (": the label stays empty.
void path_from_history_entry(ShellState& state, std::string_view entry);

}  // namespace zov
