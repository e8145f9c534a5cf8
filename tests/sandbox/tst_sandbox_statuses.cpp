// Statuses of zirrup-sandbox: posting, entities, pictures, timelines, retweets,
// favourites and who may see what.
#include "apiclient.h"
#include "database.h"
#include "sandboxfixture.h"

#include <QImage>
#include <QtEndian>
#include <QtTest>

using namespace Qt::StringLiterals;

class TestSandboxStatuses : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init();
    void entitiesPointIntoTheEscapedText();
    void entityEdgeCases();
    void linksAreWrapped();
    void postingRules();
    void replyPlaceAndCoordinates();
    void pictureUpload();
    void pictureUploadRefusals();
    void timelinesAndPaging();
    void retweets();
    void deletion();
    void favourites();
    void protectedAndBlocked();

private:
    QJsonObject post(ApiClient *client, const QString &text, Params extra = {});
    SandboxFixture m_sandbox;
};

static const QString update = u"/1/statuses/update.json"_s;

void TestSandboxStatuses::init()
{
    QVERIFY(m_sandbox.start());
}

QJsonObject TestSandboxStatuses::post(ApiClient *client, const QString &text, Params extra)
{
    extra.prepend({u"status"_s, text});
    extra.append({u"include_entities"_s, u"true"_s});
    const ApiResponse r = client->post(update, extra);
    if (r.status != 200)
        qWarning("posting \"%s\" answered %d %s", qPrintable(text), r.status, r.body.constData());
    return r.object();
}

// A valid grey PNG; blank rows compress to almost nothing.
static QByteArray grayPng(quint32 width, quint32 height)
{
    const auto be32 = [](quint32 v) {
        QByteArray bytes(4, '\0');
        qToBigEndian(v, bytes.data());
        return bytes;
    };
    const auto chunk = [&](const QByteArray &type, const QByteArray &data) {
        quint32 crc = 0xffffffff;
        for (const char byte : type + data) {
            crc ^= quint8(byte);
            for (int k = 0; k < 8; ++k)
                crc = (crc >> 1) ^ (0xedb88320 & (0 - (crc & 1)));
        }
        return be32(data.size()) + type + data + be32(~crc);
    };
    const QByteArray header = be32(width) + be32(height) + QByteArray("\x08\x00\x00\x00\x00", 5);
    // qCompress writes zlib data behind a 4-byte length.
    const QByteArray pixels = qCompress(QByteArray(qsizetype(width + 1) * height, '\0'), 9).mid(4);
    return QByteArray("\x89PNG\r\n\x1a\n", 8) + chunk("IHDR", header) + chunk("IDAT", pixels)
        + chunk("IEND", {});
}

// The text each entity's indices select in the text as sent.
static QStringList selected(const QJsonObject &status, const QString &kind)
{
    const QString text = status.value(u"text"_s).toString();
    QStringList result;
    const QJsonArray entities = status.value(u"entities"_s).toObject().value(kind).toArray();
    for (const QJsonValue &entity : entities) {
        const QJsonArray indices = entity.toObject().value(u"indices"_s).toArray();
        const int start = indices.at(0).toInt();
        result.append(text.mid(start, indices.at(1).toInt() - start));
    }
    return result;
}

void TestSandboxStatuses::entitiesPointIntoTheEscapedText()
{
    m_sandbox.client(u"bob"_s);
    ApiClient *alice = m_sandbox.client(u"alice"_s);
    // Surrogate pairs and characters that grow when escaped, all before the entities.
    const QJsonObject status =
        post(alice, u"😀 <b> & 🎉 x>y @Bob likes #Qt_6 see http://example.org/page & more"_s);
    QVERIFY(status.value(u"text"_s).toString().startsWith(u"😀 &lt;b&gt; &amp; 🎉 x&gt;y @Bob"_s));
    QCOMPARE(selected(status, u"user_mentions"_s), QStringList {u"@Bob"_s});
    QCOMPARE(selected(status, u"hashtags"_s), QStringList {u"#Qt_6"_s});
    const QStringList links = selected(status, u"urls"_s);
    QCOMPARE(links.size(), 1);
    QVERIFY(links.first().startsWith(m_sandbox.baseUrl().toString() + u"/l/"_s));

    const QJsonObject entities = status.value(u"entities"_s).toObject();
    const QJsonObject mention = jsonAt(entities, u"user_mentions/0"_s).toObject();
    // The stored name, not the one typed.
    QCOMPARE(mention.value(u"screen_name"_s).toString(), u"bob"_s);
    QCOMPARE(mention.value(u"id_str"_s).toString(), m_sandbox.client(u"bob"_s)->account().userId);
    QCOMPARE(jsonAt(entities, u"hashtags/0/text"_s).toString(), u"Qt_6"_s);
    QCOMPARE(entities.value(u"media"_s).toArray().size(), 0);

    // Without include_entities there are none.
    const ApiResponse plain =
        alice->get(u"/1/statuses/show.json"_s, {{u"id"_s, status.value(u"id_str"_s).toString()}});
    QVERIFY(!plain.object().contains(u"entities"_s));
    QCOMPARE(plain.at(u"text"_s), status.value(u"text"_s));
}

void TestSandboxStatuses::entityEdgeCases()
{
    m_sandbox.client(u"bob"_s);
    ApiClient *alice = m_sandbox.client(u"alice"_s);
    const QJsonObject status =
        post(alice, u"mail@bob.org @nobody @bob: #123 #a1 ä#x #über @bob_smith_is_too_long_"_s);
    // "mail@bob" follows a letter, @nobody is nobody, @bob: counts, a too long name does not.
    QCOMPARE(selected(status, u"user_mentions"_s), QStringList {u"@bob"_s});
    // Digits alone are no hashtag; a tag after a letter is none either.
    QCOMPARE(selected(status, u"hashtags"_s), (QStringList {u"#a1"_s, u"#über"_s}));
    QCOMPARE(jsonAt(status, u"user/statuses_count"_s).toInt(), 1);
}

void TestSandboxStatuses::linksAreWrapped()
{
    ApiClient *alice = m_sandbox.client(u"alice"_s);
    const QString base = m_sandbox.baseUrl().toString();
    const QString longLink =
        u"http://www.example.org/a/rather/long/path/to/a/page?with=query&and=more"_s;
    const QJsonObject first = post(alice, u"Read this: "_s + longLink + u". Really."_s);
    const QJsonObject url = jsonAt(first, u"entities/urls/0"_s).toObject();
    QCOMPARE(url.value(u"expanded_url"_s).toString(), longLink);
    QCOMPARE(url.value(u"display_url"_s).toString(),
             u"example.org/a/rather/long/"_s + QChar(0x2026));
    const QString wrapped = url.value(u"url"_s).toString();
    // The trailing full stop stayed outside the link.
    QCOMPARE(first.value(u"text"_s).toString(), u"Read this: "_s + wrapped + u". Really."_s);
    QCOMPARE(wrapped.size(), base.size() + 3 + 5);
    const ApiResponse config = m_sandbox.anonymous()->get(u"/1/help/configuration.json"_s);
    QCOMPARE(config.at(u"short_url_length"_s).toInt(), wrapped.size());

    // The same long link gets the same wrapped link; a wrapped link is kept as it is.
    const QJsonObject second = post(alice, u"again "_s + longLink + u" and "_s + wrapped);
    const QStringList links = selected(second, u"urls"_s);
    QCOMPARE(links, (QStringList {wrapped, wrapped}));
    const ApiResponse shortened = alice->post(u"/1/links/shorten.json"_s, {{u"url"_s, longLink}});
    QCOMPARE(shortened.at(u"url"_s).toString(), wrapped);
    QCOMPARE(shortened.at(u"long_url"_s).toString(), longLink);

    // The wrapped link leads to the long one.
    const ApiResponse redirect = m_sandbox.anonymous()->get(QUrl(wrapped).path());
    QCOMPARE(redirect.status, 301);
    QCOMPARE(QUrl::fromEncoded(redirect.header("Location")).toString(), longLink);
    QCOMPARE(m_sandbox.anonymous()->get(u"/l/ZZZZZZ"_s).status, 404);

    // A link of 200 characters fits a status once wrapped.
    const QString huge = u"https://example.org/"_s + QString(180, QLatin1Char('x'));
    QCOMPARE(alice->post(update, {{u"status"_s, u"long one "_s + huge}}).status, 200);

    for (const QString &bad : {u"ftp://example.org/file"_s, u"not a link"_s,
                               u"http://"_s + QString(2100, QLatin1Char('a'))}) {
        const ApiResponse r = alice->post(u"/1/links/shorten.json"_s, {{u"url"_s, bad}});
        QCOMPARE(r.status, 400);
        QCOMPARE(r.error(), u"Invalid parameter: url"_s);
    }
}

void TestSandboxStatuses::postingRules()
{
    ApiClient *alice = m_sandbox.client(u"alice"_s);
    ApiResponse r = alice->post(update, {{u"status"_s, u"   "_s}});
    QCOMPARE(r.status, 400);
    QCOMPARE(r.error(), u"Missing parameter: status"_s);

    // 140 UTF-16 code units: an emoji counts twice.
    const QString exact = QString(138, QLatin1Char('a')) + u"😀"_s;
    QCOMPARE(alice->post(update, {{u"status"_s, exact}}).status, 200);
    r = alice->post(update, {{u"status"_s, u"b"_s + exact}});
    QCOMPARE(r.status, 403);
    QCOMPARE(r.error(), u"Status is over 140 characters."_s);
    // "&" is one character although it is sent as "&amp;".
    QCOMPARE(alice->post(update, {{u"status"_s, QString(140, QLatin1Char('&'))}}).status, 200);

    QCOMPARE(alice->post(update, {{u"status"_s, u"same words"_s}}).status, 200);
    r = alice->post(update, {{u"status"_s, u"same words"_s}});
    QCOMPARE(r.status, 403);
    QCOMPARE(r.error(), u"Status is a duplicate."_s);
    // Only the previous status counts.
    QCOMPARE(alice->post(update, {{u"status"_s, u"other words"_s}}).status, 200);
    QCOMPARE(alice->post(update, {{u"status"_s, u"same words"_s}}).status, 200);
    // Someone else may say the same.
    QCOMPARE(m_sandbox.client(u"bob"_s)->post(update, {{u"status"_s, u"same words"_s}}).status,
             200);

    // Control characters are dropped, not stored.
    const QJsonObject clean = post(alice, u"tab\there\x01 and\r\nline"_s);
    QCOMPARE(clean.value(u"text"_s).toString(), u"tab\there and\nline"_s);
    QCOMPARE(clean.value(u"source"_s).toString(),
             QStringLiteral("<a href=\"http://zirrup.net/download/desktop\" "
                            "rel=\"nofollow\">Zirrup for Desktop</a>"));
}

void TestSandboxStatuses::replyPlaceAndCoordinates()
{
    ApiClient *alice = m_sandbox.client(u"alice"_s);
    ApiClient *bob = m_sandbox.client(u"bob"_s);
    const QJsonObject original = post(alice, u"question?"_s);
    const QString originalId = original.value(u"id_str"_s).toString();
    const QJsonObject reply =
        post(bob, u"@alice answer"_s, {{u"in_reply_to_status_id"_s, originalId}});
    QCOMPARE(reply.value(u"in_reply_to_status_id_str"_s).toString(), originalId);
    QCOMPARE(reply.value(u"in_reply_to_status_id"_s).toInteger(),
             original.value(u"id"_s).toInteger());
    QCOMPARE(reply.value(u"in_reply_to_screen_name"_s).toString(), u"alice"_s);
    QCOMPARE(reply.value(u"in_reply_to_user_id_str"_s).toString(), alice->account().userId);
    QVERIFY(original.value(u"in_reply_to_status_id"_s).isNull());
    QVERIFY(original.value(u"in_reply_to_status_id_str"_s).isNull());
    QVERIFY(original.value(u"place"_s).isNull());

    ApiResponse r = bob->post(
        update,
        {{u"status"_s, u"to nothing"_s}, {u"in_reply_to_status_id"_s, u"1000000000000009999"_s}});
    QCOMPARE(r.status, 404);

    // A place from the service's own table.
    const QJsonObject places = m_sandbox.anonymous()
                                   ->get(u"/1/geo/reverse_geocode.json"_s,
                                         {{u"lat"_s, u"60.17"_s}, {u"long"_s, u"24.94"_s}})
                                   .object();
    const QJsonObject place = jsonAt(places, u"result/places/0"_s).toObject();
    QVERIFY(!place.isEmpty());
    const QJsonObject placed =
        post(bob, u"here"_s, {{u"place_id"_s, place.value(u"id"_s).toString()}});
    QCOMPARE(placed.value(u"place"_s).toObject(), place);
    r = bob->post(update, {{u"status"_s, u"nowhere"_s}, {u"place_id"_s, u"0123456789abcdef"_s}});
    QCOMPARE(r.status, 404);

    const QJsonObject located =
        post(bob, u"exactly here"_s, {{u"lat"_s, u"60.5"_s}, {u"long"_s, u"-24.25"_s}});
    QCOMPARE(jsonAt(located, u"geo/coordinates"_s).toArray(), (QJsonArray {60.5, -24.25}));
    QCOMPARE(jsonAt(located, u"coordinates/coordinates"_s).toArray(), (QJsonArray {-24.25, 60.5}));
    r = bob->post(update, {{u"status"_s, u"half"_s}, {u"lat"_s, u"60"_s}});
    QCOMPARE(r.status, 400);
    QCOMPARE(r.error(), u"Missing parameter: long"_s);
    r = bob->post(update, {{u"status"_s, u"off"_s}, {u"lat"_s, u"60"_s}, {u"long"_s, u"181"_s}});
    QCOMPARE(r.error(), u"Invalid parameter: long"_s);
}

void TestSandboxStatuses::pictureUpload()
{
    ApiClient *alice = m_sandbox.client(u"alice"_s);
    const QByteArray png = SandboxFixture::picture(QSize(800, 600), "PNG");
    const QString caption = QString(119, QLatin1Char('c'));
    ApiResponse r =
        alice->postMultipart(u"/1/statuses/update_with_media.json"_s,
                             {{u"status"_s, caption}, {u"include_entities"_s, u"true"_s}},
                             {{u"media[]"_s, u"photo.png"_s, "image/png", png}});
    QCOMPARE(r.status, 200);
    const QJsonObject status = r.object();
    const QJsonObject media = jsonAt(status, u"entities/media/0"_s).toObject();
    QCOMPARE(jsonAt(status, u"entities/urls"_s).toArray().size(), 0);
    const QString link = media.value(u"url"_s).toString();
    // The picture's link follows the text after one space.
    QCOMPARE(status.value(u"text"_s).toString(), caption + QLatin1Char(' ') + link);
    QCOMPARE(selected(status, u"media"_s), QStringList {link});
    QVERIFY(media.value(u"id_str"_s).toString().size() == 19);
    QCOMPARE(media.value(u"type"_s).toString(), u"photo"_s);
    QCOMPARE(media.value(u"display_url"_s).toString(),
             u"pic.zirrup.net/"_s + link.section(QLatin1Char('/'), -1));
    const QJsonObject sizes = media.value(u"sizes"_s).toObject();
    QCOMPARE(sizes.value(u"thumb"_s).toObject(),
             (QJsonObject {{u"w"_s, 150}, {u"h"_s, 150}, {u"resize"_s, u"crop"_s}}));
    QCOMPARE(jsonAt(sizes, u"small/w"_s).toInt(), 340);
    QCOMPARE(jsonAt(sizes, u"small/h"_s).toInt(), 255);
    // Never enlarged.
    QCOMPARE(jsonAt(sizes, u"large/w"_s).toInt(), 800);

    // The picture comes back as uploaded, and in the other sizes in the same format.
    const QString mediaUrl = media.value(u"media_url"_s).toString();
    QVERIFY(mediaUrl.endsWith(u".png"_s));
    ApiClient *anyone = m_sandbox.anonymous();
    const ApiResponse original = anyone->get(QUrl(mediaUrl).path());
    QCOMPARE(original.status, 200);
    QCOMPARE(original.body, png);
    QCOMPARE(original.header("Content-Type"), QByteArray("image/png"));
    QCOMPARE(original.header("Cache-Control"), QByteArray("max-age=86400"));
    const struct
    {
        const char *suffix;
        QSize size;
    } versions[] = {
        {":thumb", QSize(150, 150)}, {":small", QSize(340, 255)}, {":large", QSize(800, 600)}};
    for (const auto &version : versions) {
        const ApiResponse sized =
            anyone->get(QUrl(mediaUrl).path() + QLatin1String(version.suffix));
        QCOMPARE(sized.status, 200);
        QCOMPARE(QImage::fromData(sized.body, "PNG").size(), version.size);
    }
    QCOMPARE(anyone->get(QUrl(mediaUrl).path().replace(u".png"_s, u".jpg"_s)).status, 404);

    // The link leads to the photo page, which shows the picture.
    const ApiResponse redirect = anyone->get(QUrl(link).path());
    QCOMPARE(redirect.status, 301);
    const QString page = QString::fromUtf8(redirect.header("Location"));
    QCOMPARE(page, media.value(u"expanded_url"_s).toString());
    QCOMPARE(page,
             m_sandbox.baseUrl().toString() + u"/alice/status/"_s
                 + status.value(u"id_str"_s).toString() + u"/photo/1"_s);
    const ApiResponse html = anyone->get(QUrl(page).path());
    QCOMPARE(html.status, 200);
    QVERIFY(html.body.contains(mediaUrl.toUtf8() + ":large"));

    // With a picture the text may be 21 characters shorter only.
    r = alice->postMultipart(u"/1/statuses/update_with_media.json"_s,
                             {{u"status"_s, caption + QLatin1Char('!')}},
                             {{u"media"_s, u"photo.png"_s, "image/png", png}});
    QCOMPARE(r.status, 403);
    QCOMPARE(r.error(), u"Status is over 140 characters."_s);

    // A picture alone is a status; a JPEG stays a JPEG in every size.
    r = alice->postMultipart(u"/1/statuses/update_with_media.json"_s,
                             {{u"include_entities"_s, u"1"_s}},
                             {{u"media"_s, u"p.jpg"_s, "image/jpeg",
                               SandboxFixture::picture(QSize(2000, 1000), "JPEG")}});
    QCOMPARE(r.status, 200);
    const QString jpegUrl = r.at(u"entities/media/0/media_url"_s).toString();
    // The text is the picture's link alone.
    QCOMPARE(r.at(u"text"_s).toString(), r.at(u"entities/media/0/url"_s).toString());
    QVERIFY(jpegUrl.endsWith(u".jpg"_s));
    const ApiResponse jpegLarge = anyone->get(QUrl(jpegUrl).path() + u":large"_s);
    QCOMPARE(jpegLarge.header("Content-Type"), QByteArray("image/jpeg"));
    QCOMPARE(QImage::fromData(jpegLarge.body, "JPEG").size(), QSize(1024, 512));
}

void TestSandboxStatuses::pictureUploadRefusals()
{
    ApiClient *alice = m_sandbox.client(u"alice"_s);
    const QString path = u"/1/statuses/update_with_media.json"_s;
    const QByteArray png = SandboxFixture::picture(QSize(20, 20), "PNG");
    ApiResponse r = alice->postMultipart(path, {{u"status"_s, u"no picture"_s}}, {});
    QCOMPARE(r.status, 400);
    QCOMPARE(r.error(), u"Missing parameter: media[]"_s);
    r = alice->postMultipart(path, {}, {{u"media[]"_s, u"a.txt"_s, "image/png", "this is text"}});
    QCOMPARE(r.error(), u"Invalid parameter: media[]"_s);
    // A picture cut short is no picture.
    const QByteArray jpeg = SandboxFixture::picture(QSize(400, 300), "JPEG");
    r = alice->postMultipart(
        path, {}, {{u"media[]"_s, u"cut.jpg"_s, "image/jpeg", jpeg.left(jpeg.size() / 3)}});
    QCOMPARE(r.error(), u"Invalid parameter: media[]"_s);
    r = alice->postMultipart(path, {},
                             {{u"media[]"_s, u"a.png"_s, "image/png", png},
                              {u"media[]"_s, u"b.png"_s, "image/png", png}});
    QCOMPARE(r.error(), u"Invalid parameter: media[]"_s);
    // A small PNG that unpacks to 16.4 million pixels is refused before it is unpacked.
    const QByteArray bomb = grayPng(4100, 4000);
    QVERIFY(bomb.size() < 100 * 1024);
    r = alice->postMultipart(path, {}, {{u"media[]"_s, u"bomb.png"_s, "image/png", bomb}});
    QCOMPARE(r.error(), u"Invalid parameter: media[]"_s);
    // Over 3 MiB (but within the 5 MiB of a request).
    QByteArray big = png;
    big.append(QByteArray(3 * 1024 * 1024, '\0'));
    r = alice->postMultipart(path, {}, {{u"media[]"_s, u"big.png"_s, "image/png", big}});
    QCOMPARE(r.status, 400);
    QCOMPARE(r.error(), u"Invalid parameter: media[]"_s);
    // Nothing was stored by any of these.
    QCOMPARE(alice->get(u"/1/statuses/user_timeline.json"_s).array().size(), 0);
}

void TestSandboxStatuses::timelinesAndPaging()
{
    ApiClient *alice = m_sandbox.client(u"alice"_s);
    ApiClient *bob = m_sandbox.client(u"bob"_s);
    ApiClient *carol = m_sandbox.client(u"carol"_s);
    QStringList aliceIds;
    for (int i = 0; i < 5; ++i)
        aliceIds.prepend(post(alice, u"alice %1 @bob"_s.arg(i)).value(u"id_str"_s).toString());
    const QString carolId = post(carol, u"carol here"_s).value(u"id_str"_s).toString();
    const QString bobId = post(bob, u"bob here"_s).value(u"id_str"_s).toString();
    QCOMPARE(bob->post(u"/1/friendships/create.json"_s, {{u"screen_name"_s, u"alice"_s}}).status,
             200);

    const QString home = u"/1/statuses/home_timeline.json"_s;
    // Own and followed statuses, newest first; carol is not followed.
    QCOMPARE(SandboxFixture::ids(bob->get(home).array()), QStringList {bobId} + aliceIds);
    QCOMPARE(SandboxFixture::ids(bob->get(home, {{u"count"_s, u"2"_s}}).array()),
             (QStringList {bobId, aliceIds.at(0)}));
    // max_id includes the status it names, so a page's last one starts the next page.
    QCOMPARE(SandboxFixture::ids(
                 bob->get(home, {{u"count"_s, u"2"_s}, {u"max_id"_s, aliceIds.at(1)}}).array()),
             aliceIds.mid(1, 2));
    QCOMPARE(SandboxFixture::ids(bob->get(home, {{u"since_id"_s, aliceIds.at(1)}}).array()),
             (QStringList {bobId, aliceIds.at(0)}));
    QCOMPARE(bob->get(home, {{u"since_id"_s, bobId}}).array().size(), 0);
    QCOMPARE(bob->get(home, {{u"count"_s, u"0"_s}}).array().size(), 1);
    QCOMPARE(bob->get(home, {{u"count"_s, u"5000"_s}}).array().size(), 6);

    // Ids as numbers and as text, with every digit.
    const QJsonObject first = bob->get(home).at(u"0"_s).toObject();
    QCOMPARE(QString::number(first.value(u"id"_s).toInteger()),
             first.value(u"id_str"_s).toString());
    QVERIFY(first.value(u"id"_s).toInteger() > 1000000000000000000LL);
    static const QRegularExpression date(
        u"^\\w{3} \\w{3} \\d{2} \\d{2}:\\d{2}:\\d{2} \\+0000 \\d{4}$"_s);
    QVERIFY(date.match(first.value(u"created_at"_s).toString()).hasMatch());

    // Mentions: by others only.
    QCOMPARE(SandboxFixture::ids(bob->get(u"/1/statuses/mentions.json"_s).array()), aliceIds);
    QCOMPARE(alice->get(u"/1/statuses/mentions.json"_s).array().size(), 0);

    // Someone's statuses, by name or id; retweets only with include_rts.
    QCOMPARE(bob->post(u"/1/statuses/retweet/"_s + carolId + u".json"_s).status, 200);
    const QString userTimeline = u"/1/statuses/user_timeline.json"_s;
    QCOMPARE(SandboxFixture::ids(carol->get(userTimeline, {{u"screen_name"_s, u"BOB"_s}}).array()),
             QStringList {bobId});
    QCOMPARE(
        carol
            ->get(userTimeline, {{u"user_id"_s, bob->account().userId}, {u"include_rts"_s, u"1"_s}})
            .array()
            .size(),
        2);
    QCOMPARE(carol->get(userTimeline, {{u"screen_name"_s, u"nobody"_s}}).status, 404);
    QCOMPARE(SandboxFixture::ids(bob->get(u"/1/statuses/retweeted_by_me.json"_s).array()).size(),
             1);
    QCOMPARE(SandboxFixture::ids(carol->get(u"/1/statuses/retweets_of_me.json"_s).array()),
             QStringList {carolId});
    QCOMPARE(alice->get(u"/1/statuses/retweets_of_me.json"_s).array().size(), 0);
    // The public timeline has everybody's.
    QCOMPARE(carol->get(u"/1/statuses/public_timeline.json"_s).array().size(), 8);

    // One status.
    const ApiResponse shown = carol->get(u"/1/statuses/show.json"_s, {{u"id"_s, aliceIds.first()}});
    QCOMPARE(shown.at(u"text"_s).toString(), u"alice 4 @bob"_s);
    QCOMPARE(carol->get(u"/1/statuses/show.json"_s, {{u"id"_s, u"1000000000000099999"_s}}).status,
             404);
}

void TestSandboxStatuses::retweets()
{
    ApiClient *alice = m_sandbox.client(u"alice"_s);
    ApiClient *bob = m_sandbox.client(u"bob"_s);
    const QJsonObject original = post(alice, u"worth sharing #qt & more"_s);
    const QString originalId = original.value(u"id_str"_s).toString();
    const QString path = u"/1/statuses/retweet/"_s + originalId + u".json"_s;
    ApiResponse r = bob->post(path, {{u"include_entities"_s, u"true"_s}});
    QCOMPARE(r.status, 200);
    const QJsonObject retweet = r.object();
    const QString retweetId = retweet.value(u"id_str"_s).toString();
    QVERIFY(retweetId != originalId);
    QCOMPARE(retweet.value(u"text"_s).toString(), u"RT @alice: worth sharing #qt &amp; more"_s);
    QCOMPARE(jsonAt(retweet, u"user/screen_name"_s).toString(), u"bob"_s);
    const QJsonObject inner = retweet.value(u"retweeted_status"_s).toObject();
    QCOMPARE(inner.value(u"id_str"_s).toString(), originalId);
    QCOMPARE(inner.value(u"retweet_count"_s).toInt(), 1);
    QCOMPARE(inner.value(u"retweeted"_s).toBool(), true);
    // The outer entities describe the outer text.
    QCOMPARE(selected(retweet, u"user_mentions"_s), QStringList {u"@alice"_s});
    QCOMPARE(selected(retweet, u"hashtags"_s), QStringList {u"#qt"_s});

    // Again: the same retweet.
    QCOMPARE(bob->post(path).at(u"id_str"_s).toString(), retweetId);
    // A retweet of the retweet is a retweet of the original.
    QCOMPARE(m_sandbox.client(u"carol"_s)
                 ->post(u"/1/statuses/retweet/"_s + retweetId + u".json"_s)
                 .at(u"retweeted_status/id_str"_s)
                 .toString(),
             originalId);
    r = alice->post(path);
    QCOMPARE(r.status, 403);
    QCOMPARE(bob->post(u"/1/statuses/retweet/1000000000000077777.json"_s).status, 404);

    // include_my_retweet names the requester's retweet.
    const ApiResponse mine = bob->get(
        u"/1/statuses/show.json"_s, {{u"id"_s, originalId}, {u"include_my_retweet"_s, u"true"_s}});
    QCOMPARE(mine.at(u"current_user_retweet/id_str"_s).toString(), retweetId);
    QCOMPARE(mine.at(u"retweeted"_s).toBool(), true);
    QVERIFY(!bob->get(u"/1/statuses/show.json"_s, {{u"id"_s, originalId}})
                 .object()
                 .contains(u"current_user_retweet"_s));
    QVERIFY(!alice
                 ->get(u"/1/statuses/show.json"_s,
                       {{u"id"_s, originalId}, {u"include_my_retweet"_s, u"true"_s}})
                 .object()
                 .contains(u"current_user_retweet"_s));

    // Undo: delete the retweet.
    QCOMPARE(bob->post(u"/1/statuses/destroy/"_s + retweetId + u".json"_s).status, 200);
    const QJsonObject after =
        bob->get(u"/1/statuses/show.json"_s, {{u"id"_s, originalId}}).object();
    QCOMPARE(after.value(u"retweeted"_s).toBool(), false);
    QCOMPARE(after.value(u"retweet_count"_s).toInt(), 1); // carol's
}

void TestSandboxStatuses::deletion()
{
    ApiClient *alice = m_sandbox.client(u"alice"_s);
    ApiClient *bob = m_sandbox.client(u"bob"_s);
    const QString id = post(alice, u"short-lived"_s).value(u"id_str"_s).toString();
    const QString retweetId =
        bob->post(u"/1/statuses/retweet/"_s + id + u".json"_s).at(u"id_str"_s).toString();
    QCOMPARE(bob->post(u"/1/favorites/create/"_s + id + u".json"_s).status, 200);

    ApiResponse r = bob->post(u"/1/statuses/destroy/"_s + id + u".json"_s);
    QCOMPARE(r.status, 403);
    QCOMPARE(r.error(), u"You may not delete another user's status."_s);
    r = alice->post(u"/1/statuses/destroy/"_s + id + u".json"_s);
    QCOMPARE(r.status, 200);
    QCOMPARE(r.at(u"id_str"_s).toString(), id);
    // Gone, with its retweets and favourites.
    QCOMPARE(bob->get(u"/1/statuses/show.json"_s, {{u"id"_s, id}}).status, 404);
    QCOMPARE(bob->get(u"/1/statuses/show.json"_s, {{u"id"_s, retweetId}}).status, 404);
    QCOMPARE(bob->get(u"/1/favorites.json"_s).array().size(), 0);
    QCOMPARE(alice->post(u"/1/statuses/destroy/"_s + id + u".json"_s).status, 404);
}

void TestSandboxStatuses::favourites()
{
    ApiClient *alice = m_sandbox.client(u"alice"_s);
    ApiClient *bob = m_sandbox.client(u"bob"_s);
    QStringList ids;
    for (int i = 0; i < 3; ++i)
        ids.append(post(alice, u"fav %1"_s.arg(i)).value(u"id_str"_s).toString());
    const auto create = [bob](const QString &id) {
        return bob->post(u"/1/favorites/create/"_s + id + u".json"_s);
    };
    ApiResponse r = create(ids.at(1));
    QCOMPARE(r.status, 200);
    QCOMPARE(r.at(u"favorited"_s).toBool(), true);
    QCOMPARE(create(ids.at(1)).at(u"favorited"_s).toBool(), true);
    create(ids.at(0));
    create(ids.at(2));
    // Favouriting a retweet favourites its original.
    const QString retweetId = m_sandbox.client(u"carol"_s)
                                  ->post(u"/1/statuses/retweet/"_s + ids.at(0) + u".json"_s)
                                  .at(u"id_str"_s)
                                  .toString();
    QCOMPARE(create(retweetId).at(u"id_str"_s).toString(), ids.at(0));

    // Most recently favourited first, by page.
    const QString favorites = u"/1/favorites.json"_s;
    const QStringList all = SandboxFixture::ids(bob->get(favorites).array());
    QCOMPARE(all, (QStringList {ids.at(2), ids.at(0), ids.at(1)}));
    QCOMPARE(
        SandboxFixture::ids(
            alice
                ->get(favorites,
                      {{u"screen_name"_s, u"bob"_s}, {u"count"_s, u"2"_s}, {u"page"_s, u"2"_s}})
                .array()),
        QStringList {ids.at(1)});
    QCOMPARE(alice->get(favorites).array().size(), 0);
    // Another's view of the same status says whether *they* favourited it.
    QCOMPARE(
        alice->get(u"/1/statuses/show.json"_s, {{u"id"_s, ids.at(1)}}).at(u"favorited"_s).toBool(),
        false);

    r = bob->post(u"/1/favorites/destroy/"_s + ids.at(1) + u".json"_s);
    QCOMPARE(r.at(u"favorited"_s).toBool(), false);
    QCOMPARE(bob->post(u"/1/favorites/destroy/"_s + ids.at(1) + u".json"_s).status, 200);
    QCOMPARE(bob->get(favorites).array().size(), 2);
    QCOMPARE(bob->post(u"/1/favorites/create/1000000000000055555.json"_s).status, 404);
    QCOMPARE(bob->get(u"/1/users/show.json"_s, {{u"screen_name"_s, u"bob"_s}})
                 .at(u"favourites_count"_s)
                 .toInt(),
             2);
}

void TestSandboxStatuses::protectedAndBlocked()
{
    ApiClient *alice = m_sandbox.client(u"alice"_s);
    ApiClient *bob = m_sandbox.client(u"bob"_s);
    ApiClient *carol = m_sandbox.client(u"carol"_s);
    // alice is protected; bob is an approved follower, carol only asked.
    QVERIFY(m_sandbox.server()
                ->database()
                ->exec(u"UPDATE users SET protected = 1 WHERE screen_name = 'alice'"_s)
                .isActive());
    m_sandbox.server()->database()->exec(
        QStringLiteral(
            "INSERT INTO follows (follower_id, followee_id, created_at) VALUES (?, ?, 0)"),
        {bob->account().userId.toLongLong(), alice->account().userId.toLongLong()});
    const ApiResponse asked =
        carol->post(u"/1/friendships/create.json"_s, {{u"screen_name"_s, u"alice"_s}});
    QCOMPARE(asked.at(u"following"_s).toBool(), false);
    QCOMPARE(asked.at(u"follow_request_sent"_s).toBool(), true);

    const QString secret = post(alice, u"for friends only @carol"_s).value(u"id_str"_s).toString();
    QCOMPARE(SandboxFixture::ids(bob->get(u"/1/statuses/home_timeline.json"_s).array()),
             QStringList {secret});
    QCOMPARE(carol->get(u"/1/statuses/home_timeline.json"_s).array().size(), 0);
    QCOMPARE(carol->get(u"/1/statuses/mentions.json"_s).array().size(), 0);
    ApiResponse r =
        carol->get(u"/1/statuses/user_timeline.json"_s, {{u"screen_name"_s, u"alice"_s}});
    QCOMPARE(r.status, 403);
    QCOMPARE(r.error(), u"Not authorized"_s);
    QCOMPARE(carol->get(u"/1/statuses/show.json"_s, {{u"id"_s, secret}}).status, 403);
    QCOMPARE(carol->post(u"/1/favorites/create/"_s + secret + u".json"_s).status, 403);
    QCOMPARE(bob->post(u"/1/statuses/retweet/"_s + secret + u".json"_s).status, 403);
    QCOMPARE(carol->get(u"/1/statuses/public_timeline.json"_s).array().size(), 0);
    QCOMPARE(m_sandbox.anonymous()
                 ->get(u"/1/search.json"_s, {{u"q"_s, u"friends"_s}})
                 .at(u"results"_s)
                 .toArray()
                 .size(),
             0);
    QCOMPARE(
        bob->get(u"/1/search.json"_s, {{u"q"_s, u"friends"_s}}).at(u"results"_s).toArray().size(),
        1);

    // Blocks hide both ways and end following both ways.
    const QString bobsPost = post(bob, u"bob speaks"_s).value(u"id_str"_s).toString();
    QCOMPARE(carol->post(u"/1/friendships/create.json"_s, {{u"screen_name"_s, u"bob"_s}}).status,
             200);
    QCOMPARE(bob->post(u"/1/friendships/create.json"_s, {{u"screen_name"_s, u"carol"_s}}).status,
             200);
    QCOMPARE(carol->get(u"/1/statuses/home_timeline.json"_s).array().size(), 1);
    r = carol->post(u"/1/blocks/create.json"_s, {{u"screen_name"_s, u"bob"_s}});
    QCOMPARE(r.status, 200);
    QCOMPARE(r.at(u"following"_s).toBool(), false);
    QCOMPARE(bob->get(u"/1/friendships/exists.json"_s,
                      {{u"user_a"_s, u"bob"_s}, {u"user_b"_s, u"carol"_s}})
                 .at(u"friends"_s)
                 .toBool(),
             false);
    QCOMPARE(carol->get(u"/1/statuses/public_timeline.json"_s).array().size(), 0);
    QCOMPARE(
        carol->get(u"/1/search.json"_s, {{u"q"_s, u"speaks"_s}}).at(u"results"_s).toArray().size(),
        0);
    QCOMPARE(bob->get(u"/1/statuses/show.json"_s,
                      {{u"id"_s, post(carol, u"carol speaks"_s).value(u"id_str"_s).toString()}})
                 .status,
             403);
    QCOMPARE(bob->post(u"/1/friendships/create.json"_s, {{u"screen_name"_s, u"carol"_s}}).status,
             403);
    QCOMPARE(m_sandbox.anonymous()
                 ->get(u"/1/search.json"_s, {{u"q"_s, u"speaks"_s}})
                 .at(u"results"_s)
                 .toArray()
                 .size(),
             2);
    // The blocked one's status is still there for others.
    QCOMPARE(alice->get(u"/1/statuses/show.json"_s, {{u"id"_s, bobsPost}}).status, 200);
}

QTEST_MAIN(TestSandboxStatuses)
#include "tst_sandbox_statuses.moc"
