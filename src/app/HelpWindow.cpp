#include "app/HelpWindow.h"

#include "core/Dialogs.h"
#include "core/ErrorHandler.h"
#include "ui/Beep.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QStandardPaths>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace urn {

namespace {
constexpr int kMinTextSize = 6;
constexpr int kMaxTextSize = 40;
} // namespace

HelpWindow::HelpWindow(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("HelpWindow"));
    setWindowTitle(QString::fromUtf8(kCaption));
    // A window of its own beside the main window, not a modal one: the
    // commission reads while it works.
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint);
    setModal(false);

    m_browser = new QTextBrowser(this);
    m_browser->setObjectName(QStringLiteral("guide"));
    // Links are followed here only within the guide.
    m_browser->setOpenLinks(false);
    m_browser->setOpenExternalLinks(false);
    connect(m_browser, &QTextBrowser::anchorClicked, this,
            [this](const QUrl& link) { runReportingErrors([&] { followLink(link); }); });

    m_linkNote = new QLabel(this);
    m_linkNote->setObjectName(QStringLiteral("linkNote"));
    m_linkNote->setWordWrap(true);

    m_openInBrowser = new QPushButton(QStringLiteral("Otevřít v prohlížeči"), this);
    m_openInBrowser->setObjectName(QStringLiteral("openInBrowser"));
    // Enter on the text follows the link under the focus, never this.
    m_openInBrowser->setAutoDefault(false);
    connect(m_openInBrowser, &QPushButton::clicked, this,
            [this] { runReportingErrors([&] { openGuideInBrowser(); }); });
    auto* close = new QPushButton(QStringLiteral("Zavřít"), this);
    close->setObjectName(QStringLiteral("close"));
    close->setAutoDefault(false);
    connect(close, &QPushButton::clicked, this, &QDialog::close);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_linkNote, 1);
    buttons->addWidget(m_openInBrowser);
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_browser, 1);
    layout->addLayout(buttons);

    // Ctrl and plus or minus change the size of the text, on the main keys
    // or the keypad; Ctrl and = too, where plus needs Shift. Esc closes, as
    // in every dialog.
    for (const QKeySequence& k :
         {QKeySequence(QKeySequence::ZoomIn), QKeySequence(Qt::CTRL | Qt::Key_Equal)})
        connect(new QShortcut(k, this), &QShortcut::activated, this, [this] { changeTextSize(1); });
    connect(new QShortcut(QKeySequence(QKeySequence::ZoomOut), this), &QShortcut::activated, this,
            [this] { changeTextSize(-1); });

    const QScreen* screen = this->screen();
    const QRect room = screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
    resize(qMin(960, room.width() * 9 / 10), room.height() * 85 / 100);
}

void HelpWindow::showGuide(const QString& path) {
    m_guide = QFileInfo(path).absoluteFilePath();
    m_linkNote->clear();
    m_browser->setSource(QUrl::fromLocalFile(m_guide));
    show();
    raise();
    activateWindow();
    m_browser->setFocus(Qt::OtherFocusReason);
}

void HelpWindow::followLink(const QUrl& link) {
    m_linkNote->clear();
    const QUrl target = m_browser->source().resolved(link);
    // Within the guide: its own sections, and pages beside it.
    if (target.isLocalFile()) {
        const QFileInfo file(target.toLocalFile());
        const QString dir = QFileInfo(m_guide).absolutePath();
        if (file.exists() && file.absoluteFilePath().startsWith(dir + QLatin1Char('/'))) {
            m_browser->setSource(target);
            return;
        }
    }
    // Anything else (e-mail, the web) would need another program; the
    // address stays readable in the text.
    systemBeep();
    m_linkNote->setText(QString::fromUtf8(kOutsideLink).arg(link.toDisplayString()));
}

void HelpWindow::openGuideInBrowser() {
    const QUrl guide = QUrl::fromLocalFile(m_guide);
    const QString opener = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
    if (opener.isEmpty()) {
        if (!QDesktopServices::openUrl(guide))
            browserFailed();
        return;
    }
    // Qt's own call would only say that the opener started; a desktop
    // without a browser makes the opener fail a moment later, and that must
    // not pass in silence.
    auto* process = new QProcess(this);
    process->setStandardOutputFile(QProcess::nullDevice());
    process->setStandardErrorFile(QProcess::nullDevice());
    connect(process, &QProcess::finished, this,
            [this, process](int code, QProcess::ExitStatus status) {
                process->deleteLater();
                if (status != QProcess::NormalExit || code != 0)
                    runReportingErrors([&] { browserFailed(); });
            });
    connect(process, &QProcess::errorOccurred, this, [this, process](QProcess::ProcessError e) {
        if (e != QProcess::FailedToStart)
            return;
        process->deleteLater();
        runReportingErrors([&] { browserFailed(); });
    });
    process->start(opener, {guide.toString(QUrl::FullyEncoded)});
}

void HelpWindow::browserFailed() {
    dialogs().warn(QString::fromUtf8(kCaption),
                   QString::fromUtf8(kBrowserFailed).arg(QDir::toNativeSeparators(m_guide)));
}

void HelpWindow::changeTextSize(int steps) {
    const qreal size = m_browser->font().pointSizeF();
    if (size > 0 && (size + steps < kMinTextSize || size + steps > kMaxTextSize))
        return;
    if (steps > 0)
        m_browser->zoomIn(steps);
    else
        m_browser->zoomOut(-steps);
}

} // namespace urn
