#pragma once

#include "PreviewDrawing.h"

#include <QColor>
#include <QImage>
#include <QTimer>
#include <QWidget>

namespace vantrel {

// A vertical scroll bar whose every part has its own colour, so the preview
// can show the bar the applet draws. Up button on top, down button at the
// bottom, a track with a block between; the block can be dragged, and the
// buttons and the track repeat while held: one step at once, then one every
// 100 ms.
class TKZTScrollBar : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(int MyWidth READ myWidth WRITE setMyWidth)
    Q_PROPERTY(int MyHeight READ myHeight WRITE setMyHeight)
    Q_PROPERTY(QColor BackgroundColor READ backgroundColor WRITE setBackgroundColor)
    Q_PROPERTY(QColor ScrollBlockColor READ scrollBlockColor WRITE setScrollBlockColor)
    Q_PROPERTY(QColor UpButtonColor READ upButtonColor WRITE setUpButtonColor)
    Q_PROPERTY(QColor DownButtonColor READ downButtonColor WRITE setDownButtonColor)
    Q_PROPERTY(QColor UpButtonArrowColor READ upButtonArrowColor WRITE setUpButtonArrowColor)
    Q_PROPERTY(QColor DownButtonArrowColor READ downButtonArrowColor WRITE setDownButtonArrowColor)
    Q_PROPERTY(int Position READ position WRITE setPosition)
    Q_PROPERTY(int PageSize READ pageSize WRITE setPageSize)
    Q_PROPERTY(int Minimal READ minimal WRITE setMinimal)
    Q_PROPERTY(int Maximal READ maximal WRITE setMaximal)

public:
    static constexpr int kLineStep = 10;
    static constexpr int kPageStep = 3 * kLineStep;
    static constexpr int kRepeatMilliseconds = 100;

    explicit TKZTScrollBar(QWidget* parent = nullptr);

    int myWidth() const { return m_myWidth; }
    int myHeight() const { return m_myHeight; }
    // The bar's size follows these two; the parts are laid out again.
    void setMyWidth(int width);
    void setMyHeight(int height);

    // Colours show at the next paint.
    QColor backgroundColor() const { return m_backgroundColor; }
    QColor scrollBlockColor() const { return m_scrollBlockColor; }
    QColor upButtonColor() const { return m_upButtonColor; }
    QColor downButtonColor() const { return m_downButtonColor; }
    QColor upButtonArrowColor() const { return m_upButtonArrowColor; }
    QColor downButtonArrowColor() const { return m_downButtonArrowColor; }
    void setBackgroundColor(const QColor& color) { m_backgroundColor = color; }
    void setScrollBlockColor(const QColor& color) { m_scrollBlockColor = color; }
    void setUpButtonColor(const QColor& color) { m_upButtonColor = color; }
    void setDownButtonColor(const QColor& color) { m_downButtonColor = color; }
    void setUpButtonArrowColor(const QColor& color) { m_upButtonArrowColor = color; }
    void setDownButtonArrowColor(const QColor& color) { m_downButtonArrowColor = color; }

    // Each range setter clamps the position, lays the parts out, repaints and
    // reports a change of position.
    int position() const { return m_position; }
    int pageSize() const { return m_pageSize; }
    int minimal() const { return m_minimal; }
    int maximal() const { return m_maximal; }
    void setPosition(int position);
    void setPageSize(int pageSize);
    void setMinimal(int minimal);
    void setMaximal(int maximal);

    // The parts as left, top, right, bottom; the block is empty until the
    // first layout.
    kzt::Box upButton() const { return m_upButton; }
    kzt::Box downButton() const { return m_downButton; }
    kzt::Box scrollBlock() const { return m_block; }
    int trackLength() const { return int(m_trackLength); }
    bool isRepeating() const { return m_repeat.isActive(); }

    // The bar as it paints, MyWidth by MyHeight (each capped to a surface).
    QImage paintImage() const;

signals:
    // The position differs from the one last reported.
    void OnChange(vantrel::TKZTScrollBar* Sender);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void layoutParts();
    void placeBlock();
    void step();
    void startRepeat(int step);
    void stopPressing();
    void change();

    int m_myWidth = 20;
    int m_myHeight = 100;
    QColor m_backgroundColor{0, 0, 0};
    QColor m_scrollBlockColor{128, 128, 128};
    QColor m_upButtonColor{255, 0, 0};
    QColor m_downButtonColor{0, 128, 0};
    QColor m_upButtonArrowColor{0, 0, 255};
    QColor m_downButtonArrowColor{255, 255, 0};
    int m_position = 0;
    int m_pageSize = 0;
    int m_minimal = 5;
    int m_maximal = 100;

    qint64 m_range = 0;
    qint64 m_trackLength = 0;
    qint64 m_blockLength = 0;
    qint64 m_blockOffset = 0;
    kzt::Box m_upButton;
    kzt::Box m_downButton;
    kzt::Box m_block;
    bool m_upHeld = false;
    bool m_downHeld = false;
    bool m_dragging = false;
    int m_lastY = 0;
    int m_step = 0;
    int m_lastReported = 0;
    QTimer m_repeat;
};

} // namespace vantrel
