#include "ui/Beep.h"
#include "ui/EntryEdit.h"

#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QImage>
#include <QKeyEvent>
#include <QPushButton>
#include <QTest>
#include <QVBoxLayout>

#include <gtest/gtest.h>

using namespace urn;

namespace {

// A window with three fields, shown and active so that the focus works.
struct Form {
    QWidget window;
    TSEdit* first = new TSEdit(&window);
    TSEdit* second = new TSEdit(&window);
    TSEdit* third = new TSEdit(&window);

    Form() {
        auto* layout = new QVBoxLayout(&window);
        for (TSEdit* e : {first, second, third}) {
            e->setFixedSize(80, 24);
            layout->addWidget(e);
        }
        window.show();
        window.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
        first->setFocus();
        settle();
    }
    static void settle() {
        for (int i = 0; i < 3; ++i)
            QCoreApplication::processEvents();
    }
};

// Types the characters as the keyboard does (QTest's own typing knows
// only ASCII).
void typeText(QWidget* w, const QString& text) {
    for (QChar c : text) {
        const int key = c.unicode() < 128 ? c.toUpper().unicode() : int(Qt::Key_unknown);
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, QString(c));
        QApplication::sendEvent(w, &press);
        QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, QString(c));
        QApplication::sendEvent(w, &release);
    }
}

// The columns of the field's inside where the text left dark pixels.
struct Ink {
    int left = -1;
    int right = -1;
    int darkest = 255;
};
Ink inkOf(QWidget* w) {
    const QImage img = w->grab().toImage().convertToFormat(QImage::Format_RGB32);
    Ink ink;
    for (int x = 3; x < img.width() - 3; ++x) {
        for (int y = 4; y < img.height() - 4; ++y) {
            const int grey = qGray(img.pixel(x, y));
            ink.darkest = qMin(ink.darkest, grey);
            if (grey < 160) {
                if (ink.left < 0)
                    ink.left = x;
                ink.right = x;
            }
        }
    }
    return ink;
}

} // namespace

TEST(SEditFilter, EachValueTypeAcceptsItsCharacters) {
    struct Case {
        TValueType type;
        const char16_t* accepted;
        const char16_t* refused;
    };
    const Case cases[] = {
        {vtString, u"aZ5č-. ő€", u""},
        {vtCharNumber, u"aZ5č-. ő€", u""},
        {vtNumber, u"0123456789", u"aZč -+.,ő"},
        {vtUserName, u"09azAZ", u"č -_.Ř"},
        {vtUserName2018, u"09azAZŠŤŽšťžÁČÉĚÍĎŇÓŘŮÚÝáčéěíďňóřůúý", u" -_.őäöüĽľ"},
    };
    for (const Case& c : cases) {
        for (QChar ch : QStringView(c.accepted))
            EXPECT_TRUE(acceptsCharacter(c.type, ch)) << int(c.type) << " " << int(ch.unicode());
        for (QChar ch : QStringView(c.refused))
            EXPECT_FALSE(acceptsCharacter(c.type, ch)) << int(c.type) << " " << int(ch.unicode());
        // Control characters (Backspace, Enter) are never refused.
        for (char16_t ctl : {u'\b', u'\r', u'\x1'})
            EXPECT_TRUE(acceptsCharacter(c.type, QChar(ctl)));
    }
}

TEST(SEditFilter, RefusedCharacterBeepsAndChangesNothing) {
    Form f;
    f.first->setValueType(vtNumber);
    f.first->setText(QStringLiteral("12"));
    f.first->end(false);
    const int beeps = beepCount();
    typeText(f.first, QStringLiteral("ač"));
    EXPECT_EQ(f.first->text(), QStringLiteral("12"));
    EXPECT_EQ(beepCount(), beeps + 2);
    typeText(f.first, QStringLiteral("3"));
    QTest::keyClick(f.first, Qt::Key_Backspace);
    QTest::keyClick(f.first, Qt::Key_Backspace);
    EXPECT_EQ(f.first->text(), QStringLiteral("1"));
    EXPECT_EQ(beepCount(), beeps + 2);

    f.first->setValueType(vtUserName2018);
    typeText(f.first, QStringLiteral("Řž_"));
    EXPECT_EQ(f.first->text(), QStringLiteral("1Řž"));
    EXPECT_EQ(beepCount(), beeps + 3);
}

TEST(SEditFilter, KeyPressHandlerSeesTheCharacterFirst) {
    Form f;
    f.first->setValueType(vtNumber);
    // A handler that turns a comma into a digit and swallows the minus.
    QObject::connect(f.first, &TSEdit::OnKeyPress, [](QChar& key) {
        if (key == QLatin1Char(','))
            key = QLatin1Char('0');
        else if (key == QLatin1Char('-'))
            key = QChar();
    });
    const int beeps = beepCount();
    typeText(f.first, QStringLiteral("1,-2"));
    EXPECT_EQ(f.first->text(), QStringLiteral("102"));
    EXPECT_EQ(beepCount(), beeps);
}

TEST(SEditLimit, TypingAndPastingStopAtTheLimitButTheProgramMaySetMore) {
    Form f;
    f.first->setMaxLength(3);
    typeText(f.first, QStringLiteral("12345"));
    EXPECT_EQ(f.first->text(), QStringLiteral("123"));

    f.first->setText(QStringLiteral("01.01.2024 - 02.01.2024"));
    EXPECT_EQ(f.first->text(), QStringLiteral("01.01.2024 - 02.01.2024"));

    f.first->setText(QStringLiteral("ab"));
    f.first->setCursorPosition(1);
    QApplication::clipboard()->setText(QStringLiteral("xyz"));
    f.first->paste();
    EXPECT_EQ(f.first->text(), QStringLiteral("axb"));
    EXPECT_EQ(f.first->cursorPosition(), 2);

    // Typing over a selection replaces it, so it is not held back.
    f.first->setText(QStringLiteral("123"));
    f.first->selectAll();
    typeText(f.first, QStringLiteral("9"));
    EXPECT_EQ(f.first->text(), QStringLiteral("9"));
}

TEST(SEditFocus, EnterMovesToTheNextFieldAndIsNotTyped) {
    Form f;
    f.first->setText(QStringLiteral("5"));
    QTest::keyClick(f.first, Qt::Key_Return);
    Form::settle();
    EXPECT_TRUE(f.second->hasFocus());
    EXPECT_EQ(f.first->text(), QStringLiteral("5"));
    QTest::keyClick(f.second, Qt::Key_Enter);
    Form::settle();
    EXPECT_TRUE(f.third->hasFocus());
}

TEST(SEditFocus, EnterGoesToTheDefaultButtonOfADialog) {
    QDialog dialog;
    auto* edit = new TSEdit(&dialog);
    auto* ok = new QPushButton(QStringLiteral("OK"), &dialog);
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(edit);
    layout->addWidget(ok);
    ok->setDefault(true);
    int clicked = 0;
    QObject::connect(ok, &QPushButton::clicked, [&] { ++clicked; });
    dialog.show();
    dialog.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    edit->setFocus();
    QTest::keyClick(edit, Qt::Key_Return);
    EXPECT_EQ(clicked, 1);
}

TEST(SEditFocus, EmptyFieldTakesItsDefaultValueBeforeTheExitHandler) {
    struct Case {
        QString defaultValue;
        QString typed;
        QString afterExit;
    };
    const Case cases[] = {
        {QStringLiteral("0"), QString(), QStringLiteral("0")},
        {QStringLiteral("0"), QStringLiteral("7"), QStringLiteral("7")},
        {QString(), QString(), QString()},
    };
    for (const Case& c : cases) {
        Form f;
        f.first->setDefaultValue(c.defaultValue);
        f.first->setText(QStringLiteral("125"));
        f.first->clear();
        typeText(f.first, c.typed);
        QString seenByExit = QStringLiteral("(not called)");
        QObject::connect(f.first, &TSEdit::OnExit, [&] { seenByExit = f.first->text(); });
        f.second->setFocus(Qt::TabFocusReason);
        Form::settle();
        EXPECT_EQ(f.first->text(), c.afterExit);
        EXPECT_EQ(seenByExit, c.afterExit);
        EXPECT_EQ(f.first->cursorPosition(), 0);
        EXPECT_FALSE(f.first->hasSelectedText());
    }
}

TEST(SEditFocus, EnteringSelectsTheWholeTextAndAnotherWindowDoesNotLeaveTheField) {
    Form f;
    f.second->setText(QStringLiteral("4711"));
    int entered = 0;
    int exited = 0;
    QObject::connect(f.second, &TSEdit::OnEnter, [&] { ++entered; });
    QObject::connect(f.second, &TSEdit::OnExit, [&] { ++exited; });
    f.second->setFocus(Qt::MouseFocusReason);
    Form::settle();
    EXPECT_EQ(f.second->selectedText(), QStringLiteral("4711"));
    EXPECT_TRUE(f.second->Focused());
    EXPECT_EQ(entered, 1);

    // A message box over the window takes the activation, not the field.
    QWidget other;
    other.show();
    other.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    f.window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&f.window));
    Form::settle();
    EXPECT_EQ(entered, 1);
    EXPECT_EQ(exited, 0);
    EXPECT_TRUE(f.second->Focused());

    f.third->setFocus(Qt::TabFocusReason);
    Form::settle();
    EXPECT_EQ(exited, 1);
    EXPECT_FALSE(f.second->Focused());
}

TEST(SEditPaint, AlignedTextWhileNotFocusedAndLeftWhileEditing) {
    struct Case {
        TAlignment alignment;
        bool focused;
        const char* expect; // "left", "right", "centre"
    };
    const Case cases[] = {
        {taRightJustify, false, "right"}, {taRightJustify, true, "left"},
        {taCenter, false, "centre"},      {taCenter, true, "left"},
        {taLeftJustify, false, "left"},
    };
    for (const Case& c : cases) {
        Form f;
        TSEdit* e = f.second;
        e->SetAlignment(c.alignment);
        e->setText(QStringLiteral("125"));
        (c.focused ? e : f.third)->setFocus(Qt::TabFocusReason);
        Form::settle();
        ASSERT_EQ(e->Focused(), c.focused);
        const Ink ink = inkOf(e);
        ASSERT_GE(ink.left, 0) << "no text painted";
        const std::string expect = c.expect;
        const int w = e->width();
        if (expect == "left") {
            EXPECT_LE(ink.left, 8);
        } else if (expect == "right") {
            EXPECT_GE(ink.right, w - 8);
            EXPECT_GT(ink.left, w / 2);
        } else {
            EXPECT_NEAR((ink.left + ink.right) / 2.0, w / 2.0, 3.0);
        }
    }
}

TEST(SEditPaint, DisabledFieldShowsItsTextInGrey) {
    Form f;
    f.second->SetAlignment(taRightJustify);
    f.second->setText(QStringLiteral("125"));
    f.third->setFocus();
    Form::settle();
    const Ink enabled = inkOf(f.second);
    f.second->setEnabled(false);
    const Ink disabled = inkOf(f.second);
    EXPECT_LT(enabled.darkest, 60);
    EXPECT_GE(disabled.darkest, 110);
    EXPECT_LE(disabled.darkest, 140);
    EXPECT_GE(disabled.right, f.second->width() - 8);
}

TEST(SEditFocus, ClosingTheWindowLeavesTheField) {
    QDialog dialog;
    auto* first = new TSEdit(&dialog);
    auto* second = new TSEdit(&dialog);
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(first);
    layout->addWidget(second);
    second->setDefaultValue(QStringLiteral("0"));
    second->SetAlignment(taRightJustify);
    int exited = 0;
    QString seenByExit;
    QObject::connect(second, &TSEdit::OnExit, [&] {
        ++exited;
        seenByExit = second->text();
    });
    dialog.show();
    dialog.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    second->setFocus(Qt::TabFocusReason);
    Form::settle();
    second->clear();

    // The window closes while the field is being edited: its exit runs and
    // its default value applies, as leaving it any other way does.
    dialog.hide();
    Form::settle();
    EXPECT_FALSE(second->Focused());
    EXPECT_EQ(exited, 1);
    EXPECT_EQ(seenByExit, QStringLiteral("0"));
}

TEST(SEditFocus, FocusMovedWhileTheWindowWasInactiveLeavesTheField) {
    Form f;
    int exited = 0;
    QObject::connect(f.first, &TSEdit::OnExit, [&] { ++exited; });
    ASSERT_TRUE(f.first->Focused());
    QWidget other;
    other.show();
    other.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    // The program moves the focus while its window is not active: the field
    // hears of it only when the window is active again.
    f.third->setFocus(Qt::OtherFocusReason);
    EXPECT_EQ(exited, 0);
    f.window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&f.window));
    Form::settle();
    ASSERT_TRUE(QTest::qWaitFor([&] { return f.third->hasFocus(); }));
    EXPECT_EQ(exited, 1);
    EXPECT_FALSE(f.first->Focused());
    EXPECT_TRUE(f.third->Focused());
}
