#pragma once

// Keeps the recovery copy of the data-entry window (store/RecoveryCopy.h) up
// to date while the commission types: every stored value asks for a write,
// and the copy is written at most once a second, always with the latest
// state, so that the last value typed reaches the disk too.

#include <QByteArray>
#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QTimer>

#include <functional>
#include <optional>

namespace urn {

// When the copy is written, without timers. A change with no write in the
// last interval is written at once; the changes that follow within the
// interval are written together when it ends. Times are milliseconds of a
// monotonic clock.
class WriteThrottle {
public:
    explicit WriteThrottle(qint64 interval) : m_interval(interval) {}
    // A change at `now`: when the write that carries it is due, or nothing
    // when a write already due will carry it.
    std::optional<qint64> change(qint64 now);
    // The write ran at `now`.
    void written(qint64 now);
    // The write that was due is not needed any more.
    void cancel() { m_pending = false; }
    bool pending() const { return m_pending; }

private:
    qint64 m_interval;
    std::optional<qint64> m_lastWrite;
    bool m_pending = false;
};

class RecoveryWriter : public QObject {
    Q_OBJECT
public:
    static constexpr qint64 kInterval = 1000;

    // `state` gives the copy's content as it would be written now; `report`
    // shows a failure to write or remove the copy (once per start).
    RecoveryWriter(std::function<QByteArray()> state, std::function<void(const QString&)> report,
                   QObject* parent = nullptr);

    // Changes are kept from now on. `saved` is the state the files on disk
    // hold: while the state equals it, no copy is needed. `copy` is what the
    // copy on disk holds (empty: there is none).
    void start(const QByteArray& saved, const QByteArray& copy = {});
    // A field's value was stored.
    void changed();
    // The record was saved: the copy goes and a write that was due is
    // dropped.
    void saved();
    // Changes are no longer kept; the copy stays as it is (the program
    // ends, or the window could not open).
    void stop();
    // The window was closed normally: nothing is kept, the copy goes.
    void discard();
    // A write is due.
    bool pending() const { return m_throttle.pending(); }

    inline static const char* const kNelzeZapsat =
        "Zálohu rozepsaných změn nelze zapsat:\r%1\r\rZměny na této záložce se na disk uloží "
        "až při přechodu na jinou záložku nebo tlačítkem „Uložit“.";

private:
    void write();
    void remove();
    void failed(const QString& text);

    std::function<QByteArray()> m_state;
    std::function<void(const QString&)> m_report;
    WriteThrottle m_throttle{kInterval};
    QTimer m_timer;
    QElapsedTimer m_clock;
    QByteArray m_saved;
    QByteArray m_written; // what the copy on disk holds; empty: no copy
    bool m_kept = false;
    bool m_reported = false;
};

} // namespace urn
