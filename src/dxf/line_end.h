#pragma once
// Line ends of DXF and other text files: their kinds, their bytes, and how
// the line end of a file is told from its first bytes.
//
// Every reader of the toolkit takes the first line end of a file as the line
// end of all its lines, and tells it the same way (`first_line_end`): an LF,
// a CR followed by an LF, or a lone CR. Around that the viewer's DXF reader
// (dxf/line_reader.h) and ZovEdit's line reader (analyser/text_lines.h)
// differ on purpose, each keeping the lines that its program's stores and
// analysis files were always made of:
// - Where they look: the DXF reader looks through its first buffer and reads
//   a file without any line end as CR LF (so does ZovEdit's editor, through
//   the whole text); ZovEdit's line reader looks at the first 4096 bytes
//   only, stops at a byte no text file holds, passes over a MacBinary header
//   and reports a file without a line end there as not text.
// - Long lines come in pieces: of 2048 bytes from the DXF reader, of 4095
//   bytes from ZovEdit.
// - CR LF files: both drop the byte after each CR whatever it is, but a CR
//   that is the file's last byte ends a last line for ZovEdit only; the DXF
//   reader loses that line, like any last line without its line end.
// - LF files: the DXF reader drops a CR before the LF; ZovEdit keeps it as
//   part of the line.
#include <cstddef>
#include <optional>
#include <string_view>

namespace zov {

// How the lines of a file end. The numbers are those ZovEdit keeps in its
// settings file (TMM=1, 2 or 3) and reports as a file's line-end style: they
// must not change.
enum class LineEnd : int { CrLf = 1, Cr = 2, Lf = 3 };

// The bytes that end a line.
std::string_view line_end_bytes(LineEnd line_end);

// The first line end that starts among the first `scan_end` bytes of
// `bytes`: the LF of a CR LF may lie at `scan_end` itself, and a CR that is
// the last of `bytes` is a lone CR. Nothing when no line end starts there.
std::optional<LineEnd> first_line_end(std::string_view bytes,
                                      std::size_t scan_end = std::string_view::npos);

}  // namespace zov
