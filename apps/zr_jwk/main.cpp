// ZR_JWK: a folder of JW_CAD symbol files becomes one DXF symbol-library sheet.
#include <string>
#include <vector>

#include "common/files.h"
#include "common/termination_cleanup.h"
#include "symconv/console.h"
#include "symconv/converter.h"

int main(int argc, char** argv) {
    zov::start_termination_cleanup();
    zov::ConverterConsole console;
    zov::ConverterContext context(console);
    context.launch_folder = zov::current_folder();
    std::vector<std::string> arguments(argv + 1, argv + argc);
    return zov::run_converter(context, arguments);
}
