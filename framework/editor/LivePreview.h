#pragma once

#include "Status.h"

#include <QObject>
#include <QString>
#include <QTimer>

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace kzt {

class PreviewServer;
class TkztAppletAgent;

// Preview as a page that follows the editor: the preview folder served on
// 127.0.0.1, the browser opened on its address once per document, and the
// open page reloaded shortly after each committed change.
class LivePreview : public QObject
{
    Q_OBJECT
public:
    // Writes the document's preview page into the folder and gives its text.
    using Republish = std::function<Status(std::string& page)>;

    LivePreview(std::filesystem::path folder, Republish republish, QObject* parent = nullptr);
    ~LivePreview() override;

    // The served name of the preview page.
    static constexpr const char* kPageName = "~preview.html";
    // The first edit after a pause reloads at once; edits closer together
    // than this after it make one more reload when they pause.
    static constexpr int kSettleMilliseconds = 150;

    // Starts serving when it has not yet; the page's address, or empty with
    // the reason in `status`.
    QString serve(Status& status);
    PreviewServer* server() const { return m_server.get(); }

    // Whether the browser still has to be opened for this document: not yet
    // opened, or every page it showed has been closed since.
    bool wantsBrowser() const;
    void browserOpened() { m_browserOpened = true; }
    // A new document (New, Open, a template): the next Preview opens the
    // browser again, and the scripts are staged again (leaving a document
    // empties the preview folder).
    void documentReplaced()
    {
        m_browserOpened = false;
        m_stagedScripts.reset();
    }
    // Whether the runtime scripts named must be staged: not yet for this
    // document, or other ones than last time. Only what changed is written
    // on each change.
    bool scriptsWanted(const std::vector<std::string>& names);

    // The page was just written by Preview: the open page reloads now.
    void pageWritten(std::string page);
    // A committed change: republished and reloaded once the edits pause.
    void documentChanged();
    // Every change the document announces (its records and its item tree:
    // bulk copies, imports, pastes, undo) counts as a committed change.
    void follow(TkztAppletAgent& agent);
    bool refreshPending() const { return m_soon.isActive() || m_changedWhileSettling; }

    // A standing line in the open page (what the published page will lack).
    void setPageNotice(const std::string& text);

signals:
    // After each reload sent, for tests and benchmarks.
    void reloadSent();

private:
    class Follower;

    void refresh();
    void refreshNow();
    void settled();

    std::filesystem::path m_folder;
    Republish m_republish;
    std::unique_ptr<PreviewServer> m_server;
    // The next turn of the event loop: one command's changes make one page.
    QTimer m_soon;
    // Runs from each reload until the edits pause.
    QTimer m_settle;
    bool m_changedWhileSettling = false;
    std::string m_servedPage;
    bool m_browserOpened = false;
    std::optional<std::vector<std::string>> m_stagedScripts;
    // While republishing: what the republishing itself commits is in the page already.
    bool m_refreshing = false;
    std::unique_ptr<Follower> m_follower;
};

} // namespace kzt
