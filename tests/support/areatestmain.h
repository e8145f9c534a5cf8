#ifndef AREATESTMAIN_H
#define AREATESTMAIN_H

#include <QGuiApplication>
#include <QMetaMethod>
#include <QtTest>

// Several small test files' worth of functions in one class: the first argument names an area (the
// part of a function's name before its first capital), and only that area's functions run.
inline int runTestArea(QObject *test, QStringList arguments)
{
    if (arguments.size() > 1 && !arguments.at(1).startsWith(QLatin1Char('-'))) {
        const QString area = arguments.takeAt(1);
        const qsizetype given = arguments.size();
        const QMetaObject *meta = test->metaObject();
        for (int i = meta->methodOffset(); i < meta->methodCount(); ++i) {
            const QString name = QString::fromLatin1(meta->method(i).name());
            if (name.size() > area.size() && name.startsWith(area) && name.at(area.size()).isUpper()
                && !name.endsWith(QLatin1String("_data")))
                arguments.append(name);
        }
        if (arguments.size() == given) {
            qWarning("no test function in area %s", qPrintable(area));
            return 1;
        }
    }
    return QTest::qExec(test, arguments);
}

#define ZIRRUP_AREA_TEST_MAIN(TestClass)                                                           \
    int main(int argc, char *argv[])                                                               \
    {                                                                                              \
        QGuiApplication app(argc, argv);                                                           \
        TestClass test;                                                                            \
        return runTestArea(&test, app.arguments());                                                \
    }

#endif // AREATESTMAIN_H
