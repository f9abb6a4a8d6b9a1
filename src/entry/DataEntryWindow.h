#pragma once

#include <QDialog>

namespace urn {

class TR_Vstupni_Form : public QDialog {
    Q_OBJECT
public:
    explicit TR_Vstupni_Form(QWidget* parent = nullptr);
};

} // namespace urn
