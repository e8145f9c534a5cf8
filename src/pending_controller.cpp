// Placeholder bodies of controller functions that the adapters call. The refresh, markup,
// time-string and compose work replaces each with its real implementation and removes this file.
#include "datahandler.h"

void DataHandler::restoreListPosition(int) { }
QString DataHandler::parseSourceName(QString)
{
    return QString();
}
QString DataHandler::convertServiceDateTime(QString, bool)
{
    return QString();
}
void DataHandler::postLastIdUpdate(QVariantList) { }
void DataHandler::emitNewTweets() { }
void DataHandler::emitNewMentions() { }
void DataHandler::emitNewMessages() { }
void DataHandler::parseEntities(QMap<QString, QVariant>, QString &, bool) { }
QString DataHandler::createTimeString(QString)
{
    return QString();
}
QString DataHandler::createDetailTimeString(QString)
{
    return QString();
}
QString DataHandler::createSectionTimeString(QString)
{
    return QString();
}
