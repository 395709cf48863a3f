#include "LivePreview.h"

#include "PreviewServer.h"

namespace kzt {

LivePreview::LivePreview(std::filesystem::path folder, Republish republish, QObject* parent)
    : QObject(parent), m_folder(std::move(folder)), m_republish(std::move(republish))
{
    m_timer.setSingleShot(true);
    m_timer.setInterval(kSettleMilliseconds);
    connect(&m_timer, &QTimer::timeout, this, &LivePreview::refresh);
}

LivePreview::~LivePreview() = default;

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

bool LivePreview::wantsBrowser() const
{
    return !m_browserOpened || !m_server || m_server->openEventStreams() == 0;
}

void LivePreview::pageWritten(std::string page)
{
    m_timer.stop();
    m_servedPage = std::move(page);
    if (m_server) {
        m_server->sendReload();
        emit reloadSent();
    }
}

void LivePreview::documentChanged()
{
    // Nothing to follow until Preview has shown the page somewhere.
    if (m_server && (m_browserOpened || m_server->openEventStreams() > 0))
        m_timer.start();
}

void LivePreview::setPageNotice(const std::string& text)
{
    if (m_server)
        m_server->setPageNotice(text);
}

void LivePreview::refresh()
{
    std::string page;
    const Status status = m_republish(page);
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
