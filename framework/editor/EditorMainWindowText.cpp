// The document's text encoding in the main window: the status line, the
// refusal of characters the code page cannot hold, and the conversion.
#include "EditorMainWindow.h"

#include "EditHistory.h"
#include "EditSteps.h"

#include "AppletAgent.h"
#include "DocumentText.h"
#include "FieldText.h"
#include "MessageBox.h"

#include <QAction>
#include <QLabel>
#include <QMenu>

namespace kzt {

void EditorMainWindow::refreshTextEncoding()
{
    m_encoding = DocumentEncoding(*m_agent);
    FieldText::setEncoding(this, m_encoding);
    m_encodingLabel->setText(QString::fromLatin1(EncodingName(m_encoding)));
    m_actConvertText->setEnabled(m_encoding != TextEncoding::Utf8);
}

void EditorMainWindow::ConvertTextToUTF81Click()
{
    commitPanels();
    auto before = std::make_unique<DocumentStep>(tr("Convert Text to UTF-8").toStdString(), *m_agent);
    m_history->recorder().pause();
    const std::size_t changed = ConvertDocumentToUtf8(*m_agent);
    m_history->recorder().resume();
    if (changed > 0)
        m_history->push(std::move(before));
    refreshTextEncoding();
    // The panels show the converted records, so a later commit keeps them.
    AppletDataToPanel();
    if (m_currentItemNode)
        ItemDataToPanel(m_agent->ItemIndexOf(m_currentItemNode));
    if (changed > 0)
        setModified(true);
    m_hint->setText(tr("The text of the project is now UTF-8 (%n text(s) converted). Save to keep it.", nullptr,
                       static_cast<int>(changed)));
}

void EditorMainWindow::textRefused(char32_t character)
{
    const QString shown = QString::fromUcs4(&character, 1);
    const QString text =
        tr("The text of this project is in the Windows-1252 code page of older versions, which cannot hold "
           "\"%1\" (U+%2).\n\nFile > Convert Text to UTF-8 stores all the text of the project as UTF-8, which "
           "holds every character. Convert the text now?")
            .arg(shown, QStringLiteral("%1").arg(static_cast<uint>(character), 4, 16, QLatin1Char('0')).toUpper());
    if (MessageBox::question(this, text, MessageBox::Yes | MessageBox::No, MessageBox::No) == MessageBox::Yes)
        ConvertTextToUTF81Click();
}

void EditorMainWindow::placeConvertTextAction()
{
    // Into the File menu, just above Exit and its separator.
    auto* file = findChild<QMenu*>(QStringLiteral("File1"));
    if (!file)
        return;
    const QList<QAction*> actions = file->actions();
    const qsizetype exit = actions.indexOf(m_actExit);
    if (exit > 0 && actions[exit - 1]->isSeparator())
        file->insertAction(actions[exit - 1], m_actConvertText);
    else if (exit >= 0)
        file->insertAction(m_actExit, m_actConvertText);
    else
        file->addAction(m_actConvertText);
}

} // namespace kzt
