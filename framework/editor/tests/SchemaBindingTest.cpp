// Panels bound by a field schema: controls found by their object names, and
// the shared show, commit and change watch of the main window.
#include "AppletAgent.h"
#include "ColorDialog.h"
#include "ColorSwatch.h"
#include "EditingKit.h"
#include "EditorMainWindow.h"
#include "FieldBinding.h"
#include "FileDialog.h"
#include "ItemTreeModel.h"
#include "MessageBox.h"
#include "MiniProduct.h"
#include "SchemaBinding.h"
#include "TreeNode.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <QTreeView>
#include <QVBoxLayout>

using namespace kzt;

namespace {

constexpr FieldSpec kMenu[] = {text(0, "Menu", "menu", "edtMenu")};
constexpr SchemaPart kMenuParts[] = {{kMenu}};
constexpr FieldSpec kItem[] = {
    trimmed(MiniProduct::Caption, "Caption", "Item", "edtICaption").withRole(FieldRole::Caption),
    fileName(MiniProduct::Url, "Url", "", FileRole::Link, "cmbxUrl").withPicker("spdbtnUrl"),
    colour(MiniProduct::Colour, "Colour", "FFFFFF", "pnlColour"),
    derived(MiniProduct::Level, "Level", "").withRole(FieldRole::Level),
};
constexpr SchemaPart kItemParts[] = {{kItem}};
constexpr ProductSchema kSchema = {{kMenuParts}, {kItemParts}};
static_assert(kSchema.item.matches(MiniProduct::Count));

// A product window that lists no binding of its own: the schema does.
class SchemaWindow : public EditorMainWindow
{
public:
    SchemaWindow(const ProductProfile& product, AppPaths paths) : EditorMainWindow(product, std::move(paths), miniPlatform())
    {
        auto* panel = new QWidget(this);
        auto* column = new QVBoxLayout(panel);
        column->addWidget(treeView());
        for (const char* name : {"edtMenu", "edtICaption"}) {
            auto* edit = new QLineEdit(panel);
            edit->setObjectName(QString::fromLatin1(name));
            column->addWidget(edit);
        }
        auto* url = new QComboBox(panel);
        url->setObjectName(QStringLiteral("cmbxUrl"));
        url->setEditable(true);
        auto* picker = new QToolButton(panel);
        picker->setObjectName(QStringLiteral("spdbtnUrl"));
        auto* swatch = new ColorSwatch(panel);
        swatch->setObjectName(QStringLiteral("pnlColour"));
        column->addWidget(url);
        column->addWidget(picker);
        column->addWidget(swatch);
        setCentralWidget(panel);
        bindFields(panel, kSchema);
        FormCreate();
    }
    template <typename T> T* control(const char* name) const { return findChild<T*>(QString::fromLatin1(name)); }

protected:
    void showMenuPanels() override {}
    void showItemPanels() override {}
    TempletTexts templetTexts() const override { return {}; }
};

} // namespace

class SchemaBindingTest : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        qputenv("XDG_DATA_HOME", m_dir.filePath(QStringLiteral("data")).toUtf8());
        qputenv("XDG_CONFIG_HOME", m_dir.filePath(QStringLiteral("config")).toUtf8());
        MessageBox::reset();
        MessageBox::setScripted(true);
        FileDialog::reset();
        FileDialog::setScripted(true);
    }

    void controlsFoundByName_repeatedBlocks_groups_missingNamed()
    {
        static constexpr const char* looks[] = {"No", "Ov"};
        static constexpr FieldSpec look[] = {
            integer(0, "%Size", "1", 0, 99, "spn%Size"),
            bitFlags(1, "%Style", "0", "btn%Bold", "btn%Italic"),
            toggle(2, "%Shown", "1", "chk%Shown").onlyIn(0b01),
        };
        static constexpr FieldSpec rest[] = {radioGroup(6, "Align", "0", "grpAlign"), text(7, "Gone", "", "edtGone"),
                                             reserved(8, "Spare", "0")};
        static constexpr SchemaPart parts[] = {{look, looks}, {rest}};
        static_assert(RecordSchema{parts}.matches(9));

        QWidget root;
        for (const char* name : {"spnNoSize", "spnOvSize"}) {
            auto* box = new QSpinBox(&root);
            box->setObjectName(QString::fromLatin1(name));
        }
        for (const char* name : {"btnNoBold", "btnNoItalic", "btnOvBold", "btnOvItalic"}) {
            auto* button = new QToolButton(&root);
            button->setCheckable(true);
            button->setObjectName(QString::fromLatin1(name));
        }
        auto* shown = new QCheckBox(&root);
        shown->setObjectName(QStringLiteral("chkNoShown"));
        auto* group = new QButtonGroup(&root);
        group->setObjectName(QStringLiteral("grpAlign"));
        for (int id = 0; id < 3; ++id)
            group->addButton(new QRadioButton(&root), id);

        QStringList missing;
        FieldBinding binding = bindSchema(RecordSchema{parts}, &root, &missing);
        QCOMPARE(missing, QStringList{QStringLiteral("edtGone")});
        // Two looks of two bound fields, the first look's switch, the group.
        QCOMPARE(binding.table().size(), std::size_t(6));

        TFieldRecord record(TStringArray{"5", "3", "0", "7", "2", "1", "2", "x", "0"});
        QVERIFY(binding.show(record).ok());
        QCOMPARE(root.findChild<QSpinBox*>(QStringLiteral("spnOvSize"))->value(), 7);
        QVERIFY(root.findChild<QToolButton*>(QStringLiteral("btnOvItalic"))->isChecked());
        QVERIFY(!root.findChild<QToolButton*>(QStringLiteral("btnOvBold"))->isChecked());
        QVERIFY(!shown->isChecked());
        QCOMPARE(group->checkedId(), 2);
        group->button(1)->setChecked(true);
        binding.commit(record);
        QCOMPARE(record.get(6), std::string("1"));
        QCOMPARE(record.get(5), std::string("1")); // no control in the second look
    }

    void window_showsCommitsAndWatches_byTheSchema()
    {
        MiniProduct product;
        AppPaths paths;
        paths.shareDir = m_dir.filePath(QStringLiteral("share")).toStdString();
        paths.userDataDir = m_dir.filePath(QStringLiteral("data/mini")).toStdString();
        paths.previewDir = paths.userDataDir / "preview";
        SchemaWindow w(product, paths);
        w.show();
        QVERIFY(w.appletFields() && w.itemFields());
        QCOMPARE(w.control<QLineEdit>("edtMenu")->text(), QStringLiteral("menu"));

        TreeNode* root = w.agent().tree().root();
        TreeNode* first = w.agent().InsertItem(root);
        TreeNode* second = w.agent().InsertItem(root);
        w.agent().Items[1].set(MiniProduct::Colour, "GG8080"); // no colour
        w.setModified(false);
        w.selectNode(second);
        QCOMPARE(w.control<QLineEdit>("edtICaption")->text(), QStringLiteral("Item"));
        w.setModified(false);

        // Typing a caption marks the document changed and renames the node.
        QLineEdit* caption = w.control<QLineEdit>("edtICaption");
        caption->setFocus();
        QTest::keyClicks(caption, QStringLiteral("s"));
        QVERIFY(w.isModified());
        QCOMPARE(second->text(), std::string("Items"));
        // The project format's separator is refused where it is typed.
        const std::size_t messages = MessageBox::shown().size();
        QTest::keyClicks(caption, QStringLiteral("#$@"));
        QCOMPARE(MessageBox::shown().size(), messages + 1);
        QVERIFY(MessageBox::shown().back().text.contains(QStringLiteral("#$@")));
        QVERIFY(caption->text().isEmpty());
        QTest::keyClicks(caption, QStringLiteral("two"));

        // Leaving the item commits it; the colour it could not show is kept.
        w.selectNode(first);
        QCOMPARE(w.agent().Items[1].get(MiniProduct::Caption), std::string("two"));
        QCOMPARE(w.agent().Items[1].get(MiniProduct::Colour), std::string("GG8080"));
        // The swatch offers the colour dialog; OK stores the colour.
        ColorDialog::setScripted(true);
        ColorDialog::setNextColor(QColor(0x12, 0x34, 0x56));
        w.setModified(false);
        QTest::mouseClick(w.control<ColorSwatch>("pnlColour"), Qt::LeftButton);
        QVERIFY(w.isModified());
        w.commitPanels();
        QCOMPARE(w.agent().Items[0].get(MiniProduct::Colour), std::string("123456"));
        // The menu record goes back through the same path.
        w.selectNode(root);
        w.control<QLineEdit>("edtMenu")->setText(QStringLiteral("menu2"));
        w.commitPanels();
        QCOMPARE(w.agent().AppletData.get(0), std::string("menu2"));
        w.setModified(false);
        ColorDialog::reset();
    }

private:
    QTemporaryDir m_dir;
};

QTEST_MAIN(SchemaBindingTest)
#include "SchemaBindingTest.moc"
