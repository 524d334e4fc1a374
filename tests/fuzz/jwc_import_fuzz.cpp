// The viewer's import of DOS-era JW_CAD data and symbol files (.jwc, .jwk).
#include "fuzz_scratch.h"
#include "jw/jw_import.h"
#include "store/import_state.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string path = zov::fuzz::write_input("input.jwc", data, size);
    zov::fuzz::SilentMessages messages;
    zov::ImportState state(zov::fuzz::scratch_folder(), messages);
    zov::import_jwc_file(path, state, messages);
    return 0;
}
