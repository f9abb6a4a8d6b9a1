#pragma once

#include <QDialog>

namespace urn {

class TpreviewF : public QDialog {
    Q_OBJECT
public:
    explicit TpreviewF(QWidget* parent = nullptr);
};

} // namespace urn
