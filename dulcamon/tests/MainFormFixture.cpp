#include "MainFormFixture.h"

#include "ColorDialog.h"
#include "Clipboard.h"
#include "FileDialog.h"
#include "ItemTreeModel.h"
#include "MessageBox.h"
#include "PreviewFolder.h"
#include "TreeNode.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QTreeView>

MainFormFixture::MainFormFixture()
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

MainFormFixture::~MainFormFixture()
{
    if (m_window) {
        // Leave without questions.
        m_window->setModified(false);
        m_window->close();
    }
    m_window.reset();
    m_launches.reset();
    kzt::MessageBox::reset();
    kzt::FileDialog::reset();
    kzt::ColorDialog::reset();
    qputenv("PATH", m_oldPath);
}

dulcamon::TMainForm& MainFormFixture::window()
{
    if (!m_window) {
        kzt::AppPaths paths;
        paths.shareDir = std::filesystem::path(KZT_SOURCE_DIR) / "dulcamon" / "share";
        paths.userDataDir = path(QStringLiteral("data/dulcamon")).toStdString();
        paths.previewDir = kzt::PreviewFolder::claim(paths.userDataDir);
        m_window = std::make_unique<dulcamon::TMainForm>(paths);
        m_window->show();
        if (!QTest::qWaitForWindowExposed(m_window.get()))
            qWarning("main window not exposed");
    }
    return *m_window;
}

QString MainFormFixture::previewDir() const
{
    // This test program's own folder, as the window's.
    return QString::fromStdString(
        kzt::PreviewFolder::claim(path(QStringLiteral("data/dulcamon")).toStdString()).string());
}

void MainFormFixture::addProgram(const QString& name)
{
    const QString file = path(QStringLiteral("bin/") + name);
    writeFile(file, "#!/bin/sh\nexit 0\n");
    QFile::setPermissions(file, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

void MainFormFixture::trigger(const char* actionName)
{
    QAction* action = window().findChild<QAction*>(QString::fromLatin1(actionName));
    QVERIFY2(action, actionName);
    action->trigger();
}

void MainFormFixture::clickToolButton(const char* name)
{
    auto* button = window().findChild<QToolButton*>(QString::fromLatin1(name));
    QVERIFY2(button, name);
    QTest::mouseClick(button, Qt::LeftButton);
}

void MainFormFixture::select(const kzt::TreeNode* node)
{
    QTreeView* view = window().treeView();
    const QModelIndex index = window().treeModel()->indexOf(node);
    view->scrollTo(index);
    const QRect rect = view->visualRect(index);
    QVERIFY(rect.isValid());
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, rect.center());
}

kzt::TreeNode* MainFormFixture::insertItem(const QString& caption)
{
    const kzt::TreeNode* parent = window().selectedNode();
    clickToolButton("tlbtnInsert");
    kzt::TreeNode* node = parent->lastChild();
    select(node);
    typeInto(child<QLineEdit>("edtICaption"), caption);
    return node;
}

void MainFormFixture::typeInto(QWidget* edit, const QString& text)
{
    if (auto* line = qobject_cast<QLineEdit*>(edit)) {
        line->selectAll();
        QTest::keyClick(line, Qt::Key_Delete);
    }
    QTest::keyClicks(edit, text);
}

void MainFormFixture::writeFile(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QByteArray MainFormFixture::readFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

void MainFormFixture::whenModal(std::function<void(QDialog*)> act)
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
