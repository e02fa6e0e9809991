#pragma once
// The subtitles of the playing movie: loading a file into the table, or
// taking the lines of a subtitle track inside the movie as the graph reads
// them; the one-second timer that shows and clears the entries, and the
// subtitle window they show in.
#include "subtitles/frm_sub.h"
#include "subtitles/subtitle_file.h"
#include "subtitles/subtitle_timing.h"
#include "support/media/filter_graph.h"

#include <QObject>
#include <QSet>
#include <QTimer>
#include <functional>
#include <memory>

class Playback;

class SubtitleDisplay : public QObject {
    Q_OBJECT
  public:
    struct Hooks {
        std::function<qint64()> elapsedSeconds; // the movie's position, whole seconds
        std::function<int()> delaySeconds;      // "SubBegin"
        std::function<int()> extraSeconds;      // "SubDisp"
        std::function<int()> characterSet;      // the dialog's character-set number
        std::function<QColor()> keyColour;
        std::function<QString()> yPos; // "SubYpos", and after a drag
        std::function<void(const QString&)> setYPos;
        std::function<void(const QString&)> inform; // default: message boxes
        std::function<void(const QString&)> warn;
        std::function<QString()> chooseFile; // default: the open-file dialog
    };

    SubtitleDisplay(const Playback& playback, QWidget& video, Hooks hooks);
    ~SubtitleDisplay() override;

    // Loads `file` with `beginDelay` seconds of offset (the duration's
    // extra seconds are read at each tick). A file that gives no entry is
    // reported and the shown subtitles stay. The show-subtitles item is
    // checked either way.
    bool OpenSub(const QString& file, int beginDelay, int endDelay);
    // Asks for a file, with a movie open.
    void OpenSubDlg();
    // The subtitles a new movie takes: the file the user chose, else, when
    // `lookBeside`, one found beside the movie (for that movie only).
    void loadForMovie(bool lookBeside);
    void UnloadSub();
    // The loaded file once more, when the character set or the delay has
    // changed, or the movie's frame rate is now known.
    void reload();
    // The context menu's show-subtitles item.
    bool showChecked() const { return showChecked_; }
    void Mnu_ShowSub_Click();

    void setFont(const QFont& font, const QColor& colour);
    // One tick of the subtitle timer ("TimerSub").
    void tick();

    frmSub* window() const { return window_.get(); }
    // The shown file was found beside the movie, not chosen.
    bool foundBeside() const { return foundBeside_; }
    // The subtitle file every movie opened takes; empty for none.
    const QString& SubFileName() const { return SubFileName_; }
    void setSubFileName(const QString& file) { SubFileName_ = file; }
    // The movie stopped or ended: no line stays over the black window.
    void clearLines();
    // The movie jumped to `seconds`: the line for the new time shows at once.
    void seeked(double seconds);
    const SubtitleTable& table() const { return table_; }

    // --- the movie's own subtitle tracks. A subtitle file wins over them;
    // without one the first text track shows (hidden while the user has
    // turned the subtitles off).
    // The subtitle streams in file order, text and pictures alike.
    QList<MediaStream> tracks() const;
    // Shows track `item` (from 1 into tracks()), or with 0 no subtitles at
    // all. Tracks drawn as pictures cannot be shown.
    void chooseTrack(int item);
    // The track shown (from 1), 0 for none.
    int shownTrack() const;

  private:
    void takeTracks();
    void takeLine(const TextCue& cue);
    void startTrack(int textIndex);
    void rebuildTrackTable(int offset);
    void rememberFrameRate(const QString& file, const SubtitleParse& parse);
    void inform(const QString& text);
    void warn(const QString& text);

    const Playback& playback_;
    Hooks hooks_;
    QString SubFileName_;
    // Ticks since the shown entry appeared, and when it goes.
    int SubTicks = 0;
    int SubTicksMax = 0;
    std::unique_ptr<frmSub> window_;
    SubtitleTable table_;
    SubtitleClock clock_;
    SubtitleLines lines_;
    QTimer timer_;
    bool showChecked_ = false;
    bool foundBeside_ = false;
    // What the loaded table was read with.
    int offset_ = 0;
    int characterSet_ = 0;
    int frameRate_ = 0;
    bool followsMovieRate_ = false;
    // The movie's text track on show (counted among its text tracks), -1
    // for none; its lines as read, each once.
    int track_ = -1;
    QList<TextCue> cues_;
    QSet<QString> seen_;
    bool fileLoaded_ = false;    // the table is a file's, for this movie
    bool tracksDecided_ = false; // this movie's track was picked
    bool hiddenByUser_ = false;  // "Show Subtitles" turned off
};
