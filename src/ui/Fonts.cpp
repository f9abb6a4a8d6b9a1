#include "ui/Fonts.h"

#include <QFontDatabase>
#include <QStringList>

namespace urn {

QStringList installedFamilies(const QStringList& families) {
    // The real families only: asking the font database whether it "has" a
    // family also answers yes for fontconfig's aliases.
    static const QStringList installed = QFontDatabase::families();
    for (qsizetype i = 0; i < families.size(); ++i)
        if (installed.contains(families.at(i), Qt::CaseInsensitive))
            return families.mid(i);
    return families;
}

namespace {
QFont pixelFont(const QStringList& families, int pixelSize, bool bold) {
    QFont f;
    f.setFamilies(installedFamilies(families));
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
    f.setFamilies(
        installedFamilies({QStringLiteral("Courier New"), QStringLiteral("Liberation Mono")}));
    f.setStyleHint(QFont::Monospace);
    f.setPixelSize(pixelSize);
    f.setBold(bold);
    return f;
}

} // namespace urn
