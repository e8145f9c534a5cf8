// Placeholder bodies of the messages and profile forwarders that the timelines and the
// controller call. The people work replaces each with its real implementation and removes
// this file.
#include "datahandler.h"

void DataHandler::onDirectMessageAdded(QVariantList, bool) { }
void DataHandler::onDirectMessageDeleted(QMap<QString, QString>) { }
void DataHandler::updateProfileView(QString, bool) { }
QString DataHandler::getProfileImage(QString, QString, bool, ProfileView::ProfileImageSize)
{
    return QString();
}
