// The viewer's DXF import, text or binary, from the file to the assembled store.
#include "dxf_import/dxf_import.h"
#include "fuzz_scratch.h"
#include "store/import_state.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string path = zov::fuzz::write_input("input.dxf", data, size);
    zov::fuzz::SilentMessages messages;
    zov::ImportState state(zov::fuzz::scratch_folder(), messages);
    zov::import_dxf_file(path, state);
    return 0;
}
