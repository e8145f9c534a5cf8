#ifndef PEOPLEFIXTURES_H
#define PEOPLEFIXTURES_H

// Service records for the people tests, read from fixtures/ and decoded the way the client
// library hands them on: every "<key>_str" replaces "<key>", so ids are exact decimal text.

#include "datahandler.h"
#include "scriptedcontroller.h"

#include <QFile>
#include <QJsonDocument>
#include <QStandardItemModel>
#include <QtTest>

namespace fixtures {

inline QVariant decoded(const QVariant &value)
{
    if (value.typeId() == QMetaType::QVariantList) {
        QVariantList list;
        for (const QVariant &element : value.toList())
            list.append(decoded(element));
        return list;
    }
    if (value.typeId() != QMetaType::QVariantMap)
        return value;
    QVariantMap map = value.toMap();
    for (auto it = map.begin(); it != map.end(); ++it)
        it.value() = decoded(it.value());
    for (const QString &key : map.keys()) {
        if (key.endsWith(QLatin1String("_str")))
            map.insert(key.chopped(4), map.value(key));
    }
    return map;
}

inline QVariant load(const QString &name)
{
    QFile file(QStringLiteral(ZIRRUP_TEST_DATA_DIR "/fixtures/") + name);
    if (!file.open(QIODevice::ReadOnly))
        qFatal("missing fixture %s", qPrintable(name));
    return decoded(QJsonDocument::fromJson(file.readAll()).toVariant());
}

// alice (the signed-in user, stored as "Alice"), Bob, carol (protected, default avatar).
inline QVariantMap user(const QString &screenName)
{
    for (const QVariant &user : load(QStringLiteral("users.json")).toList()) {
        if (user.toMap()
                .value(QStringLiteral("screen_name"))
                .toString()
                .compare(screenName, Qt::CaseInsensitive)
            == 0)
            return user.toMap();
    }
    qFatal("no fixture user %s", qPrintable(screenName));
    return {};
}

// A direct message; the names are written as given (the service keeps the stored case).
inline QVariantMap message(const QString &id, const QString &sender, const QString &recipient,
                           const QString &text = QStringLiteral("Lunch at 12?"))
{
    QVariantMap record = load(QStringLiteral("direct_message.json")).toMap();
    record.insert(QStringLiteral("id"), id);
    record.insert(QStringLiteral("text"), text);
    record.insert(QStringLiteral("sender_screen_name"), sender);
    record.insert(QStringLiteral("recipient_screen_name"), recipient);
    QVariantMap senderRecord = user(sender);
    senderRecord.insert(QStringLiteral("screen_name"), sender);
    QVariantMap recipientRecord = user(recipient);
    recipientRecord.insert(QStringLiteral("screen_name"), recipient);
    record.insert(QStringLiteral("sender"), senderRecord);
    record.insert(QStringLiteral("recipient"), recipientRecord);
    return record;
}

// The values of one role, row by row.
inline QStringList column(const QStandardItemModel *model, const char *role)
{
    QStringList values;
    const int number = model->roleNames().key(role);
    for (int row = 0; row < model->rowCount(); ++row)
        values.append(model->item(row)->data(number).toString());
    return values;
}
} // namespace fixtures

#endif // PEOPLEFIXTURES_H
