#pragma once

#include <QDialog>

namespace urn {

class TZ_ExportDat_F : public QDialog {
    Q_OBJECT
public:
    explicit TZ_ExportDat_F(QWidget* parent = nullptr);
};

} // namespace urn
