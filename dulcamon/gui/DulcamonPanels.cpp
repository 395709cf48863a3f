#include "dulcamon/gui/DulcamonPanels.h"

#include "ColorSwatch.h"
#include "dulcamon/core/DulcamonProfile.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QToolButton>
#include <QVBoxLayout>

namespace dulcamon {

namespace {

constexpr int kLargest = 9999;

QWidget* row(QWidget* parent, std::initializer_list<QWidget*> widgets)
{
    auto* holder = new QWidget(parent);
    auto* layout = new QHBoxLayout(holder);
    layout->setContentsMargins(0, 0, 0, 0);
    for (QWidget* widget : widgets)
        layout->addWidget(widget);
    layout->addStretch(1);
    return holder;
}

QToolButton* pickerButton(const char* objectName, QWidget* parent)
{
    auto* button = new QToolButton(parent);
    button->setObjectName(QString::fromLatin1(objectName));
    button->setText(QStringLiteral("..."));
    return button;
}

} // namespace

DulcamonPanels::DulcamonPanels(QWidget* parent) : QTabWidget(parent)
{
    setObjectName(QStringLiteral("pgctrlProperties"));
    m_menuTab = buildMenuTab();
    m_itemsTab = buildItemsTab();
    m_itemTab = buildItemTab();
    m_colourTab = buildColourTab();
    addTab(m_menuTab, tr("Menu"));
    addTab(m_itemsTab, tr("Items"));
    addTab(m_itemTab, tr("Item"));
    addTab(m_colourTab, tr("Foreground && Background"));
    showMenuTabs();
}

template <typename T> T* DulcamonPanels::control(const char* objectName, QWidget* parent)
{
    auto* widget = new T(parent);
    widget->setObjectName(QString::fromLatin1(objectName));
    return widget;
}

QSpinBox* DulcamonPanels::spin(const char* objectName, QWidget* parent, int minimum)
{
    auto* box = control<QSpinBox>(objectName, parent);
    box->setRange(minimum, kLargest);
    box->setMinimumWidth(64);
    return box;
}

QWidget* DulcamonPanels::buildMenuTab()
{
    auto* tab = new QWidget(this);
    tab->setObjectName(QStringLiteral("tbshtMenu"));
    auto* column = new QVBoxLayout(tab);

    auto* names = new QFormLayout;
    edtMenuName = control<QLineEdit>("edtMenuName", tab);
    names->addRow(tr("Menu Name"), edtMenuName);
    column->addLayout(names);

    auto* main = new QGroupBox(tr("Main Menu"), tab);
    auto* mainGrid = new QGridLayout(main);
    cmbxMenuAlign = control<QComboBox>("cmbxMenuAlign", main);
    cmbxMenuAlign->addItems({tr("Vertical"), tr("Horizontal")});
    spnedtMainMenuHOffset = spin("spnedtMainMenuHOffset", main, -kLargest);
    spnedtMainMenuVOffset = spin("spnedtMainMenuVOffset", main, -kLargest);
    spnedtItemsGap = spin("spnedtItemsGap", main, -kLargest);
    mainGrid->addWidget(new QLabel(tr("Type"), main), 0, 0);
    mainGrid->addWidget(cmbxMenuAlign, 0, 1);
    mainGrid->addWidget(new QLabel(tr("X"), main), 0, 2);
    mainGrid->addWidget(spnedtMainMenuHOffset, 0, 3);
    mainGrid->addWidget(new QLabel(tr("Y"), main), 0, 4);
    mainGrid->addWidget(spnedtMainMenuVOffset, 0, 5);
    mainGrid->addWidget(new QLabel(tr("Main Menu Items' Gap"), main), 1, 0, 1, 2);
    mainGrid->addWidget(spnedtItemsGap, 1, 3);
    column->addWidget(main);

    auto* sub = new QGroupBox(tr("Sub Menu"), tab);
    auto* subGrid = new QGridLayout(sub);
    edtSubMenuFrameName = control<QLineEdit>("edtSubMenuFrameName", sub);
    spnedtSubMenuHOffset = spin("spnedtSubMenuHOffset", sub, -kLargest);
    spnedtSubMenuVOffset = spin("spnedtSubMenuVOffset", sub, -kLargest);
    spnedtSubMenuCloseDelay = spin("spnedtSubMenuCloseDelay", sub, -kLargest);
    subGrid->addWidget(new QLabel(tr("Sub Menu Frame Name"), sub), 0, 0);
    subGrid->addWidget(edtSubMenuFrameName, 0, 1, 1, 3);
    subGrid->addWidget(new QLabel(tr("SubMenu XOffset"), sub), 1, 0);
    subGrid->addWidget(spnedtSubMenuHOffset, 1, 1);
    subGrid->addWidget(new QLabel(tr("SubMenu YOffset"), sub), 1, 2);
    subGrid->addWidget(spnedtSubMenuVOffset, 1, 3);
    subGrid->addWidget(row(sub, {new QLabel(tr("Submenus disappear after"), sub), spnedtSubMenuCloseDelay,
                                 new QLabel(tr("millisecond."), sub)}),
                       2, 0, 1, 4);
    column->addWidget(sub);

    chckbxMenuScrolled = control<QCheckBox>("chckbxMenuScrolled", tab);
    chckbxMenuScrolled->setText(tr("Menu will be scrolled along with web browser's vertical scroll bar"));
    chckbxOnlyClickShowSub = control<QCheckBox>("chckbxOnlyClickShowSub", tab);
    chckbxOnlyClickShowSub->setText(tr("Sub-menus will only be opened by clicking"));
    column->addWidget(chckbxMenuScrolled);
    column->addWidget(chckbxOnlyClickShowSub);
    column->addStretch(1);
    return tab;
}

QWidget* DulcamonPanels::buildItemsTab()
{
    auto* tab = new QWidget(this);
    tab->setObjectName(QStringLiteral("tbshtItems"));
    auto* grid = new QGridLayout(tab);

    auto* caption = new QGroupBox(tr("Caption"), tab);
    auto* captionGrid = new QGridLayout(caption);
    edtCaptionFontFamily = control<QLineEdit>("edtCaptionFontFamily", caption);
    spnedtCaptionFontSize = spin("spnedtCaptionFontSize", caption, -kLargest);
    spnedtCaptionFontPadding = spin("spnedtCaptionFontPadding", caption, -kLargest);
    spdbtnCaptionFontBold = control<QToolButton>("spdbtnCaptionFontBold", caption);
    spdbtnCaptionFontBold->setText(QStringLiteral("B"));
    spdbtnCaptionFontBold->setCheckable(true);
    QFont bold = spdbtnCaptionFontBold->font();
    bold.setBold(true);
    spdbtnCaptionFontBold->setFont(bold);
    spdbtnCaptionFontItalic = control<QToolButton>("spdbtnCaptionFontItalic", caption);
    spdbtnCaptionFontItalic->setText(QStringLiteral("I"));
    spdbtnCaptionFontItalic->setCheckable(true);
    QFont italic = spdbtnCaptionFontItalic->font();
    italic.setItalic(true);
    spdbtnCaptionFontItalic->setFont(italic);
    captionGrid->addWidget(new QLabel(tr("Font Family"), caption), 0, 0);
    captionGrid->addWidget(edtCaptionFontFamily, 0, 1, 1, 3);
    captionGrid->addWidget(new QLabel(tr("Size"), caption), 1, 0);
    captionGrid->addWidget(spnedtCaptionFontSize, 1, 1);
    captionGrid->addWidget(row(caption, {spdbtnCaptionFontBold, spdbtnCaptionFontItalic}), 1, 2, 1, 2);
    captionGrid->addWidget(new QLabel(tr("Padding"), caption), 2, 0);
    captionGrid->addWidget(spnedtCaptionFontPadding, 2, 1);
    grid->addWidget(caption, 0, 0, 1, 2);

    auto* border = new QGroupBox(tr("Border"), tab);
    auto* borderForm = new QFormLayout(border);
    spnedtItBrdWidth = spin("spnedtItBrdWidth", border, 0);
    pnlItBrdClr = control<kzt::ColorSwatch>("pnlItBrdClr", border);
    borderForm->addRow(tr("Thick"), spnedtItBrdWidth);
    borderForm->addRow(tr("Color"), pnlItBrdClr);
    grid->addWidget(border, 1, 0);

    auto* glide = new QGroupBox(tr("Glide Open"), tab);
    auto* glideForm = new QFormLayout(glide);
    chckbxEnableGlideOpen = control<QCheckBox>("chckbxEnableGlideOpen", glide);
    chckbxEnableGlideOpen->setText(tr("Enable Glide Open"));
    spnedtGlideStep = spin("spnedtGlideStep", glide, -kLargest);
    spnedtGlideSpeed = spin("spnedtGlideSpeed", glide, -kLargest);
    glideForm->addRow(chckbxEnableGlideOpen);
    glideForm->addRow(tr("Glide Step"), spnedtGlideStep);
    glideForm->addRow(tr("Glide Speed"), spnedtGlideSpeed);
    grid->addWidget(glide, 1, 1);

    auto* filter = new QGroupBox(tr("Filter"), tab);
    auto* filterLayout = new QVBoxLayout(filter);
    chckbxFilter = control<QComboBox>("chckbxFilter", filter);
    chckbxFilter->setEditable(true);
    chckbxFilter->setInsertPolicy(QComboBox::NoInsert);
    chckbxFilter->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    chckbxFilter->setMinimumContentsLength(20);
    chckbxFilter->addItems({
        QStringLiteral("progid:DXImageTransform.Microsoft.GradientWipe(duration=0.5,wipeStyle=1)"),
        QStringLiteral("progid:DXImageTransform.Microsoft.Fade(duration=0.5)"),
        QStringLiteral("progid:DXImageTransform.Microsoft.RandomDissolve(duration=0.5)"),
        QStringLiteral("progid:DXImageTransform.Microsoft.Stretch(duration=0.5,stretchStyle=push)"),
        QStringLiteral("progid:DXImageTransform.Microsoft.Strips(duration=0.5,motion=rightdown)"),
        QStringLiteral("progid:DXImageTransform.Microsoft.Wheel(duration=0.5,spokes=5)"),
    });
    chckbxFilter->setCurrentIndex(-1);
    filterLayout->addWidget(chckbxFilter);
    grid->addWidget(filter, 2, 0, 1, 2);
    grid->setRowStretch(3, 1);
    return tab;
}

QWidget* DulcamonPanels::buildItemTab()
{
    auto* tab = new QWidget(this);
    tab->setObjectName(QStringLiteral("tbshtItem"));
    auto* column = new QVBoxLayout(tab);

    auto* caption = new QGroupBox(tr("Caption"), tab);
    auto* captionLayout = new QVBoxLayout(caption);
    edtICaption = control<QLineEdit>("edtICaption", caption);
    captionLayout->addWidget(edtICaption);
    column->addWidget(caption);

    auto* link = new QGroupBox(tr("Link"), tab);
    auto* linkGrid = new QGridLayout(link);
    cmbxIURL = control<QComboBox>("cmbxIURL", link);
    cmbxIURL->setEditable(true);
    cmbxIURL->setInsertPolicy(QComboBox::NoInsert);
    cmbxIURL->addItems({QStringLiteral("http://"), QStringLiteral("mailto://"), QStringLiteral("javascript:"),
                        QStringLiteral("ftp://"), QStringLiteral("news://")});
    cmbxIURL->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    spdbtnItURL = pickerButton("spdbtnItURL", link);
    cmbxITarget = control<QComboBox>("cmbxITarget", link);
    cmbxITarget->setEditable(true);
    cmbxITarget->setInsertPolicy(QComboBox::NoInsert);
    cmbxITarget->addItems({QStringLiteral("_self"), QStringLiteral("_top"), QStringLiteral("_blank"),
                           QStringLiteral("_parent")});
    linkGrid->addWidget(new QLabel(tr("URL"), link), 0, 0);
    linkGrid->addWidget(cmbxIURL, 0, 1);
    linkGrid->addWidget(spdbtnItURL, 0, 2);
    linkGrid->addWidget(new QLabel(tr("Target"), link), 1, 0);
    linkGrid->addWidget(cmbxITarget, 1, 1);
    column->addWidget(link);

    auto* size = new QGroupBox(tr("Size"), tab);
    auto* sizeLayout = new QHBoxLayout(size);
    spnedtIWidth = spin("spnedtIWidth", size, 0);
    spnedtIHeight = spin("spnedtIHeight", size, 0);
    sizeLayout->addWidget(new QLabel(tr("Width"), size));
    sizeLayout->addWidget(spnedtIWidth);
    sizeLayout->addWidget(new QLabel(tr("Height"), size));
    sizeLayout->addWidget(spnedtIHeight);
    sizeLayout->addStretch(1);
    column->addWidget(size);

    auto* description = new QGroupBox(tr("Description (Web browser status bar message)"), tab);
    auto* descriptionLayout = new QVBoxLayout(description);
    edtIDescription = control<QLineEdit>("edtIDescription", description);
    descriptionLayout->addWidget(edtIDescription);
    column->addWidget(description);
    column->addStretch(1);

    btnGlobalPropertiesChange1 = new QPushButton(tr("Make changes for more than one item"), tab);
    btnGlobalPropertiesChange1->setObjectName(QStringLiteral("btnGlobalPropertiesChange1"));
    column->addWidget(btnGlobalPropertiesChange1, 0, Qt::AlignRight);
    return tab;
}

QWidget* DulcamonPanels::buildColourTab()
{
    auto* tab = new QWidget(this);
    tab->setObjectName(QStringLiteral("tbshtForeBackground"));
    auto* column = new QVBoxLayout(tab);

    auto* images = new QGroupBox(tr("Background Image"), tab);
    auto* imageGrid = new QGridLayout(images);
    edtINoBgImg = control<QLineEdit>("edtINoBgImg", images);
    spdbtnINoBgImg = pickerButton("spdbtnINoBgImg", images);
    edtIOvBgImg = control<QLineEdit>("edtIOvBgImg", images);
    spdbtnIOvBgImg = pickerButton("spdbtnIOvBgImg", images);
    imageGrid->addWidget(new QLabel(tr("Normal"), images), 0, 0);
    imageGrid->addWidget(edtINoBgImg, 0, 1);
    imageGrid->addWidget(spdbtnINoBgImg, 0, 2);
    imageGrid->addWidget(new QLabel(tr("Mouse Over"), images), 1, 0);
    imageGrid->addWidget(edtIOvBgImg, 1, 1);
    imageGrid->addWidget(spdbtnIOvBgImg, 1, 2);
    column->addWidget(images);

    auto* colours = new QHBoxLayout;
    auto* background = new QGroupBox(tr("Background Color"), tab);
    auto* backgroundForm = new QFormLayout(background);
    pnlItNoBgClr = control<kzt::ColorSwatch>("pnlItNoBgClr", background);
    pnlItOvBgClr = control<kzt::ColorSwatch>("pnlItOvBgClr", background);
    backgroundForm->addRow(tr("Normal"), pnlItNoBgClr);
    backgroundForm->addRow(tr("Mouse Over"), pnlItOvBgClr);
    colours->addWidget(background);
    auto* caption = new QGroupBox(tr("Caption Color"), tab);
    auto* captionForm = new QFormLayout(caption);
    pnlCaptionNoClr = control<kzt::ColorSwatch>("pnlCaptionNoClr", caption);
    pnlCaptionOvClr = control<kzt::ColorSwatch>("pnlCaptionOvClr", caption);
    captionForm->addRow(tr("Normal"), pnlCaptionNoClr);
    captionForm->addRow(tr("Mouse Over"), pnlCaptionOvClr);
    colours->addWidget(caption);
    column->addLayout(colours);
    column->addStretch(1);

    btnGlobalPropertiesChange2 = new QPushButton(tr("Make changes for more than one item"), tab);
    btnGlobalPropertiesChange2->setObjectName(QStringLiteral("btnGlobalPropertiesChange2"));
    column->addWidget(btnGlobalPropertiesChange2, 0, Qt::AlignRight);
    return tab;
}

void DulcamonPanels::showMenuTabs()
{
    setTabVisible(indexOf(m_menuTab), true);
    setTabVisible(indexOf(m_itemsTab), true);
    setTabVisible(indexOf(m_itemTab), false);
    setTabVisible(indexOf(m_colourTab), false);
    setCurrentWidget(m_menuTab);
}

void DulcamonPanels::showItemTabs()
{
    setTabVisible(indexOf(m_itemTab), true);
    setTabVisible(indexOf(m_colourTab), true);
    setTabVisible(indexOf(m_menuTab), false);
    setTabVisible(indexOf(m_itemsTab), false);
    setCurrentWidget(m_itemTab);
}

QString DulcamonPanels::menuName() const
{
    return m_acceptedMenuName;
}

} // namespace dulcamon
