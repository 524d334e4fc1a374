#pragma once
// The toolbar's icons, the program's icon and the zoom cursor, drawn from the SVG pictures
// kept with the program, at 16 x 16 and 32 x 32 pixels.
#include <QCursor>
#include <QIcon>

// The icon of a toolbar command; an empty icon for a command without one.
QIcon command_icon(int command_id);
QIcon program_icon();
// The cursor of the zoom gesture: the magnifier, its hot spot in the lens.
QCursor zoom_cursor();
