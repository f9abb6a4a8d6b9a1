#include "app/MainWindow.h"
#include "app/ProgramWindows.h"
#include "app/SingleInstance.h"
#include "checks/PrecinctSession.h"
#include "core/Dialogs.h"
#include "ui/Application.h"
#include "ui/MessageBoxDialogs.h"
#include "ui/StartupProbe.h"

#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

using namespace urn;

namespace {
// The system's own dialogs (the print dialog) speak Czech when Qt's Czech
// translations are installed.
void installCzechTranslations(QTranslator& translator) {
    QLocale::setDefault(QLocale(QLocale::Czech, QLocale::CzechRepublic));
    if (translator.load(QLocale(), QStringLiteral("qtbase"), QStringLiteral("_"),
                        QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(&translator);
}
} // namespace

int main(int argc, char** argv) {
    Application app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("urnarium"));
    MessageBoxDialogs messageBoxes;
    setDialogs(&messageBoxes);
    QTranslator translator;
    installCzechTranslations(translator);

    SingleInstance instance;
    switch (instance.tryAcquire()) {
    case SingleInstance::Acquired:
        break;
    case SingleInstance::HeldByOther:
        dialogs().inform(QStringLiteral("Urnarium"), QString::fromUtf8(kMsgAlreadyRunning));
        return 0;
    case SingleInstance::CannotCreate:
        dialogs().error(QStringLiteral("Spuštění aplikace"), instance.cannotCreateMessage());
        return 1;
    }

    // Everything the program holds about its precinct, for the whole run; the
    // windows and commands are handed it.
    PrecinctSession session;
    // The main window's creation decides the installation layout; the other
    // windows are made when they are first opened.
    TQZ_menu menu(session, QCoreApplication::applicationFilePath(), app.arguments().mid(1));
    if (menu.refused())
        return 0;
    ProgramWindows windows(menu);

    menu.show();
    quitWhenIdleIfProbed(menu);
    return app.exec();
}
