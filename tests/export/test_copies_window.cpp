#include "export/CopiesWindow.h"
#include "ui/EntryEdit.h"

#include <QApplication>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <functional>
#include <gtest/gtest.h>

using namespace urn;

namespace {
// Runs `whileShown` once the modal window is on the screen and active.
void whenShown(QDialog& w, std::function<void()> whileShown) {
    auto* poll = new QTimer(&w);
    poll->setInterval(10);
    QObject::connect(poll, &QTimer::timeout, [&w, poll, whileShown] {
        if (QApplication::activeModalWidget() != &w || !w.isActiveWindow())
            return;
        poll->stop();
        poll->deleteLater();
        whileShown();
    });
    poll->start();
}
} // namespace

TEST(PocetKopii, TextOutsideOneToNineGivesOneCopy) {
    struct Case {
        QString text;
        int copies;
        QString fieldAfter;
    };
    const Case cases[] = {
        {QString(), 1, QStringLiteral("1")},
        {QStringLiteral("0"), 1, QStringLiteral("1")},
        {QStringLiteral("a"), 1, QStringLiteral("1")},
        {QStringLiteral("Ž"), 1, QStringLiteral("1")},
        {QStringLiteral(" "), 1, QStringLiteral("1")},
        {QStringLiteral(":"), 1, QStringLiteral("1")},
        {QStringLiteral("1"), 1, QStringLiteral("1")},
        {QStringLiteral("7"), 7, QStringLiteral("7")},
        {QStringLiteral("9"), 9, QStringLiteral("9")},
        // Cannot be typed into the one-character field; still never more
        // than nine copies.
        {QStringLiteral("10"), 1, QStringLiteral("1")},
        {QStringLiteral("5x"), 1, QStringLiteral("1")},
    };
    for (const Case& c : cases) {
        QString text = c.text;
        EXPECT_EQ(pocetKopiiZTextu(text), c.copies) << c.text.toStdString();
        EXPECT_EQ(text, c.fieldAfter) << c.text.toStdString();
    }
}

TEST(PocetKopiiWindow, OpensWithTwoAndTakesWhatIsTyped) {
    struct Case {
        QString typed; // typed over the selected "2"; empty: field emptied
        bool keepDefault;
        bool byEnter;
        int copies;
    };
    const Case cases[] = {
        {QString(), true, false, 2},
        {QString(), true, true, 2},
        {QStringLiteral("7"), false, true, 7},
        {QStringLiteral("7"), false, false, 7},
        {QStringLiteral("x"), false, false, 1},
        {QStringLiteral("0"), false, true, 1},
        {QString(), false, false, 1},
    };
    TZ_PocetKopii_F w;
    for (const Case& c : cases) {
        QString textOnShow;
        bool fieldFocused = false;
        whenShown(w, [&] {
            TSEdit* field = w.Z_PocetKopii_SE();
            textOnShow = field->text();
            fieldFocused = field->hasFocus();
            EXPECT_EQ(w.ZvolenyPocetKopii(), 2);
            if (!c.keepDefault) {
                field->selectAll();
                QTest::keyClick(field, Qt::Key_Backspace);
                QTest::keyClicks(field, c.typed);
            }
            if (c.byEnter)
                QTest::keyClick(field, Qt::Key_Return);
            else
                w.Z_PKOK_Btn()->click();
        });
        EXPECT_EQ(w.exec(), QDialog::Accepted);
        EXPECT_EQ(textOnShow, QStringLiteral("2"));
        EXPECT_TRUE(fieldFocused);
        EXPECT_EQ(w.ZvolenyPocetKopii(), c.copies) << c.typed.toStdString();
    }
}

TEST(PocetKopiiWindow, FieldHoldsOneCharacterAndEscDoesNotClose) {
    TZ_PocetKopii_F w;
    bool openAfterEsc = false;
    QString afterTyping;
    whenShown(w, [&] {
        TSEdit* field = w.Z_PocetKopii_SE();
        field->selectAll();
        QTest::keyClicks(field, QStringLiteral("34"));
        afterTyping = field->text();
        QTest::keyClick(field, Qt::Key_Escape);
        openAfterEsc = w.isVisible();
        w.Z_PKOK_Btn()->click();
    });
    w.exec();
    EXPECT_EQ(afterTyping, QStringLiteral("3"));
    EXPECT_TRUE(openAfterEsc);
    EXPECT_EQ(w.ZvolenyPocetKopii(), 3);
}
