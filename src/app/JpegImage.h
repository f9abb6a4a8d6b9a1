#pragma once

#include <QByteArray>
#include <QImage>

namespace urn {

// Decodes a baseline or progressive JPEG with libjpeg. Returns a null image
// for data that libjpeg refuses (never aborts the program).
QImage decodeJpeg(const QByteArray& data);

} // namespace urn
