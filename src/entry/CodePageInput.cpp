#include "entry/CodePageInput.h"

#include "store/CodePage.h"
#include "ui/Beep.h"
#include "ui/EntryEdit.h"

namespace urn {

bool acceptCp1250Character(QChar c) {
    if (fitsCp1250(QString(c)))
        return true;
    systemBeep();
    return false;
}

void keepToCp1250(TSEdit* edit) {
    // After the edit's own handling (its length limit may already have cut
    // the text), so the field's current text is what counts.
    QObject::connect(edit, &QLineEdit::textEdited, edit, [edit] {
        const QString text = edit->text();
        if (fitsCp1250(text))
            return;
        const qsizetype cursor = edit->cursorPosition();
        qsizetype newCursor = cursor;
        QString kept;
        for (qsizetype i = 0; i < text.size(); ++i) {
            if (fitsCp1250(QString(text.at(i))))
                kept += text.at(i);
            else if (i < cursor)
                --newCursor;
        }
        edit->setText(kept);
        edit->setCursorPosition(int(newCursor));
        systemBeep();
    });
}

} // namespace urn
