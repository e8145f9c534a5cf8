#include "linkstore.h"

#include "database.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QUrl>

const QChar LinkStore::baseMarker = QChar(0x1);

static const char alphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";

LinkStore::LinkStore(Database *db, QObject *parent)
    : QObject(parent)
    , m_db(db)
{ }

QList<QPair<int, int>> LinkStore::findLinks(const QString &text)
{
    static const QRegularExpression pattern(QStringLiteral("https?://[^\\s<>\"]+"),
                                            QRegularExpression::CaseInsensitiveOption);
    QList<QPair<int, int>> ranges;
    auto it = pattern.globalMatch(text);
    while (it.hasNext()) {
        const QRegularExpressionMatch m = it.next();
        int start = int(m.capturedStart());
        int end = int(m.capturedEnd());
        // Punctuation that ends a sentence is not part of the link; nor is a closing
        // parenthesis that was opened before it.
        while (end > start) {
            const QChar last = text.at(end - 1);
            if (QStringLiteral(".,;:!?'").contains(last)) {
                --end;
            } else if (last == QLatin1Char(')')
                       && !text.mid(start, end - start).contains(QLatin1Char('('))) {
                --end;
            } else {
                break;
            }
        }
        const QUrl url(text.mid(start, end - start), QUrl::StrictMode);
        if (url.isValid() && !url.host().isEmpty())
            ranges.append({start, end});
    }
    return ranges;
}

QString LinkStore::wrapText(const QString &text, const QString &baseUrl)
{
    const QList<QPair<int, int>> links = findLinks(text);
    QString result = text;
    for (auto it = links.crbegin(); it != links.crend(); ++it) {
        const QString link = text.mid(it->first, it->second - it->first);
        QString code = wrappedCode(link, baseUrl);
        if (code.isEmpty())
            code = codeFor(link);
        result.replace(it->first, it->second - it->first,
                       baseMarker + QStringLiteral("/l/") + code);
    }
    return result;
}

QString LinkStore::codeFor(const QString &longUrl)
{
    const QString existing =
        m_db->scalar(QStringLiteral("SELECT code FROM links WHERE url = ?"), {longUrl}).toString();
    if (!existing.isEmpty())
        return existing;
    // Derived from the link, so a seeded world gets the same codes every time.
    for (int attempt = 0; attempt < 64; ++attempt) {
        const QByteArray digest = QCryptographicHash::hash(
            longUrl.toUtf8() + '#' + QByteArray::number(attempt), QCryptographicHash::Sha256);
        const int length = codeLength + qMin(attempt / 16, 3);
        QString code;
        for (int i = 0; i < length; ++i)
            code += QLatin1Char(alphabet[static_cast<unsigned char>(digest[i]) % 62]);
        if (!m_db->exists(QStringLiteral("SELECT 1 FROM links WHERE code = ?"), {code})) {
            m_db->exec(QStringLiteral("INSERT INTO links (code, url, created_at) VALUES (?, ?, ?)"),
                       {code, longUrl, QDateTime::currentSecsSinceEpoch()});
            return code;
        }
    }
    throw std::runtime_error("no free link code");
}

QString LinkStore::longUrl(const QString &code) const
{
    return m_db->scalar(QStringLiteral("SELECT url FROM links WHERE code = ?"), {code}).toString();
}

QString LinkStore::longUrl(const QString &code, const QString &baseUrl) const
{
    return expand(longUrl(code), baseUrl);
}

QString LinkStore::wrappedCode(const QString &link, const QString &baseUrl) const
{
    const QString prefix = baseUrl + QStringLiteral("/l/");
    if (!link.startsWith(prefix, Qt::CaseInsensitive))
        return {};
    const QString code = link.mid(prefix.size());
    static const QRegularExpression codePattern(QStringLiteral("^[A-Za-z0-9]{5,8}$"));
    if (!codePattern.match(code).hasMatch() || longUrl(code).isEmpty())
        return {};
    return code;
}

QString LinkStore::wrappedLink(const QString &code, const QString &baseUrl) const
{
    return baseUrl + QStringLiteral("/l/") + code;
}

QString LinkStore::expand(const QString &stored, const QString &baseUrl)
{
    QString text = stored;
    return text.replace(baseMarker, baseUrl);
}

QString LinkStore::displayUrl(const QString &longUrl)
{
    QString display = longUrl;
    static const QRegularExpression scheme(QStringLiteral("^https?://"),
                                           QRegularExpression::CaseInsensitiveOption);
    display.remove(scheme);
    if (display.startsWith(QLatin1String("www."), Qt::CaseInsensitive))
        display.remove(0, 4);
    if (display.size() > 26)
        display = display.left(26) + QChar(0x2026);
    return display;
}

QString LinkStore::sanitize(const QString &text)
{
    QString clean;
    clean.reserve(text.size());
    for (const QChar c : text) {
        if (c == QLatin1Char('\r'))
            continue;
        if (c.unicode() < 0x20 && c != QLatin1Char('\n') && c != QLatin1Char('\t'))
            continue;
        if (c.unicode() == 0x7f)
            continue;
        clean += c;
    }
    return clean;
}
