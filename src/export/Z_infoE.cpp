#include "Z_infoE.h"

namespace urn {

TZ_infoE_F::TZ_infoE_F(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Export dat a tisk zápisu"));
}

} // namespace urn
