#include "Z_hlmenu.h"

#include "AppResources.h"
#include "Application.h"
#include "Dialogs.h"
#include "JpegImage.h"
#include "MessageBoxDialogs.h"
#include "QZchyby.h"
#include "QZlib.h"
#include "Random.h"
#include "Workflow.h"

#include <QAction>
#include <QCloseEvent>
#include <QFile>
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
    f.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"),
                   QStringLiteral("Arial")});
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

TQZ_menu::TQZ_menu(const QString& executablePath, const QStringList& parameters, QWidget* parent)
    : QMainWindow(parent) {
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
}

TQZ_menu::~TQZ_menu() = default;

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
    okrsek->addSeparator();
    add(okrsek, "ScitaciArch_MI", QStringLiteral("&Sčítací arch"));
    okrsek->addSeparator();
    add(okrsek, "ZruseniDat_MI", QStringLiteral("Zrušení pořízených dat"));
    okrsek->addSeparator();
    add(okrsek, "VyberTiskarny_MI", QStringLiteral("Výběr tiskárny"));
    okrsek->addSeparator();
    QAction* konec = add(okrsek, "Konec_MI", QStringLiteral("K&onec"));
    connect(konec, &QAction::triggered, this, &TQZ_menu::Konec_MIClick);

    QMenu* napoveda = menuBar()->addMenu(QStringLiteral("Nápověda"));
    add(napoveda, "Napoveda_MI", QStringLiteral("&Nápověda"));
    add(napoveda, "OProgramu_MI", QStringLiteral("&O programu"));
    napoveda->addSeparator();
    add(napoveda, "ZkusebniTisk_MI", QStringLiteral("&Zkušební tisk"));
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
    for (QLabel* l : {m_statusObec, m_statusOkrsek}) {
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
    // Commands whose windows are not part of this build stay disabled; the
    // opening must have succeeded for any command that works on the data.
    for (QAction* a : findChildren<QAction*>()) {
        if (a->isSeparator() || a->objectName().isEmpty())
            continue;
        a->setEnabled(a->objectName() == QLatin1String("Konec_MI"));
    }
}

QString TQZ_menu::statusObec() const {
    return m_statusObec->text();
}
QString TQZ_menu::statusOkrsek() const {
    return m_statusOkrsek->text();
}

void TQZ_menu::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (!m_firstShow)
        return;
    m_firstShow = false;
    centreOnScreen(this);
    // The opening reads files and may report an error; it runs once the
    // window is on the screen, so the report appears over it.
    QTimer::singleShot(0, this, &TQZ_menu::FormShowOpening);
}

void TQZ_menu::FormShowOpening() {
    m_opened = false;
    NactiStanici();
    WorkflowState& w = Workflow();
    w.KontrolyOK = false;
    w.ExportOK = false;
    w.Vybrano = kVybranoZadny;
    m_cisChyb = std::make_unique<TCisChyb>();
    m_statusObec->setText(statusObecText(Stanice()));
    m_statusOkrsek->setText(statusOkrsekText(Stanice()));
    m_opened = true;
    updateCommands();
}

void TQZ_menu::TimerTick() {}

void TQZ_menu::Konec_MIClick() {
    close();
}

void TQZ_menu::closeEvent(QCloseEvent* event) {
    if (dialogs().ask(QStringLiteral("Ukončení programu"),
                      QStringLiteral("Opravdu ukončit program?")))
        event->accept();
    else
        event->ignore();
}

} // namespace urn
