// The bulk copy dialog on large vantrel menus: opening it (the whole tree
// copied and expanded), marking every item, and copying three looks and the
// general fields to all of them. Each figure should grow in step with the
// item count.
#include "AppletAgent.h"
#include "BenchSupport.h"
#include "TfrmGlobalPropertiesChange.h"
#include "TreeNode.h"
#include "vantrel/core/VantrelFields.h"
#include "vantrel/core/VantrelProfile.h"
#include "vantrel/gui/VantrelPropertyLayout.h"

#include <QApplication>
#include <QCheckBox>

#include <algorithm>
#include <cstdio>
#include <random>
#include <vector>

namespace {

// Items in depth-first order with random levels (each at most one deeper
// than the one before, six at most), the tree made from them in one pass as
// a file read makes it; every item with its own caption.
bool fill(kzt::TkztAppletAgent& agent, std::size_t count)
{
    std::mt19937 random(13);
    agent.Items.reserve(count);
    int level = 0;
    for (std::size_t i = 0; i < count; ++i) {
        level = i == 0 ? 0 : std::min<int>(6, static_cast<int>(random() % (level + 2)));
        kzt::TItemData item = agent.GetDefaultItemData();
        item.set(vantrel::Level, std::to_string(level));
        item.set(vantrel::ICaption, "Item " + std::to_string(i));
        agent.Items.push_back(std::move(item));
    }
    return agent.RebuildTreeFromLevels().ok();
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    std::printf("vantrel bulk copy dialog\n");
    for (std::size_t count : {1000u, 10000u, 100000u}) {
        bench::Folder folder("vantrel-bulk-bench");
        kzt::TkztAppletAgent agent(vantrel::VantrelProfile::instance(), folder.paths());
        agent.ResetToDefaults();
        if (!fill(agent, count))
            return 1;
        double openMs = 0;
        double markMs = 0;
        double copyMs = 0;
        {
            const auto start = std::chrono::steady_clock::now();
            kzt::TfrmGlobalPropertiesChange dialog(agent, count / 2, vantrel::globalPropertiesLayout());
            dialog.resize(900, 700);
            dialog.show();
            QApplication::processEvents();
            openMs = bench::millisecondsSince(start);
            const auto marking = std::chrono::steady_clock::now();
            dialog.SelectAllClick();
            QApplication::processEvents();
            markMs = bench::millisecondsSince(marking);
            dialog.SelectAllPropertiesClick();
            for (QCheckBox* box : dialog.findChildren<QCheckBox*>())
                box->setChecked(true);
            const auto copying = std::chrono::steady_clock::now();
            dialog.OkClick();
            QApplication::processEvents();
            copyMs = bench::millisecondsSince(copying);
        }
        if (!agent.IsConsistent()) {
            std::fprintf(stderr, "item list no longer matches the tree\n");
            return 1;
        }
        std::printf("  %7zu items: open %9.1f ms   select all %7.1f ms   copy everything %9.1f ms\n", count, openMs,
                    markMs, copyMs);
    }
    return 0;
}
