#pragma once

#include <QDialog>

namespace urn {

class TZ_OProgramu_F : public QDialog {
    Q_OBJECT
public:
    explicit TZ_OProgramu_F(QWidget* parent = nullptr);
};

} // namespace urn
