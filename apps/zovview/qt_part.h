#pragma once
// The program's Qt part (zovview-qt.so): the window and every headless
// command, loaded from beside the program or from ../lib/zovview/.

// Runs the Qt part with the program's arguments; its exit code, or 1 after
// a message when it cannot be loaded.
int run_qt_part(int argc, char** argv);

// The Qt part's entry: the window or a headless command, as the arguments ask.
extern "C" int zovview_qt_main(int argc, char** argv);
