// Draws every fill, border and picture alignment and a few scroll bars into
// one PNG, to look at the drawing routines by eye.
//   vantrel_drawing_gallery OUTPUT.png
#include "vantrel/preview/TKZTScrollBar.h"
#include "PreviewDrawing.h"

#include <QApplication>
#include <QImage>
#include <QSaveFile>

#include <cstdio>

using namespace kzt;
using namespace vantrel;

namespace {

const QRgb kPage = qRgb(236, 236, 236);

void caption(QImage& surface, int x, int y, int width, const QString& text)
{
    TextLook look;
    look.size = 14;
    look.hAlign = HAlign::Left;
    look.vAlign = VAlign::Top;
    drawTextLines(surface, {x, y, x + width, y + 16}, wrapText(text, width + 40), look);
}

// A small picture with a marked corner, so alignment and tiling show.
QImage samplePicture()
{
    QImage picture(24, 16, QImage::Format_RGB32);
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            picture.setPixel(x, y, (x / 4 + y / 4) % 2 ? qRgb(40, 90, 200) : qRgb(250, 250, 250));
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 5; ++x)
            picture.setPixel(x, y, qRgb(220, 30, 30));
    return picture;
}

void fills(QImage& surface, int top)
{
    static const char* const names[] = {"Full fill", "Horizontal single", "Horizontal bi",
                                        "Vertical single", "Vertical bi"};
    for (int mode = 0; mode < 5; ++mode) {
        const int x = 20 + mode * 150;
        caption(surface, x, top, 140, QString::fromLatin1(names[mode]));
        fillBox(surface, {x, top + 18, x + 131, top + 18 + 61}, qRgb(0, 0, 160), FillMode(mode),
                qRgb(255, 200, 0));
    }
}

void borders(QImage& surface, int top, int width)
{
    static const char* const names[] = {"No Border", "Raised Frame", "Lowered Frame",
                                        "Raised Bevel", "Lowered Bevel"};
    for (int style = 0; style < 5; ++style) {
        const int x = 20 + style * 150;
        caption(surface, x, top, 140,
                QStringLiteral("%1, %2").arg(QString::fromLatin1(names[style])).arg(width));
        const Box box{x, top + 18, x + 130, top + 18 + 60};
        fillBox(surface, box, qRgb(120, 150, 190), FillMode::Flat, 0);
        drawBorder(surface, box, width, qRgb(192, 192, 192), BorderStyle(style));
    }
}

void pictures(QImage& surface, int top)
{
    static const char* const names[] = {"Free (5, 5)", "Center", "Left", "Right", "Tile", "Resize"};
    const QImage picture = samplePicture();
    for (int align = 0; align < 6; ++align) {
        const int x = 20 + align * 125;
        caption(surface, x, top, 120, QString::fromLatin1(names[align]));
        const Box box{x, top + 18, x + 110, top + 18 + 57};
        // Drawn on its own item surface, as the preview renders an item.
        QImage item = makeSurface(110, 57);
        const Box whole{0, 0, 110, 57};
        fillBox(item, whole, qRgb(255, 255, 220), FillMode::Flat, 0);
        drawPicture(item, whole, picture, ImageAlign(align), 5, 5);
        drawBorder(item, whole, 1, qRgb(0, 0, 0), BorderStyle::RaisedFrame);
        drawPicture(surface, box, item, ImageAlign::Free, box.left, box.top);
    }
}

void captions(QImage& surface, int top)
{
    caption(surface, 20, top, 300, QStringLiteral("Captions: wrapped at the wrap box, each alignment"));
    const QString text = QStringLiteral("A caption longer than its item wraps");
    for (int align = 0; align < 3; ++align) {
        const int x = 20 + align * 130;
        QImage item = makeSurface(120, 60);
        const Box whole{0, 0, 120, 60};
        fillBox(item, whole, qRgb(255, 255, 255), FillMode::VerticalSingle, qRgb(200, 220, 255));
        TextLook look;
        look.fontIndex = align;
        look.size = 14;
        look.style = align;
        look.color = qRgb(0, 0, 100);
        look.hAlign = HAlign(align);
        look.vAlign = VAlign(align);
        look.margin = 3;
        drawTextLines(item, whole, wrapText(text, 120), look);
        drawBorder(item, whole, 3, qRgb(90, 120, 200), BorderStyle::RaisedBevel);
        drawPicture(surface, {}, item, ImageAlign::Free, x, top + 18);
    }
}

void scrollBars(QImage& surface, int top)
{
    caption(surface, 420, top, 330, QStringLiteral("Scroll bars: defaults, top, middle, end"));
    const auto place = [&](TKZTScrollBar& bar, int x) {
        drawPicture(surface, {}, bar.paintImage(), ImageAlign::Free, x, top + 18);
    };
    TKZTScrollBar defaults;
    defaults.setMinimal(0);
    place(defaults, 430);
    for (int i = 0; i < 3; ++i) {
        TKZTScrollBar bar;
        bar.setMyHeight(150);
        bar.setBackgroundColor(QColor(0xE1, 0xE1, 0xE1));
        bar.setScrollBlockColor(QColor(0xC0, 0xC0, 0xC0));
        bar.setUpButtonColor(QColor(0xC0, 0xC0, 0xC0));
        bar.setDownButtonColor(QColor(0xC0, 0xC0, 0xC0));
        bar.setUpButtonArrowColor(Qt::black);
        bar.setDownButtonArrowColor(Qt::black);
        bar.setMinimal(0);
        bar.setMaximal(400);
        bar.setPageSize(150);
        bar.setPosition(i * 125);
        place(bar, 480 + i * 40);
    }
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: vantrel_drawing_gallery OUTPUT.png\n");
        return 2;
    }
    QImage surface = makeSurface(780, 700);
    fillBox(surface, {0, 0, 780, 700}, kPage, FillMode::Flat, kPage);
    fills(surface, 10);
    borders(surface, 100, 5);
    borders(surface, 190, 1);
    borders(surface, 280, 0);
    pictures(surface, 370);
    captions(surface, 460);
    scrollBars(surface, 460);
    QSaveFile file(QString::fromLocal8Bit(argv[1]));
    if (!file.open(QIODevice::WriteOnly) || !surface.save(&file, "PNG") || !file.commit()) {
        std::fprintf(stderr, "cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
