#include "osmerin/gui/TfrmWysiwyg.h"

#include "AppletUtility.h"
#include "FieldText.h"
#include "osmerin/core/OsmerinRecords.h"
#include "osmerin/gui/TScrlBtn.h"
#include "PreviewDrawing.h"

#include <QAction>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QPainter>
#include <QTextEdit>

namespace osmerin {

namespace {

// A text file shown in the box is read up to this size.
constexpr qint64 kLargestTextFile = 1 << 20;

int number(const std::string& text, int fallback = 0)
{
    const auto value = kzt::ParseDecimal(text);
    if (!value || *value < -100000 || *value > 100000)
        return fallback;
    return static_cast<int>(*value);
}

QRgb colourOf(const std::string& text, QRgb fallback = qRgb(0, 0, 0))
{
    const auto rgb = kzt::HexToColor(text);
    return rgb ? qRgb(rgb->red, rgb->green, rgb->blue) : fallback;
}

std::string field(const kzt::TFieldRecord& record, std::size_t index)
{
    return index < record.size() ? std::string(record.get(index)) : std::string();
}

QRgb ramp(QRgb start, QRgb end, int k, int b)
{
    const auto channel = [&](int s, int e) { return s + (e - s) * k / b; };
    return qRgb(channel(qRed(start), qRed(end)), channel(qGreen(start), qGreen(end)),
                channel(qBlue(start), qBlue(end)));
}

} // namespace

TfrmWysiwyg::TfrmWysiwyg(QWidget* parent) : QWidget(parent, Qt::Tool | Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("frmWysiwyg"));
    setWindowTitle(QStringLiteral("Preview"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    memoText = new QTextEdit(this);
    memoText->setObjectName(QStringLiteral("memoText"));
    memoText->setReadOnly(true);
    memoText->setFrameShape(QFrame::NoFrame);
    memoText->setLineWrapMode(QTextEdit::NoWrap);
    memoText->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    memoText->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    memoText->viewport()->setCursor(Qt::ArrowCursor);
    memoText->setFocusPolicy(Qt::NoFocus);
    memoText->setContextMenuPolicy(Qt::NoContextMenu);
    memoText->hide();
    imgImage = new QLabel(this);
    imgImage->setObjectName(QStringLiteral("imgImage"));
    imgImage->hide();
    ScrlBtn1 = new TScrlBtn(this);
    ScrlBtn1->setObjectName(QStringLiteral("ScrlBtn1"));
    ScrlBtn2 = new TScrlBtn(this);
    ScrlBtn2->setObjectName(QStringLiteral("ScrlBtn2"));
    ScrlBtn2->ID = 1;
    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    Stayontop1 = PopupMenu1->addAction(QStringLiteral("Stay on Top"));
    Stayontop1->setObjectName(QStringLiteral("Stayontop1"));
    Stayontop1->setCheckable(true);
    Stayontop1->setChecked(true);
    connect(Stayontop1, &QAction::triggered, this, [this] { Stayontop1Click(); });
    resize(148, 257);
}

bool TfrmWysiwyg::stayOnTop() const
{
    return windowFlags().testFlag(Qt::WindowStaysOnTopHint);
}

void TfrmWysiwyg::Stayontop1Click()
{
    // The action has toggled itself already; the window follows it.
    const bool onTop = Stayontop1->isChecked();
    const bool shown = isVisible();
    setWindowFlag(Qt::WindowStaysOnTopHint, onTop);
    if (shown)
        show();
}

void TfrmWysiwyg::setAppletSize(int width, int height)
{
    resize(std::clamp(width, 1, kzt::kMaxSurfaceSide), std::clamp(height, 1, kzt::kMaxSurfaceSide));
}

void TfrmWysiwyg::fitCanvas(QRgb background)
{
    const QSize size(std::max(1, width()), std::max(1, height()));
    if (m_canvas.size() == size && background == m_background)
        return;
    QImage fresh(size, QImage::Format_RGB32);
    fresh.fill(background);
    // A new colour repaints the whole window; a new size keeps what was drawn.
    if (background == m_background && !m_canvas.isNull()) {
        QPainter p(&fresh);
        p.drawImage(0, 0, m_canvas);
    }
    m_canvas = fresh;
    m_background = background;
}

void TfrmWysiwyg::refresh(const kzt::TAppletData& applet, const kzt::TItemData* item, const QString& itemText,
                          const std::filesystem::path& previewFolder)
{
    const QRgb background = colourOf(field(applet, AppletBGColor));
    fitCanvas(background);
    const int b = std::max(0, number(field(applet, AppletBorderWidth)));
    if (!item) {
        memoText->hide();
        imgImage->hide();
    } else {
        const std::string& type = field(*item, ItemContentType);
        if (type == kContentImage)
            showImage(*item, previewFolder, b);
        else if (type == kContentText || type == kContentTextFile)
            showText(*item, itemText, previewFolder, b, background);
    }
    PaintFrame(b, field(applet, AppletBorderStyle), colourOf(field(applet, AppletBorderColor)));

    if (field(applet, ShowScrollBtnFlag) == "1") {
        ScrlBtn1->show();
        ScrlBtn2->show();
        const std::string& direction = field(applet, SlideDirection);
        const bool vertical = direction == "0" || direction == "1";
        if (vertical || direction == "2" || direction == "3") {
            const auto rectOf = [&](std::size_t x, std::size_t y, std::size_t w, std::size_t h) {
                const int left = number(field(applet, x));
                const int top = number(field(applet, y));
                return QRect(QPoint(left, top),
                             QPoint(left + number(field(applet, w)), top + number(field(applet, h))) - QPoint(1, 1));
            };
            PlaceScrollButton(rectOf(ScrollBtn1X, ScrollBtn1Y, ScrollBtn1Width, ScrollBtn1Height),
                              colourOf(field(applet, ScrollBtn1BGColor)), 0, vertical ? 0 : 2,
                              colourOf(field(applet, ScrollBtn1ArrowColor)));
            PlaceScrollButton(rectOf(ScrollBtn2X, ScrollBtn2Y, ScrollBtn2Width, ScrollBtn2Height),
                              colourOf(field(applet, ScrollBtn2BGColor)), 1, vertical ? 1 : 3,
                              colourOf(field(applet, ScrollBtn2ArrowColor)));
        }
    } else {
        ScrlBtn1->hide();
        ScrlBtn2->hide();
    }
    update();
}

void TfrmWysiwyg::showImage(const kzt::TItemData& item, const std::filesystem::path& folder, int b)
{
    memoText->hide();
    imgImage->show();
    const std::string& name = field(item, ItemContent);
    const QString dir = QString::fromStdString(folder.string());
    QString path;
    if (!name.empty() && kzt::IsBareFileName(name) && QFileInfo::exists(dir + QLatin1Char('/') + QString::fromStdString(name)))
        path = dir + QLatin1Char('/') + QString::fromStdString(name);
    if (path.isEmpty()) {
        imgImage->setPixmap(QPixmap());
        imgImage->resize(0, 0);
    } else if (path != m_lastImagePath) {
        ++m_pictureLoads;
        const QImage picture = kzt::loadPicture(dir, QString::fromStdString(name));
        imgImage->setPixmap(QPixmap::fromImage(picture));
        imgImage->resize(picture.size());
    }
    m_lastImagePath = path;
    const int W = width();
    const int imageWidth = imgImage->width();
    int left = b + 1;
    const std::string& align = field(item, ItemImageAlign);
    if (align == "1")
        left = (W - 2 * b - imageWidth) / 2 + b;
    else if (align == "2")
        left = W - b - imageWidth;
    imgImage->move(left, b + 1);
    imgImage->update();
}

void TfrmWysiwyg::showText(const kzt::TItemData& item, const QString& itemText, const std::filesystem::path& folder,
                           int b, QRgb background)
{
    imgImage->hide();
    memoText->show();
    memoText->setGeometry(b + 1, b + 1, std::max(0, width() - 2 * b - 1), std::max(0, height() - 2 * b - 1));
    QPalette palette = memoText->palette();
    palette.setColor(QPalette::Base, QColor(background));
    palette.setColor(QPalette::Text, QColor(colourOf(field(item, ItemFontColor), qRgb(255, 255, 255))));
    memoText->setPalette(palette);
    const std::string& content = field(item, ItemContent);
    if (content.empty()) {
        memoText->clear();
    } else if (field(item, ItemContentType) == kContentText) {
        memoText->setPlainText(itemText);
    } else if (kzt::IsBareFileName(content)) {
        QFile file(QString::fromStdString((folder / content).string()));
        if (file.open(QIODevice::ReadOnly)) {
            const QByteArray bytes = file.read(kLargestTextFile);
            QString text = kzt::FieldText::toControl(bytes.toStdString());
            text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
            memoText->setPlainText(text);
        }
    }
    static const char* const faces[] = {"TimesRoman", "Helvetica", "Courier"};
    const int face = number(field(item, ItemFont), -1);
    QFont font = memoText->font();
    if (face >= 0 && face < 3) {
        font.setFamily(QString::fromLatin1(faces[face]));
        font.setStyleHint(face == 0 ? QFont::Serif : face == 1 ? QFont::SansSerif : QFont::Monospace);
    }
    font.setPointSize(std::clamp(number(field(item, ItemFontSize), 14) - 6, 1, 400));
    const int style = number(field(item, ItemFontStyle));
    font.setBold(style == 1 || style == 3);
    font.setItalic(style == 2 || style == 3);
    memoText->setFont(font);
    const int align = number(field(item, ItemTextAlign));
    // Lines stay unwrapped, but align within the box as the page aligns
    // them: without a width to lay out in, every line would start left.
    memoText->setLineWrapMode(QTextEdit::FixedPixelWidth);
    memoText->setLineWrapColumnOrWidth(std::max(1, memoText->contentsRect().width()));
    QTextOption option = memoText->document()->defaultTextOption();
    option.setAlignment(align == 1 ? Qt::AlignHCenter : align == 2 ? Qt::AlignRight : Qt::AlignLeft);
    option.setWrapMode(QTextOption::NoWrap);
    memoText->document()->setDefaultTextOption(option);
    // The option applies to text laid out from now on.
    memoText->setPlainText(memoText->toPlainText());
}

void TfrmWysiwyg::PaintFrame(int b, const std::string& style, QRgb colour)
{
    fitCanvas(m_background);
    QImage& s = m_canvas;
    const int W = width();
    const int H = height();
    const QRgb bg = m_background;
    const auto fill = [&](int l, int t, int r, int btm) {
        kzt::fillBox(s, kzt::Box{l, t, r, btm}, bg, kzt::FillMode::Flat, bg);
    };
    if (W != m_keptWidth || H != m_keptHeight || b != m_keptBorder) {
        const int W0 = m_keptWidth, H0 = m_keptHeight, b0 = m_keptBorder;
        fill(0, 0, W0, b0 + 1);
        fill(0, 0, b0 + 1, H0);
        fill(W0 - b0, b0, W0, H0);
        fill(b0, H0 - b0, W0, H0);
        m_keptWidth = W;
        m_keptHeight = H;
        m_keptBorder = b;
    }
    const auto line = [&](int x0, int y0, int x1, int y1, QRgb c) { kzt::drawLine(s, x0, y0, x1, y1, c); };
    if (style == "0") {
        fill(0, 0, W, H);
    } else if (style == "1" || style == "2") {
        for (int k = 0; k < b; ++k) {
            line(k, k, W - k, k, colour);
            line(k, H - k - 1, W - k, H - k - 1, colour);
            line(k, k, k, H - k, colour);
            line(W - k - 1, k, W - k - 1, H - k, colour);
        }
        const QRgb light = kzt::lighterColor(colour);
        const QRgb dark = kzt::darkerColor(colour);
        const QRgb first = style == "1" ? light : dark;
        const QRgb second = style == "1" ? dark : light;
        line(0, 0, W, 0, first);
        line(0, 0, 0, H, first);
        line(W - b, b, W - b, H - b, first);
        line(b, H - b, W - b, H - b, first);
        line(b, b, W - b, b, second);
        line(b, b, b, H - b, second);
    } else if (style == "3" || style == "4") {
        const QRgb white = qRgb(255, 255, 255);
        const QRgb black = qRgb(0, 0, 0);
        QRgb start = style == "3" ? white : black;
        for (int k = 0; k < b; ++k) {
            const QRgb c = ramp(start, colour, k, b);
            line(k, k, W - k, k, c);
            line(k, k, k, H - k, c);
        }
        start = style == "3" ? black : white;
        for (int k = 0; k < b; ++k) {
            const QRgb c = ramp(start, colour, k, b);
            line(W - k, k, W - k, H - k, c);
            line(k, H - k, W - k + 1, H - k, c);
        }
    }
    update();
}

void TfrmWysiwyg::PlaceScrollButton(const QRect& rect, QRgb face, int id, int arrowDir, QRgb arrow)
{
    TScrlBtn* button = id == 0 ? ScrlBtn1 : id == 1 ? ScrlBtn2 : nullptr;
    if (!button)
        return;
    button->setGeometry(rect.x(), rect.y(), std::clamp(rect.width(), 0, kzt::kMaxSurfaceSide),
                        std::clamp(rect.height(), 0, kzt::kMaxSurfaceSide));
    button->BGColor = QColor(face);
    button->ArrowColor = QColor(arrow);
    button->ArrowDir = arrowDir;
    button->update();
}

void TfrmWysiwyg::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), QColor(m_background));
    p.drawImage(0, 0, m_canvas);
}

void TfrmWysiwyg::closeEvent(QCloseEvent* event)
{
    event->accept();
    emit closed();
}

void TfrmWysiwyg::contextMenuEvent(QContextMenuEvent* event)
{
    PopupMenu1->popup(event->globalPos());
}

} // namespace osmerin
