#include "vantrel/preview/TKZTScrollBar.h"

#include <QMouseEvent>
#include <QPainter>

#include <algorithm>
#include <limits>

namespace vantrel {

using namespace kzt;

namespace {

int toInt(qint64 value)
{
    return int(std::clamp<qint64>(value, std::numeric_limits<int>::min(),
                                  std::numeric_limits<int>::max()));
}

bool contains(const Box& box, const QPoint& point)
{
    return point.x() >= box.left && point.x() < box.right && point.y() >= box.top
        && point.y() < box.bottom;
}

int surfaceSide(int side)
{
    return std::clamp(side, 1, kMaxSurfaceSide);
}

} // namespace

TKZTScrollBar::TKZTScrollBar(QWidget* parent)
    : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    resize(std::clamp(m_myWidth, 0, kMaxSurfaceSide), std::clamp(m_myHeight, 0, kMaxSurfaceSide));
    m_upButton = {0, 0, m_myWidth - 1, m_myWidth - 1};
    m_downButton = {0, m_myHeight - m_myWidth + 1, m_myWidth - 1, m_myHeight - 1};
    m_trackLength = qint64(m_myHeight) - 2 * qint64(m_myWidth);
    m_repeat.setInterval(kRepeatMilliseconds);
    m_repeat.setTimerType(Qt::PreciseTimer);
    // Each tick waits its full interval after the one before, however late
    // that one came: a busy moment never brings two steps close together.
    m_repeat.setSingleShot(true);
    connect(&m_repeat, &QTimer::timeout, this, [this] {
        step();
        m_repeat.start();
    });
}

void TKZTScrollBar::setMyWidth(int width)
{
    m_myWidth = width;
    resize(std::clamp(m_myWidth, 0, kMaxSurfaceSide), height());
    layoutParts();
}

void TKZTScrollBar::setMyHeight(int height)
{
    m_myHeight = height;
    resize(width(), std::clamp(m_myHeight, 0, kMaxSurfaceSide));
    layoutParts();
}

void TKZTScrollBar::setPosition(int position)
{
    m_position = position;
    layoutParts();
}

void TKZTScrollBar::setPageSize(int pageSize)
{
    m_pageSize = pageSize;
    layoutParts();
}

void TKZTScrollBar::setMinimal(int minimal)
{
    m_minimal = minimal;
    layoutParts();
}

void TKZTScrollBar::setMaximal(int maximal)
{
    m_maximal = maximal;
    layoutParts();
}

// Computed in 64 bits: a long menu's range times the track overflows an int.
void TKZTScrollBar::layoutParts()
{
    const qint64 mn = m_minimal, mx = m_maximal, pageSize = m_pageSize;
    const qint64 position = std::max(std::min(mx - pageSize, qint64(m_position)), mn);
    m_position = toInt(position);
    m_range = mx - mn;
    m_pageSize = toInt(std::min(m_range, pageSize));
    m_trackLength = qint64(m_myHeight) - 2 * qint64(m_myWidth) + 2;
    const qint64 track = std::max<qint64>(m_trackLength, 0);
    if (m_range > 0) {
        // A negative page size (a border wider than half the window) gives
        // no block rather than one that runs backwards.
        m_blockLength = std::clamp<qint64>(m_trackLength * m_pageSize / m_range, 0, track);
        m_blockOffset = std::clamp<qint64>((position - mn) * m_trackLength / m_range, 0,
                                           track - m_blockLength);
    } else {
        // Nothing to scroll: the block fills the track.
        m_blockLength = track;
        m_blockOffset = 0;
    }
    placeBlock();
    m_upButton = {0, 0, m_myWidth - 1, m_myWidth - 3};
    m_downButton = {0, m_myHeight - m_myWidth + 1, m_myWidth - 1, m_myHeight - 1};
    update();
    change();
}

void TKZTScrollBar::placeBlock()
{
    m_block = {0, toInt(m_blockOffset + m_myWidth - 2), m_myWidth - 1,
               toInt(m_blockOffset + m_myWidth + m_blockLength)};
}

QImage TKZTScrollBar::paintImage() const
{
    QImage surface = makeSurface(surfaceSide(m_myWidth), surfaceSide(m_myHeight));
    fillBox(surface, {0, 0, m_myWidth, m_myHeight}, m_backgroundColor.rgb(), FillMode::Flat,
            m_backgroundColor.rgb());
    const auto button = [&](const Box& box, const QColor& color, bool held) {
        fillBox(surface, box, color.rgb(), FillMode::Flat, color.rgb());
        drawBorder(surface, box, 1, color.rgb(),
                   held ? BorderStyle::LoweredBevel : BorderStyle::RaisedBevel);
    };
    button(m_upButton, m_upButtonColor, m_upHeld);
    button(m_downButton, m_downButtonColor, m_downHeld);
    if (m_block.bottom > m_block.top)
        button(m_block, m_scrollBlockColor, false);
    const auto centerX = [](const Box& b) { return b.left + (b.right - b.left) / 2; };
    const auto centerY = [](const Box& b) { return b.top + (b.bottom - b.top) / 2; };
    fillArrow(surface, centerX(m_upButton), centerY(m_upButton), true, m_upButtonArrowColor.rgb());
    fillArrow(surface, centerX(m_downButton), centerY(m_downButton), false,
              m_downButtonArrowColor.rgb());
    return surface;
}

void TKZTScrollBar::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.drawImage(0, 0, paintImage());
}

void TKZTScrollBar::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    const QPoint at = event->position().toPoint();
    if (contains(m_upButton, at)) {
        m_upHeld = true;
        update();
        startRepeat(-kLineStep);
    } else if (contains(m_downButton, at)) {
        m_downHeld = true;
        update();
        startRepeat(kLineStep);
    } else if (contains(m_block, at)) {
        m_dragging = true;
        m_lastY = at.y();
        update();
    } else {
        startRepeat(at.y() <= m_block.top ? -kPageStep : kPageStep);
    }
}

void TKZTScrollBar::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        stopPressing();
}

void TKZTScrollBar::mouseMoveEvent(QMouseEvent* event)
{
    if (!m_dragging)
        return;
    const int y = event->position().toPoint().y();
    const qint64 dy = qint64(y) - m_lastY;
    m_lastY = y;
    // The block travels the same track the layout places it on, so the
    // bottom of the track is the end of the range.
    const qint64 lastOffset = std::max<qint64>(0, m_trackLength - m_blockLength);
    m_blockOffset = std::clamp<qint64>(m_blockOffset + dy, 0, lastOffset);
    if (m_range > 0 && m_trackLength > 0) {
        const qint64 nearest = (m_range * m_blockOffset + m_trackLength / 2) / m_trackLength + m_minimal;
        const qint64 last = std::max<qint64>(m_minimal, qint64(m_maximal) - m_pageSize);
        m_position = toInt(std::clamp<qint64>(nearest, m_minimal, last));
    }
    placeBlock();
    update();
    change();
}

void TKZTScrollBar::hideEvent(QHideEvent* event)
{
    // A hidden bar gets no mouse up; it must not keep scrolling.
    stopPressing();
    QWidget::hideEvent(event);
}

void TKZTScrollBar::startRepeat(int step)
{
    m_step = step;
    this->step();
    m_repeat.start();
}

void TKZTScrollBar::step()
{
    setPosition(toInt(qint64(m_position) + m_step));
}

void TKZTScrollBar::stopPressing()
{
    m_dragging = false;
    m_repeat.stop();
    m_upHeld = false;
    m_downHeld = false;
    update();
}

void TKZTScrollBar::change()
{
    if (m_position == m_lastReported)
        return;
    m_lastReported = m_position;
    emit OnChange(this);
}

} // namespace vantrel
