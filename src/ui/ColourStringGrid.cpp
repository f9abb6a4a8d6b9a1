#include "ui/ColourStringGrid.h"

#include <QAbstractTableModel>
#include <QApplication>
#include <QFocusEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPainter>
#include <QStyleOptionFocusRect>
#include <QStyledItemDelegate>

#include <algorithm>

namespace urn {

namespace {
constexpr int kDefaultColWidth = 64;
constexpr int kDefaultRowHeight = 24;
} // namespace

// ---------------------------------------------------------------------------
// Model: the texts. The view sees the cells that are not fixed; the fixed
// ones reach the screen through the grid's headers.

class ZColorGridModel : public QAbstractTableModel {
public:
    using QAbstractTableModel::QAbstractTableModel;

    int colCount() const { return FColCount; }
    int gridRowCount() const { return FRowCount; }
    bool contains(int ACol, int ARow) const {
        return ACol >= 0 && ARow >= 0 && ACol < FColCount && ARow < FRowCount;
    }
    static bool isFixed(int ACol, int ARow) { return ACol < kFixedCols || ARow < kFixedRows; }
    void setEditable(bool editable) { FEditable = editable; }

    // At least one row and one column stay normal cells. The view is told
    // of the cells it sees, the ones that are not fixed.
    void setSize(int cols, int rows) {
        const int oldCols = columnCount();
        const int newCols = std::max(cols, kFixedCols + 1) - kFixedCols;
        auto resizeColumns = [&] {
            FColCount = newCols + kFixedCols;
            FCells.resize(size_t(FColCount), std::vector<QString>(size_t(FRowCount)));
        };
        if (newCols > oldCols) {
            beginInsertColumns({}, oldCols, newCols - 1);
            resizeColumns();
            endInsertColumns();
        } else if (newCols < oldCols) {
            beginRemoveColumns({}, newCols, oldCols - 1);
            resizeColumns();
            endRemoveColumns();
        }
        const int oldRows = rowCount();
        const int newRows = std::max(rows, kFixedRows + 1) - kFixedRows;
        auto resizeRows = [&] {
            FRowCount = newRows + kFixedRows;
            for (auto& column : FCells)
                column.resize(size_t(FRowCount));
        };
        if (newRows > oldRows) {
            beginInsertRows({}, oldRows, newRows - 1);
            resizeRows();
            endInsertRows();
        } else if (newRows < oldRows) {
            beginRemoveRows({}, newRows, oldRows - 1);
            resizeRows();
            endRemoveRows();
        }
    }

    QString text(int ACol, int ARow) const {
        return contains(ACol, ARow) ? FCells[size_t(ACol)][size_t(ARow)] : QString();
    }

    // False when the cell does not exist or already holds the text. A cell
    // that does not exist keeps nothing: a text written there would come
    // back when the grid grows again.
    bool setText(int ACol, int ARow, const QString& value) {
        if (!contains(ACol, ARow) || FCells[size_t(ACol)][size_t(ARow)] == value)
            return false;
        FCells[size_t(ACol)][size_t(ARow)] = value;
        if (!isFixed(ACol, ARow)) {
            const QModelIndex i = indexOf(ACol, ARow);
            emit dataChanged(i, i);
        }
        return true;
    }

    QModelIndex indexOf(int ACol, int ARow) const {
        if (!contains(ACol, ARow) || isFixed(ACol, ARow))
            return {};
        return index(ARow - kFixedRows, ACol - kFixedCols);
    }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override {
        return parent.isValid() ? 0 : std::max(0, FRowCount - kFixedRows);
    }
    int columnCount(const QModelIndex& parent = QModelIndex()) const override {
        return parent.isValid() ? 0 : std::max(0, FColCount - kFixedCols);
    }
    QVariant data(const QModelIndex& index, int role) const override {
        if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole))
            return {};
        return text(index.column() + kFixedCols, index.row() + kFixedRows);
    }
    Qt::ItemFlags flags(const QModelIndex& index) const override {
        if (!index.isValid())
            return Qt::NoItemFlags;
        const Qt::ItemFlags f = Qt::ItemIsSelectable | Qt::ItemIsEnabled;
        return FEditable ? f | Qt::ItemIsEditable : f;
    }

private:
    static constexpr int kFixedCols = TZColorStringGrid::FixedCols();
    static constexpr int kFixedRows = TZColorStringGrid::FixedRows();
    int FColCount = 0;
    int FRowCount = 0;
    bool FEditable = false;
    std::vector<std::vector<QString>> FCells; // [column][row]
};

// ---------------------------------------------------------------------------
// Headers and corner: the fixed cells

// A header that shows the fixed rows (horizontal) or fixed columns
// (vertical) of the grid.
class ZFixedCellsHeader : public QHeaderView {
public:
    ZFixedCellsHeader(Qt::Orientation orientation, TZColorStringGrid* grid)
        : QHeaderView(orientation, grid), FGrid(grid) {
        setSectionResizeMode(QHeaderView::Fixed);
        setSectionsClickable(false);
        setHighlightSections(false);
        setMinimumSectionSize(0);
        setStretchLastSection(false);
        setFocusPolicy(Qt::NoFocus);
        setMinimumSize(0, 0);
    }

    // The view asks only for the header's depth; its length is the view's.
    QSize sizeHint() const override {
        if (orientation() == Qt::Horizontal)
            return QSize(0, FGrid->rowExtent(0));
        return QSize(FGrid->colExtent(0), 0);
    }

protected:
    void paintEvent(QPaintEvent* event) override {
        if (FGrid->DontDraw())
            return;
        QPainter p(viewport());
        p.fillRect(event->rect(), FGrid->DefaultCellStyle().BGColor);
        if (orientation() == Qt::Horizontal)
            FGrid->paintFixedCells(&p, event->rect(), 1, FGrid->ColCount() - 1, 0, 0);
        else
            FGrid->paintFixedCells(&p, event->rect(), 0, 0, 1, FGrid->RowCount() - 1);
    }

private:
    TZColorStringGrid* FGrid;
};

// The fixed cells where the fixed rows and columns meet (the grid's top-left
// corner), laid over the view's own corner button.
class ZFixedCorner : public QWidget {
public:
    explicit ZFixedCorner(TZColorStringGrid* grid) : QWidget(grid), FGrid(grid) {}

protected:
    void paintEvent(QPaintEvent* event) override {
        if (FGrid->DontDraw())
            return;
        QPainter p(this);
        p.fillRect(event->rect(), FGrid->DefaultCellStyle().BGColor);
        FGrid->paintFixedCells(&p, event->rect(), 0, 0, 0, 0);
    }

private:
    TZColorStringGrid* FGrid;
};

// ---------------------------------------------------------------------------
// Delegate: paints the normal cells through the grid and hands out its one
// editor.

class ZColorGridDelegate : public QStyledItemDelegate {
public:
    explicit ZColorGridDelegate(TZColorStringGrid* grid) : QStyledItemDelegate(grid), FGrid(grid) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        FGrid->paintCell(painter, index.column() + FGrid->FixedCols(),
                         index.row() + FGrid->FixedRows(), option.rect, option.state);
    }

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem&,
                          const QModelIndex&) const override {
        // One editor serves the grid for its whole life; it is shown and
        // hidden rather than made anew for every cell.
        TZInplaceEditor* editor = FGrid->FZInplaceEditor;
        if (editor->parentWidget() != parent)
            editor->setParent(parent);
        FGrid->applyEditorLook();
        return editor;
    }

    void destroyEditor(QWidget* editor, const QModelIndex&) const override { editor->hide(); }

    void setEditorData(QWidget* editor, const QModelIndex& index) const override {
        auto* memo = static_cast<QPlainTextEdit*>(editor);
        const QString text = index.data(Qt::EditRole).toString();
        // The editor writes every change into its cell; the view hands the
        // same text back, which must not move the caret.
        if (memo->toPlainText() == text)
            return;
        memo->setPlainText(text);
        memo->moveCursor(QTextCursor::End);
    }

    void setModelData(QWidget* editor, QAbstractItemModel*,
                      const QModelIndex& index) const override {
        FGrid->setCells(index.column() + FGrid->FixedCols(), index.row() + FGrid->FixedRows(),
                        static_cast<QPlainTextEdit*>(editor)->toPlainText());
    }

    void updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                              const QModelIndex&) const override {
        // The editor covers the cell inside its grid lines (cut at the
        // visible grid) and insets its text as the cell does, so the text
        // does not move when editing starts and the lines stay in sight.
        const QRect cell = option.rect;
        const QRect inner(cell.x(), cell.y(), cell.width() - FGrid->vLine(),
                          cell.height() - FGrid->hLine());
        editor->setGeometry(inner & FGrid->viewport()->rect());
        FGrid->FZInplaceEditor->placeText(FGrid->DefaultCellStyle(), inner.size());
    }

protected:
    bool eventFilter(QObject* object, QEvent* event) override {
        // The editor decides about its keys itself (Enter, Tab and Esc have
        // their own meaning here); losing the focus is handled as for any
        // editor.
        if (event->type() == QEvent::KeyPress || event->type() == QEvent::ShortcutOverride)
            return false;
        return QStyledItemDelegate::eventFilter(object, event);
    }

private:
    TZColorStringGrid* FGrid;
};

// ---------------------------------------------------------------------------
// Grid

TZColorStringGrid::TZColorStringGrid(QWidget* parent)
    : QTableView(parent), FModel(new ZColorGridModel(this)) {
    setHorizontalHeader(new ZFixedCellsHeader(Qt::Horizontal, this));
    setVerticalHeader(new ZFixedCellsHeader(Qt::Vertical, this));
    setModel(FModel);
    setItemDelegate(new ZColorGridDelegate(this));
    setShowGrid(false);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setCornerButtonEnabled(false);
    FCorner = new ZFixedCorner(this);
    FZInplaceEditor = new TZInplaceEditor(this, viewport());

    const QPalette pal = palette();
    TCellStyle normal;
    normal.Font = font();
    normal.FontColor = pal.color(QPalette::Text);
    normal.BGColor = pal.color(QPalette::Base);
    FDefaultFixedCellParam = normal;
    FDefaultFixedCellParam.BGColor = pal.color(QPalette::Button);
    FSelectedColors.BGColor = pal.color(QPalette::Highlight);

    setColCount(5);
    setRowCount(5);
    setOptions(goFixedVertLine | goFixedHorzLine | goVertLine | goHorzLine | goRangeSelect);
    setDefaultCellStyle(normal);
}

TZColorStringGrid::~TZColorStringGrid() = default;

// ---- size ----

int TZColorStringGrid::ColCount() const {
    return FModel->colCount();
}

int TZColorStringGrid::RowCount() const {
    return FModel->gridRowCount();
}

void TZColorStringGrid::setColCount(int value) {
    if (value < 1)
        return;
    FModel->setSize(value, RowCount());
    FColWidths.resize(size_t(ColCount()), kDefaultColWidth);
    applySizes();
    ensureCurrent();
}

void TZColorStringGrid::setRowCount(int value) {
    if (value < 1)
        return;
    FModel->setSize(ColCount(), value);
    FRowHeights.resize(size_t(RowCount()), kDefaultRowHeight);
    applySizes();
    ensureCurrent();
}

int TZColorStringGrid::ColWidths(int ACol) const {
    if (ACol < 0 || size_t(ACol) >= FColWidths.size())
        return kDefaultColWidth;
    return FColWidths[size_t(ACol)];
}

void TZColorStringGrid::setColWidths(int ACol, int value) {
    if (ACol < 0 || size_t(ACol) >= FColWidths.size())
        return;
    FColWidths[size_t(ACol)] = std::max(0, value);
    if (ACol < FixedCols()) {
        updateGeometries();
        verticalHeader()->viewport()->update();
        FCorner->update();
    } else {
        horizontalHeader()->resizeSection(ACol - FixedCols(), FColWidths[size_t(ACol)] + vLine());
    }
}

int TZColorStringGrid::RowHeights(int ARow) const {
    if (ARow < 0 || size_t(ARow) >= FRowHeights.size())
        return kDefaultRowHeight;
    return FRowHeights[size_t(ARow)];
}

void TZColorStringGrid::setRowHeights(int ARow, int value) {
    if (ARow < 0 || size_t(ARow) >= FRowHeights.size())
        return;
    FRowHeights[size_t(ARow)] = std::max(0, value);
    if (ARow < FixedRows()) {
        updateGeometries();
        horizontalHeader()->viewport()->update();
        FCorner->update();
    } else {
        verticalHeader()->resizeSection(ARow - FixedRows(), FRowHeights[size_t(ARow)] + hLine());
    }
}

int TZColorStringGrid::vLine() const {
    return (FOptions & (goFixedVertLine | goVertLine)) ? FGridLineWidth : 0;
}

int TZColorStringGrid::hLine() const {
    return (FOptions & (goFixedHorzLine | goHorzLine)) ? FGridLineWidth : 0;
}

void TZColorStringGrid::applySizes() {
    QHeaderView* hh = horizontalHeader();
    QHeaderView* vh = verticalHeader();
    // The default first: setting it resizes every section.
    hh->setDefaultSectionSize(kDefaultColWidth + vLine());
    vh->setDefaultSectionSize(kDefaultRowHeight + hLine());
    for (int i = 0; i < FModel->columnCount(); ++i)
        hh->resizeSection(i, ColWidths(i + FixedCols()) + vLine());
    for (int i = 0; i < FModel->rowCount(); ++i)
        vh->resizeSection(i, RowHeights(i + FixedRows()) + hLine());
    updateGeometries();
    updateFixedCells();
    viewport()->update();
}

void TZColorStringGrid::updateFixedCells() {
    horizontalHeader()->viewport()->update();
    verticalHeader()->viewport()->update();
    FCorner->update();
}

int TZColorStringGrid::colLeft(int ACol) const {
    return ACol >= FixedCols() ? horizontalHeader()->sectionViewportPosition(ACol - FixedCols())
                               : 0;
}

int TZColorStringGrid::rowTop(int ARow) const {
    return ARow >= FixedRows() ? verticalHeader()->sectionViewportPosition(ARow - FixedRows()) : 0;
}

int TZColorStringGrid::colExtent(int ACol) const {
    if (ACol >= FixedCols())
        return horizontalHeader()->sectionSize(ACol - FixedCols());
    return ColWidths(ACol) + vLine();
}

int TZColorStringGrid::rowExtent(int ARow) const {
    if (ARow >= FixedRows())
        return verticalHeader()->sectionSize(ARow - FixedRows());
    return RowHeights(ARow) + hLine();
}

QRect TZColorStringGrid::cellsRect(int c1, int r1, int c2, int r2) const {
    const int x = colLeft(c1);
    const int y = rowTop(r1);
    return QRect(x, y, colLeft(c2) + colExtent(c2) - x, rowTop(r2) + rowExtent(r2) - y);
}

void TZColorStringGrid::updateGeometries() {
    QTableView::updateGeometries();
    const QHeaderView* hh = horizontalHeader();
    const QHeaderView* vh = verticalHeader();
    if (FCorner) {
        FCorner->setGeometry(vh->x(), hh->y(), vh->width(), hh->height());
        FCorner->raise();
    }
}

// ---- current cell ----

int TZColorStringGrid::Col() const {
    const QModelIndex i = currentIndex();
    return i.isValid() ? i.column() + FixedCols() : FixedCols();
}

int TZColorStringGrid::Row() const {
    const QModelIndex i = currentIndex();
    return i.isValid() ? i.row() + FixedRows() : FixedRows();
}

void TZColorStringGrid::setCol(int value) {
    const QModelIndex i = FModel->indexOf(value, Row());
    if (i.isValid())
        setCurrentIndex(i);
}

void TZColorStringGrid::setRow(int value) {
    const QModelIndex i = FModel->indexOf(Col(), value);
    if (i.isValid())
        setCurrentIndex(i);
}

void TZColorStringGrid::ensureCurrent() {
    if (!currentIndex().isValid() && FModel->rowCount() > 0 && FModel->columnCount() > 0)
        setCurrentIndex(FModel->index(0, 0));
}

// ---- texts and looks ----

QString TZColorStringGrid::Cells(int ACol, int ARow) const {
    return FModel->text(ACol, ARow);
}

void TZColorStringGrid::setCells(int ACol, int ARow, const QString& Value) {
    if (!FModel->setText(ACol, ARow, Value))
        return;
    if (FModel->isFixed(ACol, ARow))
        updateFixedCells();
    FitCell(ACol, ARow);
    emit OnSetEditText(ACol, ARow, Value);
}

const TCellStyle& TZColorStringGrid::CellStyle(int ACol, int ARow) const {
    const bool fixed = FModel->contains(ACol, ARow) && FModel->isFixed(ACol, ARow);
    return fixed ? FDefaultFixedCellParam : FDefaultCellParam;
}

void TZColorStringGrid::setDefaultCellStyle(const TCellStyle& value) {
    FDefaultCellParam = value;
    QPalette pal = viewport()->palette();
    pal.setColor(QPalette::Base, value.BGColor);
    viewport()->setPalette(pal);
    applySizes();
}

void TZColorStringGrid::setDefaultFixedCellStyle(const TCellStyle& value) {
    FDefaultFixedCellParam = value;
    applySizes();
}

// A text that needs more room than its cell widens the column or heightens
// the row (as far as sizing is on); a shorter text leaves them as they are.
void TZColorStringGrid::FitCell(int ACol, int ARow) {
    if (!FModel->contains(ACol, ARow) || (!FSizingWidth && !FSizingHeight))
        return;
    const int availWidth = ColWidths(ACol);
    const int availHeight = RowHeights(ARow);
    const TCellStyle& style = CellStyle(ACol, ARow);
    const QRect need = zcftext(nullptr, Cells(ACol, ARow), QRect(0, 0, availWidth, availHeight),
                               style, style.WordWrap, FSizingWidth, FSizingHeight);
    if (need.width() > availWidth)
        setColWidths(ACol, need.width());
    if (need.height() > availHeight)
        setRowHeights(ARow, need.height());
}

// ---- switches ----

TGridOptions TZColorStringGrid::Options() const {
    return FgoEditing ? (FOptions | goEditing) : FOptions;
}

void TZColorStringGrid::setOptions(TGridOptions value) {
    // The editing switch is the grid's own: the view never opens an editor
    // by itself.
    FgoEditing = value.testFlag(goEditing);
    FOptions = value & ~TGridOptions(goEditing);
    FModel->setEditable(FgoEditing);
    setTabKeyNavigation(value.testFlag(goTabs));
    setSelectionMode((FOptions & goRangeSelect) ? ContiguousSelection : SingleSelection);
    if (!FgoEditing)
        HideEditor();
    applySizes();
}

void TZColorStringGrid::setSelectedColors(const TSelectColor& value) {
    FSelectedColors = value;
    viewport()->update();
}

void TZColorStringGrid::setLineDesign(const TLineDesign& value) {
    FLineDesign = value;
    applySizes();
}

void TZColorStringGrid::setDontDraw(bool value) {
    FDontDraw = value;
    if (!value)
        applySizes();
}

// ---- editing ----

bool TZColorStringGrid::editorOpen() const {
    return state() == EditingState && FZInplaceEditor->isVisible();
}

bool TZColorStringGrid::EditorMode() const {
    return editorOpen() && FZInplaceEditor->hasFocus();
}

void TZColorStringGrid::ShowEditorFirst() {
    openEditor(nullptr, false);
}

void TZColorStringGrid::HideEditor() {
    if (editorOpen())
        closeEditor(FZInplaceEditor, QAbstractItemDelegate::NoHint);
}

void TZColorStringGrid::openEditor(const QString* replacement, bool selectAll) {
    const QModelIndex i = currentIndex();
    if (!FgoEditing || !i.isValid())
        return;
    HideEditor();
    if (!edit(i, AllEditTriggers, nullptr))
        return;
    if (replacement)
        FZInplaceEditor->setPlainText(*replacement);
    if (selectAll)
        FZInplaceEditor->selectAll();
    else
        FZInplaceEditor->moveCursor(QTextCursor::End);
}

// The editor opens only on normal cells, so it takes their look.
void TZColorStringGrid::applyEditorLook() {
    const TCellStyle& style = DefaultCellStyle();
    FZInplaceEditor->setFont(style.Font);
    QPalette pal = FZInplaceEditor->palette();
    pal.setColor(QPalette::Base, style.BGColor);
    pal.setColor(QPalette::Text, style.FontColor);
    FZInplaceEditor->setPalette(pal);
    FZInplaceEditor->setLineWrapMode(style.WordWrap ? QPlainTextEdit::WidgetWidth
                                                    : QPlainTextEdit::NoWrap);
}

void TZColorStringGrid::KeyPress(QChar& key, bool fromEditor) {
    if (Row() == RowCount() - 1) {
        FChciVen = false;
        if (key == QLatin1Char('\r')) {
            // Enter on the last row leaves the grid for the next field and
            // brings the grid back to its first row for the next visit.
            FChciVen = true;
            if (Row() > FixedRows())
                setRow(FixedRows());
            if (FKamDale)
                FKamDale->setFocus(Qt::TabFocusReason);
            key = QChar();
            return;
        }
    }
    emit OnKeyPress(key);
    if (key.isNull() || fromEditor || EditorMode() || !FgoEditing)
        return;
    if (key == QLatin1Char('\r')) {
        openEditor(nullptr, true);
    } else if (key.unicode() > 32) {
        // A letter typed on the cell starts its text anew.
        const QString start(key);
        key = QChar();
        openEditor(&start, false);
    }
}

void TZColorStringGrid::editorEnter() {
    QChar key = QLatin1Char('\r');
    KeyPress(key, true);
    if (FChciVen) {
        // The focus went on to the next field; it stays there.
        FChciVen = false;
        return;
    }
    HideEditor();
    setFocus(Qt::OtherFocusReason);
}

void TZColorStringGrid::leaveEditorWith(QKeyEvent* event) {
    HideEditor();
    setFocus(Qt::OtherFocusReason);
    keyPressEvent(event);
}

void TZColorStringGrid::noteFocus(QFocusEvent* event) {
    // A message box over the window, or a menu, does not take the focus out
    // of the grid.
    if (event->reason() == Qt::ActiveWindowFocusReason || event->reason() == Qt::PopupFocusReason)
        return;
    const QWidget* f = QApplication::focusWidget();
    const bool inside = f == this || f == FZInplaceEditor;
    if (inside == FInside)
        return;
    FInside = inside;
    if (inside)
        emit OnEnter();
    else
        emit OnExit();
}

// ---- events ----

void TZColorStringGrid::keyPressEvent(QKeyEvent* event) {
    if (TZInplaceEditor::isEnterKey(event)) {
        event->accept();
        QChar key = QLatin1Char('\r');
        KeyPress(key, false);
        return;
    }
    if (TZInplaceEditor::isTypedKey(event)) {
        event->accept();
        for (QChar c : event->text()) {
            QChar key = c;
            KeyPress(key, false);
        }
        return;
    }
    if (event->key() == Qt::Key_F2) {
        event->accept();
        openEditor(nullptr, false);
        return;
    }
    QTableView::keyPressEvent(event);
}

void TZColorStringGrid::focusInEvent(QFocusEvent* event) {
    QTableView::focusInEvent(event);
    noteFocus(event);
}

void TZColorStringGrid::focusOutEvent(QFocusEvent* event) {
    QTableView::focusOutEvent(event);
    noteFocus(event);
}

void TZColorStringGrid::mouseDoubleClickEvent(QMouseEvent* event) {
    event->accept();
    const QModelIndex i = indexAt(event->position().toPoint());
    if (!i.isValid() || i != currentIndex()) {
        HideEditor();
        return;
    }
    if (editorOpen())
        updateEditorGeometries();
    else
        ShowEditorFirst();
}

void TZColorStringGrid::paintEvent(QPaintEvent* event) {
    if (FDontDraw)
        return;
    QTableView::paintEvent(event);
}

// ---- painting ----

void TZColorStringGrid::paintFixedCells(QPainter* p, const QRect& clip, int c1, int c2, int r1,
                                        int r2) {
    for (int r = r1; r <= r2; ++r) {
        for (int c = c1; c <= c2; ++c) {
            const QRect cell = cellsRect(c, r, c, r);
            if (cell.intersects(clip))
                paintCell(p, c, r, cell, QStyle::State_None);
        }
    }
}

void TZColorStringGrid::paintCell(QPainter* p, int ACol, int ARow, const QRect& rect,
                                  QStyle::State state) {
    const TCellStyle& cellStyle = CellStyle(ACol, ARow);
    const bool fixed = FModel->isFixed(ACol, ARow);
    const QRect content(rect.x(), rect.y(), rect.width() - vLine(), rect.height() - hLine());
    const bool selected = !fixed && (state & QStyle::State_Selected);

    p->fillRect(content, selected ? FSelectedColors.BGColor : cellStyle.BGColor);
    const bool underEditor =
        !fixed && editorOpen() && FModel->indexOf(ACol, ARow) == currentIndex();
    if (!underEditor) {
        p->save();
        p->setPen(selected ? FSelectedColors.FontColor : cellStyle.FontColor);
        zcftext(p, Cells(ACol, ARow), content, cellStyle, cellStyle.WordWrap, false, false);
        p->restore();
    }

    const bool vertical = (FOptions & (fixed ? goFixedVertLine : goVertLine)) && vLine() > 0;
    const bool horizontal = (FOptions & (fixed ? goFixedHorzLine : goHorzLine)) && hLine() > 0;
    p->save();
    if (vertical)
        p->fillRect(QRect(rect.right() - vLine() + 1, rect.top(), vLine(), rect.height()),
                    FLineDesign.LineColor);
    if (horizontal)
        p->fillRect(QRect(rect.left(), rect.bottom() - hLine() + 1, rect.width(), hLine()),
                    FLineDesign.LineColor);
    if (cellStyle.BorderCellStyle == sgRaised && content.width() > 1 && content.height() > 1) {
        p->setPen(FLineDesign.LineUpColor);
        p->drawLine(content.topLeft(), content.topRight());
        p->drawLine(content.topLeft(), content.bottomLeft());
        p->setPen(FLineDesign.LineDownColor);
        p->drawLine(content.topRight(), content.bottomRight());
        p->drawLine(content.bottomLeft(), content.bottomRight());
    }
    if (!fixed && (state & QStyle::State_HasFocus) && hasFocus()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = content;
        focus.backgroundColor = selected ? FSelectedColors.BGColor : cellStyle.BGColor;
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, p, this);
    }
    p->restore();
}

} // namespace urn
