#include "LivePreview.h"

#include "AppletAgent.h"
#include "ItemTreeListener.h"
#include "PreviewServer.h"
#include "RecordListener.h"

namespace kzt {

// Hears the document's record and tree changes for as long as it lives.
class LivePreview::Follower : private RecordListener, private ItemTreeListener
{
public:
    Follower(LivePreview& preview, TkztAppletAgent& agent) : m_preview(preview), m_agent(agent)
    {
        m_agent.addRecordListener(this);
        m_agent.tree().addListener(this);
    }
    ~Follower() override
    {
        m_agent.tree().removeListener(this);
        m_agent.removeRecordListener(this);
    }
    Follower(const Follower&) = delete;
    Follower& operator=(const Follower&) = delete;

private:
    void appletChanged() override { m_preview.documentChanged(); }
    void itemsChanged(std::size_t, std::size_t) override { m_preview.documentChanged(); }
    void recordsReplaced() override { m_preview.documentChanged(); }
    void treeReset() override { m_preview.documentChanged(); }
    void nodeInserted(TreeNode*) override { m_preview.documentChanged(); }
    void nodeRemoved(TreeNode*, std::size_t) override { m_preview.documentChanged(); }
    void nodeMoved(TreeNode*) override { m_preview.documentChanged(); }
    void nodeTextChanged(TreeNode*) override { m_preview.documentChanged(); }

    LivePreview& m_preview;
    TkztAppletAgent& m_agent;
};

LivePreview::LivePreview(std::filesystem::path folder, Republish republish, QObject* parent)
    : QObject(parent), m_folder(std::move(folder)), m_republish(std::move(republish))
{
    m_soon.setSingleShot(true);
    m_soon.setInterval(0);
    connect(&m_soon, &QTimer::timeout, this, &LivePreview::refreshNow);
    m_settle.setSingleShot(true);
    m_settle.setInterval(kSettleMilliseconds);
    connect(&m_settle, &QTimer::timeout, this, &LivePreview::settled);
}

LivePreview::~LivePreview() = default;

void LivePreview::follow(TkztAppletAgent& agent)
{
    m_follower.reset();
    m_follower = std::make_unique<Follower>(*this, agent);
}

QString LivePreview::serve(Status& status)
{
    status = Status::success();
    if (!m_server) {
        auto server = std::make_unique<PreviewServer>(m_folder);
        status = server->start();
        if (!status)
            return {};
        m_server = std::move(server);
    }
    return QString::fromStdString(m_server->url(kPageName));
}

bool LivePreview::scriptsWanted(const std::vector<std::string>& names)
{
    if (m_stagedScripts == names)
        return false;
    m_stagedScripts = names;
    return true;
}

bool LivePreview::wantsBrowser() const
{
    return !m_browserOpened || !m_server || m_server->openEventStreams() == 0;
}

void LivePreview::pageWritten(std::string page)
{
    m_soon.stop();
    m_changedWhileSettling = false;
    m_servedPage = std::move(page);
    if (m_server) {
        m_server->sendReload();
        emit reloadSent();
    }
}

void LivePreview::documentChanged()
{
    // Nothing to follow until Preview has shown the page somewhere.
    if (m_refreshing || !m_server || (!m_browserOpened && m_server->openEventStreams() == 0))
        return;
    if (m_settle.isActive()) {
        // Typing on: one more reload once it pauses.
        m_changedWhileSettling = true;
        m_settle.start();
    } else if (!m_soon.isActive()) {
        m_soon.start();
    }
}

void LivePreview::refreshNow()
{
    m_changedWhileSettling = false;
    m_settle.start();
    refresh();
}

void LivePreview::settled()
{
    if (m_changedWhileSettling)
        refreshNow();
}

void LivePreview::setPageNotice(const std::string& text)
{
    if (m_server)
        m_server->setPageNotice(text);
}

void LivePreview::refresh()
{
    std::string page;
    m_refreshing = true;
    const Status status = m_republish(page);
    m_refreshing = false;
    if (!status) {
        if (m_server)
            m_server->setNotice(status.message());
        return;
    }
    if (m_server)
        m_server->setNotice({});
    // A change that leaves the page as it was (a new selection) reloads nothing.
    if (page == m_servedPage)
        return;
    pageWritten(std::move(page));
}

} // namespace kzt
