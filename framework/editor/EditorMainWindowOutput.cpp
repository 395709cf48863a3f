// The output side of the main window: code viewer, preview, publish report,
// browser choice, templates and the menu structure exchange.
#include "EditorMainWindow.h"

#include "AppletAgent.h"
#include "EditHistory.h"
#include "EditSteps.h"
#include "FileDialog.h"
#include "ItemTreeModel.h"
#include "LivePreview.h"
#include "MessageBox.h"
#include "TformHTML.h"
#include "TformWebBrowser.h"
#include "TfrmGlobalPropertiesChange.h"
#include "TreeNode.h"
#include "TfrmPublishReport.h"

#include <QAction>
#include <QDir>
#include <QLabel>
#include <QTreeView>

namespace kzt {

QString EditorMainWindow::BuildHTMLIntoViewer()
{
    commitPanels();
    if (!m_viewer) {
        m_viewer = new TformHTML(this);
        m_viewer->setObjectName(QStringLiteral("formHTML"));
    }
    std::string page;
    const Status status = m_agent->BuildHTMLText(page);
    m_viewer->setPage(page);
    if (!status.ok()) {
        showFailure(status);
        return {};
    }
    return m_viewer->text();
}

void EditorMainWindow::BuildHTML1Click()
{
    if (BuildHTMLIntoViewer().isNull())
        return;
    m_viewer->exec();
}

void EditorMainWindow::Preview1Click()
{
    if (BuildHTMLIntoViewer().isNull())
        return;
    openServedPreview();
}

void EditorMainWindow::Publish1Click()
{
    commitPanels();
    TfrmPublishReport report(this);
    report.setObjectName(QStringLiteral("frmPublishReport"));
    report.setReport(m_agent->PublishReportText());
    report.exec();
}

std::unique_ptr<TformWebBrowser> EditorMainWindow::createBrowserDialog()
{
    const ProductInfo& info = m_agent->info();
    if (!info.olderBrowserDialog)
        return std::make_unique<TformWebBrowser>(m_platform, this);
    const TformWebBrowser::OlderForm older{info.browserPickChecksKnown,
                                           m_agent->paths().userDataDir / "wbrwsr.dat"};
    return std::make_unique<TformWebBrowser>(m_platform, older, this);
}

void EditorMainWindow::WebBrowser1Click()
{
    const std::unique_ptr<TformWebBrowser> browser = createBrowserDialog();
    browser->setObjectName(QStringLiteral("formWebBrowser"));
    browser->exec();
}

void EditorMainWindow::Templates1Click()
{
    const QString shipped = QString::fromStdString((m_agent->paths().shareDir / "templates").string());
    const QString own = QString::fromStdString(m_agent->paths().userTemplatesDir().string());
    TfrmTemplet::run(m_platform, templetTexts(), shipped, own, this,
                     [this](const QString& path) { OpenTemplate(path); },
                     [this] { New1Click(); });
}

void EditorMainWindow::GlobalPropertiesChangeClick(const PropertyLayout& layout, std::optional<std::size_t> look)
{
    if (m_currentItemNode)
        PanelToItemData(m_agent->ItemIndexOf(m_currentItemNode));
    recordChanges(tr("Change Properties"));
    const TreeNode* selected = selectedNode();
    if (!selected || selected->isRoot())
        return;
    TfrmGlobalPropertiesChange dialog(*m_agent, m_agent->ItemIndexOf(selected), layout, this);
    if (look)
        dialog.checkState(*look);
    // The copied records reach every view through the record events.
    if (dialog.exec() == QDialog::Accepted) {
        recordChanges(tr("Copy Properties"));
        setModified(true);
    }
}

namespace {

const char* const kStructureFilter = "General Menu Structure File (*.gms)|*.gms";

} // namespace

void EditorMainWindow::ImportMenuStructure1Click()
{
    const auto mapping = structureMapping();
    if (!mapping || !queryLeaveDocument())
        return;
    AppPaths::ensurePrivateFolder(m_agent->paths().previewDir);
    const QString path = FileDialog::getOpenFileName(this, tr("Import Menu Structure"), dialogFolder(),
                                                     QString::fromLatin1(kStructureFilter));
    if (path.isEmpty())
        return;
    commitPanels();
    // The menu it replaces stays one Undo away.
    auto replaced = std::make_unique<DocumentStep>(tr("Import Menu Structure").toStdString(), *m_agent);
    m_currentItemNode = nullptr;
    m_treeUpdating = true;
    m_history->recorder().discard();
    m_history->recorder().pause();
    const Status status = StructureFileFormat::ImportMenuStructure(*m_agent, *mapping, path.toStdString());
    m_history->recorder().resume();
    m_history->push(std::move(replaced));
    m_treeUpdating = false;
    AppletDataToPanel();
    m_tree->setExpanded(m_model->indexOf(m_agent->tree().root()), true);
    selectNode(m_agent->tree().root());
    showMenuPanels();
    setModified(false);
    rememberPage();
    refreshTextEncoding();
    documentReplaced();
    if (m_livePreview)
        m_livePreview->documentReplaced();
    showFailure(status);
}

void EditorMainWindow::ExportMenuStructure1Click()
{
    const auto mapping = structureMapping();
    if (!mapping)
        return;
    commitPanels();
    QString path = FileDialog::getSaveFileName(this, tr("Export Menu Structure"), dialogFolder(),
                                               QString::fromLatin1(kStructureFilter), QStringLiteral("gms"));
    if (path.isEmpty())
        return;
    path = QString::fromStdString(StructureFileFormat::withStructureExtension(path.toStdString()));
    showFailure(StructureFileFormat::ExportMenuStructure(*m_agent, *mapping, path.toStdString()));
}

} // namespace kzt
