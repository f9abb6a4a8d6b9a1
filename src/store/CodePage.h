#pragma once

#include <QByteArray>
#include <QString>

namespace urn {

// All record files and the precinct data line use the single-byte Central
// European code page Windows-1250. The conversion is table driven so that it
// does not depend on which codecs the Qt build happens to carry.

// Character the code page uses for what it cannot hold.
inline constexpr char kCp1250Substitute = '?';

QString fromCp1250(const char* bytes, qsizetype length);
inline QString fromCp1250(const QByteArray& bytes) {
    return fromCp1250(bytes.constData(), bytes.size());
}
QByteArray toCp1250(const QString& text);

// True when every character of text has a place in the code page.
bool fitsCp1250(const QString& text);

} // namespace urn
