#include "osmerin/gui/OsmerinPanels.h"

#include "ColorSwatch.h"
#include "FieldText.h"
#include "TKZTEdit.h"
#include "osmerin/core/OsmerinRecords.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QKeyEvent>
#include <QStatusTipEvent>
#include <QToolButton>
#include <QVBoxLayout>

namespace osmerin {

namespace {

template <typename T> T* named(const char* objectName, QWidget* parent)
{
    auto* widget = new T(parent);
    widget->setObjectName(QString::fromLatin1(objectName));
    return widget;
}

// An up-down whose edit is the range-checked edit in integer mode.
class UpDown : public QSpinBox
{
public:
    UpDown(const char* upDownName, const char* editName, int largest, QWidget* parent)
        : QSpinBox(parent)
    {
        setObjectName(QString::fromLatin1(upDownName));
        auto* edit = new kzt::TKZTEdit(this);
        edit->setObjectName(QString::fromLatin1(editName));
        edit->setEditType(kzt::TKZTEdit::etInteger);
        setLineEdit(edit);
        edit->setMaxLength(4);
        setRange(0, largest);
        setFixedWidth(62);
        setToolTip(rangeText());
        edit->installEventFilter(this);
    }

protected:
    // A keystroke the box refuses says why in the hint line.
    void keyPressEvent(QKeyEvent* event) override
    {
        checkKey(event);
        QSpinBox::keyPressEvent(event);
    }
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == lineEdit() && event->type() == QEvent::KeyPress)
            checkKey(static_cast<QKeyEvent*>(event));
        return QSpinBox::eventFilter(watched, event);
    }

private:
    QString rangeText() const
    {
        return tr("A whole number from %1 to %2").arg(minimum()).arg(maximum());
    }
    void checkKey(const QKeyEvent* event)
    {
        const QString typed = event->text();
        if (typed.isEmpty() || !typed.at(0).isPrint() || (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier)))
            return;
        const QLineEdit* edit = lineEdit();
        QString candidate = edit->text();
        int at = edit->cursorPosition();
        if (edit->hasSelectedText()) {
            at = edit->selectionStart();
            candidate.remove(at, edit->selectedText().size());
        }
        candidate.insert(at, typed);
        bool number = false;
        const int value = candidate.toInt(&number);
        if (number && value >= minimum() && value <= maximum() && candidate.size() <= edit->maxLength())
            return;
        QStatusTipEvent tip(tr("Refused: this box takes a whole number from %1 to %2.").arg(minimum()).arg(maximum()));
        QCoreApplication::sendEvent(window(), &tip);
    }
};

kzt::ColorSwatch* swatch(const char* objectName, QWidget* parent)
{
    auto* panel = named<kzt::ColorSwatch>(objectName, parent);
    panel->setFixedSize(36, 18);
    panel->setCursor(Qt::PointingHandCursor);
    return panel;
}

QComboBox* choices(const char* objectName, const QStringList& entries, QWidget* parent)
{
    auto* combo = named<QComboBox>(objectName, parent);
    combo->addItems(entries);
    return combo;
}

QToolButton* toggle(const char* objectName, const QString& text, QWidget* parent)
{
    auto* button = named<QToolButton>(objectName, parent);
    button->setText(text);
    button->setCheckable(true);
    button->setMinimumSize(22, 22);
    return button;
}

QRadioButton* radio(const char* objectName, const QString& text, QButtonGroup* group, int id,
                    QWidget* parent)
{
    auto* button = named<QRadioButton>(objectName, parent);
    button->setText(text);
    group->addButton(button, id);
    return button;
}

void addRow(QGridLayout* grid, int row, const QString& label, QWidget* control, QWidget* parent)
{
    grid->addWidget(new QLabel(label, parent), row, 0);
    grid->addWidget(control, row, 1, Qt::AlignLeft);
}

} // namespace

OsmerinPanels::OsmerinPanels(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("pnlPages"));
    PageControl1 = named<QTabWidget>("PageControl1", this);
    PageControl1->addTab(buildGeneralPage(), tr("General"));
    PageControl1->addTab(buildTextSettingsPage(), tr("Text Settings"));
    PageControl1->addTab(buildLinksPage(), tr("Links"));
    PageControl2 = named<QTabWidget>("PageControl2", this);
    PageControl2->addTab(buildAppletSettingPage(), tr("Applet Setting"));
    PageControl2->addTab(buildScrollButtonPage(), tr("Scroll Button"));
    PageControl2->addTab(buildBorderPage(), tr("Border and Cursor"));
    PageControl2->addTab(buildLoadingPage(), tr("Loading Message"));
    auto* stack = new QVBoxLayout(this);
    stack->setContentsMargins(0, 0, 0, 0);
    stack->addWidget(PageControl1);
    stack->addWidget(PageControl2);
    showAppletPages();
}

kzt::TKZTEdit* OsmerinPanels::editOf(QSpinBox* upDown)
{
    return upDown->findChild<kzt::TKZTEdit*>();
}

QWidget* OsmerinPanels::buildGeneralPage()
{
    auto* page = named<QWidget>("tbshtGeneral", this);
    auto* column = new QVBoxLayout(page);
    auto* comment = new QGroupBox(tr("Comment"), page);
    editItemComment = named<QLineEdit>("editItemComment", comment);
    (new QHBoxLayout(comment))->addWidget(editItemComment);
    column->addWidget(comment);

    auto* content = new QGroupBox(tr("Content"), page);
    m_contentType = new QButtonGroup(this);
    m_contentType->setObjectName(QStringLiteral("grpItemContentType"));
    rdbtnContentTypeText = radio("rdbtnContentTypeText", tr("Text"), m_contentType, 0, content);
    rdbtnContentTypeImage = radio("rdbtnContentTypeImage", tr("Image"), m_contentType, 1, content);
    rdbtnContentTypeTextFile =
        radio("rdbtnContentTypeTextFile", tr("Load Text from TXT FILE"), m_contentType, 2, content);
    memoItemText = named<QPlainTextEdit>("memoItemText", content);
    memoItemText->setLineWrapMode(QPlainTextEdit::NoWrap);
    editItemImageFilename = named<QLineEdit>("editItemImageFilename", content);
    spdbtnImageFilename = named<QToolButton>("spdbtnImageFilename", content);
    spdbtnImageFilename->setText(QStringLiteral("..."));
    cmbxItemImageAlign = choices("cmbxItemImageAlign", {tr("Left"), tr("Center"), tr("Right")}, content);
    editItemTextFilename = named<QLineEdit>("editItemTextFilename", content);
    spdbtnTextFilename = named<QToolButton>("spdbtnTextFilename", content);
    spdbtnTextFilename->setText(QStringLiteral("..."));
    auto* grid = new QGridLayout(content);
    grid->addWidget(rdbtnContentTypeText, 0, 0);
    grid->addWidget(memoItemText, 0, 1, 1, 3);
    grid->addWidget(rdbtnContentTypeImage, 1, 0);
    grid->addWidget(editItemImageFilename, 1, 1);
    grid->addWidget(spdbtnImageFilename, 1, 2);
    grid->addWidget(cmbxItemImageAlign, 1, 3);
    grid->addWidget(rdbtnContentTypeTextFile, 2, 0);
    grid->addWidget(editItemTextFilename, 2, 1);
    grid->addWidget(spdbtnTextFilename, 2, 2);
    grid->setColumnStretch(1, 1);
    column->addWidget(content, 1);
    return page;
}

QWidget* OsmerinPanels::buildTextSettingsPage()
{
    auto* page = named<QWidget>("tbshtTextSettings", this);
    auto* column = new QVBoxLayout(page);
    auto* text = new QGroupBox(tr("Text"), page);
    m_textAlign = new QButtonGroup(this);
    m_textAlign->setObjectName(QStringLiteral("grpItemTextAlign"));
    spdbtnFontAlignLeft = toggle("spdbtnFontAlignLeft", QStringLiteral("L"), text);
    spdbtnFontAlignCenter = toggle("spdbtnFontAlignCenter", QStringLiteral("C"), text);
    spdbtnFontAlignRight = toggle("spdbtnFontAlignRight", QStringLiteral("R"), text);
    m_textAlign->addButton(spdbtnFontAlignLeft, 0);
    m_textAlign->addButton(spdbtnFontAlignCenter, 1);
    m_textAlign->addButton(spdbtnFontAlignRight, 2);
    cmbxItemFont = choices("cmbxItemFont", {QStringLiteral("TimesRoman"), QStringLiteral("Helvetica"),
                                            QStringLiteral("Courier")}, text);
    spdbtnFontBold = toggle("spdbtnFontBold", QStringLiteral("B"), text);
    spdbtnFontItalic = toggle("spdbtnFontItalic", QStringLiteral("I"), text);
    cmbxItemFontSize = choices("cmbxItemFontSize",
                               {"8", "10", "12", "14", "16", "18", "20", "22", "24", "26", "28", "36", "48", "72"},
                               text);
    cmbxItemFontEffect = choices("cmbxItemFontEffect", {tr("Normal"), tr("Shadow")}, text);
    pnlItemFontColor = swatch("pnlItemFontColor", text);
    pnlItemFontHoverColor = swatch("pnlItemFontHoverColor", text);
    auto* grid = new QGridLayout(text);
    auto* buttons = new QHBoxLayout;
    for (QToolButton* b : {spdbtnFontAlignLeft, spdbtnFontAlignCenter, spdbtnFontAlignRight, spdbtnFontBold,
                           spdbtnFontItalic})
        buttons->addWidget(b);
    buttons->addStretch(1);
    grid->addLayout(buttons, 0, 0, 1, 4);
    addRow(grid, 1, tr("Font"), cmbxItemFont, text);
    grid->addWidget(new QLabel(tr("Font Size"), text), 1, 2);
    grid->addWidget(cmbxItemFontSize, 1, 3, Qt::AlignLeft);
    addRow(grid, 2, tr("Font Effect"), cmbxItemFontEffect, text);
    grid->addWidget(new QLabel(tr("Color"), text), 2, 2);
    grid->addWidget(pnlItemFontColor, 2, 3, Qt::AlignLeft);
    grid->addWidget(new QLabel(tr("Hover Color"), text), 3, 2);
    grid->addWidget(pnlItemFontHoverColor, 3, 3, Qt::AlignLeft);
    column->addWidget(text);

    auto* underline = new QGroupBox(tr("Underline"), page);
    m_underline = new QButtonGroup(this);
    m_underline->setObjectName(QStringLiteral("grpItemUnderline"));
    rdbtnUnderlineNever = radio("rdbtnUnderlineNever", tr("Never"), m_underline, 0, underline);
    rdbtnUnderlineHover = radio("rdbtnUnderlineHover", tr("Mouse Over"), m_underline, 1, underline);
    rdbtnUnderlineAlways = radio("rdbtnUnderlineAlways", tr("Always"), m_underline, 2, underline);
    pnlItemHighlightColor = swatch("pnlItemHighlightColor", underline);
    auto* row = new QHBoxLayout(underline);
    row->addWidget(rdbtnUnderlineNever);
    row->addWidget(rdbtnUnderlineHover);
    row->addWidget(rdbtnUnderlineAlways);
    row->addWidget(new QLabel(tr("Underline Color"), underline));
    row->addWidget(pnlItemHighlightColor);
    column->addWidget(underline);
    column->addStretch(1);
    return page;
}

QWidget* OsmerinPanels::buildLinksPage()
{
    auto* page = named<QWidget>("tbshtLinks", this);
    auto* column = new QVBoxLayout(page);
    auto* link = new QGroupBox(tr("Link"), page);
    editItemURL = named<QLineEdit>("editItemURL", link);
    cmbxItemTarget = named<QComboBox>("cmbxItemTarget", link);
    cmbxItemTarget->setEditable(true);
    cmbxItemTarget->setInsertPolicy(QComboBox::NoInsert);
    cmbxItemTarget->addItems({"_self", "_top", "_blank", "_parent"});
    auto* grid = new QGridLayout(link);
    grid->addWidget(new QLabel(tr("URL"), link), 0, 0);
    grid->addWidget(editItemURL, 0, 1);
    addRow(grid, 1, tr("Target"), cmbxItemTarget, link);
    grid->setColumnStretch(1, 1);
    column->addWidget(link);
    auto* status = new QGroupBox(tr("Status Bar"), page);
    editItemStatusBarText = named<QLineEdit>("editItemStatusBarText", status);
    (new QHBoxLayout(status))->addWidget(editItemStatusBarText);
    column->addWidget(status);
    column->addStretch(1);
    return page;
}

QWidget* OsmerinPanels::buildAppletSettingPage()
{
    auto* page = named<QWidget>("tbshtAppletSetting", this);
    auto* column = new QVBoxLayout(page);
    auto* size = new QGroupBox(tr("Applet Dimensions"), page);
    udAppletWidth = new UpDown("udAppletWidth", "kzteditAppletWidth", 3000, size);
    udAppletHeight = new UpDown("udAppletHeight", "kzteditAppletHeight", 3000, size);
    pnlAppletBGColor = swatch("pnlAppletBGColor", size);
    auto* grid = new QGridLayout(size);
    addRow(grid, 0, tr("Width"), udAppletWidth, size);
    addRow(grid, 1, tr("Height"), udAppletHeight, size);
    addRow(grid, 2, tr("BG Color"), pnlAppletBGColor, size);
    grid->setColumnStretch(1, 1);
    auto* slide = new QGroupBox(tr("Slide Setting"), page);
    udSlideSpeed = new UpDown("udSlideSpeed", "kzteditSlideSpeed", 3000, slide);
    udSlideDelay = new UpDown("udSlideDelay", "kzteditSlideDelay", 3000, slide);
    cmbxSlideDirection = choices("cmbxSlideDirection", {tr("Up"), tr("Down"), tr("Left"), tr("Right")}, slide);
    auto* slideGrid = new QGridLayout(slide);
    addRow(slideGrid, 0, tr("Speed"), udSlideSpeed, slide);
    addRow(slideGrid, 1, tr("Delay"), udSlideDelay, slide);
    addRow(slideGrid, 2, tr("Direction"), cmbxSlideDirection, slide);
    slideGrid->setColumnStretch(1, 1);
    auto* row = new QHBoxLayout;
    row->addWidget(size);
    row->addWidget(slide);
    column->addLayout(row);
    column->addStretch(1);
    return page;
}

QGroupBox* OsmerinPanels::scrollButtonGroup(QWidget* page, const QString& title, int which)
{
    auto* box = new QGroupBox(title, page);
    const bool first = which == 1;
    box->setObjectName(first ? QStringLiteral("grpbxScrollBtn1") : QStringLiteral("grpbxScrollBtn2"));
    QSpinBox*& x = first ? udScrollBtn1X : udScrollBtn2X;
    QSpinBox*& y = first ? udScrollBtn1Y : udScrollBtn2Y;
    QSpinBox*& w = first ? udScrollBtn1Width : udScrollBtn2Width;
    QSpinBox*& h = first ? udScrollBtn1Height : udScrollBtn2Height;
    kzt::ColorSwatch*& bg = first ? pnlScrollBtn1BGColor : pnlScrollBtn2BGColor;
    kzt::ColorSwatch*& arrow = first ? pnlScrollBtn1AarowColor : pnlScrollBtn2AarowColor;
    x = new UpDown(first ? "udScrollBtn1X" : "udScrollBtn2X", first ? "kzteditScrollBtn1X" : "kzteditScrollBtn2X",
                   3000, box);
    y = new UpDown(first ? "udScrollBtn1Y" : "udScrollBtn2Y", first ? "kzteditScrollBtn1Y" : "kzteditScrollBtn2Y",
                   3000, box);
    w = new UpDown(first ? "udScrollBtn1Width" : "udScrollBtn2Width",
                   first ? "kzteditScrollBtn1Width" : "kzteditScrollBtn2Width", 3000, box);
    h = new UpDown(first ? "udScrollBtn1Height" : "udScrollBtn2Height",
                   first ? "kzteditScrollBtn1Height" : "kzteditScrollBtn2Height", 3000, box);
    bg = swatch(first ? "pnlScrollBtn1BGColor" : "pnlScrollBtn2BGColor", box);
    arrow = swatch(first ? "pnlScrollBtn1AarowColor" : "pnlScrollBtn2AarowColor", box);
    auto* grid = new QGridLayout(box);
    grid->setVerticalSpacing(2);
    addRow(grid, 0, tr("X"), x, box);
    addRow(grid, 1, tr("Y"), y, box);
    addRow(grid, 2, tr("Width"), w, box);
    addRow(grid, 3, tr("Height"), h, box);
    addRow(grid, 4, tr("BG Color"), bg, box);
    addRow(grid, 5, tr("Arrow Color"), arrow, box);
    grid->setColumnStretch(1, 1);
    return box;
}

QWidget* OsmerinPanels::buildScrollButtonPage()
{
    auto* page = named<QWidget>("tbshtScrollButton", this);
    auto* column = new QVBoxLayout(page);
    chckbxShowScrollBtnFlag = named<QCheckBox>("chckbxShowScrollBtnFlag", page);
    chckbxShowScrollBtnFlag->setText(tr("Show Scroll Button"));
    column->setContentsMargins(6, 4, 6, 4);
    column->setSpacing(2);
    column->addWidget(chckbxShowScrollBtnFlag);
    auto* row = new QHBoxLayout;
    grpbxScrollBtn1 = scrollButtonGroup(page, tr("Up/Left"), 1);
    grpbxScrollBtn2 = scrollButtonGroup(page, tr("Down/Right"), 2);
    row->addWidget(grpbxScrollBtn1);
    row->addWidget(grpbxScrollBtn2);
    column->addLayout(row);
    column->addStretch(1);
    return page;
}

QWidget* OsmerinPanels::buildBorderPage()
{
    auto* page = named<QWidget>("tbshtBorderAndCursor", this);
    auto* row = new QHBoxLayout(page);
    auto* border = new QGroupBox(tr("Border"), page);
    udAppletBorderWidth = new UpDown("udAppletBorderWidth", "kzteditAppletBorderWidth", 999, border);
    pnlAppletBorderColor = swatch("pnlAppletBorderColor", border);
    cmbxAppletBorderStyle = choices("cmbxAppletBorderStyle",
                                    {tr("No Border"), tr("Raised Frame"), tr("Lowered Frame"), tr("Raised Bevel"),
                                     tr("Lowered Bevel")},
                                    border);
    auto* grid = new QGridLayout(border);
    addRow(grid, 0, tr("Width"), udAppletBorderWidth, border);
    addRow(grid, 1, tr("Color"), pnlAppletBorderColor, border);
    addRow(grid, 2, tr("Style"), cmbxAppletBorderStyle, border);
    grid->setRowStretch(3, 1);
    auto* cursor = new QGroupBox(tr("Cursor Type"), page);
    m_cursorType = new QButtonGroup(this);
    m_cursorType->setObjectName(QStringLiteral("grpCursorType"));
    rdbtnCursorType1 = radio("rdbtnCursorType1", tr("Use Default Cursor"), m_cursorType, 0, cursor);
    rdbtnCursorType2 =
        radio("rdbtnCursorType2", tr("Use Hand Cursor if there has a Hyper Link"), m_cursorType, 1, cursor);
    rdbtnCursorType3 = radio("rdbtnCursorType3", tr("Always Hand Cursor"), m_cursorType, 2, cursor);
    rdbtnCursorType2->setChecked(true);
    auto* list = new QVBoxLayout(cursor);
    list->addWidget(rdbtnCursorType1);
    list->addWidget(rdbtnCursorType2);
    list->addWidget(rdbtnCursorType3);
    list->addStretch(1);
    row->addWidget(border);
    row->addWidget(cursor, 1);
    return page;
}

QWidget* OsmerinPanels::buildLoadingPage()
{
    auto* page = named<QWidget>("tbshtLoadingMessage", this);
    auto* column = new QVBoxLayout(page);
    auto* box = new QGroupBox(tr("Loading Message"), page);
    pnlLoadingBGColor = swatch("pnlLoadingBGColor", box);
    pnlLoadingMessageColor = swatch("pnlLoadingMessageColor", box);
    editLoadingMessage = named<QLineEdit>("editLoadingMessage", box);
    auto* grid = new QGridLayout(box);
    addRow(grid, 0, tr("Background Color"), pnlLoadingBGColor, box);
    addRow(grid, 1, tr("Message Color"), pnlLoadingMessageColor, box);
    grid->addWidget(new QLabel(tr("Message"), box), 2, 0);
    grid->addWidget(editLoadingMessage, 2, 1);
    grid->setColumnStretch(1, 1);
    column->addWidget(box);
    column->addStretch(1);
    return page;
}

QList<QWidget*> OsmerinPanels::handBoundItemControls() const
{
    return {memoItemText};
}

void OsmerinPanels::showItemText(const kzt::TItemData& item)
{
    QStringList lines;
    const std::string_view text = item.size() > ItemText ? item.get(ItemText) : std::string_view();
    for (const std::string& line : SplitItemText(text))
        lines << kzt::FieldText::toControl(line);
    memoItemText->setPlainText(lines.join(QLatin1Char('\n')));
    m_shownMemo = memoItemText->toPlainText();
}

void OsmerinPanels::storeItemText(kzt::TItemData& item) const
{
    // Text the author did not touch keeps its bytes, a trailing joiner included.
    const QString text = memoItemText->toPlainText();
    if (text != m_shownMemo) {
        kzt::TStringArray lines;
        if (!text.isEmpty()) {
            for (const QString& line : text.split(QLatin1Char('\n')))
                lines.push_back(kzt::FieldText::toRecord(line, memoItemText));
        }
        item.set(ItemText, JoinItemText(lines));
    }
    item.set(ItemContent, DerivedItemContent(item));
}

void OsmerinPanels::showAppletPages()
{
    PageControl1->hide();
    PageControl2->show();
}

void OsmerinPanels::showItemPages()
{
    PageControl2->hide();
    PageControl1->show();
}

void OsmerinPanels::applyContentType()
{
    const int type = m_contentType->checkedId();
    memoItemText->setEnabled(type == 0);
    editItemImageFilename->setEnabled(type == 1);
    spdbtnImageFilename->setEnabled(type == 1);
    cmbxItemImageAlign->setEnabled(type == 1);
    editItemTextFilename->setEnabled(type == 2);
    spdbtnTextFilename->setEnabled(type == 2);
}

void OsmerinPanels::applyScrollButtons()
{
    const bool on = chckbxShowScrollBtnFlag->isChecked();
    for (QGroupBox* box : {grpbxScrollBtn1, grpbxScrollBtn2}) {
        for (QWidget* child : box->findChildren<QWidget*>())
            child->setEnabled(on);
        box->setCursor(on ? Qt::ArrowCursor : Qt::ForbiddenCursor);
    }
}

} // namespace osmerin
