#ifndef SANDBOX_SANDBOXCONTEXT_H
#define SANDBOX_SANDBOXCONTEXT_H

#include <QString>

class AccessRules;
class AccountStore;
class Database;
class LinkStore;
class MediaService;
class PlaceTable;
class StreamHub;

// The parts of the service every request handler may need. Owned by SandboxServer.
struct SandboxContext
{
    Database *db = nullptr;
    AccountStore *accounts = nullptr;
    AccessRules *rules = nullptr;
    LinkStore *links = nullptr;
    PlaceTable *places = nullptr;
    MediaService *media = nullptr;
    StreamHub *hub = nullptr;
    // The service's own address, e.g. http://127.0.0.1:8123 (no trailing slash).
    QString baseUrl;
};

#endif // SANDBOX_SANDBOXCONTEXT_H
