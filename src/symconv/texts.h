#pragma once
// The converter's own texts in CP932, as it prints and writes them; the texts
// as they read are in common/japanese_texts.def.
#include "common/japanese_texts.h"

namespace zov {

// Console messages and failure reports.
// Banner line (program name and version).
inline const char* const kBannerLine = cp932_text(JaText::BannerLine);
inline const char* const kConversionFailed = cp932_text(JaText::ConversionFailed);
inline const char* const kUsage1 = cp932_text(JaText::Usage1);
inline const char* const kUsage2 = cp932_text(JaText::Usage2);
inline const char* const kUsage3 = cp932_text(JaText::Usage3);
inline const char* const kUsage4 = cp932_text(JaText::Usage4);
inline const char* const kSurveying = cp932_text(JaText::Surveying);
inline const char* const kDxfNotCreated1 = cp932_text(JaText::DxfNotCreated1);
inline const char* const kDxfNotCreated2 = cp932_text(JaText::DxfNotCreated2);
inline const char* const kCannotCreateFile = cp932_text(JaText::CannotCreateFile);
inline const char* const kConverting = cp932_text(JaText::Converting);
inline const char* const kFinished = cp932_text(JaText::Finished);
inline const char* const kBadParameter = cp932_text(JaText::BadParameter);
inline const char* const kCannotOpenList = cp932_text(JaText::CannotOpenList);
inline const char* const kCannotOpenSymbol = cp932_text(JaText::CannotOpenSymbol);
inline const char* const kCannotCreateBro = cp932_text(JaText::CannotCreateBro);
inline const char* const kCannotOpenBro = cp932_text(JaText::CannotOpenBro);
// A symbol file shorter than its counts.
inline const char* const kSymbolCutShort = cp932_text(JaText::SymbolCutShort);
// A .jws file with bytes its format cannot hold, or no .jws at all.
inline const char* const kSymbolDamaged = cp932_text(JaText::SymbolDamaged);
// Elements left out of a symbol, with their count.
inline const char* const kSymbolNonFinite = cp932_text(JaText::SymbolNonFinite);
inline const char* const kSymbolInsertsLeftOut = cp932_text(JaText::SymbolInsertsLeftOut);
inline const char* const kSymbolTooLarge = cp932_text(JaText::SymbolTooLarge);
// A file of the folder with a symbol file's name that holds no symbol.
inline const char* const kNotSymbolFile = cp932_text(JaText::NotSymbolFile);
inline const char* const kCannotCreateSettings = cp932_text(JaText::CannotCreateSettings);
// What the library could not carry over, as the loss report counts it.
inline constexpr char kLossNotSymbolFile[] = "non-symbol file(s)";
inline constexpr char kLossNonFinite[] = "element(s) with a coordinate that is no number";
inline constexpr char kLossInserts[] = "block insert(s) of a block into itself or nested too deep";
inline constexpr char kLossTooLarge[] = "symbol(s)' elements past the element limit";
inline constexpr char kLossUnreadRest[] = "cut-short or damaged symbol file(s)' unread rest";
// Survey summary and notices.
inline const char* const kSummaryNormal = cp932_text(JaText::SummaryNormal);
inline const char* const kThumbnailNotice = cp932_text(JaText::ThumbnailNotice);
inline const char* const kSummaryThumbnail = cp932_text(JaText::SummaryThumbnail);
inline const char* const kAsciiNamesNotice = cp932_text(JaText::AsciiNamesNotice);
inline const char* const kPointsAsFilledCircles = cp932_text(JaText::PointsAsFilledCircles);
inline const char* const kPointsAsCircles = cp932_text(JaText::PointsAsCircles);
// Paper size and paper classes of the summary.
inline const char* const kPaperSize = cp932_text(JaText::PaperSize);
inline const char* const kPaperA4 = cp932_text(JaText::PaperA4);
inline const char* const kPaperA3 = cp932_text(JaText::PaperA3);
inline const char* const kPaperA2 = cp932_text(JaText::PaperA2);
inline const char* const kPaperA1 = cp932_text(JaText::PaperA1);
inline const char* const kPaperA0 = cp932_text(JaText::PaperA0);
inline const char* const kPaper2A = cp932_text(JaText::Paper2A);
inline const char* const kPaper3A = cp932_text(JaText::Paper3A);
inline const char* const kPaper4A = cp932_text(JaText::Paper4A);
inline const char* const kPaper5A = cp932_text(JaText::Paper5A);
inline const char* const kPaper100M = cp932_text(JaText::Paper100M);
// The description of the CONTINUOUS line type in the DXF files.
inline const char* const kContinuousLineType = cp932_text(JaText::ContinuousLineType);
// Lines of the default settings file.
inline constexpr char kSettingsBanner1[] =
    "/////////////////////////////////////////////////////////";
inline const char* const kSettingsBanner2 = cp932_text(JaText::SettingsBanner2);
inline const char* const kSettingsJMS = cp932_text(JaText::SettingsJMS);
inline const char* const kSettingsJMC = cp932_text(JaText::SettingsJMC);
inline const char* const kSettingsColours1 = cp932_text(JaText::SettingsColours1);
inline const char* const kSettingsColours2 = cp932_text(JaText::SettingsColours2);
inline const char* const kSettingsJPO = cp932_text(JaText::SettingsJPO);
inline const char* const kSettingsJPM = cp932_text(JaText::SettingsJPM);
inline const char* const kSettingsPointStyles = cp932_text(JaText::SettingsPointStyles);
inline const char* const kSettingsJPS = cp932_text(JaText::SettingsJPS);
inline const char* const kSettingsJKE = cp932_text(JaText::SettingsJKE);
inline const char* const kSettingsJCO = cp932_text(JaText::SettingsJCO);
inline const char* const kSettingsJSS = cp932_text(JaText::SettingsJSS);
inline const char* const kSettingsJFR = cp932_text(JaText::SettingsJFR);

}  // namespace zov
