#include "FileDialog.h"
#include "PictureDecoder.h"
#include "PicturePreview.h"
#include "PictureWriter.h"

#include <QApplication>
#include <QFileDialog>
#include <QLabel>
#include <QTemporaryDir>
#include <QTimer>

#include <functional>
#include <QtTest>

using kzt::FileDialog;
using kzt::PictureDecoder;
using kzt::PicturePreview;

namespace {

QImage twoColours(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(qRgb(200, 30, 30));
    for (int y = 0; y < height; ++y)
        for (int x = width / 2; x < width; ++x)
            image.setPixel(x, y, qRgb(30, 30, 200));
    return image;
}

} // namespace

class PicturePreviewTest : public QObject
{
    Q_OBJECT

private:
    // Runs `inspect` on the file dialog once it is shown, then closes it.
    QTimer m_dialogWatch;
    void whenDialogOpens(std::function<void(QFileDialog*)> inspect)
    {
        m_dialogWatch.disconnect();
        m_dialogWatch.setInterval(10);
        connect(&m_dialogWatch, &QTimer::timeout, this, [this, inspect] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            m_dialogWatch.stop();
            inspect(dialog);
            dialog->reject();
        });
        m_dialogWatch.start();
    }
    QTemporaryDir m_dir;
    QString m_jpeg;
    QString m_gif;
    QString m_text;

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        m_jpeg = m_dir.filePath(QStringLiteral("wide.jpg"));
        QVERIFY(PictureWriter::writeAll(m_jpeg, PictureWriter::jpeg(twoColours(640, 320))));
        m_gif = m_dir.filePath(QStringLiteral("small.gif"));
        PictureWriter::GifFrame frame;
        frame.width = 20;
        frame.height = 30;
        frame.pixels.assign(600, 1);
        QVERIFY(PictureWriter::gif(m_gif, 20, 30, {Qt::black, Qt::green}, {frame}));
        m_text = m_dir.filePath(QStringLiteral("readme.gif"));
        QVERIFY(PictureWriter::writeAll(m_text, "not a picture at all"));
    }

    void init() { FileDialog::reset(); }

    void showFile_showsThumbnailAndSize_orWhyNot()
    {
        PicturePreview preview;
        QCOMPARE(preview.objectName(), QStringLiteral("picturePreview"));
        auto* image = preview.findChild<QLabel*>(QStringLiteral("picturePreviewImage"));
        QVERIFY(image);

        preview.showFile(m_jpeg);
        QVERIFY(preview.hasThumbnail());
        QCOMPARE(image->pixmap().size(), QSize(160, 80));
        const QImage shown = image->pixmap().toImage();
        QVERIFY(qRed(shown.pixel(10, 40)) > 150 && qBlue(shown.pixel(10, 40)) < 80);
        QVERIFY(qBlue(shown.pixel(150, 40)) > 150 && qRed(shown.pixel(150, 40)) < 80);
        QCOMPARE(preview.caption(), QStringLiteral("640 \u00d7 320"));

        preview.showFile(m_gif);
        QCOMPARE(image->pixmap().size(), QSize(20, 30));
        QCOMPARE(preview.caption(), QStringLiteral("20 \u00d7 30"));

        // A bad file replaces the previous thumbnail with the reason.
        preview.showFile(m_text);
        QVERIFY(!preview.hasThumbnail());
        QCOMPARE(preview.caption(), PictureDecoder::notAPictureText());

        preview.showFile(m_jpeg);
        preview.showFile(m_dir.path());
        QVERIFY(!preview.hasThumbnail());
        QVERIFY(preview.caption().isEmpty());
        preview.showFile(QString());
        QVERIFY(!preview.hasThumbnail());
    }

    void pictureDialog_carriesPreviewFollowingCurrentFile()
    {
        bool checked = false;
        bool sawPreview = false;
        QString caption;
        whenDialogOpens([&](QFileDialog* dialog) {
            checked = true;
            sawPreview = dialog->testOption(QFileDialog::DontUseNativeDialog);
            auto* preview = dialog->findChild<PicturePreview*>(QStringLiteral("picturePreview"));
            if (preview) {
                emit dialog->currentChanged(m_jpeg);
                caption = preview->caption();
                sawPreview = sawPreview && preview->hasThumbnail() && preview->isVisible();
            } else {
                sawPreview = false;
            }
        });
        const QString chosen = FileDialog::getOpenPictureFileName(
            nullptr, QStringLiteral("Open picture"), m_dir.path(),
            QStringLiteral("All Image Files(*.gif;*.jpg)|*.gif;*.jpg"));
        QVERIFY(checked);
        QVERIFY(chosen.isEmpty());
        QVERIFY(sawPreview);
        QCOMPARE(caption, QStringLiteral("640 \u00d7 320"));
        QCOMPARE(FileDialog::requests().size(), size_t(1));
        QCOMPARE(FileDialog::requests().front().kind, FileDialog::Kind::OpenPicture);
    }

    void pictureDialog_previewsProposedFileAtOnce()
    {
        QString caption = QStringLiteral("not checked");
        whenDialogOpens([&](QFileDialog* dialog) {
            auto* preview = dialog->findChild<PicturePreview*>(QStringLiteral("picturePreview"));
            caption = preview ? preview->caption() : QStringLiteral("no preview");
        });
        FileDialog::getOpenPictureFileName(nullptr, QStringLiteral("Open picture"), m_gif,
                                           QStringLiteral("GIF Image File (*.gif)|*.gif"));
        QCOMPARE(caption, QStringLiteral("20 \u00d7 30"));
    }

    void plainOpenDialog_hasNoPreview()
    {
        bool checked = false;
        bool hasPreview = true;
        whenDialogOpens([&](QFileDialog* dialog) {
            checked = true;
            hasPreview = dialog->findChild<PicturePreview*>() != nullptr;
        });
        FileDialog::getOpenFileName(nullptr, QStringLiteral("Open"), m_dir.path(),
                                    QStringLiteral("All (*.*)|*.*"));
        QVERIFY(checked);
        QVERIFY(!hasPreview);
    }

    void scriptedPictureDialog_answersWithoutWindow()
    {
        FileDialog::setNextFileName(m_gif);
        QCOMPARE(FileDialog::getOpenPictureFileName(nullptr, QStringLiteral("Open picture"),
                                                    m_dir.path(), QStringLiteral("GIF|*.gif")),
                 m_gif);
        QVERIFY(QApplication::topLevelWidgets().isEmpty()
                || std::none_of(QApplication::topLevelWidgets().cbegin(),
                                QApplication::topLevelWidgets().cend(),
                                [](QWidget* w) { return qobject_cast<QFileDialog*>(w); }));
    }
};

QTEST_MAIN(PicturePreviewTest)
#include "PicturePreviewTest.moc"
