#include "ui/Fonts.h"

#include <QStringList>

namespace urn {

QFont arialFont(int pixelSize, bool bold) {
    QFont f;
    f.setFamilies({QStringLiteral("Arial"), QStringLiteral("Liberation Sans")});
    f.setPixelSize(pixelSize);
    f.setBold(bold);
    return f;
}

} // namespace urn
