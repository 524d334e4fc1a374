#include "jw/jw_format.h"

namespace zov {

const char* const kJwLineTypeNames[9] = {"CONTINUOUS", "DOT",     "DASHED",
                                         "DASHED2",    "CENTER",  "CENTER2",
                                         "PHANTOM",    "PHANTOM2", "HIDDEN"};

}  // namespace zov
