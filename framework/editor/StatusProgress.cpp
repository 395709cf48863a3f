#include "StatusProgress.h"

#include <QApplication>
#include <QLabel>
#include <QProgressBar>

namespace kzt {

StatusProgress::StatusProgress(QLabel* statusText, QProgressBar* progressBar)
    : m_statusText(statusText), m_progressBar(progressBar)
{
}

StatusProgress::~StatusProgress()
{
    while (m_depth > 0) {
        QApplication::restoreOverrideCursor();
        --m_depth;
    }
}

void StatusProgress::begin(const std::string& statusText, int maximum)
{
    if (m_statusText)
        m_statusText->setText(QString::fromStdString(statusText));
    if (m_progressBar) {
        m_progressBar->setMaximum(maximum > 0 ? maximum : 100);
        m_progressBar->setValue(0);
    }
    QApplication::setOverrideCursor(Qt::WaitCursor);
    ++m_depth;
    // The window is blocked while the operation runs; let the text show.
    if (m_statusText)
        m_statusText->repaint();
}

void StatusProgress::advance(int steps)
{
    if (m_progressBar)
        m_progressBar->setValue(std::min(m_progressBar->maximum(), m_progressBar->value() + steps));
}

void StatusProgress::end()
{
    if (m_progressBar)
        m_progressBar->setValue(0);
    if (m_statusText)
        m_statusText->clear();
    if (m_depth > 0) {
        QApplication::restoreOverrideCursor();
        --m_depth;
    }
}

} // namespace kzt
