// The shared main window with a stand-in product: the field table, the
// product flags, templates, and bytes nobody edited.
#include "AppletAgent.h"
#include "ColorSwatch.h"
#include "EditingKit.h"
#include "EditorMainWindow.h"
#include "FieldBinding.h"
#include "FieldText.h"
#include "FileDialog.h"
#include "ItemTreeModel.h"
#include "MessageBox.h"
#include "Launcher.h"
#include "MiniProduct.h"
#include "TformWebBrowser.h"
#include "TreeNode.h"

#include <QAction>

#include <algorithm>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QRadioButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeView>
#include <QVBoxLayout>

#include <vector>

using namespace kzt;

namespace {

// The smallest product window: a menu name, an item caption and colour.
class MiniWindow : public EditorMainWindow
{
public:
    MiniWindow(const ProductProfile& product, AppPaths paths)
        : EditorMainWindow(product, std::move(paths), miniPlatform())
    {
        auto* panel = new QWidget(this);
        auto* column = new QVBoxLayout(panel);
        column->addWidget(treeView());
        menuName = new QLineEdit(panel);
        menuName->setObjectName(QStringLiteral("edtMenu"));
        caption = new QLineEdit(panel);
        caption->setObjectName(QStringLiteral("edtICaption"));
        colour = new ColorSwatch(panel);
        colour->setObjectName(QStringLiteral("pnlColour"));
        column->addWidget(menuName);
        column->addWidget(caption);
        column->addWidget(colour);
        setCentralWidget(panel);
        m_applet = FieldBinding({{0, menuName, FieldKind::Text}});
        m_item = FieldBinding({{MiniProduct::Caption, caption, FieldKind::Trimmed},
                               {MiniProduct::Colour, colour, FieldKind::Colour}});
        const auto changed = [this](QWidget* control) {
            setModified(true);
            EditingKit::CheckReservedText(this, control, QStringLiteral("#$@"));
        };
        m_applet.watch(this, changed);
        m_item.watch(this, changed);
        FormCreate();
    }

    QLineEdit* menuName;
    QLineEdit* caption;
    ColorSwatch* colour;

protected:
    void PanelToAppletData() override { m_applet.commit(agent().AppletData); }
    void AppletDataToPanel() override { showFailure(m_applet.show(agent().AppletData)); }
    void PanelToItemData(std::size_t index) override
    {
        if (index < agent().Items.size())
            m_item.commit(agent().Items[index]);
    }
    void ItemDataToPanel(std::size_t index) override
    {
        if (index < agent().Items.size())
            showFailure(m_item.show(agent().Items[index]));
    }
    void showMenuPanels() override {}
    void showItemPanels() override {}
    TempletTexts templetTexts() const override { return {}; }

private:
    FieldBinding m_applet;
    FieldBinding m_item;
};

class World
{
public:
    World()
    {
        qputenv("XDG_DATA_HOME", path(QStringLiteral("data")).toUtf8());
        qputenv("XDG_CONFIG_HOME", path(QStringLiteral("config")).toUtf8());
        QDir().mkpath(path(QStringLiteral("share/templates")));
        MessageBox::reset();
        MessageBox::setScripted(true);
        FileDialog::reset();
        FileDialog::setScripted(true);
    }
    ~World()
    {
        if (window) {
            window->setModified(false);
            window->close();
        }
        window.reset();
        MessageBox::reset();
        FileDialog::reset();
    }
    QString path(const QString& relative) const { return m_dir.path() + QLatin1Char('/') + relative; }
    MiniWindow& open(const MiniProduct& product)
    {
        AppPaths paths;
        paths.shareDir = path(QStringLiteral("share")).toStdString();
        paths.userDataDir = path(QStringLiteral("data/mini")).toStdString();
        paths.previewDir = paths.userDataDir / "preview";
        window = std::make_unique<MiniWindow>(product, paths);
        window->show();
        return *window;
    }
    void select(const TreeNode* node)
    {
        QTreeView* view = window->treeView();
        const QModelIndex index = window->treeModel()->indexOf(node);
        view->scrollTo(index);
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, view->visualRect(index).center());
    }
    static QByteArray read(const QString& file)
    {
        QFile f(file);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    static void write(const QString& file, const QByteArray& bytes)
    {
        QDir().mkpath(QFileInfo(file).absolutePath());
        QFile f(file);
        if (f.open(QIODevice::WriteOnly))
            f.write(bytes);
    }
    // Saves a three-item document and returns its path.
    QString saveThree(MiniWindow& w, const QString& relative)
    {
        TreeNode* root = w.agent().tree().root();
        for (const char* caption : {"one", "two", "three"}) {
            TreeNode* node = w.agent().InsertItem(root);
            w.agent().SetCaption(w.agent().ItemIndexOf(node), caption);
        }
        const QString file = path(relative);
        QDir().mkpath(QFileInfo(file).absolutePath());
        FileDialog::setNextFileName(file);
        w.Save2Click();
        return file;
    }

private:
    QTemporaryDir m_dir;

public:
    std::unique_ptr<MiniWindow> window;
};

} // namespace

class EditorWindowTest : public QObject
{
    Q_OBJECT

private slots:
    void fieldText_showsEightBitAsLatin1_keepsUtf8()
    {
        QCOMPARE(FieldText::toControl("caf\xc3\xa9"), QStringLiteral("caf\u00e9"));
        QCOMPARE(FieldText::toControl("caf\xe9"), QStringLiteral("caf\u00e9"));
        QVERIFY(!FieldText::isUtf8("\xc0\xaf"));         // overlong
        QVERIFY(!FieldText::isUtf8("\xed\xa0\x80"));     // surrogate
        QVERIFY(!FieldText::isUtf8("ab\xe2\x82"));       // cut short
        QVERIFY(FieldText::isUtf8("\xf0\x9f\x98\x80 ok"));
    }

    void binding_offsetBlocks_flagPair_andUntouchedBytes()
    {
        QWidget holder;
        auto* text = new QLineEdit(&holder);
        auto* number = new QSpinBox(&holder);
        number->setRange(-9999, 9999);
        auto* on = new QRadioButton(&holder);
        auto* off = new QRadioButton(&holder);
        FieldBinding binding({{0, text, FieldKind::Text}, {1, number, FieldKind::Integer},
                              {2, on, FieldKind::Flag, off}});
        // Two repeated blocks of three fields behind one table.
        TFieldRecord record(TStringArray{"a\xe9", "5", "", "b", "7", "1"});
        QVERIFY(binding.show(record, 3).ok());
        QCOMPARE(text->text(), QStringLiteral("b"));
        QCOMPARE(number->value(), 7);
        QVERIFY(on->isChecked() && !off->isChecked());
        text->setText(QStringLiteral("bb"));
        binding.commit(record, 3);
        QCOMPARE(record.get(3), std::string("bb"));
        QVERIFY(binding.show(record, 0).ok());
        QVERIFY(!on->isChecked() && !off->isChecked());
        binding.commit(record, 0);
        QCOMPARE(record.get(0), std::string("a\xe9"));
        QCOMPARE(record.get(2), std::string("0"));
        // A value the control cannot show is kept, and named, until edited.
        TFieldRecord odd(TStringArray{"x", "many", "0"});
        QVERIFY(binding.show(odd).ok());
        QCOMPARE(binding.keptFields(), std::vector<std::size_t>{1});
        QVERIFY(number->toolTip().contains(QStringLiteral("\"many\"")));
        binding.commit(odd);
        QCOMPARE(odd.get(1), std::string("many"));
        number->setValue(12);
        binding.commit(odd);
        QCOMPARE(odd.get(1), std::string("12"));
        QVERIFY(binding.keptFields().empty());
        QVERIFY(binding.show(record, 0).ok());
        QVERIFY(number->toolTip().isEmpty());
    }

    void defaultFlags_selectionMarksChanged_recentFilesListed()
    {
        MiniProduct product;
        World world;
        MiniWindow& w = world.open(product);
        world.saveThree(w, QStringLiteral("p/a.mini"));
        QVERIFY(!w.isModified());
        world.select(w.agent().NodeOfItem(1));
        QVERIFY(w.isModified());
        QVERIFY(w.recentFilesMenu()->menuAction()->isVisible());
        w.setModified(false);
        w.OpenProject(world.path(QStringLiteral("p/a.mini")));
        QCOMPARE(w.recentFilesMenu()->actions().size(), 1);
    }

    void flagsOff_selectionLeavesDocument_noRecentFiles()
    {
        MiniProduct product;
        product.editableInfo().selectionMarksChanged = false;
        product.editableInfo().hasRecentFiles = false;
        World world;
        MiniWindow& w = world.open(product);
        const QString file = world.saveThree(w, QStringLiteral("p/a.mini"));
        w.OpenProject(file);
        for (std::size_t i : {0, 2, 1})
            world.select(w.agent().NodeOfItem(i));
        QVERIFY(!w.isModified());
        QVERIFY(!w.recentFilesMenu()->menuAction()->isVisible());
        QVERIFY(!QFileInfo::exists(QString::fromStdString(w.agent().paths().recentFilesPath().string())));
    }

    void rootTexts_atStartAfterOpenAndAfterNew()
    {
        MiniProduct product;
        product.editableInfo().rootText = "Mini";
        product.editableInfo().rootTextAfterNew = "Mini 2005";
        World world;
        MiniWindow& w = world.open(product);
        QCOMPARE(QString::fromStdString(w.agent().tree().root()->text()), QStringLiteral("Mini"));
        const QString file = world.saveThree(w, QStringLiteral("p/a.mini"));
        w.New1Click();
        QCOMPARE(QString::fromStdString(w.agent().tree().root()->text()), QStringLiteral("Mini 2005"));
        w.OpenProject(file);
        QCOMPARE(QString::fromStdString(w.agent().tree().root()->text()), QStringLiteral("Mini"));
    }

    void refusedPage_buildHtmlAndPreviewShowWhyAndStop()
    {
        // A product whose page would pass the size every page must keep under.
        class HugePage : public MiniProduct
        {
        public:
            std::uint64_t pageSizeBound(const TkztAppletAgent&) const override { return std::uint64_t(1) << 40; }
        };
        HugePage product;
        World world;
        MiniWindow& w = world.open(product);
        w.BuildHTML1Click(); // would wait in the code viewer if the page were built
        QVERIFY(MessageBox::shown().back().text.startsWith(QStringLiteral("The page would take")));
        const std::size_t asked = MessageBox::shown().size();
        w.Preview1Click();
        QCOMPARE(MessageBox::shown().size(), asked + 1);
        QVERIFY(!QFileInfo::exists(QString::fromStdString((w.agent().paths().previewDir / "~preview.html").string())));
    }

    void itemFileNamedLikeTheSavedPage_isNotCopied_andTheHintSaysWhy()
    {
        MiniProduct product;
        product.editableInfo().itemFileFields = {MiniProduct::Url};
        World world;
        MiniWindow& w = world.open(product);
        TreeNode* node = w.agent().InsertItem(w.agent().tree().root());
        w.agent().Items[w.agent().ItemIndexOf(node)].set(MiniProduct::Url, "a.html");
        World::write(QString::fromStdString((w.agent().paths().previewDir / "a.html").string()), "old page");
        const QString file = world.path(QStringLiteral("p/a.mini"));
        QDir().mkpath(QFileInfo(file).absolutePath());
        FileDialog::setNextFileName(file);
        QVERIFY(w.Save2Click());
        QCOMPARE(World::read(world.path(QStringLiteral("p/a.html"))), QByteArray("Item\n"));
        QCOMPARE(w.hintLabel()->text(),
                 QStringLiteral("\"a.html\" was not copied: this save writes a file of that name."));
    }

    void olderBrowserDialog_previewFollowsTheChoiceMadeInThisRun()
    {
        MiniProduct product;
        product.editableInfo().olderBrowserDialog = true;
        World world;
        MiniWindow& w = world.open(product);
        const QString program = world.path(QStringLiteral("bin/my browser"));
        World::write(program, "#!/bin/sh\n");
        World::write(QString::fromStdString((w.agent().paths().userDataDir / "wbrwsr.dat").string()),
                     program.toLocal8Bit() + "\r\n");
        TformWebBrowser::forgetSessionChoice();
        {
            TformWebBrowser dialog(w.platformProduct(),
                                   TformWebBrowser::OlderForm{true, w.agent().paths().userDataDir / "wbrwsr.dat"});
            QCOMPARE(dialog.editSpecifiedBrowserFileName()->text(), program);
            dialog.RadioButtonBrowserUserSpecify()->setChecked(true);
            dialog.bitbtnOkClick();
        }
        Launcher::Recorder recorder;
        w.Preview1Click();
        QCOMPARE(recorder.launches().size(), std::size_t(1));
        const Launcher::Launch& launch = recorder.launches().front();
        QVERIFY(launch.kind == Launcher::Launch::Kind::StartProgram);
        QCOMPARE(launch.target, program);
        // Given the served page's address.
        QCOMPARE(launch.arguments.size(), 1);
        QVERIFY(launch.arguments[0].startsWith(QStringLiteral("http://127.0.0.1:")));
        QVERIFY(launch.arguments[0].endsWith(QStringLiteral("/~preview.html")));
        TformWebBrowser::forgetSessionChoice();
    }

    void scriptRuntimeOption_keptInTheSettings_andPreviewSaysHowToTurnItOn()
    {
        MiniProduct product;
        product.editableInfo().browserRuntime = "mini.js";
        World world;
        {
            MiniWindow& w = world.open(product);
            QAction* option = w.scriptRuntimeAction();
            QVERIFY(option);
            QCOMPARE(option->objectName(), QStringLiteral("ScriptRuntime1"));
            QVERIFY(!option->isChecked());
            QVERIFY(!w.agent().ScriptRuntime());
            Launcher::Recorder recorder;
            w.Preview1Click();
            QVERIFY(w.hintLabel()->text().contains(QStringLiteral("Option > Script Runtime for Browsers Without Java")));
            option->trigger();
            QVERIFY(w.agent().ScriptRuntime());
            QVERIFY(std::count(w.agent().ScriptFiles.begin(), w.agent().ScriptFiles.end(), "mini.js") == 1);
            w.hintLabel()->clear();
            w.Preview1Click();
            QVERIFY(!w.hintLabel()->text().contains(QStringLiteral("Script Runtime")));
        }
        // The next start, and the command line, follow the setting.
        QVERIFY(EditorMainWindow::scriptRuntimeSetting(product));
        MiniWindow& again = world.open(product);
        QVERIFY(again.scriptRuntimeAction()->isChecked());
        QVERIFY(again.agent().ScriptRuntime());
        // Products without a runtime have no such option.
        MiniProduct plain;
        QVERIFY(!world.open(plain).scriptRuntimeAction());
    }

    void pageComparison_askOnlyWhenThePageDiffers()
    {
        MiniProduct product;
        product.editableInfo().changeDetection = ProductInfo::ChangeDetection::PageComparison;
        World world;
        MiniWindow& w = world.open(product);
        const QString file = world.saveThree(w, QStringLiteral("p/a.mini"));
        w.OpenProject(file);
        world.select(w.agent().NodeOfItem(0));
        w.caption->setText(QStringLiteral("changed"));
        w.caption->setText(QStringLiteral("one"));
        // Edited and put back: the page is the saved one, nothing to ask.
        const std::size_t asked = MessageBox::shown().size();
        w.New1Click();
        QCOMPARE(MessageBox::shown().size(), asked);
        w.OpenProject(file);
        world.select(w.agent().NodeOfItem(1));
        w.caption->setText(QStringLiteral("other"));
        MessageBox::setNextAnswer(MessageBox::Cancel);
        w.New1Click();
        QCOMPARE(MessageBox::shown().back().text, QStringLiteral("Save changes to files?"));
        QCOMPARE(w.agent().Items.size(), std::size_t(3));
    }

    void untouchedEightBitFields_surviveSelectionAndSave()
    {
        MiniProduct product;
        World world;
        MiniWindow& w = world.open(product);
        const QString file = world.saveThree(w, QStringLiteral("p/a.mini"));
        QByteArray bytes = World::read(file);
        bytes.replace("one#$@", "\xf6ne#$@");
        bytes.replace("menu#$@", "m\xe9nu#$@");
        World::write(file, bytes);
        w.OpenProject(file);
        QCOMPARE(w.menuName->text(), QStringLiteral("m\u00e9nu"));
        for (std::size_t i : {0, 1, 0, 2})
            world.select(w.agent().NodeOfItem(i));
        QCOMPARE(w.treeModel()->data(w.treeModel()->indexOf(w.agent().NodeOfItem(0)), Qt::DisplayRole).toString(),
                 QStringLiteral("\u00f6ne"));
        w.Save1Click();
        QCOMPARE(World::read(file), bytes);
    }

    void template_opensUntitled_shippedFileToo()
    {
        MiniProduct product;
        World world;
        MiniWindow& w = world.open(product);
        const QString shipped = world.saveThree(w, QStringLiteral("share/templates/t.mini"));
        w.New1Click();
        QVERIFY(w.OpenTemplate(shipped));
        QVERIFY(w.projectFileName().isEmpty());
        QCOMPARE(w.agent().Items.size(), std::size_t(3));
        // Opened by hand from the share folder: still a starting point.
        QVERIFY(w.OpenProject(shipped));
        QVERIFY(w.projectFileName().isEmpty());
        const QString own = world.path(QStringLiteral("mine/m.mini"));
        QDir().mkpath(QFileInfo(own).absolutePath());
        FileDialog::setNextFileName(own);
        QVERIFY(w.Save1Click());
        QCOMPARE(w.projectFileName(), own);
    }
};

QTEST_MAIN(EditorWindowTest)
#include "EditorWindowTest.moc"
