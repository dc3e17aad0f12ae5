// SPDX-License-Identifier: MIT
#include "app/Translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

void installTranslations(const QString& name, const QLocale& locale) {
    const QString installed = QStringLiteral("installedTranslation");
    for (QTranslator* old :
         qApp->findChildren<QTranslator*>(installed, Qt::FindDirectChildrenOnly)) {
        QCoreApplication::removeTranslator(old);
        delete old;
    }
    // The first language the player asks for (LANGUAGE may put one before the locale's).
    const QString first = locale.uiLanguages().value(0, QStringLiteral("C"));
    if (first == QLatin1String("C") || first.startsWith(QLatin1String("en"))) {
        return;
    }
    const auto install = [&](const QString& file, const QString& folder) {
        auto* translator = new QTranslator(qApp);  // gone with the application at the latest
        translator->setObjectName(installed);
        if (translator->load(locale, file, QStringLiteral("_"), folder)) {
            QCoreApplication::installTranslator(translator);
        } else {
            delete translator;
        }
    };
    install(name, QStringLiteral(":/i18n"));
    install(QStringLiteral("qtbase"), QLibraryInfo::path(QLibraryInfo::TranslationsPath));
}
