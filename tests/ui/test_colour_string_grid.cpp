#include "ui/ColourStringGrid.h"

#include <QApplication>
#include <QDialog>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTest>
#include <QVBoxLayout>

#include <gtest/gtest.h>

using namespace urn;

namespace {

// A dialog with the grid (two data columns, three data rows, editing on)
// and a line edit after it, shown and active so that the focus works.
struct Form {
    QDialog window;
    TZColorStringGrid* grid = new TZColorStringGrid(&window);
    QLineEdit* next = new QLineEdit(&window);

    Form() {
        auto* layout = new QVBoxLayout(&window);
        layout->addWidget(grid);
        layout->addWidget(next);
        grid->setColCount(3);
        grid->setRowCount(4);
        grid->setOptions(grid->Options() | goEditing);
        grid->setCells(1, 1, QStringLiteral("Old"));
        window.resize(400, 300);
        window.show();
        window.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
        grid->setFocus();
        grid->setCol(1);
        grid->setRow(1);
    }
};

QWidget* focused() {
    return QApplication::focusWidget();
}

// Types as the keyboard does: each character to the widget that has the
// focus at that moment (QTest's own typing knows only ASCII).
void typeText(const QString& text) {
    for (QChar c : text) {
        const int key = c.unicode() < 128 ? c.toUpper().unicode() : int(Qt::Key_unknown);
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, QString(c));
        QApplication::sendEvent(focused(), &press);
    }
}

} // namespace

TEST(ColourGridEditing, LetterOnACellStartsItsTextAnewAndEnterFinishes) {
    Form f;
    typeText(QStringLiteral("N"));
    ASSERT_TRUE(f.grid->EditorMode());
    EXPECT_EQ(f.grid->ZInplaceEditor()->toPlainText(), QStringLiteral("N"));
    // The cell follows every keystroke, so nothing typed waits for a commit.
    EXPECT_EQ(f.grid->Cells(1, 1), QStringLiteral("N"));
    typeText(QStringLiteral("ovák"));
    EXPECT_EQ(f.grid->Cells(1, 1), QStringLiteral("Novák"));

    QTest::keyClick(focused(), Qt::Key_Return);
    EXPECT_FALSE(f.grid->EditorMode());
    EXPECT_EQ(focused(), f.grid);
    EXPECT_EQ(f.grid->Row(), 1);
    EXPECT_EQ(f.grid->Cells(1, 1), QStringLiteral("Novák"));
}

TEST(ColourGridEditing, EnterAndF2OpenWithTheOldText) {
    Form f;
    QTest::keyClick(f.grid, Qt::Key_Return);
    ASSERT_TRUE(f.grid->EditorMode());
    EXPECT_EQ(f.grid->ZInplaceEditor()->textCursor().selectedText(), QStringLiteral("Old"));
    typeText(QStringLiteral("X"));
    EXPECT_EQ(f.grid->Cells(1, 1), QStringLiteral("X"));
    QTest::keyClick(focused(), Qt::Key_Return);
    ASSERT_FALSE(f.grid->EditorMode());

    QTest::keyClick(f.grid, Qt::Key_F2);
    ASSERT_TRUE(f.grid->EditorMode());
    typeText(QStringLiteral("Y"));
    EXPECT_EQ(f.grid->Cells(1, 1), QStringLiteral("XY"));
}

TEST(ColourGridEditing, EscAndTabDoNothingInTheEditor) {
    Form f;
    typeText(QStringLiteral("Ab"));
    QTest::keyClick(focused(), Qt::Key_Escape);
    QTest::keyClick(focused(), Qt::Key_Tab);
    EXPECT_TRUE(f.grid->EditorMode());
    EXPECT_TRUE(f.window.isVisible()) << "Esc in the editor must not close the window";
    EXPECT_EQ(f.grid->Cells(1, 1), QStringLiteral("Ab"));
}

TEST(ColourGridEditing, ArrowThatRunsOutOfTheTextMovesToTheNextCell) {
    Form f;
    QTest::keyClick(f.grid, Qt::Key_F2);
    QTest::keyClick(focused(), Qt::Key_Left);
    EXPECT_TRUE(f.grid->EditorMode()) << "inside the text the arrow moves the caret";
    QTest::keyClick(focused(), Qt::Key_Down);
    EXPECT_FALSE(f.grid->EditorMode());
    EXPECT_EQ(f.grid->Row(), 2);
    EXPECT_EQ(focused(), f.grid);
}

TEST(ColourGridEditing, EnterOnTheLastRowGoesToKamDaleAndBackToRowOne) {
    struct Case {
        bool inEditor;
        bool withKamDale;
    };
    for (const Case c : {Case{false, true}, Case{true, true}, Case{false, false}}) {
        Form f;
        if (c.withKamDale)
            f.grid->setKamDale(f.next);
        f.grid->setRow(3);
        if (c.inEditor)
            typeText(QStringLiteral("Z"));
        QTest::keyClick(focused(), Qt::Key_Return);
        EXPECT_EQ(f.grid->Row(), 1) << c.inEditor << c.withKamDale;
        EXPECT_FALSE(f.grid->EditorMode());
        EXPECT_EQ(focused(), c.withKamDale ? static_cast<QWidget*>(f.next) : f.grid);
        if (c.inEditor) {
            EXPECT_EQ(f.grid->Cells(1, 3), QStringLiteral("Z"));
        }
    }
}

TEST(ColourGridEditing, OwnerSeesTypedCharactersFirst) {
    Form f;
    QObject::connect(f.grid, &TZColorStringGrid::OnKeyPress, [](QChar& key) {
        if (key == QLatin1Char('x'))
            key = QChar();
        else if (key == QLatin1Char('a'))
            key = QLatin1Char('A');
    });
    typeText(QStringLiteral("x"));
    EXPECT_FALSE(f.grid->EditorMode()) << "a refused character opens nothing";
    typeText(QStringLiteral("axa"));
    EXPECT_EQ(f.grid->Cells(1, 1), QStringLiteral("AA"));
}

TEST(ColourGridSizing, CellsGrowToTheirTextAndDoNotShrink) {
    TZColorStringGrid grid;
    const QString longText(40, QLatin1Char('W'));
    grid.setCells(1, 2, longText);
    EXPECT_EQ(grid.ColWidths(1), 64) << "sizing is off by default";
    grid.setSizingWidth(true);
    grid.setSizingHeight(true);
    grid.setCells(1, 1, longText);
    const int wide = grid.ColWidths(1);
    EXPECT_GT(wide, 64);
    EXPECT_GE(wide, QFontMetrics(grid.CellStyle(1, 1).Font).horizontalAdvance(longText));
    grid.setCells(1, 1, QString());
    EXPECT_EQ(grid.ColWidths(1), wide);

    // With word wrap the text breaks at its blanks and the row grows instead.
    TCellStyle wrapping = grid.DefaultCellStyle();
    wrapping.WordWrap = true;
    grid.setDefaultCellStyle(wrapping);
    grid.setCells(2, 2, QStringLiteral("Jan Novák Jan Novák Jan Novák Jan Novák"));
    EXPECT_EQ(grid.ColWidths(2), 64);
    EXPECT_GT(grid.RowHeights(2), 24);
    EXPECT_EQ(grid.horizontalHeader()->sectionSize(0), wide + grid.GridLineWidth());
}

TEST(ColourGridSize, TheViewScrollsExactlyTheCellsBelowAndRightOfTheFixedOnes) {
    struct Case {
        int cols, rows;         // as set, one after the other on one grid
        int gridCols, gridRows; // ColCount, RowCount
    };
    const Case cases[] = {
        {5, 5, 5, 5}, {2, 6, 2, 6}, {3, 2, 3, 2}, {1, 1, 2, 2}, {2, 20, 2, 20}, {2, 4, 2, 4},
    };
    TZColorStringGrid grid;
    EXPECT_EQ(grid.model()->columnCount(), 4) << "five columns by default, one of them fixed";
    EXPECT_EQ(grid.model()->rowCount(), 4);
    for (const Case& c : cases) {
        grid.setColCount(c.cols);
        grid.setRowCount(c.rows);
        EXPECT_EQ(grid.ColCount(), c.gridCols) << c.cols << "x" << c.rows;
        EXPECT_EQ(grid.RowCount(), c.gridRows) << c.cols << "x" << c.rows;
        EXPECT_EQ(grid.horizontalHeader()->count(), c.gridCols - 1) << c.cols << "x" << c.rows;
        EXPECT_EQ(grid.verticalHeader()->count(), c.gridRows - 1) << c.cols << "x" << c.rows;
    }
}

TEST(ColourGridAccess, OutsideTheGridIsIgnoredOrDefault) {
    TZColorStringGrid grid;
    TCellStyle fixed = grid.DefaultFixedCellStyle();
    fixed.BGColor = Qt::red;
    grid.setDefaultFixedCellStyle(fixed);
    grid.setCells(9, 9, QStringLiteral("x"));
    grid.setCells(-1, 0, QStringLiteral("x"));
    EXPECT_EQ(grid.Cells(9, 9), QString());
    EXPECT_EQ(grid.Cells(-1, 0), QString());
    EXPECT_EQ(grid.CellStyle(9, 9), grid.DefaultCellStyle());
    EXPECT_EQ(grid.CellStyle(0, 0), fixed);
    EXPECT_EQ(grid.CellStyle(0, 2), fixed) << "the fixed column";
    EXPECT_EQ(grid.CellStyle(3, 0), fixed) << "the fixed row";
    EXPECT_EQ(grid.CellStyle(4, 2), grid.DefaultCellStyle());

    // Rows that go take their texts with them.
    grid.setCells(1, 4, QStringLiteral("gone"));
    grid.setRowCount(3);
    grid.setCells(1, 4, QStringLiteral("ignored"));
    grid.setRowCount(5);
    EXPECT_EQ(grid.Cells(1, 4), QString());
}

TEST(ColourGridLayout, TextBreaksAtTheLastBlankThatLetsTheLineFit) {
    TCellStyle style;
    style.Font = QFont(QStringLiteral("Liberation Sans"));
    style.Font.setPixelSize(13);
    const QFontMetrics fm(style.Font);
    const int line = fm.height();
    const int wide = fm.horizontalAdvance(QStringLiteral("aaa aaa")) + kIndentH;
    struct Case {
        QString text;
        int lines;
    };
    const Case cases[] = {
        {QStringLiteral("aaa aaa"), 1},
        {QStringLiteral("aaa aaa aaa"), 2},           // after the second word, not the first
        {QStringLiteral("aaa aaa   aaa aaa aaa"), 3}, // the rest is trimmed and broken again
        {QStringLiteral("aaaaaaaaaaaaaaaaaaa"), 1},   // no blank: stays whole
        {QStringLiteral(" aaaaaaaaaaaaaaaaa"), 1},    // its only blank is the first character
        {QStringLiteral("a\r\nb\n\nc"), 4},           // an empty line counts
    };
    for (const Case& c : cases) {
        const QRect need =
            zcftext(nullptr, c.text, QRect(0, 0, wide, line), style, true, false, true);
        EXPECT_EQ(need.height(), c.lines * line) << c.text.toStdString();
    }
    const QRect whole = zcftext(nullptr, QStringLiteral("aaaaaaaaaaaaaaaaaaa"),
                                QRect(0, 0, wide, line), style, true, true, false);
    EXPECT_EQ(whole.width(),
              fm.horizontalAdvance(QStringLiteral("aaaaaaaaaaaaaaaaaaa")) + kIndentH);
}

TEST(ColourGridPaint, SelectedCellInSelectionColours) {
    Form f;
    TCellStyle normal = f.grid->DefaultCellStyle();
    normal.BGColor = QColor(250, 250, 200);
    f.grid->setDefaultCellStyle(normal);
    TCellStyle fixed = f.grid->DefaultFixedCellStyle();
    fixed.BGColor = QColor(200, 200, 200);
    f.grid->setDefaultFixedCellStyle(fixed);
    TSelectColor colours = f.grid->SelectedColors();
    colours.BGColor = QColor(0, 0, 160);
    f.grid->setSelectedColors(colours);
    f.grid->setCells(1, 1, QString());
    // The focused grid marks its current cell with the style's focus frame;
    // the colours are looked at without it.
    f.next->setFocus();
    auto pixelOf = [&](int c, int r) {
        const QRect cell = f.grid->cellsRect(c, r, c, r);
        QWidget* area = c < 1 ? f.grid->verticalHeader()->viewport() : f.grid->viewport();
        return area->grab().toImage().pixelColor(cell.center());
    };
    EXPECT_EQ(pixelOf(1, 1), colours.BGColor);
    EXPECT_EQ(pixelOf(1, 2), normal.BGColor);
    EXPECT_EQ(pixelOf(0, 2), QColor(200, 200, 200)) << "fixed cells in the fixed colour";
    f.grid->setRow(2);
    EXPECT_EQ(pixelOf(1, 1), normal.BGColor) << "the selection went on with the current cell";
    EXPECT_EQ(pixelOf(1, 2), colours.BGColor);
}
