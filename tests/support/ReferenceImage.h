#pragma once

#include <QImage>
#include <QString>

#include <gtest/gtest.h>

namespace urn::test {

// Compares a rendered page with the committed reference image `name` (a PNG
// in the test's reference directory, URNARIUM_REFERENCE_DIR). Small
// differences of anti-aliasing pass; a text or line out of place does not.
// With URNARIUM_UPDATE_REFERENCES set the reference is written instead. A
// failing page is saved beside the test as actual-<name> for a look.
::testing::AssertionResult matchesReference(const QImage& page, const QString& name);

} // namespace urn::test
