#pragma once

#include "ProgressSink.h"

#include <QPointer>

class QLabel;
class QProgressBar;

namespace kzt {

// Shows long operations in a main window: the status text at the bottom
// left, the progress bar at the bottom right and the busy cursor. Nested
// operations keep the cursor until the outermost one ends.
class StatusProgress : public ProgressSink
{
public:
    StatusProgress(QLabel* statusText, QProgressBar* progressBar);
    ~StatusProgress() override;

    void begin(const std::string& statusText, int maximum) override;
    void advance(int steps) override;
    void end() override;

    int depth() const { return m_depth; }

private:
    QPointer<QLabel> m_statusText;
    QPointer<QProgressBar> m_progressBar;
    int m_depth = 0;
};

} // namespace kzt
