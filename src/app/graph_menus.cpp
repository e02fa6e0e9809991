#include "app/graph_menus.h"

#include <QApplication>
#include <QStyle>

namespace {
using C = Command;
} // namespace

Graph::Graph(PlayerCommands& commands, Captions captions, QObject* parent)
    : QObject(parent), help(this), commands_(commands), captions_(std::move(captions)) {
    MnuOption.setTitle(QStringLiteral("Options"));
    mnu_Player.setTitle(QStringLiteral("Plaayer"));
    Mnu_opener.setTitle(QStringLiteral("Opener"));
    buildPictures();
    buildOptions();
    buildPlayer();
    buildOpener();
    cool.ilHandle = &images;
    cool.HelpObj = &help;
    for (QMenu* menu : {&MnuOption, &mnu_Player, &Mnu_opener}) {
        cool.install(*menu);
        connect(menu, &QMenu::aboutToShow, this, &Graph::refresh);
    }
}

Graph::~Graph() {
    cool.uninstall();
}

QAction* Graph::add(QMenu& menu, const char* name, const QString& caption, Command command,
                    int argument) {
    QAction* action = menu.addAction(caption);
    action->setObjectName(QLatin1String(name));
    // The rate, aspect and stream in use carry a check mark.
    if (command == Command::Rate || command == Command::AspectOriginal ||
        command == Command::AspectPreset || command == Command::AudioStream ||
        command == Command::AudioOutput || command == Command::SubtitleTrack)
        action->setCheckable(true);
    commandOf_.insert(action, {command, argument});
    if (command != Command::None)
        connect(action, &QAction::triggered, this,
                [this, command, argument] { commands_.run(command, argument); });
    return action;
}

void Graph::buildOptions() {
    add(MnuOption, "mnuline1", QStringLiteral("-Options"));
    add(MnuOption, "Mnu_PowerOptions", QStringLiteral("Options|The configuration dialog"),
        C::ShowOptions);
    add(MnuOption, "miho2", QStringLiteral("-Filters"));
    add(MnuOption, "Mnu_Filterprop",
        QStringLiteral("Filters Properties|The property pages of the movie's filters"),
        C::FilterProperties);
    add(MnuOption, "Mnu_VidRender",
        QStringLiteral("Video Renderer|The video renderer's property page"),
        C::VideoRendererProperties);
}

void Graph::buildPlayer() {
    QMenu& m = mnu_Player;
    add(m, "Mnu_ShowMe", QStringLiteral("Show Player|Brings the player's bar back"), C::ShowMe);
    add(m, "oooo", QStringLiteral("-Player Options"));
    add(m, "Mnu_Options", QStringLiteral("Options|The configuration dialog"), C::ShowOptions);
    add(m, "Mnu_Filterprop1",
        QStringLiteral("Filters Properties|The property pages of the movie's filters"),
        C::FilterProperties);
    add(m, "oo", QStringLiteral("-Player Control"));
    auto* open = new QMenu(QStringLiteral("Open|Opens a movie, subtitles or a menu"), &m);
    m.addMenu(open)->setObjectName(QStringLiteral("Mnu_Open"));
    add(*open, "Mnu_Opfile", QStringLiteral("File...|Opens a movie"), C::OpenMovie);
    add(*open, "Mnu_OpSub", QStringLiteral("Subtitles...|Opens a subtitle file"), C::OpenSubDlg);
    add(*open, "Mnu_OpScenix", QStringLiteral("Scenova|Opens a disc's menu"), C::LoadMenuDlg);
    add(m, "Mnu_Previous", QStringLiteral("Previous File|The playlist's previous movie"),
        C::Previous);
    add(m, "mnu_Play", QStringLiteral("Play|Plays the movie"), C::PlayMovie);
    add(m, "Mnu_Pause", QStringLiteral("Pause|Pauses the movie"), C::PauseMovie);
    add(m, "Mnu_Stop", QStringLiteral("Stop|Stops the movie"), C::StopMovie);
    add(m, "Mnu_Next", QStringLiteral("Next File|The playlist's next movie"), C::NextMovie);
    add(m, "Mnu_Jump", QStringLiteral("Jump to...|Goes to a time of the movie"), C::ShowJump);
    add(m, "Mnu_Playlist", QStringLiteral("Show Playlist...|The playlist window"), C::ShowPlayLst);
    add(m, "Mnu_Repeat", QStringLiteral("#Repeat|Plays the movie again and again"), C::RepMode);
    add(m, "Mnu_Shuffle", QStringLiteral("#Shuffle|Plays the playlist in random order"),
        C::ShuffMode);
    add(m, "ooo", QStringLiteral("-Renderer"));
    add(m, "Mnu_Fullscr", QStringLiteral("Full Screen|Full screen on and off"), C::FullScreen);

    auto* aspect = new QMenu(QStringLiteral("Aspect Ratio|The picture's shape in full screen"), &m);
    m.addMenu(aspect)->setObjectName(QStringLiteral("Mnu_Aspect"));
    add(*aspect, "Mnu_DAROr", QStringLiteral("Original|The movie's own shape"), C::AspectOriginal);
    for (int k = 1; k <= 9; ++k)
        add(*aspect, qPrintable(QStringLiteral("Mnu_DAR%1").arg(k)),
            QStringLiteral("%1 - Empty").arg(k), C::AspectPreset, k);

    auto* rate = new QMenu(QStringLiteral("Rate|The playing speed"), &m);
    m.addMenu(rate)->setObjectName(QStringLiteral("Mnu_rate"));
    const QString rates[] = {QStringLiteral("Half (50%)"), QStringLiteral("Normal (100%)"),
                             QStringLiteral("Double (200%)")};
    for (int i = 0; i < 3; ++i)
        add(*rate, qPrintable(QStringLiteral("menu_Rate%1").arg(i)), rates[i], C::Rate, i);

    auto* streams = new QMenu(QStringLiteral("Audio Streams|The movie's audio streams"), &m);
    m.addMenu(streams)->setObjectName(QStringLiteral("Mnu_AudioStreams"));
    for (int k = 1; k <= 5; ++k)
        add(*streams, qPrintable(QStringLiteral("Mnu_As%1").arg(k)), QStringLiteral("None"),
            C::AudioStream, k);
    // The devices as the sound server has them when the menu opens.
    auto* outputs = new QMenu(QStringLiteral("Audio Output|Where the sound plays"), &m);
    m.addMenu(outputs)->setObjectName(QStringLiteral("Mnu_AudioOutputs"));
    for (int k = 1; k <= kOutputItems; ++k)
        add(*outputs, qPrintable(QStringLiteral("Mnu_Ao%1").arg(k)), QString(), C::AudioOutput, k);
    add(m, "Mnu_ShowSub", QStringLiteral("#Show Subtitles|Subtitles shown or hidden"),
        C::ShowSubtitles);
    auto* tracks = new QMenu(QStringLiteral("Subtitle Tracks|The movie's own subtitles"), &m);
    m.addMenu(tracks)->setObjectName(QStringLiteral("Mnu_SubTracks"));
    add(*tracks, "Mnu_St0", QStringLiteral("No Subtitles"), C::SubtitleTrack, 0);
    for (int k = 1; k <= kTrackItems; ++k)
        add(*tracks, qPrintable(QStringLiteral("Mnu_St%1").arg(k)), QString(), C::SubtitleTrack, k);
    add(m, "bb", QStringLiteral("-Exit"));
    add(m, "Mnu_Exit", QStringLiteral("Exit|Closes the player"), C::Exit);
    for (QMenu* sub : {open, aspect, rate, streams, outputs, tracks})
        connect(sub, &QMenu::aboutToShow, this, &Graph::refresh);
}

void Graph::buildOpener() {
    add(Mnu_opener, "ooooo", QStringLiteral("- Open"));
    add(Mnu_opener, "Mnu_Openfile", QStringLiteral("File...|Opens a movie"), C::OpenMovie);
    add(Mnu_opener, "Mnu_OpenSub", QStringLiteral("Subtitles...|Opens a subtitle file"),
        C::OpenSubDlg);
    add(Mnu_opener, "Mnu_Scenova", QStringLiteral("Scenova|Opens a disc's menu"), C::LoadMenuDlg);
}

// Pictures by the caption they start: the style's own media and file icons.
// The tags are known at once; the icons themselves are looked up when a
// menu first opens, which keeps the icon theme's search off the start.
void Graph::buildPictures() {
    const std::pair<const char*, QStyle::StandardPixmap> pictures[] = {
        {"Open", QStyle::SP_DialogOpenButton},
        {"File", QStyle::SP_FileIcon},
        {"Subtitles", QStyle::SP_FileDialogDetailedView},
        {"Play", QStyle::SP_MediaPlay},
        {"Pause", QStyle::SP_MediaPause},
        {"Stop", QStyle::SP_MediaStop},
        {"Next", QStyle::SP_MediaSkipForward},
        {"Previous", QStyle::SP_MediaSkipBackward},
        {"Full", QStyle::SP_TitleBarMaxButton},
        {"Jump", QStyle::SP_ArrowRight},
        {"Options", QStyle::SP_FileDialogListView},
        {"Exit", QStyle::SP_DialogCloseButton},
    };
    for (const auto& [tag, picture] : pictures) {
        images.append({QLatin1String(tag), QPixmap()});
        pictureKinds_.append(picture);
    }
}

void Graph::loadPictures() {
    if (images.isEmpty() || !images.first().picture.isNull())
        return;
    QStyle* style = QApplication::style();
    for (int i = 0; i < images.size(); ++i)
        images[i].picture = style->standardIcon(pictureKinds_[i]).pixmap(16, 16);
}

QAction* Graph::item(const QString& name) const {
    for (const QMenu* menu : {&MnuOption, &mnu_Player, &Mnu_opener})
        if (auto* action = menu->findChild<QAction*>(name))
            return action;
    return nullptr;
}

std::pair<Command, int> Graph::commandOf(const QAction* action) const {
    return commandOf_.value(action, {Command::None, 0});
}

void Graph::refresh() {
    loadPictures();
    const QStringList presets = captions_.aspectPresets ? captions_.aspectPresets() : QStringList();
    const QStringList streams = captions_.audioStreams ? captions_.audioStreams() : QStringList();
    for (int k = 1; k <= 9; ++k)
        item(QStringLiteral("Mnu_DAR%1").arg(k))
            ->setText(presets.value(k - 1, QStringLiteral("%1 - Empty").arg(k)));
    for (int k = 1; k <= 5; ++k)
        item(QStringLiteral("Mnu_As%1").arg(k))
            ->setText(streams.value(k - 1, QStringLiteral("None")));
    const QStringList outputs = captions_.audioOutputs ? captions_.audioOutputs() : QStringList();
    for (int k = 1; k <= kOutputItems; ++k) {
        QAction* output = item(QStringLiteral("Mnu_Ao%1").arg(k));
        output->setText(outputs.value(k - 1));
        output->setVisible(k <= outputs.size());
    }
    const QStringList tracks =
        captions_.subtitleTracks ? captions_.subtitleTracks() : QStringList();
    for (int k = 1; k <= kTrackItems; ++k) {
        QAction* track = item(QStringLiteral("Mnu_St%1").arg(k));
        track->setText(tracks.value(k - 1));
        track->setVisible(k <= tracks.size());
    }
    // Only a movie with subtitles of its own offers the choice.
    item(QStringLiteral("Mnu_SubTracks"))->setVisible(!tracks.isEmpty());
    for (auto it = commandOf_.cbegin(); it != commandOf_.cend(); ++it) {
        auto* action = const_cast<QAction*>(it.key());
        const auto [command, argument] = it.value();
        if (command == Command::None)
            continue;
        action->setEnabled(commands_.available(command, argument));
        if (action->isCheckable())
            action->setChecked(commands_.checked(command, argument));
    }
}

void Graph::popUpBeside(QMenu& menu, const QWidget& control) {
    menu.popup(control.mapToGlobal(QPoint(control.width(), 0)));
}
