#ifndef SANDBOX_APIERROR_H
#define SANDBOX_APIERROR_H

#include <QString>

// An answer that refuses a request. Thrown by the request handlers and their helpers and
// caught once, where the request is dispatched, so every refusal leaves the same way (and
// an open transaction rolls back on the way out).
class ApiError
{
public:
    ApiError(int status, const QString &message);

    int status() const { return m_status; }
    QString message() const { return m_message; }

    static ApiError missing(const QString &parameter);
    static ApiError invalid(const QString &parameter);
    static ApiError notFound();
    static ApiError notAuthorized();
    static ApiError forbidden(const QString &message);
    static ApiError unauthenticated();
    static ApiError tooLarge();
    static ApiError internal();

private:
    int m_status;
    QString m_message;
};

#endif // SANDBOX_APIERROR_H
