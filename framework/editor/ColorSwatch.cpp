#include "ColorSwatch.h"

#include <QMouseEvent>
#include <QPainter>

namespace kzt {

ColorSwatch::ColorSwatch(QWidget* parent) : QFrame(parent)
{
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(1);
    setMinimumSize(40, 20);
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::StrongFocus);
}

void ColorSwatch::setColor(const QColor& color)
{
    if (color == m_color)
        return;
    m_color = color;
    update();
}

void ColorSwatch::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
    QFrame::mouseReleaseEvent(event);
}

void ColorSwatch::paintEvent(QPaintEvent* event)
{
    {
        // A panel that does not apply is drawn light grey, as disabled
        // boxes are; its colour comes back with it.
        QPainter painter(this);
        const QColor fill = m_color.isValid() ? m_color : palette().color(QPalette::Base);
        painter.fillRect(contentsRect(), isEnabled() ? fill : QColor(192, 192, 192));
        // No colour (an empty or malformed value): hatched.
        if (!m_color.isValid() && isEnabled())
            painter.fillRect(contentsRect(), QBrush(palette().color(QPalette::WindowText), Qt::BDiagPattern));
    }
    QFrame::paintEvent(event);
}

} // namespace kzt
