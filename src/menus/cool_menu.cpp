#include "menus/cool_menu.h"

#include "menus/cool_menu_style.h"

#include <QAction>
#include <QKeyEvent>
#include <QMenu>

CMyItemData parseMenuCaption(const QString& caption, bool separator) {
    CMyItemData item;
    const qsizetype bar = caption.indexOf(u'|');
    QString text = bar < 0 ? caption : caption.left(bar);
    if (bar >= 0)
        item.sMenuHelp = caption.mid(bar + 1);
    if (text.startsWith(u'-')) {
        separator = true;
        text.remove(0, 1);
    }
    if (separator)
        item.fType = CMyItemData::kSeparator;
    if (text.startsWith(u'#') || text.startsWith(u'*')) {
        item.bAsMark = true;
        item.bAsCheck = text.front() == u'#';
        text.remove(0, 1);
    }
    item.sMenuText = text;
    return item;
}

QString restoreMenuCaption(const CMyItemData& item) {
    QString caption;
    if (item.fType == CMyItemData::kSeparator)
        caption += u'-';
    if (item.bAsMark)
        caption += item.bAsCheck ? u'#' : u'*';
    caption += item.sMenuText;
    if (!item.sMenuHelp.isEmpty())
        caption += u'|' + item.sMenuHelp;
    return caption;
}

std::optional<QChar> menuMnemonic(const QString& caption) {
    for (qsizetype i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != u'&')
            continue;
        if (caption[i + 1] != u'&')
            return caption[i + 1];
        ++i; // "&&" is a plain ampersand
    }
    return std::nullopt;
}

int findMnemonic(const QStringList& captions, QChar typed) {
    for (int i = 0; i < captions.size(); ++i) {
        const std::optional<QChar> mnemonic = menuMnemonic(captions[i]);
        if (mnemonic && mnemonic->toUpper() == typed.toUpper())
            return i;
    }
    return -1;
}

short pictureIndex(const MenuImageList& images, const QString& caption) {
    const QString upper = caption.toUpper();
    for (int i = 0; i < images.size(); ++i) {
        const QString tag = images[i].Tag.toUpper();
        if (tag.isEmpty())
            continue;
        const qsizetype n = std::min(tag.size(), upper.size());
        if (n > 0 && QStringView(tag).left(n) == QStringView(upper).left(n))
            return short(i);
    }
    return -1;
}

CMyItemData& CMyItemDatas::Add(const QString& sKey) {
    if (!items_.contains(sKey))
        keys_.append(sKey);
    return items_[sKey] = CMyItemData();
}

CMyItemData* CMyItemDatas::Item(const QString& key) {
    const auto found = items_.find(key);
    return found == items_.end() ? nullptr : &*found;
}

CMyItemData* CMyItemDatas::Item(int index) {
    return index >= 0 && index < keys_.size() ? Item(keys_[index]) : nullptr;
}

void CMyItemDatas::Remove(const QString& key) {
    keys_.removeOne(key);
    items_.remove(key);
}

void CMyItemDatas::Remove(int index) {
    if (index >= 0 && index < keys_.size())
        Remove(keys_[index]);
}

WndCoolMenu::WndCoolMenu(QObject* parent)
    : QObject(parent), style_(std::make_unique<CoolMenuStyle>(*this)) {}

WndCoolMenu::~WndCoolMenu() {
    // Menus still alive must not keep a style that is going.
    for (const QPointer<QMenu>& menu : std::as_const(converted_))
        if (menu)
            menu->setStyle(nullptr);
}

QString WndCoolMenu::keyOf(const QAction* action) {
    return QString::number(quintptr(action), 16);
}

void WndCoolMenu::install(QMenu& menu) {
    if (!SelectColor.isValid())
        SelectColor = menu.palette().color(QPalette::Highlight);
    AddMenuHead(&menu);
    convert(menu);
}

void WndCoolMenu::convert(QMenu& menu) {
    for (const QPointer<QMenu>& done : std::as_const(converted_))
        if (done == &menu)
            return;
    converted_.append(&menu);
    menu.setStyle(style_.get());
    menu.installEventFilter(this);
    connect(&menu, &QMenu::hovered, this, &WndCoolMenu::relayHelp);
    for (QAction* action : menu.actions()) {
        const QString key = keyOf(action);
        if (records_.Item(key))
            continue;
        CMyItemData& item = records_.Add(key);
        item = parseMenuCaption(action->text(), action->isSeparator());
        item.bTrueSub = action->menu() != nullptr;
        item.iButton = ilHandle ? pictureIndex(*ilHandle, item.sMenuText) : short(-1);
        actions_.insert(key, action);
        if (item.fType == CMyItemData::kSeparator && !action->isSeparator()) {
            action->setSeparator(true);
            madeSeparators_.insert(key);
        }
        action->setText(item.sMenuText);
        if (item.bAsMark)
            action->setCheckable(true);
        // Submenus are converted as they are about to open.
        if (QMenu* sub = action->menu())
            connect(sub, &QMenu::aboutToShow, this, [this, sub] { convert(*sub); });
    }
}

void WndCoolMenu::uninstall() {
    for (const QString& key : records_.keys()) {
        QAction* action = actions_.value(key);
        const CMyItemData* item = records_.Item(key);
        if (!action || !item)
            continue;
        if (madeSeparators_.contains(key))
            action->setSeparator(false);
        action->setText(restoreMenuCaption(*item));
    }
    for (const QPointer<QMenu>& menu : std::as_const(converted_)) {
        if (!menu)
            continue;
        menu->setStyle(nullptr);
        menu->removeEventFilter(this);
        disconnect(menu, nullptr, this, nullptr);
    }
    converted_.clear();
    heads_.clear();
    actions_.clear();
    madeSeparators_.clear();
    records_ = CMyItemDatas();
}

const CMyItemData* WndCoolMenu::record(const QAction* action) const {
    return const_cast<CMyItemDatas&>(records_).Item(keyOf(action));
}

QFont WndCoolMenu::menuFont(const QFont& base) const {
    QFont font = base;
    if (!FontName.isEmpty())
        font.setFamily(FontName);
    font.setPointSize(std::max(FontSize, 1));
    return font;
}

// Separator titles are small: three quarters of the menu font, at least 6 pt.
QFont WndCoolMenu::separatorFont(const QFont& base) const {
    QFont font = menuFont(base);
    font.setPointSize(std::max(6, FontSize * 3 / 4));
    font.setBold(true);
    return font;
}

void WndCoolMenu::relayHelp(QAction* action) {
    const CMyItemData* item = record(action);
    if (!HelpObj || !item)
        return;
    bool enabled = action->isEnabled();
    HelpObj->RaiseHelpEvent(item->sMenuText, item->sMenuHelp, enabled);
}

bool WndCoolMenu::selectByMnemonic(QMenu& menu, QChar typed) {
    QStringList captions;
    QList<QAction*> candidates;
    for (QAction* action : menu.actions()) {
        if (!action->isVisible() || action->isSeparator())
            continue;
        captions.append(action->text());
        candidates.append(action);
    }
    const int found = findMnemonic(captions, typed);
    if (found < 0)
        return false;
    menu.setActiveAction(candidates[found]); // selected, not run
    return true;
}

bool WndCoolMenu::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress)
        return false;
    auto* menu = qobject_cast<QMenu*>(watched);
    const QString text = static_cast<QKeyEvent*>(event)->text();
    if (!menu || text.size() != 1 || !text[0].isPrint() || text[0].isSpace())
        return false;
    return selectByMnemonic(*menu, text[0]);
}
