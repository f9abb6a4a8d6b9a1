#include "ui/FixedLayout.h"

#include <QLabel>

namespace urn {

QLabel* addLabel(QWidget* parent, const QString& text, int x, int y, const QFont& font,
                 const QColor& colour) {
    auto* l = new QLabel(text, parent);
    l->setFont(font);
    setTextColour(l, colour);
    l->move(x, y);
    l->adjustSize();
    return l;
}

void setTextColour(QWidget* widget, const QColor& colour) {
    QPalette pal = widget->palette();
    pal.setColor(QPalette::WindowText, colour);
    widget->setPalette(pal);
}

} // namespace urn
