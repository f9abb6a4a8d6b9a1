#include "app/MainWindow.h"

#include "app/AboutWindow.h"
#include "app/AppResources.h"
#include "app/HelpWindow.h"
#include "app/InformationWindow.h"
#include "app/JpegImage.h"
#include "checks/CheckSequence.h"
#include "checks/ErrorCatalogue.h"
#include "checks/PrecinctSession.h"
#include "checks/SecondEntry.h"
#include "core/Dialogs.h"
#include "core/Errors.h"
#include "entry/DataEntryWindow.h"
#include "entry/ErrorMessageWindow.h"
#include "export/ExportInfoWindow.h"
#include "printing/PrintCommands.h"
#include "store/PrecinctDataFile.h"
#include "store/Random.h"
#include "store/ReferenceTables.h"
#include "store/StationConfig.h"
#include "ui/Application.h"
#include "ui/Fonts.h"
#include "ui/MenuBarKeyboard.h"
#include "ui/MessageBoxDialogs.h"
#include "ui/PrinterChoice.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFile>
#include <QFileInfo>
#include <QFrame>
#include <QLabel>
#include <QLayout>
#include <QMenuBar>
#include <QTimer>

namespace urn {

namespace {
constexpr int kClientWidth = 714;
constexpr int kClientHeight = 610;
constexpr int kStatusHeight = 20;

QFont statusFont() {
    QFont f;
    f.setFamilies(installedFamilies({QStringLiteral("MS Sans Serif"),
                                     QStringLiteral("Liberation Sans"), QStringLiteral("Arial")}));
    f.setPixelSize(13);
    return f;
}
} // namespace

QString statusObecText(const TStanice& s) {
    QString t = (QStringLiteral("Obec: ") + s.Obec).left(12);
    t = (t + QStringLiteral(" - ")).left(15);
    return (t + s.NazevObce).left(55);
}

QString statusOkrsekText(const TStanice& s) {
    return QStringLiteral("Okrsek: %1").arg(s.Okrsek);
}

TQZ_menu::TQZ_menu(PrecinctSession& session, const QString& executablePath,
                   const QStringList& parameters, QWidget* parent)
    : QMainWindow(parent), m_session(session) {
    tiskZapisu = [this](int kopie) { TiskZapisuDoNahledu(kopie); };
    tiskProtokolu = [this](const PrecinctSession& s) {
        TiskProtokolu(UdajeProtokolu(s.ChybProt, s.PrecinctRecord, s.Stanice), nahled());
    };
    initAppResources();
    const StartupDecision d = decideLayout(executablePath, parameters);
    setInstallDirs(d.dirs);
    seedRandomFromClock();
    const QString caption = QString::fromUtf8(kCaptionStartup);
    if (d.layout == StartupLayout::MissingConfig) {
        dialogs().warn(caption, QString::fromUtf8(kMsgMissingConfig));
        m_refused = true;
    } else if (d.layout == StartupLayout::NoParameter) {
        dialogs().warn(caption, QString::fromUtf8(kMsgNoParameter));
        m_refused = true;
    }

    setWindowTitle(QString::fromUtf8(kCaptionMainWindow));
    // A fixed border with the system menu and the minimise button only.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    buildMenu();
    buildClientArea();
    updateCommands();

    // Shows the information window once, a second after the start.
    m_timer = new QTimer(this);
    m_timer->setObjectName(QStringLiteral("Timer1"));
    m_timer->setInterval(1000);
    connect(m_timer, &QTimer::timeout, this, guarded(this, &TQZ_menu::TimerTick));
    if (!m_refused)
        m_timer->start();
}

void TQZ_menu::setWindows(const AppWindows& windows) {
    m_windows = windows;
}

TQZ_menu::~TQZ_menu() {
    // The protocol reads its texts from the catalogue.
    m_session.ChybProt = TChybProt();
    freeErrorCatalogue();
}

void TQZ_menu::buildMenu() {
    auto add = [this](QMenu* menu, const char* name, const QString& text,
                      const QKeySequence& key = QKeySequence()) {
        auto* a = menu->addAction(text);
        a->setObjectName(QLatin1String(name));
        if (!key.isEmpty())
            a->setShortcut(key);
        return a;
    };
    QMenu* okrsek = menuBar()->addMenu(QStringLiteral("Okrsek     "));
    add(okrsek, "PorizeniDat_MI", QStringLiteral("&Pořízení a oprava dat"), Qt::Key_F2);
    add(okrsek, "Kontroly_MI", QStringLiteral("&Kontroly"), Qt::Key_F3);
    add(okrsek, "ExportTisk_MI", QStringLiteral("&Export dat a tisk zápisu"), Qt::Key_F4);
    add(okrsek, "KontrolniZadani_MI", QStringLiteral("Kontrolní &zadání"), Qt::Key_F5);
    okrsek->addSeparator();
    add(okrsek, "ScitaciArch_MI", QStringLiteral("&Sčítací arch"));
    okrsek->addSeparator();
    add(okrsek, "ZruseniDat_MI", QStringLiteral("Zrušení pořízených dat"));
    okrsek->addSeparator();
    add(okrsek, "VyberTiskarny_MI", QStringLiteral("Výběr tiskárny"));
    okrsek->addSeparator();
    add(okrsek, "Konec_MI", QStringLiteral("K&onec"));

    QMenu* napoveda = menuBar()->addMenu(QStringLiteral("Nápověda"));
    add(napoveda, "Napoveda_MI", QStringLiteral("&Nápověda"));
    add(napoveda, "OProgramu_MI", QStringLiteral("&O programu"));
    napoveda->addSeparator();
    add(napoveda, "ZkusebniTisk_MI", QStringLiteral("&Zkušební tisk"));

    connectCommand("PorizeniDat_MI", &TQZ_menu::PorizeniDat_MIClick);
    connectCommand("Kontroly_MI", &TQZ_menu::Kontroly_MIClick);
    connectCommand("ExportTisk_MI", &TQZ_menu::ExportTisk_MIClick);
    connectCommand("KontrolniZadani_MI", &TQZ_menu::KontrolniZadani_MIClick);
    connectCommand("ZruseniDat_MI", &TQZ_menu::ZruseniDat_MIClick);
    connectCommand("ScitaciArch_MI", &TQZ_menu::ScitaciArch_MIClick);
    connectCommand("ZkusebniTisk_MI", &TQZ_menu::ZkusebniTisk_MIClick);
    connectCommand("VyberTiskarny_MI", &TQZ_menu::VyberTiskarny_MIClick);
    connectCommand("Konec_MI", &TQZ_menu::Konec_MIClick);
    connectCommand("Napoveda_MI", &TQZ_menu::Napoveda_MIClick);
    connectCommand("OProgramu_MI", &TQZ_menu::OProgramu_MIClick);
    // The menus have no letters of their own: Alt or F10 reaches them.
    reachMenuBarFromKeyboard(menuBar());
}

void TQZ_menu::connectCommand(const char* objectName, void (TQZ_menu::*command)()) {
    connect(action(QLatin1String(objectName)), &QAction::triggered, this, [this, command] {
        runReportingErrors([this, command] { (this->*command)(); });
        ukazKontrolniZadani();
    });
}

void TQZ_menu::buildClientArea() {
    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    client->setAutoFillBackground(true);
    QPalette pal = client->palette();
    pal.setColor(QPalette::Window, Qt::white);
    client->setPalette(pal);
    client->setFixedSize(kClientWidth, kClientHeight);

    auto* logo = new QLabel(client);
    logo->setObjectName(QStringLiteral("logo"));
    logo->setPixmap(QPixmap(QStringLiteral(":/urnarium/logo.png")));
    logo->setGeometry(kClientWidth - 150 - 12, 12, 150, 36);

    auto* picture = new QLabel(client);
    picture->setObjectName(QStringLiteral("picture"));
    QFile jpeg(QStringLiteral(":/urnarium/volby.jpg"));
    if (jpeg.open(QIODevice::ReadOnly))
        picture->setPixmap(QPixmap::fromImage(decodeJpeg(jpeg.readAll())));
    picture->setGeometry(kClientWidth - 250 - 12, kClientHeight - kStatusHeight - 185 - 12, 250,
                         185);

    auto* status = new QFrame(client);
    status->setObjectName(QStringLiteral("statusLine"));
    status->setGeometry(0, kClientHeight - kStatusHeight, kClientWidth, kStatusHeight);
    status->setAutoFillBackground(true);
    QPalette spal = status->palette();
    spal.setColor(QPalette::Window, QColor(0xF0, 0xF0, 0xF0));
    spal.setColor(QPalette::WindowText, Qt::black);
    status->setPalette(spal);
    auto* line = new QFrame(status);
    line->setGeometry(0, 0, kClientWidth, 1);
    line->setStyleSheet(QStringLiteral("background: #a0a0a0;"));

    m_statusObec = new QLabel(status);
    m_statusObec->setObjectName(QStringLiteral("statusObec"));
    m_statusObec->setGeometry(4, 2, 306, kStatusHeight - 3);
    m_statusOkrsek = new QLabel(status);
    m_statusOkrsek->setObjectName(QStringLiteral("statusOkrsek"));
    m_statusOkrsek->setGeometry(320, 2, 121, kStatusHeight - 3);
    m_statusKontrolni = new QLabel(status);
    m_statusKontrolni->setObjectName(QStringLiteral("statusKontrolniZadani"));
    m_statusKontrolni->setGeometry(450, 2, kClientWidth - 454, kStatusHeight - 3);
    for (QLabel* l : {m_statusObec, m_statusOkrsek, m_statusKontrolni}) {
        l->setFont(statusFont());
        l->setPalette(spal);
    }
    setCentralWidget(client);
    // The client area is fixed; the menu bar comes on top of it.
    layout()->setSizeConstraint(QLayout::SetFixedSize);
}

QAction* TQZ_menu::action(const QString& objectName) const {
    return findChild<QAction*>(objectName);
}

void TQZ_menu::updateCommands() {
    // Commands that do not touch the precinct's data work always; those that
    // do need a successful opening (station configuration and catalogue).
    // Commands whose windows are not part of this build stay disabled.
    // The second entry also needs a data file (ukazKontrolniZadani).
    // The test page checks the printer and needs no station data.
    static const char* const always[] = {"VyberTiskarny_MI", "Konec_MI", "Napoveda_MI",
                                         "OProgramu_MI", "ZkusebniTisk_MI"};
    static const char* const withData[] = {"PorizeniDat_MI", "Kontroly_MI", "ExportTisk_MI",
                                           "ZruseniDat_MI", "ScitaciArch_MI"};
    // The menu's own items only: the windows created as children of this one
    // have actions of their own (the data-entry window's page keys).
    for (QAction* a : menuBar()->findChildren<QAction*>()) {
        if (a->isSeparator() || a->objectName().isEmpty())
            continue;
        bool enabled = false;
        for (const char* name : always)
            enabled = enabled || a->objectName() == QLatin1String(name);
        for (const char* name : withData)
            enabled = enabled || (m_opened && a->objectName() == QLatin1String(name));
        a->setEnabled(enabled);
    }
}

QString TQZ_menu::statusObec() const {
    return m_statusObec->text();
}
QString TQZ_menu::statusOkrsek() const {
    return m_statusOkrsek->text();
}
QString TQZ_menu::statusKontrolniZadani() const {
    return m_statusKontrolni->text();
}

void TQZ_menu::ukazKontrolniZadani() {
    QAction* prikaz = action(QStringLiteral("KontrolniZadani_MI"));
    if (!m_opened) {
        prikaz->setEnabled(false);
        m_statusKontrolni->clear();
        return;
    }
    const TAktOkrsek okrsek = m_session.Stanice.okrsek();
    // Runs after every command, also after one that failed on the same
    // files: what cannot be read leaves the command off and the state not
    // done, and was reported by the command itself.
    bool data = false;
    try {
        data = dataFileExists(kKindO, okrsek) || dataFileExists(kKindE, okrsek);
    } catch (const UrnariumError&) {
    }
    prikaz->setEnabled(data);
    m_statusKontrolni->setText(textStavuKZ(stavKontrolnihoZadani(okrsek)));
}

void TQZ_menu::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (!m_firstShow)
        return;
    m_firstShow = false;
    centreOnScreen(this);
    // The opening reads files and may report an error; it runs once the
    // window is on the screen, so the report appears over it.
    QTimer::singleShot(0, this, guarded(this, &TQZ_menu::FormShowOpening));
}

void TQZ_menu::FormShowOpening() {
    m_opened = false;
    m_session.Stanice = NactiStanici();
    WorkflowState& w = m_session.Workflow;
    w.KontrolyOK = false;
    w.ExportOK = false;
    m_session.ChybProt = TChybProt();
    createErrorCatalogue();
    m_statusObec->setText(statusObecText(m_session.Stanice));
    m_statusOkrsek->setText(statusOkrsekText(m_session.Stanice));
    m_opened = true;
    updateCommands();
    ukazKontrolniZadani();
}

void TQZ_menu::TimerTick() {
    // A message box of the opening (a missing file) is answered first; the
    // information window follows it instead of covering it.
    if (QApplication::activeModalWidget())
        return;
    m_timer->stop();
    if (m_windows.info)
        m_windows.info->exec();
}

void TQZ_menu::PorizeniDat_MIClick() {
    // "Ano" reopens exported data and takes the export back: Enter must not
    // do that by itself.
    if (m_session.Stanice.Stav == QLatin1String("A") &&
        !dialogs().ask(QString::fromUtf8(kCaptionVstupDat),
                       QString::fromUtf8(kOtazkaZnovuUpravovat), DefaultAnswer::Ne))
        return;
    if (TR_Vstupni_Form* vstup = m_windows.vstup.get()) {
        // A save that passes the checks goes on with export and printing.
        vstup->ExportTisk = [this] { ExportTisk_MIClick(); };
        vstup->exec();
    }
}

void TQZ_menu::KontrolniZadani_MIClick() {
    TR_Vstupni_Form* kontrolni = m_windows.kontrolniZadani.get();
    if (!kontrolni)
        return;
    kontrolni->exec();
    const std::optional<TRozdil> oprava = kontrolni->vybranaOprava();
    TR_Vstupni_Form* vstup = m_windows.vstup.get();
    if (!oprava || !vstup)
        return;
    // The correction is the data-entry command's, with its question after an
    // export; the window opens on the value only this once.
    vstup->otevritNa(oprava);
    PorizeniDat_MIClick();
    vstup->otevritNa(std::nullopt);
}

void TQZ_menu::Kontroly_MIClick() {
    runCheckCommand(m_session, tiskProtokolu);
}

void TQZ_menu::ZruseniDat_MIClick() {
    zrusitPorizenaData(m_session);
}

TpreviewF& TQZ_menu::nahled() const {
    TpreviewF* okno = m_windows.preview.get();
    // A printout without a window is a fault of the caller, reported rather
    // than crashing.
    if (!okno)
        throw UrnariumError(QStringLiteral("Okno náhledu tisku není vytvořeno."));
    return *okno;
}

void TQZ_menu::TiskZapisuDoNahledu(int kopie) {
    TiskZapisu({m_session.PrecinctRecord, m_session.Stanice, m_session.JmenaKomise,
                m_session.SeznamStran, errorCatalogueCreated() ? &m_session.ChybProt : nullptr},
               nahled(), kopie);
}

void TQZ_menu::ScitaciArch_MIClick() {
    // The station's precinct, the party list and the candidate table as the
    // sheet prints them.
    m_session.AktOkrsek = m_session.Stanice.okrsek();
    NactiStrany(m_session.SeznamStran);
    NactiKandidaty(m_session.TabulkaKandidatu);
    TZ_infoE_F* info = m_windows.infoE.get();
    ScitaciArch(
        {m_session.Stanice, m_session.AktOkrsek, m_session.SeznamStran, m_session.TabulkaKandidatu},
        nahled(), [info](const QString& caption, const QString& titulek, const QString& text) {
            if (info)
                info->Ukaz(caption, titulek, text);
        });
}

void TQZ_menu::ZkusebniTisk_MIClick() {
    TiskZkusebniStrany(m_session.Stanice, nahled());
}

void TQZ_menu::VyberTiskarny_MIClick() {
    VyberTiskarny(this);
}

QString TQZ_menu::helpFileName() {
    return QString::fromUtf8(kHelpFileName);
}

void TQZ_menu::Napoveda_MIClick() {
    const QString caption = QStringLiteral("Nápověda");
    const QString path = findFileNoCase(installDirs().program, helpFileName());
    const QFileInfo guide(path);
    if (!guide.isFile() || !guide.isReadable()) {
        dialogs().warn(caption, QStringLiteral("Soubor nápovědy „%1“ nebyl nalezen v adresáři "
                                               "programu.\rNápovědu nelze zobrazit.")
                                    .arg(helpFileName()));
        return;
    }
    // Shown by the program itself: a browser that is missing or will not
    // start must not leave the commission without help.
    helpWindow()->showGuide(path);
}

HelpWindow* TQZ_menu::helpWindow() {
    if (!m_help)
        m_help = new HelpWindow(this);
    return m_help;
}

void TQZ_menu::OProgramu_MIClick() {
    if (m_windows.oProgramu)
        m_windows.oProgramu->exec();
}

void TQZ_menu::Konec_MIClick() {
    close();
}

void TQZ_menu::closeEvent(QCloseEvent* event) {
    // Everything of the commission's is on disk while this window has the
    // focus (the data-entry window is modal): ending loses nothing.
    if (dialogs().ask(QStringLiteral("Ukončení programu"),
                      QStringLiteral("Opravdu ukončit program?"), DefaultAnswer::Ano))
        event->accept();
    else
        event->ignore();
}

} // namespace urn
