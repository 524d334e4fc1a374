#include "analyser/options_form.h"

#include "analyser/item_index.h"
#include "analyser/settings_file.h"
#include "analyser/texts.h"
#include "common/cp932.h"

namespace zov {

AnalysisOptionsForm::AnalysisOptionsForm(AnalyserContext& context) : context_(context) {
    for (const std::string& entry : context.settings.selected_items)
        if (!entry.empty()) items_.push_back(entry);
}

std::vector<std::string> AnalysisOptionsForm::combo_entries(const ItemNames& names) {
    std::vector<std::string> entries;
    entries.reserve(static_cast<std::size_t>(names.entry_count()));
    for (int entry = 1; entry <= names.entry_count(); ++entry)
        entries.push_back(names.name(entry) + "  (" + names.comment(entry) + ")");
    return entries;
}

bool AnalysisOptionsForm::set_mark(std::string& mark, const std::string& text) {
    if (text.size() != 1) return false;
    unsigned char byte = static_cast<unsigned char>(text[0]);
    if (byte <= 0x20 || byte >= 0x7F) return false;
    mark = text;
    return true;
}

bool AnalysisOptionsForm::add_item(const std::string* entry) {
    if (items_.size() >= kMaxItems) {
        report(context_.messages, MessageIcon::Exclamation, "これ以上追加できません");
        return false;
    }
    if (entry == nullptr || entry->empty()) {
        report(context_.messages, MessageIcon::Stop, "項目名がセットできていません");
        return false;
    }
    items_.push_back(*entry);
    return true;
}

void AnalysisOptionsForm::delete_item(int index) {
    if (index < 0 || static_cast<std::size_t>(index) >= items_.size()) return;
    items_.erase(items_.begin() + index);
}

void AnalysisOptionsForm::clear_items() {
    if (items_.empty()) return;
    if (context_.messages.ask(cp932_text("右側の項目リスト全てをクリアしてよろしいですか？")))
        items_.clear();
}

void AnalysisOptionsForm::close(int form) {
    AnalyserSettings& settings = context_.settings;
    for (std::size_t slot = 0; slot < settings.selected_items.size(); ++slot) {
        settings.selected_items[slot].clear();
        if (slot < items_.size())
            settings.selected_items[slot] =
                items_[slot].substr(0, safe_prefix_length(items_[slot], kItemSettingLimit));
    }
    settings.analysis_form = form;
    save_settings(context_);
}

}  // namespace zov
