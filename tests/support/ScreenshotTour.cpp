#include "ScreenshotTour.h"

#include "MessageBox.h"
#include "PreviewFolder.h"

#include <QApplication>
#include <QDir>
#include <QGuiApplication>
#include <QScreen>
#include <QThread>
#include <QWidget>

#include <cstdio>

namespace screenshots {

namespace {

QString g_output;
QString g_product;

} // namespace

Tour::Tour(const char* product) : m_product(QString::fromLatin1(product))
{
    qputenv("XDG_DATA_HOME", (m_home.path() + QStringLiteral("/data")).toUtf8());
    qputenv("XDG_CONFIG_HOME", (m_home.path() + QStringLiteral("/config")).toUtf8());
}

bool Tour::start(int argc, char** argv) const
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s_screenshots OUTPUT_FOLDER\n", qPrintable(m_product));
        return false;
    }
    g_output = QString::fromLocal8Bit(argv[1]);
    g_product = m_product;
    QDir().mkpath(g_output);
    kzt::MessageBox::setScripted(true);
    return true;
}

kzt::AppPaths Tour::paths() const
{
    kzt::AppPaths paths;
    paths.shareDir = std::filesystem::path(KZT_SOURCE_DIR) / m_product.toStdString() / "share";
    paths.userDataDir = (m_home.path() + QStringLiteral("/data/") + m_product).toStdString();
    paths.previewDir = kzt::PreviewFolder::claim(paths.userDataDir);
    return paths;
}

QString Tour::templatesFolder() const
{
    return QStringLiteral(KZT_SOURCE_DIR "/") + m_product + QStringLiteral("/share/templates");
}

void settle()
{
    for (int i = 0; i < 30; ++i) {
        QApplication::processEvents();
        QThread::msleep(10);
    }
}

void save(const QPixmap& picture, const QString& name)
{
    const QString file = g_output + QLatin1Char('/') + g_product + QStringLiteral("-window-") + name + QStringLiteral(".png");
    if (!picture.save(file))
        std::fprintf(stderr, "could not write %s\n", qPrintable(file));
    else
        std::printf("%s\n", qPrintable(file));
}

void shoot(QWidget* widget, const QString& name)
{
    widget->raise();
    widget->activateWindow();
    settle();
    save(widget->grab(), name);
}

void shootTogether(QWidget* first, QWidget* second, const QString& name)
{
    settle();
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect both = first->frameGeometry().united(second->frameGeometry()).adjusted(-8, -8, 8, 8);
        save(screen->grabWindow(0, both.x(), both.y(), both.width(), both.height()), name);
    }
}

} // namespace screenshots
