#include "vantrel/gui/VantrelPanels.h"

#include "ColorSwatch.h"
#include "ReadablePalette.h"
#include "vantrel/gui/VantrelControls.h"
#include "vantrel/core/VantrelFields.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include <string>

namespace vantrel {

namespace {

// Disabled boxes show this grey; enabled ones keep the window colour.
const QColor kGreyed(192, 192, 192);

const char* const kStateCodes[] = {"No", "Ov", "Cl"};
const char* const kStateNames[] = {"normal", "mouse-over", "clicked"};

} // namespace

VantrelPanels::VantrelPanels(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("pnlPages"));
    m_appletControls.assign(AppletFieldCount, nullptr);
    m_itemControls.assign(ItemFieldCount, nullptr);
    pgcntrlApplet = new QTabWidget(this);
    pgcntrlApplet->setObjectName(QStringLiteral("pgcntrlApplet"));
    QPalette greyed = pgcntrlApplet->palette();
    greyed.setColor(QPalette::Disabled, QPalette::Base, kGreyed);
    greyed.setColor(QPalette::Disabled, QPalette::Button, kGreyed);
    // Text in a greyed box stays readable on its grey.
    pgcntrlApplet->setPalette(kzt::ReadablePalette::readable(greyed));
    pgcntrlApplet->addTab(buildAppletSettingsPage(), tr("Applet Settings"));
    pgcntrlApplet->addTab(buildAppletBackgroundPage(), tr("Applet Background"));
    pgcntrlApplet->addTab(buildScrollBarPage(), tr("Scroll Bar"));
    pgcntrlApplet->addTab(buildLoadingPage(), tr("Loading..."));
    pgcntrlApplet->addTab(buildAdvancedPage(), tr("Advanced"));
    pgcntrlApplet->addTab(buildItemGeneralPage(), tr("Item General"));
    pgcntrlApplet->addTab(buildItemStatePage(0), tr("Item Normal Status"));
    pgcntrlApplet->addTab(buildItemStatePage(1), tr("Item Mouse Over Status"));
    pgcntrlApplet->addTab(buildItemStatePage(2), tr("Item Clicked Status"));
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->addWidget(pgcntrlApplet);
    showAppletPages(AppletSettingsPage);
}

QWidget* VantrelPanels::control(const QString& name) const
{
    return findChild<QWidget*>(name);
}

QToolButton* VantrelPanels::pickerButton(const char* objectName, QWidget* parent)
{
    auto* button = new QToolButton(parent);
    button->setObjectName(QString::fromLatin1(objectName));
    button->setText(QStringLiteral("..."));
    button->setMinimumSize(24, 22);
    return button;
}

QWidget* VantrelPanels::makeAppletControl(std::size_t field, QWidget* parent)
{
    const FieldDescription& description = appletFieldDescriptions()[field];
    const QString tip = fieldHint(description.name);
    if (description.kind == FieldKind::FontStyle) {
        auto* holder = new QWidget(parent);
        auto* row = new QHBoxLayout(holder);
        row->setContentsMargins(0, 0, 0, 0);
        row->setSpacing(2);
        QToolButton* bold = styleButton(description.control, QStringLiteral("B"), holder);
        QToolButton* italic = styleButton(description.secondControl, QStringLiteral("I"), holder);
        bold->setStatusTip(tip);
        italic->setStatusTip(tip);
        row->addWidget(bold);
        row->addWidget(italic);
        m_appletFontStyles.push_back({field, bold, italic});
        return holder;
    }
    QWidget* widget = controlFor(description, QString::fromLatin1(description.control), parent);
    widget->setStatusTip(tip);
    m_appletControls[field] = widget;
    return widget;
}

QWidget* VantrelPanels::makeItemControl(std::size_t field, QWidget* parent)
{
    const FieldDescription& description = itemFieldDescriptions()[field];
    QString tip;
    int state = -1;
    if (field < kLookFieldCount) {
        state = int(field / StateFieldCount);
        tip = stateHint(field % StateFieldCount, state);
    } else {
        tip = fieldHint(description.name);
    }
    if (description.kind == FieldKind::FontStyle) {
        auto* holder = new QWidget(parent);
        auto* row = new QHBoxLayout(holder);
        row->setContentsMargins(0, 0, 0, 0);
        row->setSpacing(2);
        QToolButton* bold = styleButton(description.control, QStringLiteral("B"), holder);
        QToolButton* italic = styleButton(description.secondControl, QStringLiteral("I"), holder);
        bold->setStatusTip(tip);
        italic->setStatusTip(tip);
        row->addWidget(bold);
        row->addWidget(italic);
        m_stateFontStyles[std::size_t(state)] = {FntStyle, bold, italic};
        return holder;
    }
    QWidget* widget = nullptr;
    if (field == IURL || field == ITarget) {
        auto* combo = new QComboBox(parent);
        combo->setEditable(true);
        combo->setInsertPolicy(QComboBox::NoInsert);
        for (const std::string& entry : field == IURL ? UrlSuggestions : TargetSuggestions)
            combo->addItem(QString::fromStdString(entry));
        combo->setMinimumWidth(200);
        combo->setObjectName(QString::fromLatin1(description.control));
        widget = combo;
    } else {
        widget = controlFor(description, QString::fromLatin1(description.control), parent);
    }
    widget->setStatusTip(tip);
    m_itemControls[field] = widget;
    return widget;
}

QWidget* VantrelPanels::buildAppletSettingsPage()
{
    QWidget* page = propertyPage(this, "tbshtAppletSettings", tr("Size, glide, cursor and sub-menu opening of the applet"));
    auto* grid = new QGridLayout(page);

    auto* size = group(tr("Applet Dimensions"), page);
    auto* sizeGrid = new QGridLayout(size);
    addRows(sizeGrid, {{tr("Width"), makeAppletControl(ApWidth, size)},
                       {tr("Height"), makeAppletControl(ApHeight, size)}});
    spnedtApWidth = control<QSpinBox>("spnedtApWidth");
    spnedtApHeight = control<QSpinBox>("spnedtApHeight");

    auto* glide = group(tr("Glide"), page);
    auto* glideGrid = new QGridLayout(glide);
    addRows(glideGrid, {{QString(), makeAppletControl(GlideOpen, glide)},
                        {tr("Speed"), makeAppletControl(GlideOpenSpeed, glide)},
                        {QString(), makeAppletControl(GlideClose, glide)},
                        {tr("Speed"), makeAppletControl(GlideCloseSpeed, glide)}},
            2);

    auto* cursor = group(tr("Cursor"), page);
    auto* cursorGrid = new QGridLayout(cursor);
    addRows(cursorGrid, {{QString(), makeAppletControl(ShowCursorType, cursor)}});

    auto* open = group(tr("Open Menu"), page);
    auto* openGrid = new QGridLayout(open);
    addRows(openGrid, {{QString(), makeAppletControl(OpenOneSubMenuOnly, open)}});

    grid->addWidget(size, 0, 0);
    grid->addWidget(glide, 0, 1);
    grid->addWidget(cursor, 1, 0, 1, 2);
    grid->addWidget(open, 2, 0, 1, 2);
    grid->setRowStretch(3, 1);
    return page;
}

QWidget* VantrelPanels::buildAppletBackgroundPage()
{
    QWidget* page = propertyPage(this, "tbshtAppletBackground", tr("Background colours, image, sound and border of the applet"));
    auto* column = new QVBoxLayout(page);

    auto* background = group(tr("Background"), page);
    auto* inner = new QVBoxLayout(background);

    auto* colour = group(tr("Color"), background);
    auto* colourGrid = new QGridLayout(colour);
    addRows(colourGrid, {{tr("Fill"), makeAppletControl(ApBgGrdntFllDrctn, colour)},
                         {tr("Color"), makeAppletControl(ApBgClr, colour)},
                         {tr("Fade Color"), makeAppletControl(ApBgFdClr, colour)}});

    auto* image = group(tr("Image"), background);
    auto* imageGrid = new QGridLayout(image);
    spdbtnApBgImg = pickerButton("spdbtnApBgImg", image);
    spdbtnApBgImg->setStatusTip(tr("Pick the background image"));
    addRows(imageGrid, {{tr("Image"), withButton(makeAppletControl(ApBgImg, image), spdbtnApBgImg, image)},
                        {tr("Alignment"), makeAppletControl(ApBgImgShowType, image)},
                        {tr("X"), makeAppletControl(ApBgImgX, image)},
                        {tr("Y"), makeAppletControl(ApBgImgY, image)}},
            2);

    auto* sound = group(tr("Sound"), background);
    auto* soundGrid = new QGridLayout(sound);
    spdbtnApBgSnd = pickerButton("spdbtnApBgSnd", sound);
    spdbtnApBgSnd->setStatusTip(tr("Pick the background sound"));
    addRows(soundGrid, {{tr("Sound"), withButton(makeAppletControl(ApBgSnd, sound), spdbtnApBgSnd, sound)}});

    inner->addWidget(colour);
    inner->addWidget(image);
    inner->addWidget(sound);

    auto* border = group(tr("Border"), page);
    auto* borderGrid = new QGridLayout(border);
    addRows(borderGrid, {{tr("Style"), makeAppletControl(ApBrdStyle, border)},
                         {tr("Width"), makeAppletControl(ApBrdWidth, border)},
                         {tr("Color"), makeAppletControl(ApBrdClr, border)}},
            3);

    column->addWidget(background);
    column->addWidget(border);
    column->addStretch(1);
    return page;
}

QWidget* VantrelPanels::buildScrollBarPage()
{
    QWidget* page = propertyPage(this, "tbshtScrollBar", tr("The vertical scroll bar of the applet"));
    auto* column = new QVBoxLayout(page);
    auto* bar = group(tr("Vertical Scroll Bar"), page);
    auto* grid = new QGridLayout(bar);
    addRows(grid, {{tr("Alignment"), makeAppletControl(VSBAlign, bar)},
                   {tr("Width"), makeAppletControl(VSBWidth, bar)},
                   {tr("Background"), makeAppletControl(VSBBgClr, bar)},
                   {tr("Scroll Block"), makeAppletControl(VSBVisibleClr, bar)},
                   {tr("Up Button"), makeAppletControl(VSBUpBtnClr, bar)},
                   {tr("Down Button"), makeAppletControl(VSBDownBtnClr, bar)},
                   {tr("Up Arrow"), makeAppletControl(VSBUpBtnArwClr, bar)},
                   {tr("Down Arrow"), makeAppletControl(VSBDownBtnArwClr, bar)}},
            2);
    grid->addWidget(makeAppletControl(VSBScrollAuto, bar), 4, 0, 1, 4);
    column->addWidget(bar);
    column->addStretch(1);
    return page;
}

QWidget* VantrelPanels::buildLoadingPage()
{
    QWidget* page = propertyPage(this, "tbshtLoading", tr("What the applet shows while it loads"));
    auto* column = new QVBoxLayout(page);
    column->setContentsMargins(2, 2, 2, 2);
    pgcntrlLoading = new QTabWidget(page);
    pgcntrlLoading->setObjectName(QStringLiteral("pgcntrlLoading"));
    pgcntrlLoading->addTab(buildProgressBarPage(), tr("Progress Bar"));
    pgcntrlLoading->addTab(buildMessagePage(), tr("Message"));
    pgcntrlLoading->addTab(buildLoadingBackgroundPage(), tr("BG and Status Bar"));
    column->addWidget(pgcntrlLoading);
    return page;
}

QWidget* VantrelPanels::buildProgressBarPage()
{
    QWidget* page = propertyPage(this, "tbshtProgressBar", tr("The loading progress bar"));
    auto* column = new QVBoxLayout(page);
    column->addWidget(makeAppletControl(ShowLoadingBar, page));
    auto* bar = group(tr("Loading Progress Bar"), page);
    bar->setObjectName(QStringLiteral("grpbxLoadingBar"));
    auto* grid = new QGridLayout(bar);
    addRows(grid, {{tr("X"), makeAppletControl(ApLoadingBarX, bar)},
                   {tr("Y"), makeAppletControl(ApLoadingBarY, bar)},
                   {tr("Width"), makeAppletControl(ApLoadingBarWidth, bar)},
                   {tr("Height"), makeAppletControl(ApLoadingBarHeight, bar)},
                   {tr("Border Style"), makeAppletControl(ApLoadingBarBrdStyle, bar)},
                   {tr("Border Width"), makeAppletControl(ApLoadingBarBrdWidth, bar)},
                   {tr("Border Color"), makeAppletControl(ApLoadingBarBrdClr, bar)},
                   {tr("Blank Color"), makeAppletControl(ApLoadingBarBlankClr, bar)},
                   {tr("Fill Color"), makeAppletControl(ApLoadingBarFillClr, bar)}},
            2);
    column->addWidget(bar);
    column->addStretch(1);
    return page;
}

QGroupBox* VantrelPanels::messageGroup(QWidget* page, int which)
{
    const bool first = which == 1;
    auto* box = group(first ? tr("Loading Message 1") : tr("Loading Message 2"), page);
    box->setObjectName(first ? QStringLiteral("grpbxLoadingMsg1") : QStringLiteral("grpbxLoadingMsg2"));
    auto* grid = new QGridLayout(box);
    grid->setVerticalSpacing(2);
    const std::size_t base = first ? ApLoadingMsg1X : ApLoadingMsg2X;
    // The message fields follow one order: X, Y, width, auto colour, font,
    // size, style, colour, text, show.
    grid->addWidget(makeAppletControl(base + 9, box), 0, 0, 1, 2);
    grid->addWidget(new QLabel(tr("Text"), box), 1, 0);
    grid->addWidget(makeAppletControl(base + 8, box), 1, 1, 1, 5);
    auto* rows = new QGridLayout;
    addRows(rows, {{tr("X"), makeAppletControl(base, box)},
                   {tr("Y"), makeAppletControl(base + 1, box)},
                   {tr("Width"), makeAppletControl(base + 2, box)},
                   {tr("Font"), makeAppletControl(base + 4, box)},
                   {tr("Size"), makeAppletControl(base + 5, box)},
                   {tr("Style"), makeAppletControl(base + 6, box)},
                   {QString(), makeAppletControl(base + 3, box)},
                   {tr("Color"), makeAppletControl(base + 7, box)}},
            3);
    grid->addLayout(rows, 2, 0, 1, 6);
    grid->setColumnStretch(1, 1);
    return box;
}

QWidget* VantrelPanels::buildMessagePage()
{
    QWidget* page = propertyPage(this, "tbshtMessage", tr("The two loading messages"));
    auto* column = new QVBoxLayout(page);
    column->setSpacing(2);
    column->addWidget(messageGroup(page, 1));
    column->addWidget(messageGroup(page, 2));
    column->addStretch(1);
    return page;
}

QWidget* VantrelPanels::buildLoadingBackgroundPage()
{
    QWidget* page = propertyPage(this, "tbshtBgAndStatusBar", tr("Background colour and status bar text while loading"));
    auto* column = new QVBoxLayout(page);
    auto* box = group(tr("Background and Status Bar"), page);
    auto* grid = new QGridLayout(box);
    addRows(grid, {{tr("Background Color"), makeAppletControl(ApLoadingBgClr, box)},
                   {tr("Status Bar Text"), makeAppletControl(ApLoadingStatusBarMsg, box)}});
    column->addWidget(box);
    column->addStretch(1);
    return page;
}

QWidget* VantrelPanels::buildAdvancedPage()
{
    QWidget* page = propertyPage(this, "tbshtAdvanced", tr("Where the applet reads its parameters from"));
    auto* column = new QVBoxLayout(page);
    auto* box = group(tr("Parameters File"), page);
    auto* grid = new QGridLayout(box);
    grid->addWidget(makeAppletControl(LoadAppletParamFromFile, box), 0, 0, 1, 2);
    addRows(grid, {{tr("File Name"), makeAppletControl(AppletParametersFileName, box)}}, 1, 1);
    column->addWidget(box);
    column->addStretch(1);
    return page;
}

QWidget* VantrelPanels::buildItemGeneralPage()
{
    QWidget* page = propertyPage(this, "tbshtItemGeneral", tr("Caption, link and place of the item"));
    auto* column = new QVBoxLayout(page);

    auto* caption = group(tr("Caption"), page);
    auto* captionGrid = new QGridLayout(caption);
    addRows(captionGrid, {{tr("Caption"), makeItemControl(ICaption, caption)}});

    auto* link = group(tr("Link"), page);
    auto* linkGrid = new QGridLayout(link);
    spdbtnItURL = pickerButton("spdbtnItURL", link);
    spdbtnItURL->setStatusTip(tr("Link to a local file"));
    addRows(linkGrid, {{tr("URL"), withButton(makeItemControl(IURL, link), spdbtnItURL, link)},
                       {tr("Target"), makeItemControl(ITarget, link)}});

    auto* description = group(tr("Description (Web browser status bar message)"), page);
    auto* descriptionGrid = new QGridLayout(description);
    addRows(descriptionGrid, {{QString(), makeItemControl(IDescription, description)}});

    auto* place = group(tr("Size"), page);
    auto* placeGrid = new QGridLayout(place);
    addRows(placeGrid, {{tr("X"), makeItemControl(IX, place)},
                        {tr("Y"), makeItemControl(IY, place)},
                        {tr("Width"), makeItemControl(IWidth, place)},
                        {tr("Height"), makeItemControl(IHeight, place)}},
            2);

    auto* visible = group(tr("Visible"), page);
    auto* visibleGrid = new QGridLayout(visible);
    addRows(visibleGrid, {{tr("Initially"), makeItemControl(ItemInitVisible, visible)}});

    edtICaption = control<QLineEdit>("edtICaption");
    cmbxIURL = control<QComboBox>("cmbxIURL");
    cmbxITarget = control<QComboBox>("cmbxITarget");
    cmbxItemInitVisible = control<QComboBox>("cmbxItemInitVisible");
    // Captions and descriptions are sentences: room to read them whole.
    edtICaption->setMinimumWidth(320);
    m_itemControls[IDescription]->setMinimumWidth(420);

    bttnItGnGlobalChange = new QPushButton(tr("Global Properties Change"), page);
    bttnItGnGlobalChange->setObjectName(QStringLiteral("bttnItGnGlobalChange"));
    bttnItGnGlobalChange->setStatusTip(tr("Copy properties of this item to other items"));
    for (QWidget* box : {caption, link, description, place, visible})
        column->addWidget(box);
    column->addStretch(1);
    column->addWidget(bttnItGnGlobalChange, 0, Qt::AlignRight);
    return page;
}

QWidget* VantrelPanels::buildItemStatePage(int state)
{
    static const char* const pageNames[] = {"tbshtItemNormal", "tbshtItemOver", "tbshtItemClicked"};
    const std::size_t base = kStates[state];
    const QString code = QString::fromLatin1(kStateCodes[state]);
    QWidget* page = propertyPage(this, pageNames[state],
                                 tr("How the item looks in its %1 state").arg(QString::fromLatin1(kStateNames[state])));
    auto* grid = new QGridLayout(page);
    grid->setVerticalSpacing(2);

    auto* caption = group(tr("Caption"), page);
    auto* captionGrid = new QGridLayout(caption);
    captionGrid->setVerticalSpacing(2);
    addRows(captionGrid, {{tr("Font"), makeItemControl(base + FntName, caption)},
                          {tr("Size"), makeItemControl(base + FntSize, caption)},
                          {tr("Style"), makeItemControl(base + FntStyle, caption)},
                          {tr("Color"), makeItemControl(base + TextClr, caption)},
                          {tr("H Align"), makeItemControl(base + TextHAlign, caption)},
                          {tr("H Offset"), makeItemControl(base + TextHOffset, caption)},
                          {tr("V Align"), makeItemControl(base + TextVAlign, caption)},
                          {tr("V Offset"), makeItemControl(base + TextVOffset, caption)}},
            2);

    auto* background = group(tr("Background"), page);
    auto* backgroundGrid = new QGridLayout(background);
    backgroundGrid->setVerticalSpacing(2);
    auto* imageButton = pickerButton(("spdbtnIt" + code + "BgImg").toLatin1().constData(), background);
    imageButton->setStatusTip(tr("Pick the background image"));
    spdbtnItBgImg[std::size_t(state)] = imageButton;
    QList<QPair<QString, QWidget*>> rows = {
        {tr("Image"), withButton(makeItemControl(base + BgImg, background), imageButton, background)},
        {tr("Alignment"), makeItemControl(base + BgImgAlign, background)},
        {tr("X"), makeItemControl(base + BgImgX, background)},
        {tr("Y"), makeItemControl(base + BgImgY, background)},
        {tr("Fill"), makeItemControl(base + BgGrdntFllDrctn, background)},
        {tr("Color"), makeItemControl(base + BgClr, background)},
        {tr("Fade Color"), makeItemControl(base + BgFdClr, background)},
        {QString(), makeItemControl(base + BgImgTransparent, background)}};
    if (state != 0) {
        auto* soundButton = pickerButton(("spdbtnIt" + code + "BgSnd").toLatin1().constData(), background);
        soundButton->setStatusTip(tr("Pick the sound of this look"));
        spdbtnItBgSnd[std::size_t(state)] = soundButton;
        rows.append({tr("Sound"), withButton(makeItemControl(base + BgSnd, background), soundButton, background)});
    }
    addRows(backgroundGrid, rows, 2);
    if (auto* transparent = qobject_cast<QCheckBox*>(m_itemControls[base + BgImgTransparent]))
        transparent->setText(tr("Transparent"));

    auto* border = group(tr("Border"), page);
    auto* borderGrid = new QGridLayout(border);
    borderGrid->setVerticalSpacing(2);
    addRows(borderGrid, {{tr("Style"), makeItemControl(base + BrdStyle, border)},
                         {tr("Width"), makeItemControl(base + BrdWidth, border)},
                         {tr("Color"), makeItemControl(base + BrdClr, border)}},
            3);

    auto* global = new QPushButton(tr("Global Properties Change"), page);
    global->setObjectName(QStringLiteral("bttnIt%1GlobalChange").arg(code));
    global->setStatusTip(tr("Copy properties of this item to other items"));
    bttnItGlobalChange[std::size_t(state)] = global;
    grid->addWidget(caption, 0, 0);
    grid->addWidget(background, 1, 0);
    grid->addWidget(border, 2, 0);
    grid->setRowStretch(3, 1);
    grid->addWidget(global, 4, 0, Qt::AlignRight);
    return page;
}

QList<QToolButton*> VantrelPanels::fontStyleButtons() const
{
    QList<QToolButton*> buttons;
    for (const FontStyle& style : m_appletFontStyles)
        buttons << style.bold << style.italic;
    for (const FontStyle& style : m_stateFontStyles)
        buttons << style.bold << style.italic;
    return buttons;
}

void VantrelPanels::setPageVisible(int page, bool visible)
{
    pgcntrlApplet->setTabVisible(page, visible);
}

void VantrelPanels::showAppletPages(int active)
{
    const QSignalBlocker block(pgcntrlApplet);
    for (int page = AppletSettingsPage; page <= AdvancedPage; ++page)
        setPageVisible(page, true);
    pgcntrlApplet->setCurrentIndex(active);
    for (int page = ItemGeneralPage; page < PageCount; ++page)
        setPageVisible(page, false);
    m_appletPagesShown = true;
}

void VantrelPanels::showItemPages()
{
    const QSignalBlocker block(pgcntrlApplet);
    for (int page = ItemGeneralPage; page < PageCount; ++page)
        setPageVisible(page, true);
    pgcntrlApplet->setCurrentIndex(ItemGeneralPage);
    for (int page = AppletSettingsPage; page <= AdvancedPage; ++page)
        setPageVisible(page, false);
    m_appletPagesShown = false;
}

namespace {

int choiceOf(QWidget* widget)
{
    auto* combo = qobject_cast<QComboBox*>(widget);
    return combo ? combo->currentIndex() : 0;
}

bool checked(QWidget* widget)
{
    auto* box = qobject_cast<QCheckBox*>(widget);
    return box && box->isChecked();
}

void enable(QWidget* widget, bool on)
{
    if (widget)
        widget->setEnabled(on);
}

} // namespace

void VantrelPanels::applyAppletRules()
{
    const auto& c = m_appletControls;
    const bool free = choiceOf(c[ApBgImgShowType]) == 0;
    enable(c[ApBgImgX], free);
    enable(c[ApBgImgY], free);
    enable(c[ApBgFdClr], choiceOf(c[ApBgGrdntFllDrctn]) != 0);
    const bool border = choiceOf(c[ApBrdStyle]) != 0;
    enable(c[ApBrdWidth], border);
    enable(c[ApBrdClr], border);

    const bool bar = checked(c[ShowLoadingBar]);
    for (std::size_t field : {ApLoadingBarX, ApLoadingBarY, ApLoadingBarWidth, ApLoadingBarHeight,
                              ApLoadingBarBrdStyle, ApLoadingBarBlankClr, ApLoadingBarFillClr})
        enable(c[field], bar);
    const bool barBorder = bar && choiceOf(c[ApLoadingBarBrdStyle]) != 0;
    enable(c[ApLoadingBarBrdWidth], barBorder);
    enable(c[ApLoadingBarBrdClr], barBorder);

    for (std::size_t base : {std::size_t(ApLoadingMsg1X), std::size_t(ApLoadingMsg2X)}) {
        const bool shown = checked(c[base + 9]);
        for (std::size_t offset : {0, 1, 2, 3, 4, 5, 8})
            enable(c[base + offset], shown);
        for (const FontStyle& style : m_appletFontStyles) {
            if (style.field == base + 6) {
                enable(style.bold, shown);
                enable(style.italic, shown);
            }
        }
        enable(c[base + 7], !checked(c[base + 3]));
    }
    enable(c[AppletParametersFileName], checked(c[LoadAppletParamFromFile]));
}

void VantrelPanels::applyItemRules()
{
    const auto& c = m_itemControls;
    for (std::size_t base : kStates) {
        const bool free = choiceOf(c[base + BgImgAlign]) == 0;
        enable(c[base + BgImgX], free);
        enable(c[base + BgImgY], free);
        enable(c[base + BgFdClr], choiceOf(c[base + BgGrdntFllDrctn]) != 0);
        const bool border = choiceOf(c[base + BrdStyle]) != 0;
        enable(c[base + BrdWidth], border);
        enable(c[base + BrdClr], border);
    }
}

bool VantrelPanels::isGoverning(const QWidget* control) const
{
    const auto& a = m_appletControls;
    for (std::size_t field : {ApBgImgShowType, ApBgGrdntFllDrctn, ApBrdStyle, ShowLoadingBar, ApLoadingBarBrdStyle,
                              ShowApLoadingMsg1, ShowApLoadingMsg2, ApLoadingMsg1AutoClr, ApLoadingMsg2AutoClr,
                              LoadAppletParamFromFile}) {
        if (a[field] == control)
            return true;
    }
    for (std::size_t base : kStates) {
        for (std::size_t offset : {BgImgAlign, BgGrdntFllDrctn, BrdStyle}) {
            if (m_itemControls[base + offset] == control)
                return true;
        }
    }
    return false;
}

} // namespace vantrel
