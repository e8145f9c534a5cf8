// Run by hand: ./bench_backend (Release build, see README).

#include "jsondecoder.h"
#include "recordcache.h"
#include "streamparser.h"

#include <QtTest>

namespace {

QByteArray statusJson(int i)
{
    const QByteArray id = QByteArray::number(1000000000000000000LL + i);
    return "{\"id\":" + id + ",\"id_str\":\"" + id
        + "\",\"created_at\":\"Sat Dec 05 10:11:12 +0000 2026\",\"text\":\"Status number " + id
        + " with a link http://127.0.0.1:8123/l/Xy12Q &amp; #qt\",\"source\":\"web\","
          "\"in_reply_to_status_id\":null,\"in_reply_to_status_id_str\":null,"
          "\"favorited\":false,\"retweeted\":false,\"retweet_count\":0,"
          "\"user\":{\"id\":1844,\"id_str\":\"1844\",\"screen_name\":\"alice\",\"name\":\"Alice\","
          "\"profile_image_url\":\"http://127.0.0.1:8123/media/avatars/1844_1_normal.png\","
          "\"followers_count\":12,\"friends_count\":9},"
          "\"entities\":{\"urls\":[{\"url\":\"http://127.0.0.1:8123/l/"
          "Xy12Q\",\"indices\":[40,69]}],"
          "\"hashtags\":[{\"text\":\"qt\",\"indices\":[76,79]}],\"user_mentions\":[],\"media\":[]}"
          "}";
}

QByteArray page(int count)
{
    QByteArray json = "[";
    for (int i = 0; i < count; ++i)
        json += (i ? "," : "") + statusJson(i);
    return json + "]";
}

} // namespace

class BenchBackend : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void decodeTimelinePage();
    void storeTimelineCache();
    void readTimelineCacheFromDisk();
    void splitStreamChunks();
};

void BenchBackend::decodeTimelinePage()
{
    const QByteArray json = page(200);
    QVariant decoded;
    QBENCHMARK
    {
        decoded = Zr::JsonDecoder::decode(json);
    }
    QCOMPARE(decoded.toList().size(), 200);
}

void BenchBackend::storeTimelineCache()
{
    QTemporaryDir dir;
    Zr::RecordCache cache(dir.path());
    const QVariant records = Zr::JsonDecoder::decode(page(200));
    QBENCHMARK
    {
        cache.setValue(QStringLiteral("timeline_home"), records);
    }
}

void BenchBackend::readTimelineCacheFromDisk()
{
    QTemporaryDir dir;
    Zr::RecordCache(dir.path())
        .setValue(QStringLiteral("timeline_home"), Zr::JsonDecoder::decode(page(200)));
    QVariant records;
    QBENCHMARK
    {
        Zr::RecordCache fresh(dir.path());
        records = fresh.value(QStringLiteral("timeline_home"));
    }
    QCOMPARE(records.toList().size(), 200);
}

void BenchBackend::splitStreamChunks()
{
    QByteArray stream;
    for (int i = 0; i < 1000; ++i)
        stream += "{\"home_status\":" + statusJson(i) + "}\r\n";
    int lines = 0;
    QBENCHMARK
    {
        Zr::StreamParser parser(8 * 1024 * 1024);
        lines = 0;
        for (qsizetype at = 0; at < stream.size(); at += 1400)
            lines += parser.feed(stream.mid(at, 1400)).size();
    }
    QCOMPARE(lines, 1000);
}

QTEST_MAIN(BenchBackend)
#include "bench_backend.moc"
