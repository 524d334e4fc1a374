#pragma once
// The viewer's usage text, printed by both parts of the program.
#include "common/headless_commands.h"

inline constexpr zov::ProgramUsage kUsage{
    "zovview",
    "usage: zovview [FILE] [/D:FOLDER]   (the window)\n"
    "       zovview --dump FILE [--home DIR]\n"
    "       zovview --render FILE... -o OUT.png|OUT.pdf|OUT.svg|FOLDER/ "
    "[--size WxH|A0..A4]\n"
    "               [--paper black|white] [--format png|pdf|svg] "
    "[--filter visible|all|hidden|locked]\n"
    "               [--style standard|layers] [--dimension-ends 0|1|2|3] "
    "[--view X0,Y0,X1,Y1]\n"
    "               [--home DIR] [--yes]\n"
    "       zovview --export-dxf FILE... -o OUT.dxf|FOLDER/ [--full] "
    "[--style standard|layers] [--home DIR] [--yes]\n"
    "       zovview --help-drawing SOURCE -o ZovV_Hlp.dat\n"
    "       zovview --help | --version\n"
    "A command that writes a file prints its name; --quiet shows only errors and warnings.\n"
    "Several FILEs go with -o FOLDER/, one output each, with a progress line per file.\n"};
