#include "M_Hlaska.h"

namespace urn {

THlaskaF::THlaskaF(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Pořízení dat"));
}

} // namespace urn
