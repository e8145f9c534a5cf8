#include "seeder.h"

#include "accessrules.h"
#include "accountstore.h"
#include "database.h"
#include "discoveryservice.h"
#include "linkstore.h"
#include "listservice.h"
#include "mediaservice.h"
#include "messageservice.h"
#include "picturefactory.h"
#include "placetable.h"
#include "statusservice.h"

#include <algorithm>
#include <limits>
#include <map>

static const quint32 worldSeed = 20261206;
static const qint64 day = 24 * 3600;

namespace {
enum class Kind { Original, Reply, Retweet };
struct Event
{
    qint64 time;
    Kind kind;
    int author;
};
// How often each person (in the order of people()) writes.
const int weights[] = {3, 3, 3, 3, 2, 2, 2, 2, 2, 2, 1, 3, 1};
const int originals = 230;
const int replies = 60;
const int retweets = 40;
const int pictures = 14;
} // namespace

Seeder::Seeder(SandboxContext *context, StatusService *statuses, MessageService *messages,
               ListService *lists, DiscoveryService *discovery)
    : m_context(context)
    , m_statuses(statuses)
    , m_messages(messages)
    , m_lists(lists)
    , m_discovery(discovery)
    , m_random(worldSeed)
    , m_now(QDateTime::currentSecsSinceEpoch())
{ }

void Seeder::load(int extraStatuses)
{
    Database::Transaction tx(m_context->db);
    createPeople();
    createFollows();
    // Before the others, so that ids keep the order of the times.
    if (extraStatuses > 0)
        createExtraStatuses(extraStatuses);
    createStatuses();
    createFavorites();
    createMessages();
    createLists();
    createSavedSearches();
    // Last, so that the random draws of everything before stay as they were.
    createReaders();
    m_context->db->setMeta(QStringLiteral("demo_world"), QStringLiteral("1"));
    tx.commit();
}

qint64 Seeder::user(const QString &screenName) const
{
    for (int i = 0; i < people().size(); ++i) {
        if (QLatin1String(people().at(i).screenName) == screenName)
            return m_users.at(i);
    }
    return 0;
}

QString Seeder::pick(const QStringList &from)
{
    return from.at(int(m_random.bounded(quint32(from.size()))));
}

void Seeder::follow(qint64 follower, qint64 followee, bool pending)
{
    m_context->db->exec(
        QStringLiteral("INSERT OR IGNORE INTO follows (follower_id, followee_id,"
                       " created_at, pending) VALUES (?, ?, ?, ?)"),
        {follower, followee, m_now - qint64(m_random.bounded(60 * 24)) * 3600, pending ? 1 : 0});
}

qint64 Seeder::createPerson(const Person &p, const QString &password, qint64 createdAt, int colour)
{
    const QString screenName = QString::fromLatin1(p.screenName);
    const qint64 id =
        m_context->accounts->createUser(screenName, QString::fromUtf8(p.name), password, createdAt);
    m_context->db->exec(
        QStringLiteral("UPDATE users SET location = ?, description = ?, url = ? WHERE id = ?"),
        {QString::fromUtf8(p.location), QString::fromUtf8(p.description),
         p.url ? QVariant(QString::fromLatin1(p.url)) : QVariant(), id});
    // One account keeps the default picture, the way new accounts look.
    if (screenName != QLatin1String("farid")) {
        const QStringList names = QString::fromUtf8(p.name).split(QLatin1Char(' '));
        const QString initials = names.first().left(1) + names.last().left(1);
        m_context->media->storeAvatarImage(
            id,
            PictureFactory::initialsAvatar(initials, PictureFactory::paletteColor(colour), 256));
    }
    return id;
}

void Seeder::createPeople()
{
    const QList<Person> &list = people();
    for (int i = 0; i < list.size(); ++i) {
        const Person &p = list.at(i);
        const QString password =
            i == 0 ? QStringLiteral("demo") : QString::fromLatin1(p.screenName);
        const qint64 id = createPerson(p, password, m_now - (400 - i * 17) * day, i);
        m_users.append(id);
        if (qstrcmp(p.screenName, "jonas") == 0)
            m_context->db->exec(QStringLiteral("UPDATE users SET protected = 1 WHERE id = ?"),
                                {id});
    }
}

void Seeder::createFollows()
{
    const qint64 demo = user(QStringLiteral("demo"));
    const qint64 jonas = user(QStringLiteral("jonas"));
    const qint64 leo = user(QStringLiteral("leo"));
    // demo follows everyone but leo, whom demo has blocked; jonas approved demo.
    for (qint64 other : std::as_const(m_users)) {
        if (other == demo || other == leo)
            continue;
        follow(demo, other);
        follow(other, demo);
    }
    m_context->db->exec(QStringLiteral("INSERT INTO blocks (blocker_id, blocked_id, created_at)"
                                       " VALUES (?, ?, ?)"),
                        {demo, leo, m_now - 30 * day});
    for (int i = 1; i < m_users.size(); ++i) {
        const qint64 follower = m_users.at(i);
        const int count = 4 + int(m_random.bounded(4));
        for (int k = 0; k < count; ++k) {
            const qint64 followee =
                m_users.at(1 + int(m_random.bounded(quint32(m_users.size() - 1))));
            if (followee == follower)
                continue;
            // The protected account approved only a few.
            if (followee == jonas) {
                const bool approved = follower == user(QStringLiteral("alice"))
                    || follower == user(QStringLiteral("kaisa"));
                follow(follower, followee, !approved);
                continue;
            }
            follow(follower, followee);
        }
    }
    follow(user(QStringLiteral("alice")), jonas);
    follow(user(QStringLiteral("kaisa")), jonas);
    follow(jonas, user(QStringLiteral("kaisa")));
}

void Seeder::createReaders()
{
    const qint64 demo = user(QStringLiteral("demo"));
    const QList<Person> &list = readers();
    for (int i = 0; i < list.size(); ++i) {
        const Person &p = list.at(i);
        const qint64 id = createPerson(p, QString::fromLatin1(p.screenName),
                                       m_now - (200 - i * 5) * day, people().size() + i);
        m_context->db->exec(
            QStringLiteral("INSERT OR IGNORE INTO follows (follower_id,"
                           " followee_id, created_at, pending) VALUES (?, ?, ?, 0)"),
            {id, demo, m_now - qint64(i + 1) * 7 * 3600});
    }
}

void Seeder::createExtraStatuses(int count)
{
    // A generator of its own leaves the draws of the usual world as they were.
    QRandomGenerator random(worldSeed + 1);
    const qint64 leo = user(QStringLiteral("leo"));
    QList<qint64> authors;
    for (qint64 id : std::as_const(m_users)) {
        if (id != leo)
            authors.append(id);
    }
    // A few pictures, encoded once and stored with every tweet that shows one.
    QList<MediaService::Upload> pool;
    for (int i = 0; i < 8; ++i) {
        const QImage image =
            PictureFactory::landscape(QStringLiteral("large-photo-%1").arg(i), QSize(640, 480));
        pool.append({PictureFactory::encode(image, "JPEG"), QStringLiteral("jpg"), image.size()});
    }
    const QStringList &texts = tweetTexts();
    // Older than five days, a few minutes apart.
    qint64 time = m_now - 5 * day - qint64(count) * 360;
    for (int i = 0; i < count; ++i) {
        time += 120 + qint64(random.bounded(240));
        StatusService::Draft draft;
        draft.userId = authors.at(int(random.bounded(quint32(authors.size()))));
        draft.source = StatusService::clientSource();
        draft.createdAt = time;
        draft.text = texts.at(int(random.bounded(quint32(texts.size()))));
        const bool withPicture =
            i % 6 == 0 && LinkStore::findLinks(draft.text).isEmpty() && draft.text.size() < 110;
        m_statuses->store(draft, withPicture ? &pool.at(i / 6 % pool.size()) : nullptr);
    }
}

void Seeder::createStatuses()
{
    QList<Event> events;
    int totalWeight = 0;
    for (int w : weights)
        totalWeight += w;
    auto randomAuthor = [&]() {
        int r = int(m_random.bounded(quint32(totalWeight)));
        for (int i = 0; i < m_users.size(); ++i) {
            r -= weights[i];
            if (r < 0)
                return i;
        }
        return 0;
    };
    auto randomTime = [&]() {
        return m_now - 300 - qint64(m_random.bounded(quint32(4 * day - 600)));
    };
    for (int i = 0; i < originals; ++i)
        events.append({randomTime(), Kind::Original, randomAuthor()});
    for (int i = 0; i < replies; ++i)
        events.append({randomTime(), Kind::Reply, randomAuthor()});
    for (int i = 0; i < retweets; ++i)
        events.append({randomTime(), Kind::Retweet, randomAuthor()});
    std::stable_sort(events.begin(), events.end(),
                     [](const Event &a, const Event &b) { return a.time < b.time; });

    QStringList texts = tweetTexts();
    std::shuffle(texts.begin(), texts.end(), m_random);
    int nextText = 0;
    int pictureCount = 0;
    const QList<Person> &list = people();
    AccessRules *rules = m_context->rules;
    QList<QPair<qint64, int>> originalsSoFar; // id and author index
    QSet<QPair<qint64, qint64>> retweeted;

    // Answers back come later than the event that prompts them; they wait here so that ids
    // keep the order of the times, as the service's own ids do.
    std::multimap<qint64, StatusService::Draft> answersBack;
    const auto storeAnswersUntil = [&](qint64 time) {
        while (!answersBack.empty() && answersBack.begin()->first <= time) {
            m_statusIds.append(m_statuses->store(answersBack.begin()->second));
            answersBack.erase(answersBack.begin());
        }
    };

    for (const Event &event : std::as_const(events)) {
        storeAnswersUntil(event.time);
        const qint64 author = m_users.at(event.author);
        const QString source =
            m_random.bounded(4) == 0 ? QStringLiteral("web") : StatusService::clientSource();
        if (event.kind == Kind::Original) {
            StatusService::Draft draft;
            draft.userId = author;
            draft.source = source;
            draft.createdAt = event.time;
            draft.text = texts.at(nextText++ % texts.size());
            // Links count with the length of their wrapped form.
            const int linkCount = int(LinkStore::findLinks(draft.text).size());
            const int length = int(draft.text.size()) + linkCount * 29;
            const int roll = int(m_random.bounded(100));
            if (roll < 18 && event.author != 0 && length < 125) {
                draft.text = QStringLiteral("@demo ") + draft.text;
            } else if (roll < 28 && length < 120) {
                const int other = 1 + int(m_random.bounded(quint32(m_users.size() - 1)));
                if (other != event.author)
                    draft.text +=
                        QStringLiteral(" /cc @") + QLatin1String(list.at(other).screenName);
            }
            const PlaceTable::Place *home =
                m_context->places->findByName(QString::fromUtf8(list.at(event.author).location));
            const int where = int(m_random.bounded(100));
            if (home && where < 30) {
                draft.placeId = home->id;
            } else if (home && where < 40) {
                draft.latitude =
                    home->south + (home->north - home->south) * m_random.generateDouble();
                draft.longitude =
                    home->west + (home->east - home->west) * m_random.generateDouble();
            }
            MediaService::Upload picture;
            const bool withPicture = linkCount == 0 && pictureCount < pictures
                && m_random.bounded(100) < 12 && length < 110;
            if (withPicture) {
                const QImage image = PictureFactory::landscape(
                    QStringLiteral("demo-photo-%1").arg(pictureCount), QSize(1024, 768));
                picture = {PictureFactory::encode(image, "JPEG"), QStringLiteral("jpg"),
                           image.size()};
                ++pictureCount;
            }
            const qint64 id = m_statuses->store(draft, withPicture ? &picture : nullptr);
            m_statusIds.append(id);
            originalsSoFar.append({id, event.author});
        } else if (event.kind == Kind::Reply) {
            // Answer something recent that this author can see, by someone else.
            for (int attempt = 0; attempt < 8 && !originalsSoFar.isEmpty(); ++attempt) {
                const int window = int(qMin<qsizetype>(originalsSoFar.size(), 40));
                const auto target = originalsSoFar.at(int(originalsSoFar.size()) - 1
                                                      - int(m_random.bounded(quint32(window))));
                const qint64 targetAuthor = m_users.at(target.second);
                if (targetAuthor == author || !rules->canRead(author, targetAuthor)
                    || rules->blockedEitherWay(author, targetAuthor))
                    continue;
                StatusService::Draft draft;
                draft.userId = author;
                draft.source = source;
                draft.createdAt = event.time;
                draft.replyTo = target.first;
                draft.text = QLatin1Char('@') + QLatin1String(list.at(target.second).screenName)
                    + QLatin1Char(' ') + pick(replyTexts());
                const qint64 id = m_statuses->store(draft);
                m_statusIds.append(id);
                // Half of the answers get an answer back: a conversation.
                if (m_random.bounded(2) == 0) {
                    StatusService::Draft back;
                    back.userId = targetAuthor;
                    back.source = StatusService::clientSource();
                    back.createdAt = qMin(m_now - 60, event.time + 120 + m_random.bounded(1800));
                    back.replyTo = id;
                    back.text = QLatin1Char('@') + QLatin1String(list.at(event.author).screenName)
                        + QLatin1Char(' ') + pick(replyTexts());
                    answersBack.emplace(back.createdAt, back);
                }
                break;
            }
        } else {
            for (int attempt = 0; attempt < 8 && !originalsSoFar.isEmpty(); ++attempt) {
                const auto target =
                    originalsSoFar.at(int(m_random.bounded(quint32(originalsSoFar.size()))));
                const qint64 targetAuthor = m_users.at(target.second);
                if (targetAuthor == author || rules->isProtected(targetAuthor)
                    || rules->blockedEitherWay(author, targetAuthor)
                    || retweeted.contains({author, target.first}))
                    continue;
                retweeted.insert({author, target.first});
                m_statusIds.append(
                    m_statuses->storeRetweet(author, target.first, source, event.time));
                break;
            }
        }
    }
    storeAnswersUntil(std::numeric_limits<qint64>::max());
}

void Seeder::createFavorites()
{
    Database *db = m_context->db;
    AccessRules *rules = m_context->rules;
    for (int i = 0; i < m_users.size(); ++i) {
        const qint64 fan = m_users.at(i);
        const int count = i == 0 ? 25 : 5 + int(m_random.bounded(8));
        for (int k = 0; k < count; ++k) {
            const qint64 status =
                m_statusIds.at(int(m_random.bounded(quint32(m_statusIds.size()))));
            QSqlQuery q =
                db->exec(QStringLiteral("SELECT user_id, created_at, retweet_of FROM statuses"
                                        " WHERE id = ?"),
                         {status});
            if (!q.next() || !q.value(2).isNull())
                continue;
            const qint64 author = q.value(0).toLongLong();
            if (author == fan || !rules->canRead(fan, author)
                || rules->blockedEitherWay(fan, author))
                continue;
            const qint64 when =
                qMin(m_now - 30, q.value(1).toLongLong() + 60 + m_random.bounded(6 * 3600));
            db->exec(
                QStringLiteral("INSERT OR IGNORE INTO favorites (user_id, status_id, created_at)"
                               " VALUES (?, ?, ?)"),
                {fan, status, when});
        }
    }
}

void Seeder::createMessages()
{
    const qint64 demo = user(QStringLiteral("demo"));
    for (const auto &conversation : conversations()) {
        const qint64 partner = user(conversation.first);
        qint64 time = m_now - day / 2 - qint64(m_random.bounded(quint32(3 * day)));
        for (const QString &line : conversation.second) {
            time = qMin(m_now - 60, time + 300 + m_random.bounded(5400));
            const bool fromDemo = line.startsWith(QLatin1Char('>'));
            m_messages->store(fromDemo ? demo : partner, fromDemo ? partner : demo, line.mid(1),
                              time);
        }
    }
}

void Seeder::createLists()
{
    const auto add = [this](qint64 list, const QStringList &members) {
        for (const QString &member : members)
            m_lists->addMember(list, user(member));
    };
    const qint64 demo = user(QStringLiteral("demo"));
    const qint64 qt = m_lists->create(demo, QStringLiteral("Qt people"),
                                      QStringLiteral("Folks who write Qt"), false);
    add(qt,
        {QStringLiteral("alice"), QStringLiteral("bob"), QStringLiteral("dmitri"),
         QStringLiteral("farid"), QStringLiteral("kaisa")});
    const qint64 nordics =
        m_lists->create(demo, QStringLiteral("Nordics"), QStringLiteral("Saunas and snow"), false);
    add(nordics, {QStringLiteral("emma"), QStringLiteral("kaisa"), QStringLiteral("dmitri")});
    const qint64 close =
        m_lists->create(demo, QStringLiteral("Close friends"), QStringLiteral("Only for me"), true);
    add(close, {QStringLiteral("alice"), QStringLiteral("carmen"), QStringLiteral("jonas")});

    const qint64 travel = m_lists->create(user(QStringLiteral("alice")), QStringLiteral("Travel"),
                                          QStringLiteral("People on the move"), false);
    add(travel,
        {QStringLiteral("carmen"), QStringLiteral("ines"), QStringLiteral("hiro"),
         QStringLiteral("demo")});
    const qint64 bakers =
        m_lists->create(user(QStringLiteral("bob")), QStringLiteral("Bakers and hackers"),
                        QStringLiteral("Bread and code"), false);
    add(bakers, {QStringLiteral("demo"), QStringLiteral("farid"), QStringLiteral("alice")});
    const qint64 design = m_lists->create(user(QStringLiteral("emma")), QStringLiteral("Design"),
                                          QStringLiteral("Eyes for detail"), false);
    add(design, {QStringLiteral("carmen"), QStringLiteral("demo"), QStringLiteral("ines")});

    m_lists->subscribe(travel, demo);
    m_lists->subscribe(bakers, demo);
    m_lists->subscribe(qt, user(QStringLiteral("alice")));
    m_lists->subscribe(nordics, user(QStringLiteral("kaisa")));
    m_lists->subscribe(design, user(QStringLiteral("grace")));
}

void Seeder::createSavedSearches()
{
    const qint64 demo = user(QStringLiteral("demo"));
    for (const QString &query : {QStringLiteral("#qt"), QStringLiteral("Helsinki"),
                                 QStringLiteral("from:alice"), QStringLiteral("sauna")})
        m_discovery->saveSearch(demo, query);
}
