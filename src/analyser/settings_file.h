#pragma once
// The settings file ZovEdit.CFG in the start folder: written line by line in
// its fixed layout, read back key by key. The user may edit it while the
// program runs (it opens as a document); a save never undoes that edit.
#include "analyser/context.h"

namespace zov {

// Every setting to its default, then the file is written and the item-name
// index built.
void reset_settings(AnalyserContext& context);

// Reads ZovEdit.CFG; falls back to `reset_settings` when it is missing or
// cannot be read as text.
void load_settings(AnalyserContext& context);

// Takes in what the user saved into ZovEdit.CFG (in the editor or any other
// program) since the session last read or wrote it: every setting the
// session has not changed meanwhile takes the file's value. Nothing changes
// while the file is as the session left it, or is gone.
void refresh_settings(AnalyserContext& context);

// Writes ZovEdit.CFG from memory, after refresh_settings, so that a file the
// user saved keeps every value the session did not change; false (after the
// message) when it cannot be created.
bool save_settings(AnalyserContext& context);

}  // namespace zov
