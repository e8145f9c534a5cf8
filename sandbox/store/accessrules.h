#ifndef SANDBOX_ACCESSRULES_H
#define SANDBOX_ACCESSRULES_H

#include <QObject>

class Database;

// Who may see whom: follows, pending follow requests of protected accounts, and blocks.
// A viewer of 0 is anonymous.
class AccessRules : public QObject
{
    Q_OBJECT
public:
    explicit AccessRules(Database *db, QObject *parent = nullptr);

    bool follows(qint64 follower, qint64 followee) const;
    bool requested(qint64 follower, qint64 followee) const;
    bool blocks(qint64 blocker, qint64 blocked) const;
    bool blockedEitherWay(qint64 a, qint64 b) const;
    bool isProtected(qint64 user) const;

    // The viewer may read this author's statuses: not protected (or self, or an approved
    // follower) and the author has not blocked the viewer.
    bool canRead(qint64 viewer, qint64 author) const;

    // The FROM clause that every status listing shares: the status s, its author u, and
    // for a retweet the original o and its author ou.
    static QString statusJoins();
    // The WHERE condition leaving out what the viewer may not see in a listing: protected
    // authors the viewer does not follow, and blocks in either direction (also for the
    // original of a retweet).
    static QString listingFilter(qint64 viewer);

private:
    static QString visible(qint64 viewer, const QString &author, const QString &protectedColumn);

    Database *m_db;
};

#endif // SANDBOX_ACCESSRULES_H
