#include "export/ExportWindow.h"

#include "core/Dialogs.h"
#include "core/ErrorHandler.h"
#include "export/ExportCopy.h"
#include "export/ExportInfoWindow.h"
#include "store/InstallDirs.h"
#include "store/StationConfig.h"
#include "ui/Fonts.h"
#include "ui/Glyphs.h"
#include "ui/MessageBoxDialogs.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QStyleOptionFrame>
#include <QTimer>

#include <algorithm>
#include <functional>

namespace urn {

namespace {

constexpr const char* kCaptionExportDat = "Export dat";
constexpr const char* kCaptionExportTisk = "Export dat a tisk zápisu";

// The item data of the list: the index into the device table (-1 for the
// hard disk), and how many characters at the start and at the end of the
// item stay whole when the closed box must shorten it.
constexpr int kRoleZacatek = Qt::UserRole + 1;
constexpr int kRoleKonec = Qt::UserRole + 2;

// The edit line of the list. An item names a mount point and may be longer
// than the box: the line then shows it with its middle elided, so that the
// medium's label and the kind stay in sight. Its text stays whole; only the
// painting differs, and only while the text does not fit.
class ZkracujiciRadek : public QLineEdit {
public:
    explicit ZkracujiciRadek(QWidget* parent) : QLineEdit(parent) {}
    std::function<QString(const QString&, const QFontMetrics&, int)> zkrat;

protected:
    void paintEvent(QPaintEvent* event) override {
        QStyleOptionFrame opt;
        initStyleOption(&opt);
        // The text area as QLineEdit lays it out: its contents less the
        // text margins and the line's own margin of 2 by 1 pixels.
        const QRect plocha = style()
                                 ->subElementRect(QStyle::SE_LineEditContents, &opt, this)
                                 .marginsRemoved(textMargins())
                                 .adjusted(2, 1, -2, -1);
        const QFontMetrics fm = fontMetrics();
        if (!zkrat || fm.horizontalAdvance(text()) <= plocha.width()) {
            QLineEdit::paintEvent(event);
            return;
        }
        const QString zobrazeno = zkrat(text(), fm, plocha.width());
        QPainter p(this);
        style()->drawPrimitive(QStyle::PE_PanelLineEdit, &opt, &p, this);
        const QRect radek(plocha.left(), plocha.top() + (plocha.height() - fm.height() + 1) / 2,
                          std::min(fm.horizontalAdvance(zobrazeno), plocha.width()), fm.height());
        // The whole item is selected as the list shows it; a part of the
        // shortened text cannot stand for a part of the item.
        const bool vybrano = hasSelectedText() && selectedText() == text();
        if (vybrano)
            p.fillRect(radek, palette().brush(QPalette::Highlight));
        p.setPen(palette().color(vybrano ? QPalette::HighlightedText : QPalette::Text));
        p.setClipRect(plocha);
        p.drawText(radek.left(), radek.top() + fm.ascent(), zobrazeno);
    }
};

} // namespace

QString polozkaVymenitelne(const TZarExp& disk) {
    return disk.Nazev + QStringLiteral(" (") + disk.Pozice + QLatin1Char(')') +
           QString::fromUtf8(kPolozkaVymenitelne);
}

QString polozkaPevnyDisk(const QString& adresarProgramu) {
    return QString::fromUtf8(kPolozkaPevnyDisk) + adresarProgramu + QStringLiteral("Export ");
}

QString zkratStred(const QString& text, int zacatek, int konec, const QFontMetrics& fm, int sirka) {
    if (fm.horizontalAdvance(text) <= sirka)
        return text;
    zacatek = std::clamp(zacatek, 0, int(text.size()));
    konec = std::clamp(konec, 0, int(text.size()) - zacatek);
    const QString hlava = text.left(zacatek);
    const QString pata = text.right(konec);
    const int zbyva = sirka - fm.horizontalAdvance(hlava) - fm.horizontalAdvance(pata);
    if (zbyva < fm.horizontalAdvance(QChar(0x2026)))
        return fm.elidedText(text, Qt::ElideMiddle, sirka);
    return hlava +
           fm.elidedText(text.mid(zacatek, text.size() - zacatek - konec), Qt::ElideMiddle, zbyva) +
           pata;
}

TZ_ExportDat_F::TZ_ExportDat_F(const TStanice& stanice, QWidget* parent)
    : QDialog(parent), m_stanice(stanice) {
    setObjectName(QStringLiteral("Z_ExportDat_F"));
    setWindowTitle(QString::fromUtf8(kCaptionExportDat));
    // A dialog border without any title-bar buttons.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setFixedSize(384, 199);

    m_popis = new QLabel(QStringLiteral("Zvolte zařízení, na které chcete data exportovat"), this);
    m_popis->setObjectName(QStringLiteral("Z_ExportDat_Lbl"));
    m_popis->setGeometry(15, 24, 353, 16);
    m_popis->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    m_popis->setFont(arialFont(13, true));

    m_seznam = new QComboBox(this);
    m_seznam->setObjectName(QStringLiteral("Z_SeznZar_CB"));
    m_seznam->setGeometry(32, 56, 321, 24);
    m_seznam->setFont(arialFont(13, true));
    auto* radek = new ZkracujiciRadek(m_seznam);
    radek->zkrat = [this](const QString& text, const QFontMetrics& fm, int sirka) {
        return zkracenaPolozka(text, fm, sirka);
    };
    // Editable first: the open list then keeps the plain rows of an
    // editable box.
    m_seznam->setEditable(true);
    m_seznam->setLineEdit(radek);
    m_seznam->setInsertPolicy(QComboBox::NoInsert);
    m_seznam->setCompleter(nullptr);
    // The items name a mount point and may be longer than the box: the open
    // list is as wide as they are (nactiSeznam) and shortens them only where
    // the screen is narrower still.
    m_seznam->view()->setTextElideMode(Qt::ElideMiddle);
    m_seznam->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    m_seznam->installEventFilter(this);
    m_seznam->lineEdit()->installEventFilter(this);

    // A medium that is there but cannot take the export is not in the list;
    // here the commission reads why, and tries another one.
    m_nepripojene = new QLabel(this);
    m_nepripojene->setObjectName(QStringLiteral("Z_Nepripojene_Lbl"));
    m_nepripojene->setGeometry(15, 123, 353, 28);
    m_nepripojene->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_nepripojene->setWordWrap(true);
    m_nepripojene->setFont(arialFont(11, false));
    QPalette cervena = m_nepripojene->palette();
    cervena.setColor(QPalette::WindowText, QColor(0xa0, 0x00, 0x00));
    m_nepripojene->setPalette(cervena);
    m_nepripojene->hide();

    m_znovu = new QPushButton(QStringLiteral("Znovu načíst zařízení"), this);
    m_znovu->setObjectName(QStringLiteral("Z_ZnovuNacist_Btn"));
    m_znovu->setGeometry(160, 96, 208, 25);

    m_ok = new QPushButton(okGlyph(), QStringLiteral("Uložit"), this);
    m_ok->setObjectName(QStringLiteral("Z_ExportDatOK_Btn"));
    m_ok->setGeometry(84, 152, 89, 33);

    m_zrusit = new QPushButton(cancelGlyph(), QStringLiteral("Zrušit"), this);
    m_zrusit->setObjectName(QStringLiteral("Z_ExportDatZrus_Btn"));
    m_zrusit->setGeometry(212, 152, 89, 33);

    // Enter on a button presses it, as Space does.
    for (QPushButton* b : {m_znovu, m_ok, m_zrusit})
        b->setFont(arialFont(13, true));
    setTabOrder(m_seznam, m_znovu);
    setTabOrder(m_znovu, m_ok);
    setTabOrder(m_ok, m_zrusit);

    connect(m_znovu, &QPushButton::clicked, this,
            guarded(this, &TZ_ExportDat_F::Z_ZnovuNacist_BtnClick));
    connect(m_ok, &QPushButton::clicked, this,
            guarded(this, &TZ_ExportDat_F::Z_ExportDatOK_BtnClick));
    connect(m_zrusit, &QPushButton::clicked, this,
            guarded(this, &TZ_ExportDat_F::Z_ExportDatZrus_BtnClick));
    connect(m_seznam, &QComboBox::editTextChanged, this,
            guarded<TZ_ExportDat_F, const QString&>(this, &TZ_ExportDat_F::Z_SeznZar_CBChange));
}

void TZ_ExportDat_F::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous())
        runReportingErrors([this] { FormShow(); });
}

void TZ_ExportDat_F::FormShow() {
    centreOnScreen(this);
    m_exportProveden = false;
    nactiSeznam();
}

void TZ_ExportDat_F::nactiSeznam() {
    m_nacitani = true;
    m_seznam->clear();
    m_tabulka = NactiZarizeni(removableMedia());
    QStringList nepripojene;
    const int druh = int(QString::fromUtf8(kPolozkaVymenitelne).size());
    for (int i = 0; i < m_tabulka.size(); ++i) {
        const TZarExp& z = m_tabulka[i];
        if (!z.Chyba.isEmpty())
            nepripojene << z.Chyba;
        // A medium whose size cannot be read is not there for us.
        if (z.Size <= 0)
            continue;
        m_seznam->addItem(polozkaVymenitelne(z), i);
        const int posledni = m_seznam->count() - 1;
        m_seznam->setItemData(posledni, int(z.Nazev.size()) + 2, kRoleZacatek);
        m_seznam->setItemData(posledni, druh + 1, kRoleKonec);
    }
    m_seznam->addItem(polozkaPevnyDisk(installDirs().program), -1);
    const int pevny = m_seznam->count() - 1;
    m_seznam->setItemData(pevny, int(QString::fromUtf8(kPolozkaPevnyDisk).size()), kRoleZacatek);
    m_seznam->setItemData(pevny, int(QStringLiteral("Export ").size()), kRoleKonec);
    m_seznam->setCurrentIndex(0);
    m_seznam->setEditText(m_seznam->itemText(0));
    m_seznam->setToolTip(m_seznam->itemText(0));
    m_nacitani = false;

    const QString poznamka = nepripojene.join(QLatin1Char('\n'));
    m_nepripojene->setText(poznamka);
    m_nepripojene->setToolTip(poznamka);
    m_nepripojene->setVisible(!poznamka.isEmpty());

    // The open list is as wide as its longest item, but no wider than the
    // screen.
    const QFontMetrics fm(m_seznam->view()->font());
    int sirka = m_seznam->width();
    for (int i = 0; i < m_seznam->count(); ++i)
        sirka = std::max(sirka, fm.horizontalAdvance(m_seznam->itemText(i)) + 24);
    if (const QScreen* obrazovka = m_seznam->screen())
        sirka = std::min(sirka, obrazovka->availableGeometry().width());
    m_seznam->view()->setMinimumWidth(sirka);
    m_seznam->setFocus();
    ukazZacatek();
}

QString TZ_ExportDat_F::zkracenaPolozka(const QString& text, const QFontMetrics& fm,
                                        int sirka) const {
    const int i = m_seznam->findText(text, Qt::MatchExactly);
    if (i < 0)
        return fm.elidedText(text, Qt::ElideMiddle, sirka);
    return zkratStred(text, m_seznam->itemData(i, kRoleZacatek).toInt(),
                      m_seznam->itemData(i, kRoleKonec).toInt(), fm, sirka);
}

void TZ_ExportDat_F::ukazZacatek() {
    // A long item shows its beginning, the name of the medium, and stays
    // selected as a box that takes the focus selects its text.
    QLineEdit* edit = m_seznam->lineEdit();
    const int delka = int(edit->text().size());
    edit->setSelection(delka, -delka);
}

void TZ_ExportDat_F::Z_ZnovuNacist_BtnClick() {
    nactiSeznam();
}

void TZ_ExportDat_F::Z_SeznZar_CBChange(const QString& text) {
    if (m_nacitani || m_seznam->count() == 0)
        return;
    // Only the items can be chosen: a text of one's own goes back to the
    // first item.
    const int found = m_seznam->findText(text, Qt::MatchExactly);
    if (found < 0) {
        m_nacitani = true;
        m_seznam->setCurrentIndex(0);
        m_seznam->setEditText(m_seznam->itemText(0));
        m_nacitani = false;
    }
    m_seznam->setToolTip(m_seznam->currentText());
    ukazZacatek();
}

bool TZ_ExportDat_F::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_seznam->lineEdit() && event->type() == QEvent::FocusIn)
        // After the box's own handling, which puts the cursor at the end.
        QTimer::singleShot(0, this, [this] { ukazZacatek(); });
    if ((watched == m_seznam || watched == m_seznam->lineEdit()) &&
        event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        // Enter in the box moves on as Tab does; it does not save.
        if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) &&
            key->modifiers() == Qt::NoModifier) {
            focusNextChild();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

TZ_infoE_F* TZ_ExportDat_F::infoWindow() {
    if (m_info)
        return m_info;
    if (!m_vlastniInfo)
        m_vlastniInfo = new TZ_infoE_F(this);
    return m_vlastniInfo;
}

void TZ_ExportDat_F::Z_ExportDatOK_BtnClick() {
    int index = m_seznam->currentIndex();
    if (index < 0)
        index = 0;
    const int vTabulce = m_seznam->itemData(index).toInt();
    const bool vymenitelny = vTabulce >= 0 && vTabulce < m_tabulka.size();
    const TStanice& st = m_stanice;

    VysledekExportu v;
    TZarExp disk;
    if (vymenitelny) {
        disk = m_tabulka[vTabulce];
        if (JeStalePripojen(disk)) {
            v = KopirujSouborPodrobne(disk.Pozice + QLatin1Char('/'), st.Obec.left(6), st.Okrsek,
                                      QStringLiteral("O"), false);
        } else {
            // Unmounted since the list was loaded: its mount point now lies
            // on the system disk and must not receive the export.
            v.soubor = nazevExportu(QStringLiteral("O"), st.Obec.left(6), st.Okrsek);
            v.cil = disk.Pozice;
            v.duvod = DuvodSelhani::NosicOdebran;
        }
    } else {
        v = KopirujSouborPodrobne(installDirs().program + QStringLiteral("Export/"),
                                  st.Obec.left(6), st.Okrsek, QStringLiteral("O"), false);
    }

    if (!v.ok()) {
        dialogs().warn(QString::fromUtf8(kCaptionExportDat), textSelhani(v));
        reject();
        return;
    }

    const QString druh = QString::fromUtf8(kDruhVymenitelne);
    TZ_infoE_F* info = infoWindow();
    if (vymenitelny) {
        info->setOdebiratDisk(disk);
        info->Odebrat_Btn()->setEnabled(true);
        info->Odebrat_Btn()->setVisible(true);
        info->Ukaz(QString::fromUtf8(kCaptionExportTisk), titulekExportuNaDisk(druh),
                   textExportuNaDisk(v.soubor, druh, disk.Pozice));
    } else {
        info->Ukaz(QString::fromUtf8(kCaptionExportTisk), titulekExportuNaPevnyDisk(),
                   textExportuNaPevnyDisk(v.soubor, installDirs().program));
    }
    m_exportProveden = true;
    info->Odebrat_Btn()->setVisible(false);
    accept();
}

void TZ_ExportDat_F::Z_ExportDatZrus_BtnClick() {
    reject();
}

void TZ_ExportDat_F::reject() {
    m_exportProveden = false;
    QDialog::reject();
}

} // namespace urn
