// Not a test by itself: the data-entry window on an installation, typed
// into on the Annex 1 page until the recovery test kills this process with
// SIGKILL, as a crash or a power cut ends the program. It prints "READY"
// once the values typed so far are in the recovery copy, then goes on typing
// into a field it never leaves. Argument: the installation's directory.
#include "checks/PrecinctSession.h"
#include "entry/DataEntryWindow.h"
#include "entry/RecoveryWriter.h"
#include "store/InstallDirs.h"
#include "store/RecoveryCopy.h"
#include "store/StationConfig.h"
#include "ui/Application.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>

#include <cstdio>

using namespace urn;

namespace {

void settle() {
    for (int i = 0; i < 4; ++i) {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
    }
}

void key(int k, Qt::KeyboardModifiers mods = Qt::NoModifier) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key(k), mods);
    settle();
}

// Types into the focused field and leaves it with Enter, which stores it.
void field(const char* text) {
    if (auto* e = qobject_cast<QLineEdit*>(QApplication::focusWidget()))
        e->selectAll();
    QTest::keyClicks(QApplication::focusWidget(), QLatin1String(text));
    settle();
    key(Qt::Key_Return);
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    Application app(argc, argv);
    if (argc < 2)
        return 2;
    const QString root = QString::fromLocal8Bit(argv[1]) + QLatin1Char('/');
    setInstallDirs({root, root, root + QStringLiteral("data/")});
    PrecinctSession session;
    session.Stanice = NactiStanici();
    TR_Vstupni_Form okno(session);
    okno.show();
    okno.activateWindow();
    if (!QTest::qWaitForWindowActive(&okno))
        return 3;
    settle();

    key(Qt::Key_PageDown);
    key(Qt::Key_PageDown); // Annex 1, the first ticked party
    key(Qt::Key_Return);
    field("300"); // votes
    field("40");  // candidates 1 to 3
    field("0");
    field("20");
    key(Qt::Key_Return, Qt::ControlModifier);
    key(Qt::Key_Return); // on to the next party
    if (!QTest::qWaitFor([] {
            return QApplication::focusWidget() &&
                   QApplication::focusWidget()->objectName() == QLatin1String("R_CBT2P_1");
        }))
        return 4;
    key(Qt::Key_Return);
    field("215");
    field("7");

    if (!QTest::qWaitFor([&] { return recoveryCopyExists() && !okno.obnova()->pending(); }, 30000))
        return 5;
    std::puts("READY");
    std::fflush(stdout);
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("12"));
    return app.exec();
}
