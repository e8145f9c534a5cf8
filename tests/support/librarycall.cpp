#include "librarycall.h"

#include <functional>

namespace {
// A query type given as a number, for whichever enumeration the call takes.
struct QueryType
{
    int value;
    template<typename Enum> operator Enum() const { return Enum(value); }
};
} // namespace

int callLibrary(Zr::Zirrup *b, const LibraryCall &call, int *id, QVariantList *list, QString *file)
{
    const Zr::ArgMap &args = call.args;
    const QueryType type {call.type};
    const Zr::RetrieveBehavior behavior = call.behavior;
    const QByteArray image = call.files.isEmpty() ? QByteArray() : call.files.first();
    QVariantMap help;
    QString stored;
    const QHash<QString, std::function<int()>> calls {
        {"writeStatus", [&] { return b->writeStatus(args, id); }},
        {"retrieveStatus", [&] { return b->retrieveStatus(list, args, id); }},
        {"retweetStatus", [&] { return b->retweetStatus(args, id); }},
        {"deleteStatus", [&] { return b->deleteStatus(args, id); }},
        {"createFavorite", [&] { return b->createFavorite(args, id); }},
        {"destroyFavorite", [&] { return b->destroyFavorite(args, id); }},
        {"retrieveFavorites", [&] { return b->retrieveFavorites(list, id, args, behavior); }},
        {"writeDirectMessage", [&] { return b->writeDirectMessage(args, id); }},
        {"deleteDirectMessage", [&] { return b->deleteDirectMessage(args, id); }},
        {"createFriendship", [&] { return b->createFriendship(args, id); }},
        {"destroyFriendship", [&] { return b->destroyFriendship(args, id); }},
        {"friendshipExists", [&] { return b->friendshipExists(list, args, id); }},
        {"createBlock", [&] { return b->createBlock(args, id); }},
        {"destroyBlock", [&] { return b->destroyBlock(args, id); }},
        {"retrieveBlockedIdsList", [&] { return b->retrieveBlockedIdsList(list, id, behavior); }},
        {"UrlToSnip", [&] { return b->UrlToSnip(args.value("url"), id); }},
        {"startStreaming", [&] { return b->startStreaming(args, id); }},
        {"postStatusWithMedia", [&] { return b->postStatusWithMedia(args, id, call.files); }},
        {"retrieveTinyUrlImage",
         [&] { return b->retrieveTinyUrlImage(args, file ? file : &stored, id); }},
        {"retrieveTimelineResources",
         [&] { return b->retrieveTimelineResources(list, id, type, args, behavior); }},
        {"retrieveDirectMessages",
         [&] { return b->retrieveDirectMessages(list, id, type, args, behavior); }},
        {"retrieveUserResources",
         [&] { return b->retrieveUserResources(list, id, type, args, behavior); }},
        {"retrieveFaFResources",
         [&] { return b->retrieveFaFResources(list, type, args, id, behavior); }},
        {"retrieveAccountResources",
         [&] { return b->retrieveAccountResources(id, type, args, image); }},
        {"searchResources", [&] { return b->searchResources(args, id, type); }},
        {"retrieveTrends", [&] { return b->retrieveTrends(list, id, type, args, behavior); }},
        {"retrieveHelp",
         [&] { return b->retrieveHelp(type, list ? &help : nullptr, args, id, behavior); }},
        {"retrieveSavedSearch", [&] { return b->retrieveSavedSearch(type, args, id); }},
        {"retrieveGeo", [&] { return b->retrieveGeo(list, type, args, id, behavior); }},
        {"retrieveList", [&] { return b->retrieveList(type, args, id); }},
    };
    const auto found = calls.find(call.name);
    if (found == calls.end())
        qFatal("no call %s", qPrintable(call.name));
    const int result = (*found)();
    if (list && !help.isEmpty())
        list->append(help);
    return result;
}

QMetaMethod librarySignal(const QByteArray &name)
{
    const QMetaObject &meta = Zr::Zirrup::staticMetaObject;
    for (int i = meta.methodOffset(); i < meta.methodCount(); ++i) {
        if (meta.method(i).methodType() == QMetaMethod::Signal && meta.method(i).name() == name)
            return meta.method(i);
    }
    return {};
}
