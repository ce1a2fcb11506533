#include "platform/qt/ExactPath.h"

#include "support/TempDir.h"

#include <QFile>

#include <gtest/gtest.h>

namespace tarvello {
namespace {

QString AsQtShowsIt(const std::string& path) { return QFile::decodeName(path.c_str()); }

TEST(ExactPath, findsTheBytesOfNamesQtCannotDecode) {
    const test::TempDir dir;
    const std::string exact = dir.makeFolder("caf\xff/inner\xfe/plain");
    EXPECT_EQ(ExactPath(AsQtShowsIt(exact)), exact);
    EXPECT_EQ(ExactPath(AsQtShowsIt(exact + "/missing\xff")), exact + "/missing\xef\xbf\xbd");

    // Two names that decode alike: neither is taken.
    dir.makeFolder("a\xfe");
    dir.makeFolder("a\xff");
    EXPECT_EQ(ExactPath(AsQtShowsIt(dir.path() + "a\xff")), dir.path() + "a\xef\xbf\xbd");
    EXPECT_EQ(ExactPath(QString()), "");
}

}  // namespace
}  // namespace tarvello
