#pragma once
// The JW_CAD import's message texts, in CP932.
#include "common/japanese_texts.h"

namespace zov {

// The source cannot be opened.
inline const char* const kJwCannotOpenSource = cp932_text(JaText::JwCannotOpenSource);
// JW_LAY.TMP cannot be created.
inline const char* const kJwCannotCreateLayerTable = cp932_text(JaText::JwCannotCreateLayerTable);
// Neither magic text.
inline const char* const kJwNotJwCadFile = cp932_text(JaText::JwNotJwCadFile);
// JW_LAY.TMP cannot be reopened.
inline const char* const kJwCannotReopenLayerTable = cp932_text(JaText::JwCannotReopenLayerTable);
// The line-type section cannot be created.
inline const char* const kJwCannotCreateLineTypes = cp932_text(JaText::JwCannotCreateLineTypes);
// The file ends before its counts are satisfied; what was read is kept.
inline const char* const kJwFileCutShort = cp932_text(JaText::JwFileCutShort);
// Bytes from the given offset on cannot be what the format allows; what was
// read before them is kept.
inline const char* const kJwFileDamaged = cp932_text(JaText::JwFileDamaged);

}  // namespace zov
