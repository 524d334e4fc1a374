#pragma once
// The headers of JW_CAD for Windows files, read field by field up to the
// entity list: the document header of a drawing, the short header of a
// symbol. Fields the viewer has no use for are read and dropped, since only
// reading them finds where the entities begin.
#include "jw/jww_byte_source.h"
#include "jw/jww_format.h"

namespace zov {

// Both read from just after the 8-byte signature. False when a string's
// length prefix is unreadable; a header longer than the input marks the
// source as cut short.
bool read_jww_drawing_header(JwwByteSource& source, JwwHeader& header);
bool read_jww_symbol_header(JwwByteSource& source, JwwHeader& header);

}  // namespace zov
