#include "ui/ColourStringGrid.h"

#include <QApplication>
#include <QFocusEvent>
#include <QFontMetrics>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMimeData>
#include <QPainter>
#include <QScrollBar>
#include <QStyleOptionFocusRect>
#include <QTextBlock>
#include <QTimer>
#include <QtMath>

#include <algorithm>
#include <cmath>

namespace urn {

// ---------------------------------------------------------------------------
// Text layout

namespace {

bool isBlank(QChar c) {
    return c == QLatin1Char(' ') || c == QLatin1Char('\t');
}

// Breaks a line that is wider than `avail` at the last run of blanks (seen
// from its end) after which the part before the blanks fits; the rest,
// trimmed, is the next line and is broken the same way. A line that has no
// such run stays whole: the column grows for it when sizing is on.
void wrapLine(QString line, const QFontMetrics& fm, int avail, QStringList& out) {
    for (;;) {
        if (fm.horizontalAdvance(line) <= avail) {
            out << line;
            return;
        }
        bool broken = false;
        for (qsizetype i = line.size() - 1; i > 0 && !broken; --i) {
            if (!isBlank(line.at(i)))
                continue;
            const qsizetype runEnd = i + 1;
            while (i > 0 && isBlank(line.at(i - 1)))
                --i;
            const qsizetype runStart = i;
            if (runStart > 0 && fm.horizontalAdvance(line.left(runStart)) <= avail) {
                out << line.left(runStart);
                line = line.mid(runEnd).trimmed();
                broken = true;
            }
        }
        if (!broken) {
            out << line;
            return;
        }
        if (line.isEmpty())
            return;
    }
}

int lineLeft(TAlignment a, int left, int width, int lineWidth, int indent) {
    switch (a) {
    case taCenter:
        return left + (width - lineWidth) / 2;
    case taRightJustify:
        return left + width - indent - lineWidth;
    case taLeftJustify:
        break;
    }
    return left + indent;
}

} // namespace

QRect zcftext(QPainter* canvas, const QString& text, const QRect& rect, const TCellStyle& style,
              bool wordWrap, bool sizingWidth, bool sizingHeight) {
    const QFontMetrics fm(style.Font);
    const bool centred = style.HorizontalAlignment == taCenter;
    const int indentH = style.IndentH * (centred ? 2 : 1);
    const int indentV = style.IndentV * (style.VerticalAlignment == vaCenter ? 2 : 1);
    const int angle = ((style.Rotate % 360) + 360) % 360;

    QString plain = text;
    plain.remove(QLatin1Char('\r'));
    QStringList lines;
    for (QString line : plain.split(QLatin1Char('\n'))) {
        if (line.isEmpty())
            line = QStringLiteral(" ");
        if (wordWrap)
            wrapLine(line, fm, rect.width() - indentH, lines);
        else
            lines << line;
    }
    const int lineHeight = fm.height();
    int width = 0;
    for (const QString& line : lines)
        width = std::max(width, fm.horizontalAdvance(line));
    const int height = lineHeight * int(lines.size());
    int boxWidth = width;
    int boxHeight = height;
    if (angle != 0) {
        const double rad = qDegreesToRadians(double(angle));
        // Rounded up, but not for the dust that sin and cos leave at right
        // angles.
        auto up = [](double v) { return qCeil(v - 1e-6); };
        boxWidth = up(std::abs(width * std::cos(rad)) + std::abs(height * std::sin(rad)));
        boxHeight = up(std::abs(width * std::sin(rad)) + std::abs(height * std::cos(rad)));
    }

    QRect result = rect;
    if (sizingWidth && boxWidth + indentH > rect.width())
        result.setWidth(boxWidth + indentH);
    if (sizingHeight && boxHeight + indentV > rect.height())
        result.setHeight(boxHeight + indentV);
    if (!canvas)
        return result;

    int top = rect.top() + style.IndentV;
    if (style.VerticalAlignment == vaCenter)
        top = rect.top() + (rect.height() - boxHeight) / 2;
    else if (style.VerticalAlignment == vaBottom)
        top = rect.top() + rect.height() - style.IndentV - boxHeight;

    canvas->save();
    canvas->setClipRect(rect, Qt::IntersectClip);
    canvas->setFont(style.Font);
    if (angle == 0) {
        for (int i = 0; i < lines.size(); ++i) {
            const int x = lineLeft(style.HorizontalAlignment, rect.left(), rect.width(),
                                   fm.horizontalAdvance(lines.at(i)), style.IndentH);
            canvas->drawText(x, top + i * lineHeight + fm.ascent(), lines.at(i));
        }
    } else {
        const int left =
            lineLeft(style.HorizontalAlignment, rect.left(), rect.width(), boxWidth, style.IndentH);
        canvas->translate(left + boxWidth / 2.0, top + boxHeight / 2.0);
        canvas->rotate(-angle);
        for (int i = 0; i < lines.size(); ++i) {
            const int x =
                lineLeft(style.HorizontalAlignment, 0, width, fm.horizontalAdvance(lines.at(i)), 0);
            canvas->drawText(QPointF(x - width / 2.0, i * lineHeight + fm.ascent() - height / 2.0),
                             lines.at(i));
        }
    }
    canvas->restore();
    return result;
}

// ---------------------------------------------------------------------------
// Merged areas

namespace {
QRect zeroRect() {
    return QRect(QPoint(0, 0), QPoint(0, 0));
}
} // namespace

int TMergeCells::AddRect(const QRect& Rct) {
    const QRect r(QPoint(std::min(Rct.left(), Rct.right()), std::min(Rct.top(), Rct.bottom())),
                  QPoint(std::max(Rct.left(), Rct.right()), std::max(Rct.top(), Rct.bottom())));
    if (r.left() < 0 || r.top() < 0 || r.right() >= FGrid->ColCount() ||
        r.bottom() >= FGrid->RowCount())
        return 1;
    if (r.left() == r.right() && r.top() == r.bottom())
        return 3;
    const int fc = FGrid->FixedCols();
    const int fr = FGrid->FixedRows();
    if ((r.left() < fc) != (r.right() < fc) || (r.top() < fr) != (r.bottom() < fr))
        return 4;
    // Two areas may not share a single cell: a crossing counts as much as a
    // shared corner.
    for (const QRect& a : FMergeArea)
        if (a.intersects(r))
            return 2;
    FMergeArea.push_back(r);
    FGrid->applySpan(r, true);
    return 0;
}

int TMergeCells::AddRectXY(int x1, int y1, int x2, int y2) {
    return AddRect(QRect(QPoint(x1, y1), QPoint(x2, y2)));
}

bool TMergeCells::DeleteItem(int Num) {
    if (Num < 0 || Num >= Count())
        return false;
    const QRect area = FMergeArea.at(size_t(Num));
    FMergeArea.erase(FMergeArea.begin() + Num);
    FGrid->applySpan(area, false);
    return true;
}

void TMergeCells::Clear() {
    for (const QRect& a : FMergeArea)
        FGrid->applySpan(a, false);
    FMergeArea.clear();
}

QRect TMergeCells::Get_Item(int Num) const {
    if (Num < 0 || Num >= Count())
        return zeroRect();
    return FMergeArea.at(size_t(Num));
}

int TMergeCells::InLeftTopCorner(int ACol, int ARow) const {
    for (int i = 0; i < Count(); ++i)
        if (FMergeArea.at(size_t(i)).topLeft() == QPoint(ACol, ARow))
            return i;
    return -1;
}

int TMergeCells::InMergeRange(int ACol, int ARow) const {
    for (int i = 0; i < Count(); ++i)
        if (FMergeArea.at(size_t(i)).contains(QPoint(ACol, ARow)))
            return i;
    return -1;
}

int TMergeCells::GetWidthArea(int Num) const {
    if (Num < 0 || Num >= Count())
        return -1;
    const QRect& a = FMergeArea.at(size_t(Num));
    int w = (a.right() - a.left()) * FGrid->vLine();
    for (int c = a.left(); c <= a.right(); ++c)
        w += FGrid->ColWidths(c);
    return w;
}

int TMergeCells::GetHeightArea(int Num) const {
    if (Num < 0 || Num >= Count())
        return -1;
    const QRect& a = FMergeArea.at(size_t(Num));
    int h = (a.bottom() - a.top()) * FGrid->hLine();
    for (int r = a.top(); r <= a.bottom(); ++r)
        h += FGrid->RowHeights(r);
    return h;
}

QRect TMergeCells::GetSelectedArea(bool SetSelected) {
    QRect sel(QPoint(FGrid->Col(), FGrid->Row()), QPoint(FGrid->Col(), FGrid->Row()));
    const QItemSelection ranges = FGrid->selectionModel()->selection();
    const int fc = FGrid->FixedCols();
    const int fr = FGrid->FixedRows();
    for (const QItemSelectionRange& range : ranges)
        sel |= QRect(QPoint(range.left() + fc, range.top() + fr),
                     QPoint(range.right() + fc, range.bottom() + fr));
    if (FGrid->Options() & goRowSelect) {
        sel.setLeft(fc);
        sel.setRight(FGrid->ColCount() - 1);
    }
    for (bool grown = true; grown;) {
        grown = false;
        for (const QRect& a : FMergeArea) {
            if (a.intersects(sel) && !sel.contains(a)) {
                sel |= a;
                grown = true;
            }
        }
    }
    if (SetSelected && sel.left() >= fc && sel.top() >= fr) {
        const ZColorGridModel* m = FGrid->gridModel();
        FGrid->selectionModel()->select(QItemSelection(m->indexOf(sel.left(), sel.top()),
                                                       m->indexOf(sel.right(), sel.bottom())),
                                        QItemSelectionModel::ClearAndSelect);
    }
    return sel;
}

std::pair<int, int> TMergeCells::GetMergeYY(int ARow) const {
    std::pair<int, int> band{ARow, ARow};
    for (bool grown = true; grown;) {
        grown = false;
        for (const QRect& a : FMergeArea) {
            if (a.top() <= band.second && a.bottom() >= band.first &&
                (a.top() < band.first || a.bottom() > band.second)) {
                band = {std::min(band.first, a.top()), std::max(band.second, a.bottom())};
                grown = true;
            }
        }
    }
    return band;
}

void TMergeCells::dropAreasOutsideGrid() {
    const int fc = FGrid->FixedCols();
    const int fr = FGrid->FixedRows();
    std::erase_if(FMergeArea, [&](const QRect& a) {
        return a.right() >= FGrid->ColCount() || a.bottom() >= FGrid->RowCount() ||
               (a.left() < fc) != (a.right() < fc) || (a.top() < fr) != (a.bottom() < fr);
    });
    FGrid->clearSpans();
    for (const QRect& a : FMergeArea)
        FGrid->applySpan(a, true);
}

// ---------------------------------------------------------------------------
// Model

ZColorGridModel::ZColorGridModel(QObject* parent) : QAbstractTableModel(parent) {}

bool ZColorGridModel::contains(int ACol, int ARow) const {
    return ACol >= 0 && ARow >= 0 && ACol < FColCount && ARow < FRowCount;
}

void ZColorGridModel::setSize(int cols, int rows) {
    cols = std::max(cols, FFixedCols + 1);
    rows = std::max(rows, FFixedRows + 1);
    auto resizeColumns = [&] {
        FCells.resize(size_t(cols), std::vector<QString>(size_t(FRowCount)));
        FCellStyle.resize(size_t(cols), std::vector<std::optional<TCellStyle>>(size_t(FRowCount)));
        FColCount = cols;
    };
    if (cols > FColCount) {
        beginInsertColumns({}, FColCount - FFixedCols, cols - FFixedCols - 1);
        resizeColumns();
        endInsertColumns();
    } else if (cols < FColCount) {
        beginRemoveColumns({}, cols - FFixedCols, FColCount - FFixedCols - 1);
        resizeColumns();
        endRemoveColumns();
    }
    auto resizeRows = [&] {
        for (auto& column : FCells)
            column.resize(size_t(rows));
        for (auto& column : FCellStyle)
            column.resize(size_t(rows));
        FRowCount = rows;
    };
    if (rows > FRowCount) {
        beginInsertRows({}, FRowCount - FFixedRows, rows - FFixedRows - 1);
        resizeRows();
        endInsertRows();
    } else if (rows < FRowCount) {
        beginRemoveRows({}, rows - FFixedRows, FRowCount - FFixedRows - 1);
        resizeRows();
        endRemoveRows();
    }
}

void ZColorGridModel::setFixed(int cols, int rows) {
    // At least one row and one column stay normal cells.
    cols = std::clamp(cols, 0, std::max(0, FColCount - 1));
    rows = std::clamp(rows, 0, std::max(0, FRowCount - 1));
    if (cols == FFixedCols && rows == FFixedRows)
        return;
    beginResetModel();
    FFixedCols = cols;
    FFixedRows = rows;
    endResetModel();
}

QString ZColorGridModel::text(int ACol, int ARow) const {
    if (!contains(ACol, ARow))
        return {};
    return FCells[size_t(ACol)][size_t(ARow)];
}

bool ZColorGridModel::setText(int ACol, int ARow, const QString& value) {
    // A cell that does not exist keeps nothing: a text written there would
    // come back when the grid grows again.
    if (!contains(ACol, ARow) || FCells[size_t(ACol)][size_t(ARow)] == value)
        return false;
    FCells[size_t(ACol)][size_t(ARow)] = value;
    changed(ACol, ARow);
    return true;
}

TCellStyle ZColorGridModel::style(int ACol, int ARow) const {
    if (!contains(ACol, ARow))
        return FDefaultCellParam;
    const std::optional<TCellStyle>& own = FCellStyle[size_t(ACol)][size_t(ARow)];
    if (own)
        return *own;
    return isFixed(ACol, ARow) ? FDefaultFixedCellParam : FDefaultCellParam;
}

void ZColorGridModel::setStyle(int ACol, int ARow, const TCellStyle& value) {
    if (!contains(ACol, ARow))
        return;
    FCellStyle[size_t(ACol)][size_t(ARow)] = value;
    changed(ACol, ARow);
}

void ZColorGridModel::setDefaults(const TCellStyle& normal, const TCellStyle& fixed) {
    FDefaultCellParam = normal;
    FDefaultFixedCellParam = fixed;
    if (rowCount() > 0 && columnCount() > 0)
        emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
}

void ZColorGridModel::moveRow(int from, int to) {
    if (from < 0 || to < 0 || from >= FRowCount || to >= FRowCount || from == to)
        return;
    auto move = [&](auto& column) {
        if (from < to)
            std::rotate(column.begin() + from, column.begin() + from + 1, column.begin() + to + 1);
        else
            std::rotate(column.begin() + to, column.begin() + from, column.begin() + from + 1);
    };
    for (auto& column : FCells)
        move(column);
    for (auto& column : FCellStyle)
        move(column);
    if (rowCount() > 0 && columnCount() > 0)
        emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
}

void ZColorGridModel::moveColumn(int from, int to) {
    if (from < 0 || to < 0 || from >= FColCount || to >= FColCount || from == to)
        return;
    auto move = [&](auto& columns) {
        if (from < to)
            std::rotate(columns.begin() + from, columns.begin() + from + 1,
                        columns.begin() + to + 1);
        else
            std::rotate(columns.begin() + to, columns.begin() + from, columns.begin() + from + 1);
    };
    move(FCells);
    move(FCellStyle);
    if (rowCount() > 0 && columnCount() > 0)
        emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
}

void ZColorGridModel::setEditable(bool editable) {
    FEditable = editable;
}

QModelIndex ZColorGridModel::indexOf(int ACol, int ARow) const {
    if (!contains(ACol, ARow) || isFixed(ACol, ARow))
        return {};
    return index(ARow - FFixedRows, ACol - FFixedCols);
}

int ZColorGridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : std::max(0, FRowCount - FFixedRows);
}

int ZColorGridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : std::max(0, FColCount - FFixedCols);
}

QVariant ZColorGridModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid())
        return {};
    const int c = index.column() + FFixedCols;
    const int r = index.row() + FFixedRows;
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return text(c, r);
    case Qt::FontRole:
        return style(c, r).Font;
    case Qt::ForegroundRole:
        return style(c, r).FontColor;
    case Qt::BackgroundRole:
        return style(c, r).BGColor;
    case Qt::TextAlignmentRole: {
        const TAlignment a = style(c, r).HorizontalAlignment;
        return int(a == taCenter ? Qt::AlignHCenter
                                 : (a == taRightJustify ? Qt::AlignRight : Qt::AlignLeft)) |
               Qt::AlignVCenter;
    }
    default:
        return {};
    }
}

bool ZColorGridModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid() || role != Qt::EditRole)
        return false;
    setText(index.column() + FFixedCols, index.row() + FFixedRows, value.toString());
    return true;
}

Qt::ItemFlags ZColorGridModel::flags(const QModelIndex& index) const {
    if (!index.isValid())
        return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsSelectable | Qt::ItemIsEnabled;
    if (FEditable)
        f |= Qt::ItemIsEditable;
    return f;
}

void ZColorGridModel::changed(int ACol, int ARow) {
    if (!isFixed(ACol, ARow)) {
        const QModelIndex i = indexOf(ACol, ARow);
        emit dataChanged(i, i);
    }
    emit textChanged(ACol, ARow);
}

// ---------------------------------------------------------------------------
// Headers and corner: the fixed cells

ZFixedCellsHeader::ZFixedCellsHeader(Qt::Orientation orientation, TZColorStringGrid* grid)
    : QHeaderView(orientation, grid), FGrid(grid) {
    setSectionResizeMode(QHeaderView::Fixed);
    setSectionsClickable(false);
    setHighlightSections(false);
    setMinimumSectionSize(0);
    setStretchLastSection(false);
    setFocusPolicy(Qt::NoFocus);
    setMinimumSize(0, 0);
}

QSize ZFixedCellsHeader::sizeHint() const {
    int fixed = 0;
    if (orientation() == Qt::Horizontal) {
        for (int r = 0; r < FGrid->FixedRows(); ++r)
            fixed += FGrid->rowExtent(r);
        return QSize(0, fixed);
    }
    // The view asks only for the header's depth; its length is the view's.
    for (int c = 0; c < FGrid->FixedCols(); ++c)
        fixed += FGrid->colExtent(c);
    return QSize(fixed, 0);
}

void ZFixedCellsHeader::paintEvent(QPaintEvent* event) {
    if (FGrid->DontDraw())
        return;
    QPainter p(viewport());
    p.fillRect(event->rect(), FGrid->Color());
    if (orientation() == Qt::Horizontal)
        FGrid->paintFixedCells(&p, event->rect(), FGrid->FixedCols(), FGrid->ColCount() - 1, 0,
                               FGrid->FixedRows() - 1);
    else
        FGrid->paintFixedCells(&p, event->rect(), 0, FGrid->FixedCols() - 1, FGrid->FixedRows(),
                               FGrid->RowCount() - 1);
}

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
        p.fillRect(event->rect(), FGrid->Color());
        FGrid->paintFixedCells(&p, event->rect(), 0, FGrid->FixedCols() - 1, 0,
                               FGrid->FixedRows() - 1);
    }

private:
    TZColorStringGrid* FGrid;
};

// ---------------------------------------------------------------------------
// Delegate

void ZColorGridDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                               const QModelIndex& index) const {
    const ZColorGridModel* m = FGrid->gridModel();
    FGrid->paintCell(painter, index.column() + m->fixedCols(), index.row() + m->fixedRows(),
                     option.rect, option.state);
}

QWidget* ZColorGridDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&,
                                          const QModelIndex& index) const {
    // One editor serves the grid for its whole life; it is shown and hidden
    // rather than made anew for every cell.
    TZInplaceEditor* editor = FGrid->FZInplaceEditor;
    if (editor->parentWidget() != parent)
        editor->setParent(parent);
    FGrid->applyEditorLook(index);
    return editor;
}

void ZColorGridDelegate::destroyEditor(QWidget* editor, const QModelIndex&) const {
    editor->hide();
}

void ZColorGridDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const {
    auto* memo = static_cast<QPlainTextEdit*>(editor);
    const QString text = index.data(Qt::EditRole).toString();
    // The editor writes every change into its cell; the view hands the same
    // text back, which must not move the caret.
    if (memo->toPlainText() == text)
        return;
    memo->setPlainText(text);
    memo->moveCursor(QTextCursor::End);
}

void ZColorGridDelegate::setModelData(QWidget* editor, QAbstractItemModel*,
                                      const QModelIndex& index) const {
    const ZColorGridModel* m = FGrid->gridModel();
    FGrid->setCells(index.column() + m->fixedCols(), index.row() + m->fixedRows(),
                    static_cast<QPlainTextEdit*>(editor)->toPlainText());
}

void ZColorGridDelegate::updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                                              const QModelIndex& index) const {
    // The editor covers the cell inside its grid lines (cut at the visible
    // grid) and insets its text as the cell does, so the text does not move
    // when editing starts and the lines stay in sight.
    const QRect cell = option.rect;
    const QRect inner(cell.x(), cell.y(), cell.width() - FGrid->vLine(),
                      cell.height() - FGrid->hLine());
    editor->setGeometry(inner & FGrid->viewport()->rect());
    const ZColorGridModel* m = FGrid->gridModel();
    const TCellStyle style =
        FGrid->CellStyle(index.column() + m->fixedCols(), index.row() + m->fixedRows());
    FGrid->FZInplaceEditor->placeText(style, FGrid->wordWrapOf(style), inner.size());
}

bool ZColorGridDelegate::eventFilter(QObject* object, QEvent* event) {
    // The editor decides about its keys itself (Enter, Tab and Esc have their
    // own meaning here); losing the focus is handled as for any editor.
    if (event->type() == QEvent::KeyPress || event->type() == QEvent::ShortcutOverride)
        return false;
    return QStyledItemDelegate::eventFilter(object, event);
}

// ---------------------------------------------------------------------------
// Editor

namespace {
bool isEnterKey(const QKeyEvent* e) {
    return e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter;
}

// Characters the keyboard types, Backspace among them, as opposed to
// shortcuts and the other editing keys.
bool isTypedKey(const QKeyEvent* e) {
    if (e->text().isEmpty() ||
        (e->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)))
        return false;
    for (QChar c : e->text())
        if ((c.unicode() < 32 && c != QLatin1Char('\b')) || c.unicode() == 127)
            return false;
    return true;
}
} // namespace

TZInplaceEditor::TZInplaceEditor(TZColorStringGrid* grid, QWidget* parent)
    : QPlainTextEdit(parent), FGrid(grid) {
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setTabChangesFocus(false);
    setFocusPolicy(Qt::ClickFocus);
    setBackgroundRole(QPalette::Base);
    setAutoFillBackground(true);
    document()->setDocumentMargin(0);
    hide();
    connect(this, &QPlainTextEdit::textChanged, this, [this] {
        if (FGrid->editorOpen()) {
            const QModelIndex i = FGrid->currentIndex();
            const ZColorGridModel* m = FGrid->gridModel();
            FGrid->setCells(i.column() + m->fixedCols(), i.row() + m->fixedRows(), toPlainText());
        }
    });
}

void TZInplaceEditor::placeText(const TCellStyle& style, bool wordWrap, const QSize& cell) {
    const TAlignment a = style.HorizontalAlignment;
    const int left = a == taRightJustify ? 0 : style.IndentH;
    const int right = a == taLeftJustify ? 0 : style.IndentH;
    const int block =
        zcftext(nullptr, toPlainText(), QRect(0, 0, cell.width(), 0), style, wordWrap, false, true)
            .height();
    int top = style.IndentV;
    if (style.VerticalAlignment == vaCenter)
        top = (cell.height() - block) / 2 + style.IndentV;
    else if (style.VerticalAlignment == vaBottom)
        top = cell.height() - block;
    setViewportMargins(left, std::max(0, top), right, 0);
}

bool TZInplaceEditor::event(QEvent* event) {
    // Esc, Tab and Enter belong to the editor even where the window has a
    // shortcut on them.
    if (event->type() == QEvent::ShortcutOverride) {
        auto* k = static_cast<QKeyEvent*>(event);
        if (k->key() == Qt::Key_Escape || k->key() == Qt::Key_Tab || k->key() == Qt::Key_Backtab ||
            isEnterKey(k)) {
            event->accept();
            return true;
        }
    }
    return QPlainTextEdit::event(event);
}

bool TZInplaceEditor::leavesText(const QKeyEvent* e) const {
    QTextCursor c = textCursor();
    switch (e->key()) {
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
        return true;
    case Qt::Key_Left:
        return c.position() == 0;
    case Qt::Key_Right:
        return c.atEnd();
    case Qt::Key_Up:
        return !c.movePosition(QTextCursor::Up);
    case Qt::Key_Down:
        return !c.movePosition(QTextCursor::Down);
    default:
        return false;
    }
}

QString TZInplaceEditor::passThroughGrid(const QString& typed) {
    QString accepted;
    for (QChar c : typed) {
        FGrid->KeyPress(c, true);
        if (!c.isNull())
            accepted += c;
    }
    return accepted;
}

void TZInplaceEditor::keyPressEvent(QKeyEvent* event) {
    if (isEnterKey(event)) {
        event->accept();
        FGrid->editorEnter();
        return;
    }
    if (event->key() == Qt::Key_Tab || event->key() == Qt::Key_Backtab ||
        event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    if (leavesText(event)) {
        event->accept();
        FGrid->leaveEditorWith(event);
        return;
    }
    if (!isTypedKey(event)) {
        QPlainTextEdit::keyPressEvent(event);
        return;
    }
    // Typing goes through the grid's key rules first, so the owner's rules
    // (a refused character, a full cell) hold inside the editor too.
    const QString accepted = passThroughGrid(event->text());
    event->accept();
    if (accepted == event->text())
        QPlainTextEdit::keyPressEvent(event);
    else if (accepted == QStringLiteral("\b"))
        textCursor().deletePreviousChar();
    else if (!accepted.isEmpty())
        insertPlainText(accepted);
}

void TZInplaceEditor::inputMethodEvent(QInputMethodEvent* event) {
    const QString commit = event->commitString();
    if (commit.isEmpty()) {
        QPlainTextEdit::inputMethodEvent(event);
        return;
    }
    const QString accepted = passThroughGrid(commit);
    if (accepted == commit) {
        QPlainTextEdit::inputMethodEvent(event);
        return;
    }
    QInputMethodEvent changed(event->preeditString(), event->attributes());
    changed.setCommitString(accepted, event->replacementStart(), event->replacementLength());
    QPlainTextEdit::inputMethodEvent(&changed);
}

void TZInplaceEditor::insertFromMimeData(const QMimeData* source) {
    if (!source || !source->hasText())
        return;
    QString text = source->text();
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    // Character by character, so that the owner's rules see the text grow
    // (a name that reaches its limit stops taking more).
    for (QChar c : text) {
        FGrid->KeyPress(c, true);
        if (!c.isNull() && c != QLatin1Char('\b'))
            insertPlainText(QString(c));
    }
}

void TZInplaceEditor::focusInEvent(QFocusEvent* event) {
    QPlainTextEdit::focusInEvent(event);
    FGrid->noteFocus(event);
}

void TZInplaceEditor::focusOutEvent(QFocusEvent* event) {
    QPlainTextEdit::focusOutEvent(event);
    FGrid->noteFocus(event);
}

void TZInplaceEditor::wheelEvent(QWheelEvent* event) {
    // The wheel scrolls the grid, not the few lines of the memo.
    FGrid->HideEditor();
    QCoreApplication::sendEvent(FGrid->viewport(), event);
    FGrid->setFocus(Qt::OtherFocusReason);
}

void TZInplaceEditor::mouseDoubleClickEvent(QMouseEvent* event) {
    event->accept();
    FGrid->updateEditorGeometries();
}

// ---------------------------------------------------------------------------
// Grid

TZColorStringGrid::TZColorStringGrid(QWidget* parent)
    : QTableView(parent), FModel(new ZColorGridModel(this)), FMergeCells(this) {
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
    TCellStyle fixed = normal;
    fixed.BGColor = pal.color(QPalette::Button);
    FModel->setDefaults(normal, fixed);
    FSelectedColors.BGColor = pal.color(QPalette::Highlight);

    connect(FModel, &ZColorGridModel::textChanged, this, [this](int ACol, int ARow) {
        if (FModel->isFixed(ACol, ARow)) {
            horizontalHeader()->viewport()->update();
            verticalHeader()->viewport()->update();
            FCorner->update();
        }
    });

    setColCount(5);
    setRowCount(5);
    setFixedCols(1);
    setFixedRows(1);
    setOptions(goFixedVertLine | goFixedHorzLine | goVertLine | goHorzLine | goRangeSelect);
    setDefaultCellStyle(normal);
}

TZColorStringGrid::~TZColorStringGrid() = default;

// ---- size ----

void TZColorStringGrid::setColCount(int value) {
    if (value < 1)
        return;
    FModel->setSize(value, RowCount());
    FColWidths.resize(size_t(ColCount()), FDefaultColWidth);
    FMergeCells.dropAreasOutsideGrid();
    applySizes();
    ensureCurrent();
}

void TZColorStringGrid::setRowCount(int value) {
    if (value < 1)
        return;
    FModel->setSize(ColCount(), value);
    FRowHeights.resize(size_t(RowCount()), FDefaultRowHeight);
    FMergeCells.dropAreasOutsideGrid();
    applySizes();
    ensureCurrent();
}

void TZColorStringGrid::setFixedCols(int value) {
    if (value < 0 || value >= ColCount())
        return;
    FModel->setFixed(value, FixedRows());
    verticalHeader()->setVisible(value > 0);
    FMergeCells.dropAreasOutsideGrid();
    applySizes();
    ensureCurrent();
}

void TZColorStringGrid::setFixedRows(int value) {
    if (value < 0 || value >= RowCount())
        return;
    FModel->setFixed(FixedCols(), value);
    horizontalHeader()->setVisible(value > 0);
    FMergeCells.dropAreasOutsideGrid();
    applySizes();
    ensureCurrent();
}

int TZColorStringGrid::ColWidths(int ACol) const {
    if (ACol < 0 || size_t(ACol) >= FColWidths.size())
        return FDefaultColWidth;
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
        return FDefaultRowHeight;
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
    hh->setDefaultSectionSize(FDefaultColWidth + vLine());
    vh->setDefaultSectionSize(FDefaultRowHeight + hLine());
    for (int i = 0; i < FModel->columnCount(); ++i)
        hh->resizeSection(i, ColWidths(i + FixedCols()) + vLine());
    for (int i = 0; i < FModel->rowCount(); ++i)
        vh->resizeSection(i, RowHeights(i + FixedRows()) + hLine());
    updateGeometries();
    hh->viewport()->update();
    vh->viewport()->update();
    FCorner->update();
    viewport()->update();
}

int TZColorStringGrid::colLeft(int ACol) const {
    if (ACol >= FixedCols())
        return horizontalHeader()->sectionViewportPosition(ACol - FixedCols());
    int x = 0;
    for (int c = 0; c < ACol; ++c)
        x += colExtent(c);
    return x;
}

int TZColorStringGrid::rowTop(int ARow) const {
    if (ARow >= FixedRows())
        return verticalHeader()->sectionViewportPosition(ARow - FixedRows());
    int y = 0;
    for (int r = 0; r < ARow; ++r)
        y += rowExtent(r);
    return y;
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
        FCorner->setGeometry(vh->x(), hh->y(), vh->isHidden() ? 0 : vh->width(),
                             hh->isHidden() ? 0 : hh->height());
        FCorner->setVisible(!vh->isHidden() && !hh->isHidden());
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

// ---- texts and styles ----

void TZColorStringGrid::setCells(int ACol, int ARow, const QString& Value) {
    if (!FModel->setText(ACol, ARow, Value))
        return;
    FitCell(ACol, ARow);
    emit OnSetEditText(ACol, ARow, Value);
}

TCellStyle TZColorStringGrid::CellStyle(int ACol, int ARow) const {
    return FModel->style(ACol, ARow);
}

void TZColorStringGrid::setCellStyle(int ACol, int ARow, const TCellStyle& value) {
    if (!FModel->contains(ACol, ARow))
        return;
    FModel->setStyle(ACol, ARow, value);
    FitCell(ACol, ARow);
}

void TZColorStringGrid::setCellStyleRow(int ARow, bool fixedCol, const TCellStyle& value) {
    if (ARow < 0 || ARow >= RowCount())
        return;
    for (int c = fixedCol ? 0 : FixedCols(); c < ColCount(); ++c)
        setCellStyle(c, ARow, value);
}

void TZColorStringGrid::setCellStyleCol(int ACol, bool fixedRow, const TCellStyle& value) {
    if (ACol < 0 || ACol >= ColCount())
        return;
    for (int r = fixedRow ? 0 : FixedRows(); r < RowCount(); ++r)
        setCellStyle(ACol, r, value);
}

void TZColorStringGrid::setDefaultCellStyle(const TCellStyle& value) {
    FModel->setDefaults(value, DefaultFixedCellStyle());
    QPalette pal = viewport()->palette();
    pal.setColor(QPalette::Base, value.BGColor);
    viewport()->setPalette(pal);
    applySizes();
}

void TZColorStringGrid::setDefaultFixedCellStyle(const TCellStyle& value) {
    FModel->setDefaults(DefaultCellStyle(), value);
    applySizes();
}

void TZColorStringGrid::setFixedColor(const QColor& value) {
    TCellStyle fixed = DefaultFixedCellStyle();
    fixed.BGColor = value;
    setDefaultFixedCellStyle(fixed);
}

bool TZColorStringGrid::wordWrapOf(const TCellStyle& style) const {
    return FUseCellWordWrap ? style.WordWrap : FWordWrap;
}

void TZColorStringGrid::FitCell(int ACol, int ARow) {
    if (!FModel->contains(ACol, ARow))
        return;
    int c = ACol;
    int r = ARow;
    int availWidth = ColWidths(c);
    int availHeight = RowHeights(r);
    const int area = FMergeCells.InMergeRange(ACol, ARow);
    if (area >= 0) {
        const QRect a = FMergeCells.Get_Item(area);
        c = a.left();
        r = a.top();
        availWidth = FMergeCells.GetWidthArea(area);
        availHeight = FMergeCells.GetHeightArea(area);
    }
    const TCellStyle style = CellStyle(c, r);
    const bool sizingWidth = FUseCellSizingWidth ? style.SizingWidth : FSizingWidth;
    const bool sizingHeight = FUseCellSizingHeight ? style.SizingHeight : FSizingHeight;
    if (!sizingWidth && !sizingHeight)
        return;
    const QRect need = zcftext(nullptr, Cells(c, r), QRect(0, 0, availWidth, availHeight), style,
                               wordWrapOf(style), sizingWidth, sizingHeight);
    // Cells only ever grow: a shorter text leaves the column as it is.
    if (need.width() > availWidth)
        setColWidths(c, ColWidths(c) + need.width() - availWidth);
    if (need.height() > availHeight)
        setRowHeights(r, RowHeights(r) + need.height() - availHeight);
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
    selectionFollowsOptions();
    if (!FgoEditing)
        HideEditor();
    applySizes();
}

void TZColorStringGrid::selectionFollowsOptions() {
    setSelectionBehavior((FOptions & goRowSelect) ? SelectRows : SelectItems);
    setSelectionMode((FOptions & goRangeSelect) ? ContiguousSelection : SingleSelection);
}

void TZColorStringGrid::setWordWrap(bool value) {
    FWordWrap = value;
    viewport()->update();
}

void TZColorStringGrid::setUseCellWordWrap(bool value) {
    FUseCellWordWrap = value;
    viewport()->update();
}

void TZColorStringGrid::setSelectedColors(const TSelectColor& value) {
    FSelectedColors = value;
    viewport()->update();
}

void TZColorStringGrid::setLineDesign(const TLineDesign& value) {
    FLineDesign = value;
    applySizes();
}

void TZColorStringGrid::setInplaceEditorOptions(const TInplaceEditorOptions& value) {
    FInplaceEditorOptions = value;
    if (editorOpen() && !value.UseCellStyle)
        applyEditorLook(currentIndex());
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

void TZColorStringGrid::setEditorMode(bool value) {
    if (value) {
        ShowEditorFirst();
        return;
    }
    HideEditor();
    setFocus(Qt::OtherFocusReason);
}

void TZColorStringGrid::ShowEditorFirst() {
    openEditor(nullptr, false);
}

void TZColorStringGrid::HideEditor() {
    if (editorOpen())
        closeEditor(FZInplaceEditor, QAbstractItemDelegate::NoHint);
}

void TZColorStringGrid::openEditor(const QString* replacement, bool selectAll) {
    if (!FgoEditing || (FOptions & goRowSelect))
        return;
    QModelIndex i = currentIndex();
    if (!i.isValid())
        return;
    const int area = FMergeCells.InMergeRange(Col(), Row());
    if (area >= 0) {
        const QRect a = FMergeCells.Get_Item(area);
        i = FModel->indexOf(a.left(), a.top());
        if (i != currentIndex())
            setCurrentIndex(i);
    }
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

void TZColorStringGrid::applyEditorLook(const QModelIndex& index) {
    const TCellStyle style = CellStyle(index.column() + FixedCols(), index.row() + FixedRows());
    const TInplaceEditorOptions& o = FInplaceEditorOptions;
    QColor text = o.FontColor;
    QColor back = o.BGColor;
    TAlignment alignment = o.Alignment;
    bool wrap = o.WordWrap;
    if (o.UseCellStyle) {
        text = style.FontColor;
        back = style.BGColor;
        alignment = style.HorizontalAlignment;
        wrap = wordWrapOf(style);
    }
    FZInplaceEditor->setFont(style.Font);
    QPalette pal = FZInplaceEditor->palette();
    pal.setColor(QPalette::Base, back);
    pal.setColor(QPalette::Text, text);
    FZInplaceEditor->setPalette(pal);
    FZInplaceEditor->setFrameShape(o.BorderStyle == bsSingle ? QFrame::Box : QFrame::NoFrame);
    FZInplaceEditor->setLineWrapMode(wrap ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
    QTextOption option = FZInplaceEditor->document()->defaultTextOption();
    option.setAlignment(alignment == taCenter
                            ? Qt::AlignHCenter
                            : (alignment == taRightJustify ? Qt::AlignRight : Qt::AlignLeft));
    FZInplaceEditor->document()->setDefaultTextOption(option);
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
    if (key.isNull() || fromEditor || EditorMode() || !FgoEditing || (FOptions & goRowSelect))
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
    if (FOptions & goAlwaysShowEditor)
        return;
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
    if (isEnterKey(event)) {
        event->accept();
        QChar key = QLatin1Char('\r');
        KeyPress(key, false);
        return;
    }
    if (isTypedKey(event)) {
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
    const bool arrow = event->key() == Qt::Key_Left || event->key() == Qt::Key_Right ||
                       event->key() == Qt::Key_Up || event->key() == Qt::Key_Down;
    if (arrow && (event->modifiers() & Qt::ShiftModifier))
        FMergeCells.GetSelectedArea(true);
}

void TZColorStringGrid::focusInEvent(QFocusEvent* event) {
    QTableView::focusInEvent(event);
    noteFocus(event);
}

void TZColorStringGrid::focusOutEvent(QFocusEvent* event) {
    QTableView::focusOutEvent(event);
    noteFocus(event);
}

void TZColorStringGrid::mousePressEvent(QMouseEvent* event) {
    QTableView::mousePressEvent(event);
    if (event->modifiers() & Qt::ShiftModifier)
        FMergeCells.GetSelectedArea(true);
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

void TZColorStringGrid::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
    QTableView::currentChanged(current, previous);
    if ((FOptions & goAlwaysShowEditor) && FInside && current.isValid())
        QTimer::singleShot(0, this, [this] {
            if (!editorOpen())
                ShowEditorFirst();
        });
}

// ---- rows and columns ----

void TZColorStringGrid::DeleteRow(int ARow) {
    if (ARow < 0 || ARow >= RowCount())
        return;
    MoveRow(ARow, RowCount() - 1);
    setRowCount(RowCount() - 1);
}

void TZColorStringGrid::DeleteColumn(int ACol) {
    if (ACol < 0 || ACol >= ColCount())
        return;
    MoveColumn(ACol, ColCount() - 1);
    setColCount(ColCount() - 1);
}

void TZColorStringGrid::MoveRow(int FromIndex, int ToIndex) {
    if (FromIndex < 0 || ToIndex < 0 || FromIndex >= RowCount() || ToIndex >= RowCount() ||
        FromIndex == ToIndex)
        return;
    HideEditor();
    FModel->moveRow(FromIndex, ToIndex);
    auto h = FRowHeights.begin();
    if (FromIndex < ToIndex)
        std::rotate(h + FromIndex, h + FromIndex + 1, h + ToIndex + 1);
    else
        std::rotate(h + ToIndex, h + FromIndex, h + FromIndex + 1);
    applySizes();
}

void TZColorStringGrid::MoveColumn(int FromIndex, int ToIndex) {
    if (FromIndex < 0 || ToIndex < 0 || FromIndex >= ColCount() || ToIndex >= ColCount() ||
        FromIndex == ToIndex)
        return;
    HideEditor();
    FModel->moveColumn(FromIndex, ToIndex);
    auto w = FColWidths.begin();
    if (FromIndex < ToIndex)
        std::rotate(w + FromIndex, w + FromIndex + 1, w + ToIndex + 1);
    else
        std::rotate(w + ToIndex, w + FromIndex, w + FromIndex + 1);
    applySizes();
}

// ---- painting ----

void TZColorStringGrid::applySpan(const QRect& area, bool merged) {
    if (area.left() < FixedCols() || area.top() < FixedRows()) {
        // Merged fixed cells are painted by the headers.
        horizontalHeader()->viewport()->update();
        verticalHeader()->viewport()->update();
        FCorner->update();
        return;
    }
    setSpan(area.top() - FixedRows(), area.left() - FixedCols(), merged ? area.height() : 1,
            merged ? area.width() : 1);
}

void TZColorStringGrid::paintFixedCells(QPainter* p, const QRect& clip, int c1, int c2, int r1,
                                        int r2) {
    for (int r = r1; r <= r2; ++r) {
        for (int c = c1; c <= c2; ++c) {
            const QRect cell = cellsRect(c, r, c, r);
            if (!cell.intersects(clip))
                continue;
            const int area = FMergeCells.InMergeRange(c, r);
            if (area < 0) {
                paintCell(p, c, r, cell, QStyle::State_None);
                continue;
            }
            // The area is drawn whole, and each of its cells shows its part.
            const QRect a = FMergeCells.Get_Item(area);
            p->save();
            p->setClipRect(cell);
            paintCell(p, a.left(), a.top(), cellsRect(a.left(), a.top(), a.right(), a.bottom()),
                      QStyle::State_None);
            p->restore();
        }
    }
}

void TZColorStringGrid::paintCell(QPainter* p, int ACol, int ARow, const QRect& rect,
                                  QStyle::State state) {
    const TCellStyle cellStyle = CellStyle(ACol, ARow);
    const bool fixed = FModel->isFixed(ACol, ARow);
    const bool merged = FMergeCells.InLeftTopCorner(ACol, ARow) >= 0;
    const QRect content(rect.x(), rect.y(), rect.width() - vLine(), rect.height() - hLine());
    const bool selected = !fixed && (state & QStyle::State_Selected) &&
                          FSelectedColors.ColoredSelect && !(FOptions & goAlwaysShowEditor);

    p->fillRect(content, selected ? FSelectedColors.BGColor : cellStyle.BGColor);
    p->save();
    p->setPen(selected ? FSelectedColors.FontColor : cellStyle.FontColor);
    p->setBrush(Qt::NoBrush);
    p->save();
    if (merged)
        emit OnBeforeTextDrawMergeCell(ACol, ARow, content, state, p);
    else
        emit OnBeforeTextDrawCell(ACol, ARow, content, state, p);
    p->restore();
    const bool underEditor =
        !fixed && editorOpen() && FModel->indexOf(ACol, ARow) == currentIndex();
    if (!underEditor)
        zcftext(p, Cells(ACol, ARow), content, cellStyle, wordWrapOf(cellStyle), false, false);
    p->restore();
    if (merged)
        emit OnDrawMergeCell(ACol, ARow, content, state, p);

    const bool vertical = (FOptions & (fixed ? goFixedVertLine : goVertLine)) && vLine() > 0;
    const bool horizontal = (FOptions & (fixed ? goFixedHorzLine : goHorzLine)) && hLine() > 0;
    p->save();
    if (vertical)
        p->fillRect(QRect(rect.right() - vLine() + 1, rect.top(), vLine(), rect.height()),
                    FLineDesign.LineColor);
    if (horizontal)
        p->fillRect(QRect(rect.left(), rect.bottom() - hLine() + 1, rect.width(), hLine()),
                    FLineDesign.LineColor);
    if (cellStyle.BorderCellStyle != sgNone && content.width() > 1 && content.height() > 1) {
        const bool raised = cellStyle.BorderCellStyle == sgRaised;
        p->setPen(raised ? FLineDesign.LineUpColor : FLineDesign.LineDownColor);
        p->drawLine(content.topLeft(), content.topRight());
        p->drawLine(content.topLeft(), content.bottomLeft());
        p->setPen(raised ? FLineDesign.LineDownColor : FLineDesign.LineUpColor);
        p->drawLine(content.topRight(), content.bottomRight());
        p->drawLine(content.bottomLeft(), content.bottomRight());
    }
    if (!fixed && (state & QStyle::State_HasFocus) && hasFocus() && FSelectedColors.UseFocusRect) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = content;
        focus.backgroundColor = selected ? FSelectedColors.BGColor : cellStyle.BGColor;
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, p, this);
    }
    p->restore();
}

} // namespace urn
