#pragma once

#include <QPointer>
#include <QString>

#include <map>

class QWidget;

namespace kzt {

class HelpWindow;

// The programs' help: HTML pages in the shipped help folder. A help context
// number maps to a topic page; unknown numbers show the index page.
class Help
{
public:
    explicit Help(QString helpFolder, QString indexPage = QStringLiteral("index.html"));
    ~Help();
    Help(const Help&) = delete;
    Help& operator=(const Help&) = delete;

    // page is a file name inside the help folder, optionally with "#anchor".
    void addTopic(int context, const QString& page);
    // Full path (with anchor, if any) of the page for a context number.
    QString pageFor(int context) const;
    QString helpFolder() const { return m_folder; }

    // Opens the page with the desktop's default browser; false when the
    // page is missing or nothing could be started.
    bool openInBrowser(int context = 0) const;
    // Shows the page in a help window of our own, reused between calls.
    HelpWindow* showInWindow(QWidget* parent, int context = 0);

private:
    QString m_folder;
    QString m_index;
    std::map<int, QString> m_topics;
    QPointer<HelpWindow> m_window;
};

} // namespace kzt
