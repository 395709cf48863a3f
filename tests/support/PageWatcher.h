#pragma once

#include <QProcess>
#include <QString>

// A page held open in headless Chromium (tests/browser/page-watcher.js):
// counts its loads and whether the last one shows a text.
class PageWatcher
{
public:
    // Why no page can be watched here (no Node.js, no Chromium, no
    // tests/browser packages); empty when one can.
    static QString unavailable();

    PageWatcher(const QString& url, const QString& text);
    ~PageWatcher();
    PageWatcher(const PageWatcher&) = delete;
    PageWatcher& operator=(const PageWatcher&) = delete;

    // The text later loads are checked for.
    void lookFor(const QString& text) { m_process.write(text.toUtf8() + '\n'); m_process.waitForBytesWritten(1000); }
    // Reads what the watcher reported so far.
    void poll();
    int loads() { poll(); return m_loads; }
    bool lastShows() { poll(); return m_shows; }
    // When the browser finished the last load, in milliseconds since the
    // epoch (QDateTime::currentMSecsSinceEpoch()).
    qint64 lastLoadAt() { poll(); return m_lastLoadAt; }
    // The last load as the page's own clock saw it, on the same clock.
    struct Timing
    {
        qint64 navigationStart = -1; // the reload was asked for
        qint64 fetchStart = -1;      // the browser set out to fetch the page
        qint64 requestStart = -1;    // the request went out on a connection
        qint64 responseStart = -1;   // the page's first byte came
        qint64 responseEnd = -1;     // its last byte came
        qint64 contentLoaded = -1;   // DOMContentLoaded handlers ran
        qint64 loadStart = -1;       // the load event began
    };
    Timing lastTiming() { poll(); return m_timing; }
    QString errors() { return QString::fromLocal8Bit(m_process.readAllStandardError()); }

private:
    QProcess m_process;
    QByteArray m_pending;
    int m_loads = 0;
    bool m_shows = false;
    qint64 m_lastLoadAt = -1;
    Timing m_timing;
};
