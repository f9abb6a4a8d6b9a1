#include "preview/PrintSystem.h"

#include <QPrintEngine>
#include <QPrinter>
#include <QStringList>

#include <cups/cups.h>

namespace urn {

namespace {

// The job options of Qt's CUPS printing, as name/value pairs in one list:
// the property key its print dialog and print engine share.
constexpr auto kCupsOptions = QPrintEngine::PrintEnginePropertyKey(0xfe00);

QStringList cupsOptions(QPrinter& printer) {
    return printer.printEngine()->property(kCupsOptions).toStringList();
}

} // namespace

void dropServerPageSelection(QPrinter& printer) {
    const QStringList options = cupsOptions(printer);
    QStringList kept;
    for (qsizetype i = 0; i + 1 < options.size(); i += 2)
        if (options[i] != QLatin1String("page-ranges") && options[i] != QLatin1String("page-set"))
            kept << options[i] << options[i + 1];
    if (kept.size() != options.size())
        printer.printEngine()->setProperty(kCupsOptions, kept);
}

QString serverPageSet(QPrinter& printer) {
    const QStringList options = cupsOptions(printer);
    for (qsizetype i = 0; i + 1 < options.size(); i += 2)
        if (options[i] == QLatin1String("page-set") &&
            (options[i + 1] == QLatin1String("odd") || options[i + 1] == QLatin1String("even")))
            return options[i + 1];
    return QString();
}

QString jobRefusal() {
    // Qt hands the job over with cupsPrintFile and drops its answer; the
    // answer is still the library's last one on this thread.
    if (cupsLastError() <= IPP_STATUS_OK_EVENTS_COMPLETE)
        return QString();
    const QString why = QString::fromUtf8(cupsLastErrorString());
    return why.isEmpty() ? QString::fromUtf8(ippErrorString(cupsLastError())) : why;
}

std::optional<QString> printerStopped(const QString& printer) {
    // An instance ("name/instance") is a set of options of its printer.
    const QByteArray name = printer.section(QLatin1Char('/'), 0, 0).toUtf8();
    char uri[HTTP_MAX_URI];
    httpAssembleURIf(HTTP_URI_CODING_ALL, uri, sizeof uri, "ipp", nullptr, "localhost", 0,
                     "/printers/%s", name.constData());
    ipp_t* request = ippNewRequest(IPP_OP_GET_PRINTER_ATTRIBUTES);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, uri);
    static const char* const wanted[] = {"printer-state", "printer-state-message"};
    ippAddStrings(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", 2, nullptr,
                  wanted);
    ipp_t* response = cupsDoRequest(CUPS_HTTP_DEFAULT, request, "/");
    std::optional<QString> why;
    if (response) {
        ipp_attribute_t* state = ippFindAttribute(response, "printer-state", IPP_TAG_ENUM);
        if (state && ippGetInteger(state, 0) == IPP_PSTATE_STOPPED) {
            ipp_attribute_t* message =
                ippFindAttribute(response, "printer-state-message", IPP_TAG_TEXT);
            const char* text = message ? ippGetString(message, 0, nullptr) : nullptr;
            why = QString::fromUtf8(text ? text : "").trimmed();
        }
        ippDelete(response);
    }
    return why;
}

} // namespace urn
