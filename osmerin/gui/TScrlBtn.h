#pragma once

#include <QColor>
#include <QWidget>

namespace osmerin {

// One of the preview's two scroll buttons: a raised face with an arrow,
// drawn off screen and copied in one go so refreshes do not flicker.
class TScrlBtn : public QWidget
{
    Q_OBJECT
public:
    explicit TScrlBtn(QWidget* parent = nullptr);

    QColor BGColor = Qt::black;
    QColor ArrowColor = Qt::black;
    int ArrowDir = 0; // 0 up, 1 down, 2 left, 3 right
    int ID = 0;       // 0 Up/Left, 1 Down/Right

    // The button's picture at its present size.
    QImage render() const;

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace osmerin
