#pragma once

#include <QDialog>

namespace urn {

class TZ_Info_F : public QDialog {
    Q_OBJECT
public:
    explicit TZ_Info_F(QWidget* parent = nullptr);
};

} // namespace urn
