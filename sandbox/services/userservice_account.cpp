// The own account of UserService: credentials, profile fields and profile picture.
#include "userservice.h"

#include "apierror.h"
#include "apirequest.h"
#include "database.h"
#include "linkstore.h"
#include "mediaservice.h"
#include "recordbuilder.h"
#include "streamhub.h"

ApiReply UserService::verifyCredentials(const ApiRequest &request)
{
    return userAnswer(request, request.userId);
}

ApiReply UserService::updateProfile(const ApiRequest &request)
{
    struct Field
    {
        const char *name;
        int maxLength;
        bool mayBeEmpty;
    };
    static const Field fields[] = {{"name", 20, false},
                                   {"url", 100, true},
                                   {"location", 30, true},
                                   {"description", 160, true}};

    Database *db = m_context->db;
    Database::Transaction tx(db);
    for (const Field &field : fields) {
        const QString name = QString::fromLatin1(field.name);
        if (!request.has(name))
            continue;
        // Line breaks only make sense in the description.
        QString value = LinkStore::sanitize(request.value(name)).trimmed();
        if (name != QLatin1String("description"))
            value.replace(QLatin1Char('\n'), QLatin1Char(' '))
                .replace(QLatin1Char('\t'), QLatin1Char(' '));
        if ((value.isEmpty() && !field.mayBeEmpty) || value.size() > field.maxLength)
            throw ApiError::forbidden(QStringLiteral("Invalid parameter: ") + name);
        db->exec(QStringLiteral("UPDATE users SET %1 = ? WHERE id = ?").arg(name),
                 {value.isEmpty() ? QVariant() : QVariant(value), request.userId});
    }
    const QList<StreamHub::Notice> notices =
        m_context->hub->event(QStringLiteral("user_update"), request.userId, request.userId);
    RecordBuilder builder(*m_context, request.userId);
    const QJsonObject record = builder.user(request.userId);
    tx.commit();
    m_context->hub->deliver(notices);
    return ApiReply::json(record);
}

ApiReply UserService::updateProfileImage(const ApiRequest &request)
{
    const QString name = QStringLiteral("image");
    const QList<const MultipartPart *> files = request.filesNamed({name});
    if (files.isEmpty())
        throw ApiError::missing(name);
    if (files.size() > 1 || files.first()->data.size() > MediaService::maxAvatarBytes)
        throw ApiError::invalid(name);
    const auto picture = MediaService::readPicture(files.first()->data);
    if (!picture)
        throw ApiError::invalid(name);

    Database::Transaction tx(m_context->db);
    m_context->media->storeAvatar(request.userId, *picture);
    const QList<StreamHub::Notice> notices =
        m_context->hub->event(QStringLiteral("user_update"), request.userId, request.userId);
    RecordBuilder builder(*m_context, request.userId);
    const QJsonObject record = builder.user(request.userId);
    tx.commit();
    m_context->hub->deliver(notices);
    return ApiReply::json(record);
}
