// Statuses of zirrup-sandbox: posting, entities, pictures, timelines, retweets,
// favourites and who may see what.
#include "apiclient.h"
#include "database.h"
#include "sandboxfixture.h"

#include <QImage>
#include <QtTest>

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

static const QString update = QStringLiteral("/1/statuses/update.json");

void TestSandboxStatuses::init()
{
    QVERIFY(m_sandbox.start());
}

QJsonObject TestSandboxStatuses::post(ApiClient *client, const QString &text, Params extra)
{
    extra.prepend({QStringLiteral("status"), text});
    extra.append({QStringLiteral("include_entities"), QStringLiteral("true")});
    const ApiResponse r = client->post(update, extra);
    if (r.status != 200)
        qWarning("posting \"%s\" answered %d %s", qPrintable(text), r.status, r.body.constData());
    return r.object();
}

// The text each entity's indices select in the text as sent.
static QStringList selected(const QJsonObject &status, const QString &kind)
{
    const QString text = status.value(QStringLiteral("text")).toString();
    QStringList result;
    const QJsonArray entities =
        status.value(QStringLiteral("entities")).toObject().value(kind).toArray();
    for (const QJsonValue &entity : entities) {
        const QJsonArray indices = entity.toObject().value(QStringLiteral("indices")).toArray();
        const int start = indices.at(0).toInt();
        result.append(text.mid(start, indices.at(1).toInt() - start));
    }
    return result;
}

void TestSandboxStatuses::entitiesPointIntoTheEscapedText()
{
    m_sandbox.client(QStringLiteral("bob"));
    ApiClient *alice = m_sandbox.client(QStringLiteral("alice"));
    // Surrogate pairs and characters that grow when escaped, all before the entities.
    const QJsonObject status = post(
        alice, QStringLiteral("😀 <b> & 🎉 x>y @Bob likes #Qt_6 see http://example.org/page & more"));
    QVERIFY(status.value(QStringLiteral("text"))
                .toString()
                .startsWith(QStringLiteral("😀 &lt;b&gt; &amp; 🎉 x&gt;y @Bob")));
    QCOMPARE(selected(status, QStringLiteral("user_mentions")),
             QStringList {QStringLiteral("@Bob")});
    QCOMPARE(selected(status, QStringLiteral("hashtags")), QStringList {QStringLiteral("#Qt_6")});
    const QStringList links = selected(status, QStringLiteral("urls"));
    QCOMPARE(links.size(), 1);
    QVERIFY(links.first().startsWith(m_sandbox.baseUrl().toString() + QStringLiteral("/l/")));

    const QJsonObject entities = status.value(QStringLiteral("entities")).toObject();
    const QJsonObject mention =
        entities.value(QStringLiteral("user_mentions")).toArray().first().toObject();
    // The stored name, not the one typed.
    QCOMPARE(mention.value(QStringLiteral("screen_name")).toString(), QStringLiteral("bob"));
    QCOMPARE(mention.value(QStringLiteral("id_str")).toString(),
             m_sandbox.client(QStringLiteral("bob"))->account().userId);
    QCOMPARE(entities.value(QStringLiteral("hashtags"))
                 .toArray()
                 .first()
                 .toObject()
                 .value(QStringLiteral("text"))
                 .toString(),
             QStringLiteral("Qt_6"));
    QCOMPARE(entities.value(QStringLiteral("media")).toArray().size(), 0);

    // Without include_entities there are none.
    const ApiResponse plain =
        alice->get(QStringLiteral("/1/statuses/show.json"),
                   {{QStringLiteral("id"), status.value(QStringLiteral("id_str")).toString()}});
    QVERIFY(!plain.object().contains(QStringLiteral("entities")));
    QCOMPARE(plain.object().value(QStringLiteral("text")), status.value(QStringLiteral("text")));
}

void TestSandboxStatuses::entityEdgeCases()
{
    m_sandbox.client(QStringLiteral("bob"));
    ApiClient *alice = m_sandbox.client(QStringLiteral("alice"));
    const QJsonObject status = post(
        alice,
        QStringLiteral("mail@bob.org @nobody @bob: #123 #a1 ä#x #über @bob_smith_is_too_long_"));
    // "mail@bob" follows a letter, @nobody is nobody, @bob: counts, a too long name does not.
    QCOMPARE(selected(status, QStringLiteral("user_mentions")),
             QStringList {QStringLiteral("@bob")});
    // Digits alone are no hashtag; a tag after a letter is none either.
    QCOMPARE(selected(status, QStringLiteral("hashtags")),
             (QStringList {QStringLiteral("#a1"), QStringLiteral("#über")}));
    QCOMPARE(status.value(QStringLiteral("user"))
                 .toObject()
                 .value(QStringLiteral("statuses_count"))
                 .toInt(),
             1);
}

void TestSandboxStatuses::linksAreWrapped()
{
    ApiClient *alice = m_sandbox.client(QStringLiteral("alice"));
    const QString base = m_sandbox.baseUrl().toString();
    const QString longLink =
        QStringLiteral("http://www.example.org/a/rather/long/path/to/a/page?with=query&and=more");
    const QJsonObject first =
        post(alice, QStringLiteral("Read this: ") + longLink + QStringLiteral(". Really."));
    const QJsonObject url = first.value(QStringLiteral("entities"))
                                .toObject()
                                .value(QStringLiteral("urls"))
                                .toArray()
                                .first()
                                .toObject();
    QCOMPARE(url.value(QStringLiteral("expanded_url")).toString(), longLink);
    QCOMPARE(url.value(QStringLiteral("display_url")).toString(),
             QStringLiteral("example.org/a/rather/long/") + QChar(0x2026));
    const QString wrapped = url.value(QStringLiteral("url")).toString();
    // The trailing full stop stayed outside the link.
    QCOMPARE(first.value(QStringLiteral("text")).toString(),
             QStringLiteral("Read this: ") + wrapped + QStringLiteral(". Really."));
    QCOMPARE(wrapped.size(), base.size() + 3 + 5);
    const ApiResponse config =
        m_sandbox.anonymous()->get(QStringLiteral("/1/help/configuration.json"));
    QCOMPARE(config.object().value(QStringLiteral("short_url_length")).toInt(), wrapped.size());

    // The same long link gets the same wrapped link; a wrapped link is kept as it is.
    const QJsonObject second =
        post(alice, QStringLiteral("again ") + longLink + QStringLiteral(" and ") + wrapped);
    const QStringList links = selected(second, QStringLiteral("urls"));
    QCOMPARE(links, (QStringList {wrapped, wrapped}));
    const ApiResponse shortened =
        alice->post(QStringLiteral("/1/links/shorten.json"), {{QStringLiteral("url"), longLink}});
    QCOMPARE(shortened.object().value(QStringLiteral("url")).toString(), wrapped);
    QCOMPARE(shortened.object().value(QStringLiteral("long_url")).toString(), longLink);

    // The wrapped link leads to the long one.
    const ApiResponse redirect = m_sandbox.anonymous()->get(QUrl(wrapped).path());
    QCOMPARE(redirect.status, 301);
    QCOMPARE(QUrl::fromEncoded(redirect.header("Location")).toString(), longLink);
    QCOMPARE(m_sandbox.anonymous()->get(QStringLiteral("/l/ZZZZZZ")).status, 404);

    // A link of 200 characters fits a status once wrapped.
    const QString huge = QStringLiteral("https://example.org/") + QString(180, QLatin1Char('x'));
    QCOMPARE(alice->post(update, {{QStringLiteral("status"), QStringLiteral("long one ") + huge}})
                 .status,
             200);

    for (const QString &bad :
         {QStringLiteral("ftp://example.org/file"), QStringLiteral("not a link"),
          QStringLiteral("http://") + QString(2100, QLatin1Char('a'))}) {
        const ApiResponse r =
            alice->post(QStringLiteral("/1/links/shorten.json"), {{QStringLiteral("url"), bad}});
        QCOMPARE(r.status, 400);
        QCOMPARE(r.error(), QStringLiteral("Invalid parameter: url"));
    }
}

void TestSandboxStatuses::postingRules()
{
    ApiClient *alice = m_sandbox.client(QStringLiteral("alice"));
    ApiResponse r = alice->post(update, {{QStringLiteral("status"), QStringLiteral("   ")}});
    QCOMPARE(r.status, 400);
    QCOMPARE(r.error(), QStringLiteral("Missing parameter: status"));

    // 140 UTF-16 code units: an emoji counts twice.
    const QString exact = QString(138, QLatin1Char('a')) + QStringLiteral("😀");
    QCOMPARE(alice->post(update, {{QStringLiteral("status"), exact}}).status, 200);
    r = alice->post(update, {{QStringLiteral("status"), QStringLiteral("b") + exact}});
    QCOMPARE(r.status, 403);
    QCOMPARE(r.error(), QStringLiteral("Status is over 140 characters."));
    // "&" is one character although it is sent as "&amp;".
    QCOMPARE(
        alice->post(update, {{QStringLiteral("status"), QString(140, QLatin1Char('&'))}}).status,
        200);

    QCOMPARE(alice->post(update, {{QStringLiteral("status"), QStringLiteral("same words")}}).status,
             200);
    r = alice->post(update, {{QStringLiteral("status"), QStringLiteral("same words")}});
    QCOMPARE(r.status, 403);
    QCOMPARE(r.error(), QStringLiteral("Status is a duplicate."));
    // Only the previous status counts.
    QCOMPARE(
        alice->post(update, {{QStringLiteral("status"), QStringLiteral("other words")}}).status,
        200);
    QCOMPARE(alice->post(update, {{QStringLiteral("status"), QStringLiteral("same words")}}).status,
             200);
    // Someone else may say the same.
    QCOMPARE(m_sandbox.client(QStringLiteral("bob"))
                 ->post(update, {{QStringLiteral("status"), QStringLiteral("same words")}})
                 .status,
             200);

    // Control characters are dropped, not stored.
    const QJsonObject clean = post(alice, QStringLiteral("tab\there\x01 and\r\nline"));
    QCOMPARE(clean.value(QStringLiteral("text")).toString(), QStringLiteral("tab\there and\nline"));
    QCOMPARE(clean.value(QStringLiteral("source")).toString(),
             QStringLiteral("<a href=\"http://zirrup.net/download/desktop\" "
                            "rel=\"nofollow\">Zirrup for Desktop</a>"));
}

void TestSandboxStatuses::replyPlaceAndCoordinates()
{
    ApiClient *alice = m_sandbox.client(QStringLiteral("alice"));
    ApiClient *bob = m_sandbox.client(QStringLiteral("bob"));
    const QJsonObject original = post(alice, QStringLiteral("question?"));
    const QString originalId = original.value(QStringLiteral("id_str")).toString();
    const QJsonObject reply = post(bob, QStringLiteral("@alice answer"),
                                   {{QStringLiteral("in_reply_to_status_id"), originalId}});
    QCOMPARE(reply.value(QStringLiteral("in_reply_to_status_id_str")).toString(), originalId);
    QCOMPARE(reply.value(QStringLiteral("in_reply_to_status_id")).toInteger(),
             original.value(QStringLiteral("id")).toInteger());
    QCOMPARE(reply.value(QStringLiteral("in_reply_to_screen_name")).toString(),
             QStringLiteral("alice"));
    QCOMPARE(reply.value(QStringLiteral("in_reply_to_user_id_str")).toString(),
             alice->account().userId);
    QVERIFY(original.value(QStringLiteral("in_reply_to_status_id")).isNull());
    QVERIFY(original.value(QStringLiteral("in_reply_to_status_id_str")).isNull());
    QVERIFY(original.value(QStringLiteral("place")).isNull());

    ApiResponse r = bob->post(
        update,
        {{QStringLiteral("status"), QStringLiteral("to nothing")},
         {QStringLiteral("in_reply_to_status_id"), QStringLiteral("1000000000000009999")}});
    QCOMPARE(r.status, 404);

    // A place from the service's own table.
    const QJsonObject places = m_sandbox.anonymous()
                                   ->get(QStringLiteral("/1/geo/reverse_geocode.json"),
                                         {{QStringLiteral("lat"), QStringLiteral("60.17")},
                                          {QStringLiteral("long"), QStringLiteral("24.94")}})
                                   .object();
    const QJsonObject place = places.value(QStringLiteral("result"))
                                  .toObject()
                                  .value(QStringLiteral("places"))
                                  .toArray()
                                  .first()
                                  .toObject();
    QVERIFY(!place.isEmpty());
    const QJsonObject placed =
        post(bob, QStringLiteral("here"),
             {{QStringLiteral("place_id"), place.value(QStringLiteral("id")).toString()}});
    QCOMPARE(placed.value(QStringLiteral("place")).toObject(), place);
    r = bob->post(update,
                  {{QStringLiteral("status"), QStringLiteral("nowhere")},
                   {QStringLiteral("place_id"), QStringLiteral("0123456789abcdef")}});
    QCOMPARE(r.status, 404);

    const QJsonObject located = post(bob, QStringLiteral("exactly here"),
                                     {{QStringLiteral("lat"), QStringLiteral("60.5")},
                                      {QStringLiteral("long"), QStringLiteral("-24.25")}});
    QCOMPARE(located.value(QStringLiteral("geo"))
                 .toObject()
                 .value(QStringLiteral("coordinates"))
                 .toArray(),
             (QJsonArray {60.5, -24.25}));
    QCOMPARE(located.value(QStringLiteral("coordinates"))
                 .toObject()
                 .value(QStringLiteral("coordinates"))
                 .toArray(),
             (QJsonArray {-24.25, 60.5}));
    r = bob->post(update,
                  {{QStringLiteral("status"), QStringLiteral("half")},
                   {QStringLiteral("lat"), QStringLiteral("60")}});
    QCOMPARE(r.status, 400);
    QCOMPARE(r.error(), QStringLiteral("Missing parameter: long"));
    r = bob->post(update,
                  {{QStringLiteral("status"), QStringLiteral("off")},
                   {QStringLiteral("lat"), QStringLiteral("60")},
                   {QStringLiteral("long"), QStringLiteral("181")}});
    QCOMPARE(r.error(), QStringLiteral("Invalid parameter: long"));
}

void TestSandboxStatuses::pictureUpload()
{
    ApiClient *alice = m_sandbox.client(QStringLiteral("alice"));
    const QByteArray png = SandboxFixture::picture(QSize(800, 600), "PNG");
    const QString caption = QString(119, QLatin1Char('c'));
    ApiResponse r = alice->postMultipart(
        QStringLiteral("/1/statuses/update_with_media.json"),
        {{QStringLiteral("status"), caption},
         {QStringLiteral("include_entities"), QStringLiteral("true")}},
        {{QStringLiteral("media[]"), QStringLiteral("photo.png"), "image/png", png}});
    QCOMPARE(r.status, 200);
    const QJsonObject status = r.object();
    const QJsonObject media = status.value(QStringLiteral("entities"))
                                  .toObject()
                                  .value(QStringLiteral("media"))
                                  .toArray()
                                  .first()
                                  .toObject();
    QCOMPARE(status.value(QStringLiteral("entities"))
                 .toObject()
                 .value(QStringLiteral("urls"))
                 .toArray()
                 .size(),
             0);
    const QString link = media.value(QStringLiteral("url")).toString();
    // The picture's link follows the text after one space.
    QCOMPARE(status.value(QStringLiteral("text")).toString(), caption + QLatin1Char(' ') + link);
    QCOMPARE(selected(status, QStringLiteral("media")), QStringList {link});
    QVERIFY(media.value(QStringLiteral("id_str")).toString().size() == 19);
    QCOMPARE(media.value(QStringLiteral("type")).toString(), QStringLiteral("photo"));
    QCOMPARE(media.value(QStringLiteral("display_url")).toString(),
             QStringLiteral("pic.zirrup.net/") + link.section(QLatin1Char('/'), -1));
    const QJsonObject sizes = media.value(QStringLiteral("sizes")).toObject();
    QCOMPARE(sizes.value(QStringLiteral("thumb")).toObject(),
             (QJsonObject {{QStringLiteral("w"), 150},
                           {QStringLiteral("h"), 150},
                           {QStringLiteral("resize"), QStringLiteral("crop")}}));
    QCOMPARE(sizes.value(QStringLiteral("small")).toObject().value(QStringLiteral("w")).toInt(),
             340);
    QCOMPARE(sizes.value(QStringLiteral("small")).toObject().value(QStringLiteral("h")).toInt(),
             255);
    // Never enlarged.
    QCOMPARE(sizes.value(QStringLiteral("large")).toObject().value(QStringLiteral("w")).toInt(),
             800);

    // The picture comes back as uploaded, and in the other sizes in the same format.
    const QString mediaUrl = media.value(QStringLiteral("media_url")).toString();
    QVERIFY(mediaUrl.endsWith(QStringLiteral(".png")));
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
    QCOMPARE(
        anyone->get(QUrl(mediaUrl).path().replace(QStringLiteral(".png"), QStringLiteral(".jpg")))
            .status,
        404);

    // The link leads to the photo page, which shows the picture.
    const ApiResponse redirect = anyone->get(QUrl(link).path());
    QCOMPARE(redirect.status, 301);
    const QString page = QString::fromUtf8(redirect.header("Location"));
    QCOMPARE(page, media.value(QStringLiteral("expanded_url")).toString());
    QCOMPARE(page,
             m_sandbox.baseUrl().toString() + QStringLiteral("/alice/status/")
                 + status.value(QStringLiteral("id_str")).toString() + QStringLiteral("/photo/1"));
    const ApiResponse html = anyone->get(QUrl(page).path());
    QCOMPARE(html.status, 200);
    QVERIFY(html.body.contains(mediaUrl.toUtf8() + ":large"));

    // With a picture the text may be 21 characters shorter only.
    r = alice->postMultipart(
        QStringLiteral("/1/statuses/update_with_media.json"),
        {{QStringLiteral("status"), caption + QLatin1Char('!')}},
        {{QStringLiteral("media"), QStringLiteral("photo.png"), "image/png", png}});
    QCOMPARE(r.status, 403);
    QCOMPARE(r.error(), QStringLiteral("Status is over 140 characters."));

    // A picture alone is a status; a JPEG stays a JPEG in every size.
    r = alice->postMultipart(QStringLiteral("/1/statuses/update_with_media.json"),
                             {{QStringLiteral("include_entities"), QStringLiteral("1")}},
                             {{QStringLiteral("media"), QStringLiteral("p.jpg"), "image/jpeg",
                               SandboxFixture::picture(QSize(2000, 1000), "JPEG")}});
    QCOMPARE(r.status, 200);
    const QString jpegUrl = r.object()
                                .value(QStringLiteral("entities"))
                                .toObject()
                                .value(QStringLiteral("media"))
                                .toArray()
                                .first()
                                .toObject()
                                .value(QStringLiteral("media_url"))
                                .toString();
    QVERIFY(jpegUrl.endsWith(QStringLiteral(".jpg")));
    const ApiResponse jpegLarge = anyone->get(QUrl(jpegUrl).path() + QStringLiteral(":large"));
    QCOMPARE(jpegLarge.header("Content-Type"), QByteArray("image/jpeg"));
    QCOMPARE(QImage::fromData(jpegLarge.body, "JPEG").size(), QSize(1024, 512));
}

void TestSandboxStatuses::pictureUploadRefusals()
{
    ApiClient *alice = m_sandbox.client(QStringLiteral("alice"));
    const QString path = QStringLiteral("/1/statuses/update_with_media.json");
    const QByteArray png = SandboxFixture::picture(QSize(20, 20), "PNG");
    ApiResponse r =
        alice->postMultipart(path, {{QStringLiteral("status"), QStringLiteral("no picture")}}, {});
    QCOMPARE(r.status, 400);
    QCOMPARE(r.error(), QStringLiteral("Missing parameter: media[]"));
    r = alice->postMultipart(
        path, {},
        {{QStringLiteral("media[]"), QStringLiteral("a.txt"), "image/png", "this is text"}});
    QCOMPARE(r.error(), QStringLiteral("Invalid parameter: media[]"));
    // A picture cut short is no picture.
    const QByteArray jpeg = SandboxFixture::picture(QSize(400, 300), "JPEG");
    r = alice->postMultipart(path, {},
                             {{QStringLiteral("media[]"), QStringLiteral("cut.jpg"), "image/jpeg",
                               jpeg.left(jpeg.size() / 3)}});
    QCOMPARE(r.error(), QStringLiteral("Invalid parameter: media[]"));
    r = alice->postMultipart(
        path, {},
        {{QStringLiteral("media[]"), QStringLiteral("a.png"), "image/png", png},
         {QStringLiteral("media[]"), QStringLiteral("b.png"), "image/png", png}});
    QCOMPARE(r.error(), QStringLiteral("Invalid parameter: media[]"));
    // Over 3 MiB (but within the 5 MiB of a request).
    QByteArray big = png;
    big.append(QByteArray(3 * 1024 * 1024, '\0'));
    r = alice->postMultipart(
        path, {}, {{QStringLiteral("media[]"), QStringLiteral("big.png"), "image/png", big}});
    QCOMPARE(r.status, 400);
    QCOMPARE(r.error(), QStringLiteral("Invalid parameter: media[]"));
    // Nothing was stored by any of these.
    QCOMPARE(alice->get(QStringLiteral("/1/statuses/user_timeline.json")).array().size(), 0);
}

void TestSandboxStatuses::timelinesAndPaging()
{
    ApiClient *alice = m_sandbox.client(QStringLiteral("alice"));
    ApiClient *bob = m_sandbox.client(QStringLiteral("bob"));
    ApiClient *carol = m_sandbox.client(QStringLiteral("carol"));
    QStringList aliceIds;
    for (int i = 0; i < 5; ++i)
        aliceIds.prepend(post(alice, QStringLiteral("alice %1 @bob").arg(i))
                             .value(QStringLiteral("id_str"))
                             .toString());
    const QString carolId =
        post(carol, QStringLiteral("carol here")).value(QStringLiteral("id_str")).toString();
    const QString bobId =
        post(bob, QStringLiteral("bob here")).value(QStringLiteral("id_str")).toString();
    QCOMPARE(bob->post(QStringLiteral("/1/friendships/create.json"),
                       {{QStringLiteral("screen_name"), QStringLiteral("alice")}})
                 .status,
             200);

    const QString home = QStringLiteral("/1/statuses/home_timeline.json");
    // Own and followed statuses, newest first; carol is not followed.
    QCOMPARE(SandboxFixture::ids(bob->get(home).array()), QStringList {bobId} + aliceIds);
    QCOMPARE(SandboxFixture::ids(
                 bob->get(home, {{QStringLiteral("count"), QStringLiteral("2")}}).array()),
             (QStringList {bobId, aliceIds.at(0)}));
    // max_id includes the status it names, so a page's last one starts the next page.
    QCOMPARE(SandboxFixture::ids(bob->get(home,
                                          {{QStringLiteral("count"), QStringLiteral("2")},
                                           {QStringLiteral("max_id"), aliceIds.at(1)}})
                                     .array()),
             aliceIds.mid(1, 2));
    QCOMPARE(
        SandboxFixture::ids(bob->get(home, {{QStringLiteral("since_id"), aliceIds.at(1)}}).array()),
        (QStringList {bobId, aliceIds.at(0)}));
    QCOMPARE(bob->get(home, {{QStringLiteral("since_id"), bobId}}).array().size(), 0);
    QCOMPARE(bob->get(home, {{QStringLiteral("count"), QStringLiteral("0")}}).array().size(), 1);
    QCOMPARE(bob->get(home, {{QStringLiteral("count"), QStringLiteral("5000")}}).array().size(), 6);

    // Ids as numbers and as text, with every digit.
    const QJsonObject first = bob->get(home).array().first().toObject();
    QCOMPARE(QString::number(first.value(QStringLiteral("id")).toInteger()),
             first.value(QStringLiteral("id_str")).toString());
    QVERIFY(first.value(QStringLiteral("id")).toInteger() > 1000000000000000000LL);
    static const QRegularExpression date(
        QStringLiteral("^\\w{3} \\w{3} \\d{2} \\d{2}:\\d{2}:\\d{2} \\+0000 \\d{4}$"));
    QVERIFY(date.match(first.value(QStringLiteral("created_at")).toString()).hasMatch());

    // Mentions: by others only.
    QCOMPARE(SandboxFixture::ids(bob->get(QStringLiteral("/1/statuses/mentions.json")).array()),
             aliceIds);
    QCOMPARE(alice->get(QStringLiteral("/1/statuses/mentions.json")).array().size(), 0);

    // Someone's statuses, by name or id; retweets only with include_rts.
    QCOMPARE(bob->post(QStringLiteral("/1/statuses/retweet/") + carolId + QStringLiteral(".json"))
                 .status,
             200);
    const QString userTimeline = QStringLiteral("/1/statuses/user_timeline.json");
    QCOMPARE(SandboxFixture::ids(
                 carol->get(userTimeline, {{QStringLiteral("screen_name"), QStringLiteral("BOB")}})
                     .array()),
             QStringList {bobId});
    QCOMPARE(carol
                 ->get(userTimeline,
                       {{QStringLiteral("user_id"), bob->account().userId},
                        {QStringLiteral("include_rts"), QStringLiteral("1")}})
                 .array()
                 .size(),
             2);
    QCOMPARE(carol->get(userTimeline, {{QStringLiteral("screen_name"), QStringLiteral("nobody")}})
                 .status,
             404);
    QCOMPARE(
        SandboxFixture::ids(bob->get(QStringLiteral("/1/statuses/retweeted_by_me.json")).array())
            .size(),
        1);
    QCOMPARE(
        SandboxFixture::ids(carol->get(QStringLiteral("/1/statuses/retweets_of_me.json")).array()),
        QStringList {carolId});
    QCOMPARE(alice->get(QStringLiteral("/1/statuses/retweets_of_me.json")).array().size(), 0);
    // The public timeline has everybody's.
    QCOMPARE(carol->get(QStringLiteral("/1/statuses/public_timeline.json")).array().size(), 8);

    // One status.
    const ApiResponse shown = carol->get(QStringLiteral("/1/statuses/show.json"),
                                         {{QStringLiteral("id"), aliceIds.first()}});
    QCOMPARE(shown.object().value(QStringLiteral("text")).toString(),
             QStringLiteral("alice 4 @bob"));
    QCOMPARE(carol
                 ->get(QStringLiteral("/1/statuses/show.json"),
                       {{QStringLiteral("id"), QStringLiteral("1000000000000099999")}})
                 .status,
             404);
}

void TestSandboxStatuses::retweets()
{
    ApiClient *alice = m_sandbox.client(QStringLiteral("alice"));
    ApiClient *bob = m_sandbox.client(QStringLiteral("bob"));
    const QJsonObject original = post(alice, QStringLiteral("worth sharing #qt & more"));
    const QString originalId = original.value(QStringLiteral("id_str")).toString();
    const QString path =
        QStringLiteral("/1/statuses/retweet/") + originalId + QStringLiteral(".json");
    ApiResponse r = bob->post(path, {{QStringLiteral("include_entities"), QStringLiteral("true")}});
    QCOMPARE(r.status, 200);
    const QJsonObject retweet = r.object();
    const QString retweetId = retweet.value(QStringLiteral("id_str")).toString();
    QVERIFY(retweetId != originalId);
    QCOMPARE(retweet.value(QStringLiteral("text")).toString(),
             QStringLiteral("RT @alice: worth sharing #qt &amp; more"));
    QCOMPARE(retweet.value(QStringLiteral("user"))
                 .toObject()
                 .value(QStringLiteral("screen_name"))
                 .toString(),
             QStringLiteral("bob"));
    const QJsonObject inner = retweet.value(QStringLiteral("retweeted_status")).toObject();
    QCOMPARE(inner.value(QStringLiteral("id_str")).toString(), originalId);
    QCOMPARE(inner.value(QStringLiteral("retweet_count")).toInt(), 1);
    QCOMPARE(inner.value(QStringLiteral("retweeted")).toBool(), true);
    // The outer entities describe the outer text.
    QCOMPARE(selected(retweet, QStringLiteral("user_mentions")),
             QStringList {QStringLiteral("@alice")});
    QCOMPARE(selected(retweet, QStringLiteral("hashtags")), QStringList {QStringLiteral("#qt")});

    // Again: the same retweet.
    QCOMPARE(bob->post(path).object().value(QStringLiteral("id_str")).toString(), retweetId);
    // A retweet of the retweet is a retweet of the original.
    QCOMPARE(
        m_sandbox.client(QStringLiteral("carol"))
            ->post(QStringLiteral("/1/statuses/retweet/") + retweetId + QStringLiteral(".json"))
            .object()
            .value(QStringLiteral("retweeted_status"))
            .toObject()
            .value(QStringLiteral("id_str"))
            .toString(),
        originalId);
    r = alice->post(path);
    QCOMPARE(r.status, 403);
    QCOMPARE(bob->post(QStringLiteral("/1/statuses/retweet/1000000000000077777.json")).status, 404);

    // include_my_retweet names the requester's retweet.
    const ApiResponse mine =
        bob->get(QStringLiteral("/1/statuses/show.json"),
                 {{QStringLiteral("id"), originalId},
                  {QStringLiteral("include_my_retweet"), QStringLiteral("true")}});
    QCOMPARE(mine.object()
                 .value(QStringLiteral("current_user_retweet"))
                 .toObject()
                 .value(QStringLiteral("id_str"))
                 .toString(),
             retweetId);
    QCOMPARE(mine.object().value(QStringLiteral("retweeted")).toBool(), true);
    QVERIFY(!bob->get(QStringLiteral("/1/statuses/show.json"), {{QStringLiteral("id"), originalId}})
                 .object()
                 .contains(QStringLiteral("current_user_retweet")));
    QVERIFY(!alice
                 ->get(QStringLiteral("/1/statuses/show.json"),
                       {{QStringLiteral("id"), originalId},
                        {QStringLiteral("include_my_retweet"), QStringLiteral("true")}})
                 .object()
                 .contains(QStringLiteral("current_user_retweet")));

    // Undo: delete the retweet.
    QCOMPARE(bob->post(QStringLiteral("/1/statuses/destroy/") + retweetId + QStringLiteral(".json"))
                 .status,
             200);
    const QJsonObject after =
        bob->get(QStringLiteral("/1/statuses/show.json"), {{QStringLiteral("id"), originalId}})
            .object();
    QCOMPARE(after.value(QStringLiteral("retweeted")).toBool(), false);
    QCOMPARE(after.value(QStringLiteral("retweet_count")).toInt(), 1); // carol's
}

void TestSandboxStatuses::deletion()
{
    ApiClient *alice = m_sandbox.client(QStringLiteral("alice"));
    ApiClient *bob = m_sandbox.client(QStringLiteral("bob"));
    const QString id =
        post(alice, QStringLiteral("short-lived")).value(QStringLiteral("id_str")).toString();
    const QString retweetId =
        bob->post(QStringLiteral("/1/statuses/retweet/") + id + QStringLiteral(".json"))
            .object()
            .value(QStringLiteral("id_str"))
            .toString();
    QCOMPARE(
        bob->post(QStringLiteral("/1/favorites/create/") + id + QStringLiteral(".json")).status,
        200);

    ApiResponse r =
        bob->post(QStringLiteral("/1/statuses/destroy/") + id + QStringLiteral(".json"));
    QCOMPARE(r.status, 403);
    QCOMPARE(r.error(), QStringLiteral("You may not delete another user's status."));
    r = alice->post(QStringLiteral("/1/statuses/destroy/") + id + QStringLiteral(".json"));
    QCOMPARE(r.status, 200);
    QCOMPARE(r.object().value(QStringLiteral("id_str")).toString(), id);
    // Gone, with its retweets and favourites.
    QCOMPARE(bob->get(QStringLiteral("/1/statuses/show.json"), {{QStringLiteral("id"), id}}).status,
             404);
    QCOMPARE(bob->get(QStringLiteral("/1/statuses/show.json"), {{QStringLiteral("id"), retweetId}})
                 .status,
             404);
    QCOMPARE(bob->get(QStringLiteral("/1/favorites.json")).array().size(), 0);
    QCOMPARE(
        alice->post(QStringLiteral("/1/statuses/destroy/") + id + QStringLiteral(".json")).status,
        404);
}

void TestSandboxStatuses::favourites()
{
    ApiClient *alice = m_sandbox.client(QStringLiteral("alice"));
    ApiClient *bob = m_sandbox.client(QStringLiteral("bob"));
    QStringList ids;
    for (int i = 0; i < 3; ++i)
        ids.append(post(alice, QStringLiteral("fav %1").arg(i))
                       .value(QStringLiteral("id_str"))
                       .toString());
    const auto create = [bob](const QString &id) {
        return bob->post(QStringLiteral("/1/favorites/create/") + id + QStringLiteral(".json"));
    };
    ApiResponse r = create(ids.at(1));
    QCOMPARE(r.status, 200);
    QCOMPARE(r.object().value(QStringLiteral("favorited")).toBool(), true);
    QCOMPARE(create(ids.at(1)).object().value(QStringLiteral("favorited")).toBool(), true);
    create(ids.at(0));
    create(ids.at(2));
    // Favouriting a retweet favourites its original.
    const QString retweetId =
        m_sandbox.client(QStringLiteral("carol"))
            ->post(QStringLiteral("/1/statuses/retweet/") + ids.at(0) + QStringLiteral(".json"))
            .object()
            .value(QStringLiteral("id_str"))
            .toString();
    QCOMPARE(create(retweetId).object().value(QStringLiteral("id_str")).toString(), ids.at(0));

    // Most recently favourited first, by page.
    const QString favorites = QStringLiteral("/1/favorites.json");
    const QStringList all = SandboxFixture::ids(bob->get(favorites).array());
    QCOMPARE(all, (QStringList {ids.at(2), ids.at(0), ids.at(1)}));
    QCOMPARE(SandboxFixture::ids(alice
                                     ->get(favorites,
                                           {{QStringLiteral("screen_name"), QStringLiteral("bob")},
                                            {QStringLiteral("count"), QStringLiteral("2")},
                                            {QStringLiteral("page"), QStringLiteral("2")}})
                                     .array()),
             QStringList {ids.at(1)});
    QCOMPARE(alice->get(favorites).array().size(), 0);
    // Another's view of the same status says whether *they* favourited it.
    QCOMPARE(
        alice->get(QStringLiteral("/1/statuses/show.json"), {{QStringLiteral("id"), ids.at(1)}})
            .object()
            .value(QStringLiteral("favorited"))
            .toBool(),
        false);

    r = bob->post(QStringLiteral("/1/favorites/destroy/") + ids.at(1) + QStringLiteral(".json"));
    QCOMPARE(r.object().value(QStringLiteral("favorited")).toBool(), false);
    QCOMPARE(
        bob->post(QStringLiteral("/1/favorites/destroy/") + ids.at(1) + QStringLiteral(".json"))
            .status,
        200);
    QCOMPARE(bob->get(favorites).array().size(), 2);
    QCOMPARE(bob->post(QStringLiteral("/1/favorites/create/1000000000000055555.json")).status, 404);
    QCOMPARE(bob->get(QStringLiteral("/1/users/show.json"),
                      {{QStringLiteral("screen_name"), QStringLiteral("bob")}})
                 .object()
                 .value(QStringLiteral("favourites_count"))
                 .toInt(),
             2);
}

void TestSandboxStatuses::protectedAndBlocked()
{
    ApiClient *alice = m_sandbox.client(QStringLiteral("alice"));
    ApiClient *bob = m_sandbox.client(QStringLiteral("bob"));
    ApiClient *carol = m_sandbox.client(QStringLiteral("carol"));
    // alice is protected; bob is an approved follower, carol only asked.
    QVERIFY(m_sandbox.server()
                ->database()
                ->exec(QStringLiteral("UPDATE users SET protected = 1 WHERE screen_name = 'alice'"))
                .isActive());
    m_sandbox.server()->database()->exec(
        QStringLiteral(
            "INSERT INTO follows (follower_id, followee_id, created_at) VALUES (?, ?, 0)"),
        {bob->account().userId.toLongLong(), alice->account().userId.toLongLong()});
    const ApiResponse asked =
        carol->post(QStringLiteral("/1/friendships/create.json"),
                    {{QStringLiteral("screen_name"), QStringLiteral("alice")}});
    QCOMPARE(asked.object().value(QStringLiteral("following")).toBool(), false);
    QCOMPARE(asked.object().value(QStringLiteral("follow_request_sent")).toBool(), true);

    const QString secret = post(alice, QStringLiteral("for friends only @carol"))
                               .value(QStringLiteral("id_str"))
                               .toString();
    QCOMPARE(
        SandboxFixture::ids(bob->get(QStringLiteral("/1/statuses/home_timeline.json")).array()),
        QStringList {secret});
    QCOMPARE(carol->get(QStringLiteral("/1/statuses/home_timeline.json")).array().size(), 0);
    QCOMPARE(carol->get(QStringLiteral("/1/statuses/mentions.json")).array().size(), 0);
    ApiResponse r = carol->get(QStringLiteral("/1/statuses/user_timeline.json"),
                               {{QStringLiteral("screen_name"), QStringLiteral("alice")}});
    QCOMPARE(r.status, 403);
    QCOMPARE(r.error(), QStringLiteral("Not authorized"));
    QCOMPARE(carol->get(QStringLiteral("/1/statuses/show.json"), {{QStringLiteral("id"), secret}})
                 .status,
             403);
    QCOMPARE(carol->post(QStringLiteral("/1/favorites/create/") + secret + QStringLiteral(".json"))
                 .status,
             403);
    QCOMPARE(
        bob->post(QStringLiteral("/1/statuses/retweet/") + secret + QStringLiteral(".json")).status,
        403);
    QCOMPARE(carol->get(QStringLiteral("/1/statuses/public_timeline.json")).array().size(), 0);
    QCOMPARE(m_sandbox.anonymous()
                 ->get(QStringLiteral("/1/search.json"),
                       {{QStringLiteral("q"), QStringLiteral("friends")}})
                 .object()
                 .value(QStringLiteral("results"))
                 .toArray()
                 .size(),
             0);
    QCOMPARE(bob->get(QStringLiteral("/1/search.json"),
                      {{QStringLiteral("q"), QStringLiteral("friends")}})
                 .object()
                 .value(QStringLiteral("results"))
                 .toArray()
                 .size(),
             1);

    // Blocks hide both ways and end following both ways.
    const QString bobsPost =
        post(bob, QStringLiteral("bob speaks")).value(QStringLiteral("id_str")).toString();
    QCOMPARE(carol
                 ->post(QStringLiteral("/1/friendships/create.json"),
                        {{QStringLiteral("screen_name"), QStringLiteral("bob")}})
                 .status,
             200);
    QCOMPARE(bob->post(QStringLiteral("/1/friendships/create.json"),
                       {{QStringLiteral("screen_name"), QStringLiteral("carol")}})
                 .status,
             200);
    QCOMPARE(carol->get(QStringLiteral("/1/statuses/home_timeline.json")).array().size(), 1);
    r = carol->post(QStringLiteral("/1/blocks/create.json"),
                    {{QStringLiteral("screen_name"), QStringLiteral("bob")}});
    QCOMPARE(r.status, 200);
    QCOMPARE(r.object().value(QStringLiteral("following")).toBool(), false);
    QCOMPARE(bob->get(QStringLiteral("/1/friendships/exists.json"),
                      {{QStringLiteral("user_a"), QStringLiteral("bob")},
                       {QStringLiteral("user_b"), QStringLiteral("carol")}})
                 .object()
                 .value(QStringLiteral("friends"))
                 .toBool(),
             false);
    QCOMPARE(carol->get(QStringLiteral("/1/statuses/public_timeline.json")).array().size(), 0);
    QCOMPARE(carol
                 ->get(QStringLiteral("/1/search.json"),
                       {{QStringLiteral("q"), QStringLiteral("speaks")}})
                 .object()
                 .value(QStringLiteral("results"))
                 .toArray()
                 .size(),
             0);
    QCOMPARE(bob->get(QStringLiteral("/1/statuses/show.json"),
                      {{QStringLiteral("id"),
                        post(carol, QStringLiteral("carol speaks"))
                            .value(QStringLiteral("id_str"))
                            .toString()}})
                 .status,
             403);
    QCOMPARE(bob->post(QStringLiteral("/1/friendships/create.json"),
                       {{QStringLiteral("screen_name"), QStringLiteral("carol")}})
                 .status,
             403);
    QCOMPARE(m_sandbox.anonymous()
                 ->get(QStringLiteral("/1/search.json"),
                       {{QStringLiteral("q"), QStringLiteral("speaks")}})
                 .object()
                 .value(QStringLiteral("results"))
                 .toArray()
                 .size(),
             2);
    // The blocked one's status is still there for others.
    QCOMPARE(alice->get(QStringLiteral("/1/statuses/show.json"), {{QStringLiteral("id"), bobsPost}})
                 .status,
             200);
}

QTEST_MAIN(TestSandboxStatuses)
#include "tst_sandbox_statuses.moc"
