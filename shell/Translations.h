#pragma once
// The game's texts in the player's language: its own translations from the
// "translations" folder beside the program, and Qt's for the standard
// dialogs and buttons.

#include <QLocale>
#include <QString>

namespace tilemere {

// Loads and installs the translations for locale's languages, the game's
// from folder (files "brackwater-tilemere_<language>.qm") and Qt's from its
// installed translations. An English locale loads nothing: the texts are
// written in English. Returns how many were installed. Call once, after the
// application exists and before any window is built.
int installTranslations(const QLocale &locale, const QString &folder);

// The folder the game's translations are read from: "translations" beside
// the program.
QString translationsFolder();

} // namespace tilemere
