#pragma once
// The item-name index $V_KOU$.TMP: fixed 38-byte records built from the table
// _ZOV_.CSV, and the look-up of an item's Japanese comment in it.
#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "analyser/context.h"

namespace zov {

constexpr std::size_t kIndexRecordSize = 38;
constexpr std::size_t kIndexNameField = 21;     // bytes 0-20: name, at most 20 bytes
constexpr std::size_t kIndexCommentField = 17;  // bytes 21-37: comment, at most 16 bytes
constexpr int kMaxIndexEntries = 300;

// One entry record as it stands in the file.
struct ItemIndexRecord {
    char name[kIndexNameField];
    char comment[kIndexCommentField];
};
static_assert(sizeof(ItemIndexRecord) == kIndexRecordSize);
static_assert(offsetof(ItemIndexRecord, name) == 0);
static_assert(offsetof(ItemIndexRecord, comment) == 21);

// Makes _ZOV_.CSV when needed and builds $V_KOU$.TMP from it, in the
// session's scratch folder (AnalyserContext::scratch_file); false after a
// message.
bool build_item_index(AnalyserContext& context);

// Deletes $V_KOU$.TMP with the session's scratch folder.
void delete_item_index(AnalyserContext& context);

// The entries of an index file, in memory for look-ups.
class ItemNames {
public:
    // Reads an index file; false when it cannot be opened. Counts in the
    // file are trusted only as far as the records present.
    bool load(const std::string& path);

    int entry_count() const { return static_cast<int>(names_.size()); }
    int first_plain_entry() const { return first_plain_entry_; }
    // Entry i from 1, as in the file.
    const std::string& name(int entry) const { return names_[static_cast<std::size_t>(entry - 1)]; }
    const std::string& comment(int entry) const {
        return comments_[static_cast<std::size_t>(entry - 1)];
    }

    // The entry whose name equals `value` exactly: header variables ("$...")
    // among the entries before the first plain one, other names from it on;
    // the first match in file order. 0 when there is none.
    int find(std::string_view value) const;

private:
    using Key = std::pair<std::string_view, int>;
    static int find_in(const std::vector<Key>& keys, std::string_view value);

    std::vector<std::string> names_, comments_;
    int first_plain_entry_ = 0;
    std::vector<Key> header_keys_, plain_keys_;  // sorted by name, then entry
};

}  // namespace zov
