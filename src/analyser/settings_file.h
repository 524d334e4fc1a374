#pragma once
// The settings file ZovEdit.CFG in the start folder: written line by line in
// its fixed layout, read back key by key.
#include "analyser/context.h"

namespace zov {

// Every setting to its default, then the file is written and the item-name
// index built.
void reset_settings(AnalyserContext& context);

// Reads ZovEdit.CFG; falls back to `reset_settings` when it is missing or
// cannot be read as text.
void load_settings(AnalyserContext& context);

// Writes ZovEdit.CFG from memory; false (after the message) when it cannot
// be created.
bool save_settings(AnalyserContext& context);

}  // namespace zov
