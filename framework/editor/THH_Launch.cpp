#include "THH_Launch.h"

#include "HelpWindow.h"

#include <QApplication>
#include <QCursor>
#include <QFile>
#include <QKeyEvent>
#include <QTextBrowser>
#include <QToolTip>
#include <QWidget>

#include <stdexcept>

namespace kzt {

namespace {

THH_Launch* g_instance = nullptr;

} // namespace

THH_Launch::THH_Launch(Help& help, QWidget* owner) : QObject(owner), m_help(help), m_owner(owner)
{
    if (g_instance)
        throw std::logic_error("Multiple instances of THH_Launch are not allowed");
    g_instance = this;
    if (qApp)
        qApp->installEventFilter(this);
}

THH_Launch::~THH_Launch()
{
    // The help windows close with the launcher; the owner's OnHelp may be
    // gone by now, so it is not asked.
    if (HelpWindow* shown = window())
        shown->close();
    if (g_instance == this)
        g_instance = nullptr;
}

THH_Launch* THH_Launch::instance()
{
    return g_instance;
}

HelpWindow* THH_Launch::window() const
{
    return m_owner ? m_owner->findChild<HelpWindow*>() : nullptr;
}

bool THH_Launch::request(Request request, int context, const QString& keyword, QPoint position)
{
    if (OnHelp && OnHelp(request, context, keyword))
        return true;
    if (m_showType == ShowType::stMain) {
        // The main help window only: pop-ups become topics, positions go.
        if (request == Request::ContextPopup)
            request = Request::ShowContext;
        else if (request == Request::SetPopupPosition)
            return true;
    }
    switch (request) {
    case Request::ShowContext:
        return m_help.showInWindow(m_owner, context) != nullptr;
    case Request::Quit:
        if (HelpWindow* shown = window())
            shown->close();
        return true;
    case Request::Tab:
        if (context != 0)
            return this->request(Request::Keyword, 0, keyword);
        [[fallthrough]];
    case Request::Contents:
    case Request::Finder:
        return m_help.showInWindow(m_owner, 0) != nullptr;
    case Request::Keyword:
    case Request::PartialKeyword: {
        HelpWindow* shown = m_help.showInWindow(m_owner, 0);
        if (shown && !keyword.isEmpty())
            shown->browser()->find(keyword);
        return shown != nullptr;
    }
    case Request::SetPopupPosition:
        m_popupPosition = position;
        return true;
    case Request::ContextPopup:
        return showContextPopup(context);
    }
    return false;
}

QString THH_Launch::popupText(int context) const
{
    QFile file(m_help.helpFolder() + QStringLiteral("/cshelp.txt"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray prefix = QByteArray::number(context) + '=';
    while (!file.atEnd()) {
        const QByteArray line = file.readLine().trimmed();
        if (line.startsWith(prefix))
            return QString::fromUtf8(line.mid(prefix.size()));
    }
    return {};
}

bool THH_Launch::showContextPopup(int context)
{
    const QPoint at = m_popupPosition.value_or(QCursor::pos());
    m_popupPosition.reset();
    const QString text = popupText(context);
    if (text.isEmpty())
        return false;
    m_lastPopup = text;
    m_lastPopupPosition = at;
    QToolTip::showText(at, text, m_owner);
    return true;
}

bool THH_Launch::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress || static_cast<QKeyEvent*>(event)->key() != Qt::Key_F1)
        return false;
    auto* widget = qobject_cast<QWidget*>(watched);
    // Only requests from the owner's own windows, its dialogs included.
    bool ours = false;
    for (QWidget* w = widget; w && m_owner && !ours; w = w->parentWidget())
        ours = w == m_owner;
    if (!ours)
        return false;
    for (QWidget* w = widget; w; w = w->parentWidget()) {
        const QVariant context = w->property("helpContext");
        if (context.isValid())
            return request(Request::ShowContext, context.toInt());
    }
    return request(Request::Contents);
}

} // namespace kzt
