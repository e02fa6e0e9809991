#pragma once
// The configuration dialog: the live copy of every preference. It is built
// once at start-up, loaded from the settings store, kept hidden and shown
// modeless; other windows read the preferences through its accessors.
// Work that belongs to other windows reaches them through ConfigHooks.
#include "config/config_hooks.h"
#include "config/decoder_settings.h"
#include "config/preferences.h"
#include "support/media/filter_graph.h"
#include "support/models/selectable_list.h"
#include "support/settings/settings_store.h"

#include <QDialog>

class Playback;
class AudioPage;
class DecoderPages;
class DisplayModeSwitch;
class GeneralPage;
class RegistryStore;
class ScenovaPage;
class SkinsPage;
class SubtitlesPage;
class QCheckBox;
class QLabel;
class QPushButton;
class QTabWidget;
class QToolButton;

class frmConfig : public QDialog {
    Q_OBJECT
  public:
    // `storePath` is the settings file; `playback` is the movie playing
    // (may be null: then no movie counts as open).
    explicit frmConfig(ConfigHooks hooks = {}, const Playback* playback = nullptr,
                       QWidget* parent = nullptr,
                       const QString& storePath = SettingsStore::defaultFilePath());
    ~frmConfig() override;

    ConfigHooks hooks;
    // Where the program's own files lie (default: the executable's folder).
    QString programFolder;
    // The first-start marker Ok removes (in the user's data folder).
    QString firstStartMarker;
    // Where the aspect-ratio presets are kept, and the shipped ones read
    // while the user has none of their own.
    QString darFile;
    QString darDefaultsFile;
    // The registry the decoder sliders use (default: the user's store);
    // must outlive the dialog.
    RegistryStore* registry = nullptr;

    // --- lifecycle
    // Fills the lists and every control from the settings store, running the
    // controls' handlers as a user's clicks would.
    void Form_Load();
    // The "Options" command: shows the dialog and refreshes the decoder sliders.
    void showDialog();
    void Command1_Click(); // Ok
    void Command3_Click(); // Cancel

    // --- preferences other windows read
    bool subtitlesOn() const;
    bool screenSaverDisabled() const;
    bool scrollTitle() const;
    QString subtitleFontName() const;
    QString subtitleFontSizeText() const;
    int subtitleFontSize() const; // points, 0 when the caption is not a number
    QColor subtitleFontColour() const;
    QFont subtitleFont() const;
    QColor keyColour() const;
    // The overlay detection's finding goes into the three colour boxes.
    void setKeyColour(const QColor& colour);
    bool autoOverlay() const;
    // Subtitles beside a movie load with it when none is chosen.
    bool findSubtitles() const;
    QString subtitleYPosText() const;
    void setSubtitleYPosText(const QString& text); // the subtitle window moves
    QString skinFolder() const;
    void setSkinFolder(const QString& folder); // runs the folder list's change
    int speakerMode() const;                   // -1 when none
    QString speakerModeName() const;
    int deviceIndex() const; // -1 when none
    // The chosen output's name as listed now; empty when none is chosen or
    // the chosen device is unplugged.
    QString deviceName() const;
    // The sound server added or removed a device: the box lists them anew
    // and keeps the user's choice.
    void refreshAudioDevices();
    // The chosen output's id (a device's server name, else the output's
    // name); and whether an output of that id is listed now.
    QString deviceId() const;
    bool outputListed(const QString& id) const;
    // The device box's entries, as listed now.
    QStringList audioOutputNames() const;
    // Chooses the box's row `row` and keeps the choice, as Ok would; false
    // for a row the box does not have.
    bool chooseAudioOutput(int row);
    bool useDedynamic() const;
    int scenixDriveIndex() const;
    QString scenixDrive() const; // a folder ending in "/", empty when none
    int characterSetIndex() const;
    int characterSetNumber() const; // 0 (Western European) when none chosen
    bool changeResolution() const;
    int resolutionWidth() const; // -1 when none chosen
    int resolutionHeight() const;
    int colourBits() const;
    int refreshHz() const;
    int subtitleDelaySeconds() const; // SubBegin, -20..20
    int subtitleExtraSeconds() const; // SubDisp, -2..15
    // The controls' values as one model, as Ok saves them.
    Preferences preferences() const;

    // --- decoder sliders
    // The registry's decoder values into the sliders, and back; each
    // reports its access in Reglbl. OpenaMovie calls WriteReg too.
    void AnalyseReg();
    void WriteReg();
    // By control name ("SlideWma" with its band 0..9,
    // `index` -1 for the others). Values outside a slider's range go to the
    // nearer end. Unknown names read 0 and set nothing.
    int decoderSliderValue(const QString& control, int index = -1) const;
    bool setDecoderSliderValue(const QString& control, int index, int value);
    // Reglbl: whether the last registry access worked.
    void setRegistryAccess(bool authorised);
    bool regChanged() const { return RegChanged; }
    void setRegChanged(bool changed) { RegChanged = changed; }

    // --- models behind hidden and shared lists
    SelectableList listRegFilters;
    // The aspect-ratio presets; the selection is the current preset.
    SelectableList DAR;
    void Command8_Click();  // add the preset typed in Dartxt
    void Command9_Click();  // delete the chosen preset
    void Command10_Click(); // back to the movie's own ratio

    // The full-screen display switch follows the General page's check box
    // and lists from now on. `modes` must outlive the dialog.
    void bindDisplayModes(DisplayModeSwitch& modes);

    // --- procedures other windows call
    void Spkup();
    void alwaysontop(bool onTop);
    // The skin loader's report on the Skins page ("Name: ", "Author: ",
    // "Comment: " followed by the value).
    void setSkinName(const QString& value);
    void setSkinAuthor(const QString& value);
    void setSkinComment(const QString& value);

    // The skin description file in `folder` ("VSkin.ini" in any letter case),
    // empty when there is none.
    static QString skinDescriptionFile(const QString& folder);

    // For the pages.
    void showCritical(const QString& text);
    void showWarning(const QString& text);
    bool movieOpen() const;
    bool applying() const { return ConfigApplying; }

  private:
    void moveOnto(const QRect& screen, QPoint at);
    void buildWindow();
    void applyPreferences(const Preferences& p);
    void ListRegisteredFilters();

    SettingsStore settings_;
    const Playback* playback_;
    // Ok is saving: the presets written must not lay the picture out again.
    bool ConfigApplying = false;
    QList<RegFilterInfo> regFilters_;
    bool RegChanged = false;
    Preferences loaded_;

    // The pages; each widget's object name is its name in the dialog.
    GeneralPage* general_ = nullptr;
    AudioPage* audio_ = nullptr;
    DecoderPages* decoders_ = nullptr;
    SkinsPage* skins_ = nullptr;
    SubtitlesPage* subtitles_ = nullptr;
    ScenovaPage* scenova_ = nullptr;
    QTabWidget* SSTab1 = nullptr;
    QPushButton* Command1 = nullptr;
    QPushButton* Command3 = nullptr;
    QLabel* Reglbl = nullptr;
    QCheckBox* Check1 = nullptr;
    QToolButton* Image3 = nullptr;
};
