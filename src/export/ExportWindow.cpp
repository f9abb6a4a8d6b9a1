#include "export/ExportWindow.h"

namespace urn {

TZ_ExportDat_F::TZ_ExportDat_F(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Export dat"));
}

} // namespace urn
