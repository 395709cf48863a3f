#include "Help.h"

#include "HelpWindow.h"
#include "Launcher.h"

#include <QDir>
#include <QFileInfo>
#include <QUrl>

namespace kzt {

Help::Help(QString helpFolder, QString indexPage)
    : m_folder(std::move(helpFolder))
    , m_index(std::move(indexPage))
{
}

Help::~Help()
{
    if (m_window && !m_window->parent())
        delete m_window.data();
}

void Help::addTopic(int context, const QString& page)
{
    m_topics[context] = page;
}

QString Help::pageFor(int context) const
{
    const auto it = m_topics.find(context);
    QString page = it != m_topics.end() ? it->second : m_index;
    // Topic names are bare file names; anything else falls back to the index.
    const QString file = page.section(QLatin1Char('#'), 0, 0);
    if (file.isEmpty() || file.contains(QLatin1Char('/')) || file == QLatin1String("..")
        || file == QLatin1String("."))
        page = m_index;
    return QDir(m_folder).filePath(page);
}

bool Help::openInBrowser(int context) const
{
    const QString path = pageFor(context);
    const QString file = path.section(QLatin1Char('#'), 0, 0);
    if (!QFileInfo(file).isFile())
        return false;
    if (path != file) {
        QUrl url = QUrl::fromLocalFile(file);
        url.setFragment(path.section(QLatin1Char('#'), 1));
        return Launcher::openUrl(url.toString());
    }
    return Launcher::openDocument(file);
}

HelpWindow* Help::showInWindow(QWidget* parent, int context)
{
    if (!m_window)
        m_window = new HelpWindow(parent);
    m_window->showPage(pageFor(context));
    m_window->show();
    m_window->raise();
    m_window->activateWindow();
    return m_window;
}

} // namespace kzt
