#pragma once

#include <QDialog>

namespace urn {

class TZ_infoE_F : public QDialog {
    Q_OBJECT
public:
    explicit TZ_infoE_F(QWidget* parent = nullptr);
};

} // namespace urn
