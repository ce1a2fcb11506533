#include "FormFixture.h"

#include "app/OptionsDialog.h"
#include "app/WindowOptions.h"

#include <QLabel>
#include <QTreeView>

#include <filesystem>

namespace tarvello::test {
namespace {

using Form1Options = ShownFormFixture;

// What the dialog gives reaches the settings (only once something changed),
// the line beside the repeat box, and the next window's options; a preset
// file's plain text reads back and a bad value leaves its option off.
TEST_F(Form1Options, theDialogsValuesReachTheSettingsTheLineAndTheNextWindow) {
    WindowOptions chosen;
    chosen.budget = "2M";
    chosen.extensions = " mp3, .FLAC";
    chosen.refresh = true;
    chosen.avoidRecent = 1;
    chosen.playlist = dir.path() + "week\xff.m3u";  // not UTF-8
    chosen.orderByName = true;
    options.answers = {std::nullopt, WindowOptions{}, chosen};
    press("Check13");  // Cancel
    press("Check13");  // OK with nothing changed
    EXPECT_EQ(QSettings(QStringLiteral("Quenmark"), QStringLiteral("Tarvello")).allKeys(),
              QStringList{QStringLiteral("Tarvello/Text1")});
    press("Check13");
    EXPECT_EQ(control<QLabel>("Label2")->toolTip().toStdString(),
              "Up to 2M \xc2\xb7 mp3, flac \xc2\xb7 replaces the last selection \xc2\xb7 leaves out the last "
              "run's files \xc2\xb7 writes a playlist \xc2\xb7 copies in name order");
    EXPECT_EQ(LoadWindowOptions(settings), chosen);

    QSettings preset(QStringLiteral("Quenmark"), QStringLiteral("Tarvello"));
    preset.setValue(QStringLiteral("Tarvello/Playlist"), QStringLiteral("/media/stick/week.m3u"));
    preset.setValue(QStringLiteral("Tarvello/Budget"), QStringLiteral("lots"));
    preset.setValue(QStringLiteral("Tarvello/AvoidRecent"), QStringLiteral("-2"));
    preset.setValue(QStringLiteral("Tarvello/Refresh"), QStringLiteral("yes"));
    preset.sync();
    const WindowOptions read = LoadWindowOptions(settings);
    EXPECT_EQ(read.playlist, "/media/stick/week.m3u");
    EXPECT_EQ(read.budget, "");
    EXPECT_EQ(read.avoidRecent, 0u);
    EXPECT_FALSE(read.refresh);
    EXPECT_EQ(read.extensions, chosen.extensions);
}

// The dialog shows the options it is given and gives back what it shows,
// a playlist's bytes included.
TEST_F(Form1Options, theDialogGivesBackWhatItShows) {
    WindowOptions given{"free", "mp3", true, true, true, true, 3, dir.path() + "week\xff.m3u", true};
    EXPECT_EQ(OptionsDialog(given, dialogs).options(), given);
    given.budget = "700M";
    EXPECT_EQ(OptionsDialog(given, dialogs).options(), given);
}

// With the refresh on, the Summary lists what goes after the plan; more
// than ten removals are asked about, and No copies and removes nothing.
// The record is read again at Start: one another run changed since the
// draw, or a copy an ended run left while ordering put back, makes the
// window draw anew instead of copying.
TEST_F(Form1Options, refreshShowsRemovalsAsksBeforeManyAndNeverCopiesAStalePlan) {
    for (int i = 0; i < 24; ++i)
        dir.write("in/" + std::to_string(i) + ".mp3", std::to_string(i));
    dir.write("out/mine.mp3", "mine");
    WindowOptions refill;
    refill.refresh = true;
    refill.avoidRecent = 1;
    options.answers = {refill};
    press("Check13");
    drawPlan({}, "12");
    press("Check2");
    const std::set<std::string> first = NamesIn(dir.path() + "out");
    ASSERT_EQ(first.size(), 15u);  // twelve copies, the user's file, the record and its lock

    const auto removalLines = [&] {
        std::size_t lines = 0;
        const QAbstractItemModel& model = *control<QTreeView>("ListView3")->model();
        for (int row = 0; row < model.rowCount(); ++row)
            lines += model.index(row, 0).data().toString().endsWith(QStringLiteral(" will be removed"));
        return lines;
    };
    EXPECT_EQ(removalLines(), 12u);
    dialogs.answerQuestion(false);
    press("Check2");
    EXPECT_EQ(NamesIn(dir.path() + "out"), first);

    dialogs.answerQuestion(true);
    press("Check2");
    std::set<std::string> both;
    for (const std::string& name : NamesIn(dir.path() + "out"))
        if (first.contains(name))
            both.insert(name);
    EXPECT_EQ(both, (std::set<std::string>{".tarvello-copies", ".tarvello-copies.lock", "mine.mp3"}));
    EXPECT_EQ(ReadBytes(dir.path() + "out/mine.mp3"), "mine");

    const std::set<std::string> second = NamesIn(dir.path() + "out");
    const std::string copy = *second.rbegin();
    std::filesystem::create_directory(dir.path() + "out/.tarvello-order");
    std::filesystem::rename(dir.path() + "out/" + copy, dir.path() + "out/.tarvello-order/" + copy);
    press("Check12");
    press("Check2");
    EXPECT_EQ(dialogs.messages.back().substr(0, 31), "Another run has changed the cop");
    EXPECT_EQ(NamesIn(dir.path() + "out"), second);

    dir.write("out/.tarvello-copies", "changed by another run");
    press("Check2");
    EXPECT_EQ(dialogs.messages.back().substr(0, 31), "Another run has changed the cop");
    EXPECT_EQ(NamesIn(dir.path() + "out"), second);
}

}  // namespace
}  // namespace tarvello::test
