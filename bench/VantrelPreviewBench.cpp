// The native preview window with 1,000 items on screen: a refresh after an
// edit of the selected item (that item rendered again, every other one copied
// from its picture, the frame copied once to the shown window), and a rebuild of the picture
// cache for all 1,000 items in their three looks. Prints the best and median
// of several runs.
#include "vantrel/preview/TfrmWysiwyg.h"

#include "AppletAgent.h"
#include "vantrel/core/VantrelDocument.h"
#include "vantrel/core/VantrelFields.h"
#include "vantrel/core/VantrelProfile.h"

#include <QApplication>
#include <QElapsedTimer>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

using namespace kzt;
using namespace vantrel;

namespace {

constexpr int kItems = 1000;

struct Figures
{
    double best;
    double median;
};

Figures measure(int runs, const std::function<void(int)>& work)
{
    std::vector<double> times;
    for (int run = 0; run < runs; ++run) {
        QElapsedTimer timer;
        timer.start();
        work(run);
        times.push_back(double(timer.nsecsElapsed()) / 1e6);
    }
    std::sort(times.begin(), times.end());
    return {times.front(), times[times.size() / 2]};
}

// Every item a box of its own look: the five fills, the five borders, the
// four faces and styles, a caption that wraps. Each item adds 8 pixels to the
// stack (20 high, 12 over the one before), so all 1,000 fit on a client 8,192
// high.
void fillDocument(kzt::TkztAppletAgent& agent)
{
    agent.ResetToDefaults();
    auto& applet = agent.AppletData;
    applet.set(ApWidth, "240");
    applet.set(ApHeight, "8192");
    applet.set(ApBgGrdntFllDrctn, "3");
    applet.set(ApBrdStyle, "3");
    for (int i = 0; i < kItems; ++i) {
        VantrelDocument::InsertItem(agent, nullptr);
        auto& item = agent.Items.back();
        item.set(ICaption, "Item " + std::to_string(i) + " with a caption that wraps");
        for (std::size_t b : kStates) {
            item.set(b + FntName, std::to_string(i % 4));
            item.set(b + FntStyle, std::to_string(i % 4));
            item.set(b + BgGrdntFllDrctn, std::to_string(i % 5));
            item.set(b + BrdStyle, std::to_string(i % 5));
            item.set(b + BrdWidth, std::to_string(i % 4));
        }
        item.set(IX, std::to_string(i % 40));
        item.set(IY, i == 0 ? "0" : "-12");
        item.set(IWidth, "160");
        item.set(IHeight, "20");
    }
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    kzt::TkztAppletAgent agent(VantrelProfile::instance(), kzt::AppPaths{});
    fillDocument(agent);
    TfrmWysiwyg window(agent);
    window.applyAppletSize();
    window.show();

    const Figures rebuild = measure(5, [&](int) { window.rebuildCache(); });
    window.refresh(-1);
    std::size_t onScreen = 0;
    for (const Box& box : window.itemBoxes())
        if (box.bottom > 0 && box.top < window.height())
            ++onScreen;

    const int selected = kItems / 2;
    const Figures edit = measure(50, [&](int run) {
        agent.Items[std::size_t(selected)].set(ItNoBgClr, run % 2 ? "FF8000" : "0080FF");
        window.refresh(selected);
        window.repaint();
    });

    // The editor's usual window, 200 by 400, over the same 1,000 items.
    agent.AppletData.set(ApWidth, "200");
    agent.AppletData.set(ApHeight, "400");
    window.applyAppletSize();
    window.refresh(-1);
    const Figures small = measure(50, [&](int run) {
        agent.Items[std::size_t(selected)].set(ItNoBgClr, run % 2 ? "FF8000" : "0080FF");
        window.refresh(selected);
        window.repaint();
    });

    std::printf("vantrel preview, %d items (%zu on a %dx%d client):\n", kItems, onScreen, 240, 8192);
    std::printf("  rebuild the cache (3 pictures each): best %.1f ms, median %.1f ms (target < 1000 ms)\n",
                rebuild.best, rebuild.median);
    std::printf("  refresh after editing the selected item: best %.2f ms, median %.2f ms (target < 16 ms)\n",
                edit.best, edit.median);
    std::printf("  the same on a 200x400 client: best %.2f ms, median %.2f ms\n", small.best, small.median);
    return 0;
}
