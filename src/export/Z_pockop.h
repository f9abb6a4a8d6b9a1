#pragma once

#include <QDialog>

namespace urn {

class TZ_PocetKopii_F : public QDialog {
    Q_OBJECT
public:
    explicit TZ_PocetKopii_F(QWidget* parent = nullptr);
};

} // namespace urn
