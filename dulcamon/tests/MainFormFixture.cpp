#include "MainFormFixture.h"

#include "ItemTreeModel.h"
#include "PreviewFolder.h"

#include <QCheckBox>
#include <QDialog>
#include <QPushButton>
#include <QTreeView>
#include <QtTest>

#include <vector>

MainFormFixture::~MainFormFixture()
{
    closeWindow(m_window.get());
    m_window.reset();
}

dulcamon::TMainForm& MainFormFixture::window()
{
    if (!m_window) {
        kzt::AppPaths paths;
        paths.shareDir = std::filesystem::path(KZT_SOURCE_DIR) / "dulcamon" / "share";
        paths.userDataDir = path(QStringLiteral("data/dulcamon")).toStdString();
        paths.previewDir = kzt::PreviewFolder::claim(paths.userDataDir);
        m_window = std::make_unique<dulcamon::TMainForm>(paths);
        showWindow(*m_window);
    }
    return *m_window;
}

QString MainFormFixture::previewDir() const
{
    // This test program's own folder, as the window's.
    return QString::fromStdString(
        kzt::PreviewFolder::claim(path(QStringLiteral("data/dulcamon")).toStdString()).string());
}

void MainFormFixture::copyCaptionTo(std::initializer_list<std::size_t> positions)
{
    const std::vector<std::size_t> marked(positions);
    whenModal([this, marked](QDialog* dialog) {
        auto* view = dialog->findChild<QTreeView*>("trvwPropertiesChange");
        auto* model = static_cast<kzt::ItemTreeModel*>(view->model());
        for (std::size_t i : marked) {
            const QRect rect = view->visualRect(model->indexOf(agent().NodeOfItem(i)));
            QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, rect.center());
        }
        dialog->findChild<QCheckBox*>("chchbxCaption")->setChecked(true);
        QTest::mouseClick(dialog->findChild<QPushButton*>("bitbtnOk"), Qt::LeftButton);
    });
    window().findChild<QPushButton*>("btnGlobalPropertiesChange2")->click();
}
