#include "TfrmTemplet.h"

#include "MessageBox.h"
#include "PlatformPaths.h"

#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include <map>

namespace kzt {

namespace {

const QString kShowTemplets = QStringLiteral("ShowTempletsDialog");

// Sorted the way a file manager sorts names, not by code point.
struct NameLess
{
    bool operator()(const QString& a, const QString& b) const
    {
        const int c = QString::compare(a, b, Qt::CaseInsensitive);
        return c != 0 ? c < 0 : a < b;
    }
};

void addFolder(std::map<QString, QString, NameLess>& files, const QString& folder,
               const QString& pattern)
{
    if (folder.isEmpty())
        return;
    const QDir dir(folder);
    if (!dir.exists())
        return;
    // Name filters match without regard to case, as the desktop's do.
    const QFileInfoList entries =
        dir.entryInfoList({pattern}, QDir::Files | QDir::Readable, QDir::Name);
    for (const QFileInfo& info : entries)
        files[info.fileName()] = info.absoluteFilePath();
}

} // namespace

std::unique_ptr<TfrmTemplet> TfrmTemplet::create(const PlatformProduct& product,
                                                 const TempletTexts& texts,
                                                 const QString& shippedFolder,
                                                 const QString& userFolder, QWidget* parent,
                                                 QString* error)
{
    if (texts.createUserFolder && !userFolder.isEmpty()) {
        const QString parentFolder = QFileInfo(userFolder).absolutePath();
        if (!PlatformPaths::makePrivateDir(parentFolder)
            || !PlatformPaths::makePrivateDir(userFolder)) {
            if (error)
                *error = QStringLiteral("Cannot create ") + userFolder;
            return nullptr;
        }
    }
    return std::unique_ptr<TfrmTemplet>(
        new TfrmTemplet(product, texts, shippedFolder, userFolder, parent));
}

void TfrmTemplet::run(const PlatformProduct& product, const TempletTexts& texts,
                      const QString& shippedFolder, const QString& userFolder, QWidget* parent,
                      const std::function<void(const QString&)>& openProject,
                      const std::function<void()>& newProject)
{
    QString error;
    auto dialog = create(product, texts, shippedFolder, userFolder, parent, &error);
    if (!dialog) {
        MessageBox::error(parent, error);
        return;
    }
    if (openProject)
        connect(dialog.get(), &TfrmTemplet::openProjectRequested, dialog.get(), openProject);
    if (newProject)
        connect(dialog.get(), &TfrmTemplet::newProjectRequested, dialog.get(), newProject);
    dialog->exec();
}

bool TfrmTemplet::showAtStartup(const PlatformProduct& product)
{
    const Settings::Value v =
        Settings(product).value(Settings::settingsKey(product), kShowTemplets);
    if (v.state == Settings::State::Absent)
        return true;
    return v.toBool().value_or(false);
}

TfrmTemplet::TfrmTemplet(const PlatformProduct& product, const TempletTexts& texts,
                         const QString& shippedFolder, const QString& userFolder,
                         QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint)
    , m_product(product)
    , m_settings(product)
    , m_pattern(texts.pattern)
    , m_list(new QListWidget(this))
    , m_hint(new QLabel(texts.hintLines.join(QLatin1Char('\n')), this))
    , m_dontShow(new QCheckBox(texts.checkBoxText, this))
    , m_ok(new QPushButton(QStringLiteral("OK"), this))
    , m_cancel(new QPushButton(QStringLiteral("Cancel"), this))
{
    setObjectName(QStringLiteral("frmTemplet"));
    setWindowTitle(texts.caption);
    m_list->setObjectName(QStringLiteral("TempletList"));
    m_hint->setObjectName(QStringLiteral("LabelHint"));
    m_hint->setWordWrap(false);
    m_dontShow->setObjectName(QStringLiteral("chckbxDontShow"));
    m_ok->setObjectName(QStringLiteral("BitBtn1"));
    m_ok->setDefault(true);
    m_cancel->setObjectName(QStringLiteral("BitBtn2"));

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_dontShow);
    buttons->addStretch();
    buttons->addWidget(m_ok);
    buttons->addWidget(m_cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_list);
    layout->addWidget(m_hint);
    layout->addLayout(buttons);
    resize(460, 320);

    fillList(shippedFolder, userFolder);
    // The first template is drawn as the current one, so it is the chosen one
    // too: OK without a click opens it.
    if (m_list->count() > 0)
        m_list->setCurrentRow(0);

    // Absent: shown, box clear; unreadable: treated as "do not show".
    m_dontShow->setChecked(!showAtStartup(product));

    if (texts.openOnSingleClick)
        connect(m_list, &QListWidget::itemClicked, this, &TfrmTemplet::TempletListDblClick);
    else
        connect(m_list, &QListWidget::itemDoubleClicked, this, &TfrmTemplet::TempletListDblClick);
    connect(m_ok, &QPushButton::clicked, this, &TfrmTemplet::BitBtn1Click);
    connect(m_cancel, &QPushButton::clicked, this, &TfrmTemplet::BitBtn2Click);
    connect(m_dontShow, &QCheckBox::clicked, this, &TfrmTemplet::chckbxDontShowClick);
}

void TfrmTemplet::fillList(const QString& shippedFolder, const QString& userFolder)
{
    // The author's own template of the same name takes the place of the
    // shipped one: it is the one they saved last.
    std::map<QString, QString, NameLess> files;
    addFolder(files, shippedFolder, m_pattern);
    addFolder(files, userFolder, m_pattern);
    for (const auto& [name, path] : files) {
        auto* item = new QListWidgetItem(name, m_list);
        item->setData(Qt::UserRole, path);
        item->setToolTip(path);
    }
}

QStringList TfrmTemplet::templateFiles() const
{
    QStringList out;
    for (int i = 0; i < m_list->count(); ++i)
        out << m_list->item(i)->data(Qt::UserRole).toString();
    return out;
}

void TfrmTemplet::TempletListDblClick(QListWidgetItem* item)
{
    if (!item)
        return;
    emit openProjectRequested(item->data(Qt::UserRole).toString());
    accept();
}

void TfrmTemplet::BitBtn1Click()
{
    if (QListWidgetItem* item = m_list->currentItem(); item && item->isSelected())
        emit openProjectRequested(item->data(Qt::UserRole).toString());
    accept();
}

void TfrmTemplet::BitBtn2Click()
{
    emit newProjectRequested();
    reject();
}

void TfrmTemplet::chckbxDontShowClick(bool checked)
{
    // Written at once, so the choice holds even if the dialog is left with
    // the window's close button.
    m_settings.writeBool(Settings::settingsKey(m_product), kShowTemplets, !checked);
}

void TfrmTemplet::keyPressEvent(QKeyEvent* event)
{
    // Escape is the Cancel button, which starts a new project.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        m_cancel->click();
        return;
    }
    QDialog::keyPressEvent(event);
}

} // namespace kzt
