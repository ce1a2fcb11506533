// Adds the tree below a folder to a list the way "Add All Subfolders In
// Folder" does, yielding to a real event loop, and prints how many entries
// it added; walk_vs_find.sh times it against find.
#include "lists/FolderTree.h"
#include "lists/PathList.h"
#include "platform/posix/PosixFileSystem.h"
#include "platform/qt/QtEventLoop.h"
#include "platform/system/SystemClock.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char* argv[]) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s FOLDER\n", argv[0]);
        return 2;
    }
    QCoreApplication application(argc, argv);
    tarvello::PosixFileSystem fs;
    tarvello::QtEventLoop events;
    tarvello::SystemClock clock;
    tarvello::Pacer pace(events, clock);
    tarvello::PathList list;
    list.append(tarvello::TreeOwnEntry(argv[1], tarvello::TreeList::Source, '/'));
    list.appendAll(tarvello::TreeSubfolderEntries(fs, pace, argv[1], '/'));
    std::printf("%zu\n", list.size());
    return 0;
}
