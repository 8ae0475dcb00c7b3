#include "assets/assets.h"

#include <QFile>
#include <QIcon>

// Q_INIT_RESOURCE must be used outside any namespace.
static void registerAssetResources() {
    Q_INIT_RESOURCE(assets);
    Q_INIT_RESOURCE(window_icon);
}

namespace sumbrook::assets {

bool ensureResources() {
    registerAssetResources();
    for (const char* path : {kAboutPicture, kAboutPicture2x, kIcon, kWindowIcon, kHandCursor}) {
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

const QIcon& windowIcon() {
    static const QIcon icon(QString::fromLatin1(kWindowIcon));
    return icon;
}

} // namespace sumbrook::assets
