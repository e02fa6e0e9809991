// The configuration dialog: load, Ok and Cancel, and the checks that refuse input.
#include "config/display_modes.h"
#include "config/frm_config.h"
#include "config/skins_page.h"
#include "player/playback.h"
#include "support/registry/registry_store.h"
#include "test_support.h"
#include "video/dar_presets.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMap>
#include <QPushButton>
#include <QSettings>
#include <QSlider>
#include <QStandardItemModel>
#include <QTemporaryDir>
#include <QToolButton>
#include <QTreeView>
#include <QValidator>
#include <gtest/gtest.h>
#include <memory>

using testsupport::readFile;
using testsupport::writeFile;

namespace {

// A fresh user's dialog keys as Ok stores them; "<program>" is the program folder.
// clang-format off
const std::pair<const char*, const char*> kFreshUser[] = {
    {"UseSub", "1"}, {"Device", "Speakers"}, {"ScreenSaver", "1"}, {"Scroll", "1"},
    {"FontName", "Verdana"}, {"FontSize", "14"}, {"FontColor", "16777215"}, {"R", "16"},
    {"G", "0"}, {"B", "16"}, {"AutoOverlay", "1"}, {"FindSubs", "1"}, {"SubYpos", "70"},
    {"Skin", "<program>/Skins/WinDVD"}, {"AudioSys", "2"}, {"Scenixdrv1", "1"}, {"Charset", "6"},
    {"DeviceIdx", "1"}, {"ChangeRes", "0"}, {"ChangeResXY", "-1"}, {"ChangeResCols", "-1"},
    {"ChangeResHz", "-1"}, {"Dedynamic", "0"}, {"DeviceId", "dev0"}};
// clang-format on

class FrmConfigTest : public ::testing::Test {
  protected:
    QTemporaryDir dir;
    QString storePath = dir.filePath(QStringLiteral("Vantor.ini"));
    QString program = dir.filePath(QStringLiteral("program"));
    Playback playback;
    // What the hooks saw, in order, a line each; made() hands over those since the last look.
    QStringList calls;
    QStringList menuCaptions; // as last set
    void log(const char* what, const QVariant& detail = {}) {
        calls << QString::fromLatin1(what) +
                     (detail.isValid() ? ' ' + detail.toString() : QString());
    }
    std::string made() { return std::exchange(calls, {}).join('\n').toStdString(); }
    // What the framework registers; a test may plug devices in and out.
    QList<RegFilterInfo> registered{
        {"AVI Splitter", RegFilterInfo::Kind::AviSplitter, "avidemux"},
        {"Null Audio Renderer", RegFilterInfo::Kind::NullAudio, "fakesink"},
        {"Speakers", RegFilterInfo::Kind::AudioOutput, "pulsesink", "dev0"},
        {"Dedynamic", RegFilterInfo::Kind::Dedynamic, "audiodynamic"},
        {"alsasink", RegFilterInfo::Kind::AudioOutput, "alsasink"},
        {"videoconvert", RegFilterInfo::Kind::Element, "videoconvert"},
    };

    // With a registry the decoder pages read and write it instead of calling the hooks.
    std::unique_ptr<frmConfig> load(RegistryStore* registry = nullptr) {
        ConfigHooks h;
        h.critical = [this](const QString& text) { log("critical", text); };
        h.registeredFilters = [this] { return registered; };
        h.speakerModeChosen = [this](int row) { log("speaker mode", row); };
        h.setSpeakerPicture = [this](int slot) { log("speaker picture", slot); };
        h.applyCharacterSet = [this](int number) { log("character set", number); };
        h.setScreenSaverActive = [this](bool on) {
            log("screen saver", on);
            return true;
        };
        h.setTitleScrolling = [this](bool on) { log("title scrolling", on); };
        h.applySubtitleFont = [this](const QFont& font, const QColor& colour) {
            log("font",
                font.family() + ' ' + QString::number(font.pointSizeF()) + ' ' + colour.name());
        };
        h.skinLoad = [this] { log("skin load"); };
        if (!registry) {
            h.analyseReg = [this] { log("analyse registry"); };
            h.writeReg = [this] { log("write registry"); };
        }
        h.setAspectMenuCaptions = [this](const QStringList& c) { menuCaptions = c; };
        h.information = [this](const QString& text) { log("information", text); };
        h.warn = [this](const QString& text) { log("warning", text); };
        h.reopenMovie = [this] { log("reopen"); };
        h.startOverlayDetection = [this] { log("overlay detection"); };
        auto dialog = std::make_unique<frmConfig>(std::move(h), &playback, nullptr, storePath);
        dialog->programFolder = program;
        dialog->registry = registry;
        dialog->firstStartMarker = dir.filePath(QStringLiteral("newdev.mpw"));
        dialog->darFile = dir.filePath(QStringLiteral("config/DAR.ini"));
        dialog->darDefaultsFile = dir.filePath(QStringLiteral("DAR.ini"));
        dialog->Form_Load();
        return dialog;
    }

    QString makeSkin(const QString& name, const QString& descriptionFile = "VSkin.ini") {
        const QString folder = dir.filePath(name);
        QDir().mkpath(folder);
        if (!descriptionFile.isEmpty())
            writeFile(QDir(folder).filePath(descriptionFile), "Name=Test\r\n");
        return folder;
    }

    QStringList storedKeys() const {
        QSettings ini(storePath, QSettings::IniFormat);
        ini.beginGroup(QStringLiteral("Vantor"));
        return ini.childKeys();
    }

    template <typename W> static W* control(frmConfig& dialog, const char* name) {
        W* widget = dialog.findChild<W*>(QString::fromLatin1(name));
        EXPECT_NE(widget, nullptr) << name;
        return widget;
    }
};

// By id, else by name; kept while unplugged, chosen when back; a newcomer takes no place.
TEST_F(FrmConfigTest, TheChosenDeviceIsFoundByIdOrNameAndKeptWhileUnplugged) {
    // A saved name finds its device at a new place; a name gone leaves the index.
    for (auto [name, index] : {std::pair{"Speakers", 1}, std::pair{"Headset", 2}}) {
        SettingsStore(storePath).writeAll({{"Device", name}, {"DeviceIdx", "2"}});
        EXPECT_EQ(load()->deviceIndex(), index) << name;
    }
    const RegFilterInfo twin("Speakers (dev1)", RegFilterInfo::Kind::AudioOutput, {}, "dev1");
    registered.insert(3, twin);
    registered[2] = RegFilterInfo("Speakers (dev0)", RegFilterInfo::Kind::AudioOutput, {}, "dev0");
    SettingsStore(storePath).write("DeviceId", "dev1");
    auto dialog = load();
    EXPECT_EQ(dialog->deviceName(), "Speakers (dev1)");

    registered.removeAt(3);
    registered[2] = RegFilterInfo("Speakers", RegFilterInfo::Kind::AudioOutput, {}, "dev0");
    dialog->refreshAudioDevices();
    EXPECT_EQ(dialog->audioOutputNames(),
              (QStringList{"Null Audio Renderer", "Speakers", "alsasink"}));
    EXPECT_EQ(dialog->deviceName(), "");
    EXPECT_FALSE(dialog->outputListed("dev1"));
    EXPECT_EQ(dialog->preferences().deviceId, "dev1");

    registered.insert(2, RegFilterInfo("Headset", RegFilterInfo::Kind::AudioOutput, {}, "usb"));
    registered.insert(4, twin);
    dialog->refreshAudioDevices();
    EXPECT_EQ(dialog->deviceName(), "Speakers (dev1)");
    EXPECT_EQ(dialog->deviceIndex(), 3);
}

TEST_F(FrmConfigTest, OkSavesEveryControlAndASecondDialogShowsIt) {
    const QString skin = makeSkin("Dark");
    Preferences saved;
    {
        auto dialog = load();
        dialog->hooks.chooseFont = [](const SubtitleFontChoice& current) {
            EXPECT_EQ(current.name, "Verdana");
            return std::optional<SubtitleFontChoice>({"DejaVu Sans", "20", QColor(Qt::red)});
        };
        for (const char* box : {"Check1", "CheckScreenS", "CheckScroll", "ChkAutoRGB",
                                "ChkFindSubs", "CheckRes", "UseDedynamic"})
            control<QCheckBox>(*dialog, box)->click();
        control<QPushButton>(*dialog, "Command4")->click();
        control<QSlider>(*dialog, "SubBegin")->setValue(-3);
        EXPECT_EQ(control<QLabel>(*dialog, "SubBeginValue")->text(), "-3 s");
        EXPECT_EQ(control<QLabel>(*dialog, "SubDispValue")->text(), "0 s");
        EXPECT_TRUE(control<QLineEdit>(*dialog, "ColorR")->isEnabled());
        EXPECT_TRUE(control<QComboBox>(*dialog, "cmbres")->isEnabled());
        control<QLineEdit>(*dialog, "ColorR")->setText("1");
        control<QLineEdit>(*dialog, "ColorG")->setText("2");
        control<QLineEdit>(*dialog, "ColorB")->setText("3");
        dialog->setSubtitleYPosText("55");
        dialog->setSkinFolder(skin);
        const std::pair<const char*, int> chosen[] = {{"Combo1", 4}, {"Drive1", 0}, {"Combo3", 5},
                                                      {"Combo2", 2}, {"cmbres", 3}, {"cmbcols", 5},
                                                      {"cmbHz", 2}};
        for (const auto& [list, index] : chosen)
            control<QComboBox>(*dialog, list)->setCurrentIndex(index);
        dialog->show();
        made();
        // The screen saver is given back at once; 23 is "4 Speakers Mode".
        control<QPushButton>(*dialog, "Command1")->click();
        EXPECT_EQ(made(), "speaker picture 23\nwrite registry\nfont DejaVu Sans 20 #ff0000\ntitle "
                          "scrolling false\nscreen saver true");
        saved = dialog->preferences();
    }
    // Every one of the dialog's keys holds the edit, not a fresh user's value.
    SettingsStore store(storePath);
    ASSERT_EQ(storedKeys().size(), std::size(kFreshUser));
    for (const auto& [key, fresh] : kFreshUser)
        EXPECT_NE(store.read(key), QString(fresh).replace("<program>", program)) << key;
    EXPECT_EQ(store.read("FontColor"), "255"); // red is the lowest byte

    made();
    auto second = load();
    EXPECT_EQ(second->preferences(), saved);
    EXPECT_EQ(second->keyColour(), QColor(1, 2, 3));
    // The stored skin is loaded at once, 204 is Russian; the screen saver is left alone.
    EXPECT_EQ(made(), "skin load\nspeaker mode 4\ncharacter set 204\nfont DejaVu Sans 20 "
                      "#ff0000\ntitle scrolling false\nanalyse registry");
}

// A fresh user's load; Ok refuses a folder without a skin; Cancel writes nothing; the skin tree
// shows the program's skins and the user's, nothing else of the disk.
TEST_F(FrmConfigTest, FreshUserLoadsTheDefaultsOkNeedsASkinCancelWritesNothingTheTreeShowsSkins) {
    makeSkin("NoSkin", {});
    const QString programSkins = program + "/Skins";
    const QString userSkins = qEnvironmentVariable("XDG_DATA_HOME") + "/vantorplay/Skins";
    ASSERT_TRUE(userSkins.startsWith(QDir::tempPath())) << "private, set by the test main";
    const QString dark = makeSkin("program/Skins/Dark");
    makeSkin("program/Skins/Light");
    QDir().mkpath(userSkins + "/Mine");
    auto dialog = load();
    auto* tree = control<QTreeView>(*dialog, "Dir1");
    EXPECT_EQ(tree->model(), nullptr) << "the disk is not read at start-up";
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_FALSE(control<QComboBox>(*dialog, "cmbres")->isEnabled());
    EXPECT_FALSE(control<QLineEdit>(*dialog, "ColorR")->isEnabled());
    // No skin load: the default skin folder is not there.
    EXPECT_EQ(made(), "speaker mode 2\ncharacter set 0\nfont Verdana 14 #ffffff\ntitle scrolling "
                      "true\nscreen saver false\nanalyse registry");
    EXPECT_TRUE(storedKeys().isEmpty());

    EXPECT_EQ(dialog->skinFolder(), program + "/Skins/WinDVD");
    dialog->show();
    control<QCheckBox>(*dialog, "Check1")->click();
    for (const QString& folder : {dialog->skinFolder(), dir.filePath("NoSkin")}) {
        dialog->setSkinFolder(folder);
        dialog->Command1_Click();
        EXPECT_TRUE(dialog->isVisible());
        EXPECT_EQ(made(), "critical You must choose a skin. ;)");
    }
    // The description file's name may be in any letter case.
    const QString upper = makeSkin("Upper", "VSKIN.INI");
    dialog->setSkinFolder(upper);
    control<QPushButton>(*dialog, "Command3")->click();
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_TRUE(storedKeys().isEmpty());
    EXPECT_EQ(made(), "skin load") << "the skin chosen is loaded; Cancel calls nothing";

    dialog->show();
    dialog->Command1_Click();
    EXPECT_FALSE(dialog->isVisible());
    SettingsStore store(storePath);
    EXPECT_EQ(storedKeys().size(), std::size(kFreshUser));
    const QMap<QString, QString> edited{{"UseSub", "0"}, {"Skin", upper}};
    for (const auto& [key, fresh] : kFreshUser)
        EXPECT_EQ(store.read(key), edited.value(key, QString(fresh).replace("<program>", program)))
            << key;

    // The subtitle icon toggles; the credits show.
    control<QToolButton>(*dialog, "Image3")->click();
    EXPECT_TRUE(dialog->subtitlesOn());
    int minimised = 0;
    dialog->hooks.minimizeMainWindow = [&] { ++minimised; };
    control<QPushButton>(*dialog, "Command11")->click();
    EXPECT_EQ(minimised, 1);
    auto* credits = dialog->findChild<QDialog*>("frmCredits");
    ASSERT_NE(credits, nullptr);
    EXPECT_TRUE(credits->isVisible());

    // The tree is read when the dialog shows; the skin in use is selected, a click loads one.
    dialog->setSkinFolder(dark);
    dialog->showDialog();
    QAbstractItemModel* model = tree->model();
    ASSERT_NE(model, nullptr);
    auto path = [](const QModelIndex& index) {
        return index.data(SkinsPage::kPathRole).toString();
    };
    ASSERT_EQ(model->rowCount(), 2);
    const QModelIndex ours = model->index(0, 0), theirs = model->index(1, 0);
    EXPECT_EQ(path(ours), programSkins);
    EXPECT_EQ(path(theirs), userSkins);
    ASSERT_EQ(model->rowCount(ours), 2);
    EXPECT_EQ(path(model->index(1, 0, ours)), programSkins + "/Light");
    ASSERT_EQ(model->rowCount(theirs), 1);
    EXPECT_EQ(path(model->index(0, 0, theirs)), userSkins + "/Mine");
    EXPECT_EQ(path(tree->currentIndex()), dark) << "the skin in use is selected";

    dialog->setSkinFolder(programSkins);
    made();
    Q_EMIT tree->clicked(model->index(0, 0, ours));
    EXPECT_EQ(dialog->skinFolder(), dark);
    EXPECT_EQ(made(), "skin load");
    QDir(qEnvironmentVariable("XDG_DATA_HOME") + "/vantorplay").removeRecursively();
}

// Aspect presets: shipped until the user saves; Add, Delete, Original, captions. Redetecting the
// overlay and reopening after Ok both need an open movie.
TEST_F(FrmConfigTest, AspectPresetsBecomeMenuCaptionsRedetectAndReopenNeedAnOpenMovie) {
    writeFile(dir.filePath("DAR.ini"), "16/9\r\n2.35/1\r\n");
    auto dialog = load();
    EXPECT_EQ(dialog->DAR.listIndex(), -1);
    EXPECT_EQ(menuCaptions.mid(0, 4), (QStringList{"16/9", "2.35/1", "3 - Empty", "4 - Empty"}));
    dialog->setSkinFolder(makeSkin("Dark"));
    auto* brightness = control<QSlider>(*dialog, "Bness");

    // What Ok calls after the speaker picture.
    const std::string ok =
        "\nwrite registry\nfont Verdana 14 #ffffff\ntitle scrolling true\nscreen saver false";

    // No movie: no detection, no reopen, even after a slider move.
    made();
    control<QPushButton>(*dialog, "Command5")->click();
    EXPECT_EQ(made(), "critical Please open a file first.");
    brightness->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_TRUE(dialog->regChanged());
    dialog->Command1_Click();
    EXPECT_EQ(made(), "speaker picture 25" + ok);
    EXPECT_FALSE(dialog->regChanged());

    // A movie but nothing changed: the movie plays on.
    playback.opened(false); // a movie plays
    control<QPushButton>(*dialog, "Command5")->click();
    EXPECT_EQ(made(), "overlay detection");
    dialog->Command1_Click();
    EXPECT_EQ(made(), "speaker picture 25" + ok);

    // Choosing another speaker mode or audio device counts as a change.
    control<QComboBox>(*dialog, "Combo1")->setCurrentIndex(1);
    Q_EMIT control<QComboBox>(*dialog, "Combo1")->activated(1);
    EXPECT_EQ(made(), "speaker mode 1");
    EXPECT_TRUE(dialog->regChanged());
    dialog->setRegChanged(false);
    const QString marker = writeFile(dir.filePath("newdev.mpw"), {});
    ASSERT_FALSE(marker.isEmpty());
    Q_EMIT control<QComboBox>(*dialog, "Combo2")->activated(0);
    EXPECT_TRUE(dialog->regChanged());
    dialog->Command1_Click();
    EXPECT_EQ(made(), "speaker picture 29" + ok + "\nreopen");
    EXPECT_FALSE(QFile::exists(marker));
    EXPECT_FALSE(dialog->applying());

    dialog->show();
    auto* text = control<QLineEdit>(*dialog, "Dartxt");
    text->setText("16:9"); // the refused texts: AspectRatio.PresetTexts*
    dialog->Command8_Click();
    EXPECT_EQ(made().rfind("critical \"16:9\" is no aspect ratio. ", 0), 0u);
    text->setText("1.85/1");
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QCoreApplication::sendEvent(text, &enter); // Enter adds, and is not Ok
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_EQ(dialog->DAR.items().last(), "1.85/1");
    for (int n = dialog->DAR.count(); n < DarPresets::kMaxAdded; ++n) {
        text->setText(QStringLiteral("%1/1").arg(n + 1));
        dialog->Command8_Click();
    }
    text->setText("3/1");
    dialog->Command8_Click();
    EXPECT_EQ(made(), "information Limited to 10 DAR");

    dialog->DAR.setListIndex(8);
    dialog->Command9_Click();
    EXPECT_EQ(dialog->DAR.count(), 8);
    EXPECT_EQ(dialog->DAR.listIndex(), -1) << "the movie's own ratio, not the neighbour's";
    dialog->DAR.setListIndex(1);
    dialog->Command1_Click();
    EXPECT_EQ(dialog->DAR.listIndex(), 1) << "saving keeps the preset in use";
    EXPECT_EQ(menuCaptions.mid(7), (QStringList{"8/1", "9 - Empty"}));
    EXPECT_TRUE(
        readFile(dir.filePath("config/DAR.ini")).startsWith("16/9\r\n2.35/1\r\n1.85/1\r\n4/1\r\n"));
    dialog->Command10_Click();
    EXPECT_EQ(dialog->DAR.listIndex(), -1);

    // Presets that cannot be saved are told once, in a box that stops nothing.
    writeFile(dir.filePath("plain"), {}); // a file where the folder should be
    dialog->darFile = dir.filePath("plain/DAR.ini");
    made();
    dialog->Command1_Click();
    dialog->Command1_Click();
    const QString seen = QString::fromStdString(made());
    EXPECT_EQ(seen.count("warning The aspect ratios could not be saved"), 1) << seen.toStdString();
    EXPECT_FALSE(seen.contains("critical")) << seen.toStdString();
}

TEST_F(FrmConfigTest, DecoderSlidersHoldToRangeGoToAndComeFromTheRegistryAndResetsMarkAChange) {
    RegistryStore registry(dir.filePath("registry.reg"));
    auto dialog = load(&registry);
    // Nothing there: the second decoder's missing key is reported on the page.
    EXPECT_EQ(control<QLabel>(*dialog, "Reglbl")->text(), "Registry access denied :(");
    EXPECT_TRUE(dialog->setDecoderSliderValue("PostCpu", -1, 5000));
    EXPECT_EQ(dialog->decoderSliderValue("PostCpu"), 3000);

    registry.createKey(reg::HKEY_CURRENT_USER, "Software\\DivXNetworks\\DivX4Windows");
    dialog->setDecoderSliderValue("SlideWma", 2, -15);
    dialog->setDecoderSliderValue("PPLevel", -1, 4);
    dialog->WriteReg();
    EXPECT_EQ(control<QLabel>(*dialog, "Reglbl")->text(), "Registry access authorized");
    dialog->setDecoderSliderValue("SlideWma", 2, 0);
    dialog->setDecoderSliderValue("PPLevel", -1, -1);
    EXPECT_EQ(dialog->decoderSliderValue("PPLevel"), 0);
    dialog->showDialog(); // each showing reads the registry again
    EXPECT_EQ(dialog->decoderSliderValue("SlideWma", 2), -15);
    EXPECT_EQ(dialog->decoderSliderValue("PPLevel"), 4);
    EXPECT_FALSE(dialog->regChanged()) << "the registry's values are no change";

    control<QPushButton>(*dialog, "Command7")->click();
    for (int band = 0; band < 10; ++band)
        EXPECT_EQ(dialog->decoderSliderValue("SlideWma", band), -15);
    EXPECT_TRUE(dialog->regChanged());
    dialog->setRegChanged(false);
    control<QPushButton>(*dialog, "Command6")->click();
    EXPECT_EQ(dialog->decoderSliderValue("Hue"), 50);
    EXPECT_TRUE(dialog->regChanged());
}

class NoDisplay : public DisplayBackend {
  public:
    bool switchable = true;
    QList<DisplayMode> offered;
    bool canSwitch() override { return switchable; }
    QList<DisplayMode> modes() override { return offered; }
    std::optional<DisplayMode> currentMode() override {
        return offered.isEmpty() ? std::nullopt : std::optional(offered.first());
    }
    int switchTo(const DisplayMode&) override { return DisplayChanged; }
    int restore() override { return DisplayChanged; }
};

// Indexes outside the lists choose nothing; colour boxes hold 0..255 digits; the display switch
// follows the general page.
TEST_F(FrmConfigTest, DamagedValuesChooseNothingColoursHoldTo255AndTheDisplaySwitchFollows) {
    SettingsStore(storePath).writeAll({{"AudioSys", "7"}, {"DeviceIdx", "3"}, {"Charset", "-1"}});
    SettingsStore(storePath).writeAll(
        {{"ChangeRes", "1"}, {"ChangeResXY", "2"}, {"ChangeResCols", "5"}});
    auto dialog = load();
    EXPECT_EQ(dialog->speakerMode(), -1);
    EXPECT_EQ(dialog->deviceIndex(), -1);
    EXPECT_EQ(dialog->characterSetNumber(), 0);
    EXPECT_EQ(
        made(),
        "font Verdana 14 #ffffff\ntitle scrolling true\nscreen saver false\nanalyse registry");
    dialog->Spkup();
    EXPECT_EQ(made(), "");

    auto* red = control<QLineEdit>(*dialog, "ColorR");
    red->setText("256");
    EXPECT_EQ(red->text(), "255");
    red->setText("254");
    EXPECT_EQ(red->text(), "254");
    red->setText("");
    EXPECT_EQ(dialog->keyColour().red(), 0);
    for (QString typed : {QStringLiteral("12a"), QStringLiteral("-1")}) {
        int pos = 0;
        EXPECT_EQ(red->validator()->validate(typed, pos), QValidator::Invalid)
            << typed.toStdString();
    }

    NoDisplay display;
    DisplayModeSwitch modes(display);
    dialog->bindDisplayModes(modes);
    EXPECT_EQ(modes.CheckRes, 1);
    EXPECT_EQ(modes.ItemData(modes.cmbres), 1024);
    EXPECT_EQ(modes.ItemData(modes.cmbcols), 32);
    EXPECT_EQ(modes.ItemData(modes.cmbHz), std::nullopt);
    control<QComboBox>(*dialog, "cmbHz")->setCurrentIndex(3);
    EXPECT_EQ(modes.ItemData(modes.cmbHz), 75);
    control<QCheckBox>(*dialog, "CheckRes")->click();
    EXPECT_EQ(modes.CheckRes, 0);
    EXPECT_EQ(dialog->resolutionHeight(), 768);

    // A display that cannot switch (XWayland): off, saying why, choice kept.
    NoDisplay xwayland;
    xwayland.switchable = false;
    DisplayModeSwitch fixed(xwayland);
    auto second = load();
    second->bindDisplayModes(fixed);
    EXPECT_FALSE(control<QCheckBox>(*second, "CheckRes")->isEnabled());
    EXPECT_FALSE(control<QComboBox>(*second, "cmbres")->isEnabled());
    EXPECT_FALSE(control<QLabel>(*second, "ResNote")->isHidden());
    EXPECT_TRUE(second->preferences().changeRes);
    EXPECT_TRUE(control<QLabel>(*dialog, "ResNote")->isHidden());

    // A fresh user: the display's own sizes, what it lacks greyed, its current mode shown.
    QFile::remove(storePath);
    NoDisplay screen;
    screen.offered = {{1920, 1080, 24, 32, 144, 1}, {1024, 768, 24, 32, 60, 2}};
    DisplayModeSwitch own(screen);
    auto fresh = load();
    fresh->bindDisplayModes(own);
    fresh->Form_Load(); // as the player does after binding
    auto* res = control<QComboBox>(*fresh, "cmbres");
    EXPECT_EQ(res->currentText(), "1920x1080");
    EXPECT_EQ(control<QComboBox>(*fresh, "cmbcols")->currentText(), "24-bit, 16.7M colours");
    EXPECT_EQ(control<QComboBox>(*fresh, "cmbHz")->currentText(), "144 Hz");
    const auto* items = qobject_cast<QStandardItemModel*>(res->model());
    EXPECT_FALSE(items->item(0)->isEnabled()) << "640x480";
    EXPECT_TRUE(items->item(2)->isEnabled()) << "1024x768";
    EXPECT_EQ(own.ItemData(own.cmbHz), 144);
}

} // namespace
