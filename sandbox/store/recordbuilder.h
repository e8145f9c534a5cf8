#ifndef SANDBOX_RECORDBUILDER_H
#define SANDBOX_RECORDBUILDER_H

#include "sandboxcontext.h"
#include "textentities.h"

#include <QHash>
#include <QJsonArray>
#include <QJsonObject>

// Writes the records of the protocol (statuses, users, messages, lists, places, search
// results) as one viewer sees them: "following", "favorited", "retweeted" and
// "current_user_retweet" are the viewer's. One builder serves one answer and remembers the
// users it wrote.
class RecordBuilder
{
public:
    RecordBuilder(const SandboxContext &context, qint64 viewer);

    void setIncludeEntities(bool include) { m_includeEntities = include; }
    void setIncludeMyRetweet(bool include) { m_includeMyRetweet = include; }

    static QString statusDate(qint64 secondsSinceEpoch);
    static QString searchDate(qint64 secondsSinceEpoch);
    // "key" as a number and "key_str" as text.
    static void putId(QJsonObject &record, const QString &key, qint64 id);
    // The same, both null for 0.
    static void putNullableId(QJsonObject &record, const QString &key, qint64 id);

    QJsonObject user(qint64 id);
    QJsonArray users(const QList<qint64> &ids);
    QString profileImageUrl(qint64 userId, const QString &avatarFile) const;

    // 404 when there is no such status.
    QJsonObject status(qint64 id);
    QJsonArray statuses(const QList<qint64> &ids);
    QJsonObject searchResult(qint64 id);
    QJsonObject message(qint64 id);
    QJsonObject list(qint64 id);
    QJsonObject place(const QString &placeId) const;
    QJsonObject savedSearch(qint64 id) const;

    // The entities of a plain (expanded) text with an optional attached picture.
    QJsonObject entities(const QString &plain, qint64 mediaId);
    // The media record of an attached picture (without "url" and "indices").
    QJsonObject mediaRecord(qint64 mediaId, QString *code);

private:
    struct StatusRow
    {
        qint64 id = 0;
        qint64 userId = 0;
        qint64 createdAt = 0;
        QString text; // expanded
        QString source;
        qint64 replyStatusId = 0;
        qint64 replyUserId = 0;
        QString replyScreenName;
        qint64 retweetOf = 0;
        QString placeId;
        QVariant latitude;
        QVariant longitude;
        qint64 mediaId = 0;
    };
    StatusRow loadStatus(qint64 id) const;
    QJsonObject plainStatus(const StatusRow &row);
    void addViewerFlags(QJsonObject &record, qint64 originalId);
    QString screenNameOf(qint64 userId);
    TextEntities::Lookup lookup(qint64 mediaId);

    const SandboxContext &m_context;
    qint64 m_viewer;
    bool m_includeEntities = false;
    bool m_includeMyRetweet = false;
    QHash<qint64, QJsonObject> m_users;
    QHash<QString, std::optional<TextEntities::UserRef>> m_usersByName;
};

#endif // SANDBOX_RECORDBUILDER_H
