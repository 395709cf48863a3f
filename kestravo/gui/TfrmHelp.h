#pragma once

#include "HelpWindow.h"

#include <filesystem>

namespace kestravo {

// The small help window beside the editor: one topic page per property
// group. Made once at start-up, shown without blocking the main window.
class TfrmHelp : public kzt::HelpWindow
{
    Q_OBJECT
public:
    TfrmHelp(std::filesystem::path helpFolder, QWidget* parent = nullptr);

    // The topic file of a help button's number; 0 and unknown numbers give
    // the getting-started page.
    static const char* topicFile(int topic);
    // "file:///" + the path, "\" as "/" and ":" as "|".
    static QString topicUrl(const QString& path);

    // Shows the topic and the window. False when the page is missing.
    bool ShowTopic(int topic);
    QString topicPath(int topic) const;

private:
    std::filesystem::path m_helpFolder;
};

} // namespace kestravo
