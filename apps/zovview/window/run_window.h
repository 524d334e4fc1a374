#pragma once
// Starts the windowed viewer: "zovview [FILE] [/D:FOLDER]". Returns the
// process exit code.
int run_viewer_window(int argc, char** argv);
