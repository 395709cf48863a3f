// Draws 1,000 item boxes the way the preview does: each one's fill, border
// and wrapped caption into its own bitmap, then every bitmap copied onto one
// off-screen image. Prints the best and median of several runs.
#include "PreviewDrawing.h"

#include <QElapsedTimer>
#include <QGuiApplication>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

using namespace kzt;

namespace {

constexpr int kItems = 1000;
constexpr int kItemWidth = 120;
constexpr int kItemHeight = 32;
constexpr int kColumns = 10;

QImage renderItem(int i)
{
    QImage item = makeSurface(kItemWidth, kItemHeight);
    const Box box{0, 0, kItemWidth, kItemHeight};
    fillBox(item, box, qRgb(20 + i % 200, 40, 160), FillMode(i % 5), qRgb(250, 200, 30));
    TextLook look;
    look.fontIndex = i % 4;
    look.size = 14;
    look.style = i % 4;
    look.color = qRgb(255, 255, 255);
    look.margin = i % 4;
    drawTextLines(item, box, wrapText(QStringLiteral("Item %1 with a caption that wraps").arg(i), kItemWidth),
                  look);
    drawBorder(item, box, i % 4, qRgb(192, 192, 192), BorderStyle(i % 5));
    return item;
}

void copyAll(QImage& screen, const std::vector<QImage>& items)
{
    for (int i = 0; i < kItems; ++i)
        drawPicture(screen, {}, items[size_t(i)], ImageAlign::Free, (i % kColumns) * kItemWidth,
                    (i / kColumns) * kItemHeight);
}

struct Figures
{
    double best;
    double median;
};

Figures measure(int runs, const std::function<void()>& work)
{
    std::vector<double> times;
    for (int r = 0; r < runs; ++r) {
        QElapsedTimer clock;
        clock.start();
        work();
        times.push_back(double(clock.nsecsElapsed()) / 1e6);
    }
    std::sort(times.begin(), times.end());
    return {times.front(), times[times.size() / 2]};
}

void print(const char* what, Figures f)
{
    std::printf("%-70s best %8.2f ms   median %8.2f ms\n", what, f.best, f.median);
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const int runs = 7;
    std::vector<QImage> items(kItems);
    // Fonts are loaded on first use; that is not what is measured.
    renderItem(0);

    print("render 1,000 item boxes (fill + border + wrapped caption)", measure(runs, [&] {
              for (int i = 0; i < kItems; ++i)
                  items[size_t(i)] = renderItem(i);
          }));
    print("  the same, fills only", measure(runs, [&] {
              for (int i = 0; i < kItems; ++i)
                  fillBox(items[size_t(i)], {0, 0, kItemWidth, kItemHeight}, qRgb(i % 256, 0, 0),
                          FillMode(i % 5), qRgb(0, 0, 255));
          }));
    print("  the same, borders only", measure(runs, [&] {
              for (int i = 0; i < kItems; ++i)
                  drawBorder(items[size_t(i)], {0, 0, kItemWidth, kItemHeight}, i % 4,
                             qRgb(192, 192, 192), BorderStyle(i % 5));
          }));
    print("  the same, caption wrapping only", measure(runs, [&] {
              for (int i = 0; i < kItems; ++i)
                  wrapText(QStringLiteral("Item %1 with a caption that wraps").arg(i), kItemWidth);
          }));
    for (int i = 0; i < kItems; ++i)
        items[size_t(i)] = renderItem(i);
    QImage screen = makeSurface(kColumns * kItemWidth, kItems / kColumns * kItemHeight);
    print("copy 1,000 item bitmaps onto a 1200 x 3200 off-screen image",
          measure(runs, [&] { copyAll(screen, items); }));
    print("refresh: background fill, one item re-rendered, 1,000 copied", measure(runs, [&] {
              fillBox(screen, {0, 0, screen.width(), screen.height()}, qRgb(0, 0, 0),
                      FillMode::VerticalSingle, qRgb(255, 255, 255));
              items[500] = renderItem(500);
              copyAll(screen, items);
              drawBorder(screen, {0, 0, screen.width(), screen.height()}, 4, qRgb(192, 192, 192),
                         BorderStyle::RaisedFrame);
          }));
    // The preview window itself: 200 x 400, the items stacked as the layout
    // stacks them, most of them below the window and clipped.
    QImage window = makeSurface(200, 400);
    print("refresh of a 200 x 400 preview: one item re-rendered, 1,000 copied", measure(runs, [&] {
              fillBox(window, {0, 0, 200, 400}, qRgb(0, 0, 0), FillMode::VerticalBi, qRgb(255, 255, 255));
              items[3] = renderItem(3);
              for (int i = 0; i < kItems; ++i)
                  drawPicture(window, {}, items[size_t(i)], ImageAlign::Free, 24, 9 + i * (kItemHeight + 5));
              drawBorder(window, {0, 0, 200, 400}, 4, qRgb(192, 192, 192), BorderStyle::RaisedFrame);
          }));
    return 0;
}
