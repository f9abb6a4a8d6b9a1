#pragma once

// A string grid with a style for every cell, merged areas, rows and columns
// that grow to fit their texts, and an in-place editor that is a multi-line
// memo. It is built on Qt's model/view: the model holds the texts and the
// styles, the fixed rows and columns are the view's headers (so they stay in
// place while the cells scroll, as in any spreadsheet), merged areas are the
// view's spans and the editor comes through an item delegate.
//
// Cells are addressed as in a string grid: Cells(ACol, ARow) counts the fixed
// rows and columns too, so cell (1, 1) is the first cell below the headings
// when there is one fixed row and one fixed column.

#include "ui/EntryEdit.h"

#include <QAbstractTableModel>
#include <QColor>
#include <QFont>
#include <QHeaderView>
#include <QPlainTextEdit>
#include <QPointer>
#include <QRect>
#include <QStyle>
#include <QStyledItemDelegate>
#include <QTableView>

#include <optional>
#include <utility>
#include <vector>

class QPainter;

namespace urn {

class TZColorStringGrid;

enum TVerticalAlignment { vaTop, vaCenter, vaBottom };
enum TBorderCellStyle { sgLowered, sgRaised, sgNone };

enum TGridOption {
    goFixedVertLine = 0x001,
    goFixedHorzLine = 0x002,
    goVertLine = 0x004,
    goHorzLine = 0x008,
    goRangeSelect = 0x010,
    goRowSelect = 0x020,
    goEditing = 0x040,
    goTabs = 0x080,
    goAlwaysShowEditor = 0x100,
};
Q_DECLARE_FLAGS(TGridOptions, TGridOption)
Q_DECLARE_OPERATORS_FOR_FLAGS(TGridOptions)

// The look of one cell. FontColor is the colour of the font (a Qt font has
// none of its own).
struct TCellStyle {
    QFont Font;
    QColor FontColor = Qt::black;
    QColor BGColor = Qt::black;
    TAlignment HorizontalAlignment = taLeftJustify;
    TVerticalAlignment VerticalAlignment = vaCenter;
    bool WordWrap = false;
    bool SizingHeight = false;
    bool SizingWidth = false;
    TBorderCellStyle BorderCellStyle = sgNone;
    quint8 IndentH = 2;
    quint8 IndentV = 0;
    int Rotate = 0; // degrees, counter-clockwise

    bool operator==(const TCellStyle&) const = default;
};

struct TSelectColor {
    QColor BGColor; // the system highlight colour unless set
    QColor FontColor = Qt::white;
    bool ColoredSelect = true; // selected cells in these colours
    bool UseFocusRect = true;  // the focused grid marks its current cell
};

struct TLineDesign {
    QColor LineColor = QColor(128, 128, 128);
    QColor LineUpColor = Qt::white;
    QColor LineDownColor = Qt::black;
};

// The editor's look when it does not follow the cell's style.
struct TInplaceEditorOptions {
    QColor FontColor = Qt::black;
    QColor BGColor = Qt::white;
    TBorderStyle BorderStyle = bsNone;
    TAlignment Alignment = taLeftJustify;
    bool WordWrap = true;
    bool UseCellStyle = true;
};

// Lays a cell's text out in `rect` by the style: lines split at line feeds,
// broken at blanks when wordWrap is on, placed by the alignments and indents,
// rotated by the style's angle. Draws it with the canvas's pen when a canvas
// is given (clipped to the rectangle, background left alone). Returns the
// rectangle, enlarged by what the text needs beyond it in the directions
// where sizing is on.
QRect zcftext(QPainter* canvas, const QString& text, const QRect& rect, const TCellStyle& style,
              bool wordWrap, bool sizingWidth, bool sizingHeight);

// The merged areas of one grid, in cell coordinates (left column, top row,
// right column, bottom row, all inclusive).
class TMergeCells {
public:
    explicit TMergeCells(TZColorStringGrid* grid) : FGrid(grid) {}

    // 0 added; 1 a corner outside the grid; 2 overlapping an existing area;
    // 3 a single cell; 4 spanning fixed and non-fixed columns or rows.
    int AddRect(const QRect& Rct);
    int AddRectXY(int x1, int y1, int x2, int y2);
    bool DeleteItem(int Num);
    void Clear();
    int Count() const { return int(FMergeArea.size()); }
    QRect Items(int Num) const { return Get_Item(Num); }
    // The area, or a rectangle of zeros for an index that does not exist.
    QRect Get_Item(int Num) const;
    // Index of the area whose top-left cell this is, else -1.
    int InLeftTopCorner(int ACol, int ARow) const;
    // Index of the first area holding the cell, else -1.
    int InMergeRange(int ACol, int ARow) const;
    // Size of the area in pixels (lines between its cells included), -1 for
    // an index that does not exist.
    int GetWidthArea(int Num) const;
    int GetHeightArea(int Num) const;
    // The current selection grown over every merged area it touches; made
    // the selection when SetSelected is true.
    QRect GetSelectedArea(bool SetSelected);
    // First and last row of the band of rows that merged areas join to ARow.
    std::pair<int, int> GetMergeYY(int ARow) const;

private:
    friend class TZColorStringGrid;
    void dropAreasOutsideGrid();

    TZColorStringGrid* FGrid;
    std::vector<QRect> FMergeArea;
};

// The texts and styles of the grid. The view sees the cells that are not
// fixed; the fixed ones reach the screen through the grid's headers.
class ZColorGridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit ZColorGridModel(QObject* parent = nullptr);

    int colCount() const { return FColCount; }
    int gridRowCount() const { return FRowCount; }
    int fixedCols() const { return FFixedCols; }
    int fixedRows() const { return FFixedRows; }
    void setSize(int cols, int rows);
    void setFixed(int cols, int rows);
    bool contains(int ACol, int ARow) const;
    bool isFixed(int ACol, int ARow) const { return ACol < FFixedCols || ARow < FFixedRows; }

    QString text(int ACol, int ARow) const;
    // False when the cell does not exist or already holds the text.
    bool setText(int ACol, int ARow, const QString& value);
    // The cell's own style, or the default of its kind when it has none.
    TCellStyle style(int ACol, int ARow) const;
    void setStyle(int ACol, int ARow, const TCellStyle& value);
    void setDefaults(const TCellStyle& normal, const TCellStyle& fixed);
    const TCellStyle& defaultStyle() const { return FDefaultCellParam; }
    const TCellStyle& defaultFixedStyle() const { return FDefaultFixedCellParam; }
    void moveRow(int from, int to);
    void moveColumn(int from, int to);
    void setEditable(bool editable);

    QModelIndex indexOf(int ACol, int ARow) const;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

signals:
    void textChanged(int ACol, int ARow);

private:
    void changed(int ACol, int ARow);

    int FColCount = 0;
    int FRowCount = 0;
    int FFixedCols = 0;
    int FFixedRows = 0;
    bool FEditable = false;
    std::vector<std::vector<QString>> FCells;                       // [column][row]
    std::vector<std::vector<std::optional<TCellStyle>>> FCellStyle; // [column][row]
    TCellStyle FDefaultCellParam;
    TCellStyle FDefaultFixedCellParam;
};

// The in-place editor: a memo over the current cell. Every change is in the
// cell at once; Enter finishes, Esc and Tab do nothing, arrows that run out
// of the text move to the next cell.
class TZInplaceEditor : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit TZInplaceEditor(TZColorStringGrid* grid, QWidget* parent);

    // Insets the text inside the editor by the cell's indents and vertical
    // alignment, so that it stays where the cell drew it.
    void placeText(const TCellStyle& style, bool wordWrap, const QSize& cell);

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
    int ColCount() const { return FModel->colCount(); }
    void setColCount(int value);
    int RowCount() const { return FModel->gridRowCount(); }
    void setRowCount(int value);
    int FixedCols() const { return FModel->fixedCols(); }
    void setFixedCols(int value);
    int FixedRows() const { return FModel->fixedRows(); }
    void setFixedRows(int value);
    // Inner sizes of the cells; the grid line comes on top of them.
    int ColWidths(int ACol) const;
    void setColWidths(int ACol, int value);
    int RowHeights(int ARow) const;
    void setRowHeights(int ARow, int value);
    int DefaultColWidth() const { return FDefaultColWidth; }
    int DefaultRowHeight() const { return FDefaultRowHeight; }
    int GridLineWidth() const { return FGridLineWidth; }

    // ---- current cell ----
    int Col() const;
    int Row() const;
    void setCol(int value);
    void setRow(int value);

    // ---- texts and styles ----
    QString Cells(int ACol, int ARow) const { return FModel->text(ACol, ARow); }
    void setCells(int ACol, int ARow, const QString& Value);
    TCellStyle CellStyle(int ACol, int ARow) const;
    void setCellStyle(int ACol, int ARow, const TCellStyle& value);
    void setCellStyleRow(int ARow, bool fixedCol, const TCellStyle& value);
    void setCellStyleCol(int ACol, bool fixedRow, const TCellStyle& value);
    const TCellStyle& DefaultCellStyle() const { return FModel->defaultStyle(); }
    void setDefaultCellStyle(const TCellStyle& value);
    const TCellStyle& DefaultFixedCellStyle() const { return FModel->defaultFixedStyle(); }
    void setDefaultFixedCellStyle(const TCellStyle& value);
    QColor FixedColor() const { return DefaultFixedCellStyle().BGColor; }
    void setFixedColor(const QColor& value);
    QColor Color() const { return DefaultCellStyle().BGColor; }

    // ---- switches ----
    TGridOptions Options() const;
    void setOptions(TGridOptions value);
    bool WordWrap() const { return FWordWrap; }
    void setWordWrap(bool value);
    bool UseCellWordWrap() const { return FUseCellWordWrap; }
    void setUseCellWordWrap(bool value);
    bool SizingHeight() const { return FSizingHeight; }
    void setSizingHeight(bool value) { FSizingHeight = value; }
    bool SizingWidth() const { return FSizingWidth; }
    void setSizingWidth(bool value) { FSizingWidth = value; }
    bool UseCellSizingHeight() const { return FUseCellSizingHeight; }
    void setUseCellSizingHeight(bool value) { FUseCellSizingHeight = value; }
    bool UseCellSizingWidth() const { return FUseCellSizingWidth; }
    void setUseCellSizingWidth(bool value) { FUseCellSizingWidth = value; }
    const TSelectColor& SelectedColors() const { return FSelectedColors; }
    void setSelectedColors(const TSelectColor& value);
    const TLineDesign& LineDesign() const { return FLineDesign; }
    void setLineDesign(const TLineDesign& value);
    const TInplaceEditorOptions& InplaceEditorOptions() const { return FInplaceEditorOptions; }
    void setInplaceEditorOptions(const TInplaceEditorOptions& value);
    // While set, nothing is painted (for many changes in a row).
    bool DontDraw() const { return FDontDraw; }
    void setDontDraw(bool value);

    // ---- editing ----
    // True while the in-place editor has the focus.
    bool EditorMode() const;
    void setEditorMode(bool value);
    // Opens the editor on the current cell with the cell's text in it.
    void ShowEditorFirst();
    void HideEditor();
    TZInplaceEditor* ZInplaceEditor() const { return FZInplaceEditor; }
    // The control that takes the focus when Enter is pressed on the last row.
    QWidget* KamDale() const { return FKamDale; }
    void setKamDale(QWidget* value) { FKamDale = value; }
    bool ChciVen() const { return FChciVen; }

    TMergeCells& MergeCells() { return FMergeCells; }
    const TMergeCells& MergeCells() const { return FMergeCells; }

    // ---- rows and columns ----
    void DeleteRow(int ARow);
    void DeleteColumn(int ACol);
    void MoveRow(int FromIndex, int ToIndex);
    void MoveColumn(int FromIndex, int ToIndex);

    ZColorGridModel* gridModel() const { return FModel; }
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
    void OnBeforeTextDrawCell(int ACol, int ARow, const QRect& Rect, QStyle::State State,
                              QPainter* Canvas);
    void OnBeforeTextDrawMergeCell(int ACol, int ARow, const QRect& Rect, QStyle::State State,
                                   QPainter* CellCanvas);
    void OnDrawMergeCell(int ACol, int ARow, const QRect& Rect, QStyle::State State,
                         QPainter* CellCanvas);
    // A cell's text changed (by the program or by the editor).
    void OnSetEditText(int ACol, int ARow, const QString& Value);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    void updateGeometries() override;

private:
    friend class TZInplaceEditor;
    friend class TMergeCells;
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
    bool wordWrapOf(const TCellStyle& style) const;
    int vLine() const;
    int hLine() const;
    int colLeft(int ACol) const;
    int rowTop(int ARow) const;
    int colExtent(int ACol) const;
    int rowExtent(int ARow) const;
    void applySizes();
    void applySpan(const QRect& area, bool merged);
    void applyEditorLook(const QModelIndex& index);
    void selectionFollowsOptions();
    void ensureCurrent();

    ZColorGridModel* FModel;
    TMergeCells FMergeCells;
    TZInplaceEditor* FZInplaceEditor = nullptr;
    QWidget* FCorner = nullptr;
    std::vector<int> FColWidths;
    std::vector<int> FRowHeights;
    int FDefaultColWidth = 64;
    int FDefaultRowHeight = 24;
    int FGridLineWidth = 1;
    TGridOptions FOptions;
    bool FgoEditing = false;
    bool FWordWrap = false;
    bool FUseCellWordWrap = false;
    bool FSizingHeight = false;
    bool FSizingWidth = false;
    bool FUseCellSizingHeight = false;
    bool FUseCellSizingWidth = false;
    TSelectColor FSelectedColors;
    TLineDesign FLineDesign;
    TInplaceEditorOptions FInplaceEditorOptions;
    bool FDontDraw = false;
    bool FChciVen = false;
    bool FInside = false; // the focus is in the grid or its editor
    QPointer<QWidget> FKamDale;
};

// Paints the data cells through the grid and hands out its one editor.
class ZColorGridDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    explicit ZColorGridDelegate(TZColorStringGrid* grid) : QStyledItemDelegate(grid), FGrid(grid) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void destroyEditor(QWidget* editor, const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model,
                      const QModelIndex& index) const override;
    void updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const override;

protected:
    bool eventFilter(QObject* object, QEvent* event) override;

private:
    TZColorStringGrid* FGrid;
};

// A header that shows the fixed rows (horizontal) or fixed columns
// (vertical) of the grid.
class ZFixedCellsHeader : public QHeaderView {
    Q_OBJECT
public:
    ZFixedCellsHeader(Qt::Orientation orientation, TZColorStringGrid* grid);
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    TZColorStringGrid* FGrid;
};

} // namespace urn
