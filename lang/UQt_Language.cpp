#include "lang/UQt_Language.h"

#include <QCoreApplication>
#include <QLocale>
#include <QTranslator>
#include <memory>

QString Qt_Language_Code(const QString &name)
{
    const QList<QLocale> locales =
        QLocale::matchingLocales(QLocale::AnyLanguage, QLocale::AnyScript, QLocale::AnyTerritory);
    for (const QLocale &locale : locales) {
        if (locale.language() != QLocale::C && locale.nativeLanguageName().compare(name, Qt::CaseInsensitive) == 0)
            return locale.name().section(QLatin1Char('_'), 0, 0);
    }
    return QString();
}

bool Select_Qt_Language(const QString &folder, const QString &name)
{
    // The application holds the translator it was given until it is removed.
    static std::unique_ptr<QTranslator> installed;
    if (installed) {
        QCoreApplication::removeTranslator(installed.get());
        installed.reset();
    }
    const QString code = Qt_Language_Code(name);
    if (code.isEmpty())
        return false;
    auto translator = std::make_unique<QTranslator>();
    if (!translator->load(QStringLiteral("qtbase_") + code, folder))
        return false;
    QCoreApplication::installTranslator(translator.get());
    installed = std::move(translator);
    return true;
}
