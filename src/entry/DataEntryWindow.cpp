#include "entry/DataEntryWindow.h"

#include "checks/CheckSequence.h"
#include "checks/ControlNumbers.h"
#include "checks/PrecinctSession.h"
#include "core/Dialogs.h"
#include "core/ErrorHandler.h"
#include "entry/AnnexPage.h"
#include "entry/CommissionPage.h"
#include "entry/ErrorMessageWindow.h"
#include "entry/RecoveryWriter.h"
#include "entry/SectionOnePage.h"
#include "entry/SectionTwoPage.h"
#include "store/PrecinctDataFile.h"
#include "store/RecoveryCopy.h"
#include "store/ReferenceTables.h"
#include "store/SectionsFile.h"
#include "store/StationConfig.h"
#include "ui/Beep.h"
#include "ui/ColourStringGrid.h"
#include "ui/EntryEdit.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTabWidget>

namespace urn {

namespace {

constexpr int kClientWidth = 714;
constexpr int kClientHeight = 602;
const QEvent::Type kHlaseniEvent = QEvent::Type(QEvent::User + 100);
const QEvent::Type kOdmitnutiEvent = QEvent::Type(QEvent::User + 101);

// A finding to show once the focus change that caused it is over.
struct HlaseniEvent : QEvent {
    HlaseniEvent(const THlaseni& h, QWidget* cil)
        : QEvent(kHlaseniEvent), hlaseni(h), oprEdit(cil) {}
    THlaseni hlaseni;
    QPointer<QWidget> oprEdit;
};
struct OdmitnutiEvent : QEvent {
    OdmitnutiEvent(TSEdit* p, const QString& z) : QEvent(kOdmitnutiEvent), pole(p), zprava(z) {}
    QPointer<TSEdit> pole;
    QString zprava;
};

// The tabs never change the page themselves: a click asks the window, which
// runs its guards and its save first.
class TZalozkyBar : public QTabBar {
public:
    std::function<void(int)> pozadavek;
    explicit TZalozkyBar(QWidget* parent) : QTabBar(parent) { setFocusPolicy(Qt::NoFocus); }

protected:
    void mousePressEvent(QMouseEvent* e) override {
        if (e->button() != Qt::LeftButton) {
            e->accept();
            return;
        }
        const int i = tabAt(e->position().toPoint());
        e->accept();
        if (i >= 0 && i != currentIndex() && pozadavek)
            pozadavek(i);
    }
    void mouseReleaseEvent(QMouseEvent* e) override { e->accept(); }
    void mouseMoveEvent(QMouseEvent* e) override { e->accept(); }
#if QT_CONFIG(wheelevent)
    void wheelEvent(QWheelEvent* e) override {
        e->accept();
    }
#endif
    void keyPressEvent(QKeyEvent* e) override {
        e->ignore();
    }
};

class TZalozky : public QTabWidget {
public:
    explicit TZalozky(QWidget* parent) : QTabWidget(parent) {
        bar = new TZalozkyBar(this);
        setTabBar(bar);
    }
    TZalozkyBar* bar;

protected:
    // Ctrl+Tab and Ctrl+Page Up/Down would change the page past the guards;
    // the window's own page commands are Page Down and Page Up.
    void keyPressEvent(QKeyEvent* e) override { e->ignore(); }
};

bool patriOknu(const QWidget* w, const QWidget* okno) {
    return w && w->window() == okno;
}

QString casObnovy(const QDateTime& kdy) {
    return kdy.toString(QStringLiteral("d. M. yyyy H:mm:ss"));
}

} // namespace

TR_Vstupni_Form::TR_Vstupni_Form(PrecinctSession& session, QWidget* parent, THlaskaF* hlaska,
                                 TRezimVstupu rezim)
    : QDialog(parent), m_rezim(rezim),
      m_vlastni(rezim == TRezimVstupu::KontrolniZadani ? std::make_unique<PrecinctSession>()
                                                       : nullptr),
      m_hlavni(session), m_session(m_vlastni ? *m_vlastni : session), m_hlaska(hlaska) {
    if (!m_hlaska)
        m_hlaska = new THlaskaF(this);
    FormCreate();
}

void TR_Vstupni_Form::setVisible(bool visible) {
    if (visible)
        vytvorObsah();
    QDialog::setVisible(visible);
}

TR_Vstupni_Form& TR_Vstupni_Form::sObsahem() const {
    auto& self = const_cast<TR_Vstupni_Form&>(*this);
    self.vytvorObsah();
    return self;
}

TR_Vstupni_Form::~TR_Vstupni_Form() {
    // The pages report to this window while their fields go: they must go
    // while it is still whole.
    m_zavirani = true;
    m_poAktivaci = nullptr;
    if (m_obnova)
        m_obnova->stop();
    delete m_zalozky;
    m_zalozky = nullptr;
}

void TR_Vstupni_Form::FormCreate() {
    setObjectName(kontrolniZadani() ? QStringLiteral("R_KontrolniZadani_Form")
                                    : QStringLiteral("R_Vstupni_Form"));
    // A fixed single border with the system menu and the minimise button.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    setFixedSize(kClientWidth, kClientHeight);
    const QString hlavni = parentWidget() ? parentWidget()->window()->windowTitle() : QString();
    setWindowTitle(QString::fromUtf8(kontrolniZadani() ? kCaptionKontrolni : kCaption) +
                   QStringLiteral(" - ") + hlavni);
}

void TR_Vstupni_Form::vytvorObsah() {
    // The pages with their hundreds of controls are built when the window is
    // first needed, not while the program starts: the commission sees the
    // main window sooner, and the first opening of the window takes a few
    // milliseconds more.
    if (m_zalozky)
        return;
    auto* zalozky = new TZalozky(this);
    zalozky->setObjectName(QStringLiteral("R_TN_T2PR"));
    zalozky->setGeometry(0, 0, kClientWidth, kClientHeight);
    zalozky->setFont(pismoStranek());
    zalozky->bar->pozadavek = [this](int i) {
        runReportingErrors([&] {
            if (R_TN_T2PRChange(i))
                R_TN_T2PRClick();
        });
    };
    m_zalozky = zalozky;

    m_oddI = new SectionOnePage(m_session.PrecinctRecord.Hlaso);
    m_oddII = new SectionTwoPage(m_session, *this);
    m_priloha = new AnnexPage(m_session, *this);
    m_komise = new CommissionPage(m_session);
    // All four pages on the same button face, on which the form's white
    // fields stand out.
    nastavPozadiStranky(m_komise);
    m_priloha->setPlatneHlasy(m_oddII->R_EdPlatneHlasy());
    // Created with page 0 current, so that creating the window saves nothing.
    zalozky->addTab(m_oddI, QStringLiteral("T/2 - odd. I"));
    zalozky->addTab(m_oddII, QStringLiteral("T/2 - odd. II"));
    zalozky->addTab(m_priloha, QStringLiteral("Příloha č. 1"));
    zalozky->addTab(m_komise, QStringLiteral("T/2 - odd. III"));
    zalozky->setCurrentIndex(kStrankaOddI);

    connect(m_oddI, &SectionOnePage::PokracovatBBtnClick, this,
            guarded(this, &TR_Vstupni_Form::PokracovatBBtnClick));
    connect(m_oddII, &SectionTwoPage::R_Dalsi2_BtnClick, this,
            guarded(this, &TR_Vstupni_Form::R_Dalsi2_BtnClick));
    connect(m_oddII, &SectionTwoPage::zrusitBtnClick, this,
            guarded(this, &TR_Vstupni_Form::zrusitBtnClick));
    connect(m_oddII, &SectionTwoPage::ulozitBtnClick, this,
            guarded(this, &TR_Vstupni_Form::ulozitBtnClick));
    connect(m_komise, &CommissionPage::ulozitOkrBtnClick, this,
            guarded(this, &TR_Vstupni_Form::ulozitBtnClick));
    connect(m_priloha, &AnnexPage::posledniStranaOpustena, this, [this] {
        runReportingErrors([&] {
            // The second entry ends with its comparison, not with section III.
            if (kontrolniZadani())
                m_porovnat[1]->setFocus(Qt::OtherFocusReason);
            else if (R_TN_T2PRChange(kStrankaOddIII))
                R_TN_T2PRClick();
        });
    });

    vytvorMenu();
    if (kontrolniZadani())
        vytvorKontrolniZadani();
    pripravTlacitka();
    // What the second entry types is never kept: it has no recovery copy.
    if (kontrolniZadani())
        return;

    // Every value stored into the record asks for the recovery copy; the
    // party ticks are stored at once, the names with every keystroke.
    m_obnova = new RecoveryWriter(
        [this] { return stavObnovy(); },
        [this](const QString& text) { dialogs().warn(QString::fromUtf8(kCaption), text); }, this);
    for (TSEdit* e : findChildren<TSEdit*>())
        connect(e, &TSEdit::OnExit, m_obnova, &RecoveryWriter::changed);
    for (QRadioButton* b : m_oddI->prepinace())
        connect(b, &QRadioButton::toggled, m_obnova, &RecoveryWriter::changed);
    connect(m_oddII, &SectionTwoPage::zaskrtnutiZmeneno, m_obnova, &RecoveryWriter::changed);
    connect(m_komise->R_JmenaKomise_SG(), &TZColorStringGrid::OnSetEditText, m_obnova,
            [this] { m_obnova->changed(); });
}

void TR_Vstupni_Form::vytvorMenu() {
    // The menu "Pohyb" is never shown; its items act through their keys.
    auto pridej = [this](const char* jmeno, const QString& text, QList<QKeySequence> klavesy,
                         void (TR_Vstupni_Form::*prikaz)()) {
        auto* a = new QAction(text, this);
        a->setObjectName(QLatin1String(jmeno));
        a->setShortcuts(klavesy);
        a->setShortcutContext(Qt::WindowShortcut);
        connect(a, &QAction::triggered, this, guarded(this, prikaz));
        addAction(a);
        return a;
    };
    pridej("PageDownMI", QStringLiteral("Další stránka"), {QKeySequence(Qt::Key_PageDown)},
           &TR_Vstupni_Form::PageDownMIClick);
    pridej("PageUpMI", QStringLiteral("Předchozí stránka"), {QKeySequence(Qt::Key_PageUp)},
           &TR_Vstupni_Form::PageUpMIClick);
    pridej("KCisloMI1", QStringLiteral("Jdi na kontrolní číslo"),
           {QKeySequence(Qt::CTRL | Qt::Key_Return), QKeySequence(Qt::CTRL | Qt::Key_Enter)},
           &TR_Vstupni_Form::KCisloMI1Click);
    m_ulozitMI = pridej("UlozitMI", QStringLiteral("Ulozit"), {QKeySequence(Qt::Key_F2)},
                        &TR_Vstupni_Form::UlozitMIClick);
}

void TR_Vstupni_Form::pripravTlacitka() {
    // No button of this window is a default one: Enter in a field moves on
    // to the next field. Enter on a focused button presses it.
    for (QPushButton* b : findChildren<QPushButton*>()) {
        b->setAutoDefault(false);
        b->setDefault(false);
        b->installEventFilter(this);
    }
}

QAction* TR_Vstupni_Form::akce(const char* jmeno) const {
    return sObsahem().findChild<QAction*>(QLatin1String(jmeno));
}

bool TR_Vstupni_Form::JeVybranaStrana() const {
    return sObsahem().m_oddII->JeVybranaStrana();
}

// ---- opening ----

void TR_Vstupni_Form::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    if (e->spontaneous())
        return;
    if (runReportingErrors([this] { FormShow(); }))
        return;
    // A precinct that cannot be read is not offered for typing: a save
    // would write an empty record over the data on disk.
    m_otazkaPripojena = false;
    QMetaObject::invokeMethod(
        this, [this] { done(QDialog::Rejected); }, Qt::QueuedConnection);
}

void TR_Vstupni_Form::FormShow() {
    if (kontrolniZadani()) {
        FormShowKontrolni();
        return;
    }
    vytvorObsah();
    // Filling the controls stores nothing the commission typed.
    m_obnova->stop();
    m_zalozky->setCurrentIndex(kStrankaOddI);
    m_oddII->ulozitBtn()->setEnabled(false);
    m_ulozitMI->setEnabled(false);
    pripravZobrazeni();

    // Every showing starts from the files on disk.
    TPrecinctRecord& r = m_session.PrecinctRecord;
    const TAktOkrsek& okrsek = m_session.AktOkrsek = m_session.Stanice.okrsek();
    NactiData(dataFileExists(kKindO, okrsek) ? kKindO : kKindE, okrsek, r);
    NactiHlaso(r.Hlaso);
    m_komise->NactiKomisi();
    ukazZaznam();
    const QByteArray ulozeno = stavObnovy();
    const QByteArray obnoveno = nabidniObnovu();

    if (m_otevritNa) {
        // Opened to correct one value: on it, without saving on the way.
        const TRozdil udaj = *m_otevritNa;
        m_otevritNa.reset();
        ukazUdaj(udaj, true);
    } else {
        m_zalozky->setCurrentIndex(kStrankaOddI);
        m_oddI->R_SEdZahajeno1()->setFocus(Qt::OtherFocusReason);
    }
    m_ulozitMI->setEnabled(true);
    m_obnova->start(ulozeno, obnoveno);
}

void TR_Vstupni_Form::pripravZobrazeni() {
    m_zavirani = false;
    m_odpojene = nullptr;
    m_odmitnute = nullptr;
    m_poAktivaci = nullptr;
    m_otazkaPripojena = true;
    if (parentWidget())
        move(parentWidget()->window()->pos());

    NactiStrany(m_session.SeznamStran);
    NactiKandidaty(m_session.TabulkaKandidatu);
    m_oddII->PostavZaskrtavatka(stranyProVstup(m_session.SeznamStran));
    pripravTlacitka();
    for (QCheckBox* c : m_oddII->skrytaZaskrtavatka())
        c->hide();
    m_priloha->R_T2POpravaCB()->hide();

    TPrecinctRecord& r = m_session.PrecinctRecord;
    VyprazdniT2(r);
    VyprazdniStrany(r);
    VyprazdniTS(r);
}

void TR_Vstupni_Form::ukazZaznam() {
    const TStanice& st = m_session.Stanice;
    const TAktOkrsek& aktOkrsek = m_session.AktOkrsek;
    TVetaT2& t2 = m_session.PrecinctRecord.T2;
    t2.TypVety = 1;
    TOkrsky okrsek;
    // The district is that of the precinct list; a precinct the list does
    // not know has none (the checks say so), rather than the district of
    // whatever record the search read last.
    t2.Okres = NajdiOkrsek(aktOkrsek.Obec, aktOkrsek.Okrsek, okrsek)
                   ? quint16(std::clamp<qint64>(cisloNeboNula(okrsek.Okres), 0, 65535))
                   : 0;
    t2.Obec = qint32(cisloNeboNula(aktOkrsek.Obec));
    t2.Okrsek = aktOkrsek.Okrsek;

    ProcDopoctiT2(m_session.PrecinctRecord);
    m_oddI->NatahniHlasovani(m_session.PrecinctRecord.Hlaso);
    m_oddI->UkazIdentifikaci(QString::number(t2.Obec), QString::number(t2.Okrsek),
                             QString::number(t2.T2KC_1), st.NazevObce);
    m_oddII->UkazOddII(t2, st.NazevObce);
    m_oddII->NastavZaskrtnuti(t2);
    // The selector is built anew for this showing: what it listed before
    // belongs to a record that was just read again from disk.
    m_priloha->vyprazdniVyber();
}

// ---- the recovery copy ----

QByteArray TR_Vstupni_Form::stavObnovy() const {
    return recoveryContent(m_session.AktOkrsek, m_session.PrecinctRecord, m_komise->jmenaVMrizce());
}

QByteArray TR_Vstupni_Form::nabidniObnovu() {
    if (!recoveryCopyExists())
        return {};
    const QString caption = QString::fromUtf8(kCaption);
    const QString kdy = casObnovy(recoveryCopyTime());
    // A copy that cannot be used is said so and discarded; it never keeps
    // the window from opening with the saved data.
    QString proc;
    RecoveryCopy kopie;
    try {
        kopie = readRecoveryCopy();
        const TAktOkrsek& okrsek = m_session.AktOkrsek;
        const std::optional<QDateTime> data = newestDataFileTime(okrsek);
        if (kopie.okrsek.Obec != okrsek.Obec || kopie.okrsek.Okrsek != okrsek.Okrsek)
            proc = QString::fromUtf8(kObnovaJinyOkrsek)
                       .arg(kdy, kopie.okrsek.Obec, QString::number(kopie.okrsek.Okrsek));
        else if (!isNewerThanData(recoveryCopyTime(), data))
            proc = QString::fromUtf8(kObnovaStarsi).arg(kdy, casObnovy(data.value_or(QDateTime())));
    } catch (const UrnariumError& e) {
        proc = QString::fromUtf8(kObnovaPoskozena).arg(e.message());
    }
    // Here "Ne" is the answer that discards typed work: Enter restores it.
    if (proc.isEmpty() &&
        dialogs().ask(caption, QString::fromUtf8(kOtazkaObnova).arg(kdy), DefaultAnswer::Ano)) {
        obnov(kopie);
        // The copy stays until the restored changes are saved.
        return stavObnovy();
    }
    if (!proc.isEmpty())
        dialogs().warn(caption, proc);
    try {
        removeRecoveryCopy();
    } catch (const UrnariumError& e) {
        dialogs().warn(caption, e.message());
    }
    return {};
}

void TR_Vstupni_Form::obnov(const RecoveryCopy& kopie) {
    // The closing record stays as loaded: every save computes it anew.
    TPrecinctRecord& r = m_session.PrecinctRecord;
    r.T2 = kopie.record.T2;
    r.Strany = kopie.record.Strany;
    r.Clenove = kopie.record.Clenove;
    r.Hlaso = kopie.record.Hlaso;
    m_komise->NactiKomisi(&kopie.jmenaKomise);
    ukazZaznam();
}

// ---- moving between pages ----

void TR_Vstupni_Form::opustPole() {
    QWidget* f = QApplication::focusWidget();
    if (patriOknu(f, this) && f != m_zalozky->tabBar())
        m_zalozky->tabBar()->setFocus(Qt::OtherFocusReason);
}

bool TR_Vstupni_Form::ulozPriZmene() {
    QPointer<QWidget> fokus = QApplication::focusWidget();
    // The field being edited is left first, so that its value is in the
    // record before the save; its checks report after the change.
    opustPole();
    if (m_odmitnute)
        return false;
    if (m_zavirani)
        return true;
    bool ulozeno = false;
    // The second entry only takes the numbers into its own record.
    if (!runReportingErrors([&] { ulozeno = kontrolniZadani() ? prevezmiOddII() : UlozVse(); })) {
        if (fokus && patriOknu(fokus, this))
            fokus->setFocus(Qt::OtherFocusReason);
        return false;
    }
    return ulozeno;
}

bool TR_Vstupni_Form::R_TN_T2PRChange(int nova) {
    const int stara = m_zalozky->currentIndex();
    if (nova == stara)
        return true;
    if (!stranaOtevrena(nova))
        return false;
    if (nova == kStrankaPriloha && !JeVybranaStrana()) {
        systemBeep();
        return false;
    }
    if (!ulozPriZmene())
        return false;
    if (nova == kStrankaPriloha) {
        const QList<TStranaVstupu> zaskrtnute = m_oddII->zaskrtnuteStrany();
        // Built anew coming from the party ticks, when empty, and whenever
        // the ticks no longer match what it lists.
        if (stara == kStrankaOddII || m_priloha->vyberPrazdny() ||
            !m_priloha->vyberOdpovida(zaskrtnute))
            m_priloha->PostavVyber(zaskrtnute);
        else
            m_priloha->ProcNatahniStranu(m_priloha->zobrazenaStrana());
    }
    m_zalozky->setCurrentIndex(nova);
    return true;
}

void TR_Vstupni_Form::R_TN_T2PRClick() {
    switch (m_zalozky->currentIndex()) {
    case kStrankaOddI:
        m_oddI->R_SEdZahajeno1()->setFocus(Qt::OtherFocusReason);
        break;
    case kStrankaOddII:
        (m_oddII->R_EdZapsOsoby()->isVisible() ? static_cast<QWidget*>(m_oddII->R_EdZapsOsoby())
                                               : m_oddII->R_EdObec())
            ->setFocus(Qt::OtherFocusReason);
        break;
    case kStrankaPriloha:
        m_priloha->R_CBT2P_1()->setFocus(Qt::OtherFocusReason);
        break;
    case kStrankaOddIII:
        m_komise->UkazPrilListu();
        m_komise->R_SEdClenuOVKC()->setFocus(Qt::OtherFocusReason);
        break;
    }
}

void TR_Vstupni_Form::zobrazStranku(int stranka) {
    // Where the first entry goes on to a page the second entry does not
    // have, the second entry goes on to its comparison.
    if (!stranaOtevrena(stranka)) {
        if (QPushButton* b = porovnatBtn(m_zalozky->currentIndex()); b && stranka == kStrankaOddIII)
            b->setFocus(Qt::OtherFocusReason);
        else
            systemBeep();
        return;
    }
    if (R_TN_T2PRChange(stranka))
        R_TN_T2PRClick();
}

void TR_Vstupni_Form::PokracovatBBtnClick() {
    zobrazStranku(kStrankaOddII);
}

void TR_Vstupni_Form::R_Dalsi2_BtnClick() {
    zobrazStranku(JeVybranaStrana() ? kStrankaPriloha : kStrankaOddIII);
}

void TR_Vstupni_Form::PageDownMIClick() {
    zobrazStranku(dalsiStranka(m_zalozky->currentIndex(), JeVybranaStrana()));
}

void TR_Vstupni_Form::PageUpMIClick() {
    zobrazStranku(predchoziStranka(m_zalozky->currentIndex(), JeVybranaStrana()));
}

void TR_Vstupni_Form::KCisloMI1Click() {
    if (m_zalozky->currentIndex() == kStrankaPriloha)
        m_priloha->R_EdT2PPoslKand()->setFocus(Qt::OtherFocusReason);
}

void TR_Vstupni_Form::UlozitMIClick() {
    if (kontrolniZadani()) {
        Porovnat();
        return;
    }
    if (!R_TN_T2PRChange(kStrankaOddIII))
        return;
    QPushButton* b = m_komise->ulozitOkrBtn();
    b->setFocus(Qt::OtherFocusReason);
    b->click();
}

// ---- saving ----

void TR_Vstupni_Form::ProcDopoctiT2ZakrStrana() {
    urn::ProcDopoctiT2ZakrStrana(m_session.PrecinctRecord, m_oddII->zaskrtnutaCisla());
}

void TR_Vstupni_Form::prepocti() {
    ProcDopoctiT2ZakrStrana();
    for (const int p : m_oddII->zaskrtnutaCisla())
        ProcDopoctiT2P(m_session.PrecinctRecord, m_session.SeznamStran, p);
    urn::ProcDopoctiTS(m_session);
}

void TR_Vstupni_Form::ulozDataE() {
    // The new file is on disk before the checked one goes: an interruption
    // never leaves the precinct without data.
    try {
        storeDataFileOfKind(kKindE, m_session.AktOkrsek, m_session.PrecinctRecord);
    } catch (const FieldWidthError&) {
        // Refused before anything was written; the values are named as the
        // commission knows them.
        throw FieldWidthError(popisNevejdeSe(m_session.PrecinctRecord, kKindE));
    }
}

bool TR_Vstupni_Form::prevezmiOddII() {
    // Every typed value went into the record when its field was left. What
    // a field still holds is taken in once more, for a field whose exit has
    // not run (the window not active when the save came); a number the data
    // file cannot hold stops the save before anything is written.
    QString zprava;
    TSEdit* odmitnute = nullptr;
    if (!m_oddII->UlozPole(m_session.PrecinctRecord.T2, &zprava, &odmitnute)) {
        OdmitniHodnotu(odmitnute, zprava);
        return false;
    }
    return true;
}

bool TR_Vstupni_Form::UlozVse() {
    TPrecinctRecord& r = m_session.PrecinctRecord;
    if (!prevezmiOddII())
        return false;
    m_oddI->UlozPole(r.Hlaso);
    m_komise->UlozPole();
    prepocti();
    ulozDataE();
    UlozHlaso(r.Hlaso);
    m_komise->UlozKomisi();
    ZapisStav(m_session.Stanice, QStringLiteral("N"));
    m_obnova->saved();
    return true;
}

void TR_Vstupni_Form::ulozitBtnClick() {
    // The second entry saves nothing; its pages have no "Uložit".
    if (kontrolniZadani())
        return;
    // The record is saved by the change to page 0, as by every change of
    // page (on page 0 already, by the same save without the change).
    const bool ulozeno =
        m_zalozky->currentIndex() == kStrankaOddI ? ulozPriZmene() : R_TN_T2PRChange(kStrankaOddI);
    if (!ulozeno)
        return;

    Kontroly(m_session, kVybranoKontrola);
    if (TiskProtokolu)
        TiskProtokolu(m_session);
    prepocti();
    ZapisStav(m_session.Stanice, QStringLiteral("N"));
    const QString caption = QString::fromUtf8(kCaption);
    const WorkflowState& w = m_session.Workflow;
    const bool kontrolyOK = w.KontrolyOK;
    // Written as kind "O"; the store removes the "E" file only once the new
    // one is on disk.
    if (kontrolyOK)
        UlozData(kKindO, m_session.AktOkrsek, m_session.PrecinctRecord);
    else
        ulozDataE();
    // The check run marked its findings in the record: that too is saved.
    m_obnova->saved();
    if (kontrolyOK) {
        // The data are saved and checked whatever the answer; "Ano" goes on
        // with the next step of the night.
        const bool dale =
            dialogs().ask(caption, QString::fromUtf8(w.ExportOK ? kOtazkaExport : kOtazkaTisk),
                          DefaultAnswer::Ano);
        if (dale) {
            if (ExportTisk)
                ExportTisk();
            else
                dialogs().warn(caption, QString::fromUtf8(kExportNeniKDispozici));
        }
    }
    m_obnova->discard();
    m_otazkaPripojena = false;
    done(QDialog::Accepted);
}

// ---- closing ----

void TR_Vstupni_Form::zrusitBtnClick() {
    reject();
}

void TR_Vstupni_Form::reject() {
    if (!m_otazkaPripojena) {
        QDialog::reject();
        return;
    }
    runReportingErrors([this] { FormCloseQuery(); });
}

void TR_Vstupni_Form::FormCloseQuery() {
    // On "Zrušit" the field being left reports nothing.
    QPushButton* zrusit = m_oddII->zrusitBtn();
    if (zrusit->isVisible() && zrusit->isEnabled())
        zrusit->setFocus(Qt::OtherFocusReason);
    if (kontrolniZadani()) {
        // "Ano" throws the second entry away: Enter must not.
        if (dialogs().ask(QString::fromUtf8(kCaptionKontrolni),
                          QString::fromUtf8(kOtazkaUkoncitKontrolni), DefaultAnswer::Ne))
            zavritKontrolni(QDialog::Rejected);
        return;
    }
    if (!dialogs().ask(QString::fromUtf8(kCaption), QString::fromUtf8(kOtazkaZavrit),
                       DefaultAnswer::Ne))
        return;
    m_zavirani = true;
    R_TN_T2PRChange(kStrankaOddI);
    // The changes of this page are given up, and with them their copy.
    m_obnova->discard();
    m_otazkaPripojena = false;
    QDialog::reject();
}

// ---- reports ----

bool TR_Vstupni_Form::KontrolyOdpojeny(const QWidget* pole) const {
    return pole && pole == m_odpojene;
}

void TR_Vstupni_Form::Hlaska(const THlaseni& hlaseni, QWidget* oprEdit) {
    // Leaving the window by "Zrušit", or closing it, reports nothing; nor
    // does the second entry, whose member types without hints from the
    // checks.
    if (kontrolniZadani() || m_zavirani || !isVisible() ||
        QApplication::focusWidget() == m_oddII->zrusitBtn())
        return;
    ++m_cekajiciHlaseni;
    QCoreApplication::postEvent(this, new HlaseniEvent(hlaseni, oprEdit));
}

void TR_Vstupni_Form::OdmitniHodnotu(TSEdit* pole, const QString& zprava) {
    if (!pole || pole == m_odmitnute)
        return;
    m_odmitnute = pole;
    if (m_zavirani || !isVisible())
        return;
    QCoreApplication::postEvent(this, new OdmitnutiEvent(pole, zprava));
}

bool TR_Vstupni_Form::event(QEvent* e) {
    if (e->type() == kHlaseniEvent) {
        auto* h = static_cast<HlaseniEvent*>(e);
        runReportingErrors([&] { ukazHlaseni(h->hlaseni, h->oprEdit); });
        return true;
    }
    if (e->type() == kOdmitnutiEvent) {
        auto* o = static_cast<OdmitnutiEvent*>(e);
        runReportingErrors([&] { ukazOdmitnuti(o->pole, o->zprava); });
        return true;
    }
    return QDialog::event(e);
}

void TR_Vstupni_Form::ukazHlaseni(const THlaseni& h, QWidget* oprEdit) {
    struct Konec {
        TR_Vstupni_Form* f;
        ~Konec() {
            if (f->m_cekajiciHlaseni > 0)
                --f->m_cekajiciHlaseni;
            if (f->m_cekajiciHlaseni == 0)
                f->m_zadrzeneTlacitko = nullptr;
        }
    } konec{this};
    // A second finding while the first is on screen is not shown over it.
    if (m_hlaskaBezi || m_zavirani || !isVisible())
        return;
    QWidget* f = QApplication::focusWidget();
    TSEdit* a = patriOknu(f, this) ? qobject_cast<TSEdit*>(f) : nullptr;
    // The button whose click caused the focus change: its click was held
    // back while the finding waited.
    QPointer<QPushButton> b = m_zadrzeneTlacitko;
    if (!b)
        if (auto* tl = qobject_cast<QPushButton*>(f); tl && patriOknu(tl, this) && tl->isDown())
            b = tl;
    m_hlaska->NastavHlasku(h.iChyba, h.iParam, h.iInfo, h.iPropust);
    m_hlaskaBezi = true;
    const bool opravit = m_hlaska->UkazHlasku();
    m_hlaskaBezi = false;
    // Back to typing here, whether or not the platform gives the activation
    // back to the window under the message by itself.
    if (isVisible() && !isActiveWindow())
        activateWindow();
    for (QPushButton* tl : findChildren<QPushButton*>())
        if (tl->isDown())
            tl->setDown(false);
    QPointer<TSEdit> pa = a;
    QPointer<QWidget> cil = oprEdit;
    const int strana = h.strana;
    if (opravit)
        poAktivaci([this, pa, cil, strana] { Opravit(pa, cil, strana); });
    else if (b)
        poAktivaci([b] {
            if (b && b->isVisible() && b->isEnabled())
                b->click();
        });
}

void TR_Vstupni_Form::Opravit(TSEdit* a, QWidget* cil, int strana) {
    if (!cil)
        return;
    struct Pripoj {
        TR_Vstupni_Form* f;
        ~Pripoj() { f->m_odpojene = nullptr; }
    } pripoj{this};
    // The field the focus is in is left without running its checks again;
    // what was typed into it meanwhile is still stored.
    m_odpojene = a;
    opustPole();
    const int stranka = strankaOvladace(cil);
    if (stranka >= 0 && stranka != m_zalozky->currentIndex() && !R_TN_T2PRChange(stranka))
        return;
    // An Annex 1 finding belongs to the party it was found on, whichever
    // party the page shows by now.
    if (stranka == kStrankaPriloha && strana > 0 && strana != m_priloha->zobrazenaStrana())
        m_priloha->vyberStranu(strana);
    if (cil->isVisible() && cil->isEnabled())
        cil->setFocus(Qt::OtherFocusReason);
}

void TR_Vstupni_Form::ukazOdmitnuti(TSEdit* pole, const QString& zprava) {
    struct Konec {
        TR_Vstupni_Form* f;
        ~Konec() { f->m_odmitnute = nullptr; }
    } konec{this};
    if (!pole || m_zavirani || !isVisible())
        return;
    dialogs().warn(QString::fromUtf8(kCaption), zprava);
    if (isVisible() && !isActiveWindow())
        activateWindow();
    QWidget* f = QApplication::focusWidget();
    QPointer<TSEdit> a = patriOknu(f, this) ? qobject_cast<TSEdit*>(f) : nullptr;
    QPointer<TSEdit> p = pole;
    poAktivaci([this, a, p] {
        if (!p)
            return;
        struct Pripoj {
            TR_Vstupni_Form* f;
            ~Pripoj() { f->m_odpojene = nullptr; }
        } pripoj{this};
        if (a != p)
            m_odpojene = a;
        const int stranka = strankaOvladace(p);
        if (stranka >= 0 && stranka != m_zalozky->currentIndex())
            return;
        p->setFocus(Qt::OtherFocusReason);
        p->selectAll();
    });
}

void TR_Vstupni_Form::poAktivaci(std::function<void()> akce) {
    // Focus moves only reach the fields in the active window; after the
    // message window the entry window may take a moment to be active again.
    if (isActiveWindow() || !isVisible()) {
        akce();
        return;
    }
    m_poAktivaci = std::move(akce);
    activateWindow();
}

void TR_Vstupni_Form::changeEvent(QEvent* e) {
    QDialog::changeEvent(e);
    if (e->type() == QEvent::ActivationChange && isActiveWindow() && m_poAktivaci) {
        std::function<void()> akce = std::move(m_poAktivaci);
        m_poAktivaci = nullptr;
        QMetaObject::invokeMethod(
            this, [this, akce] { runReportingErrors(akce); }, Qt::QueuedConnection);
    }
}

int TR_Vstupni_Form::strankaOvladace(const QWidget* w) const {
    for (int i = 0; i < m_zalozky->count(); ++i)
        if (m_zalozky->widget(i)->isAncestorOf(w))
            return i;
    return -1;
}

bool TR_Vstupni_Form::eventFilter(QObject* o, QEvent* e) {
    auto* b = qobject_cast<QPushButton*>(o);
    if (!b)
        return QDialog::eventFilter(o, e);
    if (e->type() == QEvent::MouseButtonRelease && (m_cekajiciHlaseni > 0 || m_hlaskaBezi) &&
        static_cast<QMouseEvent*>(e)->button() == Qt::LeftButton) {
        // A finding of the field this click left waits to be shown: the
        // click takes effect only if the commission goes on past it.
        if (b->isDown()) {
            b->setDown(false);
            m_zadrzeneTlacitko = b;
        }
        return true;
    }
    if (e->type() == QEvent::KeyPress) {
        auto* k = static_cast<QKeyEvent*>(e);
        if ((k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter) &&
            k->modifiers() == Qt::NoModifier) {
            b->click();
            return true;
        }
    }
    return QDialog::eventFilter(o, e);
}

} // namespace urn
