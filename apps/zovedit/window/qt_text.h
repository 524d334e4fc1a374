#pragma once
// The window's border between the program's CP932 text and Qt's strings.
#include <QString>
#include <optional>
#include <string>

#include "analyser/texts.h"
#include "common/encoding.h"

namespace zovedit {

inline QString from_cp932(const std::string& text) {
    return QString::fromStdString(zov::cp932_to_utf8(text));
}

// A text written in the sources (UTF-8), as the window shows it.
inline QString ui(const char* utf8) { return QString::fromUtf8(utf8); }

// A file-system name as the analyser names files: CP932, or nothing when a
// character of it has no CP932 form.
inline std::optional<std::string> cp932_name(const QString& path) {
    return zov::utf8_to_cp932_exact(path.toStdString());
}

inline QString file_system_name(const std::string& cp932_path) {
    return QString::fromStdString(zov::cp932_to_utf8_exact(cp932_path).value_or(std::string()));
}

}  // namespace zovedit
