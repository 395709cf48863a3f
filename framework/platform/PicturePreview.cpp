#include "PicturePreview.h"

#include "PictureDecoder.h"

#include <QFileInfo>
#include <QLabel>
#include <QPixmap>
#include <QVBoxLayout>

namespace kzt {

PicturePreview::PicturePreview(QWidget* parent)
    : QFrame(parent)
    , m_thumbnail(new QLabel(this))
    , m_caption(new QLabel(this))
{
    setObjectName(QStringLiteral("picturePreview"));
    setFrameShape(QFrame::StyledPanel);
    m_thumbnail->setObjectName(QStringLiteral("picturePreviewImage"));
    m_thumbnail->setAlignment(Qt::AlignCenter);
    m_thumbnail->setFixedSize(kThumbnailSize, kThumbnailSize);
    m_caption->setObjectName(QStringLiteral("picturePreviewCaption"));
    m_caption->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    m_caption->setWordWrap(true);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_thumbnail, 0, Qt::AlignHCenter);
    layout->addWidget(m_caption);
    layout->addStretch(1);
}

QString PicturePreview::caption() const
{
    return m_caption->text();
}

bool PicturePreview::hasThumbnail() const
{
    return !m_thumbnail->pixmap().isNull();
}

void PicturePreview::showFile(const QString& fileName)
{
    m_fileName = fileName;
    m_thumbnail->clear();
    m_caption->clear();
    if (fileName.isEmpty() || !QFileInfo(fileName).isFile())
        return;
    const PictureDecoder::Result result =
        PictureDecoder::thumbnailFile(fileName, QSize(kThumbnailSize, kThumbnailSize));
    if (!result.ok()) {
        m_caption->setText(result.error);
        return;
    }
    m_thumbnail->setPixmap(QPixmap::fromImage(result.image));
    m_caption->setText(QStringLiteral("%1 \u00d7 %2").arg(result.fullSize.width()).arg(result.fullSize.height()));
}

} // namespace kzt
