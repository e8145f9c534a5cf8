#include "textentities.h"

#include "linkstore.h"

#include <QJsonArray>
#include <QRegularExpression>

static bool overlaps(const TextEntities::Span &span, const QList<TextEntities::Span> &others)
{
    for (const TextEntities::Span &other : others) {
        if (span.start < other.end && other.start < span.end)
            return true;
    }
    return false;
}

static QJsonArray indices(const TextEntities::Span &span, const QVector<int> &offsets)
{
    return QJsonArray {offsets.at(span.start), offsets.at(span.end)};
}

QString TextEntities::escape(const QString &plain, QVector<int> *offsets)
{
    QString escaped;
    escaped.reserve(plain.size() + 16);
    if (offsets) {
        offsets->clear();
        offsets->reserve(plain.size() + 1);
    }
    for (const QChar c : plain) {
        if (offsets)
            offsets->append(int(escaped.size()));
        if (c == QLatin1Char('&'))
            escaped += QLatin1String("&amp;");
        else if (c == QLatin1Char('<'))
            escaped += QLatin1String("&lt;");
        else if (c == QLatin1Char('>'))
            escaped += QLatin1String("&gt;");
        else
            escaped += c;
    }
    if (offsets)
        offsets->append(int(escaped.size()));
    return escaped;
}

QList<TextEntities::Span> TextEntities::links(const QString &plain, const QString &baseUrl)
{
    QList<Span> spans;
    const QRegularExpression pattern(QRegularExpression::escape(baseUrl)
                                         + QStringLiteral("/l/([A-Za-z0-9]{5,8})(?![A-Za-z0-9])"),
                                     QRegularExpression::CaseInsensitiveOption);
    auto it = pattern.globalMatch(plain);
    while (it.hasNext()) {
        const QRegularExpressionMatch m = it.next();
        spans.append({int(m.capturedStart()), int(m.capturedEnd()), m.captured(1)});
    }
    return spans;
}

QList<TextEntities::Span> TextEntities::mentions(const QString &plain, const QString &baseUrl)
{
    static const QRegularExpression pattern(
        QStringLiteral("(?<![\\p{L}\\p{N}])@([A-Za-z0-9_]{1,15})(?![A-Za-z0-9_])"));
    const QList<Span> linkSpans = links(plain, baseUrl);
    QList<Span> spans;
    auto it = pattern.globalMatch(plain);
    while (it.hasNext()) {
        const QRegularExpressionMatch m = it.next();
        const Span span {int(m.capturedStart()), int(m.capturedEnd()), m.captured(1)};
        if (!overlaps(span, linkSpans))
            spans.append(span);
    }
    return spans;
}

QList<TextEntities::Span> TextEntities::hashtags(const QString &plain, const QString &baseUrl)
{
    static const QRegularExpression pattern(
        QStringLiteral("(?<![\\p{L}\\p{N}_])#([\\p{L}\\p{N}_]+)"));
    static const QRegularExpression letter(QStringLiteral("\\p{L}"));
    const QList<Span> linkSpans = links(plain, baseUrl);
    QList<Span> spans;
    auto it = pattern.globalMatch(plain);
    while (it.hasNext()) {
        const QRegularExpressionMatch m = it.next();
        const Span span {int(m.capturedStart()), int(m.capturedEnd()), m.captured(1)};
        if (span.value.contains(letter) && !overlaps(span, linkSpans))
            spans.append(span);
    }
    return spans;
}

QJsonObject TextEntities::compute(const QString &plain, const Lookup &lookup)
{
    QVector<int> offsets;
    escape(plain, &offsets);

    QJsonArray urls;
    QJsonArray media;
    for (const Span &span : links(plain, lookup.baseUrl)) {
        const QString wrapped = plain.mid(span.start, span.end - span.start);
        if (!lookup.mediaCode.isEmpty() && span.value == lookup.mediaCode) {
            QJsonObject entity = lookup.media;
            entity.insert(QStringLiteral("url"), wrapped);
            entity.insert(QStringLiteral("indices"), indices(span, offsets));
            media.append(entity);
            continue;
        }
        const QString longUrl = lookup.longUrl ? lookup.longUrl(span.value) : QString();
        if (longUrl.isEmpty())
            continue;
        urls.append(QJsonObject {{QStringLiteral("url"), wrapped},
                                 {QStringLiteral("expanded_url"), longUrl},
                                 {QStringLiteral("display_url"), LinkStore::displayUrl(longUrl)},
                                 {QStringLiteral("indices"), indices(span, offsets)}});
    }

    QJsonArray hashtagArray;
    for (const Span &span : hashtags(plain, lookup.baseUrl)) {
        hashtagArray.append(QJsonObject {{QStringLiteral("text"), span.value},
                                         {QStringLiteral("indices"), indices(span, offsets)}});
    }

    QJsonArray mentionArray;
    for (const Span &span : mentions(plain, lookup.baseUrl)) {
        const std::optional<UserRef> user = lookup.user ? lookup.user(span.value) : std::nullopt;
        if (!user)
            continue;
        mentionArray.append(QJsonObject {{QStringLiteral("screen_name"), user->screenName},
                                         {QStringLiteral("name"), user->name},
                                         {QStringLiteral("id"), user->id},
                                         {QStringLiteral("id_str"), QString::number(user->id)},
                                         {QStringLiteral("indices"), indices(span, offsets)}});
    }

    return QJsonObject {{QStringLiteral("urls"), urls},
                        {QStringLiteral("hashtags"), hashtagArray},
                        {QStringLiteral("user_mentions"), mentionArray},
                        {QStringLiteral("media"), media}};
}
