#pragma once
// The converter's settings file: ZR_DXF.CFG (the sibling converter's file,
// read when present) or ZR_JWK.CFG, written with the defaults when neither
// exists. One setting per line: a three-letter key, "=", the value; the
// members below name their keys.
#include <cstdio>
#include <string>

namespace zov {

class Messages;

struct ConverterSettings {
    // JMS: text size correction in percent.
    int text_size_percent = 78;
    // JMC: one colour for every text kind; 0 keeps the per-kind colours.
    int text_colour = 0;
    // JPO: points as 0 POINT, 1 CIRCLE, 2 filled circle (wide POLYLINE).
    int point_form = 2;
    // JPM: $PDMODE, written with point form 0.
    int point_display_mode = 0;
    // JPS: point diameter in hundredths of the scale; $PDSIZE with point form 0.
    int point_size = 40;
    // JKE: decimals of element coordinates; 3 or more: unrounded.
    int decimals = 2;
    // JCO: colours of pens 1-6.
    int pen_colours[6] = {4, 7, 3, 2, 6, 5};
    // JSS: text heights of kinds 1-10 (0.1 mm).
    int text_heights[10] = {20, 25, 30, 40, 50, 60, 70, 80, 90, 100};
    // JFR: output form of the sibling converter; kept, no effect here.
    int sibling_output_form = 1;
    // Text colours of text kinds 1-11; a text_colour above 0 replaces the first ten.
    int text_colours[11] = {4, 4, 7, 7, 3, 3, 2, 2, 6, 6, 8};
};

inline constexpr char kSiblingSettingsFile[] = "ZR_DXF.CFG";
inline constexpr char kSettingsFile[] = "ZR_JWK.CFG";

// Reads the settings from `launch_folder` (ending in "/"), writing the default
// ZR_JWK.CFG first when neither file exists. An unreadable file keeps the
// values `settings` already holds.
void load_converter_settings(const std::string& launch_folder, ConverterSettings& settings,
                             Messages& messages);

// Writes ZR_JWK.CFG with the values of `settings` into `launch_folder`;
// false after reporting that it could not be created.
bool save_default_settings(const std::string& launch_folder, const ConverterSettings& settings,
                           Messages& messages);

// Reads the next line (at most 1024 bytes, up to CR LF or a bare LF; the rest
// of a longer line is passed over) into `line`; false at the end of the file.
bool read_setting_line(std::FILE* file, std::string& line);

// The value of a setting line "KEY=value": as a decimal integer (0 when no
// number stands there), or as text of at most `max` bytes that never ends
// inside a double-byte character. A value in double quotes ends at the next
// double quote, any other at the first blank.
int setting_int(const std::string& line);
std::string setting_text(const std::string& line, std::size_t max);

// Scans up to `count` comma-separated integers of `text` into `values`, as
// "%d,%d,..." would: it stops at the first field that does not scan and leaves
// the remaining entries unchanged. Returns the number of fields read.
int scan_int_list(const std::string& text, int* values, int count);

}  // namespace zov
