// ZR_JWK's settings file ZR_JWK.CFG, read line by line as the converter starts.
#include "fuzz_scratch.h"
#include "symconv/converter_settings.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    zov::fuzz::write_input(zov::kSettingsFile, data, size);
    zov::fuzz::SilentMessages messages;
    zov::ConverterSettings settings;
    zov::load_converter_settings(zov::fuzz::scratch_folder(), settings, messages);
    return 0;
}
