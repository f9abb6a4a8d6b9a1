#pragma once

#include <QDialog>

namespace urn {

class THlaskaF : public QDialog {
    Q_OBJECT
public:
    explicit THlaskaF(QWidget* parent = nullptr);
};

} // namespace urn
