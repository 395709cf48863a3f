#include "kestravo/gui/KestravoPanels.h"

#include "ColorSwatch.h"
#include "kestravo/core/KestravoProfile.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSpinBox>
#include <QToolButton>
#include <QVBoxLayout>

namespace kestravo {

namespace {

constexpr int kLargest = 9999;

template <typename T> T* named(const char* objectName, QWidget* parent)
{
    auto* widget = new T(parent);
    widget->setObjectName(QString::fromLatin1(objectName));
    return widget;
}

QLabel* descriptionLine(const QString& text, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setWordWrap(true);
    QPalette grey = label->palette();
    grey.setColor(QPalette::WindowText, QColor(0x80, 0x80, 0x80));
    label->setPalette(grey);
    return label;
}

QSpinBox* spin(const char* objectName, QWidget* parent)
{
    auto* box = named<QSpinBox>(objectName, parent);
    box->setRange(-kLargest, kLargest);
    box->setMinimumWidth(72);
    return box;
}

QToolButton* toggle(const char* objectName, const QString& text, bool bold, QWidget* parent)
{
    auto* button = named<QToolButton>(objectName, parent);
    button->setText(text);
    button->setCheckable(true);
    QFont font = button->font();
    font.setBold(bold);
    font.setItalic(!bold);
    button->setFont(font);
    return button;
}

kzt::ColorSwatch* swatch(const char* objectName, QWidget* parent)
{
    auto* panel = named<kzt::ColorSwatch>(objectName, parent);
    panel->setFixedSize(44, 20);
    panel->setCursor(Qt::PointingHandCursor);
    return panel;
}

QComboBox* editableCombo(const char* objectName, const QStringList& choices, QWidget* parent)
{
    auto* combo = named<QComboBox>(objectName, parent);
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    combo->addItems(choices);
    combo->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    return combo;
}

} // namespace

KestravoPanels::KestravoPanels(QWidget* parent) : QTabWidget(parent)
{
    setObjectName(QStringLiteral("pgctrlProperties"));
    m_menuPage = buildMenuPage();
    m_itemPage = buildItemPage();
    m_pathPage = buildPathPage();
    addTab(m_menuPage, tr("Menu"));
    addTab(m_itemPage, tr("Item"));
    addTab(m_pathPage, tr("Local && Web Path Conversion"));
    showMenuPage();
}

QGroupBox* KestravoPanels::group(QWidget* parent, const QString& title, const QString& description, int topic,
                                 QVBoxLayout*& body)
{
    auto* box = new QGroupBox(title, parent);
    body = new QVBoxLayout(box);
    body->setSpacing(4);
    auto* header = new QHBoxLayout;
    QLabel* line = descriptionLine(description, box);
    header->addWidget(line, 1);
    auto* help = named<QToolButton>(QStringLiteral("spdbtnHelp%1").arg(topic).toLatin1().constData(), box);
    help->setText(QStringLiteral("?"));
    help->setToolTip(tr("Help on \"%1\"").arg(title));
    help->setStatusTip(tr("Show the help on \"%1\"").arg(title));
    help->setProperty("helpTopic", topic);
    help->setAutoRaise(true);
    header->addWidget(help, 0, Qt::AlignTop);
    body->addLayout(header);
    m_helpButtons.append(help);
    return box;
}

void KestravoPanels::colourGroup(QWidget* parent, QGridLayout* into, int position, const QString& title,
                                 const QString& description, int topic, const char* textName, kzt::ColorSwatch*& text,
                                 const char* backgroundName, kzt::ColorSwatch*& background)
{
    QVBoxLayout* body = nullptr;
    QGroupBox* box = group(parent, title, description, topic, body);
    text = swatch(textName, box);
    background = swatch(backgroundName, box);
    text->setStatusTip(tr("Click to choose the text color"));
    background->setStatusTip(tr("Click to choose the background color"));
    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(tr("Text Color"), box), 0, 0);
    grid->addWidget(text, 0, 1);
    grid->addWidget(new QLabel(tr("BG Color"), box), 1, 0);
    grid->addWidget(background, 1, 1);
    grid->setColumnStretch(2, 1);
    body->addLayout(grid);
    body->addStretch(1);
    into->addWidget(box, position / 3, position % 3);
}

QWidget* KestravoPanels::buildMenuPage()
{
    auto* page = new QWidget(this);
    page->setObjectName(QStringLiteral("tbshtMenu"));
    auto* column = new QVBoxLayout(page);

    auto* top = new QHBoxLayout;
    QVBoxLayout* body = nullptr;
    QGroupBox* general = group(page, tr("General"),
                               tr("The width of the menu in pixels."), 1, body);
    spnedtpMenuWidth = spin("spnedtpMenuWidth", general);
    spnedtpMenuWidth->setStatusTip(tr("The width of the menu in pixels."));
    edtPTipMessage = named<QLineEdit>("edtPTipMessage", general);
    edtPTipMessage->setStatusTip(tr("The tip message that will be displayed at the top (first item) of the menu."));
    auto* generalGrid = new QGridLayout;
    generalGrid->addWidget(new QLabel(tr("Menu Width"), general), 0, 0);
    generalGrid->addWidget(spnedtpMenuWidth, 0, 1, Qt::AlignLeft);
    generalGrid->addWidget(descriptionLine(
                               tr("The tip message that will be displayed at the top (first item) of the menu."),
                               general),
                           1, 0, 1, 2);
    generalGrid->addWidget(new QLabel(tr("Tip Message (First Item)"), general), 2, 0);
    generalGrid->addWidget(edtPTipMessage, 2, 1);
    generalGrid->setColumnStretch(1, 1);
    body->addLayout(generalGrid);
    top->addWidget(general, 3);

    QGroupBox* font = group(page, tr("Font Settings"), tr("Specifies font family, size and style"), 2, body);
    edtpMenuFontFamily = named<QLineEdit>("edtpMenuFontFamily", font);
    edtpMenuFontFamily->setStatusTip(tr("Specifies font family, size and style"));
    spnedtpMenuFontSize = spin("spnedtpMenuFontSize", font);
    spnedtpMenuFontSize->setStatusTip(tr("The font size in pixels"));
    spdbtnpMenuFontWeight = toggle("spdbtnpMenuFontWeight", QStringLiteral("B"), true, font);
    spdbtnpMenuFontWeight->setStatusTip(tr("Bold"));
    spdbtnpMenuFontStyle = toggle("spdbtnpMenuFontStyle", QStringLiteral("I"), false, font);
    spdbtnpMenuFontStyle->setStatusTip(tr("Italic"));
    auto* fontGrid = new QGridLayout;
    fontGrid->addWidget(new QLabel(tr("Font"), font), 0, 0);
    fontGrid->addWidget(edtpMenuFontFamily, 0, 1, 1, 4);
    fontGrid->addWidget(new QLabel(tr("Size"), font), 1, 0);
    fontGrid->addWidget(spnedtpMenuFontSize, 1, 1);
    fontGrid->addWidget(spdbtnpMenuFontWeight, 1, 2);
    fontGrid->addWidget(spdbtnpMenuFontStyle, 1, 3);
    fontGrid->setColumnStretch(4, 1);
    body->addLayout(fontGrid);
    body->addStretch(1);
    top->addWidget(font, 2);
    column->addLayout(top);

    auto* colours = new QGridLayout;
    colourGroup(page, colours, 0, tr("Menu"), tr("The color of the menu"), 3, "pnlpMenuColor", pnlpMenuColor,
                "pnlpMenuBGColor", pnlpMenuBGColor);
    colourGroup(page, colours, 1, tr("Tip Message/First Item"), tr("The color of the first item"), 4,
                "pnlpTipMsgColor", pnlpTipMsgColor, "pnlpTipMsgBGColor", pnlpTipMsgBGColor);
    colourGroup(page, colours, 2, tr("Main Item"), tr("The color of main item."), 5, "pnlpMainItemColor",
                pnlpMainItemColor, "pnlpMainItemBGColor", pnlpMainItemBGColor);
    colourGroup(page, colours, 3, tr("Sub Item"), tr("The color of sub item."), 6, "pnlpSubItemColor",
                pnlpSubItemColor, "pnlpSubItemBGColor", pnlpSubItemBGColor);
    colourGroup(page, colours, 4, tr("Sub Item (alternation)"), tr("The color of alter- nation sub item."), 7,
                "pnlpSubItemAlternationColor", pnlpSubItemAlternationColor, "pnlpSubItemAlternationBGColor",
                pnlpSubItemAlternationBGColor);
    for (int column = 0; column < 3; ++column)
        colours->setColumnStretch(column, 1);
    column->addLayout(colours);
    column->addStretch(1);
    return page;
}

QWidget* KestravoPanels::buildItemPage()
{
    auto* page = new QWidget(this);
    page->setObjectName(QStringLiteral("tbshtItem"));
    auto* column = new QVBoxLayout(page);

    QVBoxLayout* body = nullptr;
    QGroupBox* caption =
        group(page, tr("Caption"), tr("The text you specified here will appear on the selected item.."), 8, body);
    edtICaption = named<QLineEdit>("edtICaption", caption);
    edtICaption->setStatusTip(tr("The text you specified here will appear on the selected item.."));
    body->addWidget(edtICaption);
    column->addWidget(caption);

    QGroupBox* link = group(page, tr("Link"),
                            tr("Set where the selected item should link to and the name of the frame which will be "
                               "used to load the linked document."),
                            9, body);
    cmbxpURL = editableCombo("cmbxpURL",
                             {QStringLiteral("http://"), QStringLiteral("mailto://"), QStringLiteral("javascript:"),
                              QStringLiteral("ftp://"), QStringLiteral("news://")},
                             link);
    cmbxpURL->setStatusTip(tr("Where the selected item links to"));
    spdbtnpURL = named<QToolButton>("spdbtnpURL", link);
    spdbtnpURL->setText(QStringLiteral("..."));
    spdbtnpURL->setStatusTip(tr("Choose a local page to link to"));
    cmbxpTarget = editableCombo("cmbxpTarget",
                                {QStringLiteral("_self"), QStringLiteral("_top"), QStringLiteral("_blank"),
                                 QStringLiteral("_parent")},
                                link);
    cmbxpTarget->setStatusTip(tr("The window or frame that loads the linked document"));
    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(tr("URL"), link), 0, 0);
    grid->addWidget(cmbxpURL, 0, 1);
    grid->addWidget(spdbtnpURL, 0, 2);
    grid->addWidget(new QLabel(tr("Target"), link), 1, 0);
    grid->addWidget(cmbxpTarget, 1, 1);
    body->addLayout(grid);
    column->addWidget(link);
    column->addStretch(1);
    return page;
}

QWidget* KestravoPanels::buildPathPage()
{
    auto* page = new QWidget(this);
    page->setObjectName(QStringLiteral("tbshtPath"));
    auto* column = new QVBoxLayout(page);

    QVBoxLayout* body = nullptr;
    QGroupBox* paths = group(
        page, tr("Path Replacement for Publishing"),
        tr("If item's URL contains either local or web path you specified here, one path will be replaced by another "
           "depending on the choice below. Local path will be replaced by web path for uploading if you need to "
           "upload the menu to web server to test or publish. "),
        10, body);
    edtpInternalUse_RootDir_Local = named<QLineEdit>("edtpInternalUse_RootDir_Local", paths);
    edtpInternalUse_RootDir_Local->setStatusTip(tr("The root directory of the site on this computer"));
    edtpInternalUse_RootDir_Remote = named<QLineEdit>("edtpInternalUse_RootDir_Remote", paths);
    edtpInternalUse_RootDir_Remote->setStatusTip(tr("The root directory of the site on the web server"));
    body->addWidget(new QLabel(tr("Root Directory for Local Computer"), paths));
    body->addWidget(descriptionLine(QStringLiteral("e.g. file:///C:/projects/websites/brevane/"), paths));
    body->addWidget(edtpInternalUse_RootDir_Local);
    body->addSpacing(6);
    body->addWidget(new QLabel(tr("Root Directory for Web Server"), paths));
    body->addWidget(descriptionLine(QStringLiteral("e.g. http://www.example.com/brevane/"), paths));
    body->addWidget(edtpInternalUse_RootDir_Remote);
    body->addSpacing(6);
    rdbtnpInternalUse_RootDir_Local_Checked = named<QRadioButton>("rdbtnpInternalUse_RootDir_Local_Checked", paths);
    rdbtnpInternalUse_RootDir_Local_Checked->setText(tr("Test on Local Computer (Convert to Local Path)"));
    rdbtnpInternalUse_RootDir_Local_Checked->setChecked(true);
    rdbtnpInternalUse_RootDir_Local_Checked2 = named<QRadioButton>("rdbtnpInternalUse_RootDir_Local_Checked2", paths);
    rdbtnpInternalUse_RootDir_Local_Checked2->setText(tr("Upload to Web Server (Convert to Web Path)"));
    body->addWidget(rdbtnpInternalUse_RootDir_Local_Checked);
    body->addWidget(rdbtnpInternalUse_RootDir_Local_Checked2);
    column->addWidget(paths);
    column->addStretch(1);
    return page;
}

void KestravoPanels::showMenuPage()
{
    setTabVisible(indexOf(m_menuPage), true);
    setTabVisible(indexOf(m_itemPage), false);
    setCurrentWidget(m_menuPage);
}

void KestravoPanels::showItemPage()
{
    setTabVisible(indexOf(m_itemPage), true);
    setTabVisible(indexOf(m_menuPage), false);
    setCurrentWidget(m_itemPage);
}

} // namespace kestravo
