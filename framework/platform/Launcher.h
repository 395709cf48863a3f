#pragma once

#include <QString>
#include <QStringList>

#include <vector>

namespace kzt {

// Starts browsers, help pages, samples and helper tools. Nothing else in the
// programs opens files with the desktop or starts programs.
class Launcher
{
public:
    struct Launch
    {
        enum class Kind { OpenDocument, OpenUrl, StartProgram };
        Kind kind;
        QString target;        // document path, URL or program
        QStringList arguments; // StartProgram only
        QString workingDir;    // StartProgram only; empty: inherited
    };

    // Opens a local file with the desktop's default handler (the shell's
    // "open" verb); false when nothing could be started.
    static bool openDocument(const QString& path);
    // Opens a web address (http, https, mailto ...) with the desktop.
    static bool openUrl(const QString& url);
    // Starts a program detached. Each argument reaches the program whole, so
    // a page path with blanks is one argument.
    static bool startProgram(const QString& program, const QStringList& arguments,
                             const QString& workingDir = {});

    // Test seam: while an instance lives, launches are recorded in it instead
    // of being performed, and every call reports success (or, when set
    // failing, failure).
    class Recorder
    {
    public:
        Recorder();
        ~Recorder();
        Recorder(const Recorder&) = delete;
        Recorder& operator=(const Recorder&) = delete;

        const std::vector<Launch>& launches() const { return m_launches; }
        void clear() { m_launches.clear(); }
        // Every launch fails from now on (a machine whose browser will not start).
        void setFailing(bool failing) { m_failing = failing; }

    private:
        friend class Launcher;
        std::vector<Launch> m_launches;
        Recorder* m_previous = nullptr;
        bool m_failing = false;
    };
};

} // namespace kzt
