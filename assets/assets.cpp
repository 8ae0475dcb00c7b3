#include "assets/assets.h"

#include <QFile>
#include <QIcon>

// Q_INIT_RESOURCE must be used outside any namespace.
static void registerAssetResources() {
    Q_INIT_RESOURCE(assets);
}

namespace sumbrook::assets {

bool ensureResources() {
    registerAssetResources();
    for (const char* path : {kAboutPicture, kAboutPicture2x, kIcon, kHandCursor}) {
        if (!QFile::exists(QString::fromLatin1(path))) {
            return false;
        }
    }
    return true;
}

AboutPictureFile aboutPictureFor(double screenDevicePixelRatio) {
    if (screenDevicePixelRatio > 1.0) {
        return {kAboutPicture2x, 2};
    }
    return {kAboutPicture, 1};
}

const QIcon& programIcon() {
    static const QIcon icon(QString::fromLatin1(kIcon));
    return icon;
}

} // namespace sumbrook::assets
