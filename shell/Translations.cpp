#include "Translations.h"

#include "Shell.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace tilemere {

QString translationsFolder()
{
    return applicationFolder() + QStringLiteral("/translations");
}

int installTranslations(const QLocale &locale, const QString &folder)
{
    // The texts are English already; an English desktop pays nothing.
    if (locale.language() == QLocale::English || locale.language() == QLocale::C)
        return 0;
    int installed = 0;
    const auto install = [&](const QString &name, const QString &from) {
        auto *translator = new QTranslator(QCoreApplication::instance());
        // load() tries each of the desktop's languages in turn, "de_AT" then "de".
        if (translator->load(locale, name, QStringLiteral("_"), from) &&
            QCoreApplication::installTranslator(translator)) {
            ++installed;
            return;
        }
        delete translator;
    };
    install(QStringLiteral("brackwater-tilemere"), folder);
    // Only when the game speaks the language: a German button in an English
    // game would be odder than an English one.
    if (installed > 0)
        install(QStringLiteral("qtbase"), QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    return installed;
}

} // namespace tilemere
