// Writes a product's desktop entry and shared MIME package for system-wide
// installs, from the same code that writes the per-user copies at start-up.
//
//   kzt_association_files NAME EXECUTABLE EXTENSION COMMENT EXEC_PATH OUT_DIR

#include "FileAssociation.h"

#include <QDir>
#include <QSaveFile>
#include <QString>

#include <cstdio>

namespace {

bool writeAtomically(const QString& path, const QByteArray& bytes)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        return false;
    return file.commit();
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 7) {
        std::fprintf(stderr,
                     "usage: %s NAME EXECUTABLE EXTENSION COMMENT EXEC_PATH OUT_DIR\n", argv[0]);
        return 2;
    }
    kzt::PlatformProduct product;
    product.name = argv[1];
    product.executable = argv[2];
    product.extension = argv[3];
    product.mimeComment = argv[4];
    const QString execPath = QString::fromLocal8Bit(argv[5]);
    const QString out = QString::fromLocal8Bit(argv[6]);
    if (!QDir().mkpath(out)) {
        std::fprintf(stderr, "cannot create %s\n", argv[6]);
        return 1;
    }
    const QString exe = QString::fromStdString(product.executable);
    const bool ok =
        writeAtomically(out + QLatin1Char('/') + exe + QStringLiteral(".desktop"),
                        kzt::FileAssociation::desktopEntry(product, execPath).toUtf8())
        && writeAtomically(out + QLatin1Char('/') + exe + QStringLiteral(".xml"),
                           kzt::FileAssociation::mimePackage(product).toUtf8());
    if (!ok) {
        std::fprintf(stderr, "cannot write into %s\n", argv[6]);
        return 1;
    }
    return 0;
}
