#pragma once

#include "PlatformProduct.h"
#include "Settings.h"

#include <QDialog>
#include <QStringList>

#include <functional>
#include <memory>

class QCheckBox;
class QLabel;
class QListWidget;
class QListWidgetItem;
class QPushButton;

namespace kzt {

// The product's wording and file pattern for the templates dialog.
struct TempletTexts
{
    QString caption;          // "Template"
    QStringList hintLines;    // the text under the list, one entry per line
    QString checkBoxText;     // "Do not show this dialog again."
    QString pattern;          // "*.dlcg"
    // Create the user's templates folder when missing (its failure fails
    // the dialog's creation); otherwise a missing folder just lists nothing.
    bool createUserFolder = true;
    // Open an entry on a single click instead of a double click.
    bool openOnSingleClick = false;
};

// Offers the shipped templates and the author's own ones at start-up and
// from File, Templates. The dialog only reports the choice; the caller opens
// the project or starts a new one.
class TfrmTemplet : public QDialog
{
    Q_OBJECT

public:
    // nullptr with *error set ("Cannot create " + folder) when the user's
    // templates folder is missing and cannot be created.
    static std::unique_ptr<TfrmTemplet> create(const PlatformProduct& product,
                                               const TempletTexts& texts,
                                               const QString& shippedFolder,
                                               const QString& userFolder, QWidget* parent,
                                               QString* error);

    // Creates the dialog, shows it modally and hands the choice to the
    // callbacks; a creation failure is shown as an error box.
    static void run(const PlatformProduct& product, const TempletTexts& texts,
                    const QString& shippedFolder, const QString& userFolder, QWidget* parent,
                    const std::function<void(const QString&)>& openProject,
                    const std::function<void()>& newProject);

    // Whether start-up offers the dialog: absent setting means yes, an
    // unreadable one means no.
    static bool showAtStartup(const PlatformProduct& product);

    // Full paths of the listed templates, in list order.
    QStringList templateFiles() const;

    void BitBtn1Click();
    void BitBtn2Click();
    void TempletListDblClick(QListWidgetItem* item);
    void chckbxDontShowClick(bool checked);

    QListWidget* TempletList() const { return m_list; }
    QPushButton* BitBtn1() const { return m_ok; }
    QPushButton* BitBtn2() const { return m_cancel; }
    QCheckBox* chckbxDontShow() const { return m_dontShow; }

signals:
    void openProjectRequested(const QString& path);
    void newProjectRequested();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    TfrmTemplet(const PlatformProduct& product, const TempletTexts& texts,
                const QString& shippedFolder, const QString& userFolder, QWidget* parent);
    void fillList(const QString& shippedFolder, const QString& userFolder);

    PlatformProduct m_product;
    Settings m_settings;
    QString m_pattern;
    QListWidget* m_list;
    QLabel* m_hint;
    QCheckBox* m_dontShow;
    QPushButton* m_ok;
    QPushButton* m_cancel;
};

} // namespace kzt
