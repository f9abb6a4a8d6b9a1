#include "core/Errors.h"

namespace urn {

UrnariumError::UrnariumError(QString message)
    : m_message(std::move(message)), m_utf8(m_message.toUtf8()) {}

} // namespace urn
