#include "Z_pockop.h"

namespace urn {

TZ_PocetKopii_F::TZ_PocetKopii_F(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Tisk zápisu"));
}

} // namespace urn
