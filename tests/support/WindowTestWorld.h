#pragma once

#include "EditorMainWindow.h"
#include "Launcher.h"

#include <QByteArray>
#include <QMap>
#include <QString>
#include <QTemporaryDir>

#include <cstddef>
#include <functional>
#include <memory>

class QDialog;
class QWidget;

namespace kzt {
class TreeNode;
}

// One fresh world per window test: private XDG folders, an empty PATH unless
// a test adds programs, every dialog answered by script and every launch
// recorded. A product's fixture makes its window and hands it over.
class WindowTestWorld
{
public:
    WindowTestWorld();
    virtual ~WindowTestWorld();

    QString path(const QString& relative) const { return m_dir.path() + QLatin1Char('/') + relative; }
    const kzt::Launcher::Recorder& launches() const { return *m_launches; }
    kzt::Launcher::Recorder& launches() { return *m_launches; }
    // A program on the test's PATH (a do-nothing script).
    void addProgram(const QString& name);

    template <typename T> T* child(const char* name)
    {
        return editorWindow().findChild<T*>(QString::fromLatin1(name));
    }
    void trigger(const char* actionName);
    void click(const char* buttonName);
    void select(const kzt::TreeNode* node);
    void selectItem(std::size_t position);
    void selectRoot();
    // Inserts under the selected node with the tool bar and names the item.
    kzt::TreeNode* insertItem(const QString& caption);

    // Replaces a line edit's text as typing would.
    static void typeInto(QWidget* edit, const QString& text);
    static void writeFile(const QString& path, const QByteArray& bytes);
    static QByteArray readFile(const QString& path);
    // Every file below a folder with its bytes, to prove nothing was written.
    static QMap<QString, QByteArray> snapshot(const QString& folder);
    static void copyFolder(const QString& from, const QString& to);
    // Runs `act` on the next modal dialog as soon as it is shown.
    static void whenModal(std::function<void(QDialog*)> act);

protected:
    virtual kzt::EditorMainWindow& editorWindow() = 0;
    // Shows a window the fixture made and waits until it is on screen.
    static void showWindow(QWidget& window);
    // Leaves a window without questions.
    static void closeWindow(kzt::EditorMainWindow* window);

private:
    QTemporaryDir m_dir;
    std::unique_ptr<kzt::Launcher::Recorder> m_launches;
    QByteArray m_oldPath;
};
