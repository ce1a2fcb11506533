#include "FormFixture.h"

#include <QBuffer>
#include <QImage>
#include <QImageWriter>

namespace tarvello::test {
namespace {

class Form1Pointer : public FormFixture {
protected:
    void moveOverBackground() { QTest::mouseMove(form.get(), QPoint(3, 3)); }
};

// Buttons show the hand, the background and the lists the arrow, and the
// controls without a rule of their own keep whatever was last shown.
TEST_F(Form1Pointer, handOverButtonsArrowOverBackgroundAndListsOthersKeepTheLast) {
    Form1& shown = showForm();
    const std::pair<const char*, int> hovers[] = {
        {"Check1", kPointerHand},    {"Label1", kPointerHand},     {"ListView1", kPointerDefault},
        {"Text1", kPointerDefault},  {"Check12", kPointerHand},    {"ProgressBar1", kPointerHand},
        {"ListView3", kPointerDefault}, {"Check11", kPointerDefault},
    };
    for (const auto& [name, pointer] : hovers) {
        moveOver(name);
        EXPECT_EQ(shown.pointerState(), pointer) << name;
    }
    moveOver("Check2");
    moveOverBackground();
    EXPECT_EQ(shown.pointerState(), kPointerDefault);
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

// The hand is the cursor file beside the program, or the platform's
// pointing hand when the file is missing or unreadable.
TEST_F(Form1Pointer, theHandComesFromTheCursorFileOrThePlatform) {
    const TempDir folder;
    fileSystem.programFolderPath = folder.path().substr(0, folder.path().size() - 1);
    const std::function<void()> cursorFiles[] = {
        [] {},
        [&] { folder.write("HAND-M.CUR", "not a cursor"); },
        [&] { WriteCursorFile(folder.path() + "HAND-M.CUR"); },
    };
    const Qt::CursorShape shapes[] = {Qt::PointingHandCursor, Qt::PointingHandCursor, Qt::BitmapCursor};
    for (int i = 0; i < 3; ++i) {
        cursorFiles[i]();
        form.reset();
        Form1& shown = showForm();
        moveOverBackground();
        moveOver("Check8");
        EXPECT_EQ(shown.cursor().shape(), shapes[i]) << "case " << i;
    }
    EXPECT_EQ(form->cursor().hotSpot(), QPoint(5, 7));
}

}  // namespace
}  // namespace tarvello::test
