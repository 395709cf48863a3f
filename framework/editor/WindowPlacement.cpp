#include "WindowPlacement.h"

#include "Settings.h"

#include <QSplitter>
#include <QTimer>

#include <algorithm>

namespace kzt {

namespace {

const QString kPaneWidth = QStringLiteral("TreePaneWidth");
// A kept width beyond this is a damaged value, not a tree pane.
constexpr int kWidestPane = 4000;

// Writes the pane's width once the author has stopped dragging, so a drag
// is one write and not one per mouse move.
class PaneWidthKeeper : public QObject
{
public:
    PaneWidthKeeper(QSplitter* splitter, const Settings& settings, const QString& key)
        : QObject(splitter), m_splitter(splitter), m_settings(settings), m_key(key)
    {
        m_timer.setSingleShot(true);
        m_timer.setInterval(500);
        connect(&m_timer, &QTimer::timeout, this, &PaneWidthKeeper::write);
        connect(splitter, &QSplitter::splitterMoved, this, [this] {
            m_moved = true;
            m_width = m_splitter->sizes().value(0);
            m_timer.start();
        });
    }
    ~PaneWidthKeeper() override
    {
        if (m_timer.isActive())
            write();
    }

private:
    void write()
    {
        m_timer.stop();
        if (m_moved && m_width > 0)
            m_settings.writeInt(m_key, kPaneWidth, m_width);
    }

    QSplitter* m_splitter;
    Settings m_settings;
    QString m_key;
    QTimer m_timer;
    bool m_moved = false;
    int m_width = 0;
};

} // namespace

QRect placeBeside(const QRect& main, const QSize& size, const QRect& screen, int narrowest, int gap)
{
    const int top = std::clamp(main.top(), screen.top(), std::max(screen.top(), screen.bottom() + 1 - size.height()));
    const int roomRight = screen.right() - main.right() - gap;
    const int roomLeft = main.left() - screen.left() - gap;
    if (roomRight >= size.width())
        return {main.right() + 1 + gap, top, size.width(), size.height()};
    if (roomLeft >= size.width())
        return {main.left() - gap - size.width(), top, size.width(), size.height()};
    const int room = std::max(roomRight, roomLeft);
    if (room >= narrowest) {
        if (roomRight >= roomLeft)
            return {main.right() + 1 + gap, top, roomRight, size.height()};
        return {screen.left(), top, roomLeft, size.height()};
    }
    const int left = std::clamp(main.right() + 1 + gap, screen.left(), std::max(screen.left(), screen.right() + 1 - size.width()));
    return {left, top, size.width(), size.height()};
}

void placePanes(QSplitter* splitter, QList<int> widths, const Settings& settings, const QString& key)
{
    const auto kept = settings.readInt(key, kPaneWidth);
    if (kept && *kept > 0 && *kept <= kWidestPane && !widths.isEmpty())
        widths[0] = *kept;
    splitter->setSizes(widths);
    new PaneWidthKeeper(splitter, settings, key);
}

} // namespace kzt
