#pragma once
// The editor's font record as a Qt font and back. The face "Terminal" names
// the program's CP932 monospace face, IPAGothic.
#include <QColor>
#include <QFont>

#include "analyser/font_record.h"

namespace zovedit {

QFont monospace_face();

QFont font_from_record(const zov::FontRecord& record);
QColor colour_from_record(const zov::FontRecord& record);

// The dialog's choice copied into `record`: face, size, effects; the colour
// and character set kept, automatic colour off, the mask of a file record.
void record_from_font(zov::FontRecord& record, const QFont& font);

}  // namespace zovedit
