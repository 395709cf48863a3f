#include "kestravo/gui/TMainForm.h"

#include "AppletAgent.h"
#include "MessageBox.h"
#include "WindowPlacement.h"
#include "kestravo/core/KestravoProfile.h"
#include "kestravo/core/KestravoSchema.h"
#include "kestravo/core/KestravoStructure.h"
#include "kestravo/gui/KestravoPanels.h"
#include "kestravo/gui/TfrmHelp.h"

#include <QAction>
#include <QGuiApplication>
#include <QMenu>
#include <QScreen>
#include <QToolButton>

namespace kestravo {

kzt::PlatformProduct TMainForm::platform()
{
    return platformOf(KestravoProfile::instance());
}

TMainForm::TMainForm(kzt::AppPaths paths, QWidget* parent)
    : EditorMainWindow(KestravoProfile::instance(), std::move(paths), platform(), parent)
{
    m_panels = new KestravoPanels(this);
    placeTreeAndPanels(m_panels, 190, 580);
    nameCommands();
    buildStandardMenus({"help/index.html", "samples/index.html", QStringLiteral("https://kestravo.example.org/"),
                        QStringLiteral("mailto:kestravo@example.org"),
                        QStringLiteral("A builder of drop-down menus for web pages.")});
    connectControls();

    placeCentred(772, 532);
    m_help = new TfrmHelp(agent().paths().shareDir / "help", this);
    FormCreate();
}

TMainForm::~TMainForm() = default;

void TMainForm::nameCommands()
{
    m_actSaveAsTemplate->setText(tr("S&ave As Template"));
    m_actImport->setText(tr("&Import Menu Structure"));
    m_actExport->setText(tr("&Export Menu Structure"));
    m_actStatusBar->setText(tr("&Status Bar"));
    recentFilesMenu()->setTitle(tr("&Recent Files"));
}

void TMainForm::connectControls()
{
    bindFields(m_panels, schema::kSchema);
    for (QToolButton* button : m_panels->helpButtons()) {
        const int topic = button->property("helpTopic").toInt();
        connect(button, &QToolButton::clicked, this, [this, topic] { HelpButtonClick(topic); });
    }
}

void TMainForm::placeHelpWindow()
{
    if (m_helpPlaced)
        return;
    m_helpPlaced = true;
    // Beside the editor, so the settings the help talks about stay in view.
    const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    if (!screen) {
        m_help->move(frameGeometry().topRight() + QPoint(4, 0));
        return;
    }
    const QRect place = kzt::placeBeside(frameGeometry(), m_help->size(), screen->availableGeometry());
    m_help->resize(place.size());
    m_help->move(place.topLeft());
}

void TMainForm::HelpButtonClick(int topic)
{
    placeHelpWindow();
    if (!m_help->ShowTopic(topic))
        kzt::MessageBox::warning(this, QStringLiteral("The file \"%1\" was not found.").arg(m_help->topicPath(topic)));
}

void TMainForm::storingItem(std::size_t /*index*/, kzt::TItemData& item)
{
    // The level is the tree's, refreshed before any output; the reserved
    // field is not ours to keep.
    item.set(Level, {});
    item.set(Reserved, {});
}

void TMainForm::showMenuPanels()
{
    m_panels->showMenuPage();
}

void TMainForm::showItemPanels()
{
    m_panels->showItemPage();
}

kzt::TempletTexts TMainForm::templetTexts() const
{
    kzt::TempletTexts texts;
    texts.caption = QStringLiteral("Template");
    texts.hintLines = {QStringLiteral("Click OK, The template you selected will be opened. Click Cancel, a new project"),
                       QStringLiteral("will be created.")};
    texts.checkBoxText = QStringLiteral("Don't show this dialog again.");
    texts.pattern = QStringLiteral("*.ksdm");
    texts.createUserFolder = false;
    return texts;
}

std::optional<kzt::MenuStructureMapping> TMainForm::structureMapping() const
{
    return KestravoStructure::mapping();
}

} // namespace kestravo
