#pragma once

#include <QString>

#include <exception>

namespace urn {

// Every failure the program reports to the user derives from this type and
// carries a finished Czech text: the general error handler shows message() as
// it stands, so the text must make sense without any further context.
class UrnariumError : public std::exception {
public:
    explicit UrnariumError(QString message);
    const QString& message() const { return m_message; }
    const char* what() const noexcept override { return m_utf8.constData(); }

private:
    QString m_message;
    QByteArray m_utf8;
};

// A file that is missing, cannot be opened, read or written, or is damaged.
class InOutError : public UrnariumError {
public:
    using UrnariumError::UrnariumError;
};

// A text that should hold a number and does not.
class ConvertError : public UrnariumError {
public:
    using UrnariumError::UrnariumError;
};

} // namespace urn
