// Preview: the page served to the browser and kept up to date with the editor.
#include "EditorMainWindow.h"

#include "AppletAgent.h"
#include "LivePreview.h"
#include "MessageBox.h"
#include "TformWebBrowser.h"

#include <QAction>
#include <QDir>
#include <QLabel>

namespace kzt {

namespace {

const char* const kRuntimeNotice = "The published page will not load %1, so browsers without Java will show "
                                   "nothing there: turn on Option > Script Runtime for Browsers Without Java.";

} // namespace

Status EditorMainWindow::writeServedPreview(std::string& page)
{
    commitPanels();
    // The author sees the menu whatever the publishing option says; the
    // option is back as it was before anything else reads it.
    const bool runtime = m_agent->ScriptRuntime();
    const bool always = !m_agent->info().browserRuntime.empty();
    if (always)
        m_agent->SetScriptRuntime(true);
    Status status = m_agent->BuildHTMLText(page);
    if (status) {
        // The items' images were staged when picked or when the project was
        // opened; only the runtime script and the page are added here, the
        // script once per document.
        if (!m_livePreview || m_livePreview->scriptsWanted(m_agent->ScriptFiles))
            m_agent->CopyScriptsToPreview();
        status = m_agent->WritePreviewPage(page);
    }
    if (always)
        m_agent->SetScriptRuntime(runtime);
    return status;
}

void EditorMainWindow::openServedPreview()
{
    std::string page;
    const Status written = writeServedPreview(page);
    showCopyNotes();
    if (!written.ok()) {
        showFailure(written);
        return;
    }
    if (!m_livePreview) {
        m_livePreview = std::make_unique<LivePreview>(
            m_agent->paths().previewDir, [this](std::string& next) { return writeServedPreview(next); });
        m_livePreview->follow(*m_agent);
    }
    Status served;
    const QString url = m_livePreview->serve(served);
    if (url.isEmpty()) {
        // Without a server the page still opens as a file, as it always did.
        m_hint->setText(QString::fromStdString(served.message()));
        const QString folder = QString::fromStdString(m_agent->paths().previewDir.string());
        if (!createBrowserDialog()->launch(folder, QString::fromLatin1(LivePreview::kPageName)))
            MessageBox::warning(this, tr("No web browser could be started to show the preview \"%1\". Choose a "
                                         "browser that is installed with Option > Web Browser.")
                                          .arg(QDir(folder).filePath(QString::fromLatin1(LivePreview::kPageName))));
        return;
    }
    const std::string& runtime = m_agent->info().browserRuntime;
    m_livePreview->setPageNotice(!runtime.empty() && !m_agent->ScriptRuntime()
                                     ? QString::fromLatin1(kRuntimeNotice).arg(QString::fromStdString(runtime)).toStdString()
                                     : std::string());
    if (!runtime.empty() && !m_agent->ScriptRuntime())
        m_hint->setText(tr("The preview carries the script runtime, the published page does not: browsers of today "
                           "run no Java applets, so turn on Option > Script Runtime for Browsers Without Java."));
    const bool open = m_livePreview->wantsBrowser();
    m_livePreview->pageWritten(std::move(page));
    if (!open)
        return;
    if (createBrowserDialog()->launchUrl(url)) {
        m_livePreview->browserOpened();
        return;
    }
    MessageBox::warning(this, tr("No web browser could be started to show the preview. Open this address in a "
                                 "browser to see it, or choose a browser that is installed with Option > Web "
                                 "Browser:\n%1")
                                  .arg(url));
}

void EditorMainWindow::documentEdited()
{
    if (m_livePreview)
        m_livePreview->documentChanged();
}

} // namespace kzt
