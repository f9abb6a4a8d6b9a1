#include "ReferenceImage.h"

#include <QDir>

#include <gtest/gtest.h>

namespace urn::test {

::testing::AssertionResult matchesReference(const QImage& page, const QString& name) {
    const QImage actual = page.convertToFormat(QImage::Format_Grayscale8);
    const QString refPath = QStringLiteral(URNARIUM_REFERENCE_DIR "/") + name;
    if (!qEnvironmentVariableIsEmpty("URNARIUM_UPDATE_REFERENCES")) {
        if (!actual.save(refPath))
            return ::testing::AssertionFailure() << "cannot write " << refPath.toStdString();
        return ::testing::AssertionSuccess();
    }
    const QImage ref = QImage(refPath).convertToFormat(QImage::Format_Grayscale8);
    auto fail = [&]() {
        actual.save(QDir::currentPath() + QStringLiteral("/actual-") + name);
        return ::testing::AssertionFailure();
    };
    if (ref.isNull())
        return fail() << "no reference image " << refPath.toStdString();
    if (ref.size() != actual.size())
        return fail() << name.toStdString() << ": size " << actual.width() << "x" << actual.height()
                      << ", reference " << ref.width() << "x" << ref.height();
    // A pixel differs when its grey level moves by more than a quarter of
    // the range; a few such pixels are anti-aliasing noise.
    qint64 differing = 0;
    for (int y = 0; y < ref.height(); ++y) {
        const uchar* a = actual.constScanLine(y);
        const uchar* r = ref.constScanLine(y);
        for (int x = 0; x < ref.width(); ++x)
            if (qAbs(int(a[x]) - int(r[x])) > 64)
                ++differing;
    }
    // A missing or changed character of the smallest text alone moves some
    // 40 pixels at this resolution.
    const qint64 allowed = 20;
    if (differing > allowed)
        return fail() << name.toStdString() << ": " << differing << " pixels differ (allowed "
                      << allowed << ")";
    return ::testing::AssertionSuccess();
}

} // namespace urn::test
