#include "TformWebBrowser.h"

#include "FileDialog.h"
#include "Launcher.h"

#include <QComboBox>
#include <QFile>
#include <QSaveFile>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace kzt {

namespace {

const QString kUseDefault = QStringLiteral("UseDefaultBrowser");
const QString kUseKnown = QStringLiteral("UseKnownBrowser");
const QString kUseSpecified = QStringLiteral("UseSpecifiedBrowser");
const QString kSelected = QStringLiteral("SelectedBrowserNumber");
const QString kExePath = QStringLiteral("SpecifiedBrowserExePath");

QString joined(const QString& folder, const QString& page)
{
    if (folder.isEmpty())
        return page;
    if (folder.endsWith(QLatin1Char('/')))
        return folder + page;
    return folder + QLatin1Char('/') + page;
}

} // namespace

TformWebBrowser::TformWebBrowser(const PlatformProduct& product, QWidget* parent)
    : TformWebBrowser(product, Settings(product), QString::fromLocal8Bit(qgetenv("PATH")), parent)
{
}

TformWebBrowser::TformWebBrowser(const PlatformProduct& product, const OlderForm& older, QWidget* parent)
    : TformWebBrowser(product, Settings(product), QString::fromLocal8Bit(qgetenv("PATH")), parent, older)
{
}

TformWebBrowser::TformWebBrowser(const PlatformProduct& product, Settings settings,
                                 const QString& path, QWidget* parent, std::optional<OlderForm> older)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint)
    , m_product(product)
    , m_settings(std::move(settings))
    , m_path(path)
    , m_older(std::move(older))
    , m_browsers(BrowserDetector(m_settings, path).detect())
{
    buildControls();
    fillList();
    if (m_older)
        readOlderChoice();
    else
        readChoice();
}

QString& TformWebBrowser::sessionChoice()
{
    static QString choice;
    return choice;
}

void TformWebBrowser::readOlderChoice()
{
    if (m_list->count() > 0)
        m_list->setCurrentIndex(0);
    QFile file(QString::fromStdString(m_older->programPathFile.string()));
    if (!m_older->programPathFile.empty() && file.open(QIODevice::ReadOnly))
        m_edit->setText(QString::fromLocal8Bit(file.readLine()).trimmed());
    // The choice made earlier in this program, so Preview follows it.
    const QString& choice = sessionChoice();
    if (choice == QLatin1String("specified")) {
        m_specified->setChecked(true);
        return;
    }
    const int index = m_list->findText(choice);
    if (!choice.isEmpty() && choice != QLatin1String("default") && index >= 0) {
        m_list->setCurrentIndex(index);
        m_known->setChecked(true);
    }
}

void TformWebBrowser::makeOlderChoice()
{
    QString& choice = sessionChoice();
    choice = QStringLiteral("default");
    if (m_known->isChecked() && m_list->currentIndex() >= 0)
        choice = m_list->currentText();
    else if (m_specified->isChecked() && !m_edit->text().trimmed().isEmpty()) {
        choice = QStringLiteral("specified");
        // A typed path is the program as much as one picked with "...".
        keepOlderProgramPath(m_edit->text().trimmed());
    }
}

bool TformWebBrowser::launchOlder(const QString& folder, const QString& page) const
{
    const QString program = chosenProgram();
    if (program.isEmpty())
        return Launcher::openDocument(joined(folder, page));
    // The older form starts a program the author named in the page's folder.
    if (sessionChoice() == QLatin1String("specified"))
        return Launcher::startProgram(program, {page}, folder);
    return Launcher::startProgram(program, {joined(folder, page)});
}

QString TformWebBrowser::chosenProgram() const
{
    if (m_older) {
        const QString& choice = sessionChoice();
        if (choice == QLatin1String("specified"))
            return m_edit->text().trimmed();
        if (!choice.isEmpty() && choice != QLatin1String("default")) {
            // Found again at launch time: the browser may have gone since.
            for (const KnownBrowser& browser : BrowserDetector(m_settings, m_path).detect()) {
                if (browser.displayName == choice)
                    return browser.executable;
            }
        }
        return {};
    }
    if (m_specified->isChecked())
        return m_edit->text().trimmed();
    if (m_known->isChecked()) {
        const int index = m_list->currentIndex();
        if (index >= 0 && index < static_cast<int>(m_browsers.size()))
            return m_browsers[static_cast<size_t>(index)].executable;
    }
    return {};
}

void TformWebBrowser::buildControls()
{
    setObjectName(QStringLiteral("formWebBrowser"));
    setWindowTitle(QStringLiteral("Web Browser"));

    m_group = new QGroupBox(QStringLiteral("Web Browser"), this);
    m_group->setObjectName(QStringLiteral("GroupBoxWebBrowser"));
    m_default = new QRadioButton(QStringLiteral("Use Default Browser"), m_group);
    m_default->setObjectName(QStringLiteral("RadioButtonBrowserDefault"));
    m_known = new QRadioButton(QStringLiteral("Use Known Browser in System"), m_group);
    m_known->setObjectName(QStringLiteral("RadioButtonBrowserKnownInSystem"));
    m_list = new QComboBox(m_group);
    m_list->setObjectName(QStringLiteral("ComboBoxBrowserList"));
    m_specified = new QRadioButton(QStringLiteral("User Specified Browser Program"), m_group);
    m_specified->setObjectName(QStringLiteral("RadioButtonBrowserUserSpecify"));
    m_exeLabel = new QLabel(QStringLiteral("Execute File:"), m_group);
    m_exeLabel->setObjectName(QStringLiteral("LabelExecuteFile"));
    m_edit = new QLineEdit(m_group);
    m_edit->setObjectName(QStringLiteral("editSpecifiedBrowserFileName"));
    m_exeLabel->setBuddy(m_edit);
    m_browse = new QToolButton(m_group);
    m_browse->setObjectName(QStringLiteral("spdbtnOpenExeFile"));
    m_browse->setText(QStringLiteral("..."));
    m_ok = new QPushButton(QStringLiteral("OK"), this);
    m_ok->setObjectName(QStringLiteral("bitbtnOk"));
    m_ok->setDefault(true);
    m_cancel = new QPushButton(QStringLiteral("Cancel"), this);
    m_cancel->setObjectName(QStringLiteral("bitbtnCancel"));

    m_default->setChecked(true);

    auto* grid = new QGridLayout(m_group);
    grid->addWidget(m_default, 0, 0, 1, 3);
    grid->addWidget(m_known, 1, 0, 1, 3);
    grid->addWidget(m_list, 2, 1, 1, 2);
    grid->addWidget(m_specified, 3, 0, 1, 3);
    grid->addWidget(m_exeLabel, 4, 1);
    auto* exeRow = new QHBoxLayout;
    exeRow->addWidget(m_edit);
    exeRow->addWidget(m_browse);
    grid->addLayout(exeRow, 5, 1, 1, 2);
    grid->setColumnMinimumWidth(0, 16);
    grid->setColumnStretch(2, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_ok);
    buttons->addWidget(m_cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_group);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    m_group->setMinimumWidth(380);

    connect(m_known, &QRadioButton::toggled, this, &TformWebBrowser::knownToggled);
    // Only the author's pick checks the known choice, not filling the list.
    connect(m_list, &QComboBox::activated, this, [this] {
        if (!m_older || m_older->pickingChecksKnown)
            m_known->setChecked(true);
    });
    connect(m_browse, &QToolButton::clicked, this, &TformWebBrowser::spdbtnOpenExeFileClick);
    connect(m_ok, &QPushButton::clicked, this, &TformWebBrowser::bitbtnOkClick);
    connect(m_cancel, &QPushButton::clicked, this, &TformWebBrowser::bitbtnCancelClick);
}

void TformWebBrowser::fillList()
{
    for (const KnownBrowser& b : m_browsers)
        m_list->addItem(b.displayName, b.executable);
    m_list->setCurrentIndex(-1);
}

void TformWebBrowser::knownToggled(bool checked)
{
    // There is nothing to pick from; keep a usable choice. The older form
    // allows it, and OK then makes the default choice.
    if (checked && m_list->count() == 0 && !m_older)
        m_default->setChecked(true);
}

void TformWebBrowser::setRadio(QRadioButton* button, bool checked)
{
    // A stored "off" may leave no choice at all, which exclusive radio
    // buttons would otherwise refuse.
    if (checked) {
        button->setChecked(true);
        return;
    }
    button->setAutoExclusive(false);
    button->setChecked(false);
    button->setAutoExclusive(true);
}

void TformWebBrowser::readChoice()
{
    const QString key = Settings::webBrowsersKey(m_product);
    if (!m_settings.keyExists(key))
        return;
    // Values are applied in order; the first one missing or unreadable ends
    // the reading and the rest keep the dialog's own defaults.
    const auto useDefault = m_settings.readBool(key, kUseDefault);
    if (!useDefault)
        return;
    setRadio(m_default, *useDefault);
    const auto useKnown = m_settings.readBool(key, kUseKnown);
    if (!useKnown)
        return;
    setRadio(m_known, *useKnown);
    const auto useSpecified = m_settings.readBool(key, kUseSpecified);
    if (!useSpecified)
        return;
    setRadio(m_specified, *useSpecified);
    const auto selected = m_settings.readInt(key, kSelected);
    if (!selected)
        return;
    if (*selected < m_list->count())
        m_list->setCurrentIndex(*selected < 0 ? -1 : *selected);
    else if (m_list->count() > 0)
        m_list->setCurrentIndex(0);
    const auto exePath = m_settings.readString(key, kExePath);
    if (!exePath)
        return;
    m_edit->setText(*exePath);
}

void TformWebBrowser::writeChoice()
{
    // One write for all five, so a failure cannot leave half a choice.
    m_settings.writeValues(Settings::webBrowsersKey(m_product),
                           {
                               {kUseDefault, m_default->isChecked() ? QStringLiteral("1") : QStringLiteral("0")},
                               {kUseKnown, m_known->isChecked() ? QStringLiteral("1") : QStringLiteral("0")},
                               {kUseSpecified, m_specified->isChecked() ? QStringLiteral("1") : QStringLiteral("0")},
                               {kSelected, QString::number(m_list->currentIndex())},
                               {kExePath, m_edit->text()},
                           });
}

TformWebBrowser::Choice TformWebBrowser::choice() const
{
    if (m_default->isChecked())
        return Choice::Default;
    if (m_specified->isChecked())
        return Choice::Specified;
    if (m_known->isChecked())
        return Choice::Known;
    return Choice::None;
}

bool TformWebBrowser::launch(const QString& folder, const QString& page) const
{
    if (m_older)
        return launchOlder(folder, page);
    const QString target = joined(folder, page);
    const QString program = chosenProgram();
    if (program.isEmpty())
        return Launcher::openDocument(target);
    return Launcher::startProgram(program, {target});
}

bool TformWebBrowser::launchUrl(const QString& url) const
{
    const QString program = chosenProgram();
    if (program.isEmpty())
        return Launcher::openUrl(url);
    return Launcher::startProgram(program, {url});
}

QString TformWebBrowser::executableFilter()
{
    return QStringLiteral("Execute Files (*.exe, *.com)|*.exe; *.com|All Files (*)|*");
}

void TformWebBrowser::spdbtnOpenExeFileClick()
{
    QString dir;
    const QString current = m_edit->text().trimmed();
    if (!current.isEmpty())
        dir = QFileInfo(current).absolutePath();
    const QString chosen =
        FileDialog::getOpenFileName(this, QStringLiteral("Open"), dir, executableFilter(), 1);
    if (chosen.isEmpty())
        return;
    m_edit->setText(chosen);
    keepOlderProgramPath(chosen);
}

void TformWebBrowser::keepOlderProgramPath(const QString& program) const
{
    if (!m_older || m_older->programPathFile.empty())
        return;
    // The older form keeps the program's path for the next time.
    QDir().mkpath(QString::fromStdString(m_older->programPathFile.parent_path().string()));
    QSaveFile file(QString::fromStdString(m_older->programPathFile.string()));
    if (file.open(QIODevice::WriteOnly)) {
        file.write(program.toLocal8Bit() + "\r\n");
        file.commit();
    }
}

void TformWebBrowser::bitbtnOkClick()
{
    if (m_older)
        makeOlderChoice();
    else
        writeChoice();
    accept();
}

void TformWebBrowser::bitbtnCancelClick()
{
    reject();
}

} // namespace kzt
