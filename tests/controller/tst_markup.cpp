#include "datahandler.h"

#include "fixturefile.h"
#include "scriptedcontroller.h"

#include <QDesktopServices>
#include <QtTest>

namespace {
QString a(const QString &target, const QString &display)
{
    return QStringLiteral("<a href=\"%1\" style=\"text-decoration:none; color:#4d6980\">%2</a>")
        .arg(target, display);
}

QVariantMap entity(int start, int end, const QVariantMap &fields = {})
{
    QVariantMap map = fields;
    map.insert(QStringLiteral("indices"), QVariantList {start, end});
    return map;
}

// Receives the web links the controller opens.
class LinkCatcher : public QObject
{
    Q_OBJECT
public:
    QList<QUrl> opened;
public Q_SLOTS:
    void open(const QUrl &url) { opened.append(url); }
};
} // namespace

class TestMarkup : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void entities_data();
    void entities();
    void rawMarkupIsShownNotObeyed_data();
    void rawMarkupIsShownNotObeyed();
    void mediaThumbnailsAreRequested();
    void bareWordsAndMentions();
    void rightToLeftTextIsCutIntoRuns();
    void clientNameOfTheSource();
    void linkClicksByPrefix();
};

void TestMarkup::entities_data()
{
    QTest::addColumn<QVariantMap>("entities");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QStringList>("pieces");
    for (const QVariant &row : fixtureFile("entities.json").toList()) {
        const QVariantMap c = row.toMap();
        QTest::newRow(qPrintable(c.value("tag").toString()))
            << c.value("entities").toMap() << c.value("text").toString()
            << c.value("shown").toString() << c.value("pieces").toStringList();
    }
}

void TestMarkup::entities()
{
    QFETCH(QVariantMap, entities);
    QFETCH(QString, text);
    QFETCH(QString, shown);
    QFETCH(QStringList, pieces);
    ScriptedController c;
    c.handler()->parseEntities(entities, text);
    QCOMPARE(text, shown);
    // The rich-text pieces keep each anchor whole, whatever blanks it holds (found by fuzzing).
    if (!pieces.isEmpty())
        QCOMPARE(c.handler()->splitText(text), pieces);
}

void TestMarkup::rawMarkupIsShownNotObeyed_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("shown");
    QTest::newRow("image") << QStringLiteral("<img src=\"http://127.0.0.1:1/x.png\">")
                           << QStringLiteral("&lt;img src=\"http://127.0.0.1:1/x.png\"&gt;");
    QTest::newRow("service escaped")
        << QStringLiteral("&lt;3 &amp; &#39;x&#39;") << QStringLiteral("&lt;3 &amp; &#39;x&#39;");
    QTest::newRow("lone brackets")
        << QStringLiteral("a < b > c") << QStringLiteral("a &lt; b &gt; c");
    QTest::newRow("forged anchor")
        << QStringLiteral("<a href=\"x\" style=\"text-decoration:none; color:#4d6980\">y</a>")
        << QStringLiteral(
               "&lt;a href=\"x\" style=\"text-decoration:none; color:#4d6980\"&gt;y&lt;/a&gt;");
}

void TestMarkup::rawMarkupIsShownNotObeyed()
{
    QFETCH(QString, text);
    QFETCH(QString, shown);
    ScriptedController c;
    DataHandler *h = c.handler();

    // Without entities, and around them.
    QString plain = text;
    h->parseEntities({}, plain);
    QCOMPARE(plain, shown);
    QString tagged = text + QStringLiteral(" #qt ") + text;
    const int at = int(text.size()) + 1;
    h->parseEntities({{"hashtags", QVariantList {entity(at, at + 3, {{"text", "qt"}})}}}, tagged);
    const QString expected = shown + " " + a("#qt", "#qt") + " " + shown;
    QCOMPARE(tagged, expected);
    // What QML hands back is made harmless again, our own anchors kept.
    QCOMPARE(h->findLinks(tagged), expected);
    QCOMPARE(h->findLinks(plain + QStringLiteral(" #qt")), shown + " " + a("#qt", "#qt"));
    QCOMPARE(h->splitText(plain).join(QString()), shown);
    QCOMPARE(h->splitText(tagged).join(QString()), expected);
}

void TestMarkup::mediaThumbnailsAreRequested()
{
    ScriptedController c;
    c.start(false);
    ScriptedBackend *backend = c.backend();
    const QVariantMap media =
        entity(5, 10,
               {{"url", "http://s/l/Pq"},
                {"id", "1000000000000900001"},
                {"display_url", "pic"},
                {"media_url", "http://s/media/pics/1000000000000900001.jpg"}});
    QString text = QStringLiteral("look http://s/l/Pq");
    c.handler()->parseEntities({{"media", QVariantList {media}}}, text, true);
    const ScriptedCall request = backend->lastCall("retrieveTinyUrlImage");
    QCOMPARE(request.args,
             (Zr::ArgMap {{"direct_url", "1"},
                          {"image_id", "1000000000000900001"},
                          {"image_url", "http://s/media/pics/1000000000000900001.jpg:thumb"},
                          {"as_thumb", "1"}}));
    QCOMPARE(c.contextProperty("tinyurl_thumb_loading").toBool(), true);

    // A request that did not go out holds nothing up.
    c.handler()->setContextProperty(QStringLiteral("tinyurl_thumb_loading"), false);
    backend->setResult(QStringLiteral("retrieveTinyUrlImage"), Zr::RequestFailed);
    QVariantMap other = media;
    other.insert(QStringLiteral("media_url"), QStringLiteral("http://s/media/pics/2.jpg"));
    c.handler()->parseEntities({{"media", QVariantList {other}}}, text, true);
    QCOMPARE(backend->callCount(QStringLiteral("retrieveTinyUrlImage")), 2);
    QCOMPARE(c.contextProperty("tinyurl_thumb_loading").toBool(), false);
}

void TestMarkup::bareWordsAndMentions()
{
    ScriptedController c;
    DataHandler *h = c.handler();
    QCOMPARE(h->findLinks(QStringLiteral("#qt: see http://x.org/a, @bob HTTP://y.org")),
             a("#qt", "#qt") + ": see " + a("http://x.org/a,", "http://x.org/a,")
                 + " @bob HTTP://y.org");
    QCOMPARE(h->findLinks(QStringLiteral("by @bob:"), false), "by " + a("@bob", "@bob") + ":");
    // Two blanks leave an empty word between them; other blanks come back as spaces.
    QCOMPARE(h->findLinks(QStringLiteral("one  two\tthree\n#four")),
             "one  two three " + a("#four", "#four"));
    QCOMPARE(h->findLinks(QStringLiteral("http://x.org/\"x")),
             a("http://x.org/&quot;x", "http://x.org/&quot;x"));

    c.start(true);
    c.signIn(QStringLiteral("Alice"));
    QCOMPARE(h->getMentions(QStringLiteral("@ALICE @bob hi  @Carol\t@bob bob@x @alice"),
                            QStringLiteral("@carol")),
             QStringLiteral("@bob @bob "));
}

void TestMarkup::rightToLeftTextIsCutIntoRuns()
{
    ScriptedController c;
    DataHandler *h = c.handler();
    QVERIFY(!h->hasRightToLeftText(QStringLiteral("plain words http://x.org")));
    QVERIFY(h->hasRightToLeftText(QStringLiteral("visit مرحبا http://x.org")));
    QVERIFY(h->hasRightToLeftText(QStringLiteral("שלום")));
    QVERIFY(!h->hasRightToLeftText(QString()));

    const QString tag = a("#qt", "#qt");
    QCOMPARE(h->splitText("hello " + tag + " world"), (QStringList {"hello ", tag, " ", "world"}));
    QCOMPARE(h->splitText("hello " + tag + " world", true),
             (QStringList {"world", " ", tag, "hello "}));
    QCOMPARE(h->splitText(tag + "," + tag), (QStringList {tag, ",", tag}));

    // In a right-to-left text the left-to-right runs come out reversed, set off by a blank.
    const QString hebrewTag = a("#חדשות", "#חדשות");
    QCOMPARE(h->splitText("see " + hebrewTag + " שלום עולם now"),
             (QStringList {" ", hebrewTag, "see ", " ", "שלום ", "עולם ", "now"}));
    QCOMPARE(h->splitText(QStringLiteral("مرحبا بكم a b")),
             (QStringList {"مرحبا ", "بكم ", "b", "a "}));
    QCOMPARE(h->splitText(QString()), QStringList());
}

void TestMarkup::clientNameOfTheSource()
{
    ScriptedController c;
    const QString desktop = QStringLiteral("Zirrup for Desktop");
    const QList<QPair<QString, QString>> sources = {
        {"<a href=\"http://zirrup.net/download/desktop\" rel=\"nofollow\">Zirrup for Desktop</a>",
         desktop},
        {"&lt;a href=&quot;http://zirrup.net/download/desktop&quot; rel=&quot;nofollow&quot;&gt;"
         "Zirrup for Desktop&lt;/a&gt;",
         desktop},
        {"<a href=\"http://zirrup.net\" rel=\"nofollow\">Site</a>", "web"},
        {"web", "web"},
        {"some client", "some"},
        {"", ""},
    };
    for (const auto &[source, name] : sources)
        QCOMPARE(c.handler()->parseSourceName(source), name);
}

void TestMarkup::linkClicksByPrefix()
{
    ScriptedController c;
    LinkCatcher catcher;
    QDesktopServices::setUrlHandler(QStringLiteral("http"), &catcher, "open");
    QDesktopServices::setUrlHandler(QStringLiteral("https"), &catcher, "open");
    DataHandler *h = c.handler();

    // Nothing happens before the window exists.
    QCOMPARE(h->linkClicked(QStringLiteral("http://x.org")), false);
    QVERIFY(catcher.opened.isEmpty());

    c.start(false);
    QCOMPARE(h->linkClicked(QStringLiteral("@Bob")), false);
    QCOMPARE(h->currentUser(), QStringLiteral("bob"));
    QCOMPARE(c.view().lastArguments("nextPage"), (QVariantList {"ProfileView.qml", false}));

    QCOMPARE(h->linkClicked(QStringLiteral("$1000000000000000123")), false);
    QCOMPARE(h->currentTweetId(), QStringLiteral("1000000000000000123"));
    QCOMPARE(c.view().lastArguments("nextPage"), (QVariantList {"TweetView.qml", false}));

    QCOMPARE(h->linkClicked(QStringLiteral("#qt")), false);
    QCOMPARE(c.view().lastArguments("nextPage"), (QVariantList {"SearchView.qml", false}));

    // Anchors hold links as attribute text; the browser gets the link itself.
    QCOMPARE(h->linkClicked(QStringLiteral("https://x.org/?a=1&amp;b=2")), true);
    QCOMPARE(catcher.opened, (QList<QUrl> {QUrl("https://x.org/?a=1&b=2")}));

    const int pages = c.view().callCount("nextPage");
    QCOMPARE(h->linkClicked(QStringLiteral("ftp://x.org")), false);
    QCOMPARE(h->linkClicked(QStringLiteral("HTTP://x.org")), false);
    QCOMPARE(c.view().callCount("nextPage"), pages);
    QCOMPARE(catcher.opened.size(), 1);

    QDesktopServices::unsetUrlHandler(QStringLiteral("http"));
    QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
}

QTEST_MAIN(TestMarkup)
#include "tst_markup.moc"
