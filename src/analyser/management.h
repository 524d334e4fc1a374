#pragma once
// The management line of an analysis file: how the file was made, so that the
// rebuild can read it without the settings that made it.
#include <string>
#include <string_view>

#include "analyser/settings.h"

namespace zov {

// Analysis forms.
enum AnalysisForm : int { kFormOwn = 0, kFormText = 1, kFormC = 2 };

struct ManagementRecord {
    int comments_on = 0;
    int cut_on = 0;
    int selection_on = 0;
    char code_mark = ':';
    char data_mark = '_';
    int header_lines = 0;
    int reserved_a = 7;
    int code_column = 8;
    int reserved_b = 8;
    char name_mark = '$';
    char skip_mark = '-';
    char continuation_mark = '^';
    int checksum = 0;
    int end_code = 24;
    int form = kFormOwn;
};

// Code column of the head code: 8, or 25 with item comments.
constexpr int kCodeColumnPlain = 8;
constexpr int kCodeColumnWithComments = 25;
constexpr int kDefaultEndCode = 24;

// comments_on + cut_on + selection_on + header_lines + reserved_a +
// code_column + reserved_b.
int management_checksum(const ManagementRecord& record);

// Lines before the first item line, for these settings and this many
// selected items.
int analysis_header_lines(const AnalyserSettings& settings, int selected_count);

// The record a conversion with these settings writes.
ManagementRecord management_for(const AnalyserSettings& settings, int selected_count);

// "Zov=...(管理データ書き換え禁止)" in CP932.
std::string format_management_line(const ManagementRecord& record);

// Reads the fields by their fixed positions; false when the line does not
// begin with "Zov=". Fields beyond the end of the line read as 0.
bool parse_management_line(std::string_view line, ManagementRecord& record);

// True when the line holds every field after "Zov=" and each number field
// is all digits: a line cut short or damaged would otherwise read its
// missing fields as 0 and pass the checksum.
bool is_complete_management_line(std::string_view line);

// The one-byte marks and end code the analysis uses: an empty mark takes its
// default, and an end code that is no byte or a line-end byte takes 24.
char code_mark_of(const AnalyserSettings& settings);
char data_mark_of(const AnalyserSettings& settings);
int end_code_of(const AnalyserSettings& settings);

}  // namespace zov
