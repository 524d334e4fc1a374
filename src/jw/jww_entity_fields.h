#pragma once
// The fields of each JW_CAD for Windows entity class, read in file order.
// Each reader reads the common base first; the data version decides the
// fields that appear with later versions. Strings that cannot be read make
// `strings_readable` false.
#include <cstdint>

#include "jw/jww_byte_source.h"
#include "jw/jww_format.h"

namespace zov {

class JwwEntityFields {
public:
    JwwEntityFields(JwwByteSource& source, std::uint32_t version) : s_(source), version_(version) {}

    bool strings_readable() const { return strings_readable_; }

    void base(JwwEntityBase& base);
    void line(JwwLine& line);
    void arc(JwwArc& arc);
    void point(JwwPoint& point);
    void text(JwwText& text);
    void solid(JwwSolid& solid);
    void insert(JwwInsert& insert);
    void dimension(JwwDimension& dimension);
    // A block definition up to its contents, which follow as a list.
    void block_definition(JwwBlockDefinition& definition);

private:
    void string(std::string& text);

    JwwByteSource& s_;
    std::uint32_t version_;
    bool strings_readable_ = true;
};

}  // namespace zov
