#pragma once
// What the view does at its first repaint, and the window title rule. The
// windowed view paints what these functions decide.
#include <string>
#include <vector>

#include "store/records.h"

namespace zov {

class ViewerShell;
struct ShellState;

// One line of the start screen: CP932 text, its top-left pixel and height.
struct SplashText {
    std::string text;
    int x = 0;
    int y = 0;
    int height = 0;
};

// The start screen: a grey client area (RGB 192, 192, 192) with these texts.
struct Splash {
    bool shown = false;
    std::vector<SplashText> texts;
    bool pause_one_second = false;  // shown without a file to load
};

// The first repaint runs while the help drawing is flagged or a start file
// may be pending.
bool first_repaint_due(const ShellState& state);

// Steps before the load: parses the command line, compares today with the
// load date, and on a new day, with a start file or with no store yet (a
// private store folder) copies the help drawing into the store and returns
// the start screen to show.
Splash prepare_first_repaint(ViewerShell& shell);

// The last step: loads a pending start file through load_drawing. Afterwards
// the help flag is cleared. Returns the load's result, or 0 with no file.
int finish_first_repaint(ViewerShell& shell);

// The document title after a repaint (CP932): "ZovViewについて" while the
// help drawing is flagged; otherwise name and extension of the header's
// fname; "無題" when that is empty.
std::string window_title(const ShellState& state, const StoreHeader& header);

}  // namespace zov
