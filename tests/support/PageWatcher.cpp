#include "PageWatcher.h"

#include <QFileInfo>
#include <QStandardPaths>

namespace {

QString browserTests()
{
    return QStringLiteral(KZT_SOURCE_DIR "/tests/browser");
}

QString chromium()
{
    const QByteArray chosen = qgetenv("KZT_CHROMIUM");
    return chosen.isEmpty() ? QStringLiteral("/usr/bin/chromium") : QString::fromLocal8Bit(chosen);
}

// Found once, before a window test empties PATH.
const QString& node()
{
    static const QString path = QStandardPaths::findExecutable(QStringLiteral("node"));
    return path;
}

} // namespace

QString PageWatcher::unavailable()
{
    if (node().isEmpty())
        return QStringLiteral("no node on PATH");
    if (!QFileInfo(chromium()).isExecutable())
        return QStringLiteral("no Chromium at ") + chromium();
    if (!QFileInfo::exists(browserTests() + QStringLiteral("/node_modules/playwright-core")))
        return QStringLiteral("tests/browser has no node_modules: run npm ci there");
    return {};
}

PageWatcher::PageWatcher(const QString& url, const QString& text)
{
    m_process.setWorkingDirectory(browserTests());
    m_process.start(node(),
                    {QStringLiteral("page-watcher.js"), url, text});
}

PageWatcher::~PageWatcher()
{
    m_process.closeWriteChannel();
    if (!m_process.waitForFinished(10000)) {
        m_process.kill();
        m_process.waitForFinished(2000);
    }
}

void PageWatcher::poll()
{
    m_pending += m_process.readAllStandardOutput();
    for (;;) {
        const qsizetype end = m_pending.indexOf('\n');
        if (end < 0)
            return;
        const QList<QByteArray> fields = m_pending.left(end).split(' ');
        m_pending.remove(0, end + 1);
        if (fields.size() >= 4 && fields[0] == "load") {
            m_loads = fields[1].toInt();
            m_shows = fields[2] == "1";
            m_lastLoadAt = fields[3].toLongLong();
            m_timing = Timing{};
            if (fields.size() == 11)
                m_timing = Timing{fields[4].toLongLong(), fields[5].toLongLong(), fields[6].toLongLong(),
                                  fields[7].toLongLong(), fields[8].toLongLong(), fields[9].toLongLong(),
                                  fields[10].toLongLong()};
        }
    }
}
