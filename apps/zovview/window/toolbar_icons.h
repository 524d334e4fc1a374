#pragma once
// The toolbar's icons and the program's icon, drawn from the SVG pictures
// kept with the program, at 16 x 16 and 32 x 32 pixels.
#include <QIcon>

// The icon of a toolbar command; an empty icon for a command without one.
QIcon command_icon(int command_id);
QIcon program_icon();
