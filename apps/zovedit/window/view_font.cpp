#include "view_font.h"

#include "qt_text.h"

namespace zovedit {

namespace {

constexpr char kTerminalFace[] = "Terminal";
constexpr char kMonospaceFace[] = "IPAGothic";

}  // namespace

QFont monospace_face() {
    QFont font(QString::fromLatin1(kMonospaceFace));
    font.setStyleHint(QFont::Monospace);
    font.setFixedPitch(true);
    return font;
}

QFont font_from_record(const zov::FontRecord& record) {
    std::string face = zov::font_face(record);
    QFont font = face.empty() || face == kTerminalFace ? monospace_face() : QFont(from_cp932(face));
    if (record.mask & zov::kFontMaskSize) font.setPointSizeF(record.height / 20.0);
    font.setBold(record.effects & zov::kFontMaskBold);
    font.setItalic(record.effects & zov::kFontMaskItalic);
    font.setUnderline(record.effects & zov::kFontMaskUnderline);
    font.setStrikeOut(record.effects & zov::kFontMaskStrikeOut);
    return font;
}

QColor colour_from_record(const zov::FontRecord& record) {
    if (!(record.mask & zov::kFontMaskColour) || (record.effects & zov::kFontEffectAutoColour))
        return QColor();
    return QColor(record.colour & 0xFF, (record.colour >> 8) & 0xFF, (record.colour >> 16) & 0xFF);
}

void record_from_font(zov::FontRecord& record, const QFont& font) {
    std::optional<std::string> face = zov::utf8_to_cp932_exact(font.family().toStdString());
    zov::set_font_face(record, face.value_or(kTerminalFace));
    int tenths = static_cast<int>(font.pointSizeF() * 10 + 0.5);
    record.height = zov::font_twips_from_tenths(tenths);
    record.effects = (font.bold() ? zov::kFontMaskBold : 0) |
                     (font.italic() ? zov::kFontMaskItalic : 0) |
                     (font.underline() ? zov::kFontMaskUnderline : 0) |
                     (font.strikeOut() ? zov::kFontMaskStrikeOut : 0);
    record.mask = zov::kFontFileMask;
}

}  // namespace zovedit
