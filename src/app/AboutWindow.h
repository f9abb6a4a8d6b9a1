#pragma once

// TZ_OProgramu_F, the About window ("O programu").

#include <QDialog>

namespace urn {

// Names the program and its version.
class TZ_OProgramu_F : public QDialog {
    Q_OBJECT
public:
    explicit TZ_OProgramu_F(QWidget* parent = nullptr);

protected:
    void showEvent(QShowEvent* event) override;
};

} // namespace urn
