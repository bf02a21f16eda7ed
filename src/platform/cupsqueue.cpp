#include "platform/cupsqueue.h"

#include <QStringList>

#include <cups/cups.h>

#include <memory>


namespace cupsqueue {
namespace {

struct Dests {
    int count = 0;
    cups_dest_t* list = nullptr;
    Dests() { count = cupsGetDests2(CUPS_HTTP_DEFAULT, &list); }
    ~Dests() { cupsFreeDests(count, list); }
    Dests(const Dests&) = delete;
    Dests& operator=(const Dests&) = delete;
};

// One of the queue's attributes as text ("" when it has none).
QString text(ipp_t* answer, const char* name)
{
    ipp_attribute_t* attribute = ippFindAttribute(answer, name, IPP_TAG_ZERO);
    if (!attribute)
        return QString();
    QStringList values;
    for (int i = 0; i < ippGetCount(attribute); ++i) {
        if (ippGetValueTag(attribute) == IPP_TAG_BOOLEAN)
            values << (ippGetBoolean(attribute, i) ? QStringLiteral("true") : QStringLiteral("false"));
        else if (ippGetValueTag(attribute) == IPP_TAG_ENUM || ippGetValueTag(attribute) == IPP_TAG_INTEGER)
            values << QString::number(ippGetInteger(attribute, i));
        else if (const char* value = ippGetString(attribute, i, nullptr))
            values << QString::fromUtf8(value);
    }
    return values.join(QLatin1Char(','));
}

} // namespace

QString DefaultQueue()
{
    Dests dests;
    const cups_dest_t* dest = cupsGetDest(nullptr, nullptr, dests.count, dests.list);
    return dest ? QString::fromUtf8(dest->name) : QString();
}

QString Refusal(const QString& queue)
{
    char uri[HTTP_MAX_URI];
    httpAssembleURIf(HTTP_URI_CODING_ALL, uri, sizeof uri, "ipp", nullptr, "localhost", 0, "/printers/%s",
                     queue.toUtf8().constData());
    ipp_t* request = ippNewRequest(IPP_OP_GET_PRINTER_ATTRIBUTES);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, uri);
    static const char* const wanted[] = {"printer-state", "printer-state-message", "printer-state-reasons",
                                         "printer-is-accepting-jobs"};
    ippAddStrings(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", 4, nullptr, wanted);
    std::unique_ptr<ipp_t, decltype(&ippDelete)> answer(cupsDoRequest(CUPS_HTTP_DEFAULT, request, "/"), &ippDelete);
    const QString error = LastError();
    if (!answer || !error.isEmpty())
        return queue + QStringLiteral(": ") + (error.isEmpty() ? QStringLiteral("the print system does not answer") : error);

    QString message = text(answer.get(), "printer-state-message");
    if (message.isEmpty()) {
        message = text(answer.get(), "printer-state-reasons");
        if (message == QLatin1String("none"))
            message.clear();
    }
    const auto because = [&message](const QString& what) {
        return message.isEmpty() ? what : what + QStringLiteral(": ") + message;
    };
    if (text(answer.get(), "printer-is-accepting-jobs") == QLatin1String("false"))
        return because(queue + QStringLiteral(" is not accepting jobs"));
    if (text(answer.get(), "printer-state").toInt() == IPP_PSTATE_STOPPED)
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
    cups_option_t* options = nullptr;
    const int count = cupsAddOption("document-format", CUPS_FORMAT_PDF, 0, &options);
    const int job = cupsPrintFile2(CUPS_HTTP_DEFAULT, queue.toUtf8().constData(), path.toLocal8Bit().constData(),
                                   title.toUtf8().constData(), count, options);
    cupsFreeOptions(count, options);
    if (job <= 0 && why)
        *why = QString::fromUtf8(cupsLastErrorString());
    return job > 0 ? job : 0;
}

QString LastError()
{
    if (cupsLastError() < IPP_STATUS_REDIRECTION_OTHER_SITE)
        return QString();
    return QString::fromUtf8(cupsLastErrorString());
}

} // namespace cupsqueue
