#include "analyser/context.h"

#include "common/encoding.h"

namespace zov {

std::string AnalyserContext::scratch_file(const char* name) {
    if (!scratch.exists()) {
        if (!scratch.create(cp932_to_file_name(start_folder), "ZovEdit")) return std::string();
    }
    // The scratch folder's own name is ASCII: the same bytes in CP932.
    const std::string& path = scratch.path();
    const std::size_t slash = path.rfind('/', path.size() - 2);
    const std::size_t own_name = slash == std::string::npos ? 0 : slash + 1;
    return start_folder + path.substr(own_name) + name;
}

}  // namespace zov
