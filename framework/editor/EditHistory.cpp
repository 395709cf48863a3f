#include "EditHistory.h"

#include "AppletAgent.h"
#include "EditSteps.h"

#include <QUndoStack>

namespace kzt {

namespace {

class StepCommand : public QUndoCommand
{
public:
    StepCommand(TkztAppletAgent& agent, std::unique_ptr<EditStep> step, std::size_t& focus)
        : QUndoCommand(QString::fromStdString(step->name())), m_agent(agent), m_step(std::move(step)), m_focus(focus)
    {
    }
    void undo() override
    {
        m_step->undo(m_agent);
        m_focus = m_step->focusAfterUndo();
    }
    void redo() override
    {
        // The step was done when it was made.
        if (m_done) {
            m_done = false;
            return;
        }
        m_step->redo(m_agent);
        m_focus = m_step->focusAfterRedo();
    }
    std::size_t memoryBytes() const { return m_step->memoryBytes(); }

private:
    TkztAppletAgent& m_agent;
    std::unique_ptr<EditStep> m_step;
    std::size_t& m_focus;
    bool m_done = true;
};

} // namespace

EditHistory::EditHistory(TkztAppletAgent& agent, QObject* parent)
    : QObject(parent), m_agent(agent), m_recorder(std::make_unique<RecordRecorder>(agent)),
      m_stack(new QUndoStack(this))
{
    m_stack->setObjectName(QStringLiteral("EditHistory"));
    m_stack->setUndoLimit(kStepLimit);
}

EditHistory::~EditHistory() = default;

void EditHistory::recordChanges(const QString& name)
{
    if (std::unique_ptr<RecordStep> step = m_recorder->take(name.toStdString()))
        push(std::move(step));
}

void EditHistory::push(std::unique_ptr<EditStep> step)
{
    if (step)
        m_stack->push(new StepCommand(m_agent, std::move(step), m_focus));
}

std::size_t EditHistory::undo()
{
    m_recorder->pause();
    m_stack->undo();
    m_recorder->resume();
    return m_focus;
}

std::size_t EditHistory::redo()
{
    m_recorder->pause();
    m_stack->redo();
    m_recorder->resume();
    return m_focus;
}

void EditHistory::clear()
{
    m_stack->clear();
    m_recorder->discard();
    shownApplet.reset();
    shownItem.reset();
}

std::size_t EditHistory::memoryBytes() const
{
    std::size_t bytes = 0;
    for (int i = 0; i < m_stack->count(); ++i)
        bytes += static_cast<const StepCommand*>(m_stack->command(i))->memoryBytes();
    return bytes;
}

} // namespace kzt
