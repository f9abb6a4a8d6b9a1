#include "ui/Fonts.h"

#include <QStringList>

namespace urn {

namespace {
QFont pixelFont(const QStringList& families, int pixelSize, bool bold) {
    QFont f;
    f.setFamilies(families);
    f.setPixelSize(pixelSize);
    f.setBold(bold);
    return f;
}
} // namespace

QFont arialFont(int pixelSize, bool bold) {
    return pixelFont({QStringLiteral("Arial"), QStringLiteral("Liberation Sans")}, pixelSize, bold);
}

QFont tahomaFont(int pixelSize, bool bold) {
    return pixelFont({QStringLiteral("Tahoma"), QStringLiteral("Liberation Sans")}, pixelSize,
                     bold);
}

QFont courierFont(int pixelSize, bool bold) {
    QFont f;
    f.setFamilies({QStringLiteral("Courier New"), QStringLiteral("Liberation Mono")});
    f.setStyleHint(QFont::Monospace);
    f.setPixelSize(pixelSize);
    f.setBold(bold);
    return f;
}

} // namespace urn
