#pragma once

#include <QLineEdit>

namespace urn {

// Which characters the keyboard may type into a field.
enum TValueType { vtString, vtUserName, vtNumber, vtUserName2018, vtCharNumber };

// How the text is shown while the field does not have the focus.
enum TAlignment { taLeftJustify, taRightJustify, taCenter };

enum TBorderStyle { bsNone, bsSingle };

// Whether a typed character belongs to the value type. Control characters
// (below 32) always do: Backspace and the editing keys must keep working.
bool acceptsCharacter(TValueType type, QChar c);

// The edit control of every entry field: a single-line edit that refuses
// characters that do not belong to its value type (with a beep), moves to the
// next field on Enter, fills an empty field with its default value when the
// field is left, and shows its text right-aligned or centred while it does
// not have the focus (numbers line up as on the paper form; while typing the
// text is left-aligned as in any edit).
class TSEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit TSEdit(QWidget* parent = nullptr);

    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment value);

    TValueType ValueType() const { return FValueType; }
    void setValueType(TValueType value) { FValueType = value; }

    QString DefaultValue() const { return FDefaultValue; }
    void setDefaultValue(const QString& value) { FDefaultValue = value; }

    bool AutoSelect() const { return FAutoSelect; }
    void setAutoSelect(bool value) { FAutoSelect = value; }

    TBorderStyle BorderStyle() const { return hasFrame() ? bsSingle : bsNone; }
    void setBorderStyle(TBorderStyle value) { setFrame(value == bsSingle); }

    // Limits typing and pasting only: a text the program sets may be longer
    // (QLineEdit's own limit would cut it, so the edit's limit stays open).
    int MaxLength() const { return FMaxLength; }
    void setMaxLength(int value) { FMaxLength = value; }

    // True between entering and leaving the field. A window that loses the
    // activation (a message box over it) does not make the field lose it;
    // closing the window, or the focus going to another control of the
    // window, does.
    bool Focused() const { return FFocused; }
    int TextMargin() const { return FTextMargin; }

    // A key typed on another control that belongs to this field: the field
    // is entered and the key replaces its text, as the first key typed into
    // a freshly entered field does. Later keys add to it.
    void startTypingWith(QKeyEvent* event);

signals:
    // A typed character, before the value-type filter. The handler may
    // replace it or swallow it by setting it to QChar(0).
    void OnKeyPress(QChar& key);
    // The field was entered / left; OnExit sees the default value in a field
    // that was left empty.
    void OnEnter();
    void OnExit();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    // Leaving the field: default value, not focused any more, OnExit.
    void leave();
    // Another control of the window has the focus, or the window is gone,
    // while the field still counts itself as entered.
    void leaveIfLeft(QWidget* now);
    void moveToNextControl(QKeyEvent* event);
    bool roomFor(int count) const;
    void cutToMaxLength();
    void paintAligned();
    void paintFocusFrame();

    TAlignment FAlignment = taLeftJustify;
    bool FFocused = false;
    const int FTextMargin = 2;
    TValueType FValueType = vtString;
    QString FDefaultValue;
    bool FAutoSelect = true;
    // Counts the selections that entering asks for; a request that is no
    // longer the latest is dropped.
    int FSelectRequest = 0;
    int FMaxLength = 0; // 0: no limit
};

} // namespace urn
