#ifndef SANDBOX_SEEDER_H
#define SANDBOX_SEEDER_H

#include "sandboxcontext.h"

#include <QDateTime>
#include <QList>
#include <QRandomGenerator>
#include <QStringList>

class DiscoveryService;
class ListService;
class MessageService;
class StatusService;

// The demo world: the demo account and a dozen others with generated avatars, a few days of
// tweets (mentions, hashtags, links, pictures, places, replies and retweets), favourites,
// direct-message conversations, lists and saved searches. A fixed random seed makes it the
// same every time; times are relative to the moment it is loaded.
class Seeder
{
public:
    Seeder(SandboxContext *context, StatusService *statuses, MessageService *messages,
           ListService *lists, DiscoveryService *discovery);

    // extraStatuses: that many more tweets, older than the rest, by the accounts demo follows
    // (every sixth with a picture), for measuring the client against a long home timeline.
    void load(int extraStatuses = 0);

    // What the world is made of (seeder_texts.cpp).
    struct Person
    {
        const char *screenName;
        const char *name;
        const char *location; // a place of the place table
        const char *description;
        const char *url;
    };
    static const QList<Person> &people();
    // Quiet accounts that only follow demo, so that demo's followers fill more than one page.
    static const QList<Person> &readers();
    static const QStringList &tweetTexts();
    static const QStringList &replyTexts();
    // Conversations with demo: each line starts with ">" (demo writes) or "<" (the partner).
    static const QList<QPair<QString, QStringList>> &conversations();

private:
    void createPeople();
    void createFollows();
    void createStatuses();
    void createExtraStatuses(int count);
    void createFavorites();
    void createMessages();
    void createLists();
    void createSavedSearches();
    void createReaders();

    // A seeded account with its place, bio, web address and an initials picture.
    qint64 createPerson(const Person &p, const QString &password, qint64 createdAt, int colour);
    qint64 user(const QString &screenName) const;
    void follow(qint64 follower, qint64 followee, bool pending = false);
    QString pick(const QStringList &from);

    SandboxContext *m_context;
    StatusService *m_statuses;
    MessageService *m_messages;
    ListService *m_lists;
    DiscoveryService *m_discovery;
    QRandomGenerator m_random;
    qint64 m_now;
    QList<qint64> m_users; // in the order of people()
    QList<qint64> m_statusIds;
};

#endif // SANDBOX_SEEDER_H
