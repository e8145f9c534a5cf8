#include "testsupport.h"

#include "librarycall.h"

#include <QRegularExpression>
#include <QtTest>

using Zr::ArgMap;
using Zr::Zirrup;

int callBackend(Zirrup *z, const QJsonObject &row, int *id, QVariantList *list)
{
    const LibraryCall call {row["call"].toString(), row["type"].toInt(), argMap(row["args"]),
                            Zr::RetrieveBehavior(row["behavior"].toInt(Zr::CacheThenNetwork))};
    return callLibrary(z, call, id, list);
}

QMetaMethod completionOf(const QJsonObject &row)
{
    return librarySignal(row["signal"].toString().toLatin1());
}

QByteArray cannedAnswer(const QJsonValue &value)
{
    static const QRegularExpression placeholder(
        QStringLiteral("\"?\\$(user|status(es)?)(?::(\\d+)(?:-(\\d+))?)?\"?"));
    QString text = QString::fromUtf8(jsonBytes(value));
    for (auto m = placeholder.match(text); m.hasMatch(); m = placeholder.match(text)) {
        const QByteArray first = m.captured(3).toLatin1(), last = m.captured(4).toLatin1();
        QList<QByteArray> records;
        if (m.captured(1) == QLatin1String("user"))
            records.append(userJson("1845", "bob"));
        else if (first.isEmpty())
            records.append(statusJson("9223372036854775809", "hello"));
        else if (last.isEmpty())
            records.append(statusJson(first, "status " + first));
        else
            for (int id = first.toInt(); id >= last.toInt(); --id)
                records.append(
                    statusJson(QByteArray::number(id), "status " + QByteArray::number(id)));
        text.replace(m.capturedStart(), m.capturedLength(), QString::fromUtf8(records.join(',')));
    }
    return text.toUtf8();
}

QVariant valueAt(const QVariant &root, const QString &path)
{
    QVariant value = root;
    for (const QString &step : path.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
        bool isIndex = false;
        const int index = step.toInt(&isIndex);
        value = isIndex ? value.toList().value(index) : value.toMap().value(step);
    }
    return value;
}

void expectValues(const QVariant &root, const QJsonObject &expect)
{
    for (auto it = expect.begin(); it != expect.end(); ++it) {
        const QVariant actual = valueAt(root, it.key());
        if (it->isDouble())
            QCOMPARE(actual.toInt(), it->toInt());
        else if (it->isString())
            QCOMPARE(actual.toString(), it->toString());
        else if (it->isObject())
            QCOMPARE(actual.value<ArgMap>(), argMap(*it));
        else
            QCOMPARE(QJsonValue::fromVariant(actual), *it);
        if (QTest::currentTestFailed()) {
            qWarning("at %s", qPrintable(it.key()));
            return;
        }
    }
}
