#pragma once
// What the JW_CAD for Windows reader hands on, as one line of text per
// visitor call, and what it should hand on for a file the test writer built.
// Lines compare exactly (numbers in full precision) and read well in a
// failure message.
#include <string>
#include <vector>

#include "fixtures/jww_writer.h"
#include "jw/jww_reader.h"

namespace zov {

class JwwEventRecorder : public JwwVisitor {
public:
    void header(const JwwHeader& h) override;
    void line(const JwwLine& l) override;
    void arc(const JwwArc& a) override;
    void point(const JwwPoint& p) override;
    void text(const JwwText& t) override;
    void solid(const JwwSolid& s) override;
    void insert(const JwwInsert& i) override;
    void dimension(const JwwDimension& d) override;
    void begin_block(const JwwBlockDefinition& b) override;
    void end_block() override;
    void image(const JwwImage& i) override;

    std::vector<std::string> events;
};

// The lines the reader should hand on for `content`: the header as the
// version and file kind keep it, then every entity, block and image, with
// the fields the version does not store at their defaults.
std::vector<std::string> expected_events(const fixtures::JwwContent& content);

// Reads `bytes` and records what the reader hands on.
struct JwwRecording {
    JwwReadResult result;
    std::vector<std::string> events;
};
JwwRecording read_recorded(const std::string& bytes);

// Fails with the first line that differs.
void expect_same_events(const std::vector<std::string>& expected,
                        const std::vector<std::string>& got);

const char* status_name(JwwReadStatus status);

}  // namespace zov
