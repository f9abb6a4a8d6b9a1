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
#include <QPushButton>
#include <QTimer>

#include <algorithm>

namespace urn {

namespace {
constexpr const char* kCaptionExportDat = "Export dat";
constexpr const char* kCaptionExportTisk = "Export dat a tisk zápisu";
} // namespace

bool& ExportProveden() {
    static bool proveden = false;
    return proveden;
}

QString polozkaVymenitelne(const TZarExp& disk) {
    return disk.Nazev + QStringLiteral(" (") + disk.Pozice + QLatin1Char(')') +
           QString::fromUtf8(kPolozkaVymenitelne);
}

QString polozkaPevnyDisk(const QString& adresarProgramu) {
    return QString::fromUtf8(kPolozkaPevnyDisk) + adresarProgramu + QStringLiteral("Export ");
}

TZ_ExportDat_F::TZ_ExportDat_F(QWidget* parent) : QDialog(parent) {
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
    m_seznam->setEditable(true);
    m_seznam->setInsertPolicy(QComboBox::NoInsert);
    m_seznam->setCompleter(nullptr);
    // The items name a mount point and may be longer than the box: the open
    // list shows them whole.
    m_seznam->view()->setTextElideMode(Qt::ElideNone);
    m_seznam->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    m_seznam->installEventFilter(this);
    m_seznam->lineEdit()->installEventFilter(this);

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
    ExportProveden() = false;
    nactiSeznam();
}

void TZ_ExportDat_F::nactiSeznam() {
    m_nacitani = true;
    m_seznam->clear();
    m_tabulka = NactiZarizeni(removableMedia());
    for (int i = 0; i < m_tabulka.size(); ++i)
        // A medium whose size cannot be read is not there for us.
        if (m_tabulka[i].Size > 0)
            m_seznam->addItem(polozkaVymenitelne(m_tabulka[i]), i);
    m_seznam->addItem(polozkaPevnyDisk(installDirs().program), -1);
    m_seznam->setCurrentIndex(0);
    m_seznam->setEditText(m_seznam->itemText(0));
    m_seznam->setToolTip(m_seznam->itemText(0));
    m_nacitani = false;
    // The open list is as wide as its longest item.
    const QFontMetrics fm(m_seznam->view()->font());
    int sirka = m_seznam->width();
    for (int i = 0; i < m_seznam->count(); ++i)
        sirka = std::max(sirka, fm.horizontalAdvance(m_seznam->itemText(i)) + 24);
    m_seznam->view()->setMinimumWidth(sirka);
    m_seznam->setFocus();
    ukazZacatek();
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
    const TStanice& st = Stanice();

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
        ExportProveden() = false;
        reject();
        return;
    }

    const QString druh = QString::fromUtf8(kDruhVymenitelne);
    TZ_infoE_F* info = infoWindow();
    if (vymenitelny) {
        OdebiratDisk() = disk;
        info->Odebrat_Btn()->setEnabled(true);
        info->Odebrat_Btn()->setVisible(true);
        info->Ukaz(QString::fromUtf8(kCaptionExportTisk), titulekExportuNaDisk(druh),
                   textExportuNaDisk(v.soubor, druh, disk.Pozice));
    } else {
        info->Ukaz(QString::fromUtf8(kCaptionExportTisk), titulekExportuNaPevnyDisk(),
                   textExportuNaPevnyDisk(v.soubor, installDirs().program));
    }
    ExportProveden() = true;
    info->Odebrat_Btn()->setVisible(false);
    accept();
}

void TZ_ExportDat_F::Z_ExportDatZrus_BtnClick() {
    reject();
}

void TZ_ExportDat_F::reject() {
    ExportProveden() = false;
    QDialog::reject();
}

} // namespace urn
