#include "vantrel/preview/TfrmWysiwyg.h"

#include "AppletAgent.h"
#include "AppletUtility.h"
#include "TextEncoding.h"
#include "vantrel/core/VantrelFields.h"

#include <QGuiApplication>
#include <QPaintEvent>
#include <QPainter>
#include <QScreen>

#include <algorithm>
#include <charconv>
#include <limits>

namespace vantrel {

using namespace kzt;

namespace {

using i64 = std::int64_t;

// Record text as the boxes and the tree show it, 8-bit text of older
// projects included.
QString recordText(std::string_view bytes)
{
    return QString::fromStdString(kzt::FieldToUtf8(bytes));
}

// Records hold decimal text; anything else reads as 0, and values are kept
// within int.
int number(std::string_view text)
{
    const char* begin = text.data();
    const char* end = begin + text.size();
    while (begin < end && *begin == ' ')
        ++begin;
    while (end > begin && end[-1] == ' ')
        --end;
    if (begin < end && *begin == '+')
        ++begin;
    i64 value = 0;
    const auto result = std::from_chars(begin, end, value);
    if (result.ec == std::errc::result_out_of_range)
        return (begin < end && *begin == '-') ? std::numeric_limits<int>::min() : std::numeric_limits<int>::max();
    if (result.ec != std::errc() || result.ptr != end)
        return 0;
    return int(std::clamp<i64>(value, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

// A colour field; a damaged one draws black.
QRgb colour(std::string_view text)
{
    const auto rgb = kzt::HexToColor(text);
    return rgb ? qRgb(rgb->red, rgb->green, rgb->blue) : qRgb(0, 0, 0);
}

int clampSide(i64 value)
{
    return int(std::clamp<i64>(value, 1, kMaxSurfaceSide));
}

int toInt(i64 value)
{
    return int(std::clamp<i64>(value, std::numeric_limits<int>::min() / 2, std::numeric_limits<int>::max() / 2));
}

const QString kPreviewCaption = QStringLiteral("Preview Form");

// Pictures kept by name during one rebuild, and their pixels in all.
constexpr std::size_t kMemoEntries = 64;
constexpr i64 kMemoPixels = 16ll * 1024 * 1024;

} // namespace

TfrmWysiwyg::TfrmWysiwyg(kzt::TkztAppletAgent& agent, QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::WindowStaysOnTopHint), m_agent(agent)
{
    setObjectName(QStringLiteral("frmWysiwyg"));
    setWindowTitle(kPreviewCaption);
    // The frame covers the whole client area, so nothing is erased first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    m_scrollBar = new TKZTScrollBar(this);
    m_scrollBar->setObjectName(QStringLiteral("KZTScrollBar"));
    // The preview's bar starts at the top of a range from 0.
    m_scrollBar->setMinimal(0);
    m_scrollBar->setPosition(0);
    m_scrollBar->hide();
    connect(m_scrollBar, &TKZTScrollBar::OnChange, this, [this](TKZTScrollBar*) { scrolled(); });
    applyAppletSize();
}

int TfrmWysiwyg::shownState() const
{
    if (m_itemOverPage)
        return MouseOver;
    if (m_itemClickedPage)
        return Clicked;
    return Normal;
}

QImage TfrmWysiwyg::cachedPicture(int index, int state) const
{
    if (index < 0 || std::size_t(index) >= m_cache.size() || state < 0 || state > 2)
        return {};
    return m_cache[std::size_t(index)][std::size_t(state)];
}

void TfrmWysiwyg::setResizeCallback(std::function<void(int, int)> callback)
{
    m_resizeCallback = std::move(callback);
}

void TfrmWysiwyg::setSelectionSource(std::function<int()> source)
{
    m_selectionSource = std::move(source);
}

QSize TfrmWysiwyg::appletSize() const
{
    const auto& applet = m_agent.AppletData;
    if (applet.size() < AppletFieldCount)
        return {200, 400};
    QSize size(clampSide(number(applet.get(ApWidth))), clampSide(number(applet.get(ApHeight))));
    // No window shows more pixels than its screen: a size past that (a
    // hand-edited file's, say) is cut to the screen, so the frame and the
    // window's own surface cost what a normal size does. The record keeps
    // its value.
    const QScreen* shownOn = screen() ? screen() : QGuiApplication::primaryScreen();
    if (shownOn) {
        const QSize available = shownOn->availableGeometry().size();
        if (i64(size.width()) * size.height() > i64(available.width()) * available.height())
            size = size.boundedTo(available.expandedTo(QSize(1, 1)));
    }
    return size;
}

void TfrmWysiwyg::applyAppletSize()
{
    const QSize size = appletSize();
    if (this->size() != size)
        resize(size);
}

QImage TfrmWysiwyg::picture(std::string_view name)
{
    if (m_memoActive) {
        for (const auto& [memoName, image] : m_pictureMemo)
            if (memoName == name)
                return image;
    }
    const QImage image = loadPicture(QString::fromStdString(m_agent.paths().previewDir.string()),
                                     QString::fromUtf8(name.data(), qsizetype(name.size())));
    const i64 pixels = i64(image.width()) * image.height();
    if (m_memoActive && m_pictureMemo.size() < kMemoEntries && m_memoPixels + pixels <= kMemoPixels) {
        m_pictureMemo.emplace_back(std::string(name), image);
        m_memoPixels += pixels;
    }
    return image;
}

void TfrmWysiwyg::storePicture(Entry& entry, int state, QImage picture)
{
    QImage& slot = entry[std::size_t(state)];
    m_cachePixels -= i64(slot.width()) * slot.height();
    slot = QImage();
    const i64 pixels = i64(picture.width()) * picture.height();
    if (m_cachePixels + pixels > kCachePixelBudget)
        return;
    m_cachePixels += pixels;
    slot = std::move(picture);
}

QImage TfrmWysiwyg::renderPicture(std::size_t index, int state)
{
    const auto& item = m_agent.Items[index];
    if (item.size() < ItemFieldCount)
        return {};
    const std::size_t b = kStates[state];
    const int width = number(item.get(IWidth));
    const int height = number(item.get(IHeight));
    // Wider or taller than any surface: the item draws nothing.
    QImage surface = makeSurface(width, height);
    if (surface.isNull())
        return {};
    const Box box{0, 0, width, height};
    fillBox(surface, box, colour(item.get(b + BgClr)), FillMode(number(item.get(b + BgGrdntFllDrctn))),
            colour(item.get(b + BgFdClr)));
    drawPicture(surface, box, picture(item.get(b + BgImg)), ImageAlign(number(item.get(b + BgImgAlign))),
                number(item.get(b + BgImgX)), number(item.get(b + BgImgY)));
    const QStringList lines = wrapText(recordText(item.get(ICaption)), width);
    TextLook look;
    look.fontIndex = number(item.get(b + FntName));
    look.size = number(item.get(b + FntSize));
    look.style = number(item.get(b + FntStyle));
    look.color = colour(item.get(b + TextClr));
    look.hAlign = HAlign(std::clamp(number(item.get(b + TextHAlign)), 0, 2));
    look.hOffset = number(item.get(b + TextHOffset));
    look.vAlign = VAlign(std::clamp(number(item.get(b + TextVAlign)), 0, 2));
    look.vOffset = number(item.get(b + TextVOffset));
    // The border width is the text's margin, with or without a border style.
    look.margin = std::clamp(number(item.get(b + BrdWidth)), 0, kMaxSurfaceSide);
    drawTextLines(surface, box, lines, look);
    drawBorder(surface, box, number(item.get(b + BrdWidth)), colour(item.get(b + BrdClr)),
               BorderStyle(number(item.get(b + BrdStyle))));
    return surface;
}

void TfrmWysiwyg::renderItemState(int index, int state)
{
    if (index < 0 || std::size_t(index) >= m_cache.size() || std::size_t(index) >= m_agent.Items.size()
        || state < 0 || state > 2)
        return;
    Entry& entry = m_cache[std::size_t(index)];
    ++m_renderCount;
    // Free the old picture first, so the budget counts the new one only.
    storePicture(entry, state, QImage());
    const auto& item = m_agent.Items[std::size_t(index)];
    if (item.size() >= ItemFieldCount) {
        const i64 pixels = i64(number(item.get(IWidth))) * number(item.get(IHeight));
        if (m_cachePixels + pixels > kCachePixelBudget)
            return;
    }
    storePicture(entry, state, renderPicture(std::size_t(index), state));
}

void TfrmWysiwyg::rebuildCache()
{
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    const std::size_t count = m_agent.Items.size();
    m_cache.clear();
    m_cache.shrink_to_fit();
    m_cachePixels = 0;
    m_cache.resize(count);
    m_memoActive = true;
    for (std::size_t i = 0; i < count; ++i)
        for (int state = 0; state < 3; ++state)
            renderItemState(int(i), state);
    m_memoActive = false;
    m_pictureMemo.clear();
    m_memoPixels = 0;
    QGuiApplication::restoreOverrideCursor();
}

void TfrmWysiwyg::insertItem(int index)
{
    if (index < 0 || std::size_t(index) > m_cache.size())
        return;
    m_cache.insert(m_cache.begin() + index, Entry{});
    for (int state = 0; state < 3; ++state)
        renderItemState(index, state);
}

void TfrmWysiwyg::deleteItem(int index)
{
    if (index < 0 || std::size_t(index) >= m_cache.size())
        return;
    for (const QImage& image : m_cache[std::size_t(index)])
        m_cachePixels -= i64(image.width()) * image.height();
    m_cache.erase(m_cache.begin() + index);
}

void TfrmWysiwyg::swapItem(int index)
{
    if (index <= 0 || std::size_t(index) >= m_cache.size())
        return;
    std::swap(m_cache[std::size_t(index)], m_cache[std::size_t(index) - 1]);
}

void TfrmWysiwyg::rotateItems(int first, int middle, int end)
{
    if (first < 0 || first > middle || middle > end || std::size_t(end) > m_cache.size())
        return;
    std::rotate(m_cache.begin() + first, m_cache.begin() + middle, m_cache.begin() + end);
}

void TfrmWysiwyg::refresh(int selected)
{
    if (draw(selected))
        update();
}

bool TfrmWysiwyg::draw(int selected)
{
    if (!m_drawingEnabled || m_drawing)
        return false;
    m_drawing = true;
    if (m_loadingPage)
        drawLoadingScreen();
    else
        drawMenu(selected);
    m_drawing = false;
    return true;
}

QSize TfrmWysiwyg::surfaceSize() const
{
    return {std::clamp(width(), 1, kMaxSurfaceSide), std::clamp(height(), 1, kMaxSurfaceSide)};
}

void TfrmWysiwyg::newFrame(int width, int height)
{
    // Everything is drawn over, so a frame of the right size is reused.
    if (m_frame.size() != QSize(width, height) || !m_frame.isDetached())
        m_frame = makeSurface(width, height);
}

void TfrmWysiwyg::drawMenu(int selected)
{
    const int clientWidth = surfaceSize().width();
    const int clientHeight = surfaceSize().height();
    newFrame(clientWidth, clientHeight);
    const Box client{0, 0, clientWidth, clientHeight};
    const auto& applet = m_agent.AppletData;
    m_boxes.clear();
    if (applet.size() < AppletFieldCount) {
        m_frame.fill(qRgb(255, 255, 255));
        m_scrollBar->hide();
        m_scrollOffset = 0;
        return;
    }
    fillBox(m_frame, client, colour(applet.get(ApBgClr)), FillMode(number(applet.get(ApBgGrdntFllDrctn))),
            colour(applet.get(ApBgFdClr)));
    drawPicture(m_frame, client, picture(applet.get(ApBgImg)), ImageAlign(number(applet.get(ApBgImgShowType))),
                number(applet.get(ApBgImgX)), number(applet.get(ApBgImgY)));

    const auto& items = m_agent.Items;
    if (m_cache.size() != items.size())
        rebuildCache();
    if (selected >= 0 && std::size_t(selected) < items.size()) {
        if (m_itemGeneralPage || m_itemNormalPage)
            renderItemState(selected, Normal);
        else if (m_itemOverPage)
            renderItemState(selected, MouseOver);
        else if (m_itemClickedPage)
            renderItemState(selected, Clicked);
    }

    const i64 border = number(applet.get(ApBrdWidth));
    // The two passes: without and with the scroll offset.
    std::vector<std::array<i64, 4>> rects(items.size());
    auto layout = [&](i64 offset) {
        i64 bottom = 0;
        for (std::size_t k = 0; k < items.size(); ++k) {
            const auto& item = items[k];
            const bool whole = item.size() >= ItemFieldCount;
            const i64 ix = whole ? number(item.get(IX)) : 0;
            const i64 iy = whole ? number(item.get(IY)) : 0;
            const i64 left = ix + border;
            const i64 top = k == 0 ? iy + border + offset : bottom + iy;
            bottom = top + (whole ? number(item.get(IHeight)) : 0);
            rects[k] = {left, top, left + (whole ? number(item.get(IWidth)) : 0), bottom};
        }
        return bottom;
    };
    const i64 lastBottom = layout(0);
    if (!items.empty() && lastBottom > clientHeight - border) {
        const int barWidth = int(std::clamp<i64>(number(applet.get(VSBWidth)), 0, kMaxSurfaceSide));
        const int barHeight = int(std::clamp<i64>(clientHeight - 2 * border, 0, kMaxSurfaceSide));
        const i64 left = applet.get(VSBAlign) == "1" ? clientWidth - border - barWidth : border + 1;
        m_scrollBar->move(toInt(left), toInt(border));
        m_scrollBar->setMyWidth(barWidth);
        m_scrollBar->setMyHeight(barHeight);
        m_scrollBar->setMinimal(0);
        m_scrollBar->setMaximal(toInt(lastBottom));
        m_scrollBar->setPageSize(barHeight);
        m_scrollBar->setBackgroundColor(QColor(colour(applet.get(VSBBgClr))));
        m_scrollBar->setScrollBlockColor(QColor(colour(applet.get(VSBVisibleClr))));
        m_scrollBar->setUpButtonColor(QColor(colour(applet.get(VSBUpBtnClr))));
        m_scrollBar->setDownButtonColor(QColor(colour(applet.get(VSBDownBtnClr))));
        m_scrollBar->setUpButtonArrowColor(QColor(colour(applet.get(VSBUpBtnArwClr))));
        m_scrollBar->setDownButtonArrowColor(QColor(colour(applet.get(VSBDownBtnArwClr))));
        m_scrollBar->show();
        m_scrollBar->update();
        m_scrollOffset = -m_scrollBar->position();
    } else {
        // The bar comes back at the top, where the items are now.
        m_scrollBar->hide();
        m_scrollBar->setPosition(m_scrollBar->minimal());
        m_scrollOffset = 0;
    }
    layout(m_scrollOffset);

    const int state = shownState();
    m_boxes.reserve(items.size());
    {
        QPainter painter(&m_frame);
        for (std::size_t k = 0; k < items.size(); ++k) {
            const auto& r = rects[k];
            m_boxes.push_back({toInt(r[0]), toInt(r[1]), toInt(r[2]), toInt(r[3])});
            if (r[2] <= 0 || r[0] >= clientWidth || r[3] <= 0 || r[1] >= clientHeight)
                continue;
            const QImage& image = m_cache[k][std::size_t(state)];
            if (!image.isNull())
                painter.drawImage(QPoint(int(r[0]), int(r[1])), image);
            else if (m_cachePixels + (r[2] - r[0]) * (r[3] - r[1]) > kCachePixelBudget)
                painter.drawImage(QPoint(int(r[0]), int(r[1])), renderPicture(k, state));
        }
    }
    drawBorder(m_frame, {0, 0, clientWidth, clientHeight}, number(applet.get(ApBrdWidth)),
               colour(applet.get(ApBrdClr)), BorderStyle(number(applet.get(ApBrdStyle))));
}

void TfrmWysiwyg::drawLoadingScreen()
{
    const int clientWidth = surfaceSize().width();
    const int clientHeight = surfaceSize().height();
    newFrame(clientWidth, clientHeight);
    m_boxes.clear();
    m_scrollBar->hide();
    const auto& applet = m_agent.AppletData;
    if (applet.size() < AppletFieldCount) {
        m_frame.fill(qRgb(255, 255, 255));
        return;
    }
    fillBox(m_frame, {0, 0, clientWidth, clientHeight}, colour(applet.get(ApLoadingBgClr)), FillMode::Flat, 0);

    auto message = [&](std::size_t show, std::size_t x, std::size_t y, std::size_t width, std::size_t font,
                       std::size_t size, std::size_t style, std::size_t color, std::size_t text) {
        if (applet.get(show) != "1")
            return;
        const int left = number(applet.get(x));
        const int top = number(applet.get(y));
        const int boxWidth = number(applet.get(width));
        const QStringList lines = wrapText(recordText(applet.get(text)), boxWidth);
        TextLook look;
        look.fontIndex = number(applet.get(font));
        look.size = number(applet.get(size));
        look.style = number(applet.get(style));
        look.color = colour(applet.get(color));
        look.hAlign = HAlign::Left;
        look.vAlign = VAlign::Top;
        look.margin = 0;
        drawTextLines(m_frame, {left, top, toInt(i64(left) + boxWidth), toInt(i64(top) + 800)}, lines, look);
    };
    message(ShowApLoadingMsg1, ApLoadingMsg1X, ApLoadingMsg1Y, ApLoadingMsg1Width, ApLoadingMsg1FntName,
            ApLoadingMsg1FntSize, ApLoadingMsg1FntStyle, ApLoadingMsg1Clr, ApLoadingMsg1);
    message(ShowApLoadingMsg2, ApLoadingMsg2X, ApLoadingMsg2Y, ApLoadingMsg2Width, ApLoadingMsg2FntName,
            ApLoadingMsg2FntSize, ApLoadingMsg2FntStyle, ApLoadingMsg2Clr, ApLoadingMsg2);

    if (applet.get(ShowLoadingBar) == "1") {
        const i64 x = number(applet.get(ApLoadingBarX));
        const i64 y = number(applet.get(ApLoadingBarY));
        const i64 w = number(applet.get(ApLoadingBarWidth));
        const i64 h = number(applet.get(ApLoadingBarHeight));
        const Box bar{toInt(x), toInt(y), toInt(x + w), toInt(y + h)};
        fillBox(m_frame, bar, colour(applet.get(ApLoadingBarBlankClr)), FillMode::Flat, 0);
        fillBox(m_frame, {toInt(x), toInt(y), toInt(x + w / 3), toInt(y + h)}, colour(applet.get(ApLoadingBarFillClr)),
                FillMode::Flat, 0);
        drawBorder(m_frame, bar, number(applet.get(ApLoadingBarBrdWidth)), colour(applet.get(ApLoadingBarBrdClr)),
                   BorderStyle(number(applet.get(ApLoadingBarBrdStyle))));
    }
}

void TfrmWysiwyg::scrolled()
{
    m_scrollOffset = -m_scrollBar->position();
    // A range set during drawing reports here too; that drawing goes on
    // with the new offset by itself.
    if (!m_drawing)
        refresh(-1);
}

void TfrmWysiwyg::paintEvent(QPaintEvent* event)
{
    // A new size since the last drawing: draw again before copying.
    if (m_frame.size() != surfaceSize())
        draw(m_selectionSource ? m_selectionSource() : -1);
    QPainter painter(this);
    if (m_frame.isNull())
        painter.fillRect(event->rect(), palette().window());
    else
        painter.drawImage(event->rect(), m_frame, event->rect());
}

void TfrmWysiwyg::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    if (m_resizeCallback && size() != appletSize())
        m_resizeCallback(width(), height());
    refresh(m_selectionSource ? m_selectionSource() : -1);
}

void TfrmWysiwyg::hideEvent(QHideEvent* event)
{
    QWidget::hideEvent(event);
    emit closed();
}

} // namespace vantrel
