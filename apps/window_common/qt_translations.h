#pragma once
// Qt's own translations (Debian's qt6-translations-l10n): the standard
// dialogs and the message boxes' buttons speak the user's language.
#include <QLocale>

class QTranslator;

// Installs Qt's translation of `locale` into the running application (which
// owns it); nullptr when Qt has none for it (English stays).
QTranslator* install_qt_translations(const QLocale& locale = QLocale());
