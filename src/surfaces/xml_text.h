#pragma once
// Text put into an XML document (the SVG picture's texts and names): every
// character that XML 1.0 cannot hold becomes U+FFFD, so that a drawing's
// text can never make the document ill-formed.
#include <string>

#include <QStringView>

namespace zov {

// Appends `text` as UTF-8 character data that is also a valid attribute
// value: & < > " ' are escaped; tab, LF and CR become character references
// (kept in attributes too); other control characters, U+FFFE, U+FFFF and
// lone surrogates become U+FFFD.
void append_xml_text(std::string& out, QStringView text);

}  // namespace zov
