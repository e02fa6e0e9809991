#include "app/help_text.h"

#include "app/key_table.h"

QString helpText() {
    QString text = QStringLiteral(
        "Usage: vantorplay [MOVIE | PLAYLIST.m3u | MENU.vmu]\n"
        "       vantorplay \"MOVIE /cli [-stream N] [-fullscreen] [-sub SUBTITLES]\"\n"
        "\n"
        "Without \"/cli\" the whole command line is the file's name. After it,\n"
        "\"-stream N\" picks audio stream N, \"-fullscreen\" starts in full screen\n"
        "and \"-sub FILE\" (last: it takes the rest of the line) loads subtitles.\n"
        "\n"
        "Keys (in the bar, the video and the subtitles):\n");
    for (const KeyBinding& row : keyTable())
        text += QStringLiteral("  %1 %2\n")
                    .arg(QString::fromLatin1(row.keyName), -20)
                    .arg(QString::fromLatin1(row.description));
    text += QStringLiteral("\nThe right button over the video or the bar opens the player menu.\n");
    return text;
}
