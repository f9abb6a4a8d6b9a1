#include "checks/ErrorCatalogue.h"
#include "entry/ErrorMessageWindow.h"
#include "ui/Beep.h"

#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <functional>
#include <gtest/gtest.h>

using namespace urn;

namespace {

const TCisChyb& catalogue() {
    static const TCisChyb c(QList<TChybaInfo>{
        {5, QStringLiteral("P"), QStringLiteral("Počet obálek nesouhlasí")},
        {12, QStringLiteral("C"), QStringLiteral("Chybí jméno člena komise")},
        {12, QStringLiteral("C"), QStringLiteral("Druhý záznam téhož čísla")},
        {93, QStringLiteral("U"), QStringLiteral("Neobvyklý počet voličů")},
        {96, QStringLiteral("U"), QStringLiteral("Kandidát")},
    });
    return c;
}

// Runs `whileShown` once the modal window is on the screen and has the
// focus (on a loaded machine the activation comes a little later).
void whenShown(THlaskaF& w, std::function<void()> whileShown) {
    auto* poll = new QTimer(&w);
    poll->setInterval(10);
    QObject::connect(poll, &QTimer::timeout, [&w, poll, whileShown] {
        if (!w.isVisible() || QApplication::activeModalWidget() != &w ||
            !QApplication::focusWidget())
            return;
        poll->stop();
        poll->deleteLater();
        whileShown();
    });
    poll->start();
}

QColor textColour(const QLabel* l) {
    return l->palette().color(QPalette::WindowText);
}

} // namespace

TEST(HlaskaText, ParameterFollowsAfterABlankFor96AndInParenthesesOtherwise) {
    const QString long65 = QString(65, QLatin1Char('x'));
    struct Case {
        QString text;
        int chyba;
        QString param;
        QString expect;
    };
    const Case cases[] = {
        {QStringLiteral("Text"), 12, QString(), QStringLiteral("Text")},
        {QStringLiteral("Text"), 96, QString(), QStringLiteral("Text")},
        {QStringLiteral("Text"), 12, QStringLiteral("3"), QStringLiteral("Text (3)")},
        {QStringLiteral("Kandidát"), 96, QStringLiteral("č. 7"), QStringLiteral("Kandidát č. 7")},
        {QStringLiteral("Text"), 95, QStringLiteral("p"), QStringLiteral("Text (p)")},
        {QStringLiteral("Text"), 97, QStringLiteral("p"), QStringLiteral("Text (p)")},
        // Shown without a parameter, a long text stays whole.
        {long65, 12, QString(), long65},
        {long65, 12, QStringLiteral("p"), QString(62, QLatin1Char('x')) + QStringLiteral(" (p)")},
        {long65, 96, QStringLiteral("p"), QString(62, QLatin1Char('x')) + QStringLiteral(" p")},
    };
    for (const Case& c : cases)
        EXPECT_EQ(hlaskaText(c.text, c.chyba, c.param), c.expect) << c.expect.toStdString();
}

TEST(HlaskaWindow, HeadingColoursAndButtonFollowTheClassOfTheFinding) {
    struct Case {
        int chyba;
        QString param;
        bool info;
        bool propust;
        QString heading;
        QString text;
        QColor colour;
        QString second;
    };
    const Case cases[] = {
        {12, QStringLiteral("2"), false, false, QStringLiteral("Chyba č. 12"),
         QStringLiteral("Chybí jméno člena komise (2)"), Qt::red, QStringLiteral("&Ignorovat")},
        {5, QString(), false, true, QStringLiteral("Chyba č. 5"),
         QStringLiteral("Počet obálek nesouhlasí"), Qt::red, QStringLiteral("&Potvrdit")},
        {93, QString(), true, false, QStringLiteral("Upozornění (č. 93)"),
         QStringLiteral("Neobvyklý počet voličů"), Qt::blue, QStringLiteral("&Potvrdit")},
        {96, QStringLiteral("7"), true, false, QStringLiteral("Upozornění (č. 96)"),
         QStringLiteral("Kandidát 7"), Qt::blue, QStringLiteral("&Potvrdit")},
        {44, QString(), false, false, QStringLiteral("Chyba č. 44"),
         QStringLiteral("Chyba nenalezena"), Qt::red, QStringLiteral("&Ignorovat")},
    };
    THlaskaF w;
    w.setCisChyb(&catalogue());
    for (const Case& c : cases) {
        w.NastavHlasku(c.chyba, c.param, c.info, c.propust);
        EXPECT_EQ(w.ChybaL()->text(), c.heading);
        EXPECT_EQ(w.HlaskaL()->text(), c.text);
        EXPECT_EQ(w.aktColor(), c.colour);
        EXPECT_EQ(textColour(w.ChybaL()), c.colour);
        EXPECT_EQ(textColour(w.HlaskaL()), c.colour);
        EXPECT_EQ(w.IgnorovatBtn()->text(), c.second);
        EXPECT_EQ(w.OpravitBtn()->text(), QStringLiteral("&Opravit"));
        // The frame round the window is drawn in the same colour.
        const QImage img = w.grab().toImage();
        EXPECT_EQ(QColor(img.pixel(1, 1)), c.colour);
        EXPECT_EQ(QColor(img.pixel(img.width() - 2, img.height() / 2)), c.colour);
        EXPECT_EQ(QColor(img.pixel(30, 30)), QColor(Qt::white));
    }
}

TEST(HlaskaWindow, WithoutACatalogueEveryNumberIsUnknown) {
    THlaskaF w;
    w.NastavHlasku(5, QStringLiteral("x"), false, true);
    EXPECT_EQ(w.HlaskaL()->text(), QStringLiteral("Chyba nenalezena (x)"));
}

TEST(HlaskaWindow, TheUsersChoiceIsReturned) {
    struct Case {
        const char* how;
        bool opravit;
    };
    const Case cases[] = {
        {"Esc", true}, {"Enter", true}, {"Space", true}, {"Ignorovat", false}, {"Opravit", true},
    };
    THlaskaF w;
    w.setCisChyb(&catalogue());
    for (const Case& c : cases) {
        w.NastavHlasku(12, QString(), false, false);
        const int beeps = beepCount();
        bool opravitFocused = false;
        whenShown(w, [&] {
            opravitFocused = w.OpravitBtn()->hasFocus();
            const std::string how = c.how;
            QWidget* focus = QApplication::focusWidget();
            if (how == "Esc")
                QTest::keyClick(focus, Qt::Key_Escape);
            else if (how == "Enter")
                QTest::keyClick(focus, Qt::Key_Return);
            else if (how == "Space")
                QTest::keyClick(focus, Qt::Key_Space);
            else if (how == "Ignorovat")
                w.IgnorovatBtn()->click();
            else
                w.OpravitBtn()->click();
        });
        EXPECT_EQ(w.UkazHlasku(), c.opravit) << c.how;
        EXPECT_TRUE(opravitFocused) << c.how;
        EXPECT_EQ(beepCount(), beeps + 1) << c.how;
        EXPECT_FALSE(w.isVisible());
    }
}

TEST(HlaskaWindow, ASecondMessageWhileOneIsShownNeitherChangesItNorNests) {
    THlaskaF w;
    w.setCisChyb(&catalogue());
    w.NastavHlasku(93, QString(), true, false);
    bool nestedResult = false;
    QString headingAfterSecond;
    whenShown(w, [&] {
        w.NastavHlasku(12, QString(), false, false);
        headingAfterSecond = w.ChybaL()->text();
        nestedResult = w.UkazHlasku(); // returns at once
        w.IgnorovatBtn()->click();
    });
    EXPECT_FALSE(w.UkazHlasku());
    EXPECT_TRUE(nestedResult);
    EXPECT_EQ(headingAfterSecond, QStringLiteral("Upozornění (č. 93)"));
}
