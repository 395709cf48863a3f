#include "UntouchedValues.h"

#include "AppletAgent.h"
#include "CommandLine.h"
#include "EditorMainWindow.h"
#include "FieldBinding.h"
#include "TreeNode.h"
#include "WindowTestWorld.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QSpinBox>
#include <QTest>

#include "ColorSwatch.h"
#include "MessageBox.h"

#include <random>
#include <sstream>

namespace UntouchedValues {

const std::vector<std::string>& hostileValues()
{
    static const std::vector<std::string> values = {
        "",       "12x0",  "GG8080", "-99999", "99999", "7",     "-1",    "2",    "abc",
        "40a0a0", "007",   "+5",     " 3",     "1.5",   " pad ", "\xE9t\xE9", "FFFFFFF", "#FF0000",
    };
    return values;
}

std::vector<std::size_t> boundFields(const kzt::FieldBinding& binding, std::size_t offset)
{
    std::vector<std::size_t> fields;
    for (const kzt::FieldControl& entry : binding.table())
        fields.push_back(entry.field + offset);
    return fields;
}

void scramble(kzt::TkztAppletAgent& agent, std::uint32_t seed, std::size_t items,
              const std::vector<std::size_t>& appletFields, const std::vector<std::size_t>& itemFields)
{
    std::mt19937 random(seed);
    const auto& values = hostileValues();
    auto pick = [&] { return values[random() % values.size()]; };
    std::vector<kzt::TreeNode*> nodes = {agent.tree().root()};
    for (std::size_t i = 0; i < items; ++i) {
        kzt::TreeNode* parent = nodes[random() % nodes.size()];
        nodes.push_back(agent.InsertItem(parent));
    }
    kzt::TAppletData applet = agent.AppletData;
    for (std::size_t field : appletFields) {
        if (field < applet.size() && random() % 2 == 0)
            applet.set(field, pick());
    }
    agent.SetAppletData(applet);
    for (std::size_t index = 0; index < agent.Items.size(); ++index) {
        kzt::TItemData item = agent.Items[index];
        for (std::size_t field : itemFields) {
            if (field < item.size() && field != agent.info().captionField && random() % 2 == 0)
                item.set(field, pick());
        }
        item.set(agent.info().captionField, "Item " + std::to_string(index));
        agent.SetItemData(index, item);
        agent.tree().setText(agent.NodeOfItem(index), "Item " + std::to_string(index));
    }
}

// The next question about unsaved changes is answered No; no answer is left
// queued for a later box.
static void leaveUnsaved(kzt::EditorMainWindow& window)
{
    window.setModified(false);
    kzt::MessageBox::reset();
    kzt::MessageBox::setScripted(true);
    if (window.documentChanged())
        kzt::MessageBox::setNextAnswer(kzt::MessageBox::No);
}

void walk(WindowTestWorld& world, kzt::EditorMainWindow& window)
{
    world.selectRoot();
    const std::size_t count = window.agent().Items.size();
    for (std::size_t index = 0; index < count; ++index) {
        window.selectNode(window.agent().NodeOfItem(index));
        QCOMPARE(window.currentItemNode(), window.agent().NodeOfItem(index));
    }
    if (count > 0)
        world.selectItem(0);
    world.selectRoot();
}

QByteArray published(kzt::EditorMainWindow& window, const QString& path, const QString& folder)
{
    QDir().mkpath(folder);
    kzt::CommandLine line(window.agent().product(), window.agent().paths());
    std::ostringstream out;
    std::ostringstream err;
    const int code = line.run({"--publish", path.toStdString(), "--to", folder.toStdString()}, out, err);
    if (code != 0)
        qWarning("--publish failed: %s", err.str().c_str());
    return WindowTestWorld::readFile(folder + QLatin1Char('/') + QFileInfo(path).fileName());
}

QByteArray walkAndSave(WindowTestWorld& world, kzt::EditorMainWindow& window, const QString& path,
                       QByteArray& expected)
{
    const QFileInfo info(path);
    QDir().mkpath(info.absolutePath());
    const kzt::Status written = window.agent().WriteProjectFile(path.toStdString());
    if (!written)
        qWarning("write failed: %s", written.message().c_str());
    // The command line's copy, published elsewhere from the same bytes.
    const QString copyFolder = info.absolutePath() + QStringLiteral("/cli-in");
    QDir().mkpath(copyFolder);
    const QString copy = copyFolder + QLatin1Char('/') + info.fileName();
    WindowTestWorld::writeFile(copy, WindowTestWorld::readFile(path));
    expected = published(window, copy, info.absolutePath() + QStringLiteral("/cli-out"));

    leaveUnsaved(window);
    if (!window.OpenProject(path))
        qWarning("open failed");
    walk(world, window);
    window.commitPanels();
    window.setModified(true);
    if (!window.Save1Click())
        qWarning("save failed");
    return WindowTestWorld::readFile(path);
}

QString firstDifference(const QByteArray& expected, const QByteArray& actual)
{
    qsizetype at = 0;
    while (at < expected.size() && at < actual.size() && expected[at] == actual[at])
        ++at;
    if (at == expected.size() && at == actual.size())
        return {};
    const qsizetype from = std::max<qsizetype>(0, at - 60);
    auto around = [&](const QByteArray& bytes) {
        return QString::fromLatin1(bytes.mid(from, 120).toPercentEncoding(" =:,#$@"));
    };
    return QStringLiteral("byte %1:\n expected ...%2\n actual   ...%3")
        .arg(QString::number(at), around(expected), around(actual));
}

std::string unshowable(const kzt::FieldControl& entry, int variant)
{
    using kzt::FieldKind;
    const bool first = variant % 2 == 0;
    switch (entry.kind) {
    case FieldKind::Text:
        return first ? " pad " : "\xE9t\xE9";
    case FieldKind::Trimmed:
        return first ? " pad " : "caf\xE9 ";
    case FieldKind::Integer:
        return first ? "12x0" : "99999";
    case FieldKind::Switch:
        return first ? "2" : "";
    case FieldKind::Colour:
        return first ? "GG8080" : "";
    case FieldKind::Choice:
        return first ? "97" : "x";
    case FieldKind::Flag:
        return first ? "2" : "yes";
    case FieldKind::Group:
        return first ? "9" : "x";
    case FieldKind::Styles:
        return first ? "7" : "b";
    case FieldKind::Listed:
        return first ? "13x" : "x";
    }
    return "?";
}

namespace {

void plant(kzt::TFieldRecord& record, const Bound& bound, int variant)
{
    for (const kzt::FieldControl& entry : bound.binding->table()) {
        const std::size_t field = entry.field + bound.offset;
        if (field < record.size())
            record.set(field, unshowable(entry, variant));
    }
}

void derived(kzt::TkztAppletAgent& agent, const Derive& derive)
{
    if (derive)
        derive(agent);
}

} // namespace

void checkUnshowableValuesKept(WindowTestWorld& world, kzt::EditorMainWindow& window, const std::vector<Bound>& bound,
                               const QString& path, const Derive& derive)
{
    kzt::TkztAppletAgent& agent = window.agent();
    kzt::TreeNode* first = agent.InsertItem(agent.tree().root());
    agent.InsertItem(first);
    kzt::TAppletData applet = agent.AppletData;
    for (const Bound& b : bound) {
        if (b.applet)
            plant(applet, b, 0);
    }
    agent.SetAppletData(applet);
    for (std::size_t index = 0; index < agent.Items.size(); ++index) {
        kzt::TItemData item = agent.Items[index];
        for (const Bound& b : bound) {
            if (!b.applet)
                plant(item, b, int(index));
        }
        // The captions name the items in the tree.
        const std::string caption = "Item " + std::to_string(index);
        item.set(agent.info().captionField, caption);
        agent.SetItemData(index, item);
        agent.tree().setText(agent.NodeOfItem(index), caption);
    }
    derived(agent, derive);
    QDir().mkpath(QFileInfo(path).absolutePath());
    QVERIFY(agent.WriteProjectFile(path.toStdString()).ok());
    // The derived fields (identifiers, levels) as every save writes them.
    const QByteArray original =
        published(window, path, QFileInfo(path).absolutePath() + QStringLiteral("/derived"));
    QVERIFY(!original.isEmpty());
    WindowTestWorld::writeFile(path, original);

    // The document was filled behind the window's back: leave it unsaved.
    leaveUnsaved(window);
    const bool opened = window.OpenProject(path);
    QVERIFY2(opened, kzt::MessageBox::shown().empty() ? "" : qPrintable(kzt::MessageBox::shown().back().text));
    world.selectItem(0);
    world.selectItem(1);
    world.selectItem(0);
    world.selectRoot();
    world.selectItem(1);
    world.selectItem(0);
    window.commitPanels();
    // A kept value says so where the author looks.
    for (const Bound& b : bound) {
        for (const kzt::FieldControl& entry : b.binding->table()) {
            if (entry.kind == kzt::FieldKind::Text || entry.kind == kzt::FieldKind::Trimmed || !entry.control)
                continue;
            QVERIFY2(entry.control->toolTip().contains(QStringLiteral("The project holds")),
                     qPrintable(entry.control->objectName()));
        }
    }
    window.setModified(true);
    QVERIFY(window.Save1Click());
    const QByteArray saved = WindowTestWorld::readFile(path);
    QVERIFY2(saved == original, qPrintable(firstDifference(original, saved)));
}

void checkEditsReplaceKeptValues(WindowTestWorld& world, kzt::EditorMainWindow& window,
                                 const std::vector<Bound>& bound)
{
    world.selectItem(0);
    struct Expect
    {
        bool applet;
        std::size_t field;
        std::string value;
        QString name;
    };
    std::vector<Expect> expected;
    for (const Bound& b : bound) {
        for (const kzt::FieldControl& entry : b.binding->table()) {
            const std::size_t field = entry.field + b.offset;
            std::string value;
            switch (entry.kind) {
            case kzt::FieldKind::Integer:
                if (auto* spin = qobject_cast<QSpinBox*>(entry.control)) {
                    const int number = spin->value() == spin->minimum() ? spin->minimum() + 1 : spin->minimum();
                    spin->setValue(number);
                    value = std::to_string(number);
                }
                break;
            case kzt::FieldKind::Colour:
                if (auto* swatch = qobject_cast<kzt::ColorSwatch*>(entry.control)) {
                    swatch->setColor(QColor(0x12, 0x34, 0x56));
                    value = "123456";
                }
                break;
            case kzt::FieldKind::Choice:
                if (auto* combo = qobject_cast<QComboBox*>(entry.control)) {
                    combo->setCurrentIndex(combo->count() - 1);
                    value = std::to_string(combo->count() - 1);
                }
                break;
            case kzt::FieldKind::Listed:
                if (auto* combo = qobject_cast<QComboBox*>(entry.control)) {
                    combo->setCurrentIndex(0);
                    value = combo->itemText(0).toStdString();
                }
                break;
            case kzt::FieldKind::Switch:
                if (auto* button = qobject_cast<QAbstractButton*>(entry.control)) {
                    button->setChecked(true);
                    value = "1";
                }
                break;
            case kzt::FieldKind::Flag:
                if (auto* button = qobject_cast<QAbstractButton*>(entry.second)) {
                    button->setChecked(true);
                    value = "0";
                }
                break;
            case kzt::FieldKind::Styles:
                if (auto* button = qobject_cast<QAbstractButton*>(entry.second)) {
                    button->setChecked(true);
                    value = "2";
                }
                break;
            case kzt::FieldKind::Group:
                if (entry.group && !entry.group->buttons().isEmpty()) {
                    QAbstractButton* last = entry.group->buttons().last();
                    last->setChecked(true);
                    value = std::to_string(entry.group->id(last));
                }
                break;
            case kzt::FieldKind::Text:
            case kzt::FieldKind::Trimmed:
                continue;
            }
            expected.push_back({b.applet, field, value, entry.control ? entry.control->objectName() : QString()});
        }
    }
    window.commitPanels();
    kzt::TkztAppletAgent& agent = window.agent();
    for (const Expect& e : expected) {
        const kzt::TFieldRecord& record = e.applet ? static_cast<const kzt::TFieldRecord&>(agent.AppletData)
                                                   : static_cast<const kzt::TFieldRecord&>(agent.Items[0]);
        QVERIFY2(e.field < record.size(), qPrintable(e.name));
        QVERIFY2(std::string(record.get(e.field)) == e.value,
                 qPrintable(QStringLiteral("%1: %2 instead of %3")
                                .arg(e.name, QString::fromStdString(std::string(record.get(e.field))),
                                     QString::fromStdString(e.value))));
    }
}

void checkRandomWalks(WindowTestWorld& world, kzt::EditorMainWindow& window, const std::vector<Bound>& bound,
                      const QString& folder, int projects, const Derive& derive)
{
    std::vector<std::size_t> appletFields;
    std::vector<std::size_t> itemFields;
    for (const Bound& b : bound) {
        for (std::size_t field : boundFields(*b.binding, b.offset))
            (b.applet ? appletFields : itemFields).push_back(field);
    }
    for (int seed = 1; seed <= projects; ++seed) {
        leaveUnsaved(window);
        window.New1Click();
        scramble(window.agent(), std::uint32_t(seed), 12, appletFields, itemFields);
        derived(window.agent(), derive);
        const QString path = QStringLiteral("%1/walk%2/random.%3")
                                 .arg(folder)
                                 .arg(seed)
                                 .arg(QString::fromStdString(window.agent().info().extension));
        QByteArray expected;
        const QByteArray saved = walkAndSave(world, window, path, expected);
        QVERIFY(!expected.isEmpty());
        QVERIFY2(saved == expected, qPrintable(QStringLiteral("project %1, %2").arg(seed).arg(firstDifference(expected, saved))));
    }
}

} // namespace UntouchedValues
