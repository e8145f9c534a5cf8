#ifndef PEOPLEFIXTURES_H
#define PEOPLEFIXTURES_H

// Service records for the people tests, read from fixtures/.

#include "scriptedsession.h"

namespace fixtures {

// alice (the signed-in user, stored as "Alice"), Bob, carol (protected, default avatar).
inline QVariantMap user(const QString &screenName)
{
    for (const QVariant &user : fixtureFile(QStringLiteral("users.json")).toList()) {
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
    QVariantMap record = fixtureFile(QStringLiteral("direct_message.json")).toMap();
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

} // namespace fixtures

#endif // PEOPLEFIXTURES_H
