#pragma once

#include <QFont>
#include <QImage>
#include <QRgb>
#include <QString>
#include <QStringList>

// The drawing routines the applet previews share: fills, borders, pictures
// and wrapped text over an off-screen surface. Every parameter is a plain value as the records
// hold it, so the preview window only maps fields to calls. All routines clip
// to the surface and never loop over more than the surface's own pixels, so
// hand-edited coordinates in the millions cost nothing.
namespace kzt {

// A rectangle as left, top, right, bottom. Fills cover right and bottom
// exclusive; borders draw their lines exactly between the given points.
struct Box
{
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    friend bool operator==(const Box&, const Box&) = default;
};

enum class FillMode : int {
    Flat = 0,
    HorizontalSingle = 1,
    HorizontalBi = 2,
    VerticalSingle = 3,
    VerticalBi = 4,
};

enum class BorderStyle : int {
    None = 0,
    RaisedFrame = 1,
    LoweredFrame = 2,
    RaisedBevel = 3,
    LoweredBevel = 4,
};

enum class ImageAlign : int {
    Free = 0,
    Center = 1,
    Left = 2,
    Right = 3,
    Tile = 4,
    Resize = 5,
};

enum class HAlign : int { Left = 0, Center = 1, Right = 2 };
enum class VAlign : int { Top = 0, Center = 1, Bottom = 2 };

// No surface or picture is ever larger than this on either side.
constexpr int kMaxSurfaceSide = 8192;

// An opaque RGB32 surface at the screen resolution the fonts are sized for;
// a null image when either side is not in 1..kMaxSurfaceSide.
QImage makeSurface(int width, int height);

// The drawing routines work on RGB32 and ARGB32 surfaces and leave any other
// (or a null) image alone.

// Channels times 3/2, capped at 255.
QRgb lighterColor(QRgb color);
// Channels times 7/10.
QRgb darkerColor(QRgb color);

// Fills box between color1 and color2 in the given mode. Empty or inverted
// boxes draw nothing; the bi-direction ramps on a box under 2 pixels across
// draw color1 flat; an unknown mode fills flat.
void fillBox(QImage& surface, const Box& box, QRgb color1, FillMode mode, QRgb color2);

// A line one pixel wide from (x0, y0) up to, not including, (x1, y1).
// Only horizontal and vertical lines are drawn.
void drawLine(QImage& surface, int x0, int y0, int x1, int y1, QRgb color);

// The applet's five border styles. The frames draw their light and dark
// lines at any width, 0 included; a bevel of width 0 draws nothing; a
// negative width counts as 0.
void drawBorder(QImage& surface, const Box& box, int width, QRgb color, BorderStyle style);

// A filled arrow head seven pixels across, pointing up or down from its centre.
void fillArrow(QImage& surface, int centerX, int centerY, bool up, QRgb color);

// Decodes the picture a record names: bare names only, found in folder; the
// name's last four characters pick the decoder (".jpg"/"jpeg" JPEG, ".gif"
// the first frame of a GIF). Anything missing, damaged, of another kind or
// larger than kMaxSurfaceSide on a side gives a null image.
QImage loadPicture(const QString& folder, const QString& name);

// Draws picture opaquely in box by alignment; "Free" places it at (x, y) of
// the surface. A null or empty picture draws nothing.
void drawPicture(QImage& surface, const Box& box, const QImage& picture, ImageAlign align,
                 int x, int y);

// The caption font: face by index ("TimesRoman", "Helvetica", "Courier",
// "Dialog", other indexes keep the surface's own face), the stored size less 6
// points (at least 1, at most 1000), style bit 1 bold, bit 2 italic.
QFont textFont(int fontIndex, int size, int style);

// The wrap box loses its frame and inner margins to the text: two pixels of
// frame and one of margin on each side.
constexpr int kWrapBoxFrame = 6;

// The hidden wrap box's font; lines break at its widths, not the caption's.
QFont wrapBoxFont();

// The lines the wrap box shows for text when it is boxWidth pixels wide:
// hard breaks kept, words moved to the next line when they do not fit, words
// longer than a line broken between characters, at least one character a line.
QStringList wrapText(const QString& text, int boxWidth);

struct TextLook
{
    int fontIndex = 1;
    int size = 14;
    int style = 0;
    QRgb color = qRgb(0, 0, 0);
    HAlign hAlign = HAlign::Center;
    int hOffset = 0;
    VAlign vAlign = VAlign::Center;
    int vOffset = 0;
    int margin = 0;
};

// Draws lines on a transparent background, laid out in box by look.
void drawTextLines(QImage& surface, const Box& box, const QStringList& lines, const TextLook& look);

} // namespace kzt
