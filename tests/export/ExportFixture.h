#pragma once

// Helpers of the export tests: a data file's stand-in, removable media that
// tests control, and a driver for the modal windows.

#include "TestInstall.h"
#include "export/RemovableMedia.h"

#include <QApplication>
#include <QByteArray>
#include <QDialog>
#include <QPointer>
#include <QSet>
#include <QTimer>
#include <QWidget>

#include <functional>

namespace urn::test {

// Bytes that look like a sealed data file: no two neighbours alike, not a
// multiple of the block size.
inline QByteArray sampleDataFile(int size) {
    QByteArray b(size, '\0');
    quint32 x = 2463534242u;
    for (int i = 0; i < size; ++i) {
        x ^= x << 13;
        x ^= x >> 17;
        x ^= x << 5;
        b[i] = char(x & 0xff);
    }
    return b;
}

// Removable media as a test wants them; the removal is recorded.
class FakeMedia : public RemovableMedia {
public:
    FakeMedia() { setRemovableMedia(this); }
    ~FakeMedia() override { setRemovableMedia(nullptr); }

    QList<TZarExp> media;
    VysledekOdebrani removal{StavOdebrani::Odebran, {}};
    QStringList removed; // mount points of the removals that went through, in order
    int listed = 0;

    QList<TZarExp> SeznamVymenitelnych() override {
        ++listed;
        return media;
    }
    VysledekOdebrani OdeberDisk(const TZarExp& disk) override {
        if (removal.stav != StavOdebrani::Nepovedlo)
            removed << disk.Pozice;
        return removal;
    }
};

// Acts on every modal window as it comes up: the action for its name (its
// object name, or its class name when it has none) runs once per showing,
// queued, so that a window it opens can be handled in turn. Windows without
// an action are closed.
class ModalDriver : public QObject {
public:
    using Action = std::function<void(QWidget&)>;

    ModalDriver() {
        m_poll.setInterval(10);
        QObject::connect(&m_poll, &QTimer::timeout, this, [this] { tick(); });
        m_poll.start();
    }
    void on(const QString& name, Action action) { m_actions[name] = action; }
    // From now on every modal window is closed as cancelled the moment it is
    // seen, whatever its action: a test that has failed half-way gets out of
    // the windows it opened instead of waiting in them.
    void giveUp() { m_givenUp = true; }
    // Names of the windows handled, in order.
    QStringList seen;

    static QString nameOf(const QWidget& w) {
        if (!w.objectName().isEmpty())
            return w.objectName();
        const QString cls = QString::fromLatin1(w.metaObject()->className());
        return cls.mid(cls.lastIndexOf(QLatin1Char(':')) + 1);
    }

protected:
    bool eventFilter(QObject* o, QEvent* e) override {
        if (e->type() == QEvent::Hide)
            m_handled.removeIf([o](const QPointer<QWidget>& h) { return h.data() == o; });
        return QObject::eventFilter(o, e);
    }

private:
    void tick() {
        for (auto it = m_handled.begin(); it != m_handled.end();)
            it = (!*it || !(*it)->isVisible()) ? m_handled.erase(it) : it + 1;
        QWidget* m = QApplication::activeModalWidget();
        if (m && m_givenUp) {
            if (auto* d = qobject_cast<QDialog*>(m))
                d->done(QDialog::Rejected);
            return;
        }
        // Acted on once it has the focus, as a user would.
        if (!m || !m->isActiveWindow())
            return;
        for (const QPointer<QWidget>& h : m_handled)
            if (h == m)
                return;
        m_handled << m;
        // Forgotten the moment it hides: shown again before the next poll,
        // it is a window to answer again.
        m->installEventFilter(this);
        seen << nameOf(*m);
        const Action action = m_actions.value(nameOf(*m));
        QPointer<QWidget> target(m);
        QTimer::singleShot(0, this, [target, action] {
            if (!target)
                return;
            if (action)
                action(*target);
            else
                target->close();
        });
    }

    QTimer m_poll;
    QList<QPointer<QWidget>> m_handled;
    QHash<QString, Action> m_actions;
    bool m_givenUp = false;
};

} // namespace urn::test
