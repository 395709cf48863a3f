#include "ToolIcons.h"

#include <QPainter>
#include <QPainterPath>
#include <QStyle>

namespace kzt {

namespace {

constexpr int kSizes[] = {16, 18, 22, 24, 32};

// Our own pictures for the commands a style has none for, drawn on a
// 16-unit grid and scaled.
QPixmap drawn(ToolIcons::Command command, int size)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 16.0, size / 16.0);
    const QColor ink(40, 40, 40);
    const QColor paper(255, 255, 255);
    switch (command) {
    case ToolIcons::Cut: // scissors
        p.setPen(QPen(ink, 1.4));
        p.drawLine(QPointF(4, 1.5), QPointF(10.5, 11));
        p.drawLine(QPointF(12, 1.5), QPointF(5.5, 11));
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(QColor(200, 30, 30), 1.5));
        p.drawEllipse(QPointF(4.2, 12.6), 2.4, 2.4);
        p.drawEllipse(QPointF(11.8, 12.6), 2.4, 2.4);
        break;
    case ToolIcons::Copy: // two sheets
        p.setPen(QPen(ink, 1));
        p.setBrush(paper);
        p.drawRect(QRectF(1.5, 1.5, 8, 10));
        p.drawRect(QRectF(6.5, 4.5, 8, 10));
        p.setPen(QPen(QColor(90, 90, 160), 1));
        for (double y : {7.5, 9.5, 11.5})
            p.drawLine(QPointF(8.5, y), QPointF(12.5, y));
        break;
    case ToolIcons::Paste: // a clipboard with a sheet
        p.setPen(QPen(ink, 1));
        p.setBrush(QColor(190, 140, 70));
        p.drawRoundedRect(QRectF(1.5, 2.5, 10, 12.5), 1, 1);
        p.setBrush(QColor(150, 150, 150));
        p.drawRect(QRectF(4, 1, 5, 3));
        p.setBrush(paper);
        p.drawRect(QRectF(6.5, 6.5, 8, 8.5));
        break;
    case ToolIcons::Delete: // a red cross
        p.setPen(QPen(QColor(200, 30, 30), 2.6, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(3.5, 3.5), QPointF(12.5, 12.5));
        p.drawLine(QPointF(12.5, 3.5), QPointF(3.5, 12.5));
        break;
    default:
        break;
    }
    return pixmap;
}

QStyle::StandardPixmap standardFallback(ToolIcons::Command command)
{
    switch (command) {
    case ToolIcons::New: return QStyle::SP_FileIcon;
    case ToolIcons::Open: return QStyle::SP_DialogOpenButton;
    case ToolIcons::Save: return QStyle::SP_DialogSaveButton;
    case ToolIcons::Insert: return QStyle::SP_FileDialogNewFolder;
    case ToolIcons::MoveUp: return QStyle::SP_ArrowUp;
    case ToolIcons::MoveDown: return QStyle::SP_ArrowDown;
    case ToolIcons::BuildHTML: return QStyle::SP_FileDialogDetailedView;
    case ToolIcons::Preview: return QStyle::SP_MediaPlay;
    case ToolIcons::Help: return QStyle::SP_MessageBoxQuestion;
    default: return QStyle::SP_CustomBase;
    }
}

} // namespace

const char* ToolIcons::themeName(Command command)
{
    static const char* const names[] = {"document-new", "document-open", "document-save", "edit-cut",
                                        "edit-copy", "edit-paste", "list-add", "edit-delete",
                                        "go-up", "go-down", "text-html", "document-print-preview",
                                        "help-contents"};
    return names[command];
}

QPixmap ToolIcons::disabledPixmap(const QPixmap& normal)
{
    QImage image = normal.toImage().convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const int grey = qGray(line[x]) / 2 + 100;
            line[x] = qRgba(grey, grey, grey, qAlpha(line[x]) * 2 / 5);
        }
    }
    QPixmap pixmap = QPixmap::fromImage(image);
    pixmap.setDevicePixelRatio(normal.devicePixelRatio());
    return pixmap;
}

QIcon ToolIcons::icon(Command command, const QStyle* style)
{
    const QString name = QString::fromLatin1(themeName(command));
    QIcon source;
    if (QIcon::hasThemeIcon(name))
        source = QIcon::fromTheme(name);
    else if (const QStyle::StandardPixmap standard = standardFallback(command); standard != QStyle::SP_CustomBase && style)
        source = style->standardIcon(standard);
    QIcon icon;
    for (const int size : kSizes) {
        const QPixmap normal = source.isNull() ? drawn(command, size) : source.pixmap(size, size);
        icon.addPixmap(normal, QIcon::Normal);
        icon.addPixmap(disabledPixmap(normal), QIcon::Disabled);
    }
    return icon;
}

} // namespace kzt
