#pragma once

#include "PropertyChoices.h"

#include <QDialog>

#include <cstddef>
#include <vector>

class QCheckBox;
class QPushButton;
class QTreeView;

namespace kzt {

class ItemTreeModel;
class TkztAppletAgent;
class TreeNode;

// "Global Properties Change": copies the ticked fields of one item to every
// item the author marks in a copy of the tree. The product says which
// fields may be copied, so larger products reuse the form with more boxes.
class TfrmGlobalPropertiesChange : public QDialog
{
    Q_OBJECT
public:
    TfrmGlobalPropertiesChange(TkztAppletAgent& agent, std::size_t sourcePosition,
                               const PropertyLayout& layout, QWidget* parent = nullptr);
    ~TfrmGlobalPropertiesChange() override;

    std::size_t sourcePosition() const { return m_source; }
    bool isMarked(std::size_t position) const;
    void toggleMark(const TreeNode* node);
    void SelectAllClick();
    void SelectNoneClick();
    void SelectAllPropertiesClick();
    void SelectNoPropertiesClick();
    void OkClick();
    // Checks the box of the look whose block starts at this field.
    void checkState(std::size_t firstField);
    // The item fields OK copies, in field order.
    std::vector<std::size_t> copiedFields() const;

    QTreeView* trvwPropertiesChange() const { return m_tree; }
    QCheckBox* choiceBox(std::size_t field) const;
    QCheckBox* perStateBox(std::size_t offset) const;
    QCheckBox* stateBox(std::size_t firstField) const;

private:
    QWidget* buildChoices(const PropertyLayout& layout);
    void setAllMarks(bool marked);

    TkztAppletAgent& m_agent;
    std::size_t m_source;
    std::vector<char> m_marks;
    std::vector<std::pair<std::size_t, QCheckBox*>> m_boxes;
    std::vector<std::pair<std::size_t, QCheckBox*>> m_perStateBoxes;
    std::vector<std::pair<std::size_t, QCheckBox*>> m_stateBoxes;
    ItemTreeModel* m_model = nullptr;
    QTreeView* m_tree = nullptr;
};

} // namespace kzt
