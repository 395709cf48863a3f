#include "FileDialog.h"

#include "PicturePreview.h"

#include <QApplication>
#include <QFileDialog>
#include <QGridLayout>

#include <deque>

namespace kzt {

namespace {

struct Script
{
    bool scripted = false;
    std::deque<QString> answers;
    std::vector<FileDialog::Request> requests;
};

Script& script()
{
    static Script s;
    return s;
}

// "HTML files(*.htm;*.html)" -> "HTML files": Qt shows the patterns itself.
QString labelOf(const QString& description)
{
    QString label = description.trimmed();
    if (label.endsWith(QLatin1Char(')'))) {
        const qsizetype open = label.lastIndexOf(QLatin1Char('('));
        if (open > 0)
            label = label.left(open).trimmed();
    }
    return label;
}

// The platform dialogs take no extra widgets, so the picture dialog uses
// Qt's own and puts the preview in a column right of the file list.
void addPicturePreview(QFileDialog& dialog)
{
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    auto* preview = new PicturePreview(&dialog);
    if (auto* grid = qobject_cast<QGridLayout*>(dialog.layout()))
        grid->addWidget(preview, 0, grid->columnCount(), grid->rowCount(), 1);
    else if (dialog.layout())
        dialog.layout()->addWidget(preview);
    QObject::connect(&dialog, &QFileDialog::currentChanged, preview, &PicturePreview::showFile);
    // Give the preview its own room instead of squeezing the file list.
    dialog.resize(dialog.sizeHint());
    // A proposed file is selected without becoming current.
    const QStringList proposed = dialog.selectedFiles();
    if (!proposed.isEmpty())
        preview->showFile(proposed.constFirst());
}

QString runDialog(FileDialog::Kind kind, QWidget* parent, const QString& caption,
                  const QString& dir, const QString& filter, const QString& defaultSuffix,
                  int filterIndex)
{
    const QStringList filters = FileDialog::toQtFilters(filter);
    if (filterIndex < 0 || filterIndex >= filters.size())
        filterIndex = 0;
    Script& s = script();
    s.requests.push_back({kind, caption, dir, filters, filterIndex});
    if (s.scripted) {
        if (s.answers.empty())
            return {};
        QString answer = s.answers.front();
        s.answers.pop_front();
        return answer;
    }

    if (!qobject_cast<QApplication*>(QCoreApplication::instance()))
        return {};

    QFileDialog dialog(parent, caption, dir);
    dialog.setNameFilters(filters);
    if (!filters.isEmpty())
        dialog.selectNameFilter(filters.at(filterIndex));
    if (kind == FileDialog::Kind::Save) {
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        if (!defaultSuffix.isEmpty())
            dialog.setDefaultSuffix(defaultSuffix);
    } else {
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(QFileDialog::ExistingFile);
    }
    if (kind == FileDialog::Kind::OpenPicture)
        addPicturePreview(dialog);
    if (dialog.exec() != QDialog::Accepted)
        return {};
    const QStringList chosen = dialog.selectedFiles();
    return chosen.isEmpty() ? QString() : chosen.constFirst();
}

} // namespace

QStringList FileDialog::toQtFilters(const QString& filter)
{
    QStringList result;
    const QStringList parts = filter.split(QLatin1Char('|'));
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QStringList patterns;
        for (QString p : parts.at(i + 1).split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
            p = p.trimmed();
            if (p == QLatin1String("*.*"))
                p = QStringLiteral("*");
            if (!p.isEmpty() && !patterns.contains(p))
                patterns << p;
        }
        if (patterns.isEmpty())
            patterns << QStringLiteral("*");
        QString label = labelOf(parts.at(i));
        if (label.isEmpty())
            label = patterns.join(QLatin1Char(' '));
        result << label + QStringLiteral(" (") + patterns.join(QLatin1Char(' ')) + QLatin1Char(')');
    }
    // A lone description without patterns still filters nothing out.
    if (parts.size() % 2 == 1 && !parts.constLast().trimmed().isEmpty() && result.isEmpty())
        result << labelOf(parts.constLast()) + QStringLiteral(" (*)");
    return result;
}

QString FileDialog::getOpenFileName(QWidget* parent, const QString& caption, const QString& dir,
                                    const QString& filter, int filterIndex)
{
    return runDialog(Kind::Open, parent, caption, dir, filter, {}, filterIndex);
}

QString FileDialog::getOpenPictureFileName(QWidget* parent, const QString& caption,
                                           const QString& dir, const QString& filter,
                                           int filterIndex)
{
    return runDialog(Kind::OpenPicture, parent, caption, dir, filter, {}, filterIndex);
}

QString FileDialog::getSaveFileName(QWidget* parent, const QString& caption, const QString& dir,
                                    const QString& filter, const QString& defaultSuffix,
                                    int filterIndex)
{
    return runDialog(Kind::Save, parent, caption, dir, filter, defaultSuffix, filterIndex);
}

void FileDialog::setNextFileName(const QString& fileName)
{
    script().scripted = true;
    script().answers.push_back(fileName);
}

void FileDialog::setScripted(bool scripted)
{
    script().scripted = scripted;
}

bool FileDialog::isScripted()
{
    return script().scripted;
}

int FileDialog::pendingAnswers()
{
    return static_cast<int>(script().answers.size());
}

const std::vector<FileDialog::Request>& FileDialog::requests()
{
    return script().requests;
}

void FileDialog::reset()
{
    script() = Script();
}

} // namespace kzt
