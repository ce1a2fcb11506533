#include "app/OptionsDialog.h"

#include "app/ListViewModel.h"
#include "run/BudgetText.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace tarvello {
namespace {

template <typename Widget>
Widget* Named(Widget* widget, const char* name) {
    widget->setObjectName(QLatin1String(name));
    return widget;
}

}  // namespace

OptionsDialog::OptionsDialog(const WindowOptions& options, Dialogs& dialogs, QWidget* parent)
    : QDialog(parent), dialogs_(dialogs), playlist_(options.playlist) {
    setWindowTitle(QStringLiteral("Options"));
    byCount_ = Named(new QRadioButton(QStringLiteral("By the &number of files")), "byCount");
    bySize_ = Named(new QRadioButton(QStringLiteral("Up to a &size (K, M, G, T):")), "bySize");
    byFree_ = Named(new QRadioButton(QStringLiteral("Up to the destinations' &free space")), "byFree");
    size_ = Named(new QLineEdit(QString::fromStdString(options.budget == "free" ? "" : options.budget)), "size");
    size_->setPlaceholderText(QStringLiteral("700M"));
    extensions_ = Named(new QLineEdit(QString::fromStdString(options.extensions)), "extensions");
    extensions_->setPlaceholderText(QStringLiteral("every file; or such as mp3, flac"));
    perFolder_ = Named(new QCheckBox(QStringLiteral("Give each source folder an &equal chance")), "perFolder");
    skipExisting_ = Named(new QCheckBox(QStringLiteral("S&kip files already at the destination")), "skipExisting");
    distinctNames_ = Named(new QCheckBox(QStringLiteral("Give same-named files a nu&mber")), "distinctNames");
    refresh_ = Named(new QCheckBox(QStringLiteral("&Replace the last selection")), "refresh");
    orderByName_ = Named(new QCheckBox(QStringLiteral("&Copy in name order")), "orderByName");
    orderByName_->setToolTip(QStringLiteral("Players and car stereos that play a FAT or exFAT stick in the order "
                                            "its files were written then play the copies by name"));
    avoidRecent_ = Named(new QSpinBox, "avoidRecent");
    avoidRecent_->setRange(0, 1000);
    avoidRecent_->setSpecialValueText(QStringLiteral("off"));
    writePlaylist_ = Named(new QCheckBox(QStringLiteral("Write a &playlist:")), "writePlaylist");
    playlistShown_ = Named(new QLineEdit(DisplayText(playlist_)), "playlist");
    playlistShown_->setReadOnly(true);
    auto* browse = Named(new QPushButton(QStringLiteral("&Browse…")), "browse");
    buttons_ = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);

    if (options.budget == "free")
        byFree_->setChecked(true);
    else if (!options.budget.empty())
        bySize_->setChecked(true);
    else
        byCount_->setChecked(true);
    perFolder_->setChecked(options.perFolder);
    skipExisting_->setChecked(options.skipExisting);
    distinctNames_->setChecked(options.distinctNames);
    refresh_->setChecked(options.refresh);
    orderByName_->setChecked(options.orderByName);
    avoidRecent_->setValue(static_cast<int>(options.avoidRecent));
    writePlaylist_->setChecked(!playlist_.empty());

    auto* sizeRow = new QHBoxLayout;
    sizeRow->addWidget(bySize_);
    sizeRow->addWidget(size_);
    auto* playlistRow = new QHBoxLayout;
    playlistRow->addWidget(writePlaylist_);
    playlistRow->addWidget(playlistShown_, 1);
    playlistRow->addWidget(browse);
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("File &types:"), extensions_);
    form->addRow(QStringLiteral("Leave out files copied in the last &runs:"), avoidRecent_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(byCount_);
    layout->addLayout(sizeRow);
    layout->addWidget(byFree_);
    layout->addLayout(form);
    for (QWidget* box : {static_cast<QWidget*>(perFolder_), static_cast<QWidget*>(skipExisting_),
                         static_cast<QWidget*>(distinctNames_), static_cast<QWidget*>(refresh_),
                         static_cast<QWidget*>(orderByName_)})
        layout->addWidget(box);
    layout->addLayout(playlistRow);
    layout->addWidget(buttons_);

    for (QRadioButton* choice : {byCount_, bySize_, byFree_})
        connect(choice, &QRadioButton::toggled, this, &OptionsDialog::updateControls);
    connect(size_, &QLineEdit::textChanged, this, &OptionsDialog::updateControls);
    connect(writePlaylist_, &QCheckBox::toggled, this, [this](bool on) {
        if (on && playlist_.empty())
            pickPlaylist();
        updateControls();
    });
    connect(browse, &QPushButton::clicked, this, &OptionsDialog::pickPlaylist);
    connect(buttons_, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons_, &QDialogButtonBox::rejected, this, &QDialog::reject);
    updateControls();
}

void OptionsDialog::pickPlaylist() {
    const std::string picked = dialogs_.pickFileToWrite("Playlist");
    if (picked.empty())
        return;
    playlist_ = picked;
    playlistShown_->setText(DisplayText(playlist_));
    writePlaylist_->setChecked(true);
}

// A size the budget cannot read, or a playlist without a file, cannot be
// taken.
void OptionsDialog::updateControls() {
    size_->setEnabled(bySize_->isChecked());
    const bool sizeRead = !bySize_->isChecked() || ParseSize(size_->text().toStdString());
    const bool playlistNamed = !writePlaylist_->isChecked() || !playlist_.empty();
    buttons_->button(QDialogButtonBox::Ok)->setEnabled(sizeRead && playlistNamed);
}

WindowOptions OptionsDialog::options() const {
    WindowOptions options;
    options.budget = byFree_->isChecked() ? "free" : bySize_->isChecked() ? size_->text().toStdString() : "";
    options.extensions = extensions_->text().toStdString();
    options.perFolder = perFolder_->isChecked();
    options.skipExisting = skipExisting_->isChecked();
    options.distinctNames = distinctNames_->isChecked();
    options.refresh = refresh_->isChecked();
    options.avoidRecent = static_cast<std::uint32_t>(avoidRecent_->value());
    options.playlist = writePlaylist_->isChecked() ? playlist_ : "";
    options.orderByName = orderByName_->isChecked();
    return options;
}

bool QtOptionsEditor::edit(WindowOptions& options) {
    OptionsDialog dialog(options, dialogs_, owner_);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    options = dialog.options();
    return true;
}

}  // namespace tarvello
