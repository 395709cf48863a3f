#pragma once

#include "vantrel/preview/TKZTScrollBar.h"
#include "PreviewDrawing.h"

#include <QImage>
#include <QWidget>

#include <array>
#include <cstdint>
#include <functional>
#include <vector>

namespace kzt {
class TkztAppletAgent;
}

namespace vantrel {

// The native preview: a small always-on-top tool window that draws the
// applet as it would lay the menu out, from the agent's records. It keeps one
// picture per item and state, so a refresh after an edit renders the
// selected item only and copies every other item from its picture. All
// drawing goes to an off-screen frame that reaches the window in one copy.
class TfrmWysiwyg : public QWidget
{
    Q_OBJECT

public:
    enum ItemState : int { Normal = 0, MouseOver = 1, Clicked = 2 };

    // The cached pictures hold no more pixels than this in all, whatever a
    // hand-edited file asks for; an item past it is rendered when it is on
    // screen and not kept.
    static constexpr std::int64_t kCachePixelBudget = 32ll * 1024 * 1024;

    explicit TfrmWysiwyg(kzt::TkztAppletAgent& agent, QWidget* parent = nullptr);

    // Draws the loading screen or the menu into the frame (when drawing is
    // enabled) and shows it; `selected` is the item whose picture is
    // rendered again first (-1 for none).
    void refresh(int selected);

    // The item picture cache: three pictures per item, in item list order.
    void rebuildCache();
    // Fresh pictures at index, rendered; appends at the cache's length and
    // ignores a larger index.
    void insertItem(int index);
    void deleteItem(int index);
    // Exchanges the entry with the one before it.
    void swapItem(int index);
    // Puts the entries [middle, end) in front of [first, middle), as when a
    // subtree moves past its sibling's; out-of-range runs are ignored.
    void rotateItems(int first, int middle, int end);
    void renderItemState(int index, int state);

    // The client size follows ApWidth and ApHeight (each kept in
    // 1..kzt::kMaxSurfaceSide); this resize never reaches the resize callback.
    void applyAppletSize();
    // Told the client size when the user resizes the window to another
    // size than the records give.
    void setResizeCallback(std::function<void(int width, int height)> callback);
    // Gives the selected item for refreshes the window starts itself (a
    // repaint after being covered, a new size); -1 without it.
    void setSelectionSource(std::function<int()> source);

    // The switches the editor sets from its active property page.
    void setLoadingPage(bool on) { m_loadingPage = on; }
    void setItemGeneralPage(bool on) { m_itemGeneralPage = on; }
    void setItemNormalPage(bool on) { m_itemNormalPage = on; }
    void setItemOverPage(bool on) { m_itemOverPage = on; }
    void setItemClickedPage(bool on) { m_itemClickedPage = on; }
    void setDrawingEnabled(bool on) { m_drawingEnabled = on; }
    bool loadingPage() const { return m_loadingPage; }
    bool itemGeneralPage() const { return m_itemGeneralPage; }
    bool itemNormalPage() const { return m_itemNormalPage; }
    bool itemOverPage() const { return m_itemOverPage; }
    bool itemClickedPage() const { return m_itemClickedPage; }
    bool drawingEnabled() const { return m_drawingEnabled; }
    // The state the items are shown in.
    int shownState() const;

    // What the last refresh made, for the editor's checks and the tests.
    const QImage& frame() const { return m_frame; }
    // Item rectangles of the last menu drawing (second pass), clipped to int.
    const std::vector<kzt::Box>& itemBoxes() const { return m_boxes; }
    int scrollOffset() const { return m_scrollOffset; }
    TKZTScrollBar* scrollBar() const { return m_scrollBar; }
    std::size_t cacheLength() const { return m_cache.size(); }
    // A null image for an item too large to draw or out of range.
    QImage cachedPicture(int index, int state) const;
    // How many item pictures were rendered since the window was made.
    std::int64_t renderCount() const { return m_renderCount; }

signals:
    // The window was closed or hidden.
    void closed();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    using Entry = std::array<QImage, 3>;

    bool draw(int selected);
    QSize surfaceSize() const;
    void newFrame(int width, int height);
    void drawMenu(int selected);
    void drawLoadingScreen();
    void scrolled();
    QImage picture(std::string_view name);
    QSize appletSize() const;
    void storePicture(Entry& entry, int state, QImage picture);
    // The item's picture in a state; null when it has no size to draw.
    QImage renderPicture(std::size_t index, int state);

    kzt::TkztAppletAgent& m_agent;
    TKZTScrollBar* m_scrollBar = nullptr;
    std::vector<Entry> m_cache;
    std::int64_t m_cachePixels = 0;
    std::vector<kzt::Box> m_boxes;
    QImage m_frame;
    int m_scrollOffset = 0;
    bool m_drawing = false;
    bool m_loadingPage = false;
    bool m_itemGeneralPage = true;
    bool m_itemNormalPage = false;
    bool m_itemOverPage = false;
    bool m_itemClickedPage = false;
    bool m_drawingEnabled = true;
    std::int64_t m_renderCount = 0;
    // Pictures decoded during one rebuild, by name; empty otherwise, so a
    // file picked again under the same name is read afresh.
    std::vector<std::pair<std::string, QImage>> m_pictureMemo;
    std::int64_t m_memoPixels = 0;
    bool m_memoActive = false;
    std::function<void(int, int)> m_resizeCallback;
    std::function<int()> m_selectionSource;
};

} // namespace vantrel
