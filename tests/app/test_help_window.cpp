// The guide in the program's own help window: readable with the keyboard,
// its pictures shown, its own links followed and no other program needed.
#include "FakeDialogs.h"
#include "Keyboard.h"
#include "app/HelpWindow.h"
#include "ui/Beep.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>

#include <gtest/gtest.h>

using namespace urn;
using namespace urn::test;

namespace {
// Whatever the desktop would be asked to open lands here instead.
struct DesktopCatcher : QObject {
    Q_OBJECT
public:
    QList<QUrl> opened;
    DesktopCatcher() {
        for (const QString& scheme : schemes())
            QDesktopServices::setUrlHandler(scheme, this, "open");
    }
    ~DesktopCatcher() override {
        for (const QString& scheme : schemes())
            QDesktopServices::unsetUrlHandler(scheme);
    }
    static QStringList schemes() {
        return {QStringLiteral("file"), QStringLiteral("http"), QStringLiteral("https"),
                QStringLiteral("mailto")};
    }
public slots:
    void open(const QUrl& url) { opened << url; }
};

void write(const QString& path, const QByteArray& content) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly) && f.write(content) == content.size());
}

struct HelpTest : ::testing::Test {
    void SetUp() override {
        dir = root.path() + QStringLiteral("/program/");
        write(dir + QStringLiteral("Urnarium.html"),
              "<html><head><meta charset=\"utf-8\"><title>Příručka</title></head><body>"
              "<p><a href=\"#klavesy\">Klávesy</a> <a href=\"druha.html\">Druhá stránka</a> "
              "<a href=\"mailto:podpora.volby@example.cz\">podpora</a> "
              "<a href=\"https://example.cz/\">web</a> <a href=\"../mimo.html\">mimo</a></p>"
              "<p><img src=\"obrazky/okno.png\"></p>"
              "<p style=\"margin-top: 4000px\">Dlouhý text.</p>"
              "<h2 id=\"klavesy\">Klávesy</h2><p>F2, F3, F4.</p></body></html>");
        write(dir + QStringLiteral("druha.html"),
              "<html><body><p>Druhá stránka příručky.</p></body></html>");
        write(root.path() + QStringLiteral("/mimo.html"), "<p>Mimo příručku.</p>");
        QImage picture(40, 30, QImage::Format_RGB32);
        picture.fill(Qt::red);
        QDir().mkpath(dir + QStringLiteral("obrazky"));
        ASSERT_TRUE(picture.save(dir + QStringLiteral("obrazky/okno.png")));

        window.showGuide(dir + QStringLiteral("Urnarium.html"));
        ASSERT_SOON(QApplication::activeWindow() == &window);
        ASSERT_TRUE(window.browser()->hasFocus());
    }
    QString shown() const { return window.browser()->source().fileName(); }
    int scrolled() const { return window.browser()->verticalScrollBar()->value(); }

    QTemporaryDir root;
    QString dir;
    FakeDialogs dlg;
    DesktopCatcher desktop;
    HelpWindow window;
};

TEST_F(HelpTest, TheGuideReadsWithItsPicturesAndFollowsOnlyItsOwnLinks) {
    EXPECT_TRUE(window.browser()->toPlainText().contains(QStringLiteral("Klávesy")));
    const QVariant picture = window.browser()->document()->resource(
        QTextDocument::ImageResource, QUrl(QStringLiteral("obrazky/okno.png")));
    EXPECT_FALSE(picture.value<QImage>().isNull() && picture.value<QPixmap>().isNull());

    // Tab reaches the first link, Enter follows it: the section further down.
    EXPECT_EQ(scrolled(), 0);
    key(Qt::Key_Tab);
    enter();
    EXPECT_EQ(shown(), QStringLiteral("Urnarium.html"));
    EXPECT_GT(scrolled(), 0);

    // A page of the guide beside it is followed; what lies outside is not,
    // and the window says so.
    emit window.browser()->anchorClicked(QUrl(QStringLiteral("druha.html")));
    EXPECT_EQ(shown(), QStringLiteral("druha.html"));
    window.browser()->backward();
    EXPECT_EQ(shown(), QStringLiteral("Urnarium.html"));
    for (const char* outside :
         {"mailto:podpora.volby@example.cz", "https://example.cz/", "../mimo.html", "chybi.html"}) {
        const int beeps = beepCount();
        emit window.browser()->anchorClicked(QUrl(QLatin1String(outside)));
        EXPECT_EQ(shown(), QStringLiteral("Urnarium.html")) << outside;
        EXPECT_EQ(beepCount(), beeps + 1) << outside;
        EXPECT_TRUE(window.linkNote()->text().contains(QLatin1String(outside))) << outside;
    }
    EXPECT_TRUE(desktop.opened.isEmpty());
    EXPECT_TRUE(dlg.shown.isEmpty());
}

TEST_F(HelpTest, CtrlPlusAndMinusChangeTheTextSizeAndEscCloses) {
    const qreal size = window.browser()->font().pointSizeF();
    key(Qt::Key_Plus, Qt::ControlModifier);
    key(Qt::Key_Plus, Qt::ControlModifier | Qt::KeypadModifier);
    EXPECT_GT(window.browser()->font().pointSizeF(), size);
    key(Qt::Key_Minus, Qt::ControlModifier);
    key(Qt::Key_Minus, Qt::ControlModifier | Qt::KeypadModifier);
    EXPECT_EQ(window.browser()->font().pointSizeF(), size);
    key(Qt::Key_Minus, Qt::ControlModifier);
    EXPECT_LT(window.browser()->font().pointSizeF(), size);
    key(Qt::Key_Escape);
    EXPECT_FALSE(window.isVisible());
}

// The desktop's opener stands in for xdg-open on the PATH: it notes what it
// was given and ends with the status of a desktop with or without a browser.
TEST_F(HelpTest, OpenInBrowserHandsTheGuideToTheDesktopAndSaysWhenNoBrowserTookIt) {
    const QString guide = dir + QStringLiteral("Urnarium.html");
    const QString failed =
        QString::fromUtf8(HelpWindow::kBrowserFailed).arg(QDir::toNativeSeparators(guide));
    const struct {
        const char* name;
        int openerStatus; // -1: no opener on the PATH
        bool desktopTakesIt;
        bool saysSo;
    } cases[] = {
        {"a browser took it", 0, false, false},
        {"no browser on the desktop", 3, false, true},
        {"no opener, Qt found a browser", -1, true, false},
        {"no opener, no browser", -1, false, true},
    };
    const QByteArray path = qgetenv("PATH");
    for (const auto& c : cases) {
        QTemporaryDir bin;
        const QString log = bin.filePath(QStringLiteral("opened"));
        if (c.openerStatus >= 0) {
            const QString opener = bin.filePath(QStringLiteral("xdg-open"));
            write(opener, QStringLiteral("#!/bin/sh\necho \"$1\" >> '%1'\nexit %2\n")
                              .arg(log)
                              .arg(c.openerStatus)
                              .toUtf8());
            QFile(opener).setPermissions(QFile::ReadOwner | QFile::ExeOwner);
        }
        qputenv("PATH", bin.path().toLocal8Bit());
        if (!c.desktopTakesIt)
            QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
        dlg.shown.clear();
        desktop.opened.clear();

        window.browserButton()->click();
        if (c.openerStatus >= 0) {
            EXPECT_SOON(QFileInfo::exists(log)) << c.name;
            QFile f(log);
            ASSERT_TRUE(f.open(QIODevice::ReadOnly)) << c.name;
            EXPECT_EQ(QUrl(QString::fromUtf8(f.readAll().trimmed())), QUrl::fromLocalFile(guide))
                << c.name;
        }
        // The opener has ended and been heard.
        EXPECT_SOON(window.findChildren<QProcess*>().isEmpty()) << c.name;
        if (c.saysSo) {
            ASSERT_EQ(dlg.shown.size(), 1) << c.name;
            EXPECT_EQ(dlg.shown[0].kind, QStringLiteral("warn")) << c.name;
            EXPECT_EQ(dlg.shown[0].caption, QStringLiteral("Nápověda")) << c.name;
            EXPECT_EQ(dlg.shown[0].text, failed) << c.name;
        } else {
            EXPECT_TRUE(dlg.shown.isEmpty()) << c.name;
        }
        EXPECT_EQ(desktop.opened,
                  c.desktopTakesIt ? QList<QUrl>{QUrl::fromLocalFile(guide)} : QList<QUrl>{})
            << c.name;
        EXPECT_TRUE(window.isVisible()) << c.name;
        qputenv("PATH", path);
        QDesktopServices::setUrlHandler(QStringLiteral("file"), &desktop, "open");
    }
}

} // namespace

#include "test_help_window.moc"
