// The printer test page: fonts, Czech diacritics, the right margin and a
// form for reporting problems to the issuing office.

#include "printing/TestPage.h"

#include "preview/PreviewControl.h"
#include "printing/LayoutEngine.h"
#include "printing/PreviewWindow.h"
#include "store/StationConfig.h"
#include "ui/PrinterChoice.h"

#include <QFontDatabase>
#include <QGuiApplication>
#include <QPrinter>
#include <QScreen>
#include <QSysInfo>

namespace urn {

namespace {

// A name as a delimited list writes it: quoted when it holds a blank, the
// delimiter or the quote character.
QString polozkaSeznamu(const QString& name, QChar oddelovac, QChar uvozovky) {
    if (!name.contains(QLatin1Char(' ')) && !name.contains(oddelovac) && !name.contains(uvozovky))
        return name;
    QString inner = name;
    inner.replace(uvozovky, QString(2, uvozovky));
    return uvozovky + inner + uvozovky;
}

void Krizek(int x, int y) {
    Cara(x - 30, y, x + 30, y);
    Cara(x, y - 30, x, y + 30);
}

void ObsahZkusebniStrany(const TProstrediTisku& p) {
    TStavTisku& s = StavTisku();
    const int w = (s.Pravy - s.Levy) / 5 * 2;
    const int promenna = s.Levy + 10;
    const int hodnota = s.Levy + w + 10;

    NastavVelikost(20);
    NastavPismo(QStringLiteral("Arial"));
    s.AktY = s.Horni + 100;

    Pero(2);
    Krizek(s.Levy, 100);
    Krizek(s.Pravy, 100);
    Krizek(s.Levy, s.Dolni + s.Radek);
    Krizek(s.Pravy, s.Dolni + s.Radek);

    NastavVelikost(34);
    TiskNaStred(4, s.Levy, s.Pravy, QStringLiteral("T I S K   z k u š e b n í    s t r a n y"),
                QStringLiteral("B"));
    const QString carky(30, QLatin1Char('-'));
    TiskNaStred(1, s.Levy, s.Pravy,
                carky + QStringLiteral(" verze ") + s.VerzeProgramu + QLatin1Char(' ') + carky);
    TiskNaStred(
        2, s.Levy, s.Pravy,
        QStringLiteral("Volby do Evropského parlamentu konané ve dnech (dne): 07. - 08.06.2024"));

    NastavVelikost(20);
    NastavPismo(QStringLiteral("Courier New"));
    TiskStylem(6, promenna, -30, QStringLiteral("P r o m ě n n á "), QStringLiteral("B"));
    TiskStylem(0, hodnota, -30, QStringLiteral("H o d n o t a"), QStringLiteral("B"));

    TiskText(1, promenna, 0, QStringLiteral("Systém"));
    TiskText(0, hodnota, 0, p.System);

    TiskText(1, promenna, 0, QStringLiteral("Defaultní tiskárna"));
    const int zlom = MistoZlomu(p.Tiskarna, hodnota, s.Pravy);
    const bool zalomeno = zlom > 0;
    if (zalomeno) {
        TiskText(0, hodnota, 0, p.Tiskarna.left(zlom));
        TiskText(1, hodnota, 0, p.Tiskarna.mid(zlom));
    } else {
        TiskText(0, hodnota, 0, p.Tiskarna);
    }

    TiskText(1, promenna, 0, QStringLiteral("Seznam fontů použitých pro tisk"));
    TiskText(0, hodnota, 0, p.Fonty);

    TiskText(1, promenna, 0, QStringLiteral("Datum tisku"));
    TiskText(0, hodnota, 0, s.DatumTisku + QStringLiteral(", ") + s.CasTisku);

    const QString sipka = QStringLiteral("-->");
    TiskText(1, promenna, 0, QStringLiteral("Test tisku k pravému okraji"));
    TiskText(0, hodnota, 0, QStringLiteral("font Courier New"));
    TiskVpravo(0, s.Pravy, 0, sipka);

    NastavPismo(QStringLiteral("Arial"));
    TiskText(1, hodnota, 0, QStringLiteral("font Arial"));
    TiskVpravo(0, s.Pravy, 0, sipka);

    // The arrow reached by blanks: as many as bring it to the margin in
    // this printer's Courier New.
    NastavPismo(QStringLiteral("Courier New"));
    const QString mezerami = QStringLiteral("font Courier New mezerami");
    const int mezer = (s.Pravy - hodnota - SirkaTextu(mezerami) - SirkaTextu(sipka)) /
                      qMax(1, SirkaTextu(QStringLiteral(" ")));
    TiskText(1, hodnota, 0, mezerami + QString(qMax(1, mezer), QLatin1Char(' ')) + sipka);

    TiskText(1, promenna, 0, QStringLiteral("Proporcionalita"));
    const QString tecky = Opakuj(QStringLiteral("."), 49);
    NastavPismo(QStringLiteral("Arial"));
    TiskStylem(0, hodnota, 12, tecky, QString());
    TiskStylem(0, hodnota + SirkaTextu(tecky), 22, QStringLiteral("+"), QString());
    NastavPismo(QStringLiteral("Courier New"));
    TiskStylem(0, hodnota, -12, tecky, QString());

    const int radku = zalomeno ? 8 : 7;
    const int t = 700;
    const int h = radku * 50 + 150;
    Pero(3);
    Obdelnik(s.Levy, t, s.Pravy, t + h);
    for (int i = 2; i <= radku + 3; ++i) {
        // The two lines of a long printer name share one cell.
        if (zalomeno && i == 4)
            continue;
        Cara(s.Levy, t + i * s.Radek, s.Pravy, t + i * s.Radek);
    }
    Cara(s.Levy + w, t, s.Levy + w, t + h);

    NastavPismo(QStringLiteral("Arial"));
    NastavVelikost(34);
    TiskNaStred(3, s.Levy, s.Pravy, QStringLiteral("Stránku vytiskněte."), QStringLiteral("B"));
    TiskNaStred(1, s.Levy, s.Pravy,
                QString::number(p.OknoPpi) + QLatin1Char(' ') + QString::number(p.OknoSirka) +
                    QLatin1Char(' ') + QString::number(p.OknoVyska) + QStringLiteral("  ") +
                    QString::number(p.ObrazovkaPpi));
    TiskNaStred(
        2, s.Levy, s.Pravy,
        QStringLiteral("Test proběhl v pořádku, pokud jsou všechny tři šipky u pravého okraje,"),
        QStringLiteral("B"));
    TiskNaStred(
        1, s.Levy, s.Pravy,
        QStringLiteral("v seznamu fontů jsou zastoupeny fonty Arial (CE) a Courier New (CE)"),
        QStringLiteral("B"));
    TiskNaStred(1, s.Levy, s.Pravy,
                QStringLiteral(" a texty jsou vytištěny se správnou diakritikou."),
                QStringLiteral("B"));
    TiskNaStred(4, s.Levy, s.Pravy,
                QStringLiteral("Není-li test v pořádku, prosíme, dopište kontakt na Vás:"));

    const QString dlouhe =
        QStringLiteral(". . . . . . . . . . . . . . . . . . . . . . . . . . . .");
    const QString kratke = QStringLiteral(". . . . . . . . . . . . . .");
    TiskText(4, s.Levy, 0, QStringLiteral("Organizace"));
    TiskText(0, s.Levy + 500, 0, dlouhe);
    TiskText(2, s.Levy, 0, QStringLiteral("Kontaktní osoba"));
    TiskText(0, s.Levy + 500, 0, dlouhe);
    TiskText(2, s.Levy, 0, QStringLiteral("E-mail"));
    TiskText(0, s.Levy + 500, 0, dlouhe);
    TiskText(2, s.Levy, 0, QStringLiteral("Telefon"));
    TiskText(0, s.Levy + 500, 0, kratke);

    TiskText(4, s.Levy, 0,
             QStringLiteral("a zašlete naskenované na e-mail ") + QString::fromUtf8(kEmailUradu) +
                 QLatin1Char('.'));
    TiskText(
        2, s.Levy, 0,
        QStringLiteral("Vámi zaslaný podklad využijeme k opravě nebo vylepšení tohoto software."));

    NastavVelikost(20);
    TiskText(0, s.Levy + 40, s.Dolni, QStringLiteral("Zde je umístěna patička"));
    TiskText(0, s.Pravy - SirkaTextu(s.ZnackaProgramu) - 10, s.Dolni, s.ZnackaProgramu);
}

} // namespace

QString NazevWindows(bool platformNT, int major, int minor, const QString& verzeOS) {
    QString r;
    if (platformNT)
        r = QStringLiteral("Windows NT");
    if (major > 4 || (major == 4 && minor > 0))
        r = QStringLiteral("Windows 98");
    if (major > 4 && platformNT && minor == 0)
        r = QStringLiteral("Windows 2000");
    if (major > 4 && platformNT && minor > 0)
        r = QStringLiteral("Windows XP");
    if (major == 5 && minor == 0)
        r = QStringLiteral("Windows 2000");
    if (major == 5 && minor == 1)
        r = QStringLiteral("Windows XP");
    if (major == 5 && minor == 2)
        r = QStringLiteral("MS Server 2003");
    if (major == 6 && minor == 0)
        r = QStringLiteral("Windows Vista");
    if (major == 6 && minor == 1)
        r = QStringLiteral("Windows 7");
    if (major == 6 && minor > 1) {
        if (verzeOS == QLatin1String("16"))
            r = QStringLiteral("Windows 8");
        else if (verzeOS == QLatin1String("17"))
            r = QStringLiteral("Windows 8.1");
        else if (verzeOS == QLatin1String("18"))
            r = QStringLiteral("Windows 10");
        else if (verzeOS == QLatin1String("99"))
            r = QStringLiteral("Neidentifikovaná verze");
    }
    return r;
}

QString TextSystemu(const TInfoSystemu& info, const QString& verzeOS) {
    if (!info.ProductName.isEmpty())
        return info.ProductName;
    if (info.Windows)
        return NazevWindows(info.PlatformNT, info.Major, info.Minor, verzeOS) + QLatin1Char(' ') +
               info.ServicePack;
    return info.Jadro;
}

TInfoSystemu InfoSystemu() {
    TInfoSystemu info;
    // The distribution's own name, e.g. "Debian GNU/Linux 12 (bookworm)".
    info.ProductName = QSysInfo::prettyProductName();
    info.Jadro = QSysInfo::kernelType() + QLatin1Char(' ') + QSysInfo::kernelVersion();
    return info;
}

QString NalezeneFonty(const QString& seznam, QChar oddelovac, QChar uvozovky) {
    QString r;
    if (seznam.contains(oddelovac + QStringLiteral("Arial")) ||
        seznam.contains(QStringLiteral("Arial") + oddelovac))
        r += QStringLiteral("Arial, ");
    auto v = [&](const char* name) { return uvozovky + QLatin1String(name) + uvozovky; };
    if (seznam.contains(v("Arial CE")))
        r += QStringLiteral("Arial CE, ");
    if (seznam.contains(v("Courier New")))
        r += QStringLiteral("Courier New, ");
    if (seznam.contains(v("Courier New CE")))
        r += QStringLiteral("Courier New CE");
    return r;
}

QString SeznamFontuTiskarny() {
    // Printers here keep no font lists of their own: they print what the
    // font system gives them, the installed families and the faces it
    // substitutes metric-compatible ones for (Arial, Courier New).
    QStringList fonts = QFontDatabase::families();
    for (const char* face : {"Arial", "Arial CE", "Courier New", "Courier New CE"}) {
        const QString name = QLatin1String(face);
        if (!fonts.contains(name) && PismoExistuje(name))
            fonts.append(name);
    }
    QStringList items;
    for (const QString& f : fonts)
        items.append(polozkaSeznamu(f, QLatin1Char(','), QLatin1Char('"')));
    return items.join(QLatin1Char(','));
}

TProstrediTisku ZjistiProstredi(const TStanice& stanice) {
    TProstrediTisku p;
    p.System = TextSystemu(InfoSystemu(), stanice.VerzeOS);
    p.PriponaPisma = stanice.PriponaPisma;
    const QPrinter& printer = vybranaTiskarna();
    p.Tiskarna = printer.printerName();
    if (p.Tiskarna.isEmpty())
        p.Tiskarna =
            printer.outputFormat() == QPrinter::PdfFormat && !printer.outputFileName().isEmpty()
                ? QStringLiteral("tisk do souboru ") + printer.outputFileName()
                : QStringLiteral("žádná tiskárna");
    p.Fonty = NalezeneFonty(SeznamFontuTiskarny());
    const TpreviewF& okno = previewF();
    p.OknoPpi = okno.logicalDpiY();
    p.OknoSirka = okno.frameGeometry().width();
    p.OknoVyska = okno.frameGeometry().height();
    const QScreen* screen = QGuiApplication::primaryScreen();
    p.ObrazovkaPpi = screen ? qRound(screen->logicalDotsPerInch()) : 96;
    return p;
}

void TiskZkusebniStrany(const TProstrediTisku& prostredi) {
    PripravTisk(prostredi.PriponaPisma);
    TStavTisku& s = StavTisku();
    s.PosledniStrana = 1;
    TpreviewF& okno = previewF();
    TiskovyDokument dokument(okno);
    NovaStrana();
    s.HlidatKonec = true;
    ObsahZkusebniStrany(prostredi);
    dokument.konec();
    okno.ShowModal();
    UvolniMereni();
}

void TiskZkusebniStrany(const TStanice& stanice) {
    TiskZkusebniStrany(ZjistiProstredi(stanice));
}

} // namespace urn
