// Run by hand: ./bench_markup -median 9 (Release build, see README). The target is at most
// 20 microseconds per tweet for the three steps together.

#include "datahandler.h"

#include <QtTest>

namespace {

struct Tweet
{
    QString text;
    QVariantMap entities;
};

// A small deterministic generator, so that every run measures the same corpus.
class Random
{
public:
    quint32 next()
    {
        m_state = m_state * 1664525u + 1013904223u;
        return m_state >> 8;
    }
    int below(int n) { return int(next() % quint32(n)); }
    bool chance(int percent) { return below(100) < percent; }

private:
    quint32 m_state = 20260105u;
};

QVariantList indices(qsizetype start, qsizetype end)
{
    return {int(start), int(end)};
}

// Tweets as the service sends them: escaped text, entities with UTF-16 positions, now and then
// a right-to-left phrase, an emoji or a bare link the service did not wrap.
QList<Tweet> corpus(int count)
{
    static const QStringList words = {
        QStringLiteral("the"),     QStringLiteral("release"), QStringLiteral("is"),
        QStringLiteral("out"),     QStringLiteral("today"),   QStringLiteral("and"),
        QStringLiteral("it"),      QStringLiteral("brings"),  QStringLiteral("faster"),
        QStringLiteral("startup"), QStringLiteral("&amp;"),   QStringLiteral("fixes"),
        QStringLiteral("for"),     QStringLiteral("lists"),   QStringLiteral("coffee"),
        QStringLiteral("meeting"), QStringLiteral("later?"),  QStringLiteral("great"),
        QStringLiteral("talk"),    QStringLiteral("at"),      QStringLiteral("conference,"),
        QStringLiteral("thanks!"), QStringLiteral("&lt;3"),   QStringLiteral("see"),
    };
    static const QStringList rightToLeft = {
        QStringLiteral("שלום עולם"), QStringLiteral("مرحبا بكم"), QStringLiteral("תודה רבה")};
    static const QStringList names = {QStringLiteral("alice"), QStringLiteral("bob"),
                                      QStringLiteral("carol_k"), QStringLiteral("demo")};
    static const QStringList tags = {QStringLiteral("qt"), QStringLiteral("zirrup"),
                                     QStringLiteral("news"), QStringLiteral("friday")};

    Random random;
    QList<Tweet> tweets;
    tweets.reserve(count);
    for (int i = 0; i < count; ++i) {
        Tweet tweet;
        QVariantList mentions, hashtags, urls, media;
        auto append = [&tweet](const QString &piece) {
            if (!tweet.text.isEmpty())
                tweet.text.append(QLatin1Char(' '));
            const qsizetype start = tweet.text.size();
            tweet.text.append(piece);
            return start;
        };

        if (random.chance(30)) {
            const QString name = names.at(random.below(names.size()));
            const qsizetype start = append(QLatin1Char('@') + name);
            mentions.append(QVariantMap {{"screen_name", name},
                                         {"indices", indices(start, tweet.text.size())}});
        }
        if (random.chance(10))
            append(QString::fromUtf8("\xF0\x9F\x98\x80"));
        const int wordCount = 6 + random.below(10);
        for (int w = 0; w < wordCount; ++w) {
            const int kind = random.below(100);
            if (kind < 8) {
                const QString name = names.at(random.below(names.size()));
                const qsizetype start = append(QLatin1Char('@') + name);
                mentions.append(QVariantMap {{"screen_name", name},
                                             {"indices", indices(start, tweet.text.size())}});
            } else if (kind < 16) {
                const QString tag = tags.at(random.below(tags.size()));
                const qsizetype start = append(QLatin1Char('#') + tag);
                hashtags.append(
                    QVariantMap {{"text", tag}, {"indices", indices(start, tweet.text.size())}});
            } else if (kind < 20 && urls.size() < 2) {
                const QString link =
                    QStringLiteral("http://127.0.0.1:8123/l/") + QString::number(i * 31 + w, 36);
                const qsizetype start = append(link);
                urls.append(QVariantMap {
                    {"url", link},
                    {"expanded_url", QStringLiteral("http://example.org/articles/%1/page").arg(i)},
                    {"indices", indices(start, tweet.text.size())}});
            } else if (kind < 22) {
                append(QStringLiteral("https://bare.example/%1").arg(w));
            } else if (kind < 24) {
                append(rightToLeft.at(random.below(rightToLeft.size())));
            } else {
                append(words.at(random.below(words.size())));
            }
        }
        if (random.chance(15)) {
            const QString link =
                QStringLiteral("http://127.0.0.1:8123/l/m") + QString::number(i, 36);
            const qsizetype start = append(link);
            media.append(QVariantMap {
                {"id", QString::number(1000000000000900000LL + i)},
                {"url", link},
                {"display_url", QStringLiteral("pic.zirrup.net/m") + QString::number(i, 36)},
                {"media_url", QStringLiteral("http://127.0.0.1:8123/media/pics/%1.jpg").arg(i)},
                {"indices", indices(start, tweet.text.size())}});
        }
        tweet.entities = {
            {"urls", urls}, {"hashtags", hashtags}, {"user_mentions", mentions}, {"media", media}};
        tweets.append(tweet);
    }
    return tweets;
}

} // namespace

class BenchMarkup : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void markupOfThousandTweets();
    // The three steps on their own.
    void entitiesOnly();
    void findLinksOnly();
    void splitTextOnly();

private:
    // The corpus marked up by parseEntities, and by findLinks after it when linked.
    QStringList markedTexts(bool linked) const;

    QList<Tweet> m_tweets;
    DataHandler *m_handler = nullptr;
};

void BenchMarkup::initTestCase()
{
    m_tweets = corpus(1000);
    m_handler = DataHandler::instance();
    qInfo("Each figure is one pass over %lld tweets: divide by %lld for one tweet.",
          qlonglong(m_tweets.size()), qlonglong(m_tweets.size()));
}

void BenchMarkup::cleanupTestCase()
{
    delete m_handler;
}

void BenchMarkup::markupOfThousandTweets()
{
    qsizetype pieces = 0;
    QBENCHMARK
    {
        for (const Tweet &tweet : std::as_const(m_tweets)) {
            QString text = tweet.text;
            m_handler->parseEntities(tweet.entities, text);
            text = m_handler->findLinks(text);
            pieces += m_handler->splitText(text).size();
        }
    }
    QVERIFY(pieces > 0);
}

void BenchMarkup::entitiesOnly()
{
    QBENCHMARK
    {
        for (const Tweet &tweet : std::as_const(m_tweets)) {
            QString text = tweet.text;
            m_handler->parseEntities(tweet.entities, text);
        }
    }
}

QStringList BenchMarkup::markedTexts(bool linked) const
{
    QStringList texts;
    for (const Tweet &tweet : std::as_const(m_tweets)) {
        QString text = tweet.text;
        m_handler->parseEntities(tweet.entities, text);
        texts.append(linked ? m_handler->findLinks(text) : text);
    }
    return texts;
}

void BenchMarkup::findLinksOnly()
{
    const QStringList texts = markedTexts(false);
    QBENCHMARK
    {
        for (const QString &text : texts)
            m_handler->findLinks(text);
    }
}

void BenchMarkup::splitTextOnly()
{
    const QStringList texts = markedTexts(true);
    QBENCHMARK
    {
        for (const QString &text : texts)
            m_handler->splitText(text);
    }
}

QTEST_MAIN(BenchMarkup)
#include "bench_markup.moc"
