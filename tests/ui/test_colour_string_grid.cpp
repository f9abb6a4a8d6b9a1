#include "ui/ColourStringGrid.h"

#include <QApplication>
#include <QDialog>
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
    f.grid->setEditorMode(false);

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

TEST(ColourGridMerge, AddRectResults) {
    struct Case {
        QRect area;
        int expected;
    };
    // Six columns and seven rows, one of each fixed; the area of the first
    // case stays in place for the others.
    const Case cases[] = {
        {QRect(QPoint(1, 3), QPoint(5, 4)), 0},
        {QRect(QPoint(2, 2), QPoint(2, 2)), 3}, // a single cell
        {QRect(QPoint(3, 1), QPoint(6, 2)), 1}, // past the last column
        {QRect(QPoint(-1, 1), QPoint(2, 2)), 1},
        {QRect(QPoint(0, 1), QPoint(1, 2)), 4}, // fixed and normal columns
        {QRect(QPoint(5, 1), QPoint(5, 3)), 2}, // shares the corner cell (5, 3)
        {QRect(QPoint(3, 1), QPoint(3, 6)), 2}, // crosses the area
        {QRect(QPoint(1, 1), QPoint(5, 2)), 0}, // touches it without sharing a cell
    };
    TZColorStringGrid grid;
    grid.setColCount(6);
    grid.setRowCount(7);
    for (const Case& c : cases)
        EXPECT_EQ(grid.MergeCells().AddRect(c.area), c.expected) << c.area.left() << c.area.top();
    EXPECT_EQ(grid.MergeCells().Count(), 2);
    EXPECT_EQ(grid.MergeCells().AddRectXY(2, 0, 1, 0), 0) << "corners in any order";
    // The areas of normal cells are the view's spans.
    EXPECT_EQ(grid.rowSpan(3 - 1, 1 - 1), 2);
    EXPECT_EQ(grid.columnSpan(3 - 1, 1 - 1), 5);
    EXPECT_EQ(grid.MergeCells().InMergeRange(4, 4), 0);
    EXPECT_EQ(grid.MergeCells().InLeftTopCorner(1, 3), 0);
    EXPECT_EQ(grid.MergeCells().GetWidthArea(0), 5 * 64 + 4);
    EXPECT_EQ(grid.MergeCells().GetMergeYY(2), std::make_pair(1, 2));
    EXPECT_TRUE(grid.MergeCells().DeleteItem(0));
    EXPECT_EQ(grid.rowSpan(3 - 1, 1 - 1), 1);
}

TEST(ColourGridSizing, CellsGrowToTheirTextAndDoNotShrink) {
    TZColorStringGrid grid;
    grid.setSizingWidth(true);
    grid.setSizingHeight(true);
    const QString longText(40, QLatin1Char('W'));
    grid.setCells(1, 1, longText);
    const int wide = grid.ColWidths(1);
    EXPECT_GT(wide, 64);
    EXPECT_GE(wide, QFontMetrics(grid.CellStyle(1, 1).Font).horizontalAdvance(longText));
    grid.setCells(1, 1, QString());
    EXPECT_EQ(grid.ColWidths(1), wide);

    // With word wrap the text breaks at its blanks and the row grows instead.
    grid.setWordWrap(true);
    grid.setCells(2, 2, QStringLiteral("Jan Novák Jan Novák Jan Novák Jan Novák"));
    EXPECT_EQ(grid.ColWidths(2), 64);
    EXPECT_GT(grid.RowHeights(2), 24);
    EXPECT_EQ(grid.horizontalHeader()->sectionSize(0), wide + grid.GridLineWidth());
}

TEST(ColourGridAccess, OutsideTheGridIsIgnoredOrDefault) {
    TZColorStringGrid grid;
    TCellStyle red = grid.DefaultCellStyle();
    red.BGColor = Qt::red;
    grid.setCellStyle(9, 9, red);
    grid.setCellStyle(-1, 0, red);
    grid.setCells(9, 9, QStringLiteral("x"));
    EXPECT_EQ(grid.Cells(9, 9), QString());
    EXPECT_EQ(grid.CellStyle(9, 9), grid.DefaultCellStyle());
    EXPECT_EQ(grid.CellStyle(0, 0), grid.DefaultFixedCellStyle());
    grid.setCellStyleRow(2, false, red);
    EXPECT_EQ(grid.CellStyle(0, 2), grid.DefaultFixedCellStyle());
    EXPECT_EQ(grid.CellStyle(4, 2).BGColor, QColor(Qt::red));
    EXPECT_EQ(grid.MergeCells().Get_Item(7), QRect(QPoint(0, 0), QPoint(0, 0)));
    EXPECT_EQ(grid.MergeCells().GetHeightArea(-1), -1);
    EXPECT_FALSE(grid.MergeCells().DeleteItem(0));

    // Rows that go take their texts and styles with them.
    grid.setCells(1, 4, QStringLiteral("gone"));
    grid.setCellStyle(1, 4, red);
    grid.setRowCount(3);
    grid.setCells(1, 4, QStringLiteral("ignored"));
    grid.setRowCount(5);
    EXPECT_EQ(grid.Cells(1, 4), QString());
    EXPECT_EQ(grid.CellStyle(1, 4), grid.DefaultCellStyle());

    grid.setCells(1, 1, QStringLiteral("first"));
    grid.DeleteRow(1);
    EXPECT_EQ(grid.RowCount(), 4);
    EXPECT_EQ(grid.Cells(4, 1), QString());
    EXPECT_EQ(grid.CellStyle(4, 1).BGColor, QColor(Qt::red)) << "styles move with their row";
}

TEST(ColourGridLayout, TextBreaksAtTheLastBlankThatLetsTheLineFit) {
    TCellStyle style;
    style.Font = QFont(QStringLiteral("Liberation Sans"));
    style.Font.setPixelSize(13);
    const QFontMetrics fm(style.Font);
    const int line = fm.height();
    const int wide = fm.horizontalAdvance(QStringLiteral("aaa aaa")) + style.IndentH;
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
              fm.horizontalAdvance(QStringLiteral("aaaaaaaaaaaaaaaaaaa")) + style.IndentH);

    style.Rotate = 450; // 90 degrees: the block stands on its end
    const QRect turned =
        zcftext(nullptr, QStringLiteral("aaa"), QRect(0, 0, 1, 1), style, false, true, true);
    EXPECT_EQ(turned.height(), fm.horizontalAdvance(QStringLiteral("aaa")));
    EXPECT_EQ(turned.width(), line + style.IndentH);
}

TEST(ColourGridPaint, SelectedCellInSelectionColoursOnlyWithColoredSelect) {
    Form f;
    TCellStyle normal = f.grid->DefaultCellStyle();
    normal.BGColor = QColor(250, 250, 200);
    f.grid->setDefaultCellStyle(normal);
    f.grid->setFixedColor(QColor(200, 200, 200));
    TSelectColor colours = f.grid->SelectedColors();
    colours.BGColor = QColor(0, 0, 160);
    colours.UseFocusRect = false;
    f.grid->setSelectedColors(colours);
    f.grid->setCells(1, 1, QString());
    auto pixelOf = [&](int c, int r) {
        const QRect cell = f.grid->cellsRect(c, r, c, r);
        QWidget* area = c < 1 ? f.grid->verticalHeader()->viewport() : f.grid->viewport();
        return area->grab().toImage().pixelColor(cell.center());
    };
    EXPECT_EQ(pixelOf(1, 1), colours.BGColor);
    EXPECT_EQ(pixelOf(1, 2), normal.BGColor);
    EXPECT_EQ(pixelOf(0, 2), QColor(200, 200, 200)) << "fixed cells in the fixed colour";
    colours.ColoredSelect = false;
    f.grid->setSelectedColors(colours);
    EXPECT_EQ(pixelOf(1, 1), normal.BGColor);
}
