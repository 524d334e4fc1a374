#pragma once
// The viewer's commands as its menus and toolbar show them: ids, menu texts
// with their mnemonics, prompts (status text, then the tool tip after a line
// feed), the menu bar from left to right and the toolbar from left to
// right. Texts are UTF-8: they only ever reach the screen.
#include <span>
#include <string>
#include <string_view>

namespace zov {

enum ViewerCommandId {
    kCmdOpenJwc = 32771,
    kCmdOpenDxf = 32772,
    kCmdOpenDwg = 32773,
    kCmdOpenHistory = 32774,
    kCmdDimensionDots = 32784,
    kCmdDimensionFilledArrows = 32786,
    kCmdAllLayers = 32788,
    kCmdDimensionAsData = 32791,
    kCmdDimensionArrows = 32792,
    kCmdVisibleLayers = 32793,
    kCmdHiddenLayers = 32794,
    kCmdLockedLayers = 32796,
    kCmdStandardDisplay = 32800,
    kCmdLayerThumbnails = 32801,
    kCmdBlockThumbnails = 32802,
    kCmdZoom = 32803,
    kCmdSaveDxf = 32805,
    kCmdShowHelp = 32807,
    kCmdAbout = 57664,
    kCmdExit = 57665,
    kSeparator = 0,
};

struct ViewerCommand {
    int id;
    const char* menu_text;  // "" for a toolbar-only command
    const char* prompt;     // "" when none
    bool enabled = true;
};

// The command with `id`; a command of id 0 when there is none.
const ViewerCommand& viewer_command(int id);

// The tool tip of a command: its prompt's part after the line feed; when that
// is empty the part before it, and without a prompt the menu text without
// its mnemonic.
std::string tool_tip(const ViewerCommand& command);
// The status-bar part of a prompt (before the line feed).
std::string status_prompt(const ViewerCommand& command);

struct ViewerMenu {
    const char* title;
    std::span<const int> items;  // command ids; kSeparator between groups
    int command = 0;             // a command on the menu bar itself (no items)
};

// The menu bar, left to right.
std::span<const ViewerMenu> viewer_menus();
// The toolbar, left to right; kSeparator between groups.
std::span<const int> viewer_toolbar();

}  // namespace zov
