#pragma once
// A throw-away start folder with an analyser context in it, and small file
// helpers for the analyser's tests. Test folders have ASCII names, so their
// paths are the same in UTF-8 and CP932.
#include <string>
#include <vector>

#include "analyser/context.h"
#include "analyser/dialogs.h"
#include "common/clock.h"
#include "common/messages.h"
#include "fixtures/temp_folder.h"

namespace zov {

// An analyser whose start folder is a fresh temporary folder, set up as the
// program starts: default settings written, item-name index built.
struct TestAnalyser {
    TestAnalyser();
    std::string file(const std::string& name) const { return folder.path() + name; }

    TempFolder folder;
    RecordingMessages messages;
    FixedClock clock{1700000000};
    AcceptingDialogs dialogs;
    AnalyserContext context;
};

std::string read_file(const std::string& path);
void write_file(const std::string& path, const std::string& bytes);
// Lines of `text` split at `line_end`; a final line end gives no empty line.
std::vector<std::string> split_lines(const std::string& text, const std::string& line_end = "\r\n");
// CP932 form of a UTF-8 text written in a test.
std::string sj(const char* utf8);

}  // namespace zov
