#pragma once
// Reading a JW_CAD for Windows drawing (.jww) or symbol (.jws): the header,
// then every entity in file order, handed to a visitor as it is read, so
// that memory does not grow with the file. Block definitions arrive as
// begin_block, their contents, end_block, and may nest.
//
// Every count and length is checked against what is left of the file; a
// file that ends early has given the visitor everything before the cut.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "common/read_progress.h"
#include "jw/jww_format.h"

namespace zov {

class JwwVisitor {
public:
    virtual ~JwwVisitor() = default;
    virtual void header(const JwwHeader&) {}
    virtual void line(const JwwLine&) {}
    virtual void arc(const JwwArc&) {}
    virtual void point(const JwwPoint&) {}
    virtual void text(const JwwText&) {}
    virtual void solid(const JwwSolid&) {}
    virtual void insert(const JwwInsert&) {}
    virtual void dimension(const JwwDimension&) {}
    virtual void begin_block(const JwwBlockDefinition&) {}
    virtual void end_block() {}
    virtual void image(const JwwImage&) {}
};

enum class JwwReadStatus {
    Whole,       // read to the last byte
    CannotOpen,  // the file could not be opened or read
    NotJww,      // no JwwData. / JwsData. signature
    CutShort,    // the file ends before what it announces
    Damaged,     // bytes that cannot be what the format allows, or bytes left over
};

struct JwwReadResult {
    JwwReadStatus status = JwwReadStatus::Whole;
    std::int64_t offset = 0;  // where reading stopped
    std::string detail;       // ASCII, for the dump and tests: what was wrong
};

// Block definitions nested deeper than this are taken as damage.
constexpr int kJwwMaxBlockNesting = 64;

// The kind of file whose first bytes are `start`, from its signature alone.
std::optional<JwwFileKind> jww_file_kind(std::string_view start);

// Reads the file at `path` (a file-system path) through a fixed buffer,
// telling `progress` (when given) how far it has come; a stop asked for
// there ends the reading as if the file ended.
JwwReadResult read_jww_file(const std::string& path, JwwVisitor& visitor,
                            ReadProgress* progress = nullptr);

// Reads a whole file held in memory.
JwwReadResult read_jww_bytes(std::string_view bytes, JwwVisitor& visitor);

}  // namespace zov
