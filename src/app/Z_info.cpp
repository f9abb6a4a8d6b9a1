#include "Z_info.h"

namespace urn {

TZ_Info_F::TZ_Info_F(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Informace"));
}

} // namespace urn
