// ZovEdit's settings file ZovEdit.CFG, read key by key as the editor starts.
#include "analyser/dialogs.h"
#include "analyser/settings_file.h"
#include "common/clock.h"
#include "fuzz_scratch.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    zov::fuzz::write_input(zov::kAnalyserSettingsFileName, data, size);
    zov::fuzz::SilentMessages messages;
    zov::FixedClock clock{1700000000};
    zov::AcceptingDialogs dialogs;
    zov::AnalyserContext context(zov::fuzz::scratch_folder(), messages, clock, dialogs);
    zov::load_settings(context);
    return 0;
}
