#include "WindowTestWorld.h"

#include "AppletAgent.h"
#include "Clipboard.h"
#include "ColorDialog.h"
#include "EditorMainWindow.h"
#include "FileDialog.h"
#include "ItemTreeModel.h"
#include "MessageBox.h"
#include "TreeNode.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QLineEdit>
#include <QTest>
#include <QTimer>
#include <QTreeView>

WindowTestWorld::WindowTestWorld()
{
    m_oldPath = qgetenv("PATH");
    QDir(m_dir.path()).mkpath(QStringLiteral("bin"));
    qputenv("XDG_DATA_HOME", path(QStringLiteral("data")).toUtf8());
    qputenv("XDG_CONFIG_HOME", path(QStringLiteral("config")).toUtf8());
    qputenv("XDG_CONFIG_DIRS", path(QStringLiteral("etc")).toUtf8());
    qputenv("PATH", path(QStringLiteral("bin")).toUtf8());
    kzt::MessageBox::reset();
    kzt::MessageBox::setScripted(true);
    kzt::FileDialog::reset();
    kzt::FileDialog::setScripted(true);
    kzt::ColorDialog::reset();
    kzt::ColorDialog::setScripted(true);
    kzt::Clipboard::reset();
    m_launches = std::make_unique<kzt::Launcher::Recorder>();
}

WindowTestWorld::~WindowTestWorld()
{
    m_launches.reset();
    kzt::MessageBox::reset();
    kzt::FileDialog::reset();
    kzt::ColorDialog::reset();
    qputenv("PATH", m_oldPath);
}

void WindowTestWorld::showWindow(QWidget& window)
{
    window.show();
    if (!QTest::qWaitForWindowExposed(&window))
        qWarning("main window not exposed");
}

void WindowTestWorld::closeWindow(kzt::EditorMainWindow* window)
{
    if (!window)
        return;
    window->setModified(false);
    window->close();
}

void WindowTestWorld::addProgram(const QString& name)
{
    const QString file = path(QStringLiteral("bin/") + name);
    writeFile(file, "#!/bin/sh\nexit 0\n");
    QFile::setPermissions(file, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

void WindowTestWorld::trigger(const char* actionName)
{
    QAction* action = editorWindow().findChild<QAction*>(QString::fromLatin1(actionName));
    QVERIFY2(action, actionName);
    action->trigger();
}

void WindowTestWorld::click(const char* buttonName)
{
    auto* button = editorWindow().findChild<QAbstractButton*>(QString::fromLatin1(buttonName));
    QVERIFY2(button, buttonName);
    QTest::mouseClick(button, Qt::LeftButton);
}

void WindowTestWorld::select(const kzt::TreeNode* node)
{
    kzt::EditorMainWindow& window = editorWindow();
    QTreeView* view = window.treeView();
    const QModelIndex index = window.treeModel()->indexOf(node);
    view->scrollTo(index);
    const QRect rect = view->visualRect(index);
    QVERIFY(rect.isValid());
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, rect.center());
}

void WindowTestWorld::selectItem(std::size_t position)
{
    select(editorWindow().agent().NodeOfItem(position));
}

void WindowTestWorld::selectRoot()
{
    select(editorWindow().agent().tree().root());
}

kzt::TreeNode* WindowTestWorld::insertItem(const QString& caption)
{
    const kzt::TreeNode* parent = editorWindow().selectedNode();
    click("tlbtnInsert");
    kzt::TreeNode* node = parent->lastChild();
    select(node);
    typeInto(child<QLineEdit>("edtICaption"), caption);
    return node;
}

void WindowTestWorld::typeInto(QWidget* edit, const QString& text)
{
    if (auto* line = qobject_cast<QLineEdit*>(edit)) {
        line->selectAll();
        QTest::keyClick(line, Qt::Key_Delete);
    }
    QTest::keyClicks(edit, text);
}

void WindowTestWorld::writeFile(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QByteArray WindowTestWorld::readFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

QMap<QString, QByteArray> WindowTestWorld::snapshot(const QString& folder)
{
    QMap<QString, QByteArray> files;
    QDirIterator it(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString file = it.next();
        files.insert(file, readFile(file));
    }
    return files;
}

void WindowTestWorld::copyFolder(const QString& from, const QString& to)
{
    QDirIterator it(from, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString source = it.next();
        const QString target = to + source.mid(from.size());
        QDir().mkpath(QFileInfo(target).absolutePath());
        QFile::copy(source, target);
    }
}

void WindowTestWorld::whenModal(std::function<void(QDialog*)> act)
{
    auto* timer = new QTimer;
    timer->setInterval(5);
    QObject::connect(timer, &QTimer::timeout, [timer, act] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!dialog || !dialog->isVisible())
            return;
        timer->stop();
        timer->deleteLater();
        act(dialog);
    });
    timer->start();
}
