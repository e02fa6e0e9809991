#pragma once
// The main window: a skinned bar with the transport and sound controls.
// It owns start-up, the exit sequence and the parts of the player, each of
// which owns its own state: the playback, the video display, the
// subtitles, the menus, the inspector and the display modes.
#include "app/command_line.h"
#include "app/file_names.h"
#include "app/opener_view.h"
#include "app/playback_view.h"
#include "inspector/graph_inspector.h"
#include "player/chapter_list.h"
#include "player/movie_opener.h"
#include "player/transport.h"
#include "player/volume_control.h"
#include "skin/main_bar.h"
#include "skin/picture_store.h"
#include "skin/skin_loader.h"
#include "skin/skin_window.h"
#include "support/models/selectable_list.h"
#include "support/settings/settings_store.h"

#include <QMessageBox>
#include <memory>

class BarActions;
class Graph;
class KeyDispatcher;
class MainCommands;
class VideoMouse;
class MenuView;
class PlayQueue;
class PlaylistView;
class InspectorWindow;
class SubtitleDisplay;
class PicVideoWindow;
class OverlayDetection;
class VideoDisplay;
class QLabel;
class QTimer;
class SkinImage;
class SoundOutputKeeper;
class TextScroller;
class cpvProgressBar;
class frmFilterProp;
class frmConfig;
class DisplayModeSwitch;
class XRandRBackend;

// The main window's bar, in twips, until a skin gives its picture; the
// wide form shows the pan-and-scan pad.
inline constexpr int kMainHeightTwips = 1600;
inline constexpr int kMainWidthTwips = 6795;
inline constexpr int kWideWidthTwips = 10860;

class frmMain : public SkinWindow {
    Q_OBJECT
  public:
    explicit frmMain(QString commandLine, QWidget* parent = nullptr);
    ~frmMain() override;

    // The movie playing: the one writer of the play state.
    Playback playback;
    GraphInspector inspector;
    ChapterList chapters;
    // The play queue: full paths, the selection is the current entry.
    SelectableList List1;
    Transport transport;
    MovieOpener opener;
    // The volume in hundredths of a decibel: -10000 silent, 0 full.
    VolumeControl volume;
    // The pictures the volume meter and the audio-mode indicator copy.
    PictureStore pictures;

    // The start-up sequence.
    void Form_Load();
    // Last-chance saving when the program ends without ExitMe.
    void Form_Unload();
    void Form_Terminate();

    // What the command line asked for at start-up.
    const CommandLineRequest& commandLineRequest() const { return request_; }

    // Public commands other windows call.
    bool OpenaMovie(const QString& movieFileName, bool loop);
    void StopMovie() { transport.stopbt_Click(); }
    void Jump(const QString& timeText) { transport.Jump(timeText); }
    // The open-file command.
    void cmdSource_Click();
    // Re-opens the movie with audio stream item `item` (0 = "Stream 01")
    // and goes back to the position shown before.
    void Mnu_As_Click(int item);
    // The player menu's audio outputs: the device box's rows. Choosing one
    // keeps it as Ok would and plays the movie on it from where it was.
    QStringList audioOutputNames() const;
    int audioOutputIndex() const;
    void chooseAudioOutput(int row);
    QStringList audioStreamItems() const { return openerView_.audioStreamItems(); }

    // The play queue's sequencing, its playlist files and window.
    PlayQueue& queue();
    void ShowPlayLst();
    PlaylistView& playlist() { return *playlist_; }
    void ShuffMode();
    void RepMode();
    // Dropped or named files: a menu file opens as the menu, a playlist
    // plays as the queue, several movies open the first and queue the others.
    void openFiles(const QStringList& paths);

    // Interactive menus: a menu file, the disc's or one the user picks.
    bool LoadMenu(const QString& path);
    void LoadMenuDlg();
    MenuView& menus() { return *menus_; }

    // Subtitles: a file with `beginDelay` seconds of offset, a file the user
    // picks, none.
    bool OpenSub(const QString& file, int beginDelay, int endDelay);
    void OpenSubDlg();
    void UnloadSub();
    SubtitleDisplay& subtitles() { return *subtitles_; }

    // Applies the skin in the configuration dialog's skin folder.
    void SkinLoad();
    QString skinFolder() const;
    // Minimises this window and the video window.
    void Image7_Click();
    // Toggles the bar between its narrow and its wide (pad) width.
    void PanScanPad_Click();
    // Windowed to full screen and back.
    void FullScrMode();
    // The context menu's aspect items: preset k (1..9) or the movie's own
    // ratio, entered in full screen.
    void Mnu_DAR_Click(int item);
    void Mnu_DAROr_Click();
    // Captions of the nine preset items.
    const QStringList& aspectMenuCaptions() const { return aspectMenuCaptions_; }

    // The configuration dialog: loaded at start-up, kept hidden.
    frmConfig* config() const { return config_; }
    DisplayModeSwitch* displayModes() const { return displayModes_.get(); }
    void showConfiguration();

    void showInspector(bool show);
    bool inspectorShown() const;
    // The filter property dialog and the jump dialog.
    void showFilterProperties();
    void showJump();
    // The pop-up menus, and what their items and the keys run.
    Graph& graph() { return *graph_; }
    MainCommands& commands() { return *commands_; }

    // What the position display shows.
    QString positionText() const;
    QString durationText() const;
    QString videoSizeText() const;
    PicVideoWindow* videoWindowForm() const;
    VideoDisplay& video() { return *video_; }
    QString osdText() const;
    cpvProgressBar* seekBar() const { return bar_.PBar1; }
    QString scrollTitle() const;
    // A control of the bar by name ("play", "VolSlider", "tempslbl", ...).
    QWidget* control(const QString& name) const;
    // Height of the level bar in twips.
    int levelBarHeight() const;

    // A message that blocks nothing, above the player.
    void warn(const QString& text, QMessageBox::Icon icon = QMessageBox::Warning);
    // The scrolling title.
    void setTitle(const QString& title);

  public Q_SLOTS:
    // The exit command: stops, saves and ends the program.
    void ExitMe();
    // An exit has begun; the event loop must not start (again).
    bool exiting() const { return exiting_; }

  protected:
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

  private:
    SkinLoader::Hooks skinLoaderHooks();
    void buildWindow();
    void buildSubtitles();
    void loadConfiguration();
    void reopenMovie();
    void reopenMovieAt(double seconds);
    void keepSoundOutput();
    void releaseReferences();
    void saveVolume();
    void buildMenusAndKeys();
    void showMenuHelp(const QString& help);
    void wirePlayback();

    SettingsStore settings_;
    // What the bar and the video display show of playing and opening.
    PlaybackView playbackView_;
    OpenerView openerView_;
    QString commandLine_;
    CommandLineRequest request_;
    std::unique_ptr<InspectorWindow> inspectorWindow_;
    frmFilterProp* filterProp_ = nullptr;
    frmConfig* config_ = nullptr;
    std::unique_ptr<XRandRBackend> display_;
    std::unique_ptr<DisplayModeSwitch> displayModes_;
    std::unique_ptr<SoundOutputKeeper> sound_;
    std::unique_ptr<VideoDisplay> video_;
    std::unique_ptr<OverlayDetection> overlay_;
    std::unique_ptr<SubtitleDisplay> subtitles_;
    std::unique_ptr<PlaylistView> playlist_;
    std::unique_ptr<VideoMouse> videoMouse_;
    std::unique_ptr<MenuView> menus_;
    std::unique_ptr<MainCommands> commands_;
    std::unique_ptr<Graph> graph_;
    std::unique_ptr<KeyDispatcher> keys_;
    QString titleBeforeHelp_;
    QString helpShown_;
    // The skinned controls, where the skin puts them.
    MainBar bar_{*this, [this] { return skinFolder(); }};
    SkinLoader skinLoader_{*this, bar_, pictures, settings_, skinLoaderHooks()};
    BarActions* barActions_ = nullptr;
    QTimer* tmrKey = nullptr;
    QStringList aspectMenuCaptions_;
    bool exiting_ = false;
};
