#include "entry/CommissionPage.h"

#include "checks/PrecinctSession.h"
#include "entry/CodePageInput.h"
#include "store/PrecinctRecord.h"
#include "store/ReferenceTables.h"
#include "store/StationConfig.h"
#include "ui/ColourStringGrid.h"
#include "ui/EntryEdit.h"
#include "ui/FixedLayout.h"
#include "ui/Fonts.h"
#include "ui/Glyphs.h"

#include <QApplication>
#include <QLabel>

namespace urn {

namespace {
constexpr int kPrilistuSirka = 2;
constexpr int kClenuSirka = 2;
constexpr int kZapisovatSirka = 35;
constexpr int kDlouhyTextSirka = 200;
constexpr int kPocetStranPrilohy = 30; // parties that can have an Annex 1 sheet

constexpr int kLevyOkraj = 8;
constexpr int kPoleVyska = 20;
constexpr int kMezera = 4;
constexpr int kSirkaCisla = 64;
constexpr int kSirkaJmena = 483;
} // namespace

int pocetClenuProMrizku(const QString& ClenuOVKP) {
    const QString t = ClenuOVKP.trimmed();
    if (t.isEmpty())
        return 0;
    for (QChar c : t)
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return 0;
    const int n = t.toInt();
    return n >= 2 ? n : 0;
}

CommissionPage::CommissionPage(PrecinctSession& session, QWidget* parent)
    : QWidget(parent), m_session(session) {
    setObjectName(QStringLiteral("PanVstupZapis"));
    m_R_SEdPrilListu = makeField("R_SEdPrilListu", kPrilistuSirka, true);
    m_R_SEdPrilListu->setEnabled(false);
    m_R_SEdClenuOVKC = makeField("R_SEdClenuOVKC", kClenuSirka, true);
    m_R_SEdClenuOVKP = makeField("R_SEdClenuOVKP", kClenuSirka, true);
    m_R_SEdZapisovat = makeField("R_SEdZapisovat", kZapisovatSirka, false);
    m_R_SEdPoverPred = makeField("R_SEdPoverPred", kDlouhyTextSirka, false);
    m_R_SEdOstatni = makeField("R_SEdOstatni", kDlouhyTextSirka, false);

    // The page reads as the printed form, top to bottom.
    vetyNadJmeny();
    mrizkaJmen();
    vetyPodJmeny();
    m_ulozitOkrBtn = new QPushButton(okGlyph(), QStringLiteral("Uložit"), this);
    m_ulozitOkrBtn->setObjectName(QStringLiteral("ulozitOkrBtn"));
    m_ulozitOkrBtn->setFont(arialFont(13, true));
    m_ulozitOkrBtn->setGeometry(601, 529, 97, 33);
    // Enter in the fields moves on; it never presses the button.
    m_ulozitOkrBtn->setAutoDefault(false);
    m_ulozitOkrBtn->setDefault(false);
    connect(m_ulozitOkrBtn, &QPushButton::clicked, this, &CommissionPage::ulozitOkrBtnClick);

    setTabOrder(m_R_SEdPrilListu, m_R_SEdClenuOVKC);
    setTabOrder(m_R_SEdClenuOVKC, m_R_SEdClenuOVKP);
    setTabOrder(m_R_SEdClenuOVKP, m_R_SEdZapisovat);
    setTabOrder(m_R_SEdZapisovat, m_R_JmenaKomise_SG);
    setTabOrder(m_R_JmenaKomise_SG, m_R_SEdPoverPred);
    setTabOrder(m_R_SEdPoverPred, m_R_SEdOstatni);
    setTabOrder(m_R_SEdOstatni, m_ulozitOkrBtn);

    connect(m_R_SEdClenuOVKC, &TSEdit::OnExit, this, &CommissionPage::R_SEdClenuOVKCExit);
    connect(m_R_SEdClenuOVKP, &TSEdit::OnExit, this, &CommissionPage::R_SEdClenuOVKPExit);
    connect(m_R_SEdZapisovat, &TSEdit::OnExit, this, &CommissionPage::R_SEdZapisovatExit);
    connect(m_R_SEdPoverPred, &TSEdit::OnExit, this, &CommissionPage::R_SEdPoverPredExit);
    connect(m_R_SEdOstatni, &TSEdit::OnExit, this, &CommissionPage::R_SEdOstatniExit);

    upravMrizku();
}

namespace {
// One line of the page: each field sits inside its sentence, so the
// positions follow from the widths of the texts.
struct RadekStranky {
    QWidget* stranka;
    int y;
    int x = kLevyOkraj;

    void text(const QString& s) {
        QLabel* l = addLabel(stranka, s, x, y + 3, arialFont(12));
        x += l->width() + kMezera;
    }
    void pole(QWidget* w, int sirka) {
        w->setGeometry(x, y, sirka, kPoleVyska);
        x += sirka + kMezera;
    }
};
} // namespace

// The sheets of Annex 1, the members in total and present, the recorder and
// the heading of the other members' names.
void CommissionPage::vetyNadJmeny() {
    RadekStranky listy{this, 12};
    listy.text(QStringLiteral("Byly zjištěny výsledky hlasování uvedené v oddílu II a na"));
    listy.pole(m_R_SEdPrilListu, 24);
    listy.text(QStringLiteral("listech přílohy č.1 k tiskopisu."));

    addLabel(this, QStringLiteral("III."), kLevyOkraj, 48, arialFont(13, true));
    RadekStranky pocty{this, 72};
    pocty.text(QStringLiteral("Z celkového počtu"));
    pocty.pole(m_R_SEdClenuOVKC, 24);
    pocty.text(
        QStringLiteral("členů okrskové volební komise je v době vyhotovení zápisu přítomno"));
    pocty.pole(m_R_SEdClenuOVKP, 24);
    pocty.text(QStringLiteral("tj. nadpoloviční většina."));

    RadekStranky zapisovatel{this, 104};
    zapisovatel.text(QStringLiteral("Jméno a příjmení zapisovatele:"));
    zapisovatel.text(QStringLiteral("1."));
    zapisovatel.pole(m_R_SEdZapisovat, 320);

    RadekStranky{this, 136}.text(QStringLiteral("Jména a příjmení ostatních členů okrskové "
                                                "volební komise (přítomných při zpracování "
                                                "zápisu):"));
}

// The member who hands the record over and the other persons present.
void CommissionPage::vetyPodJmeny() {
    RadekStranky{this, 400}.text(QStringLiteral("Člen okrskové volební komise (z výše "
                                                "uvedených) pověřený předáním zápisu Tabulatu "
                                                "na územně příslušném pracovišti"));
    RadekStranky{this, 416}.text(QStringLiteral("a k opravám případných chyb v zápisu na místě "
                                                "(jméno a příjmení):"));
    m_R_SEdPoverPred->setGeometry(kLevyOkraj, 438, 690, kPoleVyska);

    RadekStranky{this, 470}.text(
        QStringLiteral("Kromě členů komise dále byli v době vyhotovení zápisu přítomni:"));
    m_R_SEdOstatni->setGeometry(kLevyOkraj, 492, 690, kPoleVyska);
}

// The names grid: a numbered row for each member present but the recorder.
void CommissionPage::mrizkaJmen() {
    auto* grid = new TZColorStringGrid(this);
    m_R_JmenaKomise_SG = grid;
    grid->setObjectName(QStringLiteral("R_JmenaKomise_SG"));
    grid->setColCount(2);
    grid->setRowCount(2);
    grid->setOptions(goFixedVertLine | goFixedHorzLine | goVertLine | goHorzLine | goRangeSelect |
                     goEditing | goTabs);
    const QPalette pal = QApplication::palette();
    TCellStyle normal = grid->DefaultCellStyle();
    normal.Font = tahomaFont(13);
    normal.FontColor = pal.color(QPalette::Text);
    normal.BGColor = pal.color(QPalette::Base);
    normal.WordWrap = true;
    grid->setDefaultCellStyle(normal);
    TCellStyle fixed = normal;
    fixed.Font = tahomaFont(13, true);
    fixed.FontColor = Qt::black;
    fixed.BGColor = pal.color(QPalette::Button);
    fixed.BorderCellStyle = sgRaised;
    grid->setDefaultFixedCellStyle(fixed);
    TLineDesign lines = grid->LineDesign();
    lines.LineUpColor = Qt::white;
    grid->setLineDesign(lines);
    grid->setSizingHeight(true);
    grid->setSizingWidth(true);
    grid->setColWidths(0, kSirkaCisla);
    grid->setColWidths(1, kSirkaJmena);
    grid->setCells(0, 0, QStringLiteral("Poř."));
    grid->setCells(1, 0, QStringLiteral("Jméno a příjmení"));
    nastavBarvyVyberu(false);
    // Both columns and room for the scroll bar that many members bring.
    const int gridWidth = 2 * grid->frameWidth() + kSirkaCisla + kSirkaJmena +
                          2 * grid->GridLineWidth() +
                          grid->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, grid);
    grid->setGeometry(kLevyOkraj, 156, gridWidth, 232);
    connect(grid, &TZColorStringGrid::OnEnter, this, &CommissionPage::R_JmenaKomise_SGEnter);
    connect(grid, &TZColorStringGrid::OnExit, this, &CommissionPage::R_JmenaKomise_SGExit);
    connect(grid, &TZColorStringGrid::OnKeyPress, this, &CommissionPage::R_JmenaKomise_SGKeyPress);
}

TSEdit* CommissionPage::makeField(const char* name, int maxLength, bool number) {
    auto* e = new TSEdit(this);
    e->setObjectName(QString::fromLatin1(name));
    e->setBorderStyle(bsNone);
    e->setMaxLength(maxLength);
    e->setValueType(number ? vtNumber : vtString);
    e->setFont(arialFont(13, true));
    keepToCp1250(e);
    return e;
}

// ---- fields ----

void CommissionPage::R_SEdClenuOVKCExit() {
    m_session.PrecinctRecord.Hlaso.ClenuOVKC = m_R_SEdClenuOVKC->text().left(kClenuSirka);
}

void CommissionPage::R_SEdClenuOVKPExit() {
    m_session.PrecinctRecord.Hlaso.ClenuOVKP = m_R_SEdClenuOVKP->text().left(kClenuSirka);
    upravMrizku();
}

void CommissionPage::R_SEdZapisovatExit() {
    m_session.PrecinctRecord.Hlaso.Zapisovat = m_R_SEdZapisovat->text().left(kZapisovatSirka);
}

void CommissionPage::R_SEdPoverPredExit() {
    m_session.PrecinctRecord.Hlaso.PoverPred = m_R_SEdPoverPred->text().left(kDlouhyTextSirka);
}

void CommissionPage::R_SEdOstatniExit() {
    m_session.PrecinctRecord.Hlaso.Ostatni = m_R_SEdOstatni->text().left(kDlouhyTextSirka);
}

void CommissionPage::UlozPole() {
    R_SEdClenuOVKCExit();
    m_session.PrecinctRecord.Hlaso.ClenuOVKP = m_R_SEdClenuOVKP->text().left(kClenuSirka);
    // A save while the focus is still in ClenuOVKP (a shortcut changed the
    // page) must save the rows that the new number gives.
    if (m_session.PrecinctRecord.Hlaso.ClenuOVKP != m_mrizkaPro)
        upravMrizku();
    R_SEdZapisovatExit();
    R_SEdPoverPredExit();
    R_SEdOstatniExit();
}

void CommissionPage::UkazPrilListu() {
    const QString& zaskrt = m_session.PrecinctRecord.T2.ZaskrtStrany;
    int listu = 0;
    for (qsizetype i = 0; i < kPocetStranPrilohy && i < zaskrt.size(); ++i)
        if (zaskrt.at(i) == QLatin1Char('1'))
            ++listu;
    m_session.PrecinctRecord.Hlaso.PrilListu = QString::number(listu);
    m_R_SEdPrilListu->setText(m_session.PrecinctRecord.Hlaso.PrilListu);
}

// ---- names grid ----

// Rows for the stored ClenuOVKP: for N members present the rows 1 to N - 1,
// numbered 2. to N. (names already in them stay); otherwise one unnumbered
// empty row.
void CommissionPage::upravMrizku() {
    TZColorStringGrid* grid = m_R_JmenaKomise_SG;
    m_mrizkaPro = m_session.PrecinctRecord.Hlaso.ClenuOVKP;
    const int n = pocetClenuProMrizku(m_mrizkaPro);
    grid->setDontDraw(true);
    if (n >= 2) {
        grid->setRowCount(n);
        for (int k = 1; k < n; ++k)
            grid->setCells(0, k, QString::number(k + 1) + QLatin1Char('.'));
    } else {
        grid->setRowCount(2);
        grid->setCells(0, 1, QString());
        grid->setCells(1, 1, QString());
    }
    grid->setDontDraw(false);
}

void CommissionPage::NactiKomisi(const QStringList* zObnovy) {
    const THlaso& h = m_session.PrecinctRecord.Hlaso;
    m_R_SEdPrilListu->setText(h.PrilListu);
    m_R_SEdClenuOVKC->setText(h.ClenuOVKC);
    m_R_SEdClenuOVKP->setText(h.ClenuOVKP);
    m_R_SEdZapisovat->setText(h.Zapisovat);
    m_R_SEdPoverPred->setText(h.PoverPred);
    m_R_SEdOstatni->setText(h.Ostatni);

    // The window is reused all night: nothing of the last opening may stay
    // (names discarded without saving must not come back), and the rows
    // must exist before the names are written into them.
    TZColorStringGrid* grid = m_R_JmenaKomise_SG;
    grid->HideEditor();
    grid->setDontDraw(true);
    for (int r = grid->FixedRows(); r < grid->RowCount(); ++r)
        for (int c = 0; c < grid->ColCount(); ++c)
            grid->setCells(c, r, QString());
    grid->setRowCount(2);
    grid->setDontDraw(false);
    upravMrizku();
    grid->setRow(1);
    grid->scrollToTop();
    m_komiseNenactena = false;

    if (zObnovy) {
        for (int k = 1; k < grid->RowCount() && k <= zObnovy->size(); ++k)
            grid->setCells(1, k, zObnovy->at(k - 1));
        return;
    }
    const int n = pocetClenuProMrizku(h.ClenuOVKP);
    if (n < 2)
        return;
    m_session.JmenaKomise = QList<TKomise>(n);
    if (KomiseNeniPrazdna()) {
        try {
            NactiKomise(m_session.JmenaKomise);
        } catch (...) {
            m_komiseNenactena = true;
            throw;
        }
    }
    const QList<TKomise>& jmena = m_session.JmenaKomise;
    for (int k = 1; k < n; ++k)
        grid->setCells(1, k, k - 1 < jmena.size() ? jmena.at(k - 1).clen : QString());
}

QStringList CommissionPage::jmenaVMrizce() const {
    QStringList jmena;
    for (int k = 1; k < m_R_JmenaKomise_SG->RowCount(); ++k)
        jmena.append(m_R_JmenaKomise_SG->Cells(1, k));
    return jmena;
}

void CommissionPage::UlozKomisi() {
    UlozPole();
    const int n = pocetClenuProMrizku(m_session.PrecinctRecord.Hlaso.ClenuOVKP);
    if (n < 2)
        return;
    const TZColorStringGrid* grid = m_R_JmenaKomise_SG;
    QList<TKomise> jmena;
    bool vsechnaPrazdna = true;
    for (int k = 1; k < n; ++k) {
        jmena.append({grid->Cells(1, k).left(kDelkaJmenaClena)});
        vsechnaPrazdna = vsechnaPrazdna && jmena.last().clen.isEmpty();
    }
    if (m_komiseNenactena && vsechnaPrazdna)
        return;
    m_session.JmenaKomise = jmena;
    UlozKomise(m_session.JmenaKomise);
    m_komiseNenactena = false;
}

void CommissionPage::nastavBarvyVyberu(bool focused) {
    TSelectColor colours = m_R_JmenaKomise_SG->SelectedColors();
    const QPalette pal = QApplication::palette();
    colours.BGColor = focused ? pal.color(QPalette::Highlight) : pal.color(QPalette::Button);
    colours.FontColor = focused ? QColor(Qt::white) : QColor(Qt::black);
    m_R_JmenaKomise_SG->setSelectedColors(colours);
}

void CommissionPage::R_JmenaKomise_SGEnter() {
    // Abroad (the special municipality) no member takes the record to the
    // office, so Enter on the last name skips that field.
    const bool zvlastni = m_session.Stanice.Obec == QLatin1String(kZvlastniObec);
    m_R_JmenaKomise_SG->setKamDale(zvlastni ? m_R_SEdOstatni : m_R_SEdPoverPred);
    nastavBarvyVyberu(true);
}

void CommissionPage::R_JmenaKomise_SGExit() {
    nastavBarvyVyberu(false);
}

void CommissionPage::R_JmenaKomise_SGKeyPress(QChar& key) {
    TZColorStringGrid* grid = m_R_JmenaKomise_SG;
    if (key == QLatin1Char('\r')) {
        if (grid->Row() < grid->RowCount() - 1)
            grid->setRow(grid->Row() + 1);
        return;
    }
    if (key == QLatin1Char('\b'))
        return;
    // A name is one line (this comes only from pasted text).
    if (key == QLatin1Char('\n') || key == QLatin1Char('\t'))
        key = QLatin1Char(' ');
    if (key.unicode() < 32) {
        key = QChar();
        return;
    }
    if (!acceptCp1250Character(key)) {
        key = QChar();
        return;
    }
    // A name holds at most 50 characters: a character that would make it
    // longer is dropped without a beep. Typed on a cell that is not being
    // edited, the character starts the name anew.
    int delka = 0;
    if (grid->EditorMode()) {
        const QPlainTextEdit* editor = grid->ZInplaceEditor();
        delka = int(editor->toPlainText().size() - editor->textCursor().selectedText().size());
    }
    if (delka + 1 > kDelkaJmenaClena)
        key = QChar();
}

} // namespace urn
