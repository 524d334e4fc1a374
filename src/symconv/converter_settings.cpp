#include "symconv/converter_settings.h"

#include "common/whole_file.h"

#include <cctype>
#include <climits>
#include <cstdlib>
#include <cstring>

#include "common/cp932.h"
#include "symconv/console.h"
#include "symconv/dxf_line_writer.h"
#include "symconv/texts.h"

namespace zov {

namespace {

constexpr std::size_t kLongestSettingLine = 1024;
constexpr int kMostSettingLines = 200;
constexpr std::size_t kLongestListValue = 128;

// True for "KEY=..." with the given key.
bool is_key(const std::string& line, const char* key) {
    return line.size() >= 4 && line[3] == '=' && line.compare(0, 3, key) == 0;
}

// Decimal integer at the start of `text` as the standard conversion reads it
// (leading blanks skipped, 0 when no number), kept within int.
int decimal_int(const char* text, const char** end) {
    char* stop = nullptr;
    long value = std::strtol(text, &stop, 10);
    if (end != nullptr) *end = stop;
    if (value > INT_MAX) return INT_MAX;
    if (value < INT_MIN) return INT_MIN;
    return static_cast<int>(value);
}

// The settings file's keys of the single numbers.
struct NumberKey {
    const char* key;
    int ConverterSettings::*member;
};

constexpr NumberKey kNumberKeys[] = {
    {"JMC", &ConverterSettings::text_colour},
    {"JMS", &ConverterSettings::text_size_percent},
    {"JPO", &ConverterSettings::point_form},
    {"JPS", &ConverterSettings::point_size},
    {"JPM", &ConverterSettings::point_display_mode},
    {"JKE", &ConverterSettings::decimals},
    {"JFR", &ConverterSettings::sibling_output_form},
};

void apply_setting(const std::string& line, ConverterSettings& s) {
    for (const NumberKey& number : kNumberKeys) {
        if (is_key(line, number.key)) s.*number.member = setting_int(line);
    }
    if (is_key(line, "JMC") && s.text_colour > 0) {
        for (int i = 0; i < 10; ++i) s.text_colours[i] = s.text_colour;
    }
    if (is_key(line, "JCO")) {
        scan_int_list(setting_text(line, kLongestListValue), s.pen_colours, 6);
    } else if (is_key(line, "JSS")) {
        scan_int_list(setting_text(line, kLongestListValue), s.text_heights, 10);
    }
}

}  // namespace

bool read_setting_line(std::FILE* file, std::string& line) {
    line.clear();
    int c = std::fgetc(file);
    if (c == EOF) return false;
    for (; c != EOF; c = std::fgetc(file)) {
        if (c == '\r') {
            std::fgetc(file);  // the LF after the CR
            break;
        }
        if (c == '\n') break;
        if (line.size() < kLongestSettingLine) line += static_cast<char>(c);
    }
    return true;
}

int setting_int(const std::string& line) {
    if (line.size() <= 4) return 0;
    return decimal_int(line.c_str() + 4, nullptr);
}

std::string setting_text(const std::string& line, std::size_t max) {
    if (line.size() <= 4) return std::string();
    std::size_t start = 4;
    std::size_t end;
    if (line[start] == '"') {
        ++start;
        end = line.find('"', start);
    } else {
        end = line.find(' ', start);
    }
    if (end == std::string::npos) end = line.size();
    std::string_view value(line.data() + start, end - start);
    return std::string(value.substr(0, safe_prefix_length(value, max)));
}

int scan_int_list(const std::string& text, int* values, int count) {
    const char* p = text.c_str();
    for (int i = 0; i < count; ++i) {
        if (i > 0) {
            if (*p != ',') return i;
            ++p;
        }
        const char* start = p;
        while (std::isspace(static_cast<unsigned char>(*start))) ++start;
        if (*start == '+' || *start == '-') ++start;
        if (!std::isdigit(static_cast<unsigned char>(*start))) return i;
        values[i] = decimal_int(p, &p);
    }
    return count;
}

void load_converter_settings(const std::string& launch_folder, ConverterSettings& settings,
                             Messages& messages) {
    std::FILE* file = std::fopen((launch_folder + kSiblingSettingsFile).c_str(), "rb");
    if (file == nullptr) {
        std::string own = launch_folder + kSettingsFile;
        file = std::fopen(own.c_str(), "rb");
        if (file == nullptr) {
            save_default_settings(launch_folder, settings, messages);
            file = std::fopen(own.c_str(), "rb");
        }
    }
    if (file == nullptr) return;
    std::string line;
    for (int n = 0; n < kMostSettingLines && read_setting_line(file, line); ++n) {
        apply_setting(line, settings);
    }
    std::fclose(file);
}

bool save_default_settings(const std::string& launch_folder, const ConverterSettings& s,
                           Messages& messages) {
    // Written whole beside its name, so that two runs starting together
    // never read a half-written file and a planted link is replaced, not
    // followed.
    WholeFileOutput file;
    if (!file.open(launch_folder + kSettingsFile)) {
        report_error(messages, kCannotCreateSettings, path_text(launch_folder).c_str(),
                     kSettingsFile);
        return false;
    }
    DxfLineWriter out(file.stream());
    out.write_dxf_line("%s", kSettingsBanner1);
    out.write_dxf_line("%s", kSettingsBanner2);
    out.write_dxf_line("%s", kSettingsBanner1);
    out.write_dxf_line(kSettingsJMS, s.text_size_percent);
    out.write_dxf_line(kSettingsJMC, s.text_colour);
    out.write_dxf_line("%s", kSettingsColours1);
    out.write_dxf_line("%s", kSettingsColours2);
    out.write_dxf_line(kSettingsJPO, s.point_form);
    out.write_dxf_line(kSettingsJPM, s.point_display_mode);
    out.write_dxf_line("%s", kSettingsPointStyles);
    out.write_dxf_line(kSettingsJPS, s.point_size);
    out.write_dxf_line(kSettingsJKE, s.decimals);
    out.write_dxf_line(kSettingsJCO, s.pen_colours[0], s.pen_colours[1], s.pen_colours[2],
                       s.pen_colours[3], s.pen_colours[4], s.pen_colours[5]);
    out.write_dxf_line(kSettingsJSS, s.text_heights[0], s.text_heights[1], s.text_heights[2],
                       s.text_heights[3], s.text_heights[4], s.text_heights[5], s.text_heights[6],
                       s.text_heights[7], s.text_heights[8], s.text_heights[9]);
    out.write_dxf_line(kSettingsJFR, s.sibling_output_form);
    if (out.failed() || !file.commit()) {
        report_error(messages, kCannotCreateSettings, path_text(launch_folder).c_str(),
                     kSettingsFile);
        return false;
    }
    return true;
}

}  // namespace zov
