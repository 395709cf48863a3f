#pragma once

#include "AppletAgent.h"
#include "Launcher.h"
#include "dulcamon/gui/TMainForm.h"

#include <QTemporaryDir>

#include <functional>
#include <memory>

class QAbstractButton;
class QDialog;

// One fresh world per test: private XDG folders, an empty PATH unless a test
// adds programs, every dialog answered by script and every launch recorded.
class MainFormFixture
{
public:
    MainFormFixture();
    ~MainFormFixture();

    dulcamon::TMainForm& window();
    kzt::TkztAppletAgent& agent() { return window().agent(); }
    QString path(const QString& relative) const { return m_dir.path() + QLatin1Char('/') + relative; }
    QString previewDir() const;
    const kzt::Launcher::Recorder& launches() const { return *m_launches; }
    // A program on the test's PATH (a do-nothing script).
    void addProgram(const QString& name);

    template <typename T> T* child(const char* name)
    {
        return window().findChild<T*>(QString::fromLatin1(name));
    }
    void trigger(const char* actionName);
    void clickToolButton(const char* name);
    void select(const kzt::TreeNode* node);
    void selectItem(std::size_t position) { select(agent().NodeOfItem(position)); }
    void selectRoot() { select(agent().tree().root()); }
    // Inserts under the selected node with the tool bar and names the item.
    kzt::TreeNode* insertItem(const QString& caption);
    // Replaces a line edit's text as typing would.
    static void typeInto(QWidget* edit, const QString& text);
    static void writeFile(const QString& path, const QByteArray& bytes);
    static QByteArray readFile(const QString& path);

    // Runs `act` on the next modal dialog as soon as it is shown.
    static void whenModal(std::function<void(QDialog*)> act);

private:
    QTemporaryDir m_dir;
    std::unique_ptr<kzt::Launcher::Recorder> m_launches;
    std::unique_ptr<dulcamon::TMainForm> m_window;
    QByteArray m_oldPath;
};
