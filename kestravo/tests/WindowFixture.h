#pragma once

#include "AppletAgent.h"
#include "Launcher.h"
#include "kestravo/gui/TMainForm.h"

#include <QTemporaryDir>

#include <functional>
#include <memory>

class QDialog;

// One fresh world per test: private XDG folders, a private copy of the
// shipped files, every dialog answered by script and every launch recorded.
class WindowFixture
{
public:
    WindowFixture();
    ~WindowFixture();

    kestravo::TMainForm& window();
    kzt::TkztAppletAgent& agent() { return window().agent(); }
    QString path(const QString& relative) const { return m_dir.path() + QLatin1Char('/') + relative; }
    QString shareDir() const { return path(QStringLiteral("share")); }
    const kzt::Launcher::Recorder& launches() const { return *m_launches; }

    template <typename T> T* child(const char* name)
    {
        return window().findChild<T*>(QString::fromLatin1(name));
    }
    void trigger(const char* actionName);
    void click(const char* buttonName);
    void select(const kzt::TreeNode* node);
    void selectItem(std::size_t position) { select(agent().NodeOfItem(position)); }
    void selectRoot() { select(agent().tree().root()); }
    // Inserts under the selected node with the tool bar and names the item.
    kzt::TreeNode* insertItem(const QString& caption);
    static void typeInto(QWidget* edit, const QString& text);
    static void writeFile(const QString& path, const QByteArray& bytes);
    static QByteArray readFile(const QString& path);
    // Every file below a folder with its bytes, to prove nothing was written.
    static QMap<QString, QByteArray> snapshot(const QString& folder);
    static void whenModal(std::function<void(QDialog*)> act);

private:
    QTemporaryDir m_dir;
    std::unique_ptr<kzt::Launcher::Recorder> m_launches;
    std::unique_ptr<kestravo::TMainForm> m_window;
    QByteArray m_oldPath;
};
