#include "Prevunt.h"

namespace urn {

TpreviewF::TpreviewF(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Preview"));
}

} // namespace urn
