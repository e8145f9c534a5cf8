#ifndef SANDBOX_LINKSTORE_H
#define SANDBOX_LINKSTORE_H

#include <QObject>
#include <QRegularExpression>

class Database;

// Wrapped links: every link stored in a text becomes <base>/l/<code>. Texts are stored with
// a marker in place of the base address, so a database keeps working when the service
// moves to another port; expand() puts the current address back.
class LinkStore : public QObject
{
    Q_OBJECT
public:
    // Stands for the service's address in stored texts; posted texts never hold it.
    static const QChar baseMarker;
    static constexpr int codeLength = 5;

    explicit LinkStore(Database *db, QObject *parent = nullptr);

    // The text to store for a plain posted text: each http:// or https:// link wrapped
    // (links that already are wrapped links of this service are kept).
    QString wrapText(const QString &text, const QString &baseUrl);
    // The code of a long link, made on first use; the same link always gets the same code.
    QString codeFor(const QString &longUrl);
    // The long link stored for a code (empty when unknown); the second form puts the
    // service's address into links that point back at the service.
    QString longUrl(const QString &code) const;
    QString longUrl(const QString &code, const QString &baseUrl) const;
    // The code when link is a known wrapped link of this service, else empty.
    QString wrappedCode(const QString &link, const QString &baseUrl) const;

    QString wrappedLink(const QString &code, const QString &baseUrl) const;
    static QString expand(const QString &stored, const QString &baseUrl);
    // Without scheme and a leading "www.", cut to 26 characters and an ellipsis.
    static QString displayUrl(const QString &longUrl);
    // Removes control characters that have no place in a text (keeps line breaks and tabs).
    static QString sanitize(const QString &text);

    // http:// or https:// up to white space, without trailing punctuation.
    static QList<QPair<int, int>> findLinks(const QString &text);

private:
    Database *m_db;
};

#endif // SANDBOX_LINKSTORE_H
