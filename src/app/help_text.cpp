#include "app/help_text.h"

#include "player/key_table.h"

QString keyTableText() {
    QString text;
    for (const KeyBinding& row : keyTable())
        text += QStringLiteral("  %1 %2\n")
                    .arg(QString::fromLatin1(row.keyName), -20)
                    .arg(QString::fromLatin1(row.description));
    return text;
}

QString helpText() {
    QString text = QStringLiteral(
        "Usage: vantorplay [MOVIE | PLAYLIST.m3u | MENU.vmu]\n"
        "       vantorplay MOVIE MOVIE...\n"
        "       vantorplay \"MOVIE /cli [-stream N] [-fullscreen] [-sub SUBTITLES]\"\n"
        "       vantorplay --help | --version\n"
        "\n"
        "Several files given one by one play one after another.\n"
        "Without \"/cli\" the whole command line is the file's name. After it,\n"
        "\"-stream N\" picks audio stream N, \"-fullscreen\" starts in full screen\n"
        "and \"-sub FILE\" (last: it takes the rest of the line) loads subtitles.\n"
        "\n"
        "Keys (in the bar, the video and the subtitles):\n");
    text += keyTableText();
    text += QStringLiteral("\nThe right button over the video or the bar opens the player menu.\n");
    text += QStringLiteral(
        "\nSettings: ${XDG_CONFIG_HOME:-~/.config}/OrvaneSoft/Vantor.ini; the decoders'\n"
        "settings: registry.reg beside it. Delete either file to start afresh.\n");
    return text;
}
