#ifndef CATALOGUES_H
#define CATALOGUES_H

#include <QCoreApplication>
#include <QTranslator>

// Installs the English catalogues compiled into the program, so texts read as users see them.
inline bool installEnglishCatalogues()
{
    static QTranslator common;
    static QTranslator application;
    const bool loaded = common.load(QStringLiteral(":/common_en.qm"))
        && application.load(QStringLiteral(":/zirrup_en.qm"));
    QCoreApplication::installTranslator(&common);
    QCoreApplication::installTranslator(&application);
    return loaded;
}

#endif // CATALOGUES_H
