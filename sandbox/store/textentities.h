#ifndef SANDBOX_TEXTENTITIES_H
#define SANDBOX_TEXTENTITIES_H

#include <QJsonObject>
#include <QList>
#include <QString>
#include <QVector>

#include <functional>
#include <optional>

// Entities found in a stored text: mentions of existing users, hashtags, wrapped links and
// the attached picture. Positions are computed on the plain text and sent as UTF-16 offsets
// into the escaped text ("&amp;", "&lt;", "&gt;"), the way the text goes out.
class TextEntities
{
public:
    struct UserRef
    {
        qint64 id = 0;
        QString screenName;
        QString name;
    };
    struct Span
    {
        int start = 0; // in the plain text
        int end = 0;
        QString value; // screen name, tag or link code
    };
    struct Lookup
    {
        std::function<std::optional<UserRef>(const QString &screenName)> user;
        std::function<QString(const QString &code)> longUrl; // empty: no such link
        QString baseUrl;
        // The attached picture: its link code and its media record (without indices).
        QString mediaCode;
        QJsonObject media;
    };

    // Escapes &, < and >; offsets[i] is where plain position i lands (size + 1 entries).
    static QString escape(const QString &plain, QVector<int> *offsets = nullptr);

    static QList<Span> links(const QString &plain, const QString &baseUrl);
    // Mention candidates: "@" and 1-15 letters, digits or "_", not after a letter or digit.
    static QList<Span> mentions(const QString &plain, const QString &baseUrl);
    // "#" and letters, digits or "_" with at least one letter.
    static QList<Span> hashtags(const QString &plain, const QString &baseUrl);

    static QJsonObject compute(const QString &plain, const Lookup &lookup);
};

#endif // SANDBOX_TEXTENTITIES_H
