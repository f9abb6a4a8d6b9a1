#pragma once

// TZColorStringGrid, the colour string grid: the grid of names on the
// commission page. A string grid with a look for its normal and for its fixed
// cells, rows and columns that grow to fit their texts, and an in-place editor
// (a memo) that writes every keystroke into its cell and hands Enter on the
// last row on to the next field (KamDale). It is built on Qt's model/view: a
// model holds the texts, the fixed rows and columns are the view's headers (so
// they stay in place while the cells scroll) and the editor comes through an
// item delegate.
//
// Cells are addressed as in a string grid: Cells(ACol, ARow) counts the fixed
// rows and columns too, so cell (1, 1) is the first cell below the headings
// when there is one fixed row and one fixed column.

#include <QColor>
#include <QFont>
#include <QPlainTextEdit>
#include <QPointer>
#include <QRect>
#include <QStyle>
#include <QTableView>

#include <vector>

class QPainter;

namespace urn {

class TZColorStringGrid;
class ZColorGridModel;

enum TBorderCellStyle { sgRaised, sgNone };

enum TGridOption {
    goFixedVertLine = 0x001,
    goFixedHorzLine = 0x002,
    goVertLine = 0x004,
    goHorzLine = 0x008,
    goRangeSelect = 0x010,
    goEditing = 0x040,
    goTabs = 0x080,
};
Q_DECLARE_FLAGS(TGridOptions, TGridOption)
Q_DECLARE_OPERATORS_FOR_FLAGS(TGridOptions)

// The look of the cells of one kind (normal or fixed). FontColor is the
// colour of the font (a Qt font has none of its own). The text stands left
// with kIndentH pixels before it and is centred from top to bottom.
struct TCellStyle {
    QFont Font;
    QColor FontColor = Qt::black;
    QColor BGColor = Qt::black;
    bool WordWrap = false;
    TBorderCellStyle BorderCellStyle = sgNone; // sgRaised: a button's edge

    bool operator==(const TCellStyle&) const = default;
};

// Pixels between a cell's left edge and its text.
inline constexpr int kIndentH = 2;

// The colours of the selected cells.
struct TSelectColor {
    QColor BGColor; // the system highlight colour unless set
    QColor FontColor = Qt::white;
};

struct TLineDesign {
    QColor LineColor = QColor(128, 128, 128);
    QColor LineUpColor = Qt::white;
    QColor LineDownColor = Qt::black;
};

// Lays a cell's text out in `rect` by the style: lines split at line feeds,
// broken at blanks when wordWrap is on, each line kIndentH from the left, the
// block centred from top to bottom. Draws it with the canvas's pen when a
// canvas is given (clipped to the rectangle, background left alone). Returns
// the rectangle, enlarged by what the text needs beyond it in the directions
// where sizing is on.
QRect zcftext(QPainter* canvas, const QString& text, const QRect& rect, const TCellStyle& style,
              bool wordWrap, bool sizingWidth, bool sizingHeight);

// The in-place editor: a memo over the current cell. Every change is in the
// cell at once; Enter finishes, Esc and Tab do nothing, arrows that run out
// of the text move to the next cell.
class TZInplaceEditor : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit TZInplaceEditor(TZColorStringGrid* grid, QWidget* parent);

    // Insets the text inside the editor as the cell draws it, so that it does
    // not move when editing starts.
    void placeText(const TCellStyle& style, const QSize& cell);

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void insertFromMimeData(const QMimeData* source) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    bool leavesText(const QKeyEvent* event) const;
    QString passThroughGrid(const QString& typed);

    TZColorStringGrid* FGrid;
};

class TZColorStringGrid : public QTableView {
    Q_OBJECT
public:
    explicit TZColorStringGrid(QWidget* parent = nullptr);
    ~TZColorStringGrid() override;

    // ---- size ----
    int ColCount() const;
    void setColCount(int value);
    int RowCount() const;
    void setRowCount(int value);
    int FixedCols() const;
    void setFixedCols(int value);
    int FixedRows() const;
    void setFixedRows(int value);
    // Inner sizes of the cells; the grid line comes on top of them.
    int ColWidths(int ACol) const;
    void setColWidths(int ACol, int value);
    int RowHeights(int ARow) const;
    void setRowHeights(int ARow, int value);
    int GridLineWidth() const { return FGridLineWidth; }

    // ---- current cell ----
    int Col() const;
    int Row() const;
    void setCol(int value);
    void setRow(int value);

    // ---- texts and looks ----
    QString Cells(int ACol, int ARow) const;
    void setCells(int ACol, int ARow, const QString& Value);
    // The look of a cell: the default fixed style for a fixed cell, the
    // default style for any other (also for one outside the grid).
    const TCellStyle& CellStyle(int ACol, int ARow) const;
    const TCellStyle& DefaultCellStyle() const { return FDefaultCellParam; }
    void setDefaultCellStyle(const TCellStyle& value);
    const TCellStyle& DefaultFixedCellStyle() const { return FDefaultFixedCellParam; }
    void setDefaultFixedCellStyle(const TCellStyle& value);

    // ---- switches ----
    TGridOptions Options() const;
    void setOptions(TGridOptions value);
    // Columns widen and rows heighten to fit a text that needs more room
    // (cells never shrink again).
    bool SizingHeight() const { return FSizingHeight; }
    void setSizingHeight(bool value) { FSizingHeight = value; }
    bool SizingWidth() const { return FSizingWidth; }
    void setSizingWidth(bool value) { FSizingWidth = value; }
    const TSelectColor& SelectedColors() const { return FSelectedColors; }
    void setSelectedColors(const TSelectColor& value);
    const TLineDesign& LineDesign() const { return FLineDesign; }
    void setLineDesign(const TLineDesign& value);
    // While set, nothing is painted (for many changes in a row).
    bool DontDraw() const { return FDontDraw; }
    void setDontDraw(bool value);

    // ---- editing ----
    // True while the in-place editor has the focus.
    bool EditorMode() const;
    // Opens the editor on the current cell with the cell's text in it.
    void ShowEditorFirst();
    void HideEditor();
    TZInplaceEditor* ZInplaceEditor() const { return FZInplaceEditor; }
    // The control that takes the focus when Enter is pressed on the last row.
    QWidget* KamDale() const { return FKamDale; }
    void setKamDale(QWidget* value) { FKamDale = value; }

    // Where a cell (or the block of cells from (c1, r1) to (c2, r2)) lies:
    // in the header that shows it for fixed cells, in the viewport for the
    // others. The rectangle holds the grid lines at its right and bottom.
    QRect cellsRect(int c1, int r1, int c2, int r2) const;

signals:
    // A typed character (Enter is '\r', Backspace '\b') before the grid's
    // own rules; the owner may replace it, or drop it by setting QChar(0).
    void OnKeyPress(QChar& key);
    // The focus came into the grid (or its editor) from outside / left it.
    void OnEnter();
    void OnExit();
    // A cell's text changed (by the program or by the editor).
    void OnSetEditText(int ACol, int ARow, const QString& Value);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void updateGeometries() override;

private:
    friend class TZInplaceEditor;
    friend class ZColorGridDelegate;
    friend class ZFixedCellsHeader;
    friend class ZFixedCorner;

    // The grid's own key rules; fromEditor when the editor passes the key on.
    void KeyPress(QChar& key, bool fromEditor);
    void openEditor(const QString* replacement, bool selectAll);
    bool editorOpen() const;
    void editorEnter();
    void leaveEditorWith(QKeyEvent* event);
    void noteFocus(QFocusEvent* event);
    void FitCell(int ACol, int ARow);
    void paintCell(QPainter* p, int ACol, int ARow, const QRect& rect, QStyle::State state);
    void paintFixedCells(QPainter* p, const QRect& rect, int c1, int c2, int r1, int r2);
    void updateFixedCells();
    int vLine() const;
    int hLine() const;
    int colLeft(int ACol) const;
    int rowTop(int ARow) const;
    int colExtent(int ACol) const;
    int rowExtent(int ARow) const;
    void sizeChanged();
    void applySizes();
    void applyEditorLook();
    void ensureCurrent();

    ZColorGridModel* FModel;
    TZInplaceEditor* FZInplaceEditor = nullptr;
    QWidget* FCorner = nullptr;
    TCellStyle FDefaultCellParam;
    TCellStyle FDefaultFixedCellParam;
    std::vector<int> FColWidths;
    std::vector<int> FRowHeights;
    int FGridLineWidth = 1;
    TGridOptions FOptions;
    bool FgoEditing = false;
    bool FSizingHeight = false;
    bool FSizingWidth = false;
    TSelectColor FSelectedColors;
    TLineDesign FLineDesign;
    bool FDontDraw = false;
    bool FChciVen = false; // Enter on the last row is taking the focus on
    bool FInside = false;  // the focus is in the grid or its editor
    QPointer<QWidget> FKamDale;
};

} // namespace urn
