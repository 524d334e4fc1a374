#include "jww_events.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <variant>

namespace zov {

namespace {

using fixtures::JwwBlock;
using fixtures::JwwContent;
using fixtures::JwwObject;

// Builds one line: a word, then numbers (exact) and quoted strings.
class Line {
public:
    explicit Line(const char* word) : text_(word) {}
    Line& operator<<(double value) {
        char buffer[40];
        std::snprintf(buffer, sizeof buffer, " %.17g", value);
        text_ += buffer;
        return *this;
    }
    Line& operator<<(const std::string& value) {
        text_ += " \"" + value + "\"";
        return *this;
    }
    Line& operator<<(const JwwEntityBase& b) {
        return *this << "(" << b.curve << b.pen_style << b.pen_colour << b.pen_width << b.layer
                     << b.group << b.flags << ")";
    }
    Line& operator<<(const char* word) {
        text_ += std::string(" ") + word;
        return *this;
    }
    std::string str() const { return text_; }

private:
    std::string text_;
};

std::string describe(const JwwLine& l) {
    return (Line("line") << l.base << l.start_x << l.start_y << l.end_x << l.end_y).str();
}
std::string describe(const JwwArc& a) {
    return (Line("arc") << a.base << a.centre_x << a.centre_y << a.radius << a.start << a.sweep
                        << a.tilt << a.flattening << a.full)
        .str();
}
std::string describe(const JwwPoint& p) {
    return (Line("point") << p.base << p.x << p.y << p.temporary << p.marker << p.marker_angle
                          << p.marker_scale)
        .str();
}
std::string describe(const JwwText& t) {
    return (Line("text") << t.base << t.start_x << t.start_y << t.end_x << t.end_y << t.kind
                         << t.width << t.height << t.spacing << t.angle << t.font << t.text)
        .str();
}
std::string describe(const JwwSolid& s) {
    Line line("solid");
    line << s.base;
    for (int corner = 0; corner < 4; ++corner) line << s.x[corner] << s.y[corner];
    return (line << s.rgb).str();
}
std::string describe(const JwwInsert& i) {
    return (Line("insert") << i.base << i.x << i.y << i.scale_x << i.scale_y << i.angle
                           << i.block_number)
        .str();
}
std::string describe(const JwwDimension& d) {
    std::string text = (Line("dimension") << d.base << d.has_sxf_parts << d.sxf_mode).str();
    text += " {" + describe(d.line) + "} {" + describe(d.text) + "}";
    for (const JwwLine& line : d.extension_lines) text += " {" + describe(line) + "}";
    for (const JwwPoint& point : d.points) text += " {" + describe(point) + "}";
    return text;
}
std::string describe(const JwwBlockDefinition& b) {
    return (Line("begin") << b.base << b.number << b.referred << b.time << b.name).str();
}
std::string describe(const JwwImage& i) { return (Line("image") << i.name << i.size).str(); }

std::string describe(const JwwHeader& h) {
    Line line("header");
    line << (h.kind == JwwFileKind::Drawing ? "jww" : "jws") << h.version << h.memo << h.paper
         << h.write_group;
    for (const JwwLayerGroup& g : h.groups) {
        line << "group" << g.state << g.write_layer << g.scale << g.protection << g.name;
        for (int l = 0; l < kJwwLayersPerGroup; ++l)
            line << g.layer_state[l] << g.layer_protection[l] << g.layer_names[l];
    }
    line << "pens";
    for (int n = 0; n < kJwwPens; ++n) line << h.pen_colours[n] << h.pen_widths[n];
    line << "sxf";
    for (int n = 0; n < kJwwSxfColours; ++n) line << h.sxf_colours[n] << h.sxf_colour_names[n];
    for (const std::string& name : h.sxf_line_type_names) line << name;
    line << "text kinds";
    for (const JwwTextKind& k : h.text_kinds) line << k.width << k.height << k.spacing << k.colour;
    return (line << "symbol" << h.origin_x << h.origin_y << h.bounds_left << h.bounds_bottom
                 << h.bounds_right << h.bounds_top)
        .str();
}

// What the reader gives for what the writer was handed: fields the version
// or the entity's own flags leave out of the file read as their defaults.
class Expectation {
public:
    explicit Expectation(std::uint32_t version) : version_(version) {}

    JwwEntityBase base(JwwEntityBase b) const {
        if (version_ < kJwwVersionPenWidth) b.pen_width = 0;
        return b;
    }
    JwwLine operator()(JwwLine l) const {
        l.base = base(l.base);
        return l;
    }
    JwwArc operator()(JwwArc a) const {
        a.base = base(a.base);
        return a;
    }
    JwwPoint operator()(JwwPoint p) const {
        p.base = base(p.base);
        if (p.base.pen_style != kJwwMarkerPoint) {
            p.marker = 0;
            p.marker_angle = p.marker_scale = 0;
        }
        return p;
    }
    JwwText operator()(JwwText t) const {
        t.base = base(t.base);
        return t;
    }
    JwwSolid operator()(JwwSolid s) const {
        s.base = base(s.base);
        if (s.base.pen_colour != kJwwSolidOwnColour) s.rgb = 0;
        return s;
    }
    JwwInsert operator()(JwwInsert i) const {
        i.base = base(i.base);
        return i;
    }
    JwwDimension operator()(JwwDimension d) const {
        d.base = base(d.base);
        d.line = (*this)(d.line);
        d.text = (*this)(d.text);
        d.has_sxf_parts = version_ >= kJwwVersionSxf;
        if (!d.has_sxf_parts) {
            d.sxf_mode = 0;
            d.extension_lines = {};
            d.points = {};
        }
        for (JwwLine& line : d.extension_lines) line = (*this)(line);
        for (JwwPoint& point : d.points) point = (*this)(point);
        return d;
    }

    void add(const std::vector<JwwObject>& list, std::vector<std::string>& events) const {
        for (const JwwObject& object : list)
            std::visit([&](const auto& o) { add(o, events); }, object.value);
    }
    void add(const JwwBlock& block, std::vector<std::string>& events) const {
        JwwBlockDefinition definition = block.definition;
        definition.base = base(definition.base);
        events.push_back(describe(definition));
        add(block.contents, events);
        events.push_back("end");
    }
    // Null objects and back-references hand on nothing; a raw object is
    // never part of a file read whole.
    void add(const fixtures::JwwNullObject&, std::vector<std::string>&) const {}
    void add(const fixtures::JwwObjectReference&, std::vector<std::string>&) const {}
    void add(const fixtures::JwwRawObject&, std::vector<std::string>&) const {}
    template <typename Entity>
    void add(const Entity& entity, std::vector<std::string>& events) const {
        events.push_back(describe((*this)(entity)));
    }

private:
    std::uint32_t version_;
};

JwwHeader expected_header(const JwwHeader& written) {
    if (written.kind == JwwFileKind::Drawing) {
        JwwHeader h = written;
        h.origin_x = h.origin_y = 0;
        h.bounds_left = h.bounds_bottom = h.bounds_right = h.bounds_top = 0;
        if (h.version < kJwwVersionSxf) {
            h.sxf_colours = {};
            h.sxf_colour_names = {};
            h.sxf_line_type_names = {};
        }
        return h;
    }
    JwwHeader h;
    h.kind = JwwFileKind::Symbol;
    h.version = written.version;
    for (int g = 0; g < kJwwGroups; ++g) h.groups[g].scale = written.groups[g].scale;
    h.origin_x = written.origin_x;
    h.origin_y = written.origin_y;
    h.bounds_left = written.bounds_left;
    h.bounds_bottom = written.bounds_bottom;
    h.bounds_right = written.bounds_right;
    h.bounds_top = written.bounds_top;
    return h;
}

}  // namespace

void JwwEventRecorder::header(const JwwHeader& h) { events.push_back(describe(h)); }
void JwwEventRecorder::line(const JwwLine& l) { events.push_back(describe(l)); }
void JwwEventRecorder::arc(const JwwArc& a) { events.push_back(describe(a)); }
void JwwEventRecorder::point(const JwwPoint& p) { events.push_back(describe(p)); }
void JwwEventRecorder::text(const JwwText& t) { events.push_back(describe(t)); }
void JwwEventRecorder::solid(const JwwSolid& s) { events.push_back(describe(s)); }
void JwwEventRecorder::insert(const JwwInsert& i) { events.push_back(describe(i)); }
void JwwEventRecorder::dimension(const JwwDimension& d) { events.push_back(describe(d)); }
void JwwEventRecorder::begin_block(const JwwBlockDefinition& b) { events.push_back(describe(b)); }
void JwwEventRecorder::end_block() { events.push_back("end"); }
void JwwEventRecorder::image(const JwwImage& i) { events.push_back(describe(i)); }

std::vector<std::string> expected_events(const JwwContent& content) {
    const JwwHeader& h = content.header;
    std::vector<std::string> events{describe(expected_header(h))};
    Expectation expectation(h.version);
    expectation.add(content.entities, events);
    expectation.add(content.blocks, events);
    if (h.kind == JwwFileKind::Drawing && h.version >= kJwwVersionImages) {
        for (const fixtures::JwwEmbeddedImage& image : content.images)
            events.push_back(
                describe(JwwImage{image.name, static_cast<std::uint32_t>(image.bytes.size())}));
    }
    return events;
}

JwwRecording read_recorded(const std::string& bytes) {
    JwwEventRecorder recorder;
    JwwReadResult result = read_jww_bytes(bytes, recorder);
    return {result, std::move(recorder.events)};
}

void expect_same_events(const std::vector<std::string>& expected,
                        const std::vector<std::string>& got) {
    std::size_t n = 0;
    while (n < expected.size() && n < got.size() && expected[n] == got[n]) ++n;
    if (n == expected.size() && n == got.size()) return;
    ADD_FAILURE() << "events differ at " << n << " of " << expected.size() << " expected, "
                  << got.size()
                  << " read\n expected: " << (n < expected.size() ? expected[n] : "(nothing)")
                  << "\n read:     " << (n < got.size() ? got[n] : "(nothing)");
}

const char* status_name(JwwReadStatus status) {
    switch (status) {
        case JwwReadStatus::Whole: return "Whole";
        case JwwReadStatus::CannotOpen: return "CannotOpen";
        case JwwReadStatus::NotJww: return "NotJww";
        case JwwReadStatus::CutShort: return "CutShort";
        case JwwReadStatus::Damaged: return "Damaged";
    }
    return "?";
}

}  // namespace zov
