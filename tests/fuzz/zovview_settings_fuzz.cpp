// ZovView's settings file ZovView.CFG, read as the viewer starts.
#include "common/clock.h"
#include "fuzz_scratch.h"
#include "viewer/file_dialog.h"
#include "viewer/settings_file.h"
#include "viewer/viewer_shell.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    zov::fuzz::write_input(zov::kViewerSettingsFileName, data, size);
    zov::fuzz::SilentMessages messages;
    zov::FixedClock clock{1700000000};
    zov::CancellingFileDialog dialog;
    zov::ViewerShell shell(zov::fuzz::scratch_folder(), messages, clock, dialog);
    zov::load_settings(shell);
    return 0;
}
