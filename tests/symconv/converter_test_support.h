#pragma once
// Shared pieces of the converter's tests: a fresh launch folder and library
// folder per test, file helpers, and a run of the converter that records
// every console message.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <type_traits>
#include <vector>

#include "common/messages.h"
#include "fixtures/jw_writer.h"
#include "fixtures/temp_folder.h"
#include "symconv/converter.h"
#include "symconv/dxf_line_writer.h"

namespace zov::testing {

inline std::string read_bytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

inline void write_bytes(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary);
    out << bytes;
}

// The lines of a CR LF text.
inline std::vector<std::string> crlf_lines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
        lines.push_back(text.substr(start, end - start));
    if (start < text.size()) lines.push_back(text.substr(start));
    return lines;
}

// The values of group `code` in the entities of `kind` ("INSERT", "BLOCK"),
// in file order.
inline std::vector<std::string> entity_values(const std::string& dxf, const std::string& kind,
                                              const std::string& code) {
    std::vector<std::string> lines = crlf_lines(dxf), values;
    bool inside = false;
    for (std::size_t i = 0; i + 1 < lines.size(); i += 2) {
        if (lines[i] == "0")
            inside = lines[i + 1] == kind;
        else if (inside && lines[i] == code)
            values.push_back(lines[i + 1]);
    }
    return values;
}

// What `write` sends through the converter's line writer, or through DXF
// groups written to it, as bytes.
template <typename Write>
std::string written_by(Write write) {
    char* buffer = nullptr;
    std::size_t size = 0;
    std::FILE* memory = open_memstream(&buffer, &size);
    {
        DxfLineWriter out(memory);
        if constexpr (std::is_invocable_v<Write, DxfGroupWriter&>) {
            DxfGroupWriter groups(out, kConverterLineEnd);
            write(groups);
        } else {
            write(out);
        }
    }
    std::fclose(memory);
    std::string bytes(buffer, size);
    std::free(buffer);
    return bytes;
}

// A test with its own launch folder and library folder "lib/" inside it.
class ConverterTest : public ::testing::Test {
protected:
    void SetUp() override { std::filesystem::create_directories(library); }

    void add_symbol(const std::string& file_name, const fixtures::JwSymbolSpec& content) {
        ASSERT_TRUE(
            fixtures::write_jw_file(library + file_name, fixtures::build_jw_symbol_file(content)));
    }

    // Runs the converter on `arguments` with the launch folder as current.
    int run(std::vector<std::string> arguments) {
        messages.entries.clear();
        ConverterContext context(messages);
        context.launch_folder = launch;
        int code = run_converter(context, arguments);
        last_context_library_name = context.library_name;
        return code;
    }

    // Every message printed, joined in order; failure reports framed by ★.
    std::string console() const {
        std::string text;
        for (const auto& entry : messages.entries) {
            text += entry.icon == MessageIcon::Stop ? "[" + entry.text + "]" : entry.text;
        }
        return text;
    }

    std::string dxf(const std::string& name = "ZR_JWK") const {
        return read_bytes(library + name + ".DXF");
    }

    TempFolder scratch;
    std::string launch = scratch.path();
    std::string library = launch + "lib/";
    RecordingMessages messages;
    std::string last_context_library_name;
};

}  // namespace zov::testing
