#include "menus/menu_file.h"

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>
#include <QStringTokenizer>

namespace {

// A menu is a few dozen lines; anything this big is something else.
constexpr qint64 kMaxFileBytes = 16 << 20;

// The value from 1-based character `from` to the end; empty past the end.
QString valueFrom(const QString& line, int from) {
    return line.size() >= from ? line.mid(from - 1) : QString();
}

QString decoded(const QByteArray& bytes) {
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString text = utf8.decode(bytes);
    return utf8.hasError() ? QString::fromLatin1(bytes) : text;
}

void readRecord(MenuFile& menu, const QString& line) {
    const QString kind = line.left(4);
    auto is = [&kind](const char* name) {
        return kind.compare(QLatin1String(name), Qt::CaseInsensitive) == 0;
    };
    if (is("Butt"))
        menu.Button.append(line.right(15));
    if (is("File"))
        menu.MenuFileName = valueFrom(line, 6);
    if (is("Capt"))
        menu.MovieName = valueFrom(line, 9);
    if (is("1stA"))
        menu.List1stA.append(valueFrom(line, 11));
    if (is("1stP"))
        menu.List1stP.append(valueFrom(line, 10));
    if (is("2ndA"))
        menu.List2ndA.append(valueFrom(line, 11));
    if (is("2ndP")) {
        if (line.size() >= 12 && line.at(11) == u':')
            menu.chapterTimes.append(line.mid(9, 8));
        menu.List2ndP.append(valueFrom(line, 10));
    }
}

} // namespace

MenuFile parseMenuText(const QString& text) {
    MenuFile menu;
    for (QStringView piece : QStringTokenizer(text, u'\n')) {
        if (piece.endsWith(u'\r'))
            piece.chop(1);
        if (piece.isEmpty())
            continue;
        if (piece.size() > kMaxMenuLine) {
            ++menu.skippedLines;
            continue;
        }
        const QString line = piece.toString();
        menu.Project.append(line);
        readRecord(menu, line);
    }
    return menu;
}

MenuRead readMenuFile(const QString& path) {
    const QString name = QFileInfo(path).fileName();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {std::nullopt,
                QStringLiteral("The menu %1 cannot be read: %2").arg(name, file.errorString())};
    if (file.size() > kMaxFileBytes)
        return {std::nullopt, QStringLiteral("%1 is far too big to be a menu.").arg(name)};
    return {parseMenuText(decoded(file.readAll())), {}};
}
