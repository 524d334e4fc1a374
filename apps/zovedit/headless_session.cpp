#include <cstdio>

#include "analyser/disk.h"
#include "analyser/item_index.h"
#include "analyser/settings_file.h"
#include "commands.h"

HeadlessSession::HeadlessSession(bool answer_questions_yes) : messages_(answer_questions_yes) {
    std::optional<std::string> folder = zov::current_folder_cp932();
    if (!folder) {
        std::fprintf(stderr, "error: the current folder cannot be named in CP932\n");
        return;
    }
    context_.emplace(*folder, messages_, clock_, dialogs_);
    zov::load_settings(*context_);
    zov::build_item_index(*context_);
}

HeadlessSession::~HeadlessSession() {
    if (context_) zov::delete_item_index(*context_);
}
