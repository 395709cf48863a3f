#pragma once

#include <QColor>
#include <QFrame>

namespace kzt {

// A clickable colour panel: shows one colour and asks for another on a click.
// An invalid colour stands for a value that names none.
class ColorSwatch : public QFrame
{
    Q_OBJECT
public:
    explicit ColorSwatch(QWidget* parent = nullptr);

    QColor color() const { return m_color; }
    void setColor(const QColor& color);

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    QColor m_color = Qt::white;
};

} // namespace kzt
