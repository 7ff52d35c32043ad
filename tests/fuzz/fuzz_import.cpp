// libFuzzer target: the import's reader and merge on any bytes, into a real store. Each input is
// merged into the same store, emptied again after it, with every count checked against the lines
// merged. Built with -DVELLORA_FUZZ=ON and clang; see the README.

#include "exchange/ImportFile.h"
#include "store/Model.h"
#include "store/ObjectContext.h"
#include "store/PersistentContainer.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>

namespace {

struct Store
{
    QTemporaryDir folder;
    std::unique_ptr<PersistentContainer> container;
};

Store& store()
{
    static Store* made = [] {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "fuzz_import";
        static char* argv[] = {name, nullptr};
        new QGuiApplication(argc, argv);
        auto* opened = new Store;
        opened->container = std::make_unique<PersistentContainer>(QString::fromLatin1(Model::Name),
                                                                  opened->folder.path());
        if (!opened->container->loadPersistentStores()) {
            std::fputs("the store could not be opened\n", stderr);
            std::abort();
        }
        return opened;
    }();
    return *made;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    ObjectContext& context = store().container->viewContext();
    QBuffer file;
    file.setData(reinterpret_cast<const char*>(data), qsizetype(size));
    file.open(QIODevice::ReadOnly);
    ImportFile::hasMarker(file);
    const ImportSummary summary = ImportFile::merge(context, file);
    if (summary.saved() &&
        summary.added + summary.updated + summary.skipped + summary.failedLines !=
            summary.linesDone) {
        std::fputs("the summary's counts do not add up to the lines merged\n", stderr);
        std::abort();
    }
    QSqlQuery(context.database()).exec(QStringLiteral("DELETE FROM Stamps"));
    return 0;
}
