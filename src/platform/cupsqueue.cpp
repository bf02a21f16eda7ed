#include "platform/cupsqueue.h"

#include "platform/lazylibrary.h"

#include <QStringList>

#include <cups/cups.h>

#include <memory>
#include <mutex>

namespace cupsqueue {
namespace {

// The print system's library is loaded at the first question to it, not at the start.
#define BRAINLOFT_CUPS_FUNCTIONS(X)                                                                                    \
    X(cupsGetDests2) X(cupsFreeDests) X(cupsGetDest) X(cupsAddOption) X(cupsFreeOptions) X(cupsPrintFile2)            \
    X(cupsDoRequest) X(cupsLastError) X(cupsLastErrorString) X(httpAssembleURIf) X(ippNewRequest) X(ippAddString)     \
    X(ippAddStrings) X(ippDelete) X(ippFindAttribute) X(ippGetCount) X(ippGetValueTag) X(ippGetBoolean)               \
    X(ippGetInteger) X(ippGetString)

struct CupsApi {
    LAZYLIBRARY_POINTERS(BRAINLOFT_CUPS_FUNCTIONS)
};

// Null when the library cannot be loaded: then there is no print system to ask.
const CupsApi* Cups()
{
    static std::once_flag once;
    static CupsApi api;
    static bool loaded = false;
    std::call_once(once, [] {
        void* library = lazylibrary::Open({"libcups.so.2", "libcups.so"});
        if (!library)
            return;
        bool complete = true;
        LAZYLIBRARY_RESOLVE(BRAINLOFT_CUPS_FUNCTIONS, library, api, complete);
        loaded = complete;
    });
    return loaded ? &api : nullptr;
}

struct Dests {
    int count = 0;
    cups_dest_t* list = nullptr;
    const CupsApi* c;
    explicit Dests(const CupsApi* api) : c(api) { count = c->cupsGetDests2(CUPS_HTTP_DEFAULT, &list); }
    ~Dests() { c->cupsFreeDests(count, list); }
    Dests(const Dests&) = delete;
    Dests& operator=(const Dests&) = delete;
};

// One of the queue's attributes as text ("" when it has none).
QString text(const CupsApi* c, ipp_t* answer, const char* name)
{
    ipp_attribute_t* attribute = c->ippFindAttribute(answer, name, IPP_TAG_ZERO);
    if (!attribute)
        return QString();
    QStringList values;
    for (int i = 0; i < c->ippGetCount(attribute); ++i) {
        if (c->ippGetValueTag(attribute) == IPP_TAG_BOOLEAN)
            values << (c->ippGetBoolean(attribute, i) ? QStringLiteral("true") : QStringLiteral("false"));
        else if (c->ippGetValueTag(attribute) == IPP_TAG_ENUM || c->ippGetValueTag(attribute) == IPP_TAG_INTEGER)
            values << QString::number(c->ippGetInteger(attribute, i));
        else if (const char* value = c->ippGetString(attribute, i, nullptr))
            values << QString::fromUtf8(value);
    }
    return values.join(QLatin1Char(','));
}

} // namespace

QString DefaultQueue()
{
    const CupsApi* c = Cups();
    if (!c)
        return QString();
    Dests dests(c);
    const cups_dest_t* dest = c->cupsGetDest(nullptr, nullptr, dests.count, dests.list);
    return dest ? QString::fromUtf8(dest->name) : QString();
}

QString Refusal(const QString& queue)
{
    const CupsApi* c = Cups();
    if (!c)
        return queue + QStringLiteral(": there is no print system to take the job");
    char uri[HTTP_MAX_URI];
    c->httpAssembleURIf(HTTP_URI_CODING_ALL, uri, sizeof uri, "ipp", nullptr, "localhost", 0, "/printers/%s",
                     queue.toUtf8().constData());
    ipp_t* request = c->ippNewRequest(IPP_OP_GET_PRINTER_ATTRIBUTES);
    c->ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, uri);
    static const char* const wanted[] = {"printer-state", "printer-state-message", "printer-state-reasons",
                                         "printer-is-accepting-jobs"};
    c->ippAddStrings(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", 4, nullptr, wanted);
    std::unique_ptr<ipp_t, decltype(c->ippDelete)> answer(c->cupsDoRequest(CUPS_HTTP_DEFAULT, request, "/"), c->ippDelete);
    const QString error = LastError();
    if (!answer || !error.isEmpty())
        return queue + QStringLiteral(": ") + (error.isEmpty() ? QStringLiteral("the print system does not answer") : error);

    QString message = text(c, answer.get(), "printer-state-message");
    if (message.isEmpty()) {
        message = text(c, answer.get(), "printer-state-reasons");
        if (message == QLatin1String("none"))
            message.clear();
    }
    const auto because = [&message](const QString& what) {
        return message.isEmpty() ? what : what + QStringLiteral(": ") + message;
    };
    if (text(c, answer.get(), "printer-is-accepting-jobs") == QLatin1String("false"))
        return because(queue + QStringLiteral(" is not accepting jobs"));
    if (text(c, answer.get(), "printer-state").toInt() == IPP_PSTATE_STOPPED)
        return because(queue + QStringLiteral(" is stopped"));
    return QString();
}

int Submit(const QString& queue, const QString& path, const QString& title, QString* why)
{
    const QString refusal = Refusal(queue);
    if (!refusal.isEmpty()) {
        if (why)
            *why = refusal;
        return 0;
    }
    const CupsApi* c = Cups();
    cups_option_t* options = nullptr;
    const int count = c->cupsAddOption("document-format", CUPS_FORMAT_PDF, 0, &options);
    const int job = c->cupsPrintFile2(CUPS_HTTP_DEFAULT, queue.toUtf8().constData(), path.toLocal8Bit().constData(),
                                   title.toUtf8().constData(), count, options);
    c->cupsFreeOptions(count, options);
    if (job <= 0 && why)
        *why = QString::fromUtf8(c->cupsLastErrorString());
    return job > 0 ? job : 0;
}

QString LastError()
{
    const CupsApi* c = Cups();
    if (!c)
        return QString();
    if (c->cupsLastError() < IPP_STATUS_REDIRECTION_OTHER_SITE)
        return QString();
    return QString::fromUtf8(c->cupsLastErrorString());
}

} // namespace cupsqueue
