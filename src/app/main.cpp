#include "Application.h"
#include "Dialogs.h"
#include "M_Hlaska.h"
#include "MessageBoxDialogs.h"
#include "Prevunt.h"
#include "R_vstup.h"
#include "SingleInstance.h"
#include "Z_export.h"
#include "Z_hlmenu.h"
#include "Z_info.h"
#include "Z_infoE.h"
#include "Z_oprog.h"
#include "Z_pockop.h"

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
    if (!instance.tryAcquire()) {
        dialogs().inform(QStringLiteral("Urnarium"), QString::fromUtf8(kMsgAlreadyRunning));
        return 0;
    }

    // The windows are created once, in this order, and reused for the whole
    // run; the main window's creation decides the installation layout.
    TQZ_menu menu(QCoreApplication::applicationFilePath(), app.arguments().mid(1));
    if (menu.refused())
        return 0;
    TZ_OProgramu_F oProgramu(&menu);
    THlaskaF hlaska(&menu);
    TpreviewF preview(&menu);
    TR_Vstupni_Form vstup(&menu);
    TZ_ExportDat_F exportDat(&menu);
    TZ_PocetKopii_F pocetKopii(&menu);
    TZ_infoE_F infoE(&menu);
    TZ_Info_F info(&menu);
    menu.setWindows(
        {&oProgramu, &hlaska, &preview, &vstup, &exportDat, &pocetKopii, &infoE, &info});

    menu.show();
    return app.exec();
}
