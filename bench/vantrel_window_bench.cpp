// The vantrel window with a project open and the native preview shown: how
// long each interaction takes, the preview's redraw and repaint included.
// Usage: vantrel_window_bench [ITEMS] [LARGE_ITEMS]   (default 1000 and 100000)

#include "WindowBench.h"
#include "vantrel/core/VantrelFields.h"
#include "vantrel/core/VantrelProfile.h"
#include "vantrel/gui/TMainForm.h"
#include "vantrel/gui/VantrelPanels.h"
#include "vantrel/preview/TfrmWysiwyg.h"

#include <QSpinBox>
#include <QTabWidget>

using namespace windowbench;

namespace {

void settleBoth(QWidget& window, QWidget& preview)
{
    settle(window);
    preview.repaint();
}

} // namespace

int main(int argc, char** argv)
{
    QTemporaryDir dir;
    isolate(dir);
    QApplication app(argc, argv);
    const std::size_t items = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 1000;
    const std::size_t largeItems = argc > 2 ? std::strtoul(argv[2], nullptr, 10) : 100000;
    kzt::MessageBox::setScripted(true);

    const Product product{vantrel::VantrelProfile::instance(), "vantrel", VANTREL_SOURCE_SHARE_DIR,
                          vantrel::ICaption, vantrel::Level, "edtICaption"};
    const QString project = writeProject(product, dir.path(), QStringLiteral("menu"), items);
    const QString large = largeItems ? writeProject(product, dir.path(), QStringLiteral("large"), largeItems) : QString();

    vantrel::TMainForm window(windowPaths(product, dir.path()));
    window.show();
    window.showPreviewWindow();
    vantrel::TfrmWysiwyg& preview = *window.previewWindow();
    settleBoth(window, preview);
    kzt::TkztAppletAgent& agent = window.agent();

    auto start = Clock::now();
    window.OpenProject(project);
    settleBoth(window, preview);
    std::printf("vantrel window, %zu items, preview shown\n", agent.Items.size());
    std::printf("  %-34s %8.3f ms\n", "open, cache rebuilt and drawn", millisecondsSince(start));

    std::mt19937 random(5);
    auto randomItem = [&] { return agent.NodeOfItem(random() % agent.Items.size()); };
    Figures select, caption, lookEdit, insert, remove, moveUp, moveDown, pageSwitch;
    auto* edited = window.findChild<QLineEdit*>(QStringLiteral("edtICaption"));
    auto* fontSize = window.findChild<QSpinBox*>(QStringLiteral("spnedtItNoFntSize"));
    QTabWidget* pages = window.panels()->pgcntrlApplet;
    for (int run = 0; run < 60; ++run) {
        kzt::TreeNode* node = randomItem();
        start = Clock::now();
        window.selectNode(node);
        settleBoth(window, preview);
        select.add(millisecondsSince(start));

        start = Clock::now();
        edited->setText(QStringLiteral("edit %1").arg(run));
        settleBoth(window, preview);
        caption.add(millisecondsSince(start));

        start = Clock::now();
        pages->setCurrentIndex(vantrel::VantrelPanels::ItemNormalPage);
        settleBoth(window, preview);
        pageSwitch.add(millisecondsSince(start));

        start = Clock::now();
        fontSize->setValue(10 + run % 10);
        settleBoth(window, preview);
        lookEdit.add(millisecondsSince(start));

        start = Clock::now();
        window.Insert1Click();
        settleBoth(window, preview);
        insert.add(millisecondsSince(start));

        window.selectNode(node->lastChild());
        kzt::MessageBox::setNextAnswer(kzt::MessageBox::Yes);
        start = Clock::now();
        window.Delete1Click();
        settleBoth(window, preview);
        remove.add(millisecondsSince(start));

        kzt::TreeNode* mover = randomItem();
        while (!mover->previousSibling() || !mover->nextSibling())
            mover = randomItem();
        window.selectNode(mover);
        settleBoth(window, preview);
        start = Clock::now();
        window.MoveUp1Click();
        settleBoth(window, preview);
        moveUp.add(millisecondsSince(start));
        start = Clock::now();
        window.MoveDown1Click();
        settleBoth(window, preview);
        moveDown.add(millisecondsSince(start));
    }
    select.print("select an item");
    caption.print("edit the caption (3 looks redrawn)");
    pageSwitch.print("switch to a look's page");
    lookEdit.print("edit a look's font size");
    insert.print("insert");
    remove.print("delete");
    moveUp.print("move up");
    moveDown.print("move down");
    std::printf("  goal: under 16 ms each\n");
    if (!agent.IsConsistent() || preview.cacheLength() != agent.Items.size())
        std::printf("  records, tree and preview cache disagree!\n");

    if (!large.isEmpty()) {
        window.setModified(false);
        start = Clock::now();
        window.OpenProject(large);
        settleBoth(window, preview);
        std::printf("vantrel window, %zu items, preview shown\n", agent.Items.size());
        std::printf("  %-34s %8.3f ms\n", "open, cache rebuilt and drawn", millisecondsSince(start));
        Figures largeSelect, largeInsert, largeDelete;
        for (int run = 0; run < 10; ++run) {
            kzt::TreeNode* node = randomItem();
            start = Clock::now();
            window.selectNode(node);
            settleBoth(window, preview);
            largeSelect.add(millisecondsSince(start));
            start = Clock::now();
            window.Insert1Click();
            settleBoth(window, preview);
            largeInsert.add(millisecondsSince(start));
            window.selectNode(node->lastChild());
            kzt::MessageBox::setNextAnswer(kzt::MessageBox::Yes);
            start = Clock::now();
            window.Delete1Click();
            settleBoth(window, preview);
            largeDelete.add(millisecondsSince(start));
        }
        largeSelect.print("select an item");
        largeInsert.print("insert");
        largeDelete.print("delete");
        if (!agent.IsConsistent() || preview.cacheLength() != agent.Items.size())
            std::printf("  records, tree and preview cache disagree!\n");
    }
    window.setModified(false);
    window.close();
    return 0;
}
