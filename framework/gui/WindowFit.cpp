#include "WindowFit.h"

#include <QEvent>
#include <QLayout>
#include <QTabBar>
#include <QTabWidget>
#include <QWidget>

namespace kzt {

namespace {

// Watches the window's layout: whenever what it holds asks for more room,
// the window's minimum follows and the window grows to it.
class WindowFitter : public QObject
{
    Q_OBJECT
public:
    explicit WindowFitter(QWidget* window) : QObject(window), m_window(window)
    {
        setObjectName(QStringLiteral("windowFitter"));
        window->installEventFilter(this);
    }

    void setSmallest(QSize smallest, bool opening)
    {
        m_smallest = smallest;
        fit(opening);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == m_window && (event->type() == QEvent::LayoutRequest || event->type() == QEvent::Show))
            fit(false);
        return false;
    }

private:
    void fit(bool opening)
    {
        if (m_fitting)
            return;
        m_fitting = true;
        if (QLayout* layout = m_window->layout())
            layout->activate();
        const QSize needed = m_smallest.expandedTo(m_window->minimumSizeHint());
        if (m_window->minimumSize() != needed)
            m_window->setMinimumSize(needed);
        // Opening, the window takes its designed size where its content fits
        // in it; later it only grows.
        const QSize wanted = opening ? needed : m_window->size().expandedTo(needed);
        if (wanted != m_window->size())
            m_window->resize(wanted);
        m_fitting = false;
    }

    QWidget* m_window;
    QSize m_smallest;
    bool m_fitting = false;
};

} // namespace

void showTabsWhole(QWidget* root)
{
    for (QTabWidget* tabs : root->findChildren<QTabWidget*>()) {
        tabs->setUsesScrollButtons(false);
        tabs->setElideMode(Qt::ElideNone);
    }
    for (QTabBar* bar : root->findChildren<QTabBar*>()) {
        bar->setUsesScrollButtons(false);
        bar->setElideMode(Qt::ElideNone);
    }
}

void fitToContent(QWidget* window, QSize smallest)
{
    showTabsWhole(window);
    if (auto* fitter = window->findChild<WindowFitter*>(QStringLiteral("windowFitter"), Qt::FindDirectChildrenOnly))
        fitter->setSmallest(smallest, false);
    else
        (new WindowFitter(window))->setSmallest(smallest, true);
}

} // namespace kzt

#include "WindowFit.moc"
