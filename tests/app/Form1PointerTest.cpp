#include "FormFixture.h"

#include <QAbstractScrollArea>
#include <QBuffer>
#include <QImage>
#include <QImageWriter>

namespace tarvello::test {
namespace {

class Form1Pointer : public FormFixture {
protected:
    void moveOver(const char* name) {
        QWidget* widget = control(name);
        if (auto* view = qobject_cast<QAbstractScrollArea*>(widget))
            widget = view->viewport();
        // Two steps, so that a move is seen even when the mouse was
        // already at the centre.
        QTest::mouseMove(widget, QPoint(1, 1));
        QTest::mouseMove(widget, widget->rect().center());
    }
    void moveOverBackground() { QTest::mouseMove(form.get(), QPoint(3, 3)); }
};

TEST_F(Form1Pointer, handOverButtonsArrowOverBackgroundAndLists) {
    Form1& shown = showForm();
    EXPECT_EQ(shown.pointerState(), kPointerDefault);
    for (const char* name : {"Check1", "Check2", "Check3", "Check4", "Check5", "Check6", "Check7",
                             "Check8", "Check9", "Check10", "Check12"}) {
        moveOverBackground();
        moveOver(name);
        EXPECT_EQ(shown.pointerState(), kPointerHand) << name;
    }
    moveOverBackground();
    EXPECT_EQ(shown.pointerState(), kPointerDefault);
    for (const char* name : {"ListView1", "ListView2", "ListView3"}) {
        moveOver("Check2");
        moveOver(name);
        EXPECT_EQ(shown.pointerState(), kPointerDefault) << name;
    }
}

TEST_F(Form1Pointer, controlsWithoutAHoverRuleKeepTheLastPointer) {
    Form1& shown = showForm();
    for (const char* name : {"Label1", "Text1", "Check11", "ProgressBar1"}) {
        moveOver("Check2");
        moveOver(name);
        EXPECT_EQ(shown.pointerState(), kPointerHand) << name;
    }
}

TEST_F(Form1Pointer, withoutTheCursorFileTheHandIsThePlatformsPointingHand) {
    Form1& shown = showForm();
    moveOver("Check2");
    EXPECT_EQ(shown.cursor().shape(), Qt::PointingHandCursor);
    moveOverBackground();
    EXPECT_EQ(shown.cursor().shape(), Qt::ArrowCursor);
}

// A cursor file is an icon file with type 2 and the hot spot in place of
// planes and bit count.
void WriteCursorFile(const std::string& path) {
    QImage image(32, 32, QImage::Format_ARGB32);
    image.fill(Qt::red);
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    ASSERT_TRUE(image.save(&buffer, "ICO"));
    QByteArray bytes = buffer.data();
    bytes[2] = 2;
    bytes[10] = 5;
    bytes[12] = 7;
    QFile file(QString::fromStdString(path));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

TEST_F(Form1Pointer, theCursorFileBesideTheProgramGivesTheHand) {
    const TempDir folder;
    fileSystem.programFolderPath = folder.path().substr(0, folder.path().size() - 1);
    WriteCursorFile(folder.path() + "HAND-M.CUR");
    Form1& shown = showForm();
    moveOver("Check8");
    EXPECT_EQ(shown.pointerState(), kPointerHand);
    EXPECT_EQ(shown.cursor().shape(), Qt::BitmapCursor);
    EXPECT_EQ(shown.cursor().hotSpot(), QPoint(5, 7));
}

TEST_F(Form1Pointer, anUnreadableCursorFileFallsBackToThePointingHand) {
    const TempDir folder;
    fileSystem.programFolderPath = folder.path().substr(0, folder.path().size() - 1);
    folder.write("HAND-M.CUR", "not a cursor");
    Form1& shown = showForm();
    moveOver("Check8");
    EXPECT_EQ(shown.cursor().shape(), Qt::PointingHandCursor);
}

TEST_F(Form1Pointer, theHourglassOutlastsMovesOverButtonsDuringARun) {
    const TempDir dir;
    dir.write("in/a.jpg");
    dir.makeFolder("out");
    Form1& shown = showForm();
    pickAndPress("Check8", dir.path() + "in");
    pickAndPress("Check3", dir.path() + "out");
    ASSERT_EQ(shown.summary().size(), 1u);

    std::vector<int> seen;
    events.onYield = [&](int) {
        moveOver("Check12");
        seen.push_back(shown.pointerState());
    };
    press("Check2");
    EXPECT_EQ(seen.back(), kPointerBusy);
    EXPECT_EQ(shown.pointerState(), kPointerDefault);
}

}  // namespace
}  // namespace tarvello::test
