#include "ui/ProgramStyle.h"

#include <QStyleOption>

namespace urn {

namespace {
// Draws with a copy of the option that says the focus came from the
// keyboard, when the option is of type O.
template <class O, class Draw> bool drawAsTyped(const QStyleOption* option, const Draw& draw) {
    const auto* typed = qstyleoption_cast<const O*>(option);
    if (!typed || typed->type != O::Type)
        return false;
    O shown(*typed);
    shown.state |= QStyle::State_KeyboardFocusChange;
    draw(&shown);
    return true;
}

// The option types of the controls that draw a focus: each is copied whole,
// so nothing of what it carries is lost on the way.
template <class Draw> void drawWithFocusShown(const QStyleOption* option, const Draw& draw) {
    if (!option || !(option->state & QStyle::State_HasFocus) ||
        (option->state & QStyle::State_KeyboardFocusChange)) {
        draw(option);
        return;
    }
    const bool drawn = drawAsTyped<QStyleOptionFocusRect>(option, draw) ||
                       drawAsTyped<QStyleOptionButton>(option, draw) ||
                       drawAsTyped<QStyleOptionComboBox>(option, draw) ||
                       drawAsTyped<QStyleOptionTab>(option, draw) ||
                       drawAsTyped<QStyleOptionToolButton>(option, draw) ||
                       drawAsTyped<QStyleOptionSpinBox>(option, draw) ||
                       drawAsTyped<QStyleOptionSlider>(option, draw) ||
                       drawAsTyped<QStyleOptionViewItem>(option, draw) ||
                       drawAsTyped<QStyleOptionFrame>(option, draw) ||
                       drawAsTyped<QStyleOptionHeader>(option, draw);
    if (drawn)
        return;
    if (option->type == QStyleOption::SO_Default) {
        QStyleOption shown(*option);
        shown.state |= QStyle::State_KeyboardFocusChange;
        draw(&shown);
        return;
    }
    draw(option);
}
} // namespace

ProgramStyle::ProgramStyle() = default;

void ProgramStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option,
                                 QPainter* painter, const QWidget* widget) const {
    drawWithFocusShown(option, [&](const QStyleOption* o) {
        QProxyStyle::drawPrimitive(element, o, painter, widget);
    });
}

void ProgramStyle::drawControl(ControlElement element, const QStyleOption* option,
                               QPainter* painter, const QWidget* widget) const {
    // The menu the keyboard has reached on the bar (Alt, F10, the arrows)
    // stands out as an open one does; the platform's style would show it
    // only once it opens.
    if (element == CE_MenuBarItem && widget && widget->hasFocus() && option &&
        (option->state & State_Selected) && !(option->state & State_Sunken)) {
        if (const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option)) {
            QStyleOptionMenuItem reached(*item);
            reached.state |= State_Sunken;
            QProxyStyle::drawControl(element, &reached, painter, widget);
            return;
        }
    }
    drawWithFocusShown(option, [&](const QStyleOption* o) {
        QProxyStyle::drawControl(element, o, painter, widget);
    });
}

void ProgramStyle::drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                                      QPainter* painter, const QWidget* widget) const {
    drawWithFocusShown(option, [&](const QStyleOption* o) {
        QProxyStyle::drawComplexControl(control, static_cast<const QStyleOptionComplex*>(o),
                                        painter, widget);
    });
}

int ProgramStyle::styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                            QStyleHintReturn* returnData) const {
    if (hint == SH_MenuBar_AltKeyNavigation)
        return 1;
    return QProxyStyle::styleHint(hint, option, widget, returnData);
}

} // namespace urn
