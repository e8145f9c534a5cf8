// The link and entity markup: findLinks, parseEntities with entity positions the input
// chooses, and splitText of the result. Whatever the text, the rich text made from it holds
// no markup but our own anchors.

#include "datahandler.h"

#include <QGuiApplication>

#include <cstddef>
#include <cstdint>
#include <cstdio>

namespace {
DataHandler *handler = nullptr;

// Reads small numbers off the front of the input; what is left is the text.
struct Bytes
{
    const uint8_t *data;
    size_t size;
    int take(int range)
    {
        if (size == 0)
            return 0;
        const int value = (int(data[0]) * 7) % range - range / 8;
        ++data;
        --size;
        return value;
    }
};

void quiet(QtMsgType, const QMessageLogContext &, const QString &) { }

// Shows what went wrong before stopping, so that a finding can be read from the log.
[[noreturn]] void fail(const char *what, const QString &text)
{
    std::fprintf(stderr, "%s: %s\n", what, text.toUtf8().constData());
    __builtin_trap();
}

// Our anchors taken out, no "<" or ">" may be left.
bool onlyOwnMarkup(QString text)
{
    static const QString start = QStringLiteral("<a href=\"");
    static const QString middle =
        QStringLiteral("\" style=\"text-decoration:none; color:#4d6980\">");
    for (qsizetype at = text.indexOf(start); at >= 0; at = text.indexOf(start, at)) {
        const qsizetype mid = text.indexOf(middle, at);
        const qsizetype end = text.indexOf(QLatin1String("</a>"), at);
        if (mid < 0 || end < mid)
            return false;
        text.remove(at, end + 4 - at);
    }
    return !text.contains(QLatin1Char('<')) && !text.contains(QLatin1Char('>'));
}
} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(quiet);
    new QGuiApplication(*argc, *argv);
    handler = DataHandler::instance();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    Bytes in {data, size};
    const int count = in.take(8) & 7;
    const int textLength = int(in.size > size_t(count) * 2 ? in.size - count * 2 : in.size);
    QVariantList hashtags, mentions, urls, media;
    for (int i = 0; i < count; ++i) {
        const int start = in.take(textLength + 16);
        const int end = start + in.take(24);
        const QVariantMap entity {{QStringLiteral("indices"), QVariantList {start, end}},
                                  {QStringLiteral("text"), QStringLiteral("t<g>")},
                                  {QStringLiteral("screen_name"), QStringLiteral("a\"b")},
                                  {QStringLiteral("url"), QStringLiteral("http://x/\"<y>")},
                                  {QStringLiteral("expanded_url"), QStringLiteral("<img src=x>")},
                                  {QStringLiteral("display_url"), QString()}};
        QVariantList *lists[] = {&hashtags, &mentions, &urls, &media};
        lists[i % 4]->append(entity);
    }
    const QString text =
        QString::fromUtf8(reinterpret_cast<const char *>(in.data), qsizetype(in.size));

    QString marked = text;
    handler->parseEntities({{QStringLiteral("hashtags"), hashtags},
                            {QStringLiteral("user_mentions"), mentions},
                            {QStringLiteral("urls"), urls},
                            {QStringLiteral("media"), media}},
                           marked);
    if (!onlyOwnMarkup(marked))
        fail("parseEntities", marked);
    const QString linked = handler->findLinks(marked, (size & 1) != 0);
    if (!onlyOwnMarkup(linked))
        fail("findLinks", linked);
    const QString raw = handler->findLinks(text);
    if (!onlyOwnMarkup(raw))
        fail("findLinks of the raw text", raw);
    for (const QString &piece : handler->splitText(linked, (size & 2) != 0)) {
        if (!onlyOwnMarkup(piece))
            fail("splitText", piece);
    }
    handler->hasRightToLeftText(text);
    handler->parseSourceName(text);
    return 0;
}
