#include "EditingKit.h"

#include "AppletAgent.h"
#include "ColorDialog.h"
#include "ColorSwatch.h"
#include "FileDialog.h"
#include "HelpWindow.h"
#include "Launcher.h"
#include "MessageBox.h"

#include <QComboBox>
#include <QFileInfo>
#include <QLineEdit>

namespace kzt {

QString EditingKit::reservedTextMessage(const QString& separator)
{
    return QStringLiteral("The text can't include \"%1\", it is used by system!").arg(separator);
}

bool EditingKit::CheckReservedText(QWidget* owner, QWidget* control, const QString& separator)
{
    auto* edit = qobject_cast<QLineEdit*>(control);
    auto* combo = qobject_cast<QComboBox*>(control);
    QString text;
    if (edit)
        text = edit->text();
    else if (combo && combo->isEditable())
        text = combo->currentText();
    else
        return false;
    if (separator.isEmpty() || !text.contains(separator))
        return false;
    MessageBox::warning(owner, reservedTextMessage(separator), MessageBox::Yes);
    if (edit)
        edit->clear();
    else
        combo->setEditText(QString());
    return true;
}

QString EditingKit::localUrl(const QString& path)
{
    QString url = path;
    url.replace(QLatin1Char('\\'), QLatin1Char('/'));
    url.replace(QLatin1Char(':'), QLatin1Char('|'));
    return (url.startsWith(QLatin1Char('/')) ? QStringLiteral("file://") : QStringLiteral("file:///")) + url;
}

bool EditingKit::pickLocalUrl(QWidget* owner, QComboBox* target, const QString& folder)
{
    const QString path = FileDialog::getOpenFileName(
        owner, QObject::tr("Open"), folder, QStringLiteral("HTML files(*.htm;*.html)|*.htm;*.html|Any file (*.*)|*.*"));
    if (path.isEmpty())
        return false;
    target->setEditText(localUrl(path));
    return true;
}

void EditingKit::pickPictureIntoPreview(QWidget* owner, TkztAppletAgent& agent, QLineEdit* field,
                                        QString& lastPicture, const QString& folder)
{
    const QString path = FileDialog::getOpenPictureFileName(
        owner, QObject::tr("Open"), lastPicture.isEmpty() ? folder : QFileInfo(lastPicture).absolutePath(),
        QStringLiteral("All Image Files(*.gif;*.jpg;*.jpeg)|*.gif;*.jpg;*.jpeg|GIF Image File (*.gif)|*.gif|"
                       "JPEG Image File (*.jpg)|*.jpg|JPEG Image File (*.jpeg)|*.jpeg"));
    if (path.isEmpty()) {
        field->clear();
    } else {
        lastPicture = path;
        field->setText(QFileInfo(path).fileName());
    }
    if (!lastPicture.isEmpty())
        agent.CopyToPreview(lastPicture.toStdString());
}

void EditingKit::pickColour(QWidget* owner, ColorSwatch* swatch)
{
    if (const auto colour = ColorDialog::getColor(owner, swatch->color().isValid() ? swatch->color() : QColor(Qt::white)))
        swatch->setColor(*colour);
}

namespace {

enum class Launch { Missing, Opened, Failed };

// Hands a shipped page to the desktop; a missing file is said here, a
// failed start is left to the caller, who knows what comes instead.
Launch launchShippedPage(QWidget* owner, const QString& path)
{
    if (!QFileInfo::exists(path)) {
        MessageBox::warning(owner, QStringLiteral("The file \"%1\" was not found.").arg(path));
        return Launch::Missing;
    }
    return Launcher::openDocument(path) ? Launch::Opened : Launch::Failed;
}

} // namespace

bool EditingKit::openShippedPage(QWidget* owner, const std::filesystem::path& page)
{
    const QString path = QString::fromStdString(page.string());
    const Launch launch = launchShippedPage(owner, path);
    if (launch != Launch::Failed)
        return launch == Launch::Opened;
    MessageBox::warning(owner, QObject::tr("No web browser or other program could be started to open \"%1\".").arg(path));
    return false;
}

bool EditingKit::openHelpPage(QWidget* owner, const std::filesystem::path& page)
{
    const QString path = QString::fromStdString(page.string());
    const Launch launch = launchShippedPage(owner, path);
    if (launch != Launch::Failed)
        return launch == Launch::Opened;
    MessageBox::warning(owner, QObject::tr("No web browser could be started to show the help page \"%1\". The help "
                                           "opens in the built-in help viewer instead.")
                                   .arg(path));
    // One viewer per window, shown again on the next request.
    auto* viewer = owner->findChild<HelpWindow*>(QStringLiteral("HelpWindowFallback"), Qt::FindDirectChildrenOnly);
    if (!viewer) {
        viewer = new HelpWindow(owner);
        viewer->setObjectName(QStringLiteral("HelpWindowFallback"));
    }
    viewer->showPage(path);
    viewer->show();
    viewer->raise();
    return true;
}

} // namespace kzt
