// Placeholder bodies of timeline functions that the controller calls. The timelines work
// replaces each with its real implementation and removes this file.
#include "timelineview.h"

bool TimelineView::hasThumbnailRequest(const QString &) const
{
    return false;
}
void TimelineView::addThumbnailRequest(int, const QString &) { }
QList<QPair<QString, bool>> TimelineView::uploadImages() const
{
    return {};
}
void TimelineView::loadHomeTimelineData() { }
void TimelineView::updateSectionData() { }
void TimelineView::setCatchingUp(bool) { }
bool TimelineView::isCatchingUp()
{
    return false;
}
void TimelineView::onTinyUrlThumbLoaded(QString, int, QString) { }
void TimelineView::addUploadImage(QString, bool, float) { }
void TimelineView::removeUploadImage(QString) { }
void TimelineView::cleanUploadImages() { }
int TimelineView::uploadImageCount()
{
    return 0;
}
