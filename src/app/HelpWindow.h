#pragma once

// The help window: the commission's guide beside the program, shown by the
// program itself, so that help opens also on a machine without a web
// browser (or whose browser will not start).

#include <QDialog>
#include <QUrl>

class QLabel;
class QPushButton;
class QTextBrowser;

namespace urn {

class HelpWindow : public QDialog {
    Q_OBJECT
public:
    explicit HelpWindow(QWidget* parent = nullptr);

    // Shows the guide `path` (an HTML file with its pictures beside it) from
    // its beginning, brings the window up and gives it the focus.
    void showGuide(const QString& path);

    QTextBrowser* browser() const { return m_browser; }
    QPushButton* browserButton() const { return m_openInBrowser; }
    QLabel* linkNote() const { return m_linkNote; }

    inline static const char* const kCaption = "Nápověda";
    inline static const char* const kBrowserFailed =
        "Příručku se nepodařilo otevřít v internetovém prohlížeči.\rČtěte ji v okně nápovědy, "
        "nebo soubor „%1“ otevřete v prohlížeči ručně.";
    inline static const char* const kOutsideLink =
        "Odkaz „%1“ vede mimo příručku, v okně nápovědy se neotevírá.";

private:
    void followLink(const QUrl& link);
    // Hands the guide to the desktop's browser: through the desktop's
    // opener (xdg-open), whose exit status tells whether a browser took it,
    // or where there is none through Qt's own search for a browser.
    void openGuideInBrowser();
    void browserFailed();
    void changeTextSize(int steps);

    QTextBrowser* m_browser = nullptr;
    QPushButton* m_openInBrowser = nullptr;
    QLabel* m_linkNote = nullptr;
    QString m_guide;
};

} // namespace urn
