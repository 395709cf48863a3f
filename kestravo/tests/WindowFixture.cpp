#include "WindowFixture.h"

#include "ColorDialog.h"
#include "Clipboard.h"
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

namespace {

void copyFolder(const QString& from, const QString& to)
{
    QDirIterator it(from, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString source = it.next();
        const QString target = to + source.mid(from.size());
        QDir().mkpath(QFileInfo(target).absolutePath());
        QFile::copy(source, target);
    }
}

} // namespace

WindowFixture::WindowFixture()
{
    m_oldPath = qgetenv("PATH");
    QDir(m_dir.path()).mkpath(QStringLiteral("bin"));
    qputenv("XDG_DATA_HOME", path(QStringLiteral("data")).toUtf8());
    qputenv("XDG_CONFIG_HOME", path(QStringLiteral("config")).toUtf8());
    qputenv("XDG_CONFIG_DIRS", path(QStringLiteral("etc")).toUtf8());
    qputenv("PATH", path(QStringLiteral("bin")).toUtf8());
    copyFolder(QStringLiteral(KZT_SOURCE_DIR "/kestravo/share"), shareDir());
    kzt::MessageBox::reset();
    kzt::MessageBox::setScripted(true);
    kzt::FileDialog::reset();
    kzt::FileDialog::setScripted(true);
    kzt::ColorDialog::reset();
    kzt::ColorDialog::setScripted(true);
    kzt::Clipboard::reset();
    m_launches = std::make_unique<kzt::Launcher::Recorder>();
}

WindowFixture::~WindowFixture()
{
    if (m_window) {
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

kestravo::TMainForm& WindowFixture::window()
{
    if (!m_window) {
        kzt::AppPaths paths;
        paths.shareDir = shareDir().toStdString();
        paths.userDataDir = path(QStringLiteral("data/kestravo")).toStdString();
        paths.previewDir = paths.userDataDir / "preview";
        m_window = std::make_unique<kestravo::TMainForm>(paths);
        m_window->show();
        if (!QTest::qWaitForWindowExposed(m_window.get()))
            qWarning("main window not exposed");
    }
    return *m_window;
}

void WindowFixture::trigger(const char* actionName)
{
    QAction* action = window().findChild<QAction*>(QString::fromLatin1(actionName));
    QVERIFY2(action, actionName);
    action->trigger();
}

void WindowFixture::click(const char* buttonName)
{
    auto* button = window().findChild<QAbstractButton*>(QString::fromLatin1(buttonName));
    QVERIFY2(button, buttonName);
    QTest::mouseClick(button, Qt::LeftButton);
}

void WindowFixture::select(const kzt::TreeNode* node)
{
    QTreeView* view = window().treeView();
    const QModelIndex index = window().treeModel()->indexOf(node);
    view->scrollTo(index);
    const QRect rect = view->visualRect(index);
    QVERIFY(rect.isValid());
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, rect.center());
}

kzt::TreeNode* WindowFixture::insertItem(const QString& caption)
{
    const kzt::TreeNode* parent = window().selectedNode();
    click("tlbtnInsert");
    kzt::TreeNode* node = parent->lastChild();
    select(node);
    typeInto(child<QLineEdit>("edtICaption"), caption);
    return node;
}

void WindowFixture::typeInto(QWidget* edit, const QString& text)
{
    if (auto* line = qobject_cast<QLineEdit*>(edit)) {
        line->selectAll();
        QTest::keyClick(line, Qt::Key_Delete);
    }
    QTest::keyClicks(edit, text);
}

void WindowFixture::writeFile(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QByteArray WindowFixture::readFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

QMap<QString, QByteArray> WindowFixture::snapshot(const QString& folder)
{
    QMap<QString, QByteArray> files;
    QDirIterator it(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString file = it.next();
        files.insert(file, readFile(file));
    }
    return files;
}

void WindowFixture::whenModal(std::function<void(QDialog*)> act)
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
