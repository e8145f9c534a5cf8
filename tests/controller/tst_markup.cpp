#include "datahandler.h"

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
    void entitiesOfEveryKind();
    void untrustedEntitiesCannotBreakTheText();
    void rawMarkupIsShownNotObeyed_data();
    void rawMarkupIsShownNotObeyed();
    void mediaThumbnailsAreRequested();
    void bareWordsAndMentions();
    void rightToLeftTextIsCutIntoRuns();
    void clientNameOfTheSource();
    void linkClicksByPrefix();
};

void TestMarkup::entitiesOfEveryKind()
{
    ScriptedController c;
    const QString shortLink = QStringLiteral("http://127.0.0.1:8123/l/Xy12Q");
    const QString mediaLink = QStringLiteral("http://127.0.0.1:8123/l/Pq7Rz");
    QString text = QStringLiteral("@Bob see ") + shortLink + QStringLiteral(" &amp; #qt ")
        + mediaLink + QStringLiteral(" http://127.0.0.1:8123/l/Zz9");
    const QVariantMap entities = {
        {"urls",
         QVariantList {
             entity(9, 38, {{"url", shortLink}, {"expanded_url", "http://example.org/a"}}),
             // Same start as the media: the media win.
             entity(49, 78, {{"url", mediaLink}, {"expanded_url", "http://lost.org"}}),
             entity(79, 106, {{"url", "http://127.0.0.1:8123/l/Zz9"}})}},
        // Same start as the mention: the mention wins.
        {"hashtags",
         QVariantList {entity(0, 4, {{"text", "lost"}}), entity(45, 48, {{"text", "qt"}})}},
        {"user_mentions", QVariantList {entity(0, 4, {{"screen_name", "bob"}})}},
        {"media",
         QVariantList {
             entity(49, 78, {{"url", mediaLink}, {"display_url", "pic.zirrup.net/Pq7Rz"}})}},
    };
    c.handler()->parseEntities(entities, text);

    QCOMPARE(
        text,
        QStringLiteral("<a href=\"@Bob\" style=\"text-decoration:none; color:#4d6980\">@bob</a>"
                       " see ")
            + a(shortLink, "http://example.org/a") + " &amp; " + a("#qt", "#qt") + " "
            + a(mediaLink, "pic.zirrup.net/Pq7Rz")
            + " "
            // Without an expanded link the short link is shown.
            + a("http://127.0.0.1:8123/l/Zz9", "http://127.0.0.1:8123/l/Zz9"));

    // Positions count UTF-16 code units: the emoji takes two.
    QString emoji = QStringLiteral("\U0001F600 #qt");
    c.handler()->parseEntities({{"hashtags", QVariantList {entity(3, 6, {{"text", "qt"}})}}},
                               emoji);
    QCOMPARE(emoji, QStringLiteral("\U0001F600 ") + a("#qt", "#qt"));
}

void TestMarkup::untrustedEntitiesCannotBreakTheText()
{
    ScriptedController c;
    // Past the end, before the start, into an entity already applied, without positions.
    QString text = QStringLiteral("hello #qt and more");
    c.handler()->parseEntities(
        {{"hashtags",
          QVariantList {entity(6, 9, {{"text", "qt"}}), entity(-3, 2, {{"text", "x"}}),
                        entity(4, 8, {{"text", "overlap"}})}},
         {"urls", QVariantList {entity(15, 40, {{"url", "http://reaches.past/the/end"}})}},
         {"user_mentions", QVariantList {QVariantMap {{"screen_name", "noindices"}}}}},
        text);
    QCOMPARE(text, "hello " + a("#qt", "#qt") + " and more");

    // Markup in a link or its display is escaped; references already there are kept.
    const QString evil = QStringLiteral("http://t.example/x\"onmouseover=\"go()");
    text = evil + QStringLiteral(" http://t.example/y");
    c.handler()->parseEntities(
        {{"urls",
          QVariantList {entity(0, 0, {{"url", evil}, {"expanded_url", "<b>x</b> & y"}}),
                        entity(int(evil.size()) + 1, 0,
                               {{"url", "http://t.example/y"},
                                {"expanded_url", "http://a.org/?a=1&amp;b=&#39;2&#39;"}})}}},
        text);
    QCOMPARE(text,
             a("http://t.example/x&quot;onmouseover=&quot;go()", "&lt;b&gt;x&lt;/b&gt; &amp; y")
                 + " " + a("http://t.example/y", "http://a.org/?a=1&amp;b=&#39;2&#39;"));
    // The rich-text pieces keep each anchor whole, whatever blanks it holds (found by fuzzing).
    const QStringList pieces = c.handler()->splitText(text);
    QCOMPARE(pieces.join(QLatin1Char('|')), text.replace(" <a", "| |<a"));
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
