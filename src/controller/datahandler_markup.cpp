// Plain service text to the rich text the pages show: entity anchors, linked bare words, the
// client name of a status, pieces for right-to-left layouts, and what a click on an anchor does.

#include "datahandler.h"

#include "zirrup.h"

#include <QDesktopServices>
#include <QMap>
#include <QUrl>
#include <QVarLengthArray>
#include <QtDebug>

#include <utility>

namespace {
const QLatin1String anchorStart("<a href=\"");
const QLatin1String anchorMiddle("\" style=\"text-decoration:none; color:#4d6980\">");
const QLatin1String anchorEnd("</a>");

constexpr QStringView plainAnchorStart(u"<a href");
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
               && ((text[i] >= u'0' && text[i] <= u'9')
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

// Text copied into rich text: a "<" or ">" here was not written by us, so it is shown, never
// obeyed (a record holding "<img src=...>" would otherwise make the page fetch that address).
// Character references are the service's own escaping and stay as they are.
void appendNeutral(QString &out, QStringView text)
{
    qsizetype plain = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c != u'<' && c != u'>')
            continue;
        out.append(text.mid(plain, i - plain));
        out.append(c == u'<' ? QLatin1String("&lt;") : QLatin1String("&gt;"));
        plain = i + 1;
    }
    out.append(text.mid(plain));
}

// The length of one of our own anchors at text[at], or 0. appendAnchor escapes target and
// display, so an anchor of ours holds no other markup.
qsizetype ownAnchorLength(QStringView text, qsizetype at)
{
    QStringView rest = text.mid(at);
    if (!rest.startsWith(anchorStart))
        return 0;
    qsizetype i = anchorStart.size();
    while (i < rest.size() && rest[i] != u'"' && rest[i] != u'<' && rest[i] != u'>')
        ++i;
    if (!rest.mid(i).startsWith(anchorMiddle))
        return 0;
    i += anchorMiddle.size();
    while (i < rest.size() && rest[i] != u'<' && rest[i] != u'>')
        ++i;
    if (!rest.mid(i).startsWith(anchorEnd))
        return 0;
    return i + anchorEnd.size();
}

// Whether the blank at text[at] is one of the anchor markup's own.
bool isAnchorBlank(QStringView text, qsizetype at)
{
    auto matchesAt = [text](qsizetype start, QStringView pattern) {
        return start >= 0 && text.mid(start).startsWith(pattern);
    };
    // "<a href" has its blank at 2, the style text at 1 and before "color".
    return matchesAt(at - 2, plainAnchorStart) || matchesAt(at - 1, plainStyle)
        || matchesAt(at - (plainStyle.size() - 6), plainStyle);
}

bool isWebLink(QStringView word, Qt::CaseSensitivity cs = Qt::CaseSensitive)
{
    return word.startsWith(QLatin1String("http://"), cs)
        || word.startsWith(QLatin1String("https://"), cs);
}

// The value as a list or map, without copying what the decoder made; anything else is
// converted into storage.
template<typename T> const T &as(const QVariant &value, T &storage)
{
    if (value.metaType() == QMetaType::fromType<T>())
        return *static_cast<const T *>(value.constData());
    storage = qvariant_cast<T>(value);
    return storage;
}

// A missing field reads as an invalid value (an empty text, 0, an empty list).
const QVariant &field(const QVariantMap &map, const QString &key)
{
    static const QVariant missing;
    const auto it = map.constFind(key);
    return it == map.cend() ? missing : it.value();
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

QString DataHandler::neutraliseMarkup(QStringView text)
{
    QString out;
    out.reserve(text.size() + 16);
    qsizetype plain = 0;
    for (qsizetype i = text.indexOf(u'<'); i >= 0 && i < text.size(); i = text.indexOf(u'<', i)) {
        if (const qsizetype length = ownAnchorLength(text, i)) {
            appendNeutral(out, text.mid(plain, i - plain));
            out.append(text.mid(i, length));
            i += length;
            plain = i;
        } else {
            ++i;
        }
    }
    appendNeutral(out, text.mid(plain));
    return out;
}

QString DataHandler::serviceWebAddress()
{
    return QStringLiteral("http://zirrup.net");
}

QString DataHandler::findLinks(QString text, bool entitiesHandled)
{
    text = neutraliseMarkup(text);
    // Where our own anchors lie: their words are copied as they are, and a word running into
    // one ends where it begins (after neutraliseMarkup every "<" opens one of them).
    QList<std::pair<qsizetype, qsizetype>> anchors;
    for (qsizetype at = text.indexOf(u'<'); at >= 0; at = text.indexOf(u'<', at + 1)) {
        if (const qsizetype length = ownAnchorLength(text, at)) {
            anchors.append({at, at + length});
            at += length - 1;
        }
    }
    const QList<QStringView> parts = splitWords(text);
    QString out;
    out.reserve(text.size() * 2);
    qsizetype anchor = 0;
    for (qsizetype i = 0; i < parts.size(); ++i) {
        if (i > 0)
            out.append(QLatin1Char(' '));
        QStringView word = parts.at(i);
        const qsizetype offset = word.data() - text.constData();
        while (anchor < anchors.size() && anchors.at(anchor).second <= offset)
            ++anchor;
        if (anchor < anchors.size() && anchors.at(anchor).first <= offset) {
            out.append(word);
            continue;
        }
        QStringView rest;
        if (const qsizetype cut = word.indexOf(u'<'); cut >= 0) {
            rest = word.mid(cut);
            word = word.left(cut);
        }
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
        out.append(rest);
    }
    return out;
}

void DataHandler::parseEntities(QMap<QString, QVariant> entities, QString &text,
                                bool includeMediaEntities)
{
    static const struct
    {
        QString urls = QStringLiteral("urls");
        QString hashtags = QStringLiteral("hashtags");
        QString mentions = QStringLiteral("user_mentions");
        QString media = QStringLiteral("media");
        QString indices = QStringLiteral("indices");
        QString url = QStringLiteral("url");
        QString expandedUrl = QStringLiteral("expanded_url");
        QString displayUrl = QStringLiteral("display_url");
        QString text = QStringLiteral("text");
        QString screenName = QStringLiteral("screen_name");
    } key;

    // Start position -> (target, display); a later entity at the same start replaces an
    // earlier one, so media win over mentions, mentions over hashtags, hashtags over links.
    QMap<int, std::pair<QString, QString>> replacements;
    QVariantList listStorage;
    QVariantMap entityStorage;
    QVariantList indexStorage;
    auto indices = [&](const QVariantMap &entity) {
        const QVariantList &both = as(field(entity, key.indices), indexStorage);
        return std::pair<int, int>(both.value(0).toInt(), both.value(1).toInt());
    };

    for (const QVariant &value : as(field(entities, key.urls), listStorage)) {
        const QVariantMap &entity = as(value, entityStorage);
        const QString url = field(entity, key.url).toString();
        const QString expanded = field(entity, key.expandedUrl).toString();
        replacements.insert(indices(entity).first, {url, expanded.isEmpty() ? url : expanded});
    }

    const std::pair<const QString &, const QString &> tagKinds[] = {{key.hashtags, key.text},
                                                                    {key.mentions, key.screenName}};
    for (const auto &kind : tagKinds) {
        const QChar prefix = &kind.first == &key.hashtags ? u'#' : u'@';
        for (const QVariant &value : as(field(entities, kind.first), listStorage)) {
            const QVariantMap &entity = as(value, entityStorage);
            const auto [start, end] = indices(entity);
            replacements.insert(
                start,
                {text.mid(start, end - start), prefix + field(entity, kind.second).toString()});
        }
    }

    for (const QVariant &value : as(field(entities, key.media), listStorage)) {
        const QVariantMap &entity = as(value, entityStorage);
        const QString url = field(entity, key.url).toString();
        const QString display = field(entity, key.displayUrl).toString();
        replacements.insert(indices(entity).first, {url, display.isEmpty() ? url : display});
        if (includeMediaEntities)
            requestMediaThumbnail(entity);
    }

    // Taken from the end backwards: an entity that reaches past the text, or into one already
    // taken, would cut through text or markup and is left out.
    QVarLengthArray<decltype(replacements)::const_iterator, 16> applied;
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
        applied.append(it);
        limit = start;
    }
    QString out;
    out.reserve(text.size() + applied.size() * 96);
    qsizetype copied = 0;
    for (auto at = applied.crbegin(); at != applied.crend(); ++at) {
        const auto it = *at;
        appendNeutral(out, QStringView(text).mid(copied, it.key() - copied));
        appendAnchor(out, it->first, it->second);
        copied = it.key() + it->first.size();
    }
    appendNeutral(out, QStringView(text).mid(copied));
    text = out;
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
        // Answered at once: no request of the adapter's list stands for it.
        m_timelineView.onTinyUrlThumbLoaded(fileUrl, -1, key);
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
    const QStringView view(text);
    qsizetype start = 0;
    while (start <= view.size()) {
        qsizetype end = view.indexOf(u' ', start);
        if (end < 0)
            end = view.size();
        if (view.mid(start, end - start).isRightToLeft())
            return true;
        start = end + 1;
    }
    return false;
}

QStringList DataHandler::splitText(QString text, bool reversed)
{
    // The blanks that belong to the anchor markup ("<a href" and the two in the style
    // attribute) do not separate words, so an anchor stays whole.
    text = neutraliseMarkup(text);
    const QStringView view(text);
    const bool base = hasRightToLeftText(text);

    QStringList result;
    bool havePrevious = false;
    bool previousDirection = base;
    qsizetype runPosition = 0;
    auto place = [&](QStringView slice, bool withBlank) {
        QString piece;
        piece.reserve(slice.size() + 1);
        piece.append(slice);
        if (withBlank)
            piece.append(QLatin1Char(' '));
        const bool direction = piece.isRightToLeft();
        if (direction == base) {
            if (havePrevious && previousDirection != base)
                result.append(QStringLiteral(" "));
            result.append(std::move(piece));
        } else {
            // A run of the other direction comes out in reverse order.
            if (!havePrevious || previousDirection == base)
                runPosition = result.size();
            result.insert(runPosition, std::move(piece));
        }
        havePrevious = true;
        previousDirection = direction;
    };

    // One part of a word: from the start of the word or of an anchor to the next anchor. It
    // is cut after every "</a>"; an empty piece ends it.
    auto cutPart = [&](qsizetype from, qsizetype to, bool endsWord, bool withBlank) {
        while (true) {
            const qsizetype close = view.mid(from, to - from).indexOf(closingAnchor);
            if (close < 0) {
                const bool blank = endsWord && withBlank;
                if (to > from || blank)
                    place(view.mid(from, to - from), blank);
                return;
            }
            if (close == 0)
                return;
            const qsizetype end = from + close + closingAnchor.size();
            place(view.mid(from, end - from), false);
            from = end;
            if (from == to && !(endsWord && withBlank))
                return;
        }
    };

    auto cutWord = [&](qsizetype from, qsizetype to, bool withBlank) {
        qsizetype partStart = from;
        for (bool first = true;; first = false) {
            // A part after the first begins with the anchor it was cut at.
            const qsizetype searchFrom = first ? from : partStart + 1;
            const qsizetype found = view.mid(searchFrom, to - searchFrom).indexOf(plainAnchorStart);
            const qsizetype partEnd = found < 0 ? to : searchFrom + found;
            cutPart(partStart, partEnd, partEnd == to, withBlank);
            if (found < 0)
                return;
            partStart = partEnd;
        }
    };

    qsizetype wordStart = 0;
    for (qsizetype i = 0; i < view.size(); ++i) {
        const char16_t c = view[i].unicode();
        // One of our anchors is never cut, whatever blanks its link or its text hold.
        if (c == u'<') {
            if (const qsizetype length = ownAnchorLength(view, i)) {
                i += length - 1;
                continue;
            }
        }
        if (!(c == u' ' || (c >= u'\t' && c <= u'\r')) || isAnchorBlank(view, i))
            continue;
        cutWord(wordStart, i, true);
        wordStart = i + 1;
    }
    cutWord(wordStart, view.size(), false);

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
