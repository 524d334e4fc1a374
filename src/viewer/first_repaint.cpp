#include "viewer/first_repaint.h"

#include "common/clock.h"
#include "common/cp932.h"
#include "common/encoding.h"
#include "common/files.h"
#include "common/japanese_texts.h"
#include "common/messages.h"
#include "common/paths.h"
#include "store/import_state.h"
#include "viewer/command_line.h"
#include "viewer/help_drawing.h"
#include "viewer/load_drawing.h"
#include "viewer/viewer_shell.h"

namespace zov {

namespace {

constexpr char kProgramName[] = "ZovView";
const char* const kLoadDatePattern = cp932_text(JaText::LoadDatePattern);
const char* const kLoadingFormat = cp932_text(JaText::Loading);
const char* const kUntitled = cp932_text(JaText::Untitled);

}  // namespace

bool first_repaint_due(const ShellState& state) {
    return state.help_shown || !state.start_command_line.empty() || !state.start_file.empty();
}

Splash prepare_first_repaint(ViewerShell& shell) {
    ShellState& state = shell.state;
    parse_command_line(shell, state.start_command_line);
    state.start_command_line.clear();
    const std::string today = format_local_time(kLoadDatePattern, shell.clock.now());
    const bool new_day = !equals_ignore_case(today, state.load_date);
    // A viewer with a store folder of its own (a second viewer on the program
    // folder) starts with no store at all: the drawing loaded earlier today
    // is in the other viewer's store, so this one shows the help drawing.
    const bool no_store = !file_exists(shell.store_path(kDataFileName));

    Splash splash;
    if (!new_day && !no_store && state.start_file.empty()) return splash;
    copy_help_drawing(shell);
    splash.shown = true;
    splash.texts = {{kProgramName, 10, 10, 100}, {kStoreBanner, 30, 110, 16}};
    if (!state.start_file.empty()) {
        const PathParts parts = split_path(state.start_file);
        splash.texts.push_back(
            {format_text(kLoadingFormat, utf8_to_cp932(parts.name + parts.extension).c_str()), 30,
             130, 16});
    } else {
        splash.pause_one_second = true;
    }
    return splash;
}

int finish_first_repaint(ViewerShell& shell) {
    ShellState& state = shell.state;
    int result = 0;
    if (!state.start_file.empty()) {
        const std::string file = state.start_file;
        result = load_drawing(shell, SettingsFile::Rewrite, file);
        state.start_file.clear();
    }
    state.help_shown = false;
    return result;
}

std::string window_title(const ShellState& state, const StoreHeader& header) {
    if (state.help_shown) return kHelpCaption;
    const PathParts parts = split_path(fixed_text(header.fname));
    const std::string name = parts.name + parts.extension;
    return name.empty() ? kUntitled : name;
}

}  // namespace zov
