#pragma once
// The player's own drawing of its pop-up menus over Qt's native menus (which
// keep keyboard navigation, submenus and accessibility). Each entry's
// caption is read once into a record: "|" starts a help text, a leading "-"
// makes a titled separator, "#" a check mark and "*" an option mark, "&"
// marks the mnemonic. `WndCoolMenu` converts a menu tree, paints it through
// its own style, relays the help text of the entry under the pointer, and
// selects an entry by its mnemonic without running it. Restoring gives the
// captions back as they were.
#include <QColor>
#include <QHash>
#include <QList>
#include <QObject>
#include <QPixmap>
#include <QPointer>
#include <QSet>
#include <QString>
#include <QStringList>
#include <memory>
#include <optional>

class QAction;
class QMenu;
class QFont;
class QStyle;

// One menu entry, as read from its caption.
struct CMyItemData {
    bool bTrueSub = false;  // opens a submenu
    QString sMenuHelp;      // shown while the entry is selected
    bool bAsMark = false;   // shows a mark when checked
    bool bAsCheck = false;  // the mark is a check (true) or an option mark
    bool bMainMenu = false; // on a menu bar
    short iButton = -1;     // picture in the image list, -1 none
    int fType = 0;          // kSeparator for separators
    QString sMenuText;      // what is drawn, markers removed ("&" kept)

    static constexpr int kSeparator = 0x800;
};

// Splits a caption; `separator` for entries that are separators already.
CMyItemData parseMenuCaption(const QString& caption, bool separator = false);
// The caption a record was read from.
QString restoreMenuCaption(const CMyItemData& item);
// The mnemonic of a caption ("&File" gives 'F'), or none.
std::optional<QChar> menuMnemonic(const QString& caption);
// The first caption whose mnemonic is `typed` (any case), -1 when none.
int findMnemonic(const QStringList& captions, QChar typed);

// Pictures chosen by tag: the first whose tag and the caption agree, upper
// case, over the shorter of the two lengths.
struct MenuPicture {
    QString Tag;
    QPixmap picture;
};
using MenuImageList = QList<MenuPicture>;
short pictureIndex(const MenuImageList& images, const QString& caption);

// Records by key, in the order added.
class CMyItemDatas {
  public:
    CMyItemData& Add(const QString& sKey);
    CMyItemData* Item(const QString& key);
    CMyItemData* Item(int index);
    int Count() const { return int(keys_.size()); }
    void Remove(const QString& key);
    void Remove(int index);
    const QStringList& keys() const { return keys_; }

  private:
    QStringList keys_;
    QHash<QString, CMyItemData> items_;
};

// Receives the help text of the entry under the pointer.
class HelpCallBack : public QObject {
    Q_OBJECT
  public:
    using QObject::QObject;
    void RaiseHelpEvent(const QString& MenuText, const QString& MenuHelp, bool& Enabled) {
        Q_EMIT help(MenuText, MenuHelp, Enabled);
    }

  Q_SIGNALS:
    void help(const QString& MenuText, const QString& MenuHelp, bool& Enabled);
};

class WndCoolMenu : public QObject {
    Q_OBJECT
  public:
    explicit WndCoolMenu(QObject* parent = nullptr);
    ~WndCoolMenu() override;

    const MenuImageList* ilHandle = nullptr;
    HelpCallBack* HelpObj = nullptr;
    bool ComplexChecks = true;
    bool ColorEmbossed = true;
    QColor SelectColor; // the palette's highlight at installation
    bool FullSelect = true;
    int FontSize = 8;
    QColor ForeColor; // invalid: the palette's text colour
    QString FontName; // empty: the menu's own face
    short MainPopedIndex = -1;
    int SCMainMenu = 0;

    // Converts `menu` and its submenus (each again as it is about to open).
    void install(QMenu& menu);
    // Gives every converted entry its caption back.
    void uninstall();

    void AddMenuHead(QMenu* menu) { heads_.append(menu); }
    int CountMenuHeads() const { return int(heads_.size()); }
    QMenu* GetMenuHead(int HeadIndex) const { return heads_.value(HeadIndex); }

    // The record of an entry, null for one not converted.
    const CMyItemData* record(const QAction* action) const;
    const CMyItemDatas& records() const { return records_; }
    QFont menuFont(const QFont& base) const;
    QFont separatorFont(const QFont& base) const;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void convert(QMenu& menu);
    void relayHelp(QAction* action);
    bool selectByMnemonic(QMenu& menu, QChar typed);
    static QString keyOf(const QAction* action);

    CMyItemDatas records_;
    QHash<QString, QPointer<QAction>> actions_;
    QSet<QString> madeSeparators_; // "-" captions that became separators
    QList<QMenu*> heads_;
    QList<QPointer<QMenu>> converted_;
    std::unique_ptr<QStyle> style_;
};
