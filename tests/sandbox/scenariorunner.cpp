#include "scenariorunner.h"

#include "database.h"
#include "streamhub.h"
#include "streamreader.h"

#include <QDateTime>
#include <QFile>
#include <QRegularExpression>
#include <QTcpSocket>
#include <QtEndian>
#include <QtTest>

using namespace Qt::StringLiterals;

// A valid grey PNG whose blank rows compress to almost nothing: a tiny file of many pixels.
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

static QString text(const QJsonValue &value)
{
    if (value.isString())
        return value.toString();
    if (value.isDouble())
        return QString::number(value.toInteger());
    if (value.isBool())
        return value.toBool() ? u"true"_s : u"false"_s;
    return QString::fromUtf8(
        QJsonDocument::fromVariant(value.toVariant()).toJson(QJsonDocument::Compact));
}

static QString shown(const QJsonValue &value)
{
    const QJsonArray wrapped {value};
    return QString::fromUtf8(QJsonDocument(wrapped).toJson(QJsonDocument::Compact))
        .mid(1)
        .chopped(1);
}

ScenarioRunner::ScenarioRunner(QObject *parent)
    : QObject(parent)
{ }

ScenarioRunner::~ScenarioRunner()
{
    qDeleteAll(m_streams);
    qDeleteAll(m_sessions);
}

void ScenarioRunner::addRows(const QString &fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        QFAIL(qPrintable(u"cannot read "_s + file.fileName()));
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(file.readAll(), &error);
    if (error.error != QJsonParseError::NoError)
        QFAIL(qPrintable(
            u"%1 at %2 in %3"_s.arg(error.errorString()).arg(error.offset).arg(fileName)));
    for (const QJsonValue &scenario : document.array()) {
        const QJsonObject object = scenario.toObject();
        QTest::newRow(qPrintable(object.value(u"name"_s).toString())) << object;
    }
}

bool ScenarioRunner::fail(const QString &what)
{
    if (m_failure.isEmpty())
        m_failure = what;
    return false;
}

bool ScenarioRunner::run(const QJsonObject &scenario)
{
    qDeleteAll(m_streams);
    m_streams.clear();
    qDeleteAll(m_sessions);
    m_sessions.clear();
    m_vars.clear();
    m_blobs.clear();
    m_failure.clear();
    // Signing times are given relative to the start of the scenario.
    m_vars.insert(u"now"_s, QString::number(QDateTime::currentSecsSinceEpoch()));
    const QJsonObject given = scenario.value(u"options"_s).toObject();
    SandboxOptions options;
    options.seed = given.value(u"seed"_s).toBool();
    options.keepAliveMs = given.value(u"keepAliveMs"_s).toInt(options.keepAliveMs);
    if (!m_sandbox.start(options))
        return fail(u"the service did not start"_s);
    const QJsonArray steps = scenario.value(u"steps"_s).toArray();
    for (int i = 0; i < steps.size(); ++i) {
        if (!step(steps.at(i).toObject()) || !m_failure.isEmpty()) {
            m_failure = u"step %1 %2\n    %3"_s.arg(i).arg(shown(steps.at(i)).left(300), m_failure);
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
            m_vars.insert(u"i"_s, QString::number(i));
            if (!step(once))
                return false;
        }
        return true;
    }
    if (s.contains(u"sql"_s) || s.contains(u"scalar"_s))
        return database(s);
    if (s.contains(u"raw"_s))
        return raw(s);
    for (const char *key :
         {"open", "take", "pending", "close", "finished", "keepAlives", "noStreams"}) {
        if (s.contains(QLatin1String(key)))
            return stream(s);
    }
    if (s.contains(u"users"_s)) {
        // Signed in ahead, so that others can name them.
        for (const QJsonValue &name : s.value(u"users"_s).toArray())
            client(name.toString());
        return true;
    }
    if (s.contains(u"createUser"_s)) {
        if (!m_sandbox.server()->createUser(s.value(u"createUser"_s).toString(),
                                            s.value(u"password"_s).toString()))
            return fail(u"the account was not made"_s);
        return true;
    }
    if (s.contains(u"deleteUser"_s)) {
        if (!m_sandbox.server()->deleteUser(s.value(u"deleteUser"_s).toString()))
            return fail(u"no such account"_s);
        return true;
    }
    if (s.contains(u"signIn"_s)) {
        auto *session = new ApiClient(m_sandbox.baseUrl());
        delete m_sessions.value(s.value(u"session"_s).toString());
        m_sessions.insert(s.value(u"session"_s).toString(), session);
        session->setClockOffset(s.value(u"clockOffset"_s).toInteger());
        ApiResponse answer;
        session->signIn(s.value(u"signIn"_s).toString(), s.value(u"password"_s).toString(),
                        &answer);
        session->setClockOffset(0);
        return answered(answer, s);
    }
    if (s.contains(u"forge"_s)) {
        // A client with another's account, token or secret changed.
        SandboxAccount account = client(s.value(u"from"_s).toString())->account();
        if (s.contains(u"token"_s))
            account.token = s.value(u"token"_s).toString().toLatin1();
        if (s.contains(u"tokenSecret"_s))
            account.tokenSecret = s.value(u"tokenSecret"_s).toString().toLatin1();
        auto *forger = new ApiClient(m_sandbox.baseUrl());
        forger->setAccount(account);
        delete m_sessions.value(s.value(u"forge"_s).toString());
        m_sessions.insert(s.value(u"forge"_s).toString(), forger);
        return true;
    }
    return request(s);
}

ApiClient *ScenarioRunner::client(const QString &name)
{
    if (name.isEmpty())
        return m_sandbox.anonymous();
    if (ApiClient *session = m_sessions.value(name))
        return session;
    // "alice#2": a second sign-in of alice.
    const QString user = name.section(QLatin1Char('#'), 0, 0);
    ApiClient *first = m_sandbox.client(user);
    if (user == name)
        return first;
    auto *session = new ApiClient(m_sandbox.baseUrl());
    if (!session->signIn(user, user + u"-pw"_s).isValid())
        fail(u"cannot sign in again as "_s + user);
    m_sessions.insert(name, session);
    return session;
}

QString ScenarioRunner::subst(const QString &input)
{
    static const QRegularExpression pattern(u"\\$\\{([^{}]*)\\}"_s);
    static const QRegularExpression repeat(u"^(\\d+)\\*(.*)$"_s,
                                           QRegularExpression::DotMatchesEverythingOption);
    QString out = input;
    for (int pass = 0; pass < 8 && out.contains(u"${"_s); ++pass) {
        QString next;
        qsizetype last = 0;
        for (const QRegularExpressionMatch &m : pattern.globalMatch(out)) {
            next += out.mid(last, m.capturedStart() - last);
            last = m.capturedEnd();
            const QString name = m.captured(1);
            const QStringList parts = name.split(QLatin1Char(':'));
            if (const QRegularExpressionMatch r = repeat.match(name); r.hasMatch())
                next += r.captured(2).repeated(r.captured(1).toInt());
            else if (name == u"base")
                next += m_sandbox.baseUrl().toString();
            else if (name == u"port")
                next += QString::number(m_sandbox.baseUrl().port());
            else if (parts.first() == u"uid" && parts.size() == 2)
                next += client(parts.at(1))->account().userId;
            else if (parts.first() == u"auth" && parts.size() == 4)
                next += QString::fromLatin1(
                    client(parts.at(1))
                        ->authorization(parts.at(2).toLatin1(),
                                        m_sandbox.baseUrl().resolved(QUrl(parts.at(3))), {}, {}));
            else if (m_vars.contains(name))
                next += m_vars.value(name);
            else if (const QString var = name.section(QLatin1Char('|'), 0, 0); m_vars.contains(var))
                // ${name|from=to}: the kept value with a part replaced
                next +=
                    QString(m_vars.value(var))
                        .replace(name.section(QLatin1Char('|'), 1).section(QLatin1Char('='), 0, 0),
                                 name.section(QLatin1Char('='), 1));
            else
                fail(u"nothing kept as ${%1}"_s.arg(name));
        }
        next += out.mid(last);
        out = next;
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
    if (value.isObject()) {
        QJsonObject out;
        const QJsonObject in = value.toObject();
        for (auto it = in.begin(); it != in.end(); ++it)
            out.insert(subst(it.key()), subst(it.value()));
        return out;
    }
    return value;
}

// An object, or an array of [name, value] pairs where order or repetition matters.
Params ScenarioRunner::params(const QJsonValue &value)
{
    Params out;
    if (value.isArray()) {
        for (const QJsonValue &pair : value.toArray())
            out.append({subst(pair[0].toString()), subst(text(pair[1]))});
    } else {
        const QJsonObject in = value.toObject();
        for (auto it = in.begin(); it != in.end(); ++it)
            out.append({subst(it.key()), subst(text(it.value()))});
    }
    return out;
}

QVariantList ScenarioRunner::binds(const QJsonValue &value)
{
    static const QRegularExpression integer(u"^-?\\d+$"_s);
    QVariantList out;
    for (const QJsonValue &item : value.toArray()) {
        const QString bound = subst(text(item));
        if (integer.match(bound).hasMatch())
            out.append(bound.toLongLong());
        else
            out.append(bound);
    }
    return out;
}

QByteArray ScenarioRunner::fileData(const QJsonObject &file)
{
    QByteArray data;
    if (file.contains(u"blob"_s))
        data = m_blobs.value(file.value(u"blob"_s).toString());
    if (file.contains(u"image"_s)) {
        const QJsonArray image = file.value(u"image"_s).toArray();
        data = SandboxFixture::picture(QSize(image.at(0).toInt(), image.at(1).toInt()),
                                       qPrintable(image.at(2).toString()));
    }
    if (file.contains(u"grayPng"_s)) {
        const QJsonArray size = file.value(u"grayPng"_s).toArray();
        data = grayPng(size.at(0).toInt(), size.at(1).toInt());
    }
    if (file.contains(u"text"_s))
        data = subst(file.value(u"text"_s).toString()).toUtf8();
    if (file.contains(u"cut"_s))
        data = data.left(data.size() / file.value(u"cut"_s).toInt());
    data.append(QByteArray(file.value(u"pad"_s).toInt(), '\0'));
    if (file.contains(u"keep"_s))
        m_blobs.insert(file.value(u"keep"_s).toString(), data);
    return data;
}

QString ScenarioRunner::path(const QJsonObject &s, const QString &key)
{
    // The service's own addresses (as answers give them) are taken as paths.
    const QString given = subst(s.value(key).toString());
    const QString base = m_sandbox.baseUrl().toString();
    return given.startsWith(base) ? given.mid(base.size()) : given;
}

bool ScenarioRunner::request(const QJsonObject &s)
{
    ApiClient *c = client(subst(s.value(u"as"_s).toString()));
    ApiClient::Signing signing;
    signing.sign = s.value(u"sign"_s).toBool(true);
    signing.consumerSecret = s.value(u"consumerSecret"_s).toString().toLatin1();
    signing.nonce = s.value(u"nonce"_s).toString().toLatin1();
    if (s.contains(u"timestamp"_s))
        signing.timestamp =
            m_vars.value(u"now"_s).toLongLong() + s.value(u"timestamp"_s).toInteger();
    c->setClockOffset(s.value(u"clockOffset"_s).toInteger());
    ApiResponse r;
    if (s.contains(u"get"_s)) {
        r = c->get(path(s, u"get"_s), params(s.value(u"query"_s)), signing);
    } else if (s.contains(u"post"_s) && s.contains(u"body"_s)) {
        r = c->send("POST", c->url(path(s, u"post"_s)),
                    subst(s.value(u"body"_s).toString()).toUtf8(),
                    s.value(u"contentType"_s).toString().toLatin1(), {}, signing);
    } else if (s.contains(u"post"_s)) {
        r = c->post(path(s, u"post"_s), params(s.value(u"form"_s)), signing);
    } else if (s.contains(u"upload"_s)) {
        QList<ApiClient::FilePart> files;
        for (const QJsonValue &f : s.value(u"files"_s).toArray()) {
            const QJsonObject file = f.toObject();
            files.append({file.value(u"name"_s).toString(), file.value(u"file"_s).toString(),
                          file.value(u"type"_s).toString().toLatin1(), fileData(file)});
        }
        r = c->postMultipart(path(s, u"upload"_s), params(s.value(u"fields"_s)), files,
                             params(s.value(u"query"_s)));
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
    if (s.contains(u"error"_s) && r.error() != subst(s.value(u"error"_s).toString()))
        return fail(u"error \"%1\""_s.arg(r.error()));
    if (s.contains(u"keepBody"_s))
        m_blobs.insert(s.value(u"keepBody"_s).toString(), r.body);
    const QJsonDocument document = QJsonDocument::fromJson(r.body);
    const QJsonValue root = document.isArray() ? QJsonValue(document.array())
        : document.isObject()                  ? QJsonValue(document.object())
                                               : QJsonValue();
    return keep(root, s.value(u"keep"_s).toObject(), r.headers)
        && check(root, s.value(u"expect"_s).toObject(), r.body, r.headers);
}

bool ScenarioRunner::raw(const QJsonObject &s)
{
    QTcpSocket socket;
    socket.connectToHost(QHostAddress::LocalHost, m_sandbox.baseUrl().port());
    if (!socket.waitForConnected(5000))
        return fail(u"no connection"_s);
    socket.write(subst(s.value(u"raw"_s).toString()).toLatin1());
    const QByteArray wanted = s.value(u"contains"_s).toString().toLatin1();
    // The service runs in this thread: wait with the event loop running.
    QByteArray answer;
    const bool settled = QTest::qWaitFor(
        [&] {
            answer += socket.readAll();
            return (answer.contains("\r\n\r\n") && answer.contains(wanted))
                || socket.state() != QAbstractSocket::ConnectedState;
        },
        5000);
    if (!settled)
        return fail(u"neither an answer nor a closed connection"_s);
    if (!answer.isEmpty() && (!answer.startsWith("HTTP/1.1 ") || answer.startsWith("HTTP/1.1 5")))
        return fail(u"answered "_s + QString::fromLatin1(answer.left(200)));
    if (!answer.startsWith(s.value(u"answer"_s).toString().toLatin1()) || !answer.contains(wanted))
        return fail(u"answered "_s + QString::fromLatin1(answer.left(200)));
    return true;
}

bool ScenarioRunner::stream(const QJsonObject &s)
{
    if (s.contains(u"noStreams"_s)) {
        if (!QTest::qWaitFor(
                [this] { return m_sandbox.server()->streams()->connectionCount() == 0; }))
            return fail(u"streams stay open"_s);
        return true;
    }
    if (s.contains(u"open"_s)) {
        const QString name = s.value(u"stream"_s).toString(s.value(u"open"_s).toString());
        delete m_streams.take(name);
        auto *reader = new StreamReader(client(s.value(u"open"_s).toString())->openStream());
        m_streams.insert(name, reader);
        // Connected once its first object, the friends list, is here.
        const QJsonObject friends = reader->take(u"friends"_s, 5000);
        if (friends.isEmpty())
            return fail(u"the stream did not open"_s);
        if (reader->httpStatus() != 200
            || !reader->rawHeader("Content-Type").startsWith("application/json"))
            return fail(u"the stream is no JSON stream"_s);
        return check(friends, s.value(u"expect"_s).toObject());
    }
    const QString name = s.value(u"from"_s).toString();
    StreamReader *reader = m_streams.value(name);
    if (!reader)
        return fail(u"no stream "_s + name);
    if (s.contains(u"take"_s)) {
        // The stream promises every change within a second.
        const QJsonObject object = reader->take(s.value(u"take"_s).toString(), 1000);
        if (object.isEmpty())
            return fail(u"nothing came"_s);
        return check(object, s.value(u"expect"_s).toObject())
            && keep(object, s.value(u"keep"_s).toObject());
    }
    if (s.contains(u"pending"_s)) {
        const int pending = reader->pending(s.value(u"pending"_s).toString());
        if (pending != s.value(u"count"_s).toInt())
            return fail(u"%1 pending"_s.arg(pending));
        return true;
    }
    if (s.contains(u"close"_s)) {
        delete m_streams.take(name);
        return true;
    }
    if (s.contains(u"keepAlives"_s)) {
        if (!reader->waitForKeepAlives(s.value(u"keepAlives"_s).toInt(), 5000))
            return fail(u"%1 keep-alives"_s.arg(reader->keepAlives()));
        if (reader->objects().size() != s.value(u"objects"_s).toInt(1))
            return fail(u"%1 objects"_s.arg(reader->objects().size()));
        return true;
    }
    const bool finished =
        s.value(u"finished"_s).toBool() ? reader->waitForFinished(5000) : reader->isFinished();
    if (finished != s.value(u"finished"_s).toBool())
        return fail(finished ? u"the stream ended"_s : u"the stream goes on"_s);
    return true;
}

bool ScenarioRunner::database(const QJsonObject &s)
{
    Database *db = m_sandbox.server()->database();
    if (s.contains(u"sql"_s)) {
        db->exec(subst(s.value(u"sql"_s).toString()), binds(s.value(u"bind"_s)));
        return true;
    }
    const QVariant value =
        db->scalar(subst(s.value(u"scalar"_s).toString()), binds(s.value(u"bind"_s)));
    if (s.contains(u"keep"_s))
        m_vars.insert(s.value(u"keep"_s).toString(), value.toString());
    return check(QJsonValue::fromVariant(value), s.value(u"expect"_s).toObject());
}

bool ScenarioRunner::keep(const QJsonValue &root, const QJsonObject &what,
                          const QList<QNetworkReply::RawHeaderPair> &headers)
{
    for (auto it = what.begin(); it != what.end(); ++it) {
        const QString path = it.value().toString();
        QJsonValue value = path == u"." ? root : jsonAt(root, path);
        for (const auto &header : headers) {
            if (path.startsWith(QLatin1Char('@'))
                && header.first.compare(path.mid(1).toLatin1(), Qt::CaseInsensitive) == 0)
                value = QString::fromUtf8(header.second);
        }
        if (value.isUndefined() || value.isNull())
            return fail(u"nothing at %1 to keep"_s.arg(path));
        m_vars.insert(subst(it.key()), text(value));
    }
    return true;
}

bool ScenarioRunner::check(const QJsonValue &root, const QJsonObject &expect,
                           const QByteArray &body,
                           const QList<QNetworkReply::RawHeaderPair> &headers)
{
    for (auto it = expect.begin(); it != expect.end(); ++it) {
        const QString key = subst(it.key());
        const QString path = key.section(QLatin1Char('|'), 0, 0);
        QJsonValue actual = path == u"." ? root : jsonAt(root, path);
        if (path.startsWith(QLatin1Char('@'))) {
            actual = QJsonValue(QString());
            for (const auto &header : headers) {
                if (header.first.compare(path.mid(1).toLatin1(), Qt::CaseInsensitive) == 0)
                    actual = QString::fromUtf8(header.second);
            }
        }
        if (!checkOne(key, actual, subst(it.value()), root, body))
            return false;
    }
    return true;
}

bool ScenarioRunner::checkOne(const QString &key, const QJsonValue &actual,
                              const QJsonValue &expected, const QJsonValue &root,
                              const QByteArray &body)
{
    const QString op = key.section(QLatin1Char('|'), 1);
    bool good = false;
    QJsonValue seen = actual;
    const auto list = [&](const QString &field) {
        QJsonArray values;
        for (const QJsonValue &item : actual.toArray())
            values.append(item.toObject().value(field));
        return values;
    };
    if (key.startsWith(u"~body"_s)) {
        const QByteArray wanted = expected.toString().startsWith(u"blob:"_s)
            ? m_blobs.value(expected.toString().mid(5))
            : expected.toString().toUtf8();
        if (op == u"image") {
            const QImage image = QImage::fromData(body);
            seen = QJsonArray {image.width(), image.height()};
            good = !image.isNull() && seen == expected;
        } else if (op == u"contains") {
            good = body.contains(wanted);
        } else if (op == u"ne") {
            good = body != wanted;
        } else {
            good = body == wanted;
        }
        if (!good)
            return fail(u"%1: %2 bytes, not %3"_s.arg(key).arg(body.size()).arg(shown(expected)));
        return true;
    }
    if (op.isEmpty()) {
        good = actual == expected;
    } else if (op == u"ne") {
        good = actual != expected;
    } else if (op == u"num") {
        good = actual.isDouble() && QString::number(actual.toInteger()) == expected.toString();
    } else if (op == u"size") {
        seen = actual.isArray() ? actual.toArray().size()
            : actual.isObject() ? actual.toObject().size()
                                : actual.toString().size();
        good = !actual.isUndefined() && seen == expected;
    } else if (op == u"min" || op == u"max") {
        const double value = actual.isArray() ? actual.toArray().size() : actual.toDouble();
        good = !actual.isUndefined()
            && (op == u"min" ? value >= expected.toDouble() : value <= expected.toDouble());
    } else if (op == u"starts") {
        good = actual.isString() && actual.toString().startsWith(expected.toString());
    } else if (op == u"ends") {
        good = actual.isString() && actual.toString().endsWith(expected.toString());
    } else if (op == u"contains") {
        good = actual.isArray()
            ? actual.toArray().contains(expected)
            : actual.isString() && actual.toString().contains(expected.toString());
    } else if (op == u"match") {
        good = actual.isString()
            && QRegularExpression(expected.toString()).match(actual.toString()).hasMatch();
    } else if (op == u"absent") {
        good = actual.isUndefined() == expected.toBool();
    } else if (op == u"null") {
        good = actual.isNull() == expected.toBool();
    } else if (op == u"json") {
        good = text(actual) == expected.toString();
    } else if (op == u"lengthOf") {
        good = actual.toInt() == expected.toString().size();
    } else if (op == u"oneOf") {
        good = expected.toArray().contains(actual);
    } else if (op == u"ids") {
        seen = list(u"id_str"_s);
        good = actual.isArray() && seen == expected;
    } else if (op.startsWith(u"list:"_s)) {
        seen = list(op.mid(5));
        good = actual.isArray() && seen == expected;
    } else if (op == u"spans") {
        // What each entity's indices select in the record's text.
        const QString record = key.left(qMax(0, key.indexOf(u"entities/"_s)));
        const QString text = jsonAt(root, record).toObject().value(u"text"_s).toString();
        QJsonArray spans;
        for (const QJsonValue &entity : actual.toArray()) {
            const QJsonArray indices = entity.toObject().value(u"indices"_s).toArray();
            spans.append(
                text.mid(indices.at(0).toInt(), indices.at(1).toInt() - indices.at(0).toInt()));
        }
        seen = spans;
        good = actual.isArray() && seen == expected;
    } else {
        return fail(u"no check called "_s + op);
    }
    if (!good)
        return fail(u"%1: %2, not %3"_s.arg(key, shown(seen), shown(expected)));
    return true;
}
