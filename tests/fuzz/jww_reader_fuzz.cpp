// The JW_CAD for Windows reader on bytes in memory, every entity visited.
#include <string_view>

#include "jw/jww_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    zov::JwwVisitor ignore_everything;
    zov::read_jww_bytes(std::string_view(reinterpret_cast<const char*>(data), size),
                        ignore_everything);
    return 0;
}
