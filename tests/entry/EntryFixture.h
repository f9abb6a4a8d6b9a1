#pragma once

// A small installation and the data-entry window on it, driven through the
// keyboard as the commission drives it: keys go to whatever control has the
// focus, findings of the error message window are answered from a script.

#include "FakeDialogs.h"
#include "Keyboard.h"
#include "TestInstall.h"
#include "checks/CheckSequence.h"
#include "checks/PrecinctSession.h"
#include "entry/DataEntryWindow.h"
#include "store/PrecinctRecord.h"

#include <QList>
#include <QObject>
#include <QString>
#include <QTimer>

#include <gtest/gtest.h>
#include <memory>

namespace urn::test {

// Counts the check protocols instead of showing them.
struct RecordingProtocol {
    int calls = 0;
    QList<int> findings;
    void TiskProtokolu(const PrecinctSession& session);
};

// Answers the error message window: remembers every finding shown and
// chooses "Opravit" or the other button as the script says (Opravit when
// the script has run out).
class HlaskaAnswerer : public QObject {
public:
    struct Shown {
        QString heading;
        QString text;
        QString otherButton;
    };
    explicit HlaskaAnswerer(TR_Vstupni_Form* okno);
    QList<bool> opravit; // script: true = "Opravit"
    QList<Shown> shown;
    // Run while a finding is on screen, before it is answered.
    std::function<void()> beforeAnswer;

private:
    TR_Vstupni_Form* m_okno;
    QTimer m_timer;
};

class EntryTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Four parties: 1 (28 candidates, candidate 5 withdrawn), 2 (15),
    // 3 (20), 4 (12); precinct 582786/2 with 700 expected voters.
    virtual void writeTables();
    // Sections I and III and the names as a complete record has them.
    void writeCommission();
    // Creates and shows the window, active, with the focus settled.
    void open();
    // Closes it with "Zrušit" and "Ano".
    void closeWithoutSaving();

    int page() const;
    template <class T = QWidget> T* named(const char* name) const {
        return okno->findChild<T*>(QLatin1String(name));
    }
    // Clicks a page's tab with the mouse.
    void clickTab(int index);
    // A record of the station's precinct saved as the data file of the kind:
    // section II complete, the parties given ticked, the first with the
    // votes the others (10 each) leave of the 525 valid ones, candidate 1 of
    // each with 3 preferential votes.
    void saveRecord(char kind, const QList<int>& strany = {}) const;

    QString fileName(char kind) const;
    bool fileExists(char kind) const;
    // The data file of the kind as the store loads it.
    TPrecinctRecord loadFile(char kind) const;
    TPrecinctRecord& rec() { return session.PrecinctRecord; }

    TestInstall inst;
    FakeDialogs dlg;
    RecordingProtocol protocol;
    PrecinctSession session;
    std::unique_ptr<TR_Vstupni_Form> okno;
    std::unique_ptr<HlaskaAnswerer> hlasky;
};

} // namespace urn::test
