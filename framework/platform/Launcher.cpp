#include "Launcher.h"

#include <QDesktopServices>
#include <QProcess>
#include <QUrl>

namespace kzt {

namespace {

Launcher::Recorder*& activeRecorder()
{
    static Launcher::Recorder* recorder = nullptr;
    return recorder;
}

} // namespace

Launcher::Recorder::Recorder()
    : m_previous(activeRecorder())
{
    activeRecorder() = this;
}

Launcher::Recorder::~Recorder()
{
    activeRecorder() = m_previous;
}

bool Launcher::openDocument(const QString& path)
{
    if (Recorder* r = activeRecorder()) {
        r->m_launches.push_back({Launch::Kind::OpenDocument, path, {}, {}});
        return !r->m_failing;
    }
    if (path.isEmpty())
        return false;
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

bool Launcher::openUrl(const QString& url)
{
    if (Recorder* r = activeRecorder()) {
        r->m_launches.push_back({Launch::Kind::OpenUrl, url, {}, {}});
        return !r->m_failing;
    }
    const QUrl parsed(url, QUrl::StrictMode);
    if (!parsed.isValid() || parsed.scheme().isEmpty())
        return false;
    return QDesktopServices::openUrl(parsed);
}

bool Launcher::startProgram(const QString& program, const QStringList& arguments,
                            const QString& workingDir)
{
    if (Recorder* r = activeRecorder()) {
        r->m_launches.push_back({Launch::Kind::StartProgram, program, arguments, workingDir});
        return !r->m_failing;
    }
    if (program.isEmpty())
        return false;
    // Arguments go to the program as a list, never through a shell, so
    // blanks and quotes in paths need no escaping.
    return QProcess::startDetached(program, arguments, workingDir);
}

} // namespace kzt
