#pragma once
// The JW_CAD import's message texts, in CP932.
namespace zov {

// "ファイルを開けない(read)": the source cannot be opened.
constexpr char kJwCannotOpenSource[] =
    "\x83t\x83\x40\x83\x43\x83\x8b\x82\xf0\x8aJ\x82\xaf\x82\xc8\x82\xa2(read)";
// "ファイルを開けない(write_tmp)": JW_LAY.TMP cannot be created.
constexpr char kJwCannotCreateLayerTable[] =
    "\x83t\x83\x40\x83\x43\x83\x8b\x82\xf0\x8aJ\x82\xaf\x82\xc8\x82\xa2(write_tmp)";
// "ＪＷ_ＣＡＤのファイルではない": neither magic text.
constexpr char kJwNotJwCadFile[] =
    "\x82i\x82v_\x82\x62\x82\x60\x82\x63\x82\xcc\x83t\x83\x40\x83\x43\x83\x8b\x82\xc5\x82\xcd"
    "\x82\xc8\x82\xa2";
// "ファイルを開けない(jw_lay_fp)": JW_LAY.TMP cannot be reopened.
constexpr char kJwCannotReopenLayerTable[] =
    "\x83t\x83\x40\x83\x43\x83\x8b\x82\xf0\x8aJ\x82\xaf\x82\xc8\x82\xa2(jw_lay_fp)";
// "ファイルを開けない(VV_LIN_TMP)": the line-type section cannot be created.
constexpr char kJwCannotCreateLineTypes[] =
    "\x83t\x83\x40\x83\x43\x83\x8b\x82\xf0\x8aJ\x82\xaf\x82\xc8\x82\xa2(VV_LIN_TMP)";
// "%s が途中で切れている(read)": the file ends before its counts are
// satisfied; what was read is kept.
constexpr char kJwFileCutShort[] =
    "%s \x82\xaa\x93r\x92\x86\x82\xc5\x90\xd8\x82\xea\x82\xc4\x82\xa2\x82\xe9(read)";

}  // namespace zov
