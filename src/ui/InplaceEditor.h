#pragma once

// TZInplaceEditor, the in-place editor of the colour string grid: a memo
// over the grid's current cell. Every change is in the cell at once; Enter
// finishes, Esc and Tab do nothing, arrows that run out of the text move to
// the next cell. Typed and pasted characters go through the grid's key rules
// (and so through its owner's) before they reach the text.

#include "ui/CellTextLayout.h"

#include <QPlainTextEdit>

class QKeyEvent;

namespace urn {

class TZColorStringGrid;

class TZInplaceEditor : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit TZInplaceEditor(TZColorStringGrid* grid, QWidget* parent);

    // Insets the text inside the editor as the cell draws it, so that it does
    // not move when editing starts.
    void placeText(const TCellStyle& style, const QSize& cell);

    static bool isEnterKey(const QKeyEvent* e);
    // Characters the keyboard types, Backspace among them, as opposed to
    // shortcuts and the other editing keys.
    static bool isTypedKey(const QKeyEvent* e);

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

} // namespace urn
