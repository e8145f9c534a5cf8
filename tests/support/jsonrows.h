#ifndef JSONROWS_H
#define JSONROWS_H

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QtTest>

// Test tables kept as data: a JSON object whose members are named tables, each an array of rows.
// A row is an object with a "tag"; the test function reads it as one QVariantMap column "row".

inline QJsonObject jsonFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        qFatal("cannot read %s", qPrintable(path));
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(file.readAll(), &error);
    if (!document.isObject())
        qFatal("%s: %s", qPrintable(path), qPrintable(error.errorString()));
    return document.object();
}

inline void addJsonRows(const QString &path, const QString &table)
{
    QTest::addColumn<QVariantMap>("row");
    const QJsonArray rows = jsonFile(path).value(table).toArray();
    if (rows.isEmpty())
        qFatal("%s: no rows in %s", qPrintable(path), qPrintable(table));
    for (const QJsonValue &value : rows) {
        const QVariantMap row = value.toObject().toVariantMap();
        QTest::newRow(qPrintable(row.value(QStringLiteral("tag")).toString())) << row;
    }
}

#endif // JSONROWS_H
