#pragma once
// The viewer's message boxes with texts written in UTF-8 source: the format
// and its arguments are UTF-8, the box receives the CP932 text. Arguments
// that are already CP932 must be converted to UTF-8 first.
#include "common/messages.h"

namespace zov {

void show_information_utf8(Messages& messages, const char* format, ...)
    __attribute__((format(printf, 2, 3)));
void show_error_utf8(Messages& messages, const char* format, ...)
    __attribute__((format(printf, 2, 3)));
// A Yes/No question; true for Yes.
bool ask_utf8(Messages& messages, const char* format, ...) __attribute__((format(printf, 2, 3)));

}  // namespace zov
