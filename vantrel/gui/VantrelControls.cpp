#include "vantrel/gui/VantrelControls.h"

#include "ColorSwatch.h"
#include "vantrel/core/VantrelSchema.h"

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
#include <span>
#include <string>
#include <string_view>

namespace vantrel {

namespace {

QString fromStd(const std::string& text)
{
    return QString::fromStdString(text);
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
    const std::string_view wanted(name);
    for (const auto& fields : {std::span<const kzt::FieldSpec>(schema::kAppletFields),
                               std::span<const kzt::FieldSpec>(schema::kItemFields)}) {
        for (const kzt::FieldSpec& field : fields) {
            if (wanted == field.name)
                return QString::fromLatin1(field.hint);
        }
    }
    return {};
}

// The hint of a look field, with the look's name in it.
QString stateHint(std::size_t offset, int state)
{
    static const char* const stateNames[] = {"normal", "mouse-over", "clicked"};
    return QStringLiteral("%1 (%2 look)").arg(QString::fromLatin1(schema::kLookFields[offset].hint),
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
