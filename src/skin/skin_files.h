#pragma once
// Names of the files a skin folder holds, and how they are found on disk.
#include <QString>

inline constexpr char16_t kSkinDescriptionFileName[] = u"VSkin.ini";
inline constexpr char16_t kSkinBaseBitmapName[] = u"base.bmp";
inline constexpr char16_t kSkinProgressBackName[] = u"ProgressBack.bmp";
inline constexpr char16_t kSkinProgressBarName[] = u"ProgressBar.bmp";

// Full path of `name` inside `folder`, or an empty string when there is no
// such file. Skins are made on systems whose file names ignore letter case,
// so when the exact name is absent a file whose name differs only in case
// is taken.
QString findSkinFile(const QString& folder, const QString& name);
