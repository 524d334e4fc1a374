#pragma once
// The analyser's own texts are written in the sources as UTF-8 and used as
// CP932, like every other text inside the program.
#include <string>

#include "common/messages.h"

namespace zov {

// CP932 form of a text written in the sources.
std::string cp932_text(const char* utf8);

// Shows a message of the analyser: `utf8_format` is the printf format as
// written in the sources, the arguments are CP932 text.
void report(Messages& messages, MessageIcon icon, const char* utf8_format, ...)
    __attribute__((format(printf, 3, 4)));

}  // namespace zov
