#include "app/MainWindow.h"
#include "checks/PrecinctSession.h"
#include "core/Dialogs.h"
#include "core/Errors.h"
#include "store/PrecinctDataFile.h"
#include "store/RecoveryCopy.h"
#include "store/StationConfig.h"

namespace urn {

namespace {
constexpr const char* kCaptionRuseni = "Rušení dat";
}

bool zrusitPorizenaData(PrecinctSession& session) {
    const QString caption = QString::fromUtf8(kCaptionRuseni);
    // The precinct is always the station's own.
    const TAktOkrsek& okrsek = session.AktOkrsek = session.Stanice.okrsek();
    char kind = 'O';
    if (!dataFileExists(kind, okrsek))
        kind = 'E';
    if (!dataFileExists(kind, okrsek)) {
        session.Workflow.DataOK = false;
        dialogs().inform(caption, QStringLiteral("Data nejsou pořízena!"));
        return false;
    }
    if (!dialogs().ask(caption, QStringLiteral("Opravdu chcete zrušit pořízená data?"),
                       DefaultAnswer::Ne))
        return false;
    // Changes left by an interrupted entry belong to the data being deleted:
    // they go first, so that no later entry can offer them back, not even
    // after a power cut in the middle of the deletion.
    try {
        removeRecoveryCopy();
    } catch (const InOutError& e) {
        dialogs().warn(caption, e.message());
        dialogs().inform(caption, QStringLiteral("Data se nepovedlo zrušit!"));
        return false;
    }
    bool removed = true;
    try {
        removeDataFile(kind, okrsek);
    } catch (const InOutError&) {
        removed = false;
    }
    // Whatever kept the file (a directory of that name, a file that would not
    // go), the data are not deleted while it is there.
    if (!removed || dataFileExists(kind, okrsek)) {
        dialogs().inform(caption, QStringLiteral("Data se nepovedlo zrušit!"));
        return false;
    }
    dialogs().inform(caption, QStringLiteral("Data jsou zrušena."));
    return true;
}

} // namespace urn
