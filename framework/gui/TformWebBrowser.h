#pragma once

#include "BrowserDetector.h"
#include "PlatformProduct.h"
#include "Settings.h"

#include <QDialog>

#include <filesystem>
#include <optional>
#include <vector>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QToolButton;

namespace kzt {

// "Web Browser": which browser Preview starts. The choice lives in the
// product's "Web Browsers" settings key; creating the dialog reads it, OK
// writes it, and launch() uses it without showing the dialog.
//
// The older form (the applet builders) keeps no settings: the choice is a
// text ("default", "specified" or a browser's name) that lasts until the
// program ends, and only the named program's path is kept, in a one-line
// file of the user's folder.
class TformWebBrowser : public QDialog
{
    Q_OBJECT

public:
    enum class Choice { None, Default, Known, Specified };

    struct OlderForm
    {
        bool pickingChecksKnown = true;         // picking a list entry checks the known choice
        std::filesystem::path programPathFile;  // the named program's path ("wbrwsr.dat")
    };

    explicit TformWebBrowser(const PlatformProduct& product, QWidget* parent = nullptr);
    TformWebBrowser(const PlatformProduct& product, const OlderForm& older, QWidget* parent = nullptr);
    // Explicit store and PATH, for tools and tests.
    TformWebBrowser(const PlatformProduct& product, Settings settings, const QString& path,
                    QWidget* parent = nullptr, std::optional<OlderForm> older = std::nullopt);

    // The older form's choice as OK last made it in this program.
    QString choiceText() const { return sessionChoice(); }
    static void forgetSessionChoice() { sessionChoice().clear(); }

    const std::vector<KnownBrowser>& knownBrowsers() const { return m_browsers; }
    Choice choice() const;

    // Opens folder/page with the chosen browser. With no program to start
    // (a known choice without a selected entry, an empty program path, or
    // no choice at all) the page goes to the desktop's default handler.
    // False when nothing could be started.
    bool launch(const QString& folder, const QString& page) const;
    // Opens a web address (the served preview) with the chosen browser.
    bool launchUrl(const QString& url) const;

    // Handlers, also reachable through the controls.
    void bitbtnOkClick();
    void bitbtnCancelClick();
    void spdbtnOpenExeFileClick();

    QRadioButton* RadioButtonBrowserDefault() const { return m_default; }
    QRadioButton* RadioButtonBrowserKnownInSystem() const { return m_known; }
    QRadioButton* RadioButtonBrowserUserSpecify() const { return m_specified; }
    QComboBox* ComboBoxBrowserList() const { return m_list; }
    QLineEdit* editSpecifiedBrowserFileName() const { return m_edit; }
    QToolButton* spdbtnOpenExeFile() const { return m_browse; }
    QPushButton* bitbtnOk() const { return m_ok; }
    QPushButton* bitbtnCancel() const { return m_cancel; }

    // The browse button's filter: executables on Linux have no extension,
    // so "All Files" is offered and preselected after the usual entry.
    static QString executableFilter();

private:
    static QString& sessionChoice();
    void readOlderChoice();
    void makeOlderChoice();
    void keepOlderProgramPath(const QString& program) const;
    bool launchOlder(const QString& folder, const QString& page) const;
    // The browser program the form names; empty for the desktop's default.
    QString chosenProgram() const;
    void buildControls();
    void fillList();
    void readChoice();
    void writeChoice();
    void setRadio(QRadioButton* button, bool checked);
    void knownToggled(bool checked);

    PlatformProduct m_product;
    Settings m_settings;
    QString m_path;
    std::optional<OlderForm> m_older;
    std::vector<KnownBrowser> m_browsers;

    QGroupBox* m_group = nullptr;
    QRadioButton* m_default = nullptr;
    QRadioButton* m_known = nullptr;
    QComboBox* m_list = nullptr;
    QRadioButton* m_specified = nullptr;
    QLabel* m_exeLabel = nullptr;
    QLineEdit* m_edit = nullptr;
    QToolButton* m_browse = nullptr;
    QPushButton* m_ok = nullptr;
    QPushButton* m_cancel = nullptr;
};

} // namespace kzt
