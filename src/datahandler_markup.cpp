// Plain service text to the rich text the pages show: entity anchors, linked bare words, the
// client name of a status, pieces for right-to-left layouts, and what a click on an anchor does.

#include "datahandler.h"

#include "zirrup.h"

#include <QDesktopServices>
#include <QMap>
#include <QUrl>
#include <QtDebug>

#include <utility>

namespace {
const QLatin1String anchorStart("<a href=\"");
const QLatin1String anchorMiddle("\" style=\"text-decoration:none; color:#4d6980\">");
const QLatin1String anchorEnd("</a>");

constexpr QStringView joinedAnchorStart(u"<a_href");
constexpr QStringView plainAnchorStart(u"<a href");
constexpr QStringView joinedStyle(u"\"_style=\"text-decoration:none;_color");
constexpr QStringView plainStyle(u"\" style=\"text-decoration:none; color");
constexpr QStringView closingAnchor(u"</a>");

// Whether text[at] == '&' opens a character reference ("&amp;", "&#39;", "&#x27;").
bool opensReference(QStringView text, qsizetype at)
{
    qsizetype i = at + 1;
    if (i < text.size() && text[i] == u'#') {
        ++i;
        const bool hex = i < text.size() && (text[i] == u'x' || text[i] == u'X');
        if (hex)
            ++i;
        const qsizetype digits = i;
        while (i < text.size()
               && (text[i].isDigit()
                   || (hex
                       && ((text[i] >= u'a' && text[i] <= u'f')
                           || (text[i] >= u'A' && text[i] <= u'F')))))
            ++i;
        return i > digits && i < text.size() && text[i] == u';';
    }
    const qsizetype name = i;
    while (i < text.size() && i - name < 32
           && ((text[i] >= u'a' && text[i] <= u'z') || (text[i] >= u'A' && text[i] <= u'Z')
               || (i > name && text[i] >= u'0' && text[i] <= u'9')))
        ++i;
    return i > name && i < text.size() && text[i] == u';';
}

// Escapes what would end the attribute or open markup. The service's texts come escaped
// already, so character references are kept as they are.
void appendEscaped(QString &out, QStringView text)
{
    qsizetype plain = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        QLatin1String replacement;
        switch (text[i].unicode()) {
        case u'"':
            replacement = QLatin1String("&quot;");
            break;
        case u'<':
            replacement = QLatin1String("&lt;");
            break;
        case u'>':
            replacement = QLatin1String("&gt;");
            break;
        case u'&':
            if (!opensReference(text, i))
                replacement = QLatin1String("&amp;");
            break;
        default:
            break;
        }
        if (replacement.isEmpty())
            continue;
        out.append(text.mid(plain, i - plain));
        out.append(replacement);
        plain = i + 1;
    }
    out.append(text.mid(plain));
}

void appendAnchor(QString &out, QStringView target, QStringView display)
{
    out.append(anchorStart);
    appendEscaped(out, target);
    out.append(anchorMiddle);
    appendEscaped(out, display);
    out.append(anchorEnd);
}

QString anchor(QStringView target, QStringView display)
{
    QString out;
    out.reserve(anchorStart.size() + anchorMiddle.size() + anchorEnd.size() + target.size()
                + display.size());
    appendAnchor(out, target, display);
    return out;
}

void replaceAll(QString &text, QStringView before, QStringView after)
{
    text.replace(before.data(), before.size(), after.data(), after.size());
}

bool isWebLink(QStringView word, Qt::CaseSensitivity cs = Qt::CaseSensitive)
{
    return word.startsWith(QLatin1String("http://"), cs)
        || word.startsWith(QLatin1String("https://"), cs);
}

// An index of an entity; absent or malformed reads as 0.
int indexAt(const QVariantMap &entity, int which)
{
    return entity.value(QStringLiteral("indices")).toList().value(which).toInt();
}

// Ids arrive as decimal text; a number is written out in full, never in exponent form.
QString idText(const QVariant &id)
{
    if (id.typeId() == QMetaType::Double)
        return QString::number(id.toDouble(), 'f', 0);
    return id.toString();
}

// Whether source links to the service's web site itself. A client's page under the same
// address ("http://zirrup.net/download/desktop") names that client, not the web site.
bool namesServiceWebSite(const QString &source)
{
    const QString address = DataHandler::serviceWebAddress();
    for (qsizetype at = source.indexOf(address); at >= 0;
         at = source.indexOf(address, at + address.size())) {
        QStringView rest = QStringView(source).mid(at + address.size());
        if (rest.startsWith(u'/'))
            rest = rest.mid(1);
        if (rest.isEmpty() || rest.startsWith(u'"') || rest.startsWith(u'\'')
            || rest.startsWith(QLatin1String("&quot;")) || rest.front().isSpace())
            return true;
    }
    return false;
}

// The five character references the anchors and the service use, back to characters.
QString decodeReferences(QString text)
{
    if (!text.contains(QLatin1Char('&')))
        return text;
    text.replace(QLatin1String("&quot;"), QLatin1String("\""));
    text.replace(QLatin1String("&#39;"), QLatin1String("'"));
    text.replace(QLatin1String("&lt;"), QLatin1String("<"));
    text.replace(QLatin1String("&gt;"), QLatin1String(">"));
    text.replace(QLatin1String("&amp;"), QLatin1String("&"));
    return text;
}
} // namespace

QList<QStringView> DataHandler::splitWords(QStringView text)
{
    // The blanks of the regular expression "\\s": tab, line feed, vertical tab, form feed,
    // carriage return and space.
    QList<QStringView> result;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c == u' ' || (c >= u'\t' && c <= u'\r')) {
            result.append(text.mid(start, i - start));
            start = i + 1;
        }
    }
    result.append(text.mid(start));
    return result;
}

QString DataHandler::serviceWebAddress()
{
    return QStringLiteral("http://zirrup.net");
}

QString DataHandler::findLinks(QString text, bool entitiesHandled)
{
    const QList<QStringView> parts = splitWords(text);
    QString out;
    out.reserve(text.size() * 2);
    for (qsizetype i = 0; i < parts.size(); ++i) {
        if (i > 0)
            out.append(QLatin1Char(' '));
        const QStringView word = parts.at(i);
        if (word.startsWith(u'#') || (!entitiesHandled && word.startsWith(u'@'))) {
            if (word.endsWith(u':')) {
                const QStringView tag = word.chopped(1);
                appendAnchor(out, tag, tag);
                out.append(QLatin1Char(':'));
            } else {
                appendAnchor(out, word, word);
            }
        } else if (isWebLink(word)) {
            appendAnchor(out, word, word);
        } else {
            out.append(word);
        }
    }
    return out;
}

void DataHandler::parseEntities(QMap<QString, QVariant> entities, QString &text,
                                bool includeMediaEntities)
{
    // Start position -> (target, display); a later entity at the same start replaces an
    // earlier one, so media win over mentions, mentions over hashtags, hashtags over links.
    QMap<int, std::pair<QString, QString>> replacements;

    const QVariantList urls = entities.value(QStringLiteral("urls")).toList();
    for (const QVariant &value : urls) {
        const QVariantMap entity = value.toMap();
        const QString url = entity.value(QStringLiteral("url")).toString();
        const QString expanded = entity.value(QStringLiteral("expanded_url")).toString();
        replacements.insert(indexAt(entity, 0), {url, expanded.isEmpty() ? url : expanded});
    }

    const struct
    {
        const char *list;
        const char *name;
        QChar prefix;
    } tagKinds[] = {{"hashtags", "text", u'#'}, {"user_mentions", "screen_name", u'@'}};
    for (const auto &kind : tagKinds) {
        const QVariantList list = entities.value(QLatin1String(kind.list)).toList();
        for (const QVariant &value : list) {
            const QVariantMap entity = value.toMap();
            const int start = indexAt(entity, 0);
            const int end = indexAt(entity, 1);
            replacements.insert(start,
                                {text.mid(start, end - start),
                                 kind.prefix + entity.value(QLatin1String(kind.name)).toString()});
        }
    }

    const QVariantList media = entities.value(QStringLiteral("media")).toList();
    for (const QVariant &value : media) {
        const QVariantMap entity = value.toMap();
        const QString url = entity.value(QStringLiteral("url")).toString();
        const QString display = entity.value(QStringLiteral("display_url")).toString();
        replacements.insert(indexAt(entity, 0), {url, display.isEmpty() ? url : display});
        if (includeMediaEntities)
            requestMediaThumbnail(entity);
    }

    // From the end backwards, so that the positions still to come stay valid. An entity that
    // reaches past the text, or into one already applied, would cut through text or markup.
    qsizetype limit = text.size();
    for (auto it = replacements.cend(); it != replacements.cbegin();) {
        --it;
        const int start = it.key();
        const QString &target = it->first;
        if (target.isEmpty() || start < 0 || start + target.size() > limit) {
            if (!target.isEmpty())
                qDebug().noquote() << "DataHandler::parseEntities: skipping the entity at" << start
                                   << "of a text of" << text.size() << "characters";
            continue;
        }
        text.replace(start, target.size(), anchor(target, it->second));
        limit = start;
    }
}

void DataHandler::requestMediaThumbnail(const QVariantMap &media)
{
    const QString mediaUrl = media.value(QStringLiteral("media_url")).toString();
    const QString key = QLatin1Char('$') + mediaUrl;
    if (!m_backend || m_timelineView.hasThumbnailRequest(key))
        return;

    const Zr::ArgMap request = {
        {QStringLiteral("direct_url"), QStringLiteral("1")},
        {QStringLiteral("image_id"), idText(media.value(QStringLiteral("id")))},
        {QStringLiteral("image_url"), mediaUrl + QLatin1String(":thumb")},
        {QStringLiteral("as_thumb"), QStringLiteral("1")},
    };
    QString fileUrl;
    int queryId = -1;
    m_backend->retrieveTinyUrlImage(request, &fileUrl, &queryId);
    if (!fileUrl.isEmpty()) {
        m_timelineView.onTinyUrlThumbLoaded(fileUrl, queryId, key);
    } else if (queryId != -1) {
        // Nothing answers a request that did not go out, so only a sent one holds the flag up.
        setContextProperty(QStringLiteral("tinyurl_thumb_loading"), true);
        m_timelineView.addThumbnailRequest(queryId, key);
    }
}

QString DataHandler::getMentions(QString text, QString excludeUser)
{
    const QString excluded = excludeUser.toLower();
    const QString self = QLatin1Char('@') + m_authenticatedUserName.toLower();
    QString result;
    for (const QStringView word : splitWords(text)) {
        if (!word.startsWith(u'@'))
            continue;
        const QString lower = word.toString().toLower();
        if (lower == excluded || lower == self)
            continue;
        result.append(word);
        result.append(QLatin1Char(' '));
    }
    return result;
}

bool DataHandler::hasRightToLeftText(QString text)
{
    for (const QStringView part : QStringView(text).split(u' ')) {
        if (part.isRightToLeft())
            return true;
    }
    return false;
}

QStringList DataHandler::splitText(QString text, bool reversed)
{
    // Anchors hold blanks; joined up they stay one word.
    QString joined = text;
    replaceAll(joined, plainAnchorStart, joinedAnchorStart);
    replaceAll(joined, plainStyle, joinedStyle);
    const bool base = hasRightToLeftText(joined);

    QStringList result;
    bool havePrevious = false;
    bool previousDirection = base;
    qsizetype runPosition = 0;
    auto place = [&](QString piece) {
        replaceAll(piece, joinedAnchorStart, plainAnchorStart);
        replaceAll(piece, joinedStyle, plainStyle);
        const bool direction = piece.isRightToLeft();
        if (direction == base) {
            if (havePrevious && previousDirection != base)
                result.append(QStringLiteral(" "));
            result.append(piece);
        } else {
            // A run of the other direction comes out in reverse order.
            if (!havePrevious || previousDirection == base)
                runPosition = result.size();
            result.insert(runPosition, piece);
        }
        havePrevious = true;
        previousDirection = direction;
    };

    const QList<QStringView> parts = splitWords(joined);
    for (qsizetype w = 0; w < parts.size(); ++w) {
        QString word = parts.at(w).toString();
        if (w + 1 < parts.size())
            word.append(QLatin1Char(' '));

        const QList<QStringView> anchorParts = QStringView(word).split(joinedAnchorStart);
        for (qsizetype a = 0; a < anchorParts.size(); ++a) {
            QString part;
            if (a > 0)
                part.append(joinedAnchorStart);
            part.append(anchorParts.at(a));
            const QList<QStringView> pieces = QStringView(part).split(closingAnchor);
            for (qsizetype p = 0; p < pieces.size(); ++p) {
                if (pieces.at(p).isEmpty())
                    break;
                QString piece = pieces.at(p).toString();
                if (p + 1 < pieces.size())
                    piece.append(closingAnchor);
                place(std::move(piece));
            }
        }
    }

    if (reversed)
        std::reverse(result.begin(), result.end());
    return result;
}

QString DataHandler::parseSourceName(QString source)
{
    if (namesServiceWebSite(source))
        return QStringLiteral("web");

    QStringList parts = source.split(QLatin1Char(' '));
    qsizetype first = -1;
    qsizetype last = 0;
    for (qsizetype i = parts.size() - 1; i >= 0; --i) {
        QString &part = parts[i];
        if (part.endsWith(QLatin1String("/a>"))) {
            part = part.left(part.indexOf(QLatin1String("</a>")));
            last = i;
        } else if (part.endsWith(QLatin1String("/a&gt;"))) {
            part = part.left(part.indexOf(QLatin1String("&lt;/a&gt;")));
            last = i;
        }
        if (part.startsWith(QLatin1String("rel="))) {
            const qsizetype close = part.indexOf(QLatin1Char('>'));
            if (close >= 0) {
                part = part.mid(close + 1);
            } else {
                const qsizetype escaped = part.indexOf(QLatin1String("&gt;"));
                if (escaped >= 0)
                    part = part.mid(escaped + 4);
            }
            first = i;
            break;
        }
    }
    if (first < 0)
        first = 0;
    if (first > last)
        return QString();
    return parts.mid(first, last - first + 1).join(QLatin1Char(' '));
}

bool DataHandler::linkClicked(QString link)
{
    if (!m_view)
        return false;

    if (link.startsWith(QLatin1Char('@'))) {
        setCurrentUser(link.mid(1));
        callRoot("nextPage", {QStringLiteral("ProfileView.qml"), false});
        return false;
    }
    if (link.startsWith(QLatin1Char('#'))) {
        QMetaObject::invokeMethod(this, "searchTweets", Qt::DirectConnection, Q_ARG(QString, link),
                                  Q_ARG(QString, QString()), Q_ARG(QString, QString()));
        callRoot("nextPage", {QStringLiteral("SearchView.qml"), false});
        return false;
    }
    if (isWebLink(link)) {
        // Anchors carry the link as HTML attribute text.
        return QDesktopServices::openUrl(QUrl(decodeReferences(link)));
    }
    if (link.startsWith(QLatin1Char('$'))) {
        setCurrentTweetId(link.mid(1));
        callRoot("nextPage", {QStringLiteral("TweetView.qml"), false});
        return false;
    }
    return false;
}
