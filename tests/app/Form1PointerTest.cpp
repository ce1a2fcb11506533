#include "FormFixture.h"

#include <QBuffer>
#include <QImage>

#include <optional>

namespace tarvello::test {
namespace {

using Form1Pointer = FormFixture;

// A cursor file is an icon file with type 2 and the hot spot (5, 7) in place
// of planes and bit count.
std::string CursorFile() {
    QImage image(32, 32, QImage::Format_ARGB32);
    image.fill(Qt::red);
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    EXPECT_TRUE(image.save(&buffer, "ICO"));
    std::string bytes = buffer.data().toStdString();
    bytes[2] = 2;
    bytes[10] = 5;
    bytes[12] = 7;
    return bytes;
}

// The hand is the cursor file beside the program, or the platform's pointing
// hand when the file is missing or unreadable. Buttons show the hand, the
// background and the lists the arrow, and the controls without a rule of
// their own keep whatever was last shown.
TEST_F(Form1Pointer, handOverButtonsArrowOverBackgroundAndListsOthersKeepTheLast) {
    fileSystem.programFolderPath = dir.path().substr(0, dir.path().size() - 1);
    const std::pair<std::optional<std::string>, Qt::CursorShape> cursorFiles[] = {
        {std::nullopt, Qt::PointingHandCursor}, {"not a cursor", Qt::PointingHandCursor}, {CursorFile(), Qt::BitmapCursor}};
    for (const auto& [bytes, shape] : cursorFiles) {
        if (bytes)
            dir.write("HAND-M.CUR", *bytes);
        form.reset();
        showForm();
        QTest::mouseMove(form.get(), QPoint(3, 3));
        moveOver("Check8");
        EXPECT_EQ(form->cursor().shape(), shape);
    }
    EXPECT_EQ(form->cursor().hotSpot(), QPoint(5, 7));

    const std::pair<const char*, int> hovers[] = {
        {"Check1", kPointerHand}, {"Label1", kPointerHand},        {"ListView1", kPointerDefault},
        {"Text1", kPointerDefault}, {"Check12", kPointerHand},     {"ProgressBar1", kPointerHand},
        {"ListView3", kPointerDefault}, {"Check11", kPointerDefault},
    };
    for (const auto& [name, pointer] : hovers) {
        moveOver(name);
        EXPECT_EQ(form->pointerState(), pointer) << name;
    }
    moveOver("Check2");
    QTest::mouseMove(form.get(), QPoint(3, 3));
    EXPECT_EQ(form->pointerState(), kPointerDefault);
    EXPECT_EQ(form->cursor().shape(), Qt::ArrowCursor);
}

}  // namespace
}  // namespace tarvello::test
