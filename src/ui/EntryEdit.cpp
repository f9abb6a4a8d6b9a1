#include "ui/EntryEdit.h"

#include "ui/Beep.h"

#include <QApplication>
#include <QDialog>
#include <QKeyEvent>
#include <QPainter>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QTimer>

namespace urn {

namespace {
constexpr char16_t kCeskaPismena[] = u"ŠŤŽšťžÁČÉĚÍĎŇÓŘŮÚÝáčéěíďňóřůúý";

bool isAsciiDigit(QChar c) {
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}
bool isAsciiLetter(QChar c) {
    return (c >= QLatin1Char('A') && c <= QLatin1Char('Z')) ||
           (c >= QLatin1Char('a') && c <= QLatin1Char('z'));
}

// Characters that the keyboard types into the text, as opposed to editing
// keys (Backspace, Delete, Ctrl+V) and shortcuts (Alt+letter).
bool isTypedText(const QKeyEvent* e) {
    if (e->text().isEmpty() ||
        (e->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)))
        return false;
    for (QChar c : e->text())
        if (c.unicode() < 32 || c.unicode() == 127)
            return false;
    return true;
}

bool isEnterKey(const QKeyEvent* e) {
    return e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter;
}

// A dialog's default button takes Enter before the focused field does, as
// the buttons marked default do on the platform the forms come from.
bool dialogTakesEnter(const QWidget* w) {
    const auto* dialog = qobject_cast<const QDialog*>(w->window());
    if (!dialog)
        return false;
    for (const QPushButton* b : dialog->findChildren<QPushButton*>())
        if (b->isDefault() && b->isVisible() && b->isEnabled())
            return true;
    return false;
}
} // namespace

bool acceptsCharacter(TValueType type, QChar c) {
    if (c.unicode() < 32)
        return true;
    switch (type) {
    case vtString:
    case vtCharNumber:
        return true;
    case vtNumber:
        return isAsciiDigit(c);
    case vtUserName:
        return isAsciiDigit(c) || isAsciiLetter(c);
    case vtUserName2018:
        return isAsciiDigit(c) || isAsciiLetter(c) || QStringView(kCeskaPismena).contains(c);
    }
    return false;
}

TSEdit::TSEdit(QWidget* parent) : QLineEdit(parent) {
    // The limit of the edit itself would also cut texts set by the program.
    QLineEdit::setMaxLength(32767);
    connect(this, &QLineEdit::textEdited, this, &TSEdit::cutToMaxLength);
    // A focus change that the field itself never hears of: the window took
    // the focus elsewhere while it was not active (the field only saw the
    // window lose the activation).
    connect(qApp, &QApplication::focusChanged, this,
            [this](QWidget*, QWidget* now) { leaveIfLeft(now); });
}

void TSEdit::SetAlignment(TAlignment value) {
    if (value == FAlignment)
        return;
    FAlignment = value;
    update();
}

bool TSEdit::roomFor(int count) const {
    if (FMaxLength <= 0)
        return true;
    return text().size() - selectedText().size() + count <= FMaxLength;
}

// Pasted or dropped text is not filtered, but it is held to the limit: the
// part of the inserted text that does not fit is dropped, as a limited edit
// does.
void TSEdit::cutToMaxLength() {
    const int over = int(text().size()) - FMaxLength;
    if (FMaxLength <= 0 || over <= 0)
        return;
    QString t = text();
    const int pos = cursorPosition();
    const int from = qMax(0, pos - over);
    t.remove(from, pos - from);
    t.truncate(FMaxLength);
    setText(t);
    setCursorPosition(qMin(from, int(t.size())));
}

void TSEdit::moveToNextControl(QKeyEvent* event) {
    if (dialogTakesEnter(this)) {
        event->ignore();
        return;
    }
    event->accept();
    // Posted, so that the key that asked for it is finished first.
    QCoreApplication::postEvent(this, new QKeyEvent(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier));
}

void TSEdit::keyPressEvent(QKeyEvent* event) {
    const bool enter = isEnterKey(event);
    if (!enter && !isTypedText(event)) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    const QString typed = enter ? QStringLiteral("\r") : event->text();
    QChar key = typed.at(0);
    if (typed.size() == 1) {
        emit OnKeyPress(key);
        if (key.isNull()) {
            event->accept();
            return;
        }
    }
    const QString chars = typed.size() == 1 ? QString(key) : typed;
    for (QChar c : chars) {
        if (!acceptsCharacter(FValueType, c)) {
            systemBeep();
            event->accept();
            return;
        }
    }
    if (key == QLatin1Char('\r')) {
        moveToNextControl(event);
        return;
    }
    if (key.unicode() < 32) {
        // The handler turned the character into a control key; the edit has
        // nothing to insert for it.
        event->accept();
        return;
    }
    event->accept();
    if (isReadOnly() || !roomFor(int(chars.size())))
        return;
    if (chars == event->text())
        QLineEdit::keyPressEvent(event);
    else
        insert(chars);
}

void TSEdit::inputMethodEvent(QInputMethodEvent* event) {
    // Composed characters (dead keys) arrive here rather than as key presses.
    const QString commit = event->commitString();
    bool refused = false;
    for (QChar c : commit)
        refused = refused || !acceptsCharacter(FValueType, c);
    if (refused)
        systemBeep();
    if (refused || isReadOnly() || !roomFor(int(commit.size()))) {
        QInputMethodEvent withoutCommit(event->preeditString(), event->attributes());
        QLineEdit::inputMethodEvent(&withoutCommit);
        return;
    }
    QLineEdit::inputMethodEvent(event);
}

void TSEdit::focusInEvent(QFocusEvent* event) {
    // Getting the window back after a message box is not entering the field.
    const bool reactivated = FFocused && (event->reason() == Qt::ActiveWindowFocusReason ||
                                          event->reason() == Qt::PopupFocusReason);
    if (!reactivated) {
        FFocused = true;
        if (FAlignment != taLeftJustify)
            update();
        if (FAutoSelect) {
            // Selected once the focus has settled, also when it came by a
            // mouse click that would otherwise place the caret.
            const int request = ++FSelectRequest;
            QTimer::singleShot(0, this, [this, request] {
                if (FFocused && request == FSelectRequest)
                    selectAll();
            });
        }
    }
    QLineEdit::focusInEvent(event);
    if (!reactivated)
        emit OnEnter();
}

void TSEdit::startTypingWith(QKeyEvent* event) {
    if (!hasFocus())
        setFocus(Qt::OtherFocusReason);
    // The selection that entering asked for would come after this key and
    // let the next key replace it.
    ++FSelectRequest;
    selectAll();
    keyPressEvent(event);
}

void TSEdit::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    // A message box or a menu over the window leaves the field entered.
    if (!FFocused || event->reason() == Qt::ActiveWindowFocusReason ||
        event->reason() == Qt::PopupFocusReason)
        return;
    leave();
}

void TSEdit::hideEvent(QHideEvent* event) {
    QLineEdit::hideEvent(event);
    // The window closing with the field entered ends the entry: a window
    // shown again starts afresh, and the field's exit must have run (a page
    // hidden by the tabs moves the focus on by itself, as the Tab key does).
    if (FFocused && !window()->isVisible())
        leave();
}

void TSEdit::leaveIfLeft(QWidget* now) {
    if (FFocused && now && now != this && now->window() == window() && !hasFocus())
        leave();
}

void TSEdit::leave() {
    if (!FFocused)
        return;
    if (text().isEmpty())
        setText(FDefaultValue);
    FFocused = false;
    if (FAlignment != taLeftJustify)
        update();
    setCursorPosition(0);
    deselect();
    emit OnExit();
}

void TSEdit::paintEvent(QPaintEvent* event) {
    if (FFocused || FAlignment == taLeftJustify) {
        QLineEdit::paintEvent(event);
        if (hasFocus() && !hasFrame())
            paintFocusFrame();
        return;
    }
    paintAligned();
}

// A field without a border (the sentences of sections I and III) shows the
// focus with the frame a bordered field shows while it has it: a caret in
// an empty field alone is easily missed.
void TSEdit::paintFocusFrame() {
    QPainter p(this);
    QStyleOptionFrame frame;
    initStyleOption(&frame);
    frame.lineWidth = style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &frame, this);
    frame.state |= QStyle::State_HasFocus;
    style()->drawPrimitive(QStyle::PE_FrameLineEdit, &frame, &p, this);
}

// The field's own look while it does not have the focus: the same panel as
// the edit paints, the text placed by the alignment, grey when disabled.
void TSEdit::paintAligned() {
    QPainter p(this);
    QStyleOptionFrame panel;
    initStyleOption(&panel);
    style()->drawPrimitive(QStyle::PE_PanelLineEdit, &panel, &p, this);

    QRect r = style()->subElementRect(QStyle::SE_LineEditContents, &panel, this);
    r = r.marginsRemoved(textMargins());
    p.setClipRect(r);
    p.setFont(font());
    p.setPen(isEnabled() ? palette().color(QPalette::Active, QPalette::Text)
                         : QColor(128, 128, 128));

    QString shown = text();
    if (echoMode() == QLineEdit::Password || echoMode() == QLineEdit::PasswordEchoOnEdit)
        shown.fill(QChar(style()->styleHint(QStyle::SH_LineEdit_PasswordCharacter, &panel, this)));
    else if (echoMode() == QLineEdit::NoEcho)
        shown.clear();

    const QFontMetrics fm(font());
    const int width = fm.horizontalAdvance(shown);
    const int m = hasFrame() ? FTextMargin : 0;
    const int right = r.x() + r.width();
    const int x = FAlignment == taRightJustify ? right - width - m : (r.x() + right - width) / 2;
    // Vertically where the edit puts its text, so focusing does not make the
    // text jump up or down.
    const int top = r.y() + (r.height() - fm.height() + 1) / 2;
    p.drawText(x, top + fm.ascent(), shown);
}

} // namespace urn
