#include "apierror.h"

ApiError::ApiError(int status, const QString &message)
    : m_status(status)
    , m_message(message)
{ }

ApiError ApiError::missing(const QString &parameter)
{
    return ApiError(400, QStringLiteral("Missing parameter: ") + parameter);
}

ApiError ApiError::invalid(const QString &parameter)
{
    return ApiError(400, QStringLiteral("Invalid parameter: ") + parameter);
}

ApiError ApiError::notFound()
{
    return ApiError(404, QStringLiteral("Not found"));
}

ApiError ApiError::notAuthorized()
{
    return ApiError(403, QStringLiteral("Not authorized"));
}

ApiError ApiError::forbidden(const QString &message)
{
    return ApiError(403, message);
}

ApiError ApiError::unauthenticated()
{
    return ApiError(401, QStringLiteral("Could not authenticate with OAuth."));
}

ApiError ApiError::tooLarge()
{
    return ApiError(413, QStringLiteral("Request entity too large"));
}

ApiError ApiError::internal()
{
    return ApiError(500, QStringLiteral("Internal error"));
}
