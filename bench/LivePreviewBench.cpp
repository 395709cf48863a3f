// Edit to reload: the dulcamon window offscreen with a menu open and its
// Preview page open in headless Chromium; each edit of an item's caption is
// timed until the browser has loaded the page showing it, and split into
// its stages: the window's pause and republishing, the event's way to the
// page, the page's request, and the browser's work until the load event.
// Usage: live_preview_bench [ITEMS] [EDITS]   (default 1000 and 20)

#include "Launcher.h"
#include "LivePreview.h"
#include "PageWatcher.h"
#include "PreviewServer.h"
#include "WindowBench.h"
#include "dulcamon/core/DulcamonProfile.h"
#include "dulcamon/gui/TMainForm.h"

#include <QDateTime>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QTimer>

#include <chrono>
#include <functional>

namespace {

QByteArray loadAverage()
{
    QFile file(QStringLiteral("/proc/loadavg"));
    if (!file.open(QIODevice::ReadOnly))
        return "unknown";
    return file.readLine().trimmed();
}

double millisecondsSince(std::chrono::steady_clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

} // namespace

int main(int argc, char** argv)
{
    const windowbench::Product product{dulcamon::DulcamonProfile::instance(), "dulcamon", DULCAMON_SOURCE_SHARE_DIR,
                                       dulcamon::Caption, dulcamon::Level, "edtIDescription"};
    QTemporaryDir dir;
    windowbench::isolate(dir);
    QApplication app(argc, argv);
    const std::size_t items = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 1000;
    const int edits = argc > 2 ? std::atoi(argv[2]) : 20;
    const QString why = PageWatcher::unavailable();
    if (!why.isEmpty()) {
        std::fprintf(stderr, "live_preview_bench: %s\n", qPrintable(why));
        return 1;
    }
    kzt::MessageBox::setScripted(true);
    const QString project = windowbench::writeProject(product, dir.path(), QStringLiteral("menu"), items);
    dulcamon::TMainForm window(windowbench::windowPaths(product, dir.path()));
    window.show();
    windowbench::settle(window);
    window.OpenProject(project);
    windowbench::settle(window);

    // The browser is opened by the bench, on the address Preview gives it.
    kzt::Launcher::Recorder launches;
    window.Preview1Click();
    if (launches.launches().empty()) {
        std::fprintf(stderr, "live_preview_bench: Preview opened nothing\n");
        return 1;
    }
    PageWatcher page(launches.launches().back().target, QStringLiteral("Item 0"));
    // Waits as the editor does, in its event loop, looking every few
    // milliseconds: spinning instead would take a core from the browser.
    QTimer tick;
    tick.start(3);
    const auto waitFor = [&](const std::function<bool()>& done, int milliseconds) {
        QElapsedTimer timer;
        timer.start();
        while (!done() && timer.elapsed() < milliseconds)
            QApplication::processEvents(QEventLoop::WaitForMoreEvents);
        return done();
    };
    if (!waitFor([&] { return page.loads() >= 1 && window.livePreview()->server()->openEventStreams() == 1; }, 60000)) {
        std::fprintf(stderr, "live_preview_bench: the page did not open: %s\n", qPrintable(page.errors()));
        return 1;
    }
    window.treeView()->setCurrentIndex(window.treeModel()->index(0, 0, window.treeModel()->index(0, 0)));
    windowbench::settle(window);
    auto* caption = window.findChild<QLineEdit*>(QStringLiteral("edtICaption"));

    std::printf("dulcamon live preview, %zu items, %d edits (load average %s)\n", window.agent().Items.size(), edits,
                loadAverage().constData());

    // What republishing costs, stage by stage, outside the timed edits.
    {
        kzt::TkztAppletAgent& agent = window.agent();
        windowbench::Figures build, scripts, write;
        for (int i = 0; i < edits; ++i) {
            std::string text;
            auto start = std::chrono::steady_clock::now();
            (void)agent.BuildHTMLText(text);
            build.add(millisecondsSince(start));
            start = std::chrono::steady_clock::now();
            agent.CopyScriptsToPreview();
            scripts.add(millisecondsSince(start));
            start = std::chrono::steady_clock::now();
            (void)agent.WritePreviewPage(text);
            write.add(millisecondsSince(start));
            if (i == 0)
                std::printf("  the page: %zu bytes\n", text.size());
        }
        build.print("republish: build the page");
        scripts.print("republish: stage the scripts");
        write.print("republish: write the page");
    }

    windowbench::Figures figures;
    windowbench::Figures republished;
    windowbench::Figures untilLoadEvent;
    windowbench::Figures toNavigation, toFetch, toRequest, toFirstByte, toLastByte, toContentLoaded, toLoad, toSeen;
    qint64 sentAt = 0;
    QObject::connect(window.livePreview(), &kzt::LivePreview::reloadSent,
                     [&sentAt] { sentAt = QDateTime::currentMSecsSinceEpoch(); });
    for (int i = 0; i < edits; ++i) {
        const QString text = QStringLiteral("Edited caption %1").arg(i);
        page.lookFor(text);
        const int before = page.loads();
        const qint64 edited = QDateTime::currentMSecsSinceEpoch();
        caption->setText(text);
        if (!waitFor([&] { return page.loads() > before && page.lastShows(); }, 10000)) {
            std::fprintf(stderr, "live_preview_bench: edit %d did not reach the page\n", i);
            return 1;
        }
        figures.add(static_cast<double>(page.lastLoadAt() - edited));
        republished.add(static_cast<double>(sentAt - edited));
        const PageWatcher::Timing t = page.lastTiming();
        if (t.loadStart > 0 && t.contentLoaded > 0 && t.responseEnd > 0 && t.responseStart > 0) {
            toNavigation.add(static_cast<double>(t.navigationStart - sentAt));
            toFetch.add(static_cast<double>(t.fetchStart - t.navigationStart));
            toRequest.add(static_cast<double>(t.requestStart - t.fetchStart));
            toFirstByte.add(static_cast<double>(t.responseStart - t.requestStart));
            toLastByte.add(static_cast<double>(t.responseEnd - t.responseStart));
            toContentLoaded.add(static_cast<double>(t.contentLoaded - t.responseEnd));
            toLoad.add(static_cast<double>(t.loadStart - t.contentLoaded));
            toSeen.add(static_cast<double>(page.lastLoadAt() - t.loadStart));
            untilLoadEvent.add(static_cast<double>(t.loadStart - edited));
        }
        // Let the page settle on its stream before the next edit.
        waitFor([&] { return window.livePreview()->server()->openEventStreams() == 1; }, 5000);
    }
    republished.print("edit until the reload is sent");
    if (!toNavigation.samples.empty()) {
        toNavigation.print("sent until the page reloads");
        toFetch.print("reload until the fetch starts");
        toRequest.print("fetch until the request is sent");
        toFirstByte.print("request until the first byte");
        toLastByte.print("first byte until the last");
        toContentLoaded.print("last byte until DOMContentLoaded");
        toLoad.print("DOMContentLoaded until load");
        toSeen.print("load until the bench sees it");
    }
    if (!untilLoadEvent.samples.empty())
        untilLoadEvent.print("edit until the load event");
    figures.print("edit until the page has reloaded");
    std::printf("  (load average at the end %s)\n", loadAverage().constData());
    std::printf("  (a first edit republishes at once; edits within %d ms of a reload make one more when they pause)\n",
                kzt::LivePreview::kSettleMilliseconds);
    window.setModified(false);
    return 0;
}
