#include "HelpWindow.h"

#include <QFileInfo>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace kzt {

HelpWindow::HelpWindow(QWidget* parent)
    : QWidget(parent, Qt::Window)
    , m_browser(new QTextBrowser(this))
{
    setObjectName(QStringLiteral("HelpWindow"));
    setWindowTitle(QStringLiteral("Help"));
    m_browser->setObjectName(QStringLiteral("helpBrowser"));
    // External links belong in the real browser, not in the help viewer.
    m_browser->setOpenExternalLinks(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_browser);
    resize(720, 540);
}

bool HelpWindow::showPage(const QString& path)
{
    QString file = path;
    QString anchor;
    const qsizetype hash = path.indexOf(QLatin1Char('#'));
    if (hash >= 0) {
        file = path.left(hash);
        anchor = path.mid(hash + 1);
    }
    if (!QFileInfo(file).isFile())
        return false;
    QUrl url = QUrl::fromLocalFile(file);
    if (!anchor.isEmpty())
        url.setFragment(anchor);
    m_browser->setSource(url);
    return true;
}

QString HelpWindow::currentPage() const
{
    return m_browser->source().toLocalFile();
}

} // namespace kzt
