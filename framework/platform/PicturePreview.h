#pragma once

#include <QFrame>
#include <QString>

class QLabel;

namespace kzt {

// The preview beside the picture file list: a thumbnail of the current file
// and a caption with its size, or why there is no thumbnail.
class PicturePreview : public QFrame
{
    Q_OBJECT

public:
    static constexpr int kThumbnailSize = 160;

    explicit PicturePreview(QWidget* parent = nullptr);

    QString fileName() const { return m_fileName; }
    QString caption() const;
    bool hasThumbnail() const;

public slots:
    // Connected to the dialog's currentChanged; folders and empty names clear it.
    void showFile(const QString& fileName);

private:
    QLabel* m_thumbnail;
    QLabel* m_caption;
    QString m_fileName;
};

} // namespace kzt
