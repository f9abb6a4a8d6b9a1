#include "core/ErrorHandler.h"

#include "core/Dialogs.h"
#include "core/Errors.h"

#include <exception>
#include <new>

namespace urn {

void reportCurrentException() {
    const QString caption = QString::fromUtf8(kApplicationTitle);
    try {
        throw;
    } catch (const UrnariumError& e) {
        dialogs().error(caption, e.message());
    } catch (const std::bad_alloc&) {
        dialogs().error(caption, QStringLiteral("Nedostatek paměti."));
    } catch (const std::exception& e) {
        dialogs().error(
            caption,
            QStringLiteral("Neočekávaná chyba programu: %1").arg(QString::fromLocal8Bit(e.what())));
    } catch (...) {
        dialogs().error(caption, QStringLiteral("Neočekávaná chyba programu."));
    }
}

bool runReportingErrors(const std::function<void()>& work) {
    try {
        work();
        return true;
    } catch (...) {
        reportCurrentException();
        return false;
    }
}

} // namespace urn
