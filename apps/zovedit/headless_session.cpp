#include "analyser/disk.h"
#include "analyser/item_index.h"
#include "analyser/settings_file.h"
#include "commands.h"

HeadlessSession::HeadlessSession(bool answer_questions_yes)
    : messages_(answer_questions_yes),
      context_(zov::current_folder_cp932(), messages_, clock_, dialogs_) {
    zov::load_settings(context_);
    zov::build_item_index(context_);
}

HeadlessSession::~HeadlessSession() { zov::delete_item_index(context_); }
