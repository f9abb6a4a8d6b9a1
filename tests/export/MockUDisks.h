#pragma once

// A private system bus for the whole test run and a mock UDisks2 service on
// it (python-dbusmock with the template udisks2_mock.py), so that the media
// code is tested against D-Bus without the machine's own system bus.

#include <QJsonObject>
#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

namespace urn::test {

// Starts dbus-daemon with a configuration of its own and points
// DBUS_SYSTEM_BUS_ADDRESS at it before anything in the process connects to
// a system bus.
class PrivateSystemBus : public ::testing::Environment {
public:
    void SetUp() override;
    void TearDown() override;

    // Empty when the bus runs; otherwise why it does not.
    static QString failure();
};

class MockUDisks2 {
public:
    // The parameters of the template ("drives", "blocks"); "calls" is added.
    explicit MockUDisks2(QJsonObject parameters);
    ~MockUDisks2();
    MockUDisks2(const MockUDisks2&) = delete;
    MockUDisks2& operator=(const MockUDisks2&) = delete;

    // Empty when the service is on the bus; otherwise why it is not.
    QString failure() const { return m_failure; }
    // "<object path> <method>" of every Mount, Unmount, Eject and PowerOff,
    // in the order the service got them.
    QStringList calls() const;

private:
    QTemporaryDir m_dir;
    QProcess m_process;
    QString m_failure;
};

} // namespace urn::test
