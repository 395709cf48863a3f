// Every label, button, group title and tab in every window and dialog of the
// four programs shows its text whole at the desktop's default font: each is
// at least as wide as it says it needs, lies inside the window, and no tab
// bar hides tabs behind scroll arrows. Each window is checked on every page
// of its page controls, with the root and with an item selected.

#include "ProgramWindowWorld.h"

#include "AppletAgent.h"
#include "MessageBox.h"
#include "TreeNode.h"
#include "dulcamon/gui/TMainForm.h"
#include "kestravo/gui/TMainForm.h"
#include "osmerin/gui/TMainForm.h"
#include "vantrel/gui/TMainForm.h"

#include <QAbstractButton>
#include <QAbstractScrollArea>
#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QStackedWidget>
#include <QTabBar>
#include <QTabWidget>
#include <QToolButton>
#include <QtTest>

#include <functional>

namespace {

// A tab's own idea of its size is protected; a member pointer named through
// a subclass reaches it without copying the style's arithmetic.
struct TabBarAccess : QTabBar
{
    using QTabBar::tabSizeHint;
};

QSize tabSizeHint(const QTabBar* bar, int index)
{
    QSize (QTabBar::*hint)(int) const = &TabBarAccess::tabSizeHint;
    return (bar->*hint)(index);
}

void settle()
{
    for (int i = 0; i < 4; ++i) {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
    }
}

QString windowName(const QWidget* window)
{
    const QString name = window->objectName().isEmpty() ? QLatin1String(window->metaObject()->className()) : window->objectName();
    return QStringLiteral("%1 \"%2\"").arg(name, window->windowTitle());
}

// The object name, or the class, text and nearest named parent of an
// unnamed widget.
bool ownName(const QWidget* widget)
{
    return !widget->objectName().isEmpty() && !widget->objectName().startsWith(QLatin1String("qt_"));
}

QString widgetName(const QWidget* widget, const QString& text)
{
    if (ownName(widget))
        return QStringLiteral("%1 \"%2\"").arg(widget->objectName(), text);
    const QWidget* named = widget->parentWidget();
    while (named && !ownName(named))
        named = named->parentWidget();
    return QStringLiteral("%1 \"%2\" in %3")
        .arg(QLatin1String(widget->metaObject()->className()), text,
             named ? named->objectName() : QStringLiteral("(unnamed)"));
}

QString textOf(const QWidget* widget)
{
    if (const auto* label = qobject_cast<const QLabel*>(widget))
        return label->pixmap().isNull() ? label->text() : QString();
    if (const auto* button = qobject_cast<const QAbstractButton*>(widget)) {
        // Tool bar buttons show their pictures, not their texts.
        const auto* tool = qobject_cast<const QToolButton*>(widget);
        if (tool && tool->toolButtonStyle() == Qt::ToolButtonIconOnly && !tool->icon().isNull())
            return {};
        return button->text();
    }
    if (const auto* group = qobject_cast<const QGroupBox*>(widget))
        return group->title();
    return {};
}

// Inside a scroll area, being cut at its edge is what scrolling is for.
bool scrolled(const QWidget* widget)
{
    for (const QWidget* up = widget->parentWidget(); up && !up->isWindow(); up = up->parentWidget()) {
        if (const auto* area = qobject_cast<const QAbstractScrollArea*>(up->parentWidget()); area && area->viewport() == up)
            return true;
    }
    return false;
}

// How much of the widget's width its parents leave visible.
int visibleWidth(const QWidget* widget)
{
    QRect shown = widget->rect();
    for (const QWidget* up = widget; !up->isWindow(); up = up->parentWidget()) {
        shown.translate(up->pos());
        shown &= up->parentWidget()->rect();
    }
    return qMax(0, shown.width());
}

// Makes the page that holds `widget` current in every page control above it.
void reveal(QWidget* widget)
{
    for (QWidget* up = widget; up && !up->isWindow(); up = up->parentWidget()) {
        auto* stack = qobject_cast<QStackedWidget*>(up->parentWidget());
        if (!stack)
            continue;
        if (auto* tabs = qobject_cast<QTabWidget*>(stack->parentWidget()))
            tabs->setCurrentWidget(up);
        else
            stack->setCurrentWidget(up);
    }
    settle();
}

class Checker
{
public:
    explicit Checker(QString program) : m_program(std::move(program)) {}

    // One window as it stands, then on every page of each page control.
    void checkEveryPage(QWidget* window, const QString& state)
    {
        settle();
        check(window, state);
        const QList<QTabWidget*> controls = window->findChildren<QTabWidget*>();
        for (QTabWidget* tabs : controls) {
            if (tabs->window() != window)
                continue;
            reveal(tabs);
            if (!tabs->isVisible())
                continue;
            const int was = tabs->currentIndex();
            for (int i = 0; i < tabs->count(); ++i) {
                if (!tabs->isTabVisible(i))
                    continue;
                tabs->setCurrentIndex(i);
                settle();
                check(window, state + QStringLiteral(", page \"%1\"").arg(tabs->tabText(i)));
            }
            tabs->setCurrentIndex(was);
        }
        settle();
    }

    // Every window of the program on screen now.
    void checkShownWindows(const QString& state)
    {
        for (QWidget* window : QApplication::topLevelWidgets()) {
            if (window->isVisible() && !qobject_cast<QDialog*>(window) && window->windowType() != Qt::Popup
                && window->windowType() != Qt::ToolTip) {
                checkEveryPage(window, state);
                m_seen.insert(windowName(window));
            }
        }
    }

    // Runs a command that opens a modal dialog, checks the dialog and
    // closes it again.
    void checkModal(const QString& what, const std::function<void()>& command)
    {
        bool opened = false;
        WindowTestWorld::whenModal([&](QDialog* dialog) {
            opened = true;
            m_seen.insert(windowName(dialog));
            checkEveryPage(dialog, what);
            dialog->reject();
        });
        command();
        settle();
        if (!opened)
            m_faults << QStringLiteral("%1: %2 opened no dialog").arg(m_program, what);
    }

    QStringList faults() const { return m_faults; }
    QSet<QString> seen() const { return m_seen; }

private:
    void fault(const QWidget* window, const QString& state, const QString& text)
    {
        const QString line = QStringLiteral("%1: %2 (%3): %4").arg(m_program, windowName(window), state, text);
        // One line per widget and fault, on whichever page it showed first.
        const QString key = windowName(window) + text;
        if (m_keys.contains(key))
            return;
        m_keys.insert(key);
        m_faults << line;
    }

    void check(QWidget* window, const QString& state)
    {
        const QList<QWidget*> widgets = window->findChildren<QWidget*>();
        for (const QWidget* widget : widgets) {
            if (widget->window() != window || !widget->isVisible())
                continue;
            if (const auto* bar = qobject_cast<const QTabBar*>(widget)) {
                checkTabBar(window, state, bar);
                continue;
            }
            const QString text = textOf(widget);
            if (text.isEmpty())
                continue;
            const int needed = widget->minimumSizeHint().width();
            if (widget->width() < needed)
                fault(window, state,
                      QStringLiteral("%1 is %2 px wide, needs %3").arg(widgetName(widget, text)).arg(widget->width()).arg(needed));
            else if (!scrolled(widget) && visibleWidth(widget) < widget->width())
                fault(window, state,
                      QStringLiteral("%1 is cut to %2 of %3 px by its parent")
                          .arg(widgetName(widget, text))
                          .arg(visibleWidth(widget))
                          .arg(widget->width()));
        }
    }

    void checkTabBar(QWidget* window, const QString& state, const QTabBar* bar)
    {
        const QString name = widgetName(bar, QString());
        for (const QToolButton* arrow : bar->findChildren<QToolButton*>()) {
            if (arrow->isVisible())
                fault(window, state, QStringLiteral("%1 shows scroll arrows").arg(name));
        }
        for (int i = 0; i < bar->count(); ++i) {
            if (!bar->isTabVisible(i))
                continue;
            const QRect rect = bar->tabRect(i);
            const int needed = tabSizeHint(bar, i).width();
            if (rect.width() < needed)
                fault(window, state,
                      QStringLiteral("%1 tab \"%2\" is %3 px wide, needs %4").arg(name, bar->tabText(i)).arg(rect.width()).arg(needed));
            else if (rect.right() >= bar->width() || visibleWidth(bar) < bar->width())
                fault(window, state, QStringLiteral("%1 tab \"%2\" is cut by the window").arg(name, bar->tabText(i)));
        }
    }

    QString m_program;
    QStringList m_faults;
    QSet<QString> m_keys;
    QSet<QString> m_seen;
};

} // namespace

class WholeTextTest : public QObject
{
    Q_OBJECT

private:
    // Opens every window and dialog a program has, in the order an author
    // meets them, and checks each.
    template <typename Window> void checkProgram(const char* executable)
    {
        QFETCH(int, pointSizeStep);
        const QFont desktop = QApplication::font();
        QFont font = desktop;
        font.setPointSize(desktop.pointSize() + pointSizeStep);
        QApplication::setFont(font);
        const auto restore = qScopeGuard([&] { QApplication::setFont(desktop); });
        ProgramWindowWorld<Window> world(executable);
        Window& window = world.window();
        Checker checker{QString::fromLatin1(executable)};
        const auto action = [&](const char* name) {
            return window.template findChild<QAction*>(QString::fromLatin1(name));
        };

        checker.checkShownWindows(QStringLiteral("at start, root selected"));
        for (const char* name : {"Templates1", "WebBrowser1", "BuildHTML1", "Publish1"}) {
            QAction* command = action(name);
            QVERIFY2(command, name);
            window.setModified(false);
            checker.checkModal(QLatin1String(name), [command] { command->trigger(); });
        }
        // The about box is a message box of the platform's kind.
        kzt::MessageBox::setScripted(false);
        checker.checkModal(QStringLiteral("About1"), [&] { action("About1")->trigger(); });
        kzt::MessageBox::setScripted(true);

        // An item of each kind the panels show.
        world.click("tlbtnInsert");
        kzt::TreeNode* item = window.agent().tree().root()->lastChild();
        QVERIFY(item);
        world.select(item);
        checker.checkShownWindows(QStringLiteral("item selected"));
        // The bulk copy dialog from every page that offers it.
        for (QAbstractButton* button : window.template findChildren<QAbstractButton*>()) {
            if (!button->objectName().contains(QLatin1String("GlobalChange"))
                && !button->objectName().contains(QLatin1String("GlobalPropertiesChange")))
                continue;
            reveal(button);
            if (!button->isVisible())
                continue;
            checker.checkModal(button->objectName(), [button] { button->click(); });
        }

        // The companion windows: help (the built-in viewer, as no browser
        // starts here) and, where there is one, the preview window.
        world.launches().setFailing(true);
        if constexpr (requires { window.showPreviewWindow(); })
            window.showPreviewWindow();
        action("HelpTopics1")->trigger();
        settle();
        for (QToolButton* help : window.template findChildren<QToolButton*>()) {
            if (help->property("helpTopic").isValid()) {
                reveal(help);
                help->click();
                break;
            }
        }
        checker.checkShownWindows(QStringLiteral("with its companion windows"));

        QStringList seen = checker.seen().values();
        seen.sort();
        qInfo("%s: checked %s", executable, qPrintable(seen.join(QStringLiteral(", "))));
        // Every fault in full: the test's own message is cut short.
        const QStringList faults = checker.faults();
        for (const QString& fault : faults)
            qWarning("%s", qPrintable(fault));
        QVERIFY2(faults.isEmpty(), qPrintable(QStringLiteral("%1 texts cut (listed above)").arg(faults.size())));
        QVERIFY2(seen.size() >= 7, "fewer windows and dialogs than the program has");
    }

    // The desktop's default font, and a larger one as many desktops choose.
    static void fonts()
    {
        QTest::addColumn<int>("pointSizeStep");
        QTest::newRow("default font") << 0;
        QTest::newRow("larger font") << 2;
    }

private slots:
    void initTestCase()
    {
        qInfo("default font: %s", qPrintable(QApplication::font().toString()));
    }
    void dulcamonWindowsShowTextWhole_data() { fonts(); }
    void kestravoWindowsShowTextWhole_data() { fonts(); }
    void vantrelWindowsShowTextWhole_data() { fonts(); }
    void osmerinWindowsShowTextWhole_data() { fonts(); }
    void dulcamonWindowsShowTextWhole() { checkProgram<dulcamon::TMainForm>("dulcamon"); }
    void kestravoWindowsShowTextWhole() { checkProgram<kestravo::TMainForm>("kestravo"); }
    void vantrelWindowsShowTextWhole() { checkProgram<vantrel::TMainForm>("vantrel"); }
    void osmerinWindowsShowTextWhole() { checkProgram<osmerin::TMainForm>("osmerin"); }
};

QTEST_MAIN(WholeTextTest)
#include "WholeTextTest.moc"
