#include "entry/DataEntryWindow.h"

namespace urn {

TR_Vstupni_Form::TR_Vstupni_Form(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Vstup dat za okrsek"));
}

} // namespace urn
