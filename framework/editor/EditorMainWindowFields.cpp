// The one editing loop of the product panels: controls bound to the fields
// by the product's schema, shown and committed here, with the change watch.
#include "EditorMainWindow.h"

#include "AppletAgent.h"
#include "ColorSwatch.h"
#include "EditingKit.h"
#include "FieldBinding.h"
#include "ProjectFileFormat.h"
#include "SchemaBinding.h"
#include "TreeNode.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>

namespace kzt {

namespace {

QString textOf(const QWidget* control)
{
    if (const auto* edit = qobject_cast<const QLineEdit*>(control))
        return edit->text();
    if (const auto* combo = qobject_cast<const QComboBox*>(control))
        return combo->currentText();
    return {};
}

} // namespace

void EditorMainWindow::bindFields(QWidget* panels, const ProductSchema& schema)
{
    m_appletFields = std::make_unique<FieldBinding>(bindSchema(schema.applet, panels));
    m_itemFields = std::make_unique<FieldBinding>(bindSchema(schema.item, panels));
    const auto changed = [this](QWidget* control) { fieldEdited(control); };
    m_appletFields->watch(this, changed);
    m_itemFields->watch(this, changed);

    for (const RecordSchema* record : {&schema.applet, &schema.item}) {
        for (const SchemaField& field : expandSchema(*record)) {
            QWidget* control = field.control.empty() ? nullptr
                                                     : panels->findChild<QWidget*>(QString::fromStdString(field.control));
            if (!control)
                continue;
            if (record == &schema.item && field.role == FieldRole::Caption)
                m_captionControl = control;
            auto* button = field.picker.empty()
                               ? nullptr
                               : panels->findChild<QAbstractButton*>(QString::fromStdString(field.picker));
            if (!button)
                continue;
            if (field.file == FileRole::Image) {
                if (auto* edit = qobject_cast<QLineEdit*>(control))
                    connect(button, &QAbstractButton::clicked, this, [this, edit] {
                        EditingKit::pickPictureIntoPreview(this, *m_agent, edit, m_lastPicture, dialogFolder());
                    });
            } else if (field.file == FileRole::Link) {
                if (auto* combo = qobject_cast<QComboBox*>(control))
                    connect(button, &QAbstractButton::clicked, this, [this, combo] {
                        if (EditingKit::pickLocalUrl(this, combo, dialogFolder()))
                            markFieldEdited();
                    });
            }
        }
    }
}

void EditorMainWindow::markFieldEdited()
{
    // Products that compare pages find the change themselves.
    if (m_agent->info().changeDetection == ProductInfo::ChangeDetection::PageComparison)
        documentEdited();
    else
        setModified(true);
}

void EditorMainWindow::fieldEdited(QWidget* control)
{
    if (auto* swatch = qobject_cast<ColorSwatch*>(control)) {
        EditingKit::pickColour(this, swatch);
        markFieldEdited();
        return;
    }
    markFieldEdited();
    if (control == m_captionControl && m_itemFields) {
        TreeNode* node = selectedNode();
        if (node && !node->isRoot() && node == m_currentItemNode)
            m_agent->tree().setText(node, m_itemFields->recordText(control, textOf(control).trimmed()));
    }
    // Refusing the text clears it, which comes back here and clears the
    // node's text too.
    const std::string_view reserved = m_agent->product().projectFormat().reservedText();
    if (!reserved.empty())
        EditingKit::CheckReservedText(this, control,
                                      QString::fromUtf8(reserved.data(), static_cast<qsizetype>(reserved.size())));
}

void EditorMainWindow::AppletDataToPanel()
{
    if (!m_appletFields)
        return;
    showFailure(m_appletFields->show(m_agent->AppletData));
    appletShown();
}

void EditorMainWindow::PanelToAppletData()
{
    if (!m_appletFields)
        return;
    // Fields no control feeds keep what the record holds.
    TAppletData data = m_agent->AppletData;
    data.resize(m_agent->info().appletFieldCount);
    m_appletFields->commit(data);
    storingApplet(data);
    m_agent->SetAppletData(std::move(data));
}

void EditorMainWindow::ItemDataToPanel(std::size_t index)
{
    if (!m_itemFields || index >= m_agent->Items.size())
        return;
    showFailure(m_itemFields->show(m_agent->Items[index]));
    itemShown(index);
}

void EditorMainWindow::PanelToItemData(std::size_t index)
{
    if (!m_itemFields || index >= m_agent->Items.size())
        return;
    // The derived fields are the tree's; the panels leave them as they are.
    TItemData item = m_agent->Items[index];
    item.resize(m_agent->info().itemFieldCount);
    m_itemFields->commit(item);
    storingItem(index, item);
    m_agent->SetItemData(index, std::move(item));
}

} // namespace kzt
