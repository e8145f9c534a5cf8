// What a faulty or hostile server does to what the user sees: broken answers end in notices
// with every busy flag down, a broken or restarted stream runs again and the list catches up,
// and markup in a record is shown, never obeyed.

#include "datahandler.h"
#include "timelineview.h"
#include "zirrupmodel.h"

#include "fakeserver.h"
#include "scriptedcontroller.h"
#include "testsupport.h"

#include <QQmlComponent>
#include <QQmlContext>
#include <QQmlEngine>
#include <QQuickItem>
#include <QQuickView>
#include <QTemporaryDir>
#include <QtTest>

namespace {
// The tweet ids of the rows, newest first, as one text.
QString timelineIds(ZirrupModel *model)
{
    QStringList ids;
    for (int row = 0; row < model->rowCount(); ++row)
        ids.append(model->get(row).value(QStringLiteral("tweetid")).toString());
    return ids.join(QLatin1Char(' '));
}

bool anyPath(const QList<HttpRequest> &requests, const QString &path)
{
    return std::any_of(requests.cbegin(), requests.cend(),
                       [&](const HttpRequest &request) { return request.path == path; });
}

// Signs in through the controller with the real client library, quick to give up.
void signIn(ScriptedController &c)
{
    c.handler()->setBackendFactory([](const QStringList &v, QObject *parent) {
        auto *backend =
            new Zr::Zirrup(v.at(0), v.at(1), v.at(2), v.at(3), v.at(4), v.at(5), parent);
        backend->setRequestTimeout(400);
        backend->setStreamSilenceTimeout(1500);
        return backend;
    });
    c.start(true);
    QTRY_COMPARE(c.login()->loginCount(), 1);
    c.signIn();
}
} // namespace

class TestHostile : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init()
    {
        // Every case starts without the records an earlier one left in the backend's cache.
        cache.reset(new QTemporaryDir);
        qputenv("XDG_CACHE_HOME", cache->path().toLocal8Bit());
    }
    // Every kind of broken answer is the same one error of the library (tests/backend): what
    // the user sees of one.
    void brokenAnswersBecomeNotices()
    {
        server->setHandler([](const HttpRequest &) { return HttpResponse::json("[{\"id\":,]"); });
        ScriptedController c;
        signIn(c);
        // Home, mentions and messages all fail: every flag comes down, one notice says so.
        auto notices = [&c] {
            QStringList texts;
            for (const ScriptedView::RootCall &call : c.view().calls()) {
                if (call.name == QLatin1String("showError"))
                    texts.append(call.args.value(0).toString());
            }
            return texts;
        };
        QTRY_VERIFY(notices().contains(qtTrId("qtn_zirrup_error_retrieve_tweets")));
        QTRY_COMPARE(c.contextProperty("timelineview_is_refreshing").toBool(), false);
        QTRY_COMPARE(c.contextProperty("mentions_is_refreshing").toBool(), false);
        QTRY_COMPARE(c.contextProperty("messagesview_loading").toBool(), false);
        QCOMPARE(c.handler()->timelineView()->timelineModel()->rowCount(), 0);
        // The failed stream is retried later, online.
        QTRY_VERIFY(c.handler()->throttlingTimer()->isActive());
    }
    void streamRunsAgainAndTheListCatchesUp()
    {
        QMap<QByteArray, QByteArray> home {{"1000000000000000001", "first"}};
        server->setHandler([&](const HttpRequest &request) {
            if (request.path == QLatin1String("/1/user_stream.json")) {
                HttpResponse stream;
                stream.mode = HttpResponse::Stream;
                return stream;
            }
            if (request.path == QLatin1String("/1/statuses/home_timeline.json")) {
                // Newest first, and only what is newer than since_id, as the service does (the
                // ids have one length, so they sort as text).
                const QByteArray since = request.query().value(QStringLiteral("since_id")).toUtf8();
                QList<QByteArray> newestFirst;
                for (auto it = home.cbegin(); it != home.cend(); ++it) {
                    if (it.key() > since)
                        newestFirst.prepend(statusJson(it.key(), it.value()));
                }
                return HttpResponse::json("[" + newestFirst.join(',') + "]");
            }
            return HttpResponse::json("[]");
        });

        ScriptedController c;
        QSignalSpy opened(server, &FakeServer::streamOpened);
        signIn(c);
        QVERIFY(opened.wait());
        ZirrupModel *model = c.handler()->timelineView()->timelineModel();
        QTRY_COMPARE(timelineIds(model), QStringLiteral("1000000000000000001"));
        QTimer *throttle = c.handler()->throttlingTimer();

        // An object cut off in the middle, and a line that never ends: the stream gives up.
        home.insert("1000000000000000002", "missed while cut off");
        server->sendStreamData("{\"id_str\":\"1000000000000000002\",\"text\":\"mis");
        // Up to 64 MB, sent as fast as the client takes it, until the client gives up.
        const QByteArray garbage(1024 * 1024, 'x');
        QSignalSpy closed(server, &FakeServer::streamClosedByClient);
        for (int i = 0; i < 64 && closed.isEmpty(); ++i) {
            server->sendStreamData(garbage);
            closed.wait(200);
        }
        QVERIFY(!closed.isEmpty());
        QTRY_VERIFY(throttle->isActive());
        // The retry the timer would make 65 s later.
        throttle->stop();
        c.handler()->onThrottlingTimerTriggered();
        QVERIFY(opened.wait());
        QTRY_COMPARE(timelineIds(model), QStringLiteral("1000000000000000002 1000000000000000001"));

        // The server drops the stream mid-object (a refused stream is a broken answer above).
        home.insert("1000000000000000003", "missed while restarting");
        server->sendStreamData("{\"id_str\":\"1000000000000000003\",\"te");
        server->dropStream();
        QTRY_VERIFY(throttle->isActive());
        throttle->stop();
        c.handler()->onThrottlingTimerTriggered();
        QVERIFY(opened.wait());
        QTRY_COMPARE(timelineIds(model),
                     QStringLiteral("1000000000000000003 1000000000000000002 1000000000000000001"));

        // Live again: what the stream brings shows at once.
        server->sendStreamData("{\"home_status\":" + statusJson("1000000000000000004", "live")
                               + "}\r\n");
        QTRY_VERIFY(timelineIds(model).startsWith(
            QLatin1String("1000000000000000004 1000000000000000003")));
    }
    void markupInARecordFetchesNothing()
    {
        const QString pixel = QStringLiteral("/hostile/pixel.png");
        const QByteArray image = "<img src=\\\"" + server->baseUrl().toString().toUtf8()
            + pixel.toUtf8() + "\\\"> &lt;3";
        server->setHandler([&](const HttpRequest &request) {
            if (request.path == QLatin1String("/1/statuses/home_timeline.json"))
                return HttpResponse::json("[" + statusJson("1000000000000000007", image) + "]");
            return HttpResponse::json("[]");
        });
        ScriptedController c;
        signIn(c);
        ZirrupModel *model = c.handler()->timelineView()->timelineModel();
        QTRY_COMPARE(model->rowCount(), 1);
        const QString desc = model->get(0).value(QStringLiteral("desc")).toString();
        QVERIFY2(desc.contains(QLatin1String("&lt;3")), qPrintable(desc));

        // The tweet page's rich text, and after it an image of our own to know that pictures load.
        QQuickView view;
        view.rootContext()->setContextProperty(QStringLiteral("dataHandler"), c.handler());
        view.rootContext()->setContextProperty(QStringLiteral("hostileText"), desc);
        view.rootContext()->setContextProperty(
            QStringLiteral("controlText"),
            QStringLiteral("<img src=\"%1/control.png\">").arg(server->baseUrl().toString()));
        QQmlComponent component(view.engine());
        // Beside the program's pages, so that it finds HighlightText as they do.
        component.setData("import QtQuick\n"
                          "Column {\n"
                          "    width: 480\n"
                          "    HighlightText { width: 480; text: hostileText }\n"
                          "    Text { textFormat: Text.RichText; text: controlText }\n"
                          "}\n",
                          QUrl(QStringLiteral("qrc:/resources/qml/HostileProbe.qml")));
        QScopedPointer<QQuickItem> root(
            qobject_cast<QQuickItem *>(component.create(view.rootContext())));
        QVERIFY2(root, qPrintable(component.errorString()));
        root->setParentItem(view.contentItem());
        view.show();
        QTRY_VERIFY(anyPath(server->requests(), QStringLiteral("/control.png")));
        QVERIFY(!anyPath(server->requests(), pixel));
    }

private:
    FakeServer *server = cannedService(this);
    QScopedPointer<QTemporaryDir> cache;
};

QTEST_MAIN(TestHostile)
#include "tst_hostile.moc"
