#pragma once

#include "app/Form1.h"
#include "platform/posix/PosixFileSystem.h"
#include "platform/qt/QtSettingsStore.h"
#include "platform/system/MersenneRandomSource.h"
#include "support/RecordingServices.h"
#include "support/ScriptedDialogs.h"
#include "support/TempDir.h"

#include <QAbstractScrollArea>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace tarvello::test {

// The real file system, but with the program's folder where a test wants
// it (for the cursor files), a hook before each folder is walked, and a
// count of the copies made.
class TestFileSystem final : public PosixFileSystem {
public:
    void forEachEntry(const std::string& folder,
                      const std::function<void(std::string_view, bool)>& visit) const override {
        if (beforeListing)
            beforeListing(folder);
        PosixFileSystem::forEachEntry(folder, visit);
    }
    CopyOutcome replaceFile(const std::string& source, const std::string& target,
                            const CopyProgress& progress) override {
        ++copies;
        return PosixFileSystem::replaceFile(source, target, progress);
    }
    std::string programFolder() const override { return programFolderPath; }

    std::string programFolderPath = "/nonexistent";
    int copies = 0;
    std::function<void(const std::string& folder)> beforeListing;  // e.g. to take a folder away
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
                                                    events, launcher, *programEndService,
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

    // The settings file as the next start of the program would read it.
    QString storedCount() const {
        const QSettings stored(QStringLiteral("Quenmark"), QStringLiteral("Tarvello"));
        return stored.value(QStringLiteral("Tarvello/Text1")).toString();
    }

    QString settingsFile() const { return config.dir.path() + QStringLiteral("/Quenmark/Tarvello.conf"); }

    void storeCount(const QString& text) {
        QSettings stored(QStringLiteral("Quenmark"), QStringLiteral("Tarvello"));
        stored.setValue(QStringLiteral("Tarvello/Text1"), text);
    }

    FreshConfigFolder config;
    TestFileSystem fileSystem;
    ScriptedDialogs dialogs;
    QtSettingsStore settings{QStringLiteral("Quenmark"), QStringLiteral("Tarvello")};
    MersenneRandomSource random;
    RandomSource* randomSource = &random;
    FixedClock clock{1234.5};
    HookedEventLoop events;
    RecordingLauncher launcher;
    RecordingProgramEnd programEnd;
    ProgramEnd* programEndService = &programEnd;
    std::unique_ptr<Form1> form;
};

}  // namespace tarvello::test
