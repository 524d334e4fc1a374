#include "viewer/qt_part_location.h"

namespace zov {

std::vector<std::string> qt_part_candidates(const std::string& executable_folder) {
    if (executable_folder.empty() || executable_folder.front() != '/' ||
        executable_folder.back() != '/')
        return {};
    return {executable_folder + kQtPartName, executable_folder + "../lib/zovview/" + kQtPartName};
}

}  // namespace zov
