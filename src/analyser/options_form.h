#pragma once
// What the analysis options dialog decides: every change goes into the
// settings at once, the item list follows its rules, and closing (confirmed
// or cancelled alike) stores the list and the form and saves the settings.
#include <string>
#include <vector>

#include "analyser/context.h"

namespace zov {

class ItemNames;

class AnalysisOptionsForm {
public:
    static constexpr std::size_t kMaxItems = 10;

    // Reads the list from KK0 to KK9 (their non-empty entries).
    explicit AnalysisOptionsForm(AnalyserContext& context);

    // The item combo box: one "%s  (%s)" entry of name and comment for every
    // index entry, in index order (CP932).
    static std::vector<std::string> combo_entries(const ItemNames& names);

    // The item controls are shown, the two explanations hidden, while
    // selection (selected_only) is on; the reverse when it is off.
    bool item_controls_shown() const { return context_.settings.selected_only == 1; }

    void set_comments(bool on) { context_.settings.item_comments = on; }
    void set_cut(bool on) { context_.settings.cut_handles = on; }
    void set_explanation(bool on) { context_.settings.explanation = on; }
    void set_selection(bool on) { context_.settings.selected_only = on; }

    // A joining mark typed into its edit: the setting takes it when it is one
    // single-byte printable character, and keeps its mark otherwise (a mark
    // must be exactly one byte in the analysis file). True when taken.
    bool set_code_mark(const std::string& text) {
        return set_mark(context_.settings.code_mark, text);
    }
    bool set_data_mark(const std::string& text) {
        return set_mark(context_.settings.data_mark, text);
    }
    // The "標準" buttons: the standard marks ":" and "_".
    void standard_code_mark() { context_.settings.code_mark = ":"; }
    void standard_data_mark() { context_.settings.data_mark = "_"; }

    const std::vector<std::string>& items() const { return items_; }
    // The entry chosen in the combo box (nothing when none is chosen) joins
    // the end of the list; refused with a message when the list is full or the
    // entry is empty. True when added.
    bool add_item(const std::string* entry);
    // Double-click in the list: the entry at `index` goes.
    void delete_item(int index);
    // "クリア": asks before emptying a list that is not empty.
    void clear_items();

    // Closing: the list becomes KK0 to KK9 (each cut to 36 bytes without
    // splitting a character), analysis_form takes `form`, and the settings are saved.
    void close(int form);

private:
    static bool set_mark(std::string& mark, const std::string& text);

    AnalyserContext& context_;
    std::vector<std::string> items_;
};

}  // namespace zov
