#include "vantrel/gui/VantrelControls.h"

#include "ColorSwatch.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QToolButton>

#include <map>
#include <string>

namespace vantrel {

namespace {

QString fromStd(const std::string& text)
{
    return QString::fromStdString(text);
}

// What the status line says while the mouse is over a control.
const std::map<std::string, const char*>& hints()
{
    static const std::map<std::string, const char*> table = {
        {"ApBgImg", "Background image of the applet (GIF or JPEG)"},
        {"ApBgImgX", "Horizontal position of the background image (Free alignment only)"},
        {"ApBgImgY", "Vertical position of the background image (Free alignment only)"},
        {"ApBgImgShowType", "How the background image is placed"},
        {"ApBgSnd", "Sound played while the applet shows (AU file)"},
        {"ApBgClr", "Background colour of the applet"},
        {"ApBgFdClr", "Second colour of a gradient fill"},
        {"ApBgGrdntFllDrctn", "How the background is filled"},
        {"ApBrdWidth", "Width of the applet's border in pixels"},
        {"ApBrdStyle", "Style of the applet's border"},
        {"ApBrdClr", "Colour of the applet's border"},
        {"GlideOpen", "Glide when a sub-menu opens"},
        {"GlideClose", "Glide when a sub-menu closes"},
        {"GlideOpenSpeed", "Speed of the opening glide"},
        {"GlideCloseSpeed", "Speed of the closing glide"},
        {"ApLoadingBgClr", "Background colour while the applet loads"},
        {"ApLoadingBarX", "Horizontal position of the loading bar"},
        {"ApLoadingBarY", "Vertical position of the loading bar"},
        {"ApLoadingBarWidth", "Width of the loading bar"},
        {"ApLoadingBarHeight", "Height of the loading bar"},
        {"ApLoadingBarBrdWidth", "Border width of the loading bar"},
        {"ApLoadingBarBrdStyle", "Border style of the loading bar"},
        {"ApLoadingBarBrdClr", "Border colour of the loading bar"},
        {"ApLoadingBarBlankClr", "Colour of the part of the bar not yet filled"},
        {"ApLoadingBarFillClr", "Colour of the filled part of the bar"},
        {"ShowLoadingBar", "Show a progress bar while the applet loads"},
        {"ApLoadingMsg1X", "Horizontal position of message 1"},
        {"ApLoadingMsg1Y", "Vertical position of message 1"},
        {"ApLoadingMsg1Width", "Wrap width of message 1"},
        {"ApLoadingMsg1AutoClr", "Let the applet choose the colour of message 1"},
        {"ApLoadingMsg1FntName", "Font of message 1"},
        {"ApLoadingMsg1FntSize", "Font size of message 1"},
        {"ApLoadingMsg1FntStyle", "Bold and italic for message 1"},
        {"ApLoadingMsg1Clr", "Colour of message 1"},
        {"ApLoadingMsg1", "Text of message 1"},
        {"ShowApLoadingMsg1", "Show message 1 while the applet loads"},
        {"ApLoadingMsg2X", "Horizontal position of message 2"},
        {"ApLoadingMsg2Y", "Vertical position of message 2"},
        {"ApLoadingMsg2Width", "Wrap width of message 2"},
        {"ApLoadingMsg2AutoClr", "Let the applet choose the colour of message 2"},
        {"ApLoadingMsg2FntName", "Font of message 2"},
        {"ApLoadingMsg2FntSize", "Font size of message 2"},
        {"ApLoadingMsg2FntStyle", "Bold and italic for message 2"},
        {"ApLoadingMsg2Clr", "Colour of message 2"},
        {"ApLoadingMsg2", "Text of message 2"},
        {"ShowApLoadingMsg2", "Show message 2 while the applet loads"},
        {"ApLoadingStatusBarMsg", "Text of the browser's status bar while the applet loads"},
        {"VSBAlign", "Side of the vertical scroll bar"},
        {"VSBBgClr", "Background colour of the scroll bar"},
        {"VSBVisibleClr", "Colour of the scroll block"},
        {"VSBUpBtnClr", "Colour of the up button"},
        {"VSBDownBtnClr", "Colour of the down button"},
        {"VSBUpBtnArwClr", "Colour of the up arrow"},
        {"VSBDownBtnArwClr", "Colour of the down arrow"},
        {"VSBWidth", "Width of the scroll bar in pixels"},
        {"ShowCursorType", "Which mouse cursor the applet shows"},
        {"VSBScrollAuto", "Scroll when the mouse moves over the scroll bar"},
        {"OpenOneSubMenuOnly", "Keep only one sub-menu open at a time"},
        {"ApWidth", "Width of the applet in pixels"},
        {"ApHeight", "Height of the applet in pixels"},
        {"LoadAppletParamFromFile", "The applet reads its parameters from a separate file"},
        {"AppletParametersFileName", "Name of the parameters file"},
        {"ICaption", "Caption of the item"},
        {"IURL", "Link address of the item"},
        {"ITarget", "Window or frame the link opens in"},
        {"IDescription", "Text of the browser's status bar while the mouse is over the item"},
        {"ItemInitVisible", "Whether the item shows when the applet starts"},
        {"IX", "Horizontal position of the item inside the applet"},
        {"IY", "Gap above the item in pixels"},
        {"IWidth", "Width of the item"},
        {"IHeight", "Height of the item"},
    };
    return table;
}

// Check box captions.
const std::map<std::string, const char*>& checkCaptions()
{
    static const std::map<std::string, const char*> table = {
        {"GlideOpen", "Glide when opening"},
        {"GlideClose", "Glide when closing"},
        {"ShowLoadingBar", "Show Loading Progress Bar"},
        {"ApLoadingMsg1AutoClr", "Auto Color"},
        {"ApLoadingMsg2AutoClr", "Auto Color"},
        {"ShowApLoadingMsg1", "Show Loading Message 1"},
        {"ShowApLoadingMsg2", "Show Loading Message 2"},
        {"VSBScrollAuto", "Scroll automatically when the mouse is over the scroll bar"},
        {"OpenOneSubMenuOnly", "Open only one sub-menu at a time"},
        {"LoadAppletParamFromFile", "Load applet parameters from file"},
    };
    return table;
}

} // namespace

QString fieldHint(const char* name)
{
    const auto hint = hints().find(name);
    return hint != hints().end() ? QString::fromLatin1(hint->second) : QString();
}

// The hint of a look field, with the look's name in it.
QString stateHint(std::size_t offset, int state)
{
    static const char* const stateNames[] = {"normal", "mouse-over", "clicked"};
    static const char* const texts[StateFieldCount] = {
        "Caption font", "Caption font size", "Bold and italic caption", "Caption colour",
        "Horizontal alignment of the caption", "Horizontal offset of the caption",
        "Vertical alignment of the caption", "Vertical offset of the caption", "Background image (GIF or JPEG)",
        "Horizontal position of the image (Free alignment only)",
        "Vertical position of the image (Free alignment only)", "How the background image is placed",
        "Sound played on entering this look (AU file)", "Background colour", "Second colour of a gradient fill",
        "How the background is filled", "Border width in pixels", "Border style", "Border colour",
        "Draw the background image transparent"};
    return QStringLiteral("%1 (%2 look)").arg(QString::fromLatin1(texts[offset]),
                                              QString::fromLatin1(stateNames[state]));
}

// One control for a field, as its table entry describes it.
QWidget* controlFor(const FieldDescription& field, const QString& name, QWidget* parent)
{
    QWidget* widget = nullptr;
    switch (field.kind) {
    case FieldKind::Text:
    case FieldKind::TrimmedText: {
        auto* edit = new QLineEdit(parent);
        edit->setMinimumWidth(150);
        widget = edit;
        break;
    }
    case FieldKind::Integer: {
        auto* spin = new QSpinBox(parent);
        spin->setRange(field.minimum, field.maximum);
        spin->setMinimumWidth(70);
        widget = spin;
        break;
    }
    case FieldKind::Flag: {
        auto* box = new QCheckBox(parent);
        const auto caption = checkCaptions().find(field.name);
        box->setText(caption != checkCaptions().end() ? QString::fromLatin1(caption->second) : QString());
        widget = box;
        break;
    }
    case FieldKind::Colour: {
        auto* swatch = new kzt::ColorSwatch(parent);
        swatch->setFixedSize(44, 20);
        widget = swatch;
        break;
    }
    case FieldKind::Choice: {
        auto* combo = new QComboBox(parent);
        if (field.choices) {
            for (const std::string& entry : *field.choices)
                combo->addItem(fromStd(entry));
        }
        widget = combo;
        break;
    }
    default:
        widget = new QWidget(parent);
        break;
    }
    widget->setObjectName(name);
    return widget;
}

QToolButton* styleButton(const char* name, const QString& text, QWidget* parent)
{
    auto* button = new QToolButton(parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setText(text);
    button->setCheckable(true);
    button->setMinimumSize(22, 22);
    QFont font = button->font();
    if (text == QLatin1String("B"))
        font.setBold(true);
    else
        font.setItalic(true);
    button->setFont(font);
    return button;
}

// Label-control rows in a grid, two pairs a row when `columns` is 2.
void addRows(QGridLayout* grid, const QList<QPair<QString, QWidget*>>& rows, int columns, int firstRow)
{
    int at = 0;
    for (const auto& [label, widget] : rows) {
        const int row = firstRow + at / columns;
        const int column = (at % columns) * 2;
        if (!label.isEmpty())
            grid->addWidget(new QLabel(label, grid->parentWidget()), row, column);
        grid->addWidget(widget, row, column + 1, Qt::AlignLeft);
        ++at;
    }
    for (int c = 0; c < columns; ++c)
        grid->setColumnStretch(c * 2 + 1, 1);
}

QGroupBox* group(const QString& title, QWidget* parent)
{
    auto* box = new QGroupBox(title, parent);
    return box;
}

QWidget* propertyPage(QWidget* parent, const char* name, const QString& hint)
{
    auto* page = new QWidget(parent);
    page->setObjectName(QString::fromLatin1(name));
    page->setStatusTip(hint);
    return page;
}

// A line edit with its picker button beside it.
QWidget* withButton(QWidget* edit, QToolButton* button, QWidget* parent)
{
    auto* holder = new QWidget(parent);
    auto* row = new QHBoxLayout(holder);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(2);
    edit->setParent(holder);
    button->setParent(holder);
    row->addWidget(edit, 1);
    row->addWidget(button);
    holder->setMinimumWidth(180);
    return holder;
}

} // namespace vantrel
