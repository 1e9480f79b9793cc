#pragma once

#include <QLocale>

namespace lmr {

// Qt's own texts (the file, print and message dialogs: "Look in", "Cancel", ...) in the
// language of the user's locale, from the catalogues Debian installs with
// qt6-translations-l10n. Without a catalogue for that language they stay in English.
// Call once, after the application object is made; the translator lives as long as it.
void LoadQtTranslations(const QLocale& locale = QLocale());

}  // namespace lmr
