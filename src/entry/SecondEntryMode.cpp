// The data-entry window as the second entry of the numbers: its two pages
// with "Porovnat", its opening on an empty record of its own, and the
// comparison with the saved record and where it leads.
#include "checks/CheckSequence.h"
#include "checks/ControlNumbers.h"
#include "checks/PrecinctSession.h"
#include "core/Dialogs.h"
#include "core/ErrorHandler.h"
#include "core/Errors.h"
#include "entry/AnnexPage.h"
#include "entry/DataEntryWindow.h"
#include "entry/DifferenceListWindow.h"
#include "entry/SectionTwoPage.h"
#include "store/PrecinctDataFile.h"
#include "store/ReferenceTables.h"
#include "store/SecondEntryState.h"
#include "ui/Beep.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>

namespace urn {

void TR_Vstupni_Form::vytvorKontrolniZadani() {
    m_oddII->setKontrolniZadani(true);
    m_priloha->setKontrolniZadani(true);
    m_zalozky->setTabVisible(kStrankaOddI, false);
    m_zalozky->setTabVisible(kStrankaOddIII, false);
    // "Porovnat" where section II keeps its hidden "Uložit", and beside the
    // party row of Annex 1; each after the page's last field in the Tab
    // order, where Enter leads.
    const struct {
        QWidget* stranka;
        QRect tlacitko;
        QPoint stitek;
        QWidget* predchozi;
    } strany[2] = {
        {m_oddII, QRect(580, 108, 115, 33), QPoint(30, 196), m_oddII->R_Dalsi2_Btn()},
        {m_priloha, QRect(580, 100, 115, 33), QPoint(8, 108), m_priloha->R_EdT2PPoslKand()},
    };
    for (int i = 0; i < 2; ++i) {
        m_porovnat[i] = vytvorTlacitko(strany[i].stranka, "PorovnatBtn", QStringLiteral("Porovnat"),
                                       strany[i].tlacitko);
        connect(m_porovnat[i], &QPushButton::clicked, this,
                guarded(this, &TR_Vstupni_Form::Porovnat));
        QWidget::setTabOrder(strany[i].predchozi, m_porovnat[i]);
        QLabel* stitek = vytvorPopisek(strany[i].stranka, QString::fromUtf8(kKontrolniStitek),
                                       strany[i].stitek.x(), strany[i].stitek.y(), pismoStranek());
        stitek->setObjectName(QStringLiteral("KontrolniStitek"));
        nastavBarvuTextu(stitek, QColor(0xB0, 0x00, 0x00));
    }
}

QPushButton* TR_Vstupni_Form::porovnatBtn(int stranka) const {
    sObsahem();
    if (stranka == kStrankaOddII)
        return m_porovnat[0];
    return stranka == kStrankaPriloha ? m_porovnat[1] : nullptr;
}

TRozdilyZadani_F* TR_Vstupni_Form::rozdilyF() {
    if (!m_rozdily)
        m_rozdily = new TRozdilyZadani_F(this);
    return m_rozdily;
}

void TR_Vstupni_Form::FormShowKontrolni() {
    vytvorObsah();
    m_oprava.reset();
    // The station and its tables as the program has them; the record empty:
    // nothing of the first entry is on these pages.
    m_session.Stanice = m_hlavni.Stanice;
    const TAktOkrsek& okrsek = m_session.AktOkrsek = m_session.Stanice.okrsek();
    if (!dataFileExists(kKindO, okrsek) && !dataFileExists(kKindE, okrsek))
        throw UrnariumError(QString::fromUtf8(kDataNejsouPorizena));
    pripravZobrazeni();
    ukazZaznam();

    m_zalozky->setCurrentIndex(kStrankaOddII);
    m_oddII->R_EdZapsOsoby()->setFocus(Qt::OtherFocusReason);
    m_ulozitMI->setEnabled(true);
}

bool TR_Vstupni_Form::stranaOtevrena(int stranka) const {
    return !kontrolniZadani() || stranka == kStrankaOddII || stranka == kStrankaPriloha;
}

void TR_Vstupni_Form::zavritKontrolni(int vysledek) {
    m_zavirani = true;
    m_otazkaPripojena = false;
    done(vysledek);
}

void TR_Vstupni_Form::Porovnat() {
    if (!kontrolniZadani())
        return;
    // The field being typed into is left first, so that its number counts.
    if (!ulozPriZmene())
        return;
    TPrecinctRecord& druhe = m_session.PrecinctRecord;
    const QList<int> zaskrtnute = m_oddII->zaskrtnutaCisla();
    urn::ProcDopoctiT2ZakrStrana(druhe, zaskrtnute);
    for (const int p : zaskrtnute)
        ProcDopoctiT2P(druhe, m_session.SeznamStran, p);

    // Compared with the record as it is on disk now.
    const QString caption = QString::fromUtf8(kCaptionKontrolniZadani);
    const TAktOkrsek& okrsek = m_session.AktOkrsek;
    TPrecinctRecord ulozeny;
    if (!nactiUlozenyZaznam(okrsek, ulozeny))
        throw UrnariumError(QString::fromUtf8(kDataNejsouPorizena));
    const QList<TRozdil> rozdily = porovnejZadani(ulozeny, druhe);
    try {
        zapisKontrolniZadani(okrsek, ulozeny, int(rozdily.size()));
    } catch (const UrnariumError& e) {
        // An earlier outcome for the same record must not stand in for this
        // one: the state is "not done", as the message says.
        try {
            removeSecondEntryState();
        } catch (const UrnariumError&) {
        }
        dialogs().warn(caption, QString::fromUtf8(kVysledekNeulozen).arg(e.message()));
    }
    if (rozdily.isEmpty()) {
        dialogs().inform(caption, QString::fromUtf8(kZadaniSeShoduji));
        zavritKontrolni(QDialog::Accepted);
        return;
    }
    const TRozdilyZadani_F::Volba volba = rozdilyF()->Ukaz(rozdily);
    const TRozdil vybrany = rozdily.at(rozdilyF()->vybrany());
    switch (volba) {
    case TRozdilyZadani_F::Opravit:
        // The main window opens the saved record on it.
        m_oprava = vybrany;
        zavritKontrolni(QDialog::Accepted);
        return;
    case TRozdilyZadani_F::Zavrit:
        zavritKontrolni(QDialog::Accepted);
        return;
    case TRozdilyZadani_F::Zpet:
        poAktivaci([this, vybrany] { ukazUdaj(vybrany, false); });
        return;
    }
}

void TR_Vstupni_Form::ukazUdaj(const TRozdil& udaj, bool bezUlozeni) {
    int stranka = kStrankaPriloha;
    QWidget* cil = nullptr;
    switch (udaj.udaj) {
    case TUdajZadani::ZapsOsoby:
    case TUdajZadani::VydObalky:
    case TUdajZadani::OdevzdObalky:
    case TUdajZadani::PlatneHlasy: {
        TSEdit* const pole[4] = {m_oddII->R_EdZapsOsoby(), m_oddII->R_EdVydObalky(),
                                 m_oddII->R_EdOdevzdObalky(), m_oddII->R_EdPlatneHlasy()};
        stranka = kStrankaOddII;
        cil = pole[int(udaj.udaj) - int(TUdajZadani::ZapsOsoby)];
        break;
    }
    case TUdajZadani::Zaskrtnuti:
        stranka = kStrankaOddII;
        cil = m_oddII->zaskrtavatko(udaj.strana);
        break;
    case TUdajZadani::PocHl:
        cil = m_priloha->R_EdPocHl();
        break;
    case TUdajZadani::PrefHlasy:
        cil = m_priloha->prefPole(udaj.kandidat);
        break;
    case TUdajZadani::PoslKand:
        cil = m_priloha->R_EdT2PPoslKand();
        break;
    }
    if (stranka != m_zalozky->currentIndex()) {
        if (!bezUlozeni) {
            if (!R_TN_T2PRChange(stranka))
                return;
        } else {
            // Just opened: nothing typed yet that a save would have to keep.
            if (stranka == kStrankaPriloha)
                m_priloha->PostavVyber(m_oddII->zaskrtnuteStrany());
            m_zalozky->setCurrentIndex(stranka);
        }
    }
    if (stranka == kStrankaPriloha && udaj.strana != m_priloha->zobrazenaStrana() &&
        !m_priloha->vyberStranu(udaj.strana))
        return;
    if (!cil || !cil->isVisible() || !cil->isEnabled())
        return;
    cil->setFocus(Qt::OtherFocusReason);
    if (auto* pole = qobject_cast<TSEdit*>(cil))
        pole->selectAll();
}

} // namespace urn
