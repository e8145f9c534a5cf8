#include "scenariorunner.h"

#include "database.h"
#include "librarycall.h"
#include "streamhub.h"

#include <QBuffer>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QRegularExpression>
#include <QTcpSocket>
#include <QtTest>

using namespace Qt::StringLiterals;

static QString text(const QJsonValue &value)
{
    if (value.isString())
        return value.toString();
    if (value.isDouble())
        return QString::number(value.toInteger());
    if (value.isBool())
        return value.toBool() ? u"true"_s : u"false"_s;
    const QJsonDocument document =
        value.isArray() ? QJsonDocument(value.toArray()) : QJsonDocument(value.toObject());
    return QString::fromUtf8(document.toJson(QJsonDocument::Compact));
}

static QByteArray picture(const QJsonArray &shape)
{
    QImage image(shape.at(0).toInt(), shape.at(1).toInt(), QImage::Format_RGB32);
    image.fill(Qt::red);
    QPainter(&image).fillRect(0, 0, image.width() / 2, image.height() / 2, Qt::blue);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, qPrintable(shape.at(2).toString()));
    return bytes;
}

void ScenarioRunner::addRows(const QString &fileName)
{
    QFile file(QDir(QStringLiteral(ZIRRUP_SCENARIO_DIR)).filePath(fileName));
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(
        file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray(), &error);
    if (error.error != QJsonParseError::NoError)
        QFAIL(qPrintable(u"%1: %2 at %3"_s.arg(fileName, error.errorString()).arg(error.offset)));
    for (const QJsonValue &scenario : document.array())
        QTest::newRow(qPrintable(scenario[u"name"_s].toString())) << scenario.toObject();
}

bool ScenarioRunner::fail(const QString &what)
{
    if (m_failure.isEmpty())
        m_failure = what;
    return false;
}

QString ScenarioRunner::arg(const QJsonObject &s, const char *key)
{
    return subst(s.value(QLatin1String(key)).toString());
}

bool ScenarioRunner::run(const QJsonObject &scenario)
{
    m_failure.clear();
    const QJsonObject given = scenario.value(u"options"_s).toObject();
    // "continue": go on in the world the previous scenario left, with its users and values.
    if (!given.value(u"continue"_s).toBool() || !m_world) {
        m_world.reset(new World);
        // Signing times are given relative to the start of the scenario.
        m_world->vars = {{u"now"_s, QString::number(QDateTime::currentSecsSinceEpoch())}};
        SandboxOptions options;
        options.memory = true;
        options.port = 0;
        options.seed = given.value(u"seed"_s).toBool();
        options.keepAliveMs = given.value(u"keepAliveMs"_s).toInt(options.keepAliveMs);
        options.clockOffsetSeconds = given.value(u"clockOffset"_s).toInteger();
        m_world->server = std::make_unique<SandboxServer>();
        QString error;
        if (!server()->start(options, &error))
            return fail(error);
        Zr::setServiceUrl(baseUrl());
    }
    const QJsonArray steps = scenario.value(u"steps"_s).toArray();
    for (int i = 0; i < steps.size(); ++i) {
        if (!step(steps.at(i).toObject()) || !m_failure.isEmpty()) {
            m_failure = u"step %1 %2\n    %3"_s.arg(i).arg(text(steps.at(i)).left(300), m_failure);
            return false;
        }
    }
    return true;
}

bool ScenarioRunner::step(const QJsonObject &s)
{
    if (s.contains(u"repeat"_s)) {
        QJsonObject once = s;
        once.remove(u"repeat"_s);
        for (int i = 0; i < s.value(u"repeat"_s).toInt(); ++i) {
            m_world->vars.insert(u"i"_s, QString::number(i));
            if (!step(once))
                return false;
        }
        return true;
    }
    if (s.contains(u"sql"_s)) {
        QVariantList binds;
        for (const QJsonValue &bind : s.value(u"bind"_s).toArray()) {
            bool isNumber = false;
            const QString value = subst(text(bind));
            binds.append(value.toLongLong(&isNumber));
            if (!isNumber)
                binds.last() = value;
        }
        const QVariant value = server()->database()->scalar(arg(s, "sql"), binds);
        if (s.contains(u"keep"_s))
            m_world->vars.insert(arg(s, "keep"), value.toString());
        return check(QJsonValue::fromVariant(value), s.value(u"expect"_s).toObject());
    }
    if (s.contains(u"raw"_s))
        return raw(s);
    if (s.contains(u"users"_s)) {
        // Signed in ahead, so that others can name them.
        for (const QJsonValue &name : s.value(u"users"_s).toArray())
            client(name.toString());
        return true;
    }
    if (s.contains(u"createUser"_s))
        return server()->createUser(arg(s, "createUser"), arg(s, "password")) || fail(u"no"_s);
    if (s.contains(u"deleteUser"_s))
        return server()->deleteUser(arg(s, "deleteUser")) || fail(u"no such account"_s);
    if (s.contains(u"signIn"_s) || s.contains(u"forge"_s)) {
        // A new session, signed in; or forged: another's account, its token or secret changed.
        auto session = std::make_unique<ApiClient>(baseUrl());
        ApiResponse answer;
        if (s.contains(u"forge"_s)) {
            SandboxAccount account = client(arg(s, "from"))->account();
            account.token = s.contains(u"token"_s) ? arg(s, "token").toLatin1() : account.token;
            account.tokenSecret = s.contains(u"tokenSecret"_s) ? arg(s, "tokenSecret").toLatin1()
                                                               : account.tokenSecret;
            session->setAccount(account);
        } else {
            session->setClockOffset(s.value(u"clockOffset"_s).toInteger());
            session->signIn(arg(s, "signIn"), arg(s, "password"), &answer);
            session->setClockOffset(0);
        }
        m_world->clients[arg(s, "session") + arg(s, "forge")] = std::move(session);
        return s.contains(u"forge"_s) || answered(answer, s);
    }
    if (s.contains(u"backend"_s))
        return backend(s);
    if (s.contains(u"from"_s) || s.contains(u"open"_s) || s.contains(u"noStreams"_s))
        return stream(s);
    return request(s);
}

// "" is nobody; "alice" is alice, signed in with password "alice-pw" (the account is made on
// first use); "alice#2" is a second sign-in of alice; other names are sessions made by steps.
ApiClient *ScenarioRunner::client(const QString &name)
{
    std::unique_ptr<ApiClient> &known = m_world->clients[name];
    if (known)
        return known.get();
    known = std::make_unique<ApiClient>(baseUrl());
    ApiClient *made = known.get();
    const QString user = name.section(QLatin1Char('#'), 0, 0);
    if (user.isEmpty())
        return made;
    if (user == name)
        server()->createUser(user, user + u"-pw"_s);
    if (!made->signIn(user, user + u"-pw"_s).isValid())
        fail(u"cannot sign in as "_s + user);
    return made;
}

QString ScenarioRunner::subst(const QString &input)
{
    static const QRegularExpression pattern(u"\\$\\{([^{}]*)\\}"_s);
    static const QRegularExpression repeat(u"^(\\d+)\\*(.*)$"_s,
                                           QRegularExpression::DotMatchesEverythingOption);
    QString out = input;
    // The innermost first, so that a repetition may hold a replacement.
    for (QRegularExpressionMatch m; (m = pattern.match(out)).hasMatch();) {
        const QString name = m.captured(1);
        const QString var = name.section(QLatin1Char('|'), 0, 0);
        const QStringList parts = var.split(QLatin1Char(':'));
        const QString edit = name.section(QLatin1Char('|'), 1); // ${name|from=to}
        QString value;
        if (const QRegularExpressionMatch r = repeat.match(name); r.hasMatch())
            value = r.captured(2).repeated(r.captured(1).toInt());
        else if (var == u"base" || var == u"port")
            value = var == u"base" ? baseUrl().toString() : QString::number(baseUrl().port());
        else if (parts.first() == u"uid" && parts.size() == 2)
            value = client(parts.at(1))->account().userId;
        else if (parts.first() == u"auth" && parts.size() == 4)
            value = QString::fromLatin1(client(parts.at(1))
                                            ->authorization(parts.at(2).toLatin1(),
                                                            baseUrl().resolved(QUrl(parts.at(3))),
                                                            {}, {}));
        else if (m_world->vars.contains(var))
            value = m_world->vars.value(var);
        else
            fail(u"nothing kept as ${%1}"_s.arg(name));
        if (!repeat.match(name).hasMatch() && !edit.isEmpty())
            value.replace(edit.section(QLatin1Char('='), 0, 0), edit.section(QLatin1Char('='), 1));
        out.replace(m.capturedStart(), m.capturedLength(), value);
    }
    return out;
}

QJsonValue ScenarioRunner::subst(const QJsonValue &value)
{
    if (value.isString())
        return subst(value.toString());
    if (value.isArray()) {
        QJsonArray out;
        for (const QJsonValue &item : value.toArray())
            out.append(subst(item));
        return out;
    }
    QJsonObject out;
    const QJsonObject in = value.toObject();
    for (auto it = in.begin(); it != in.end(); ++it)
        out.insert(subst(it.key()), subst(it.value()));
    return value.isObject() ? QJsonValue(out) : value;
}

// An object, or an array of [name, value] pairs where order or repetition matters.
Params ScenarioRunner::params(const QJsonValue &value)
{
    Params out;
    const QJsonObject object = value.toObject();
    for (auto it = object.begin(); it != object.end(); ++it)
        out.append({subst(it.key()), subst(text(it.value()))});
    for (const QJsonValue &pair : value.toArray())
        out.append({subst(pair[0].toString()), subst(text(pair[1]))});
    return out;
}

QByteArray ScenarioRunner::fileData(const QJsonObject &file)
{
    QByteArray data = m_world->blobs.value(file.value(u"blob"_s).toString());
    if (file.contains(u"image"_s))
        data = picture(file.value(u"image"_s).toArray());
    if (file.contains(u"text"_s))
        data = arg(file, "text").toUtf8();
    if (QFile stored(QStringLiteral(ZIRRUP_SCENARIO_DIR "/") + arg(file, "stored"));
        file.contains(u"stored"_s) && stored.open(QIODevice::ReadOnly))
        data = stored.readAll();
    if (file.contains(u"cut"_s))
        data = data.left(data.size() / file.value(u"cut"_s).toInt());
    data.append(QByteArray(file.value(u"pad"_s).toInt(), '\0'));
    if (file.contains(u"keep"_s))
        m_world->blobs.insert(arg(file, "keep"), data);
    return data;
}

bool ScenarioRunner::request(const QJsonObject &s)
{
    ApiClient *c = client(arg(s, "as"));
    ApiClient::Signing signing;
    signing.sign = s.value(u"sign"_s).toBool(true);
    signing.consumerSecret = arg(s, "consumerSecret").toLatin1();
    signing.nonce = arg(s, "nonce").toLatin1();
    if (s.contains(u"timestamp"_s))
        signing.timestamp =
            m_world->vars.value(u"now"_s).toLongLong() + s[u"timestamp"_s].toInteger();
    c->setClockOffset(s.value(u"clockOffset"_s).toInteger());
    // The service's own addresses (as answers give them) are taken as paths.
    QString path = arg(s, "get") + arg(s, "post") + arg(s, "upload");
    if (path.startsWith(baseUrl().toString()))
        path = path.mid(baseUrl().toString().size());
    ApiResponse r;
    if (s.contains(u"get"_s)) {
        r = c->get(path, params(s.value(u"query"_s)), signing);
    } else if (s.contains(u"body"_s)) {
        r = c->send("POST", c->url(path), arg(s, "body").toUtf8(), arg(s, "contentType").toLatin1(),
                    {}, signing);
    } else if (s.contains(u"post"_s)) {
        r = c->post(path, params(s.value(u"form"_s)), signing);
    } else if (s.contains(u"upload"_s)) {
        QList<ApiClient::FilePart> files;
        for (const QJsonValue &f : s.value(u"files"_s).toArray()) {
            const QJsonObject file = f.toObject();
            files.append({arg(file, "name"), arg(file, "file"), arg(file, "type").toLatin1(),
                          fileData(file)});
        }
        r = c->postMultipart(path, params(s.value(u"fields"_s)), files);
    } else {
        return fail(u"a step of no known kind"_s);
    }
    c->setClockOffset(0);
    return answered(r, s);
}

bool ScenarioRunner::answered(const ApiResponse &r, const QJsonObject &s)
{
    const int expected = s.value(u"status"_s).toInt(200);
    if (r.status != expected)
        return fail(u"answered %1, not %2: %3"_s.arg(r.status).arg(expected).arg(
            QString::fromUtf8(r.body.left(300))));
    if (s.contains(u"error"_s) && r.error() != arg(s, "error"))
        return fail(u"error \"%1\""_s.arg(r.error()));
    if (s.contains(u"keepBody"_s))
        m_world->blobs.insert(arg(s, "keepBody"), r.body);
    const QJsonDocument document = QJsonDocument::fromJson(r.body);
    const QJsonValue root =
        document.isArray() ? QJsonValue(document.array()) : QJsonValue(document.object());
    return keep(root, s.value(u"keep"_s).toObject(), r)
        && check(root, s.value(u"expect"_s).toObject(), r);
}

bool ScenarioRunner::raw(const QJsonObject &s)
{
    QTcpSocket socket;
    socket.connectToHost(QHostAddress::LocalHost, baseUrl().port());
    if (!socket.waitForConnected(5000))
        return fail(u"no connection"_s);
    socket.write(arg(s, "raw").toLatin1());
    const QByteArray wanted = arg(s, "contains").toLatin1();
    // The service runs in this thread: wait with the event loop running.
    QByteArray answer;
    const bool settled = QTest::qWaitFor(
        [&] {
            answer += socket.readAll();
            return (answer.contains("\r\n\r\n") && answer.contains(wanted))
                || socket.state() != QAbstractSocket::ConnectedState;
        },
        5000);
    // An answer, never a failure of the service, or a closed connection.
    if (!settled || answer.startsWith("HTTP/1.1 5")
        || (!answer.isEmpty() && !answer.startsWith("HTTP/1.1 "))
        || !answer.startsWith(arg(s, "answer").toLatin1()) || !answer.contains(wanted))
        return fail(u"answered "_s + QString::fromLatin1(answer.left(200)));
    return true;
}

ScenarioRunner::Stream::~Stream()
{
    if (reply)
        reply->abort();
}

// Objects come one a line, and empty lines keep the stream alive.
void ScenarioRunner::Stream::read()
{
    buffer += reply->readAll();
    for (qsizetype end; (end = buffer.indexOf("\r\n")) >= 0; buffer.remove(0, end + 2)) {
        if (end == 0) {
            ++keepAlives;
        } else {
            untaken.append(QJsonDocument::fromJson(buffer.left(end)).object());
            ++received;
        }
    }
}

bool ScenarioRunner::stream(const QJsonObject &s)
{
    if (s.contains(u"noStreams"_s)) {
        return QTest::qWaitFor([this] { return server()->streams()->connectionCount() == 0; })
            || fail(u"streams stay open"_s);
    }
    const bool open = s.contains(u"open"_s);
    const QString name =
        open && !s.contains(u"stream"_s) ? arg(s, "open") : arg(s, "stream") + arg(s, "from");
    if (open)
        m_world->streams.erase(name);
    else if (s.contains(u"close"_s) || !m_world->streams.count(name)) // closed, or never opened
        return (s.contains(u"close"_s) && m_world->streams.erase(name)) || fail(u"no stream"_s);
    Stream &stream = m_world->streams[name];
    if (open) {
        stream.reply.reset(client(arg(s, "open"))->openStream());
        stream.reply->setParent(nullptr);
    }
    // The first object not taken yet with the key at its top level.
    const auto take = [&stream](const QString &key, int withinMs) {
        QJsonObject object;
        (void)QTest::qWaitFor(
            [&] {
                stream.read();
                for (qsizetype i = 0; i < stream.untaken.size() && object.isEmpty(); ++i) {
                    if (stream.untaken.at(i).contains(key))
                        object = stream.untaken.takeAt(i);
                }
                return !object.isEmpty() || stream.reply->isFinished();
            },
            withinMs);
        return object;
    };
    if (open) {
        // Connected once its first object, the friends list, is here.
        const QJsonObject friends = take(u"friends"_s, 5000);
        if (friends.isEmpty()
            || stream.reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt() != 200
            || !stream.reply->rawHeader("Content-Type").startsWith("application/json"))
            return fail(u"no stream opened"_s);
        return check(friends, s.value(u"expect"_s).toObject());
    }
    if (s.contains(u"take"_s)) {
        // The stream promises every change within a second.
        const QJsonObject object = take(arg(s, "take"), 1000);
        return (!object.isEmpty() || fail(u"nothing came"_s))
            && keep(object, s.value(u"keep"_s).toObject())
            && check(object, s.value(u"expect"_s).toObject());
    }
    if (s.contains(u"pending"_s)) {
        stream.read();
        const auto pending = std::count_if(
            stream.untaken.cbegin(), stream.untaken.cend(),
            [&](const QJsonObject &object) { return object.contains(arg(s, "pending")); });
        return pending == s.value(u"count"_s).toInt() || fail(u"%1 pending"_s.arg(pending));
    }
    if (s.contains(u"keepAlives"_s)) {
        // Nothing but keep-alives after the friends list.
        const int wanted = s.value(u"keepAlives"_s).toInt();
        const auto came = [&] {
            stream.read();
            return stream.keepAlives >= wanted;
        };
        return (QTest::qWaitFor(came, 5000) && stream.received == 1)
            || fail(u"%1 keep-alives"_s.arg(stream.keepAlives));
    }
    const bool finished = s.value(u"finished"_s).toBool();
    return (finished ? QTest::qWaitFor([&] { return stream.reply->isFinished(); }, 5000)
                     : !stream.reply->isFinished())
        || fail(finished ? u"the stream goes on"_s : u"the stream ended"_s);
}

// What the client library's signals carry, as JSON.
static QJsonValue toJson(const QVariant &value)
{
    if (value.metaType() == QMetaType::fromType<Zr::ArgMap>()) {
        QJsonObject object;
        const Zr::ArgMap map = value.value<Zr::ArgMap>();
        for (auto it = map.begin(); it != map.end(); ++it)
            object.insert(it.key(), it.value());
        return object;
    }
    if (value.metaType().flags() & QMetaType::IsEnumeration)
        return value.toInt();
    if (value.metaType() != QMetaType::fromType<QVariantList>()
        && value.metaType() != QMetaType::fromType<QStringList>())
        return QJsonValue::fromVariant(value);
    QJsonArray array;
    for (const QVariant &item : value.toList())
        array.append(toJson(item));
    return array;
}

// A call of the client library as a signed-in user ("" signed out), the signal that ends it
// and what that carried; or, with "failure", the error reported for it.
bool ScenarioRunner::backend(const QJsonObject &s)
{
    Backend &known = m_world->backends[arg(s, "backend")];
    if (!known.zirrup) {
        const SandboxAccount a = client(arg(s, "backend"))->account();
        const bool in = a.isValid();
        known.zirrup = std::make_unique<Zr::Zirrup>(
            QString::fromLatin1(a.token), QString::fromLatin1(a.tokenSecret), a.userId,
            a.screenName, in ? QStringLiteral(ZIRRUP_CONSUMER_KEY) : QString(),
            in ? QStringLiteral(ZIRRUP_CONSUMER_SECRET) : QString());
        known.zirrup->init();
        known.streamed =
            std::make_unique<QSignalSpy>(known.zirrup.get(), &Zr::Zirrup::streamObject);
        known.reported =
            std::make_unique<QSignalSpy>(known.zirrup.get(), &Zr::Zirrup::networkRequestError);
    }
    Zr::Zirrup *b = known.zirrup.get();
    QVariantMap error;
    const auto reported = [&](int id) {
        for (const QList<QVariant> &e : std::as_const(*known.reported)) {
            if (e.first().toInt() == id)
                error = e.last().toMap();
        }
        return !error.isEmpty();
    };
    if (s.contains(u"streamed"_s)) {
        // The next object of that type from the library's stream, within a second.
        QJsonValue object(QJsonValue::Undefined);
        QSignalSpy *objects = known.streamed.get();
        (void)QTest::qWaitFor(
            [&] {
                for (int i = 0; i < objects->size() && object.isUndefined(); ++i) {
                    if (toJson(objects->at(i).at(0)) == s.value(u"streamed"_s))
                        object = toJson(objects->takeAt(i).at(1));
                }
                return !object.isUndefined();
            },
            s.value(u"within"_s).toInt(1000));
        return (!object.isUndefined() || fail(u"nothing came"_s))
            && keep(object, s.value(u"keep"_s).toObject())
            && check(object, s.value(u"expect"_s).toObject());
    }
    LibraryCall call {arg(s, "call"), s.value(u"type"_s).toInt()};
    for (const auto &pair : params(s.value(u"args"_s)))
        call.args.insert(pair.first, pair.second);
    if (s.contains(u"file"_s))
        call.files.insert(u"/tmp/picture.png"_s, fileData(s.value(u"file"_s).toObject()));
    const QMetaMethod signal = librarySignal(arg(s, "signal").toLatin1());
    if (!signal.isValid() && s.contains(u"signal"_s))
        return fail(u"no such signal"_s);
    QSignalSpy done(
        b, signal.isValid() ? signal : QMetaMethod::fromSignal(&Zr::Zirrup::networkRequestError));
    int id = -1;
    QString file;
    const int result = callLibrary(b, call, &id, nullptr, &file);
    QList<QVariant> emission;
    if (!signal.isValid() && !s.contains(u"failure"_s)) // the stream: no end to wait for
        return result == Zr::RequestSent || fail(u"not sent"_s);
    // The file of a picture fetched before is there at once.
    if (result == Zr::RequestAnswered)
        emission = {file, id};
    else if (result != Zr::RequestSent)
        return fail(u"the call gave %1"_s.arg(result));
    const bool ended = QTest::qWaitFor(
        [&] {
            for (const QList<QVariant> &e : std::as_const(done)) {
                if (e.last().toInt() == id && signal.isValid())
                    emission = e;
            }
            return reported(id) || !emission.isEmpty();
        },
        10000);
    if (!ended)
        return fail(u"no answer"_s);
    if (s.contains(u"failure"_s))
        return check(toJson(error), s.value(u"failure"_s).toObject());
    if (!error.isEmpty())
        return fail(u"failed: "_s + text(toJson(error)));
    QJsonArray root = toJson(emission).toArray();
    if (!file.isEmpty() || arg(s, "call") == u"retrieveTinyUrlImage") {
        const QUrl url(root.at(0).toString());
        const QImage image(url.isLocalFile() ? url.toLocalFile() : url.toString());
        root.append(QJsonArray {image.width(), image.height()});
    }
    return keep(root, s.value(u"keep"_s).toObject())
        && check(root, s.value(u"expect"_s).toObject());
}

// A path into the answer; "@Name" is a header, "~body" the body, a character for each byte.
static QJsonValue lookup(const QJsonValue &root, const QString &path, const ApiResponse &r)
{
    if (path.startsWith(QLatin1Char('@')))
        return QString::fromUtf8(r.header(path.mid(1).toLatin1()));
    if (path == u"~body")
        return QString::fromLatin1(r.body);
    return path == u"." ? root : jsonAt(root, path);
}

bool ScenarioRunner::keep(const QJsonValue &root, const QJsonObject &what, const ApiResponse &r)
{
    for (auto it = what.begin(); it != what.end(); ++it) {
        const QJsonValue value = lookup(root, it.value().toString(), r);
        if (value.isUndefined() || value.isNull() || value == QString())
            return fail(u"nothing at %1 to keep"_s.arg(it.value().toString()));
        m_world->vars.insert(subst(it.key()), text(value));
    }
    return true;
}

bool ScenarioRunner::check(const QJsonValue &root, const QJsonObject &expect, const ApiResponse &r)
{
    for (auto it = expect.begin(); it != expect.end(); ++it) {
        const QString key = subst(it.key());
        const QJsonValue actual = lookup(root, key.section(QLatin1Char('|'), 0, 0), r);
        if (!checkOne(key, actual, subst(it.value()), root))
            return false;
    }
    return true;
}

bool ScenarioRunner::checkOne(const QString &key, const QJsonValue &actual, QJsonValue expected,
                              const QJsonValue &root)
{
    const QString op = key.section(QLatin1Char('|'), 1);
    // Bytes kept before, as a body is seen.
    if (expected.toString().startsWith(u"blob:"_s))
        expected = QString::fromLatin1(m_world->blobs.value(expected.toString().mid(5)));
    const QString wanted = expected.toString();
    const QString value = actual.toString();
    QJsonValue seen = actual;
    bool good = false;
    if (op.isEmpty() || op == u"ne") {
        good = (actual == expected) == op.isEmpty();
    } else if (op == u"num" || op == u"json") {
        // A number, or any value, against its text.
        good = (op == u"json" || actual.isDouble()) && text(actual) == wanted;
    } else if (op == u"size" || op == u"min") {
        seen = actual.isArray() ? actual.toArray().size()
            : actual.isObject() ? actual.toObject().size()
            : actual.isString() ? value.size()
                                : actual.toDouble();
        good = !actual.isUndefined()
            && (op == u"size" ? seen == expected : seen.toDouble() >= expected.toDouble());
    } else if (op == u"starts" || op == u"match") {
        good = actual.isString()
            && (op == u"starts" ? value.startsWith(wanted)
                                : QRegularExpression(wanted).match(value).hasMatch());
    } else if (op == u"contains") {
        good = actual.isArray() ? actual.toArray().contains(expected)
                                : actual.isString() && value.contains(wanted);
    } else if (op == u"absent" || op == u"null") {
        good = (op == u"null" ? actual.isNull() : actual.isUndefined()) == expected.toBool();
    } else if (op == u"lengthOf") {
        good = actual.toInt() == wanted.size();
    } else if (op == u"image") {
        const QImage image = QImage::fromData(value.toLatin1());
        seen = QJsonArray {image.width(), image.height()};
        good = !image.isNull() && seen == expected;
    } else if (op == u"ids" || op.startsWith(u"list:"_s) || op == u"spans") {
        // A field of each record, or what each entity's indices select in its record's text.
        const QString field = op == u"ids" ? u"id_str"_s : op.mid(5);
        const QString record = key.left(qMax(0, key.indexOf(u"entities/"_s)));
        const QString text = jsonAt(root, record)[u"text"_s].toString();
        QJsonArray values;
        for (const QJsonValue &item : actual.toArray()) {
            const QJsonArray at = item[u"indices"_s].toArray();
            values.append(op == u"spans"
                              ? QJsonValue(text.mid(at[0].toInt(), at[1].toInt() - at[0].toInt()))
                              : item[field]);
        }
        seen = values;
        good = actual.isArray() && seen == expected;
    } else {
        return fail(u"no check called "_s + op);
    }
    return good
        || fail(u"%1: %2, not %3"_s.arg(key, text(seen).left(300), text(expected).left(300)));
}
