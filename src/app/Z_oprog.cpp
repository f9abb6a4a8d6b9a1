#include "Z_oprog.h"

namespace urn {

TZ_OProgramu_F::TZ_OProgramu_F(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("O programu"));
}

} // namespace urn
