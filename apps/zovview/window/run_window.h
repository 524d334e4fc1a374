#pragma once
// Starts the windowed viewer: "zovview [FILE] [/D:FOLDER]". Returns the
// process exit code.
int run_viewer_window(int argc, char** argv);

// True when the arguments ask for the window: a first argument that is not an
// option ("-..."), or none at all where there is a display to show it on.
// Everything else is a headless command, its --help or a misuse.
bool wants_window(int argc, char** argv);
