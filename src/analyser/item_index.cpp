#include "analyser/item_index.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "analyser/disk.h"
#include "analyser/item_table.h"
#include "analyser/text_lines.h"
#include "analyser/texts.h"
#include "common/cp932.h"

namespace zov {

namespace {

void put_le32(unsigned char* dest, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) dest[i] = static_cast<unsigned char>(value >> (8 * i));
}

std::uint32_t get_le32(const unsigned char* source) {
    return static_cast<std::uint32_t>(source[0]) | static_cast<std::uint32_t>(source[1]) << 8 |
           static_cast<std::uint32_t>(source[2]) << 16 |
           static_cast<std::uint32_t>(source[3]) << 24;
}

bool needs_default_table(AnalyserContext& context) {
    return context.settings.rewrite_item_csv == 1 ||
           !can_open_for_reading(context.start_file(kAnalyserSettingsFileName)) ||
           detect_line_end_style(context.start_file(kItemTableFileName)) <= kLineEndUnknown;
}

// Copies the table into the index file; returns the number of entries and the
// first plain entry through the arguments.
void copy_table_entries(AnalyserContext& context, LineReader& table, std::FILE* index, int& count,
                        int& first_plain_entry) {
    count = 0;
    first_plain_entry = 0;
    while (count < kMaxIndexEntries && table.read_line() == 1) {
        std::string_view line = table.line();
        std::size_t comma = line.find(',');
        if (comma == std::string_view::npos ||
            line.find(',', comma + 1) != std::string_view::npos) {
            std::string text(line);
            report(context.messages, MessageIcon::Question,
                   "%s 中の\n%sが\n正しく記述できていません。", kItemTableFileName, text.c_str());
            return;
        }
        ItemIndexRecord record{};
        copy_bounded(record.name, line.substr(0, comma));
        copy_bounded(record.comment, line.substr(comma + 1));
        std::fwrite(&record, sizeof record, 1, index);
        ++count;
        if (first_plain_entry == 0 && record.name[0] != '$') first_plain_entry = count;
    }
}

}  // namespace

bool build_item_index(AnalyserContext& context) {
    if (needs_default_table(context) && !write_default_item_table(context)) return false;

    std::string table_path = context.start_file(kItemTableFileName);
    std::string index_path = context.scratch_file(kItemIndexFileName);
    LineReader table;
    int style = detect_line_end_style(table_path);
    if (style <= kLineEndUnknown || !table.open(table_path, style)) {
        report(context.messages, MessageIcon::Exclamation, "%sをオープンできません。",
               kItemTableFileName);
        return false;
    }
    std::FILE* index = index_path.empty() ? nullptr : open_cp932(index_path, "wb");
    if (index == nullptr) {
        report(context.messages, MessageIcon::Stop, "%s%sを作成できませんでした",
               context.start_folder.c_str(), kItemIndexFileName);
        return false;
    }
    unsigned char header[kIndexRecordSize] = {};
    std::fwrite(header, sizeof header, 1, index);
    int count = 0, first_plain_entry = 0;
    copy_table_entries(context, table, index, count, first_plain_entry);
    put_le32(header, static_cast<std::uint32_t>(count));
    put_le32(header + 4, static_cast<std::uint32_t>(first_plain_entry));
    std::fseek(index, 0, SEEK_SET);
    std::fwrite(header, sizeof header, 1, index);
    if (std::ferror(index) != 0 || std::fclose(index) != 0) {
        report(context.messages, MessageIcon::Stop, "%s%sを作成できませんでした",
               context.start_folder.c_str(), kItemIndexFileName);
        return false;
    }
    return true;
}

void delete_item_index(AnalyserContext& context) { context.scratch.remove(); }

bool ItemNames::load(const std::string& path) {
    std::FILE* file = open_cp932(path, "rb");
    if (file == nullptr) return false;
    names_.clear();
    comments_.clear();
    unsigned char header[kIndexRecordSize] = {};
    std::size_t got = std::fread(header, 1, sizeof header, file);
    std::uint32_t count = got == sizeof header ? get_le32(header) : 0;
    std::uint32_t first_plain = get_le32(header + 4);
    count = std::min<std::uint32_t>(count, kMaxIndexEntries);
    ItemIndexRecord record{};
    for (std::uint32_t i = 0; i < count && std::fread(&record, sizeof record, 1, file) == 1; ++i) {
        names_.emplace_back(fixed_text(record.name));
        comments_.emplace_back(fixed_text(record.comment));
    }
    std::fclose(file);

    // An index without plain names (first plain entry 0) holds only header
    // variables: all of its entries are searched for them.
    int n = entry_count();
    first_plain_entry_ = first_plain == 0 || first_plain > static_cast<std::uint32_t>(n)
                             ? n + 1
                             : static_cast<int>(first_plain);
    header_keys_.clear();
    plain_keys_.clear();
    for (int entry = 1; entry <= n; ++entry)
        (entry < first_plain_entry_ ? header_keys_ : plain_keys_).emplace_back(name(entry), entry);
    std::sort(header_keys_.begin(), header_keys_.end());
    std::sort(plain_keys_.begin(), plain_keys_.end());
    return true;
}

int ItemNames::find_in(const std::vector<Key>& keys, std::string_view value) {
    auto it = std::lower_bound(keys.begin(), keys.end(), Key(value, 0));
    return it != keys.end() && it->first == value ? it->second : 0;
}

int ItemNames::find(std::string_view value) const {
    bool header_variable = !value.empty() && value.front() == '$';
    return find_in(header_variable ? header_keys_ : plain_keys_, value);
}

}  // namespace zov
