#include "ui/InplaceEditor.h"

#include "ui/ColourStringGrid.h"

#include <QCoreApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMimeData>

#include <algorithm>

namespace urn {

bool TZInplaceEditor::isEnterKey(const QKeyEvent* e) {
    return e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter;
}

bool TZInplaceEditor::isTypedKey(const QKeyEvent* e) {
    if (e->text().isEmpty() ||
        (e->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)))
        return false;
    for (QChar c : e->text())
        if ((c.unicode() < 32 && c != QLatin1Char('\b')) || c.unicode() == 127)
            return false;
    return true;
}

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
        if (FGrid->editorOpen())
            FGrid->setCells(FGrid->Col(), FGrid->Row(), toPlainText());
    });
}

void TZInplaceEditor::placeText(const TCellStyle& style, const QSize& cell) {
    const int block = zcftext(nullptr, toPlainText(), QRect(0, 0, cell.width(), 0), style,
                              style.WordWrap, false, true)
                          .height();
    setViewportMargins(kIndentH, std::max(0, (cell.height() - block) / 2), 0, 0);
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

} // namespace urn
