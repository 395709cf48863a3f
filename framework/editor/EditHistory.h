#pragma once

#include "Records.h"

#include <QObject>

#include <cstddef>
#include <memory>
#include <optional>
#include <utility>

class QUndoStack;

namespace kzt {

class EditStep;
class RecordRecorder;
class TkztAppletAgent;

// A window's undo history: the core's steps on a QUndoStack, and the
// recorder that turns committed field values into steps. Every step is done
// when it is pushed; the stack only undoes and redoes it.
class EditHistory : public QObject
{
    Q_OBJECT
public:
    // Steps kept; the oldest go beyond it. Field edits cost their two
    // records, a delete the records and nodes it took out (moved, not
    // copied), an import one copy of the document it replaced.
    static constexpr int kStepLimit = 200;

    EditHistory(TkztAppletAgent& agent, QObject* parent = nullptr);
    ~EditHistory() override;

    QUndoStack* stack() const { return m_stack; }
    RecordRecorder& recorder() const { return *m_recorder; }
    // Record values committed since the last call become one step.
    void recordChanges(const QString& name);
    // A step already done in the document.
    void push(std::unique_ptr<EditStep> step);
    // Undo or redo; returns the absolute index of the node the step touched.
    std::size_t undo();
    std::size_t redo();
    // A new document: no steps, nothing recorded.
    void clear();
    // Heap bytes all steps hold.
    std::size_t memoryBytes() const;

    // What a commit of the panels wrote just after an undo or redo showed
    // them: a panel that cannot show a stored value exactly would otherwise
    // turn every further Undo into a new step of that value.
    std::optional<TAppletData> shownApplet;
    std::optional<std::pair<std::size_t, TItemData>> shownItem;

private:
    TkztAppletAgent& m_agent;
    std::unique_ptr<RecordRecorder> m_recorder;
    QUndoStack* m_stack;
    std::size_t m_focus = 0;
};

} // namespace kzt
