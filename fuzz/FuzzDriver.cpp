// Feeds every file of the given folders (or the given files) once to the harness: the regression run of a
// fuzz harness, built without libFuzzer so that the test configuration can run it through CTest.

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>

#include <cstdint>
#include <cstdio>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size);
// Harnesses that need an application object make it here, as under libFuzzer.
extern "C" __attribute__((weak)) int LLVMFuzzerInitialize(int *argc, char ***argv);

namespace {

QStringList inputFiles(const QString &path)
{
    const QFileInfo info(path);
    if (!info.isDir())
        return {path};
    QStringList files;
    const QDir dir(path);
    for (const QString &name : dir.entryList(QDir::Files, QDir::Name))
        files << dir.filePath(name);
    return files;
}

} // namespace

int main(int argc, char **argv)
{
    if (LLVMFuzzerInitialize)
        LLVMFuzzerInitialize(&argc, &argv);
    int fed = 0;
    for (int i = 1; i < argc; ++i) {
        const QString path = QString::fromLocal8Bit(argv[i]);
        for (const QString &file : inputFiles(path)) {
            QFile input(file);
            if (!input.open(QIODevice::ReadOnly)) {
                std::fprintf(stderr, "cannot read %s: %s\n", qPrintable(file), qPrintable(input.errorString()));
                return 1;
            }
            const QByteArray bytes = input.readAll();
            LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t *>(bytes.constData()), size_t(bytes.size()));
            ++fed;
        }
    }
    if (fed == 0) {
        std::fprintf(stderr, "no input: give corpus folders or files\n");
        return 1;
    }
    std::printf("%d inputs fed, none failed\n", fed);
    return 0;
}
