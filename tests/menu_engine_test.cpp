// The menu engine: captions, mnemonics, help, and the painting of a real menu.
#include "menus/cool_menu.h"
#include "test_support.h"

#include <QAction>
#include <QApplication>
#include <QImage>
#include <QKeyEvent>
#include <QMenu>
#include <gtest/gtest.h>

// What each marker does to an item is CoolMenuTest's, on a real menu.
TEST(MenuCaption, MarkersMnemonicsAndPicturesAreFoundByTheirRules) {
    // Only the first "|" splits; a "#" after the start is text.
    const CMyItemData pipes = parseMenuCaption("A|b|c");
    EXPECT_EQ(pipes.sMenuText, "A");
    EXPECT_EQ(pipes.sMenuHelp, "b|c");
    EXPECT_FALSE(parseMenuCaption("No #1").bAsMark);

    // Mnemonics and pictures by their rules.
    const std::pair<QString, std::optional<QChar>> mnemonics[] = {{"&File", 'F'},
                                                                  {"Save &as", 'a'},
                                                                  {"Fish && &Chips", 'C'},
                                                                  {"Trailing &", std::nullopt},
                                                                  {"None", std::nullopt}};
    for (const auto& [caption, mnemonic] : mnemonics)
        EXPECT_EQ(menuMnemonic(caption), mnemonic) << caption.toStdString();
    const QStringList captions{"&Open", "Play", "Sa&ve", "&open again"};
    for (const auto& [key, index] : {std::pair{'o', 0}, std::pair{'V', 2}, std::pair{'p', -1}})
        EXPECT_EQ(findMnemonic(captions, key), index) << key;

    // The shorter length counts: "PLAYING" finds "Play", "Pause" finds "P".
    MenuImageList images{
        {"", QPixmap()}, {"Play", QPixmap()}, {"Previous", QPixmap()}, {"P", QPixmap()}};
    const std::pair<QString, int> pictures[] = {{"Play", 1},  {"PLAYING", 1}, {"Previous File", 2},
                                                {"Pause", 3}, {"Stop", -1},   {"", -1}};
    for (const auto& [caption, index] : pictures)
        EXPECT_EQ(pictureIndex(images, caption), index) << caption.toStdString();
    EXPECT_EQ(pictureIndex({}, "Play"), -1);
}

namespace {

class CoolMenuTest : public ::testing::Test {
  protected:
    void SetUp() override {
        QPixmap red(16, 16);
        red.fill(Qt::red);
        images = {{"Play", red}};
        menu.addAction("-Player Control");
        play = menu.addAction("Play|Plays the movie");
        repeat = menu.addAction("#Repeat|Again and again");
        half = menu.addAction("*&Half");
        sub = new QMenu("&Open|Opens", &menu);
        sub->addAction("&File...");
        menu.addMenu(sub);
        cool.ilHandle = &images;
        cool.HelpObj = &help;
        cool.install(menu);
    }
    // The menu as shown, with `selected` under the pointer.
    QImage shot(QAction* selected = nullptr) {
        menu.popup({100, 100});
        testsupport::pumpEvents(100);
        menu.setActiveAction(selected);
        testsupport::pumpEvents(50);
        QImage image = menu.grab().toImage();
        menu.hide();
        return image;
    }

    MenuImageList images;
    WndCoolMenu cool;
    HelpCallBack help;
    QMenu menu;
    QAction *play = nullptr, *repeat = nullptr, *half = nullptr;
    QMenu* sub = nullptr;
};

int countColour(const QImage& image, QRect area, auto match) {
    int found = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            found += match(image.pixelColor(x, y));
    return found;
}

} // namespace

TEST_F(CoolMenuTest, HelpFollowsTheSelectionTheMnemonicSelectsAndEachItemIsConvertedOnce) {
    QList<QStringList> helped;
    QObject::connect(&help, &HelpCallBack::help,
                     [&](const QString& text, const QString& helpText, bool& enabled) {
                         helped.append({text, helpText, enabled ? "enabled" : "disabled"});
                     });
    int ran = 0;
    QObject::connect(half, &QAction::triggered, [&] { ++ran; });
    menu.popup({100, 100});
    testsupport::pumpEvents(50);
    menu.setActiveAction(repeat);
    ASSERT_EQ(helped.size(), 1);
    EXPECT_EQ(helped[0], (QStringList{"Repeat", "Again and again", "enabled"}));

    QKeyEvent h(QEvent::KeyPress, Qt::Key_H, Qt::NoModifier, "h");
    QApplication::sendEvent(&menu, &h);
    EXPECT_EQ(menu.activeAction(), half);
    EXPECT_EQ(ran, 0);
    EXPECT_TRUE(menu.isVisible());
    QKeyEvent q(QEvent::KeyPress, Qt::Key_Q, Qt::NoModifier, "q");
    QApplication::sendEvent(&menu, &q);
    EXPECT_EQ(menu.activeAction(), half) << "a letter no entry has changes nothing";
    menu.hide();

    // Converted once (separators, marks and pictures in the player's menus: GraphMenus).
    EXPECT_EQ(play->text(), "Play");
    EXPECT_TRUE(cool.record(repeat)->bAsCheck) << "a check box, not an option mark";
    // The submenu is converted when it is about to open.
    EXPECT_EQ(cool.record(sub->actions()[0]), nullptr);
    Q_EMIT sub->aboutToShow();
    ASSERT_NE(cool.record(sub->actions()[0]), nullptr);
    const int records = cool.records().Count();
    Q_EMIT sub->aboutToShow();
    EXPECT_EQ(cool.records().Count(), records) << "converted once";
}

TEST_F(CoolMenuTest, PaintsMarksPicturesSelectionAndSeparators) {
    cool.SelectColor = QColor(0, 0, 255);
    menu.popup({100, 100});
    testsupport::pumpEvents(50);
    const QRect repeatRow = menu.actionGeometry(repeat);
    // The first 24 pixels of a row, where marks and pictures go.
    const auto mark = [&](QAction* a) {
        return menu.actionGeometry(a).adjusted(0, 0, 24 - repeatRow.width(), 0);
    };
    const QRect playMark = mark(play), repeatMark = mark(repeat);
    const QRect titleRow = menu.actionGeometry(menu.actions()[0]);
    // Ink: anything that is not the menu's background.
    const QColor background = menu.palette().color(QPalette::Window);
    auto dark = [&](QColor c) {
        return std::abs(c.red() - background.red()) + std::abs(c.green() - background.green()) +
                   std::abs(c.blue() - background.blue()) >
               60;
    };
    auto red = [](QColor c) { return c.red() > 200 && c.green() < 60 && c.blue() < 60; };
    auto blue = [](QColor c) { return c.blue() > 200 && c.red() < 60 && c.green() < 60; };

    const QImage image = shot();
    EXPECT_GT(countColour(image, playMark, red), 100) << "the picture chosen by its tag";
    const int uncheckedInk = countColour(image, repeatMark, dark);
    EXPECT_GT(countColour(image, titleRow, dark), 10) << "the separator's title and line";

    repeat->setChecked(true);
    EXPECT_GT(countColour(shot(), repeatMark, dark), uncheckedInk + 10) << "a check mark";

    EXPECT_GT(countColour(shot(repeat), repeatRow, blue),
              repeatRow.width() * repeatRow.height() / 2)
        << "the selection colour across the whole row";
}
