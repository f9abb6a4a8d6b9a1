#pragma once

#include <QProxyStyle>

namespace urn {

// The look of every window of the program: the platform's own style, with
// two things the commission relies on at the keyboard.
// - The keyboard focus is always drawn. The platform's style draws it on
//   buttons, check boxes, radio buttons, lists and tabs only once the Tab
//   key has been used in a window, but these windows move the focus
//   themselves (Enter, page changes, the next party), and a focus that
//   cannot be seen sends the next keys to the wrong place.
// - Alt pressed and released on its own highlights the first menu of the
//   menu bar, visibly, from which the arrows, Enter and the items'
//   underlined letters go on (see MenuBarKeyboard.h for F10).
// Application installs it; every window gets it.
class ProgramStyle : public QProxyStyle {
public:
    ProgramStyle();

    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget = nullptr) const override;
    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget = nullptr) const override;
    void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                            QPainter* painter, const QWidget* widget = nullptr) const override;
    int styleHint(StyleHint hint, const QStyleOption* option = nullptr,
                  const QWidget* widget = nullptr,
                  QStyleHintReturn* returnData = nullptr) const override;
};

} // namespace urn
