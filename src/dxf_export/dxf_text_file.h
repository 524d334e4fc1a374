#pragma once
// A DXF file of the viewer's writer: its groups end their lines with LF,
// which the text file writer puts on disk as CR LF; written whole or not at
// all, and a failed write is reported by close().
#include <string>
#include <string_view>

#include "common/text_file_writer.h"
#include "dxf/group_writer.h"

namespace zov {

class DxfTextFile : private DxfSink {
public:
    bool open(const std::string& path) { return file_.open(path); }
    DxfGroupWriter& groups() { return groups_; }
    bool close() { return file_.close(); }

private:
    // The text file writer remembers a failed write for close().
    bool write(std::string_view bytes) override {
        file_.put_text(bytes);
        return true;
    }

    TextFileWriter file_;
    DxfGroupWriter groups_{*this, "\n"};
};

}  // namespace zov
