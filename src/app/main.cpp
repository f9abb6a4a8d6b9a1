#include "app/AboutWindow.h"
#include "app/InformationWindow.h"
#include "app/MainWindow.h"
#include "app/SingleInstance.h"
#include "core/Dialogs.h"
#include "entry/DataEntryWindow.h"
#include "entry/ErrorMessageWindow.h"
#include "export/CopiesWindow.h"
#include "export/ExportInfoWindow.h"
#include "export/ExportWindow.h"
#include "printing/PreviewWindow.h"
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

    // The windows are created once, in this order, and reused for the whole
    // run; the main window's creation decides the installation layout.
    TQZ_menu menu(QCoreApplication::applicationFilePath(), app.arguments().mid(1));
    if (menu.refused())
        return 0;
    TZ_OProgramu_F oProgramu(&menu);
    THlaskaF hlaska(&menu);
    TpreviewF preview(&menu);
    TR_Vstupni_Form vstup(&menu, &hlaska);
    TZ_ExportDat_F exportDat(&menu);
    TZ_PocetKopii_F pocetKopii(&menu);
    TZ_infoE_F infoE(&menu);
    TZ_Info_F info(&menu);
    menu.setWindows(
        {&oProgramu, &hlaska, &preview, &vstup, &exportDat, &pocetKopii, &infoE, &info});

    menu.show();
    quitWhenIdleIfProbed(menu);
    return app.exec();
}
