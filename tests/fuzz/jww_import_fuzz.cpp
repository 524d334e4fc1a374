// The viewer's import of JW_CAD for Windows drawings and symbols into the store.
#include "fuzz_scratch.h"
#include "jw/jww_import.h"
#include "store/import_state.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string path = zov::fuzz::write_input("input.jww", data, size);
    zov::fuzz::SilentMessages messages;
    zov::ImportState state(zov::fuzz::scratch_folder(), messages);
    zov::JwImportSettings settings;
    zov::import_jww_file(path, state, messages, settings);
    return 0;
}
