#pragma once

#include "app/Form1.h"
#include "platform/posix/PosixFileSystem.h"
#include "platform/qt/QtSettingsStore.h"
#include "platform/system/MersenneRandomSource.h"
#include "support/RecordingServices.h"
#include "support/ScriptedDialogs.h"
#include "support/TempDir.h"

#include <QAbstractScrollArea>
#include <QCheckBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <deque>
#include <memory>
#include <optional>

namespace tarvello::test {

// The real file system, with the program's folder where a test wants it (for
// the cursor file), a hook before each folder is walked, and a copy count.
class TestFileSystem final : public PosixFileSystem {
public:
    void forEachEntry(const std::string& folder, const std::function<void(std::string_view, bool)>& visit) const override {
        if (beforeListing)
            beforeListing(folder);
        PosixFileSystem::forEachEntry(folder, visit);
    }
    CopyOutcome replaceFile(const std::string& source, const std::string& target, const CopyProgress& progress) override {
        ++copies;
        return PosixFileSystem::replaceFile(source, target, progress);
    }
    std::string programFolder() const override { return programFolderPath; }

    std::string programFolderPath = "/nonexistent";
    int copies = 0;
    std::function<void(const std::string& folder)> beforeListing;
};

// Answers the Options dialog from a script; a dialog nobody scripted fails
// the test.
class ScriptedOptions final : public OptionsEditor {
public:
    bool edit(WindowOptions& options) override {
        if (answers.empty()) {
            ADD_FAILURE() << "unscripted Options dialog";
            return false;
        }
        const std::optional<WindowOptions> answer = answers.front();
        answers.pop_front();
        if (answer)
            options = *answer;
        return answer.has_value();
    }
    std::deque<std::optional<WindowOptions>> answers;  // nothing: Cancel
};

// QSettings pointed at a fresh folder, before any store opens its file.
struct FreshConfigFolder {
    FreshConfigFolder() { QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir.path()); }
    QTemporaryDir dir;
};

// Builds the real Form1 over doubles, with its settings in a fresh folder.
class FormFixture : public testing::Test {
protected:
    FormFixture() { random.seed(1.0); }

    Form1& makeForm(std::string siteAddress = {}) {
        form = std::make_unique<Form1>(FormServices{fileSystem, dialogs, settings, *randomSource, clock,
                                                    events, launcher, programEnd, options,
                                                    std::move(siteAddress)});
        return *form;
    }

    Form1& showForm() {
        Form1& shown = form ? *form : makeForm();
        shown.show();
        shown.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&shown));
        return shown;
    }

    template <typename Widget = QWidget>
    Widget* control(const char* name) const {
        auto* widget = form->findChild<Widget*>(QLatin1String(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }

    // Two steps, so that a move is seen even when the mouse was already at
    // the centre.
    void moveOver(const char* name) {
        QWidget* widget = control(name);
        if (auto* view = qobject_cast<QAbstractScrollArea*>(widget))
            widget = view->viewport();
        QTest::mouseMove(widget, QPoint(1, 1));
        QTest::mouseMove(widget, widget->rect().center());
    }

    void press(const char* name) { QTest::mouseClick(control<QPushButton>(name), Qt::LeftButton); }

    void pickAndPress(const char* name, const std::string& folder) {
        dialogs.answerFolder(folder);
        press(name);
    }

    // Draws a plan of the given files of folder "in" to folder "out".
    void drawPlan(const std::vector<std::string>& files, const char* count, bool repeats = false) {
        for (const std::string& file : files)
            dir.write("in/" + file, file);
        dir.makeFolder("out");
        control<QLineEdit>("Text1")->setText(QLatin1String(count));
        if (repeats)
            control<QCheckBox>("Check11")->click();
        pickAndPress("Check8", dir.path() + "in");
        pickAndPress("Check3", dir.path() + "out");
    }

    // The count as the file on disk holds it this moment, read without
    // QSettings, whose cache would hide a count that was never written.
    QString countOnDisk() const {
        QFile file(config.dir.path() + QStringLiteral("/Quenmark/Tarvello.conf"));
        if (!file.open(QIODevice::ReadOnly))
            return {};
        for (const QByteArray& line : file.readAll().split('\n'))
            if (line.startsWith("Text1="))
                return QString::fromUtf8(line.mid(6));
        return {};
    }

    void storeCount(const QString& text) {
        QSettings(QStringLiteral("Quenmark"), QStringLiteral("Tarvello")).setValue(QStringLiteral("Tarvello/Text1"), text);
    }

    FreshConfigFolder config;
    TempDir dir;
    TestFileSystem fileSystem;
    ScriptedDialogs dialogs;
    QtSettingsStore settings{QStringLiteral("Quenmark"), QStringLiteral("Tarvello")};
    MersenneRandomSource random;
    RandomSource* randomSource = &random;
    FixedClock clock{1234.5};
    HookedEventLoop events;
    RecordingLauncher launcher;
    RecordingProgramEnd programEnd;
    ScriptedOptions options;
    std::unique_ptr<Form1> form;
};

// The same, with the window shown before each test.
class ShownFormFixture : public FormFixture {
protected:
    void SetUp() override { showForm(); }
};

}  // namespace tarvello::test
