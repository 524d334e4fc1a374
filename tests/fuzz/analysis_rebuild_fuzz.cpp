// ZovEdit's rebuild of a DXF file from an (edited) analysis file: the checks
// of the management line, then the groups of the data region.
#include <cstdio>

#include "analyser/dialogs.h"
#include "analyser/rebuild.h"
#include "analyser/settings_file.h"
#include "common/clock.h"
#include "fuzz_scratch.h"

namespace {

// One session for the whole run, set up as the program starts: default
// settings and the item-name index in the scratch folder.
zov::AnalyserContext& session() {
    static zov::fuzz::SilentMessages messages;
    static zov::FixedClock clock{1700000000};
    static zov::AcceptingDialogs dialogs;
    static zov::AnalyserContext context(zov::fuzz::scratch_folder(), messages, clock, dialogs);
    static const bool settings_written = (zov::reset_settings(context), true);
    (void)settings_written;
    return context;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    zov::AnalyserContext& context = session();
    const std::string analysis = zov::fuzz::write_input("input.TXT", data, size);
    std::string output = zov::fuzz::scratch_folder() + "rebuilt.dxf";
    zov::rebuild_from_analysis(context, zov::kWriteDxf, analysis, output);
    std::remove(output.c_str());
    return 0;
}
