#include "entry/RecoveryWriter.h"

#include "core/ErrorHandler.h"
#include "core/Errors.h"
#include "store/RecoveryCopy.h"

#include <algorithm>

namespace urn {

std::optional<qint64> WriteThrottle::change(qint64 now) {
    if (m_pending)
        return std::nullopt;
    m_pending = true;
    return m_lastWrite ? std::max(now, *m_lastWrite + m_interval) : now;
}

void WriteThrottle::written(qint64 now) {
    m_lastWrite = now;
    m_pending = false;
}

RecoveryWriter::RecoveryWriter(std::function<QByteArray()> state,
                               std::function<void(const QString&)> report, QObject* parent)
    : QObject(parent), m_state(std::move(state)), m_report(std::move(report)) {
    m_timer.setSingleShot(true);
    // A coarse timer may fire early, and the copy must not be written more
    // often than once an interval.
    m_timer.setTimerType(Qt::PreciseTimer);
    connect(&m_timer, &QTimer::timeout, this, [this] { runReportingErrors([this] { write(); }); });
    m_clock.start();
}

void RecoveryWriter::start(const QByteArray& saved, const QByteArray& copy) {
    m_saved = saved;
    m_written = copy;
    m_kept = true;
    m_reported = false;
}

void RecoveryWriter::changed() {
    if (!m_kept)
        return;
    const std::optional<qint64> due = m_throttle.change(m_clock.elapsed());
    if (due)
        m_timer.start(int(std::max<qint64>(0, *due - m_clock.elapsed())));
}

void RecoveryWriter::saved() {
    m_timer.stop();
    m_throttle.cancel();
    m_saved = m_state();
    remove();
}

void RecoveryWriter::stop() {
    m_kept = false;
    m_timer.stop();
    m_throttle.cancel();
}

void RecoveryWriter::discard() {
    stop();
    remove();
}

void RecoveryWriter::write() {
    m_throttle.written(m_clock.elapsed());
    if (!m_kept)
        return;
    const QByteArray state = m_state();
    if (state == m_written)
        return;
    // Changed back to what is saved: nothing to recover.
    if (state == m_saved) {
        remove();
        return;
    }
    try {
        writeRecoveryCopy(state);
        m_written = state;
    } catch (const UrnariumError& e) {
        failed(QString::fromUtf8(kNelzeZapsat).arg(e.message()));
    }
}

void RecoveryWriter::remove() {
    try {
        removeRecoveryCopy();
        m_written.clear();
    } catch (const UrnariumError& e) {
        failed(e.message());
    }
}

void RecoveryWriter::failed(const QString& text) {
    // Said once: the commission cannot mend a full or read-only disk while
    // typing, and a message after every value would stop the typing.
    if (m_reported || !m_report)
        return;
    m_reported = true;
    m_report(text);
}

} // namespace urn
