#include "PreviewDrawing.h"

#include <QFontMetrics>
#include <QFontMetricsF>
#include <QPainter>
#include <QRegularExpression>

#include <algorithm>
#include <cstdint>

namespace kzt {

namespace {

using i64 = std::int64_t;

// The face a fresh surface draws with, kept for font indexes off the list.
const char* const kSurfaceFace = "MS Sans Serif";

constexpr int kSmallestPoints = 1;
constexpr int kLargestPoints = 1000;

// Text is measured at the resolution the surfaces are drawn at.
const QImage& measuringSurface()
{
    static const QImage surface = makeSurface(1, 1);
    return surface;
}

i64 floorDiv(i64 a, i64 b)
{
    i64 q = a / b;
    if ((a % b != 0) && ((a < 0) != (b < 0)))
        --q;
    return q;
}

// Breaks one paragraph greedily: blanks stay at the end of the line they
// follow and do not count for the fit; a word wider than a whole line is cut
// between characters.
void wrapParagraph(const QString& paragraph, qreal available, const QFontMetricsF& metrics,
                   QStringList& lines)
{
    QString line;
    qreal lineWidth = 0;
    qsizetype pos = 0;
    const qsizetype n = paragraph.size();
    if (n == 0) {
        lines.append(QString());
        return;
    }
    while (pos < n) {
        qsizetype wordEnd = pos;
        while (wordEnd < n && paragraph[wordEnd] != QLatin1Char(' '))
            ++wordEnd;
        qsizetype blankEnd = wordEnd;
        while (blankEnd < n && paragraph[blankEnd] == QLatin1Char(' '))
            ++blankEnd;
        const QString word = paragraph.mid(pos, wordEnd - pos);
        const QString blanks = paragraph.mid(wordEnd, blankEnd - wordEnd);
        const qreal wordWidth = metrics.horizontalAdvance(word);
        if (lineWidth + wordWidth <= available || word.isEmpty()) {
            line += word + blanks;
            lineWidth += wordWidth + metrics.horizontalAdvance(blanks);
            pos = blankEnd;
            continue;
        }
        if (!line.isEmpty()) {
            lines.append(line);
            line.clear();
            lineWidth = 0;
            continue;
        }
        // The word alone is too wide: take what fits, at least one character.
        qsizetype cut = pos;
        qreal width = 0;
        while (cut < wordEnd) {
            const qreal next = metrics.horizontalAdvance(paragraph[cut]);
            if (cut > pos && width + next > available)
                break;
            width += next;
            ++cut;
        }
        // A word cut at its end keeps its blanks, as a whole word does.
        if (cut == wordEnd)
            cut = blankEnd;
        lines.append(paragraph.mid(pos, cut - pos));
        pos = cut;
    }
    if (!line.isEmpty())
        lines.append(line);
}

} // namespace

QFont textFont(int fontIndex, int size, int style)
{
    static const char* const faces[] = {"TimesRoman", "Helvetica", "Courier", "Dialog"};
    QFont font(QString::fromLatin1(fontIndex >= 0 && fontIndex < 4 ? faces[fontIndex] : kSurfaceFace));
    // Sizes are stored six points larger than they are drawn.
    const i64 points = i64(size) - 6;
    font.setPointSize(int(std::clamp<i64>(points, kSmallestPoints, kLargestPoints)));
    font.setBold((style & 1) != 0);
    font.setItalic((style & 2) != 0);
    return font;
}

QFont wrapBoxFont()
{
    QFont font(QString::fromLatin1(kSurfaceFace));
    font.setPixelSize(11);
    // Without kerning a line is as wide as its words and blanks together, so
    // long texts are measured word by word.
    font.setKerning(false);
    return font;
}

QStringList wrapText(const QString& text, int boxWidth)
{
    QStringList lines;
    if (text.isEmpty())
        return lines;
    const QFontMetricsF metrics(wrapBoxFont(), &measuringSurface());
    const int available = std::max(boxWidth, kWrapBoxFrame) - kWrapBoxFrame;
    static const QRegularExpression lineBreak(QStringLiteral("\r\n|\r|\n"));
    for (const QString& paragraph : text.split(lineBreak))
        wrapParagraph(paragraph, available, metrics, lines);
    return lines;
}

void drawTextLines(QImage& surface, const Box& box, const QStringList& lines, const TextLook& look)
{
    if (lines.isEmpty() || surface.isNull()
        || (surface.format() != QImage::Format_RGB32 && surface.format() != QImage::Format_ARGB32))
        return;
    const QFont font = textFont(look.fontIndex, look.size, look.style);
    const QFontMetrics metrics(font, &surface);
    const i64 h = metrics.height();
    if (h <= 0)
        return;
    const i64 n = lines.size();
    const i64 m = look.margin;
    const i64 l = box.left, t = box.top, r = box.right, b = box.bottom;
    i64 yo = m;
    if (look.vAlign == VAlign::Center)
        yo = (b - t - 2 * m - n * h) / 2 + m;
    else if (look.vAlign == VAlign::Bottom)
        yo = b - t - 2 * m - n * h + m;
    const i64 firstTop = t + yo + look.vOffset;
    // Only the lines that can reach the surface, one spare on each side for
    // glyphs that overhang their cell.
    const i64 first = std::max<i64>(0, floorDiv(-firstTop - h, h));
    const i64 last = std::min<i64>(n - 1, floorDiv(surface.height() - firstTop - 1, h) + 1);

    QPainter painter(&surface);
    painter.setFont(font);
    painter.setPen(QColor(look.color));
    painter.setBackgroundMode(Qt::TransparentMode);
    for (i64 j = first; j <= last; ++j) {
        const QString& line = lines[qsizetype(j)];
        const i64 textWidth = metrics.horizontalAdvance(line);
        i64 xo = m;
        if (look.hAlign == HAlign::Center)
            xo = (r - l - 2 * m - textWidth) / 2 + m;
        else if (look.hAlign == HAlign::Right)
            xo = r - l - 2 * m - textWidth + m;
        const i64 x = l + xo + look.hOffset;
        if (x >= surface.width() + h || x + textWidth + h <= 0)
            continue;
        const i64 y = firstTop + j * h;
        painter.drawText(QPoint(int(x), int(y + metrics.ascent())), line);
    }
}

} // namespace kzt
