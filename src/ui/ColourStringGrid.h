#pragma once

// TZColorStringGrid, the colour string grid: the grid of names on the
// commission page. A string grid with a look for its normal and for its fixed
// cells, rows and columns that grow to fit their texts, and an in-place editor
// (a memo) that writes every keystroke into its cell and hands Enter on the
// last row on to the next field (KamDale). It is built on Qt's model/view: a
// model holds the texts, the fixed row (the headings) and the fixed column
// (the numbers) are the view's headers, so they stay in place while the cells
// scroll, and the editor comes through an item delegate.
//
// Cells are addressed as in a string grid: Cells(ACol, ARow) counts the fixed
// row and column too, so cell (1, 1) is the first cell below the headings.
//
// The cells' text layout is in CellTextLayout.h, the editor in
// InplaceEditor.h.

#include "ui/CellTextLayout.h"
#include "ui/InplaceEditor.h"

#include <QColor>
#include <QPointer>
#include <QRect>
#include <QStyle>
#include <QTableView>

#include <vector>

class QPainter;

namespace urn {

class TZColorStringGrid;
class ZColorGridModel;

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
    // One fixed column (the numbers) and one fixed row (the headings).
    static constexpr int FixedCols() { return 1; }
    static constexpr int FixedRows() { return 1; }
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
